#include <gtest/gtest.h>

#include "platform/core/testing/fakes.h"
#include "sugarlog/print/print_look.h"

namespace sugarlog {
namespace {

constexpr platform::Colour kYellow = platform::rgb(255, 255, 0);
constexpr platform::Colour kCyan = platform::rgb(0, 255, 255);
constexpr platform::Colour kGreen = platform::rgb(0, 128, 0);

class PrintLookTest : public ::testing::Test {
 protected:
  PrintLookTest() {
    chart.Ligne.load(1).border_colour = kYellow;
    chart.Ligne.load(2).border_colour = kCyan;
    chart.Ligne.load(3).border_colour = kYellow;
    chart.Ligne.unload(2);  // the array may have holes
    chart.Ligne.load(4).border_colour = kCyan;
    hidden.visible = false;
    frame_text.fore_colour = kGreen;
  }

  void expect_screen() {
    EXPECT_EQ(chart.Ligne[1].border_colour, kYellow);
    EXPECT_EQ(chart.Ligne[3].border_colour, kYellow);
    EXPECT_EQ(chart.Ligne[4].border_colour, kCyan);
    EXPECT_EQ(chart.Objectif2.border_colour, platform::rgb(128, 128, 128));
    EXPECT_EQ(chart.Graphique.back_colour, kChartBlack);
    EXPECT_EQ(chart.Graphique.surface().back_colour(), kChartBlack);
    EXPECT_FALSE(hidden.visible);
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.back_colour, std::nullopt);
    EXPECT_EQ(frame_text.fore_colour, kGreen);
    EXPECT_EQ(chart.Aff_Optimal.fore_colour, std::nullopt);
    EXPECT_EQ(window.back_colour, std::nullopt);
  }

  platform::RecordingSurfaceFactory surfaces;
  form::Form window{"Fenetre"};
  ChartControls chart{window, surfaces};
  form::Label hidden{&window, "Hidden"};
  form::Label shown{&window, "Shown"};
  form::Label frame_text{&chart.Cadre_Resultats, "Inside"};
};

TEST_F(PrintLookTest, EveryChangeComesBackExactlyWhateverTheOrder) {
  PrintLook look;
  look.hide(hidden);
  look.hide(shown);
  look.hide(shown);  // twice: still shown afterwards
  look.back_colour(window, platform::kWhite);
  look.back_colour(shown, kYellow);
  look.all_texts(window, platform::kBlack);
  look.text_colour(frame_text, platform::kBlack);
  look.chart_background(chart, platform::kWhite);
  look.chart_lines(chart, platform::kBlack);

  for (int i : {1, 3, 4}) EXPECT_EQ(chart.Ligne[i].border_colour, platform::kBlack);
  EXPECT_EQ(chart.Objectif1.border_colour, platform::kBlack);
  EXPECT_EQ(chart.Graphique.surface().back_colour(), platform::kWhite);
  EXPECT_EQ(frame_text.fore_colour, platform::kBlack);  // labels inside frames too
  EXPECT_EQ(chart.Cadre_Resultats.fore_colour, platform::kBlack);
  EXPECT_FALSE(shown.visible);

  look.restore();
  expect_screen();
  look.restore();  // nothing left to undo
  expect_screen();
}

TEST_F(PrintLookTest, ALookThatGoesOutOfScopePutsTheScreenBack) {
  {
    PrintLook look;
    look.chart_lines(chart, platform::kBlack);
    look.hide(shown);
    look.chart_background(chart, platform::kWhite);
  }
  expect_screen();
}

}  // namespace
}  // namespace sugarlog
