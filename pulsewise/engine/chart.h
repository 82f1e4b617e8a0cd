#pragma once
// The chart picture: the biorhythm chart of one person or the comparison chart of two.
#include <string_view>

#include "platform/core/surface.h"
#include "pulsewise/engine/chart_state.h"

namespace pulsewise {

constexpr double kColumnWidth = 275;  // twips per charted day

// How the chart's colours meet the desktop's theme.
enum class ChartInk {
  // On the screen: on a background that follows a system colour, the axis, ticks and texts are
  // drawn in the text colour made for it, and on a dark one every curve reads with at least 3:1.
  Screen,
  // Printed or saved: the colours exactly as chosen (black axis and ticks). Texts are in the
  // theme's text colour on a background of the theme's, black on any other, in both inks.
  AsChosen,
};

// Repaints the whole chart from nothing: charttype 0 is the biorhythm chart, 1 the comparison
// chart, and any other value leaves the picture as it is. The three text lines under the chart
// are centred with widths measured in window_font (the main window's font, not the chart's);
// dates in them use short_date_picture (the locale's, e.g. "dd/MM/yyyy").
void drawchart(const ChartState& state, platform::DrawSurface& picture,
               const platform::TextMeasure& window_font, std::string_view short_date_picture,
               ChartInk ink = ChartInk::Screen);

// Number of whole-day columns a chart of the given width shows, and the column (from 1) that
// holds the chart date.
int chart_columns(std::int16_t charttype, double width);
int today_column(int columns);

}  // namespace pulsewise
