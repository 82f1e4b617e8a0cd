#include "sugarlog/exchange/entries.h"

#include <algorithm>
#include <cmath>

namespace sugarlog::exchange {

std::int64_t minute_of(platform::Serial day, int minute_of_day) {
  return static_cast<std::int64_t>(std::floor(day)) * 1440 + minute_of_day;
}

std::string entry_date(std::int64_t minute) {
  return platform::format_serial(static_cast<platform::Serial>(minute / 1440), "dd/mm/yyyy");
}

std::string entry_time(std::int64_t minute) {
  const int m = static_cast<int>((minute % 1440 + 1440) % 1440);
  std::string text = "00:00";
  text[0] = static_cast<char>('0' + m / 600);
  text[1] = static_cast<char>('0' + m / 60 % 10);
  text[3] = static_cast<char>('0' + m % 60 / 10);
  text[4] = static_cast<char>('0' + m % 10);
  return text;
}

std::optional<std::int64_t> read_moment(std::string_view date, std::string_view time,
                                        int this_year) {
  const auto day = platform::parse_date(date, this_year);
  const auto at = platform::parse_time(time);
  if (!day || !at) return std::nullopt;
  return minute_of(*day, static_cast<int>(std::lround(*at * 1440)));
}

std::vector<Entry> entries_of(const TestTable& table, int this_year) {
  std::vector<Entry> entries;
  entries.reserve(static_cast<std::size_t>(table.Nb_Tests));
  for (int i = 1; i <= table.Nb_Tests; ++i) {
    Entry e{table.Tab_Date[i], table.Tab_Heure[i], table.Tab_Taux[i], table.Tab_Note[i], {}};
    e.minute = read_moment(e.date, e.time, this_year);
    entries.push_back(std::move(e));
  }
  return entries;
}

void sort_newest_first(std::vector<Entry>& entries) {
  // An unreadable test sorts with the one before it, so it stays where the user sees it.
  std::vector<std::pair<std::int64_t, std::size_t>> keys(entries.size());
  std::int64_t last = INT64_MAX;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].minute) last = *entries[i].minute;
    keys[i] = {last, i};
  }
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Entry> sorted;
  sorted.reserve(entries.size());
  for (const auto& [key, index] : keys) sorted.push_back(std::move(entries[index]));
  entries = std::move(sorted);
}

bool fill_table(const std::vector<Entry>& entries, TestTable& table) {
  if (entries.size() > static_cast<std::size_t>(TestTable::kCapacity)) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    table.Tab_Date[i + 1] = entries[i].date;
    table.Tab_Heure[i + 1] = entries[i].time;
    table.Tab_Taux[i + 1] = entries[i].level;
    table.Tab_Note[i + 1] = entries[i].note;
  }
  table.Nb_Tests = static_cast<std::int32_t>(entries.size());
  return true;
}

std::string level_key(std::string_view level, int unite, std::string_view separator) {
  return format_level(read_level(level, unite, separator), unit_info(unite).picture, ".");
}

}  // namespace sugarlog::exchange
