#include "platform/core/utf8.h"

#include "platform/core/text_util.h"

namespace platform {

namespace {

bool is_continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

DecodedChar decode_utf8(std::string_view text) {
  if (text.empty()) return {kInvalidCodePoint, 0};
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code_point = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code_point = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code_point = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code_point = lead & 0x07;
    smallest = 0x10000;
  } else {
    return {kInvalidCodePoint, 1};
  }
  if (text.size() < length) return {kInvalidCodePoint, 1};
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!is_continuation(byte)) return {kInvalidCodePoint, 1};
    code_point = (code_point << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and values past the last code point are not characters.
  if (code_point < smallest || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return {kInvalidCodePoint, 1};
  }
  return {code_point, length};
}

std::string encode_utf8(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kInvalidCodePoint;
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::size_t utf8_length(std::string_view text) {
  std::size_t chars = 0;
  for (std::size_t at = 0; at < text.size(); at += decode_utf8(text.substr(at)).length) ++chars;
  return chars;
}

std::size_t utf8_offset(std::string_view text, std::size_t chars) {
  std::size_t at = 0;
  for (; chars > 0 && at < text.size(); --chars) at += decode_utf8(text.substr(at)).length;
  return at;
}

bool is_valid_utf8(std::string_view bytes) {
  while (!bytes.empty()) {
    // Logbooks are mostly ASCII: step over it without decoding.
    bytes.remove_prefix(ascii_run(bytes));
    if (bytes.empty()) break;
    const DecodedChar c = decode_utf8(bytes);
    if (c.length == 1 && static_cast<unsigned char>(bytes.front()) >= 0x80) return false;
    bytes.remove_prefix(c.length);
  }
  return true;
}

std::string_view utf8_prefix(std::string_view text, std::size_t chars) {
  return text.substr(0, utf8_offset(text, chars));
}

}  // namespace platform
