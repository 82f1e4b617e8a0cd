#include "pulsewise/engine/chart.h"

#include <array>
#include <cmath>
#include <string>

#include "platform/core/number.h"
#include "pulsewise/engine/cycles.h"

namespace pulsewise {
namespace {

using platform::DrawSurface;
using platform::PenStyle;
using platform::Serial;

constexpr double kBiorhythmLeft = 200;
constexpr double kComparisonLeft = 600;
constexpr double kComparisonTop = 100;  // the 100 % line

// Where the parts of one chart type go. Everything is derived from the picture's size.
struct Frame {
  double x0 = 0;           // left end of the axis
  int columns = 0;         // N
  double k = 0;            // curve amplitude (biorhythm) or scale height (comparison)
  double letters_y = 0;    // weekday letters
  double numbers_y = 0;    // day numbers
  double span_top = 0;     // today marker and week separators run from here ...
  double span_length = 0;  // ... this far down
  double text_offset = 0;  // the text lines sit this far left of centre
};

int half_span(int columns) {
  return static_cast<int>(std::floor(columns / 2.0));
}

double boundary_x(const Frame& f, double v) {
  return f.x0 + v * kColumnWidth;
}

double axis_end(const Frame& f) {
  return boundary_x(f, f.columns);
}

// The amplitude is kept as a whole number of twips, halves to the even neighbour. It is not
// squeezed into 16 bits: a tall picture (a 4K screen or a print page) simply gets a taller chart.
double whole_twips(double value) {
  return platform::round_half_even(value);
}

double biorhythm_centre(double height) {
  return height / 2 - 300;
}

Frame biorhythm_frame(double width, double height) {
  Frame f;
  const double y0 = biorhythm_centre(height);
  f.x0 = kBiorhythmLeft;
  f.columns = chart_columns(0, width);
  f.k = whole_twips(y0 - 200);
  f.letters_y = y0 - 200;
  f.numbers_y = y0 + 20;
  f.span_top = y0 - f.k;
  f.span_length = 2 * f.k;
  f.text_offset = 400;
  return f;
}

Frame comparison_frame(double width, double height) {
  Frame f;
  f.x0 = kComparisonLeft;
  f.columns = chart_columns(1, width);
  f.k = whole_twips(height - 1200);
  f.letters_y = f.k + kComparisonTop;
  f.numbers_y = f.k + 300;
  f.span_top = kComparisonTop;
  f.span_length = f.k;
  f.text_offset = 600;
  return f;
}

// The colours one drawing uses besides the background.
struct Inks {
  platform::Colour text = platform::kBlack;  // and the lines drawn in no colour of their own
  platform::Colour axis = platform::kBlack;  // axis and ticks
  std::array<platform::Colour, kCurves.size()> curves{};
};

// A curve must stand out from a dark chart at least as well as large text does.
constexpr double kCurveContrast = 3.0;

Inks inks_of(const ChartState& state, ChartInk ink) {
  Inks inks;
  for (std::size_t c = 0; c < kCurves.size(); ++c) inks.curves[c] = state.*kCurves[c].colour;
  // Texts on a background of the theme's are in the theme's text colour; on a colour of the
  // user's (or on paper) they are black, as on a light desktop, whatever the theme.
  const auto text = platform::text_colour_on(state.bgcolour);
  if (!text) return inks;
  inks.text = *text;
  if (ink == ChartInk::AsChosen) return inks;
  inks.axis = platform::resolve_colour(*text);  // black on a light theme, as chosen
  // The curves' colours were chosen for a light chart, where they stay as they are; a theme that
  // makes the chart dark must not make a curve vanish into it.
  if (platform::relative_luminance(*text) > platform::relative_luminance(state.bgcolour)) {
    for (platform::Colour& colour : inks.curves) {
      colour = platform::with_contrast(colour, state.bgcolour, kCurveContrast);
    }
  }
  return inks;
}

void start_picture(const ChartState& state, const Inks& inks, DrawSurface& picture) {
  picture.set_back_colour(state.bgcolour);
  picture.set_fore_colour(inks.text);
  picture.clear();
  picture.set_pen_width(1);
}

void dotted_line(DrawSurface& picture, double x1, double y1, double x2, double y2) {
  picture.set_pen_style(PenStyle::Dotted);
  picture.line(x1, y1, x2, y2);
  picture.set_pen_style(PenStyle::Solid);
}

void vertical_span(DrawSurface& picture, const Frame& f, double x, bool dotted) {
  const double bottom = f.span_top + f.span_length;
  if (dotted) {
    dotted_line(picture, x, f.span_top, x, bottom);
  } else {
    picture.line(x, f.span_top, x, bottom);
  }
}

// Weekday letters and day numbers under every column, the chart date's column in bold with
// its optional marker, and the optional line after each Sunday.
void draw_day_columns(const ChartState& state, DrawSurface& picture, const Frame& f) {
  picture.set_font_size(8);
  const int today = today_column(f.columns);
  for (int v = 1; v <= f.columns; ++v) {
    const Serial date = state.chartdate + (v - 1) - half_span(f.columns);
    const bool is_today = v == today;
    picture.set_font_bold(is_today);
    if (is_today && is_on(state.todaymarker)) {
      vertical_span(picture, f, f.x0 + (v - 0.5) * kColumnWidth, true);
    }
    const double x = boundary_x(f, v - 1) + 30;
    picture.print_text(x, f.letters_y, dayname_of(date).substr(0, 2));
    picture.print_text(x, f.numbers_y, platform::str(platform::day_of(date)));
    if (v < f.columns && platform::weekday_of(date) == 1 && is_on(state.weekseparators)) {
      vertical_span(picture, f, boundary_x(f, v), false);
    }
  }
}

struct TextLine {
  double y;
  std::string text;
};

void print_text_lines(DrawSurface& picture, const platform::TextMeasure& window_font,
                      const Frame& f, const std::array<TextLine, 3>& lines) {
  picture.set_font_size(10);
  picture.set_font_bold(false);
  for (const TextLine& line : lines) {
    const double w = window_font.text_width(line.text);
    picture.print_text((picture.width() - w) / 2 - f.text_offset, line.y, line.text);
  }
}

std::string described_date(Serial date, std::string_view picture) {
  return std::string(dayname_of(date)) + " " + platform::format_serial(date, picture);
}

std::string named(const std::string& name) {
  return name.empty() ? "" : " (" + name + ")";
}

std::string days(double age) {
  return platform::plain_number(age) + " days";
}

// The y of each curve (physical, emotional, intellectual, average) at the day that lies
// `offset` days from the chart date, and whether that day is charted at all.
using CurvePoints = std::array<double, 4>;

CurvePoints with_average(CurvePoints points) {
  points[kAverageCurve] = (points[0] + points[1] + points[2]) / 3;
  return points;
}

// One pass over the columns draws all four curves: each segment joins the previous column
// boundary to the next, in the curve's colour, when the curve is on and the day is charted.
// A letter then marks the right end of every curve that is on.
template <class PointsAt, class Charted>
void draw_curves(const ChartState& state, const Inks& inks, DrawSurface& picture, const Frame& f,
                 PointsAt points_at, Charted charted) {
  picture.set_font_size(10);
  picture.set_font_bold(true);
  picture.set_pen_width(2);
  const int half = half_span(f.columns);
  double prev_x = f.x0;
  CurvePoints prev = points_at(-half);
  for (int v = 1; v <= f.columns; ++v) {
    const double offset = v - half;
    const double x = boundary_x(f, v);
    const CurvePoints next = points_at(offset);
    const bool draw = charted(offset);
    for (std::size_t c = 0; c < kCurves.size(); ++c) {
      if (draw && is_on(state.*kCurves[c].show)) {
        picture.line(prev_x, prev[c], x, next[c], inks.curves[c]);
      }
    }
    prev = next;
    prev_x = x;
  }
  for (std::size_t c = 0; c < kCurves.size(); ++c) {
    if (is_on(state.*kCurves[c].show)) {
      picture.print_text(prev_x + 80, prev[c] - 120, kCurves[c].letter);
    }
  }
}

void draw_biorhythm(const ChartState& state, const Inks& inks, DrawSurface& picture,
                    const platform::TextMeasure& window_font, std::string_view date_picture) {
  const double w = picture.width();
  const double h = picture.height();
  const double t1 = state.chartdate - state.birthdate;
  const double y0 = biorhythm_centre(h);
  const Frame f = biorhythm_frame(w, h);
  start_picture(state, inks, picture);

  picture.line(f.x0, y0, axis_end(f), y0, inks.axis);
  for (int v = 1; v < f.columns; ++v) {
    picture.line(boundary_x(f, v), y0 - 100, boundary_x(f, v), y0 + 100, inks.axis);
  }
  draw_day_columns(state, picture, f);
  print_text_lines(picture, window_font, f,
                   {{{h - 720, "Birthday: " + described_date(state.birthdate, date_picture) +
                                   named(state.birthname)},
                     {h - 520, "Chart date: " + described_date(state.chartdate, date_picture)},
                     {h - 320, "Age: " + days(t1)}}});

  const auto points_at = [&](double offset) {
    CurvePoints points{};
    for (std::size_t c = 0; c < kCycles.size(); ++c) {
      points[c] = y0 - CycleValue(t1 + offset, period_of(kCycles[c]), f.k);
    }
    return with_average(points);
  };
  draw_curves(state, inks, picture, f, points_at, [&](double offset) { return t1 + offset > 0; });
}

void draw_comparison(const ChartState& state, const Inks& inks, DrawSurface& picture,
                     const platform::TextMeasure& window_font, std::string_view date_picture) {
  const double w = picture.width();
  const double h = picture.height();
  const double t1 = state.chartdate - state.birthdate;
  const double t2 = state.chartdate - state.birthdate2;
  const Frame f = comparison_frame(w, h);
  const double k = f.k;
  const double axis_y = k + kComparisonTop;
  const double half_line_y = k / 2 + kComparisonTop;
  start_picture(state, inks, picture);

  picture.line(f.x0, kComparisonTop, f.x0, kComparisonTop + (k + 200));
  picture.line(f.x0, axis_y, axis_end(f), axis_y, inks.axis);
  for (int v = 1; v <= f.columns; ++v) {
    picture.line(boundary_x(f, v), axis_y, boundary_x(f, v), axis_y + 200, inks.axis);
  }
  picture.set_pen_style(PenStyle::Dotted);
  picture.line(f.x0, half_line_y, axis_end(f), half_line_y);
  picture.line(f.x0, kComparisonTop, axis_end(f), kComparisonTop);
  picture.set_pen_style(PenStyle::Solid);
  draw_day_columns(state, picture, f);
  picture.set_font_bold(true);
  picture.print_text(75, 75, "100%");
  picture.print_text(75, k / 2, " 50%");
  picture.print_text(75, k - 75, "  0%");
  print_text_lines(picture, window_font, f,
                   {{{h - 720, "Birthday 1: " + described_date(state.birthdate, date_picture) +
                                   named(state.birthname) + ", age " + days(t1)},
                     {h - 520, "Birthday 2: " + described_date(state.birthdate2, date_picture) +
                                   named(state.birthname2) + ", age " + days(t2)},
                     {h - 320, "Chart date: " + described_date(state.chartdate, date_picture)}}});

  // In step lies on the 100 % line, opposite on the 0 % line.
  const auto points_at = [&](double offset) {
    CurvePoints offsets{};
    for (std::size_t c = 0; c < kCycles.size(); ++c) {
      offsets[c] = (k / 2) * comparison_distance(kCycles[c], t1 + offset, t2 + offset);
    }
    CurvePoints points = with_average(offsets);
    for (double& y : points) y += kComparisonTop;
    return points;
  };
  draw_curves(state, inks, picture, f, points_at,
              [&](double offset) { return t1 + offset > 0 && t2 + offset > 0; });
}

}  // namespace

int chart_columns(std::int16_t charttype, double width) {
  const double left = charttype == 1 ? kComparisonLeft : kBiorhythmLeft;
  return static_cast<int>(std::floor((width - left) / kColumnWidth)) - 1;
}

int today_column(int columns) {
  return half_span(columns) + 1;
}

void drawchart(const ChartState& state, DrawSurface& picture,
               const platform::TextMeasure& window_font, std::string_view short_date_picture,
               ChartInk ink) {
  switch (state.charttype) {
    case 0:
      draw_biorhythm(state, inks_of(state, ink), picture, window_font, short_date_picture);
      break;
    case 1:
      draw_comparison(state, inks_of(state, ink), picture, window_font, short_date_picture);
      break;
    default:
      break;
  }
}

}  // namespace pulsewise
