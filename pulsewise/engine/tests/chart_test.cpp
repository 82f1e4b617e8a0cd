#include "pulsewise/engine/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "platform/core/testing/recording_surface.h"

namespace pulsewise {
namespace {

using platform::DrawOp;
using platform::PenStyle;

// The chart's full turn is a hair above 2 pi; over thousands of days that shows in the fourth
// decimal of a twip, so the expectations use the same literal.
constexpr double kTurn = 6.283185308;

// The main window's font: 100 twips a character, unlike the picture's own.
struct WindowFont : platform::TextMeasure {
  double text_width(std::string_view text) const override { return 100.0 * text.size(); }
};

class ChartTest : public ::testing::Test {
 protected:
  ChartTest() {
    state.chartdate = platform::date_serial(2001, 3, 5);  // a Monday
    state.birthdate = platform::date_serial(1990, 1, 1);  // 4081 days before
    state.birthdate2 = platform::date_serial(1985, 6, 15);
  }
  void draw(std::int16_t type = 0, double width = 5000, double height = 3000) {
    state.charttype = type;
    picture = platform::RecordingSurface(width, height);
    drawchart(state, picture, WindowFont{}, "dd/MM/yyyy");
  }
  // Lines in one colour; nullopt selects the foreground colour.
  std::vector<DrawOp> lines(std::optional<platform::Colour> colour) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : picture.lines()) {
      if (op.colour == colour) out.push_back(op);
    }
    return out;
  }
  std::vector<DrawOp> texts(double size, std::optional<bool> bold = std::nullopt) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : picture.texts()) {
      if (op.font_size == size && (!bold || op.bold == *bold)) out.push_back(op);
    }
    return out;
  }
  std::vector<DrawOp> curve(int c) const { return lines(state.*kCurves[c].colour); }

  ChartState state;
  platform::RecordingSurface picture{0, 0};
};

void expect_line(const DrawOp& op, double x1, double y1, double x2, double y2) {
  EXPECT_DOUBLE_EQ(op.x1, x1);
  EXPECT_DOUBLE_EQ(op.y1, y1);
  EXPECT_DOUBLE_EQ(op.x2, x2);
  EXPECT_DOUBLE_EQ(op.y2, y2);
}
void expect_text(const DrawOp& op, std::string_view text, double x, double y) {
  EXPECT_EQ(op.text, text);
  EXPECT_DOUBLE_EQ(op.x1, x);
  EXPECT_DOUBLE_EQ(op.y1, y);
}
double sine(double t, int period) {
  return std::sin(t / period * kTurn);
}
constexpr int kPeriods[] = {23, 28, 33};

TEST_F(ChartTest, ColumnsFollowTheWidth) {
  EXPECT_EQ(chart_columns(0, 5000), 16);
  EXPECT_EQ(chart_columns(1, 5000), 15);
  EXPECT_EQ(today_column(16), 9);
  EXPECT_EQ(today_column(15), 8);
}

TEST_F(ChartTest, OtherChartTypesLeaveThePictureUntouched) {
  draw(2);
  EXPECT_TRUE(picture.ops().empty());
  draw(-1);
  EXPECT_TRUE(picture.ops().empty());
}

TEST_F(ChartTest, BiorhythmFrameAndLabels) {
  state.birthname = "Ann";
  draw();
  EXPECT_EQ(picture.ops()[1].kind, DrawOp::Clear);
  const auto black = lines(platform::kBlack);
  ASSERT_EQ(black.size(), 1u + 15u);  // no tick on the outer ends of the axis
  expect_line(black[0], 200, 1200, 4600, 1200);
  expect_line(black[1], 475, 1100, 475, 1300);
  expect_line(black[15], 4325, 1100, 4325, 1300);

  const auto days = texts(8);
  ASSERT_EQ(days.size(), 32u);
  expect_text(days[0], "Su", 230, 1000);  // Sunday 25 February
  expect_text(days[1], " 25", 230, 1220);
  expect_text(days[31], " 12", 4355, 1220);
  for (std::size_t n = 0; n < days.size(); ++n) EXPECT_EQ(days[n].bold, n / 2 == 8) << n;

  const auto text = texts(10, false);
  ASSERT_EQ(text.size(), 3u);
  expect_text(text[0], "Birthday: Monday 01/01/1990 (Ann)", (5000 - 3300) / 2 - 400, 2280);
  expect_text(text[1], "Chart date: Monday 05/03/2001", (5000 - 2900) / 2 - 400, 2480);
  expect_text(text[2], "Age: 4081 days", (5000 - 1400) / 2 - 400, 2680);
}

TEST_F(ChartTest, BiorhythmCurvesAndLetters) {
  state.showaverage = kOn;
  draw();
  const double t1 = 4081;
  auto y = [](double t, int c) { return 1200 - 1000 * sine(t, kPeriods[c]); };
  for (int c = 0; c < 3; ++c) {
    const auto segs = curve(c);
    ASSERT_EQ(segs.size(), 16u);
    EXPECT_EQ(segs[0].pen_width, 2);
    expect_line(segs[0], 200, y(t1 - 8, c), 475, y(t1 - 7, c));
    expect_line(segs[15], 4325, y(t1 + 7, c), 4600, y(t1 + 8, c));
  }
  const auto average = curve(kAverageCurve);
  ASSERT_EQ(average.size(), 16u);
  EXPECT_NEAR(average[0].y1, (y(t1 - 8, 0) + y(t1 - 8, 1) + y(t1 - 8, 2)) / 3, 1e-9);

  const auto letters = texts(10, true);
  ASSERT_EQ(letters.size(), 4u);
  for (int c = 0; c < 4; ++c) {
    expect_text(letters[c], kCurves[c].letter, 4680, curve(c).back().y2 - 120);
  }
}

TEST_F(ChartTest, NothingIsDrawnOnOrBeforeTheDayOfBirth) {
  state.birthdate = state.chartdate;
  draw();
  const auto segs = curve(0);
  ASSERT_EQ(segs.size(), 8u);  // columns 9 to 16, from the axis at the today column
  expect_line(segs[0], 2400, 1200, 2675, 1200 - 1000 * sine(1, 23));

  state.birthdate2 = state.chartdate + 2;  // the comparison needs both births
  draw(1);
  ASSERT_EQ(curve(0).size(), 6u);
  EXPECT_DOUBLE_EQ(curve(0)[0].x1, 600 + 9 * 275);
}

TEST_F(ChartTest, AllSwitchesOffLeaveFrameAndTextsOnly) {
  state.showphysical = state.showemotional = state.showintellectual = kOff;
  for (std::int16_t type : {0, 1}) {
    draw(type);
    for (const DrawOp& op : picture.lines()) EXPECT_EQ(op.pen_width, 1);
    EXPECT_TRUE(texts(10, true).empty());
  }
}

TEST_F(ChartTest, AverageComesFromAllThreeCyclesEvenWhenTheyAreOff) {
  state.showphysical = state.showemotional = state.showintellectual = kOff;
  state.showaverage = kOn;
  draw();
  ASSERT_EQ(picture.lines().size(), 16u + 16u);
  const double mean = (sine(4081, 23) + sine(4081, 28) + sine(4081, 33)) / 3;
  EXPECT_NEAR(curve(kAverageCurve)[7].y2, 1200 - 1000 * mean, 1e-9);  // at the chart date
}

TEST_F(ChartTest, MarkersAndWeekSeparators) {
  state.chartdate = platform::date_serial(2001, 3, 4);  // a Sunday, so is the last column
  state.weekseparators = kOn;
  state.todaymarker = kOn;
  draw();
  auto fg = lines(std::nullopt);
  ASSERT_EQ(fg.size(), 3u);
  expect_line(fg[0], 750, 200, 750, 2200);
  expect_line(fg[1], 2537.5, 200, 2537.5, 2200);
  EXPECT_EQ(fg[1].pen_style, PenStyle::Dotted);
  expect_line(fg[2], 2675, 200, 2675, 2200);
  EXPECT_EQ(fg[2].pen_style, PenStyle::Solid);

  draw(1);  // Sundays in columns 1, 8 (today) and 15 of 15
  fg = lines(std::nullopt);
  ASSERT_EQ(fg.size(), 3u + 3u);
  expect_line(fg[3], 875, 100, 875, 1900);
  expect_line(fg[4], 2662.5, 100, 2662.5, 1900);
  expect_line(fg[5], 2800, 100, 2800, 1900);
}

TEST_F(ChartTest, TallPicturesKeepTheirFullAmplitude) {
  state.todaymarker = kOn;
  draw(0, 5000, 70000);  // an amplitude beyond 16 bits
  expect_line(lines(std::nullopt)[0], 2537.5, 200, 2537.5, 69200);
  draw(1, 5000, 40000);
  expect_line(lines(std::nullopt)[0], 600, 100, 600, 39100);
  draw(0, 5000, 3003);  // 1001.5 twips, halves go to the even neighbour
  EXPECT_DOUBLE_EQ(lines(std::nullopt)[0].y1, 1201.5 - 1002);
}

TEST_F(ChartTest, ComparisonFrameAndLabels) {
  state.birthname2 = "Bo";
  draw(1);
  const auto fg = lines(std::nullopt);
  ASSERT_EQ(fg.size(), 3u);
  expect_line(fg[0], 600, 100, 600, 2100);
  expect_line(fg[1], 600, 1000, 4725, 1000);
  expect_line(fg[2], 600, 100, 4725, 100);
  EXPECT_EQ(fg[1].pen_style, PenStyle::Dotted);
  const auto black = lines(platform::kBlack);
  ASSERT_EQ(black.size(), 1u + 15u);  // the right end carries a tick
  expect_line(black[0], 600, 1900, 4725, 1900);
  expect_line(black[15], 4725, 1900, 4725, 2100);

  const auto small = texts(8);
  ASSERT_EQ(small.size(), 30u + 3u);
  expect_text(small[0], "Mo", 630, 1900);
  expect_text(small[1], " 26", 630, 2100);
  EXPECT_TRUE(small[14].bold);  // column 8
  expect_text(small[30], "100%", 75, 75);
  expect_text(small[31], " 50%", 75, 900);
  expect_text(small[32], "  0%", 75, 1725);

  const auto text = texts(10, false);
  ASSERT_EQ(text.size(), 3u);
  expect_text(text[0], "Birthday 1: Monday 01/01/1990, age 4081 days", (5000 - 4400) / 2 - 600,
              2280);
  EXPECT_EQ(text[1].text, "Birthday 2: Saturday 15/06/1985 (Bo), age 5742 days");
  EXPECT_EQ(text[2].text, "Chart date: Monday 05/03/2001");
}

TEST_F(ChartTest, ComparisonCurves) {
  draw(1);
  auto y = [](double offset, int c) {
    return 100 +
           900 * std::abs(sine(4081 + offset, kPeriods[c]) - sine(5742 + offset, kPeriods[c]));
  };
  for (int c = 0; c < 3; ++c) {
    const auto segs = curve(c);
    ASSERT_EQ(segs.size(), 15u);
    EXPECT_NEAR(segs[0].y1, y(-7, c), 1e-9);
    EXPECT_NEAR(segs[0].y2, y(-6, c), 1e-9);
    EXPECT_NEAR(segs[14].y2, y(8, c), 1e-9);
    EXPECT_DOUBLE_EQ(segs[14].x2, 4725);
  }

  state.birthdate2 = state.birthdate;  // in step every day: flat on the 100 % line
  state.showaverage = kOn;
  draw(1);
  for (int c = 0; c < 4; ++c) {
    for (const DrawOp& op : curve(c)) EXPECT_TRUE(op.y1 == 100 && op.y2 == 100);
  }
  expect_text(texts(10, true)[3], "A", 4805, -20);
}

// A dark desktop theme for the length of one test.
class DarkTheme {
 public:
  DarkTheme() {
    platform::SystemColours dark = platform::default_system_colours();
    dark[15] = platform::rgb(53, 53, 53);     // button face
    dark[18] = platform::rgb(240, 240, 240);  // button text
    platform::set_system_colours(dark);
  }
  ~DarkTheme() { platform::set_system_colours(platform::default_system_colours()); }
};

// On a chart that follows the theme's button face, the frame and texts follow its text colour
// and every curve stays readable; printed or saved, the chart keeps its colours as chosen.
TEST_F(ChartTest, ADarkThemeKeepsTheChartReadable) {
  const DarkTheme theme;
  state.showaverage = kOn;
  const platform::Colour light_text = platform::rgb(240, 240, 240);
  for (std::int16_t type : {0, 1}) {
    draw(type);
    EXPECT_EQ(lines(platform::kBlack).size(), 0u) << type;
    EXPECT_EQ(lines(light_text).size(), 16u) << type;
    for (const DrawOp& op : picture.texts()) EXPECT_EQ(op.colour, platform::kButtonText);
    for (const DrawOp& op : picture.lines()) {
      const platform::Colour ink = op.colour.value_or(platform::kButtonText);  // foreground
      EXPECT_GE(platform::contrast_ratio(ink, state.bgcolour), 3.0) << type;
    }
    EXPECT_TRUE(curve(2).empty() && !curve(0).empty());  // blue brightened, red kept

    picture = platform::RecordingSurface(5000, 3000);
    drawchart(state, picture, WindowFont{}, "dd/MM/yyyy", ChartInk::AsChosen);
    EXPECT_GE(lines(platform::kBlack).size(), 16u) << type;
    for (int c = 0; c < 4; ++c) EXPECT_FALSE(curve(c).empty()) << type << c;
  }

  // A background of the user's own choice (or the white of a print) is theirs: the chart is drawn
  // as on a light desktop, black texts included.
  for (platform::Colour own : {platform::rgb(20, 20, 20), platform::kWhite}) {
    state.bgcolour = own;
    draw();
    EXPECT_EQ(lines(platform::kBlack).size(), 16u);
    EXPECT_FALSE(curve(2).empty());
    for (const DrawOp& op : picture.texts()) EXPECT_EQ(op.colour, platform::kBlack);
  }
}

}  // namespace
}  // namespace pulsewise
