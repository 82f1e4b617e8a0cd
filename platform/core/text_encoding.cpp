#include "platform/core/text_encoding.h"

#include <array>
#include <cstdint>

#include "platform/core/utf8.h"

namespace platform {
namespace {

// The code points of bytes 80..9F in Windows-1252; the undefined ones keep their C1 value.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

std::string utf8_from_utf16(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t i) -> char16_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char16_t next = unit(i + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        out += encode_utf8(0x10000 + ((char32_t{u} - 0xD800) << 10) + (char32_t{next} - 0xDC00));
        i += 2;
        continue;
      }
    }
    out += encode_utf8(u >= 0xD800 && u <= 0xDFFF ? kInvalidCodePoint : char32_t{u});
  }
  if (i < bytes.size()) out += encode_utf8(kInvalidCodePoint);
  return out;
}

}  // namespace

std::string utf8_from_windows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0) {
      out += encode_utf8(kHighControls[byte - 0x80]);
    } else {
      out += encode_utf8(byte);  // A0..FF are Latin-1
    }
  }
  return out;
}

std::string text_from_file_bytes(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  else if (bytes.starts_with("\xFF\xFE"))
    return utf8_from_utf16(bytes.substr(2), false);
  else if (bytes.starts_with("\xFE\xFF"))
    return utf8_from_utf16(bytes.substr(2), true);
  if (is_valid_utf8(bytes)) return std::string(bytes);
  return utf8_from_windows1252(bytes);
}

}  // namespace platform
