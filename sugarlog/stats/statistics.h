#pragma once
// The figures of a period of the logbook, computed once and shown by the statistics window, the
// report and the command line alike. Levels are read by the logbook's unit rules and stay in the
// unit in force for the figures people read (mean, median, ...); the ranges and the estimated
// HbA1c compare them in whole mg/dl, where the bounds of every unit meet exactly.
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "sugarlog/store/period.h"
#include "sugarlog/store/test_table.h"

namespace sugarlog {

// The target range in whole mg/dl; the other range bounds are fixed.
struct TargetRange {
  int low = 70;    // lowest level in target
  int high = 180;  // highest level in target
  bool operator==(const TargetRange&) const = default;
};

// Below kVeryLowBelow is very low, above kVeryHighAbove very high (mg/dl).
inline constexpr int kVeryLowBelow = 54;
inline constexpr int kVeryHighAbove = 250;

enum class Range { kVeryLow, kLow, kTarget, kHigh, kVeryHigh };
inline constexpr int kRangeCount = 5;

// A level of a unit in mg/dl (mmol/l x 18, g/l x 100), and back.
double to_mg_dl(double level, int unite);
double from_mg_dl(double mg_dl, int unite);
// The range of a level of a unit, compared in whole mg/dl: 13.9 mmol/l (250.2) is high,
// 3.9 mmol/l (70.2) in target.
Range range_of(double level, int unite, const TargetRange& target);

// A level text read by the unit's rule when it is a plain positive number ("07.5", "7,5", "135",
// "1.20"); nothing for an empty text, letters, a sign or several decimal points.
std::optional<double> readable_level(std::string_view text, int unite, std::string_view separator);

// One test of a period, its level read.
struct PeriodTest {
  int slot = 0;                 // in the test table
  platform::Serial moment = 0;  // day and time of day
  double level = 0;             // in the unit in force
};

struct PeriodTests {
  std::vector<PeriodTest> tests;  // newest first, as the table holds them
  // Tests left out because their date, time or level cannot be read (a test whose date cannot be
  // read may lie in any period: it is counted in every one).
  int unreadable = 0;
};

// The readable tests of slots 1..Nb_Tests whose day lies in the period.
PeriodTests tests_in_period(const TestTable& table, const Period& period, int unite,
                            std::string_view separator, int this_year);

struct Share {
  int count = 0;
  double mean = 0;  // in the unit; 0 when count is 0
};

// Parts of the day: night 00-06, morning 06-12, afternoon 12-18, evening 18-24.
inline constexpr int kDayParts = 4;

struct Statistics {
  Period period;
  int unite = 0;
  TargetRange target;
  int count = 0;
  int unreadable = 0;
  int days_with_tests = 0;
  double tests_per_day = 0;  // over every day of the period
  // In the unit; all 0 when the period holds no test.
  double mean = 0, sd = 0, median = 0, lowest = 0, highest = 0;
  double cv_percent = 0;  // SD / mean x 100
  // The glucose management indicator: only with enough days of tests.
  std::optional<double> gmi_percent, gmi_mmol_mol;
  std::array<int, kRangeCount> ranges{};
  std::array<Share, kDayParts> day_parts{};
  std::array<Share, 7> weekdays{};  // Monday first

  // The share of the tests in a range, in percent (0 for an empty period).
  double percent(Range range) const;
};

// GMI needs at least this many days with tests.
inline constexpr int kGmiMinimumDays = 14;

Statistics compute_statistics(const PeriodTests& tests, const Period& period, int unite,
                              const TargetRange& target);

// The median of some levels (0 for none); the vector is reordered.
double median_of(std::vector<double>& levels);

// For the charts: the median level of the tests of each hour of the day (nothing for an hour
// without tests), and the mean of each day of the period with tests, oldest first.
std::array<std::optional<double>, 24> hourly_medians(const PeriodTests& tests);
struct DayMean {
  platform::Serial day = 0;
  double mean = 0;
};
std::vector<DayMean> daily_means(const PeriodTests& tests);

}  // namespace sugarlog
