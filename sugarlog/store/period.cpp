#include "sugarlog/store/period.h"

namespace sugarlog {

namespace {

std::optional<int> digits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

Period last_days(platform::Serial today, int n) {
  const platform::Serial last = platform::day_part(today);
  return {last - (n > 1 ? n - 1 : 0), last};
}

std::optional<platform::Serial> parse_iso_day(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = digits(text.substr(0, 4));
  const auto month = digits(text.substr(5, 2));
  const auto day = digits(text.substr(8, 2));
  if (!year || !month || !day || *year < 1900 || *month < 1 || *month > 12 || *day < 1)
    return std::nullopt;
  const platform::Serial serial = platform::date_serial(*year, *month, *day);
  // A day past the month's end carries over; such a text names no real day.
  if (platform::day_of(serial) != *day) return std::nullopt;
  return serial;
}

std::string format_iso_day(platform::Serial day) {
  return platform::format_serial(day, "yyyy-mm-dd");
}

std::optional<Period> period_between(std::optional<platform::Serial> first,
                                     std::optional<platform::Serial> last, platform::Serial today) {
  const Period period{first ? platform::day_part(*first) : 0.0,
                      last ? platform::day_part(*last) : platform::day_part(today)};
  if (period.first > period.last) return std::nullopt;
  return period;
}

}  // namespace sugarlog
