#include "sugarlog/stats/statistics.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/core/text_util.h"
#include "sugarlog/store/units.h"

namespace sugarlog {

namespace {

constexpr double kMgDlPerMmolL = 18.0;
constexpr double kMgDlPerGL = 100.0;

double mg_dl_per_unit(int unite) {
  switch (known_unit(unite)) {
    case kMgDl:
      return 1.0;
    case kGL:
      return kMgDlPerGL;
    default:
      return kMgDlPerMmolL;
  }
}

// Digits with at most one decimal mark (a full stop, a comma or the system's separator), and at
// least one digit.
bool plain_number(std::string_view text, std::string_view separator) {
  bool point = false, digit = false;
  for (std::size_t i = 0; i < text.size();) {
    if (platform::is_digit(text[i])) {
      digit = true;
      ++i;
      continue;
    }
    std::size_t mark = 0;
    if (text[i] == '.' || text[i] == ',') {
      mark = 1;
    } else if (!separator.empty() && text.substr(i).starts_with(separator)) {
      mark = separator.size();
    }
    if (mark == 0 || point) return false;
    point = true;
    i += mark;
  }
  return digit;
}

int monday_first(platform::Serial moment) {
  return (platform::weekday_of(moment) + 5) % 7;  // weekday_of: 1 Sunday .. 7 Saturday
}

void add_to(Share& share, double level) {
  share.mean += level;  // a sum until finish()
  ++share.count;
}

template <std::size_t N>
void finish(std::array<Share, N>& shares) {
  for (Share& share : shares) {
    if (share.count > 0) share.mean /= share.count;
  }
}

}  // namespace

double to_mg_dl(double level, int unite) {
  return level * mg_dl_per_unit(unite);
}

double from_mg_dl(double mg_dl, int unite) {
  return mg_dl / mg_dl_per_unit(unite);
}

Range range_of(double level, int unite, const TargetRange& target) {
  const double whole = std::round(to_mg_dl(level, unite));
  if (whole < kVeryLowBelow) return Range::kVeryLow;
  if (whole > kVeryHighAbove) return Range::kVeryHigh;
  if (whole < target.low) return Range::kLow;
  if (whole > target.high) return Range::kHigh;
  return Range::kTarget;
}

std::optional<double> readable_level(std::string_view text, int unite, std::string_view separator) {
  const std::string_view number = platform::trimmed(text);
  if (!plain_number(number, separator)) return std::nullopt;
  const double level = read_level(number, unite, separator);
  if (!(level > 0) || !std::isfinite(level)) return std::nullopt;
  return level;
}

PeriodTests tests_in_period(const TestTable& table, const Period& period, int unite,
                            std::string_view separator, int this_year) {
  PeriodTests out;
  const int count = std::clamp(table.Nb_Tests, 0, TestTable::kCapacity);
  out.tests.reserve(static_cast<std::size_t>(count));
  // Tests of one day follow each other: their date text is read once.
  const std::string* last_text = nullptr;
  std::optional<platform::Serial> day;
  for (int slot = 1; slot <= count; ++slot) {
    if (!last_text || *last_text != table.Tab_Date[slot]) {
      last_text = &table.Tab_Date[slot];
      day = table.date_of(slot, this_year);
    }
    if (!day) {
      ++out.unreadable;
      continue;
    }
    if (!period.contains(*day)) continue;
    const auto time = platform::parse_time(platform::trimmed(table.Tab_Heure[slot]));
    const auto level = readable_level(table.Tab_Taux[slot], unite, separator);
    if (!time || !level) {
      ++out.unreadable;
      continue;
    }
    out.tests.push_back({slot, *day + std::min(*time, 0.99999), *level});
  }
  return out;
}

double median_of(std::vector<double>& levels) {
  if (levels.empty()) return 0;
  const std::size_t middle = levels.size() / 2;
  std::nth_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(middle),
                   levels.end());
  const double upper = levels[middle];
  if (levels.size() % 2 == 1) return upper;
  const double lower =
      *std::max_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2;
}

double Statistics::percent(Range range) const {
  return count > 0 ? 100.0 * ranges[static_cast<std::size_t>(range)] / count : 0.0;
}

Statistics compute_statistics(const PeriodTests& tests, const Period& period, int unite,
                              const TargetRange& target) {
  Statistics s;
  s.period = period;
  s.unite = known_unit(unite);
  s.target = target;
  s.unreadable = tests.unreadable;
  s.count = static_cast<int>(tests.tests.size());
  if (s.count == 0) return s;

  std::vector<double> levels;
  levels.reserve(tests.tests.size());
  std::vector<platform::Serial> days;
  days.reserve(tests.tests.size());
  double sum = 0;
  s.lowest = s.highest = tests.tests.front().level;
  for (const PeriodTest& test : tests.tests) {
    levels.push_back(test.level);
    sum += test.level;
    s.lowest = std::min(s.lowest, test.level);
    s.highest = std::max(s.highest, test.level);
    days.push_back(platform::day_part(test.moment));
    ++s.ranges[static_cast<std::size_t>(range_of(test.level, unite, target))];
    add_to(s.day_parts[static_cast<std::size_t>(platform::hour_of(test.moment) / 6)], test.level);
    add_to(s.weekdays[static_cast<std::size_t>(monday_first(test.moment))], test.level);
  }
  finish(s.day_parts);
  finish(s.weekdays);
  // A hand-edited logbook may hold its tests in any order.
  std::sort(days.begin(), days.end());
  s.days_with_tests = static_cast<int>(std::unique(days.begin(), days.end()) - days.begin());

  s.mean = sum / s.count;
  double squares = 0;
  for (double level : levels) squares += (level - s.mean) * (level - s.mean);
  s.sd = s.count > 1 ? std::sqrt(squares / (s.count - 1)) : 0.0;
  s.cv_percent = s.mean > 0 ? 100.0 * s.sd / s.mean : 0.0;
  s.median = median_of(levels);
  s.tests_per_day = static_cast<double>(s.count) / std::max(1, period.days());
  if (s.days_with_tests >= kGmiMinimumDays) {
    s.gmi_percent = 3.31 + 0.02392 * to_mg_dl(s.mean, unite);
    s.gmi_mmol_mol = 12.71 + 4.70587 * (to_mg_dl(s.mean, unite) / kMgDlPerMmolL);
  }
  return s;
}

std::array<std::optional<double>, 24> hourly_medians(const PeriodTests& tests) {
  std::array<std::vector<double>, 24> by_hour;
  for (const PeriodTest& test : tests.tests) {
    by_hour[static_cast<std::size_t>(platform::hour_of(test.moment))].push_back(test.level);
  }
  std::array<std::optional<double>, 24> out;
  for (std::size_t hour = 0; hour < 24; ++hour) {
    if (!by_hour[hour].empty()) out[hour] = median_of(by_hour[hour]);
  }
  return out;
}

std::vector<DayMean> daily_means(const PeriodTests& tests) {
  std::map<platform::Serial, Share> days;
  for (const PeriodTest& test : tests.tests)
    add_to(days[platform::day_part(test.moment)], test.level);
  std::vector<DayMean> out;
  out.reserve(days.size());
  for (const auto& [day, share] : days) out.push_back({day, share.mean / share.count});
  return out;
}

}  // namespace sugarlog
