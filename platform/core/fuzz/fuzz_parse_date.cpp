// Feeds arbitrary text to the date and time readers, and checks that every date they accept
// formats back to the same day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/core/date.h"
#include "platform/core/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto serial = platform::parse_date(text, 2026)) {
    const std::string again = platform::format_serial(*serial, "dd/mm/yyyy");
    if (platform::parse_date(again, 2026) != serial) std::abort();
  }
  if (const auto time = platform::parse_time(text)) {
    if (*time < 0 || *time >= 1) std::abort();
  }
  (void)platform::format_serial(platform::val(text), text);
  (void)platform::format_number(platform::val(text), text.substr(0, 64), ",");
  return 0;
}
