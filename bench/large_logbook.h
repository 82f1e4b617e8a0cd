#pragma once
// The largest logbook the program holds, for the chart benchmarks: 5000 tests over nearly three
// years up to the day before "today", four a day and twelve every ninth day, with notes.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/date.h"
#include "sugarlog/store/test_table.h"

namespace bench_data {

inline const platform::Serial kBenchToday =
    platform::date_serial(2026, 6, 12) + platform::time_serial(14, 30);

// Writes Diabete.dbk into the folder, newest test first, the newest the day before `today`.
inline void write_large_logbook(const std::filesystem::path& folder, platform::Serial today) {
  std::ofstream out(folder / "Diabete.dbk", std::ios::binary);
  int written = 0;
  for (int day = 1; written < sugarlog::TestTable::kCapacity; ++day) {
    const int per_day = day % 9 == 0 ? 12 : 4;
    const platform::Serial date = platform::day_part(today) - day;
    for (int k = per_day - 1; k >= 0 && written < sugarlog::TestTable::kCapacity; --k, ++written) {
      const int hour = 7 + k;
      out << '"' << platform::format_serial(date, "dd/mm/yy") << "\",\"" << (hour < 10 ? "0" : "")
          << hour << ":15\",\"" << (written % 7 < 3 ? "0" : "1") << (written % 10) << ".5\",\""
          << (written % 5 == 0 ? "repas" : "") << "\"\r\n";
    }
  }
}

// The most tests the logbook holds, all in the 90 days that end `today` (about 55 a day), newest
// first, every third with a note: what a report of the last 90 days may have to show.
inline sugarlog::TestTable ninety_day_logbook(platform::Serial today) {
  sugarlog::TestTable table;
  const int count = sugarlog::TestTable::kCapacity;
  for (int i = 0; i < count; ++i) {
    const platform::Serial moment = platform::day_part(today) - 89 + 89.99 * i / (count - 1);
    const int level = 30 + (i * 37) % 150;  // 3.0 .. 17.9 mmol/l
    table.add_test(
        platform::format_serial(moment, "dd/mm/yy"), platform::format_serial(moment, "hh:mm"),
        (level < 100 ? "0" : "") + std::to_string(level / 10) + "." + std::to_string(level % 10),
        i % 3 == 0 ? "after lunch, a walk of an hour" : "");
  }
  return table;
}

}  // namespace bench_data
