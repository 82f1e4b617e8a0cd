#pragma once
// Texts are UTF-8 from the text box to the file. A text box counts, selects and limits
// characters (code points), never bytes, so these helpers walk a UTF-8 text by characters. A byte
// that does not start a valid sequence counts as one character of its own, so any byte string
// can be walked and cut without splitting a valid character.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// One character at the front of a text: its code point and how many bytes it takes. An invalid
// byte gives kInvalidCodePoint and a length of 1; an empty text a length of 0.
inline constexpr char32_t kInvalidCodePoint = 0xFFFD;
struct DecodedChar {
  char32_t code_point;
  std::size_t length;
};
DecodedChar decode_utf8(std::string_view text);

// The UTF-8 bytes of a code point (surrogates and values beyond U+10FFFF give U+FFFD).
std::string encode_utf8(char32_t code_point);

// How many characters the text holds.
std::size_t utf8_length(std::string_view text);
// The byte offset of character number `chars`; the text's size when it holds fewer.
std::size_t utf8_offset(std::string_view text, std::size_t chars);
// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past
// U+10FFFF. ASCII (and the empty text) is valid.
bool is_valid_utf8(std::string_view bytes);

// The first `chars` characters.
std::string_view utf8_prefix(std::string_view text, std::size_t chars);

}  // namespace platform
