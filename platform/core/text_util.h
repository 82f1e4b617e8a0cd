#pragma once
// Small character and text helpers shared by the readers and parsers. Only ASCII blanks and
// digits count, whatever the C locale says, so a file reads the same on every system.
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The length of the ASCII at the start of bytes with no byte below floor (at most 0x80): with a
// floor of 14, text without line ends. Stepped over eight bytes at a time: logbooks are mostly
// such text.
inline std::size_t ascii_run(std::string_view bytes, unsigned char floor = 0) {
  constexpr std::uint64_t kEachByte = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = kEachByte * 0x80;
  std::size_t run = 0;
  for (; run + 8 <= bytes.size(); run += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + run, sizeof word);
    // With no high bit set, a byte below floor is what sets one in (word - floor in each byte).
    if ((word & kHighBits) != 0 || ((word - kEachByte * floor) & ~word & kHighBits) != 0) break;
  }
  for (; run < bytes.size(); ++run) {
    const auto byte = static_cast<unsigned char>(bytes[run]);
    if (byte < floor || byte >= 0x80) break;
  }
  return run;
}

// The first or last n characters; the whole text when it is shorter.
constexpr std::string_view first(std::string_view text, std::size_t n) {
  return text.substr(0, n);
}

constexpr std::string_view last(std::string_view text, std::size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace platform
