#include "sugarlog/exchange/csv.h"

#include <array>

#include "sugarlog/texts/exchange_texts.h"

namespace sugarlog::exchange {

char guess_delimiter(std::string_view text) {
  constexpr std::array<char, 3> kCandidates{',', ';', '\t'};
  std::array<int, 3> counts{};
  int lines = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size() && lines < 8; ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') ++lines;
    for (std::size_t k = 0; k < kCandidates.size(); ++k) {
      if (c == kCandidates[k]) ++counts[k];
    }
  }
  std::size_t best = 0;
  for (std::size_t k = 1; k < kCandidates.size(); ++k) {
    if (counts[k] > counts[best]) best = k;
  }
  return kCandidates[best];
}

namespace {

class Reader {
 public:
  Reader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  CsvTable read() {
    CsvTable table;
    table.delimiter = delimiter_;
    while (pos_ < text_.size() && !table.problem) {
      CsvRow row;
      row.line = line_;
      if (read_row(row.fields, table.problem) && !blank(row.fields)) {
        table.rows.push_back(std::move(row));
      }
    }
    return table;
  }

 private:
  static bool blank(const std::vector<std::string>& fields) {
    return fields.size() == 1 && fields[0].empty();
  }

  bool at_line_end() const { return text_[pos_] == '\n' || text_[pos_] == '\r'; }

  void skip_line_end() {
    if (text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  }

  // One row up to its line end; false when it could not be read.
  bool read_row(std::vector<std::string>& fields, std::optional<CsvProblem>& problem) {
    for (;;) {
      std::string field;
      if (!read_field(field, problem)) return false;
      fields.push_back(std::move(field));
      if (pos_ >= text_.size()) return true;
      if (text_[pos_] == delimiter_) {
        ++pos_;
        continue;
      }
      skip_line_end();
      return true;
    }
  }

  bool read_field(std::string& field, std::optional<CsvProblem>& problem) {
    if (pos_ < text_.size() && text_[pos_] == '"') return read_quoted(field, problem);
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != delimiter_ && !at_line_end()) {
      if (text_[pos_] == '"') {
        problem = CsvProblem{line_, text::kStrayQuote};
        return false;
      }
      ++pos_;
    }
    field.assign(text_.substr(start, pos_ - start));
    return true;
  }

  bool read_quoted(std::string& field, std::optional<CsvProblem>& problem) {
    const int opened_on = line_;
    ++pos_;
    for (;;) {
      const std::size_t quote = text_.find('"', pos_);
      if (quote == std::string_view::npos) {
        problem = CsvProblem{opened_on, text::kUnclosedQuote};
        return false;
      }
      const std::string_view part = text_.substr(pos_, quote - pos_);
      for (char c : part) {
        if (c == '\n') ++line_;
      }
      field.append(part);
      pos_ = quote + 1;
      if (pos_ < text_.size() && text_[pos_] == '"') {
        field.push_back('"');
        ++pos_;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] != delimiter_ && !at_line_end()) {
        problem = CsvProblem{line_, text::kStrayQuote};
        return false;
      }
      return true;
    }
  }

  std::string_view text_;
  char delimiter_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

CsvTable read_csv(std::string_view text) {
  return Reader(text, guess_delimiter(text)).read();
}

std::string csv_field(std::string_view field) {
  const bool plain = field.find_first_of(",\"\r\n") == std::string_view::npos &&
                     (field.empty() || (field.front() != ' ' && field.back() != ' '));
  if (plain) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

}  // namespace sugarlog::exchange
