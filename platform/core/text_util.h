#pragma once
// Small character and text helpers shared by the readers and parsers. Only ASCII blanks and
// digits count, whatever the C locale says, so a file reads the same on every system.
#include <cstddef>
#include <string_view>

namespace platform {

constexpr bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

constexpr bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The text without the given characters at either end: blanks and tabs unless told otherwise.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks = " \t") {
  const auto start = text.find_first_not_of(blanks);
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(blanks) - start + 1);
}

// The first or last n characters; the whole text when it is shorter.
constexpr std::string_view first(std::string_view text, std::size_t n) {
  return text.substr(0, n);
}

constexpr std::string_view last(std::string_view text, std::size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace platform
