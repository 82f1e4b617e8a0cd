#include "pulsewise/engine/cycles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pulsewise {
namespace {

TEST(CycleModel, EveryCycleIsCriticalOnTheDayOfBirth) {
  for (Cycle c : kCycles) EXPECT_EQ(cycle_state(c, cycle_at(c, 0)), 0);
  EXPECT_DOUBLE_EQ(CycleValue(7, 28, 1000), 1000);
}

TEST(CycleModel, BandsAreClosedOnTheCriticalSide) {
  // The interpretation tests walk the other bounds.
  EXPECT_EQ(cycle_state(Cycle::Physical, 0.26), 0);
  EXPECT_EQ(cycle_state(Cycle::Physical, 0.26 + 1e-9), 1);
  EXPECT_EQ(cycle_state(Cycle::Emotional, -0.2201), -1);
  EXPECT_EQ(cycle_state(Cycle::Intellectual, -0.093), 0);
  EXPECT_EQ(cycle_state(Cycle::Intellectual, -0.094), -1);
  // Above 0.18 in double but not in single precision, which the intellectual bands use.
  EXPECT_EQ(cycle_state(Cycle::Intellectual, 0.18 + 1e-9), 0);
}

TEST(Comparison, InStepIsHundredAndOppositeIsZero) {
  for (Cycle c : kCycles) EXPECT_EQ(comparison_distance(c, 1234, 1234), 0);
  EXPECT_EQ(comparison_percent(comparison_distance(Cycle::Physical, 100, 146)), 100);
  // Fourteen days apart the emotional values are opposite: d = 2|v|.
  EXPECT_EQ(comparison_percent(comparison_distance(Cycle::Emotional, 7, 21)), 0);
  EXPECT_EQ(comparison_percent(comparison_distance(Cycle::Emotional, 14, 28)), 100);
  EXPECT_NEAR(comparison_distance(Cycle::Emotional, 3, 17),
              2 * std::abs(cycle_at(Cycle::Emotional, 3)), 1e-9);
  EXPECT_EQ(comparison_percent(0.021), 99);  // rounds down
}

TEST(DateTexts, StoredFormHasNoLeadingZeros) {
  EXPECT_EQ(DateToString(0), "30/12/1899");
  EXPECT_EQ(DateToString(platform::date_serial(2001, 3, 5)), "5/3/2001");
  EXPECT_EQ(DateToString(platform::date_serial(2000, 12, 25)), "25/12/2000");
  EXPECT_EQ(dayname_of(platform::date_serial(2001, 3, 4)), "Sunday");
  EXPECT_EQ(FlagToString(-1), "-1");
  EXPECT_EQ(FlagToString(0), "0");
}

TEST(DateTexts, BirthdayErrorNamesTheNewChartDate) {
  EXPECT_EQ(birthday_error_text(platform::date_serial(2026, 12, 6)),
            "You can't display a biorhythm chart with a\n"
            "chart date before they were born!\n\n"
            "Setting chart date to 6/12/2026.");
}

}  // namespace
}  // namespace pulsewise
