#include <gtest/gtest.h>

#include "platform/core/testing/fakes.h"
#include "sugarlog/charts/chart_frame.h"
#include "sugarlog/charts/plot.h"

namespace sugarlog {
namespace {

class ChartTest : public ::testing::Test {
 protected:
  form::Form window{"w"};
  platform::RecordingSurfaceFactory surfaces;
  ChartControls chart{window, surfaces};
  ChartFrame frame;
};

TEST_F(ChartTest, EveryViewsPartitionsSpanTheChart) {
  // MonthYear first, so the views after it must set their own line width back.
  for (View view : {View::MonthYear, View::DayWeek, View::WeekMonth}) {
    Partitions_Graphiques(frame, view);
    const int span = frame.Largeur_Partition * frame.Qte_Partitions;
    // Whole-twip widths leave less than one twip per partition short of the right edge.
    EXPECT_LE(span, kChartRight);
    EXPECT_GT(span, kChartRight - frame.Qte_Partitions);
    EXPECT_EQ(frame.Epaisseur_Ligne, view == View::MonthYear ? 1 : 2);
  }
}

TEST_F(ChartTest, ClearingAnEmptyChartChangesNothingElse) {
  frame.Raccord_Droit = 0;
  for (int start : {0, 1}) {
    frame.Prochaine_Ligne = start;
    Effacer_Graph(frame, chart);
    EXPECT_EQ(frame.Prochaine_Ligne, 0);
    EXPECT_EQ(frame.Raccord_Droit, 0);
  }
}

TEST_F(ChartTest, ClearingDestroysExactlyThePlottedLines) {
  for (int i = 1; i <= 3; ++i) chart.Ligne.load(i).visible = true;
  chart.Ligne.load(4);  // not counted as plotted
  chart.Ligne[0].y1 = 500;
  chart.Aff_Moyenne.visible = true;
  frame.Prochaine_Ligne = 4;
  frame.Raccord_Droit = 0;
  Effacer_Graph(frame, chart);
  EXPECT_FALSE(chart.Ligne.loaded(1));
  EXPECT_FALSE(chart.Ligne.loaded(3));
  EXPECT_TRUE(chart.Ligne.loaded(4));
  EXPECT_FALSE(chart.Ligne[0].visible);
  EXPECT_EQ(chart.Ligne[0].y1, kChartBottom);
  EXPECT_EQ(frame.Prochaine_Ligne, 0);
  EXPECT_EQ(frame.Raccord_Droit, 1);
  EXPECT_FALSE(chart.Aff_Moyenne.visible);
}

TEST_F(ChartTest, AxisTitlesAreHiddenByView) {
  chart.Aff_Jour[3].visible = true;
  chart.Aff_Nom_Mois.visible = true;
  chart.Aff_Mois[12].visible = true;
  frame.Titre_AxeX = kTitlesWeekMonth;
  Effacer_Titre_AxeX(frame, chart);
  EXPECT_FALSE(chart.Aff_Nom_Mois.visible);
  EXPECT_TRUE(chart.Aff_Jour[3].visible);
  frame.Titre_AxeX = kTitlesDayWeek;
  Effacer_Titre_AxeX(frame, chart);
  EXPECT_FALSE(chart.Aff_Jour[3].visible);
  EXPECT_TRUE(chart.Aff_Mois[12].visible);
  frame.Titre_AxeX = 99;
  Effacer_Titre_AxeX(frame, chart);
  EXPECT_FALSE(chart.Aff_Mois[12].visible);
}

TEST_F(ChartTest, ScaleAndObjectiveLines) {
  EXPECT_DOUBLE_EQ(level_height(25, 1), 0);
  EXPECT_DOUBLE_EQ(level_height(450, 18), 0);
  EXPECT_DOUBLE_EQ(level_height(6.25, 0.25), 0);
  EXPECT_DOUBLE_EQ(level_height(0, 18), 1300);
  EXPECT_DOUBLE_EQ(level_height(7, 1), 936);
  write_unit_labels(chart, kMgDl);
  Lignes_Objectif(chart);
  EXPECT_EQ(chart.Aff_mmol.caption, "mg/dl");
  EXPECT_EQ(chart.Aff_Niveau[2].caption, "180");
  EXPECT_EQ(chart.Objectif1.y1, 936);
  EXPECT_EQ(chart.Objectif2.y2, 1092);
  EXPECT_EQ(chart.Objectif1.x2, kChartRight);
  EXPECT_EQ(chart.Objectif1.border_colour, platform::rgb(128, 128, 128));
}

TEST(ResultClasses, BoundsOfEachUnit) {
  struct Case {
    int unite;
    double level;
    bool optimal, suboptimal, compromise;
  };
  const Case cases[] = {
      {kMmolL, 3.9, false, false, false}, {kMmolL, 4, true, false, false},
      {kMmolL, 6.9, true, false, false},  {kMmolL, 7, false, true, false},
      {kMmolL, 9.9, false, true, false},  {kMmolL, 10, false, false, true},
      {kMgDl, 71, false, false, false},   {kMgDl, 72, true, false, false},
      {kMgDl, 126, false, true, false},   {kMgDl, 180, false, false, true},
      {kGL, 0.79, false, false, false},   {kGL, 0.8, true, false, false},
      {kGL, 1.25, true, false, false},    {kGL, 1.255, true, true, false},
      {kGL, 1.26, false, true, false},    {kGL, 2.0, false, false, true},
      {7, 4, true, false, false},  // an unknown unit code reads as mmol/l
  };
  for (const Case& c : cases) {
    const ResultClasses got = result_classes(c.level, c.unite);
    EXPECT_EQ(got.optimal, c.optimal) << c.unite << " " << c.level;
    EXPECT_EQ(got.suboptimal, c.suboptimal) << c.unite << " " << c.level;
    EXPECT_EQ(got.compromise, c.compromise) << c.unite << " " << c.level;
  }
}

TEST(ChartReading, LevelsWithTheSystemSeparatorAndTheCursorMinimum) {
  EXPECT_DOUBLE_EQ(level_number("07,5", ","), 7.5);
  EXPECT_DOUBLE_EQ(level_number("07.5", "."), 7.5);
  EXPECT_DOUBLE_EQ(level_number("1,25", ","), 1.25);
  EXPECT_DOUBLE_EQ(level_number("", ","), 0);
  EXPECT_EQ(cursor_minimum(7), 32766);
  EXPECT_EQ(cursor_minimum(40000), 0);    // further back than the cursor reaches
  EXPECT_EQ(cursor_minimum(-30), 32767);  // a last test dated in the future
  // Titles: the first letters in capitals, accented ones included, counted as letters.
  EXPECT_EQ(upper_initials("févr.", 3), "FÉV");
  EXPECT_EQ(upper_initials("août", 3), "AOÛ");
  EXPECT_EQ(upper_initials("mer.", 2), "ME");
  EXPECT_EQ(upper_initials("Jan", 1), "J");
  EXPECT_EQ(upper_initials("ab", 5), "AB");
}

TEST(ShownLevel, ReformatsInTheUnitPicture) {
  UnitState units;
  EXPECT_EQ(shown_level("", units), "");
  EXPECT_EQ(shown_level("7.5", units), "07.5");
  units.Sep_Decimal = ",";
  EXPECT_EQ(shown_level("07,5", units), "07,5");
  units.Format_Taux = "##0";
  EXPECT_EQ(shown_level("12,4", units), "12");
}

}  // namespace
}  // namespace sugarlog
