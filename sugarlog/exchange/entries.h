#pragma once
// The logbook's tests as rows that can be edited, sorted and merged, and put back into the test
// table in the order the program keeps: newest first, by date then time.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

namespace sugarlog::exchange {

// One test as the table holds it, with its moment when its date and time can be read.
struct Entry {
  std::string date;   // "dd/mm/yy" as loaded, "dd/mm/yyyy" when entered here
  std::string time;   // "hh:mm"
  std::string level;  // in the logbook's picture, with the system separator
  std::string note;
  std::optional<std::int64_t> minute;  // minutes since day 0; nothing when unreadable
};

// The moment of a date and a time as minutes since day 0.
std::int64_t minute_of(platform::Serial day, int minute_of_day);
// The date and time texts of a moment, as a new test gets them.
std::string entry_date(std::int64_t minute);
std::string entry_time(std::int64_t minute);
// Reads an entry's date and time (two-digit years fall in the window around this_year).
std::optional<std::int64_t> read_moment(std::string_view date, std::string_view time,
                                        int this_year);

std::vector<Entry> entries_of(const TestTable& table, int this_year);

// Newest first by moment; an unreadable test keeps its place after the test before it.
void sort_newest_first(std::vector<Entry>& entries);

// Fills slots 1.. of the table; false (table unchanged) past the capacity.
bool fill_table(const std::vector<Entry>& entries, TestTable& table);

// The level as the duplicate rule compares it: read by the unit's rule, in the unit's picture.
std::string level_key(std::string_view level, int unite, std::string_view separator);

}  // namespace sugarlog::exchange
