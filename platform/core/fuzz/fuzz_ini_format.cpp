// Any bytes read as a settings file; what is written reads back the same, and writing one
// program's change over a file keeps every other value the file held.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/ini_format.h"
#include "platform/core/text_encoding.h"

namespace {

bool same_name(std::string_view a, std::string_view b) {
  const platform::CaseInsensitiveLess less;
  return !less(a, b) && !less(b, a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const platform::IniSections read = platform::parse_ini(platform::text_from_file_bytes(bytes));
  const std::string written = platform::format_ini(read);
  if (platform::parse_ini(written) != read) std::abort();

  platform::IniFile file;
  file.load(bytes);
  const std::string key = size > 0 ? std::string(1, static_cast<char>('a' + data[0] % 26)) : "k";
  file.set("Pulsewise", key, "changed");
  const platform::IniSections merged = platform::parse_ini(file.merged_over(bytes));
  for (const auto& [section, entries] : read) {
    for (const auto& [name, value] : entries) {
      const bool is_changed = same_name(section, "Pulsewise") && same_name(name, key);
      const auto found = merged.find(section);
      if (found == merged.end()) std::abort();
      const auto entry = found->second.find(name);
      if (entry == found->second.end()) std::abort();
      if (!is_changed && entry->second != value) std::abort();
    }
  }
  if (merged.at("Pulsewise").at(key) != "changed") std::abort();
  return 0;
}
