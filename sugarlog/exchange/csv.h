#pragma once
// Comma-separated values as spreadsheets write them: a header row, fields quoted when they hold
// the delimiter, a quote or a line end, a doubled quote inside a quoted field. Semicolons and
// tabs are read as delimiters too, since spreadsheets in regions with a decimal comma write them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sugarlog/texts/messages.h"

namespace sugarlog::exchange {

struct CsvRow {
  int line = 0;  // the line the row starts on, 1 for the first
  std::vector<std::string> fields;
};

struct CsvProblem {
  int line = 0;
  Bilingual reason;
};

struct CsvTable {
  char delimiter = ',';
  std::vector<CsvRow> rows;  // blank lines are left out
  std::optional<CsvProblem> problem;
};

// The delimiter that the first lines use most: comma, semicolon or tab.
char guess_delimiter(std::string_view text);

// Reads UTF-8 text. A quote left open, or one in the middle of an unquoted field or right after
// a closing quote, stops the reading with the line where it lies; the rows before it are kept.
CsvTable read_csv(std::string_view text);

// A field as written: in double quotes, doubling those inside, when it holds a comma, a quote,
// a line end or blanks at its ends; as it is otherwise.
std::string csv_field(std::string_view field);

}  // namespace sugarlog::exchange
