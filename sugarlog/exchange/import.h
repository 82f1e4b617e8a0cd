#pragma once
// Reading readings from another program's CSV into the logbook: our own export, a sensor
// portal's export (metadata lines, then "Device Timestamp", "Record Type" and one glucose column
// per kind of reading), or any CSV whose header names a date and a time (or a date-time) and a
// glucose level. Nothing here changes the logbook: the plan says what an import would do.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "sugarlog/exchange/entries.h"
#include "sugarlog/store/test_table.h"

namespace sugarlog::exchange {

enum class FileKind { kOwnExport, kSensorExport, kOtherCsv };

struct ImportSettings {
  int unite = 0;                  // the logbook's unit
  std::string sep_decimal = ".";  // the system's decimal separator
  platform::Serial now = 0;       // readings after this moment are refused
  std::int16_t langue = 0;        // the language of the reasons
  // Whether the locale writes the day before the month, when it says.
  std::optional<bool> locale_day_first;
  // The user's answers, once asked.
  std::optional<bool> day_first;
  std::optional<int> file_unit;  // a UnitCode
  bool include_history = false;  // the sensor's 15-minute history
};

struct Refusal {
  int line = 0;
  std::string reason;
};

struct Reading {
  std::int64_t minute = 0;  // minutes since day 0
  std::string level;        // in the logbook's picture and separator
  std::string note;
  int line = 0;
};

struct ParsedImport {
  std::optional<Refusal> error;  // the whole file is refused
  FileKind kind = FileKind::kOtherCsv;
  bool ask_day_order = false;  // neither the file nor the locale tells: ask, then read again
  bool ask_unit = false;       // the header names no unit: ask, then read again
  bool has_history = false;    // the file holds sensor history readings
  int history_skipped = 0;
  std::vector<Reading> readings;
  std::vector<Refusal> refused;
};

// Reads a file's bytes (UTF-8, UTF-16 or Windows-1252).
ParsedImport read_import(std::string_view bytes, const ImportSettings& settings);

// A level in a unit converted to another, at 18.016 mg/dl per mmol/l and 100 mg/dl per g/l.
double convert_level(double value, int from_unit, int to_unit);

struct ImportPlan {
  std::vector<Entry> entries;  // the logbook after the import, newest first
  int added = 0;
  int duplicates = 0;  // same date, time and level as a test already there (or earlier in the file)
  int left_out = 0;    // the oldest readings, past the capacity
  int history_skipped = 0;
  std::vector<Refusal> refused;
};

ImportPlan plan_import(const TestTable& table, const ParsedImport& parsed, int unite,
                       std::string_view sep_decimal, int this_year);

// What the import would do, for the question before it and the command line. At most five
// refused lines are listed.
std::string import_summary(const ImportPlan& plan, std::int16_t langue);

}  // namespace sugarlog::exchange
