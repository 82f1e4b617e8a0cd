#pragma once
// The logbook as CSV for spreadsheets and other programs: UTF-8, a header row, one test a row
// with its ISO 8601 date, "hh:mm" time, level with a full stop, unit name and note.
#include <string>
#include <string_view>

#include "sugarlog/store/period.h"
#include "sugarlog/store/test_table.h"

namespace sugarlog::exchange {

inline constexpr std::string_view kExportHeader = "Date,Time,Level,Unit,Note";

// Every test, those an older copy dated in the future included.
inline constexpr Period kWholeLogbook{-1e7, 1e7};

// "mmol/L", "mg/dL", "g/L".
std::string_view export_unit_name(int unite);

struct ExportResult {
  std::string csv;
  int written = 0;
  int unreadable = 0;  // tests of the table whose date, time or level could not be read
};

// The tests of the period, in the table's order, rows ended by CR LF as RFC 4180 writes them.
ExportResult export_csv(const TestTable& table, int unite, std::string_view sep_decimal,
                        const Period& period, int this_year);

}  // namespace sugarlog::exchange
