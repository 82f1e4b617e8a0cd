// Any bytes become valid UTF-8; valid UTF-8 without a mark is kept byte for byte, and ASCII is
// never changed by the Windows-1252 reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = platform::text_from_file_bytes(bytes);
  if (!platform::is_valid_utf8(text)) std::abort();
  const bool marked = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
                      bytes.starts_with("\xFE\xFF");
  if (!marked && platform::is_valid_utf8(bytes) && text != bytes) std::abort();

  const std::string legacy = platform::utf8_from_windows1252(bytes);
  if (!platform::is_valid_utf8(legacy)) std::abort();
  std::size_t ascii = 0;
  while (ascii < size && data[ascii] < 0x80) ++ascii;
  if (legacy.compare(0, ascii, bytes.substr(0, ascii)) != 0) std::abort();
  // Decoding what was decoded changes nothing: a file read and written again reads the same.
  if (platform::text_from_file_bytes(text) != text && !text.starts_with("\xEF\xBB\xBF"))
    std::abort();
  return 0;
}
