#pragma once
// Comma-separated sequential files, as the logbook's data and settings files are written.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads fields one after another from a byte buffer.
// - Blanks before a field are skipped.
// - A field that starts with a double quote may hold commas and line ends. It is closed by the
//   first double quote followed (after blanks) by a comma, a line end or the end of the input. A
//   double quote followed by other text is part of the field when such a closing quote comes
//   later on its line ("he said "hi" ok"); otherwise it closes the field, and what follows it up
//   to the next comma or line end is dropped. An unterminated quote runs to the end of the input.
// - Any other field ends at a comma or a line end and loses its surrounding blanks.
// - CR LF, LF and CR are line ends; a line end ends a field; an empty line is one empty field;
//   a missing final line end reads like a present one.
// Any byte sequence is accepted; NUL is an ordinary character.
class SequentialReader {
 public:
  explicit SequentialReader(std::string bytes);

  // True once every byte has been consumed.
  bool at_end() const;
  // The next field, or nothing when the input is already at its end ("input past end of file").
  std::optional<std::string> read_field();
  // The same into field, whose storage is reused; false (field untouched) at the end.
  bool read_field(std::string& field);
  // How many bytes have been consumed.
  std::size_t position() const { return pos_; }

 private:
  bool closes_field(std::size_t quote) const;
  std::size_t closing_quote(std::size_t open);

  std::string bytes_;
  std::size_t pos_ = 0;
  std::size_t no_close_before_ = 0;  // no quote before this closes a field: searched already
};

// One record as the logbook writes it: every field in double quotes, separated by commas, ended by
// CR LF. Fields are written as given; callers keep quotes and line ends out of them.
std::string quoted_record(const std::vector<std::string>& fields);

}  // namespace platform
