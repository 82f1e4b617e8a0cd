#include <gtest/gtest.h>

#include "platform/core/testing/fakes.h"
#include "sugarlog/charts/chart_frame.h"

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
