// The figures of a period, worked out by hand, and the target range's own settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/stats/figures.h"
#include "sugarlog/stats/statistics.h"
#include "sugarlog/stats/target_file.h"

namespace sugarlog {
namespace {

using platform::date_serial;
using Row = std::array<std::string, 3>;  // date, time, level

constexpr int kThisYear = 2026;

// Newest first, as the logbook holds them.
TestTable table_of(const std::vector<Row>& rows) {
  TestTable table;
  for (const Row& row : rows) {
    const int i = ++table.Nb_Tests;
    table.Tab_Date[i] = row[0];
    table.Tab_Heure[i] = row[1];
    table.Tab_Taux[i] = row[2];
  }
  return table;
}

// 1 to 30 November 2026.
const Period kNovember{date_serial(2026, 11, 1), date_serial(2026, 11, 30)};

Statistics stats_of(const std::vector<Row>& rows, int unite, const Period& period = kNovember,
                    TargetRange target = {}) {
  const TestTable table = table_of(rows);
  return compute_statistics(tests_in_period(table, period, unite, ".", kThisYear), period, unite,
                            target);
}

struct Case {
  const char* name;
  int unite;
  std::vector<Row> rows;
  int count, days, unreadable;
  double mean, sd, median, lowest, highest;
};

TEST(Statistics, HandWorkedCases) {
  const std::vector<Case> cases = {
      {"empty period", kMmolL, {{"15/10/26", "08:00", "07.0"}}, 0, 0, 0, 0, 0, 0, 0, 0},
      {"one test", kMmolL, {{"15/11/26", "08:00", "07.5"}}, 1, 1, 0, 7.5, 0, 7.5, 7.5, 7.5},
      {"all equal: SD 0",
       kMmolL,
       {{"03/11/26", "20:00", "06.0"},
        {"03/11/26", "08:00", "06.0"},
        {"02/11/26", "08:00", "06.0"}},
       3,
       2,
       0,
       6.0,
       0,
       6.0,
       6.0,
       6.0},
      // mean 8, squares 9+1+1+9 = 20, SD = sqrt(20/3), median (7+9)/2.
      {"mmol/l",
       kMmolL,
       {{"04/11/26", "08:00", "11.0"},
        {"03/11/26", "08:00", "09.0"},
        {"02/11/26", "08:00", "07,0"},
        {"01/11/26", "08:00", "05.0"}},
       4,
       4,
       0,
       8.0,
       std::sqrt(20.0 / 3),
       8.0,
       5.0,
       11.0},
      // mean 150, squares 2500+0+2500, SD 50.
      {"mg/dl",
       kMgDl,
       {{"30/11/26", "23:59", "200"}, {"20/11/26", "12:00", "150"}, {"01/11/26", "00:00", "100"}},
       3,
       3,
       0,
       150,
       50,
       150,
       100,
       200},
      {"g/l",
       kGL,
       {{"10/11/26", "08:00", "1.50"}, {"09/11/26", "08:00", "0,90"}},
       2,
       2,
       0,
       1.2,
       std::sqrt(0.18),
       1.2,
       0.9,
       1.5},
      // Left out and counted: no level, letters, a sign, two points, level 0, no date, a
      // day that does not exist, no time, an impossible hour. Outside the period: not counted.
      {"unreadable",
       kMmolL,
       {{"10/11/26", "08:00", ""},
        {"10/11/26", "08:00", "abc"},
        {"10/11/26", "08:00", "-5.0"},
        {"10/11/26", "08:00", "1.2.3"},
        {"10/11/26", "08:00", "00.0"},
        {"", "08:00", "07.0"},
        {"31/02/26", "08:00", "07.0"},
        {"10/11/26", "", "07.0"},
        {"10/11/26", "25:00", "07.0"},
        {"10/10/26", "08:00", "xyz"},
        {"09/11/26", "08:00", "08.0"}},
       1,
       1,
       9,
       8.0,
       0,
       8.0,
       8.0,
       8.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Statistics s = stats_of(c.rows, c.unite);
    EXPECT_EQ(s.count, c.count);
    EXPECT_EQ(s.days_with_tests, c.days);
    EXPECT_EQ(s.unreadable, c.unreadable);
    EXPECT_NEAR(s.mean, c.mean, 1e-9);
    EXPECT_NEAR(s.sd, c.sd, 1e-9);
    EXPECT_NEAR(s.median, c.median, 1e-9);
    EXPECT_NEAR(s.lowest, c.lowest, 1e-9);
    EXPECT_NEAR(s.highest, c.highest, 1e-9);
    EXPECT_NEAR(s.tests_per_day, c.count / 30.0, 1e-9);
    EXPECT_NEAR(s.cv_percent, c.mean > 0 ? 100 * c.sd / c.mean : 0, 1e-9);
    EXPECT_FALSE(s.gmi_percent.has_value());
  }
}

TEST(Statistics, RangeBoundsMeetInEveryUnit) {
  using enum Range;
  const TargetRange target;
  struct Bound {
    int unite;
    double level;
    Range range;
  };
  for (const Bound& b :
       std::vector<Bound>{{kMmolL, 2.9, kVeryLow}, {kMmolL, 3.0, kLow},       {kMmolL, 3.8, kLow},
                          {kMmolL, 3.9, kTarget},  {kMmolL, 10.0, kTarget},   {kMmolL, 10.1, kHigh},
                          {kMmolL, 13.9, kHigh},   {kMmolL, 14.0, kVeryHigh}, {kMgDl, 53, kVeryLow},
                          {kMgDl, 54, kLow},       {kMgDl, 69, kLow},         {kMgDl, 70, kTarget},
                          {kMgDl, 180, kTarget},   {kMgDl, 181, kHigh},       {kMgDl, 250, kHigh},
                          {kMgDl, 251, kVeryHigh}, {kGL, 0.53, kVeryLow},     {kGL, 0.54, kLow},
                          {kGL, 0.70, kTarget},    {kGL, 1.80, kTarget},      {kGL, 1.81, kHigh},
                          {kGL, 2.50, kHigh},      {kGL, 2.51, kVeryHigh}}) {
    EXPECT_EQ(range_of(b.level, b.unite, target), b.range) << b.unite << " " << b.level;
  }
  // A target of the user's own: 5.0-8.0 mmol/l is 90-144 mg/dl.
  const TargetRange own{90, 144};
  EXPECT_EQ(range_of(4.9, kMmolL, own), Range::kLow);
  EXPECT_EQ(range_of(8.0, kMmolL, own), Range::kTarget);
  EXPECT_EQ(range_of(8.1, kMmolL, own), Range::kHigh);

  const Statistics s = stats_of({{"05/11/26", "08:00", "02.9"},
                                 {"05/11/26", "09:00", "03.5"},
                                 {"05/11/26", "10:00", "05.0"},
                                 {"05/11/26", "11:00", "12.0"},
                                 {"05/11/26", "12:00", "20.0"},
                                 {"05/11/26", "13:00", "06.0"},
                                 {"05/11/26", "14:00", "07.0"},
                                 {"05/11/26", "15:00", "08.0"}},
                                kMmolL);
  EXPECT_EQ(s.ranges, (std::array<int, 5>{1, 1, 4, 1, 1}));
  EXPECT_DOUBLE_EQ(s.percent(Range::kTarget), 50.0);
}

TEST(Statistics, TimeOfDayWeekdaysAndGmi) {
  // 7 December 2026 is a Monday. 14 days with tests, 154 mg/dl each: GMI 3.31 + 0.02392 x 154.
  std::vector<Row> rows;
  for (int day = 20; day >= 7; --day) {
    rows.push_back({(day < 10 ? "0" : "") + std::to_string(day) + "/12/26", "06:00", "154"});
  }
  rows.front()[1] = "23:59";  // Sunday 20th, evening
  rows.back()[1] = "05:59";   // Monday 7th, night
  const Period december{date_serial(2026, 12, 1), date_serial(2026, 12, 31)};
  const Statistics s = stats_of(rows, kMgDl, december);
  EXPECT_EQ(s.days_with_tests, 14);
  ASSERT_TRUE(s.gmi_percent && s.gmi_mmol_mol);
  EXPECT_NEAR(*s.gmi_percent, 6.99368, 1e-9);
  EXPECT_NEAR(*s.gmi_mmol_mol, 12.71 + 4.70587 * 154 / 18, 1e-9);
  EXPECT_EQ(s.day_parts[0].count, 1);
  EXPECT_EQ(s.day_parts[1].count, 12);
  EXPECT_EQ(s.day_parts[2].count, 0);
  EXPECT_EQ(s.day_parts[3].count, 1);
  EXPECT_DOUBLE_EQ(s.day_parts[1].mean, 154);
  EXPECT_EQ(s.weekdays[0].count, 2);  // Mondays 7 and 14
  EXPECT_EQ(s.weekdays[6].count, 2);  // Sundays 13 and 20

  rows.pop_back();  // 13 days: no estimate
  EXPECT_FALSE(stats_of(rows, kMgDl, december).gmi_percent);

  const TestTable table = table_of(rows);
  const PeriodTests tests = tests_in_period(table, december, kMgDl, ".", kThisYear);
  const auto medians = hourly_medians(tests);
  EXPECT_TRUE(medians[6] && !medians[5] && medians[23]);
  const auto means = daily_means(tests);
  ASSERT_EQ(means.size(), 13u);
  EXPECT_EQ(means.front().day, date_serial(2026, 12, 8));  // oldest first
}

TEST(Statistics, PeriodEndsAreIncludedAndMedianOfEvenCount) {
  const Statistics s = stats_of({{"01/12/26", "00:00", "10.0"},
                                 {"30/11/26", "23:59", "09.0"},
                                 {"01/11/26", "00:00", "05.0"},
                                 {"31/10/26", "23:59", "04.0"}},
                                kMmolL);
  EXPECT_EQ(s.count, 2);
  EXPECT_DOUBLE_EQ(s.median, 7.0);
  std::vector<double> levels{5, 1, 4, 2, 3, 6};
  EXPECT_DOUBLE_EQ(median_of(levels), 3.5);
}

TEST(Statistics, TestsInAnyOrderCountTheirDaysOnce) {
  // A hand-edited logbook: days out of order, one day in two places.
  const std::vector<Row> rows = {{"03/11/26", "08:00", "06.0"},
                                 {"05/11/26", "08:00", "10.0"},
                                 {"03/11/26", "20:00", "08.0"},
                                 {"04/11/26", "08:00", "05.0"}};
  const Statistics s = stats_of(rows, kMmolL);
  EXPECT_EQ(s.days_with_tests, 3);
  const TestTable table = table_of(rows);
  const auto means = daily_means(tests_in_period(table, kNovember, kMmolL, ".", kThisYear));
  ASSERT_EQ(means.size(), 3u);
  EXPECT_EQ(means[0].day, date_serial(2026, 11, 3));
  EXPECT_DOUBLE_EQ(means[0].mean, 7.0);
  EXPECT_DOUBLE_EQ(means[2].mean, 10.0);
  const auto medians = hourly_medians(tests_in_period(table, kNovember, kMmolL, ".", kThisYear));
  EXPECT_DOUBLE_EQ(*medians[8], 6.0);  // 5, 6 and 10
  EXPECT_DOUBLE_EQ(*medians[20], 8.0);
}

TEST(Figures, RangeBoundsInEachUnit) {
  const auto bounds = [](int unite, TargetRange target = {}) {
    std::vector<std::string> out;
    for (const FigureRow& row :
         statistics_view(stats_of({}, unite, kNovember, target), kEnglish, ".").ranges) {
      out.push_back(row.label);
    }
    return out;
  };
  EXPECT_EQ(bounds(kMgDl),
            (std::vector<std::string>{"Very low < 54", "Low 54-69", "In target 70-180",
                                      "High 181-250", "Very high > 250"}));
  EXPECT_EQ(bounds(kGL)[3], "High 1.81-2.50");
  EXPECT_EQ(bounds(kMmolL, {90, 144})[1], "Low 3.0-4.9");
  EXPECT_EQ(bounds(kMmolL, {90, 144})[3], "High 8.1-13.9");
}

TEST(Figures, TextsFollowLanguageUnitAndSeparator) {
  const Statistics s =
      stats_of({{"02/11/26", "08:00", "07.5"}, {"01/11/26", "08:00", "05.5"}}, kMmolL);
  const std::string fr = statistics_text(s, kFrench, ",", "dd/mm/yyyy");
  EXPECT_NE(fr.find("Période: 01/11/2026 au 30/11/2026"), std::string::npos) << fr;
  EXPECT_NE(fr.find("6,5 mmol/l"), std::string::npos) << fr;
  EXPECT_NE(fr.find("Bas 3,0-3,8"), std::string::npos) << fr;
  EXPECT_NE(fr.find("il faut au moins 14 jours"), std::string::npos) << fr;
  const std::string en = statistics_text(s, kEnglish, ".", "dd/mm/yyyy");
  EXPECT_NE(en.find("Mean"), std::string::npos);
  EXPECT_NE(en.find("In target 3.9-10.0"), std::string::npos) << en;
  EXPECT_NE(en.find("100.0 % (2)"), std::string::npos) << en;

  const Statistics none = stats_of({}, kMgDl);
  const std::string empty = statistics_text(none, kEnglish, ".", "dd/mm/yyyy");
  EXPECT_NE(empty.find("No test in this period."), std::string::npos);
  EXPECT_EQ(empty.find("nan"), std::string::npos);
  EXPECT_EQ(statistics_view(none, kEnglish, ".").ranges[2].value, "0.0 % (0)");
}

TEST(TargetRange, RefusedRanges) {
  EXPECT_FALSE(refuse_target_range({70, 180}, kMmolL, kEnglish, "."));
  EXPECT_FALSE(refuse_target_range({55, 249}, kMgDl, kEnglish, "."));
  for (const TargetRange bad : {TargetRange{180, 70}, TargetRange{100, 100}}) {
    const auto why = refuse_target_range(bad, kMmolL, kFrench, ",");
    ASSERT_TRUE(why);
    EXPECT_NE(why->find("limite basse"), std::string::npos);
  }
  const auto outside = refuse_target_range({54, 180}, kMmolL, kEnglish, ".");
  ASSERT_TRUE(outside);
  EXPECT_EQ(*outside, "The target range must lie between 3.0 and 13.9 mmol/l.");
  EXPECT_TRUE(refuse_target_range({70, 250}, kGL, kEnglish, "."));
}

TEST(TargetRange, KeptInAFileOfItsOwn) {
  platform::ScratchFolder config("stats-test");
  const TargetRangeFile file(config.path());
  EXPECT_EQ(file.path(), config / "sugarlog" / "statistics.ini");
  EXPECT_EQ(file.read(), TargetRange{});  // no file: the default range
  ASSERT_FALSE(file.write({90, 144}));
  EXPECT_EQ(file.read(), (TargetRange{90, 144}));
  EXPECT_FALSE(std::filesystem::exists(config / "sugarlog.ini"));

  // Edited by hand into nonsense: the default range, and the file left alone.
  for (const char* bytes : {"[Target]\nLow=200\nHigh=100\n", "[Target]\nLow=7x\nHigh=180\n",
                            "garbage", "[Target]\nHigh=180\n"}) {
    platform::write_bytes(file.path(), bytes);
    EXPECT_EQ(file.read(), TargetRange{}) << bytes;
    EXPECT_EQ(platform::read_bytes(file.path()), bytes);
  }

  if (geteuid() != 0) {  // root writes anywhere
    ::chmod(file.path().parent_path().c_str(), 0555);
    EXPECT_TRUE(file.write({80, 160}));
    ::chmod(file.path().parent_path().c_str(), 0755);
  }
}

}  // namespace
}  // namespace sugarlog
