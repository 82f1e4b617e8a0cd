#include "pulsewise/engine/interpret.h"

#include <gtest/gtest.h>

#include <set>

#include "pulsewise/engine/cycles.h"

namespace pulsewise {
namespace {

int row_for(double p, double e, double i) {
  return advice_row(cycle_state(Cycle::Physical, p), cycle_state(Cycle::Emotional, e),
                    cycle_state(Cycle::Intellectual, i));
}

TEST(AdviceTable, BandBoundariesChooseTheRow) {
  EXPECT_EQ(row_for(-0.12, 0.5, 0.5), 5);
  EXPECT_EQ(row_for(-0.121, 0.5, 0.5), 9);
  EXPECT_EQ(row_for(0.5, 0.22, 0.5), 6);
  EXPECT_EQ(row_for(0.5, 0.2201, 0.5), 7);
  EXPECT_EQ(row_for(0.5, 0.5, 0.18), 15);
  EXPECT_EQ(row_for(0.5, 0.5, 0.181), 7);
}

TEST(AdviceTable, CriticalRowsWinAndHighLowRowsCoverTheRest) {
  EXPECT_EQ(advice_row(0, 0, 0), 1);
  EXPECT_EQ(advice_row(0, -1, 0), 3);
  EXPECT_EQ(advice_row(1, 0, -1), 6);
  EXPECT_EQ(advice_row(-1, 1, 0), 15);
  std::set<int> rows;
  for (int p : {-1, 1}) {
    for (int e : {-1, 1}) {
      for (int i : {-1, 1}) rows.insert(advice_row(p, e, i));
    }
  }
  EXPECT_EQ(rows, (std::set<int>{7, 8, 9, 10, 11, 12, 13, 14}));
}

class InterpretTest : public ::testing::Test {
 protected:
  InterpretTest() {
    state.chartdate = platform::date_serial(2001, 3, 5);
    state.birthdate = platform::date_serial(1990, 1, 1);  // 4081 days
  }
  std::string text() const { return InterpretChart(state, "dd/MM/yyyy").value().text; }
  ChartState state;
};

TEST_F(InterpretTest, OnTheBirthdayEverythingIsCritical) {
  state.birthdate = state.chartdate;
  EXPECT_EQ(InterpretChart(state, "dd/MM/yyyy")->title, "Interpretation");
  EXPECT_EQ(text(),
            "Interpretation for 05/03/2001:\n\n"
            "Physical, emotional &\nintellectual critical day!\n\n"
            "Don't get out of bed, don't\ngo anywhere, and don't do\nanything!!!");
}

TEST_F(InterpretTest, ClassifiesThePersonOnTheChartDate) {
  // Physical 0.40 high, emotional -1 low, intellectual -0.87 low.
  EXPECT_EQ(text(), "Interpretation for 05/03/2001:\n\n" + advice_text(11));
  EXPECT_EQ(advice_text(11).substr(0, 24), "Good physical form, but\n");
  state.chartdate += 1;  // physical 0.14: critical
  EXPECT_EQ(text(), "Interpretation for 06/03/2001:\n\n" + advice_text(5));
}

TEST_F(InterpretTest, ComparisonReportsEveryCycle) {
  state.charttype = 1;
  state.birthdate2 = state.birthdate;
  EXPECT_EQ(text(),
            "Comparison for 05/03/2001:\n\n"
            "Physical: 100%\nEmotional: 100%\nIntellectual: 100%\nOverall: 100%");
  state.birthdate = state.chartdate - 7;
  state.birthdate2 = state.chartdate - 21;
  EXPECT_EQ(text(),  // (27 + 0 + 14) / 3 rounds down
            "Comparison for 05/03/2001:\n\n"
            "Physical: 27%\nEmotional: 0%\nIntellectual: 14%\nOverall: 13%");
  state.charttype = 2;
  EXPECT_FALSE(InterpretChart(state, "dd/MM/yyyy"));
}

TEST(ChartKey, ListsTheCurvesThatAreOn) {
  ChartState state;
  EXPECT_EQ(HelpChartKey(state).text, "P=Physical\nE=Emotional\nI=Intellectual");
  state.showphysical = state.showemotional = state.showintellectual = kOff;
  state.showaverage = kOn;
  EXPECT_EQ(HelpChartKey(state).text, "A=Average");
  state.showaverage = kOff;
  EXPECT_EQ(HelpChartKey(state).text, "You need to turn on some curves\nin the Settings menu!");
  EXPECT_EQ(HelpChartKey(state).title, "Chart key");
}

}  // namespace
}  // namespace pulsewise
