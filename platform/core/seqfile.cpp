#include "platform/core/seqfile.h"

#include <algorithm>
#include <utility>

#include "platform/core/text_util.h"

namespace platform {
namespace {

bool is_line_end(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

SequentialReader::SequentialReader(std::string bytes) : bytes_(std::move(bytes)) {}

bool SequentialReader::at_end() const {
  return pos_ >= bytes_.size();
}

bool SequentialReader::closes_field(std::size_t quote) const {
  std::size_t next = quote + 1;
  while (next < bytes_.size() && is_blank(bytes_[next])) ++next;
  return next >= bytes_.size() || bytes_[next] == ',' || is_line_end(bytes_[next]);
}

std::size_t SequentialReader::closing_quote(std::size_t open) {
  const std::size_t first = bytes_.find('"', open);
  if (first == std::string::npos || closes_field(first)) return first;
  // A quote with text after it ("he said "hi" ok") belongs to the field when a quote that does
  // close one follows on the same line. A failed search is remembered: every later quote of that
  // stretch would fail it again, and re-searching would make a long damaged line quadratic.
  if (first >= no_close_before_) {
    const std::size_t line_end = std::min(bytes_.find_first_of("\r\n", first), bytes_.size());
    for (std::size_t q = bytes_.find('"', first + 1); q < line_end; q = bytes_.find('"', q + 1)) {
      if (closes_field(q)) return q;
    }
    no_close_before_ = line_end;
  }
  return first;
}

std::optional<std::string> SequentialReader::read_field() {
  std::string field;
  if (!read_field(field)) return std::nullopt;
  return field;
}

bool SequentialReader::read_field(std::string& field) {
  if (at_end()) return false;
  const std::size_t size = bytes_.size();
  while (pos_ < size && is_blank(bytes_[pos_])) ++pos_;

  if (pos_ < size && bytes_[pos_] == '"') {
    const std::size_t open = pos_ + 1;
    const std::size_t close = closing_quote(open);
    if (close == std::string::npos) {
      field.assign(bytes_.data() + open, size - open);
      pos_ = size;
      return true;
    }
    field.assign(bytes_.data() + open, close - open);
    pos_ = close + 1;
    while (pos_ < size && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < size && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && is_blank(bytes_[end - 1])) --end;
    field.assign(bytes_.data() + start, end - start);
  }

  // Consume the separator that ended the field: a comma or one line end (CR LF counts as one).
  if (pos_ < size) {
    const char ended_by = bytes_[pos_++];
    if (ended_by == '\r' && pos_ < size && bytes_[pos_] == '\n') ++pos_;
  }
  return true;
}

std::string quoted_record(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += '"';
    line += fields[i];
    line += '"';
  }
  line += "\r\n";
  return line;
}

}  // namespace platform
