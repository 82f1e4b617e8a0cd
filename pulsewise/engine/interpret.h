#pragma once
// The chart date in words: advice for the biorhythm chart, likeness for the comparison chart,
// and the key to the curve letters. The window shows each as a message box.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pulsewise/engine/chart_state.h"

namespace pulsewise {

struct MessageText {
  std::string text;
  std::string title;
};

// A cycle state in an advice row's pattern that matches low, critical and high alike.
constexpr int kAnyState = 2;

struct AdviceRow {
  int p, e, i;  // -1 low, 0 critical, +1 high, or kAnyState
  std::vector<std::string_view> lines;
};

// The fifteen advice texts, tried from the top; the first row whose pattern matches wins.
const std::vector<AdviceRow>& advice_table();
// The number (from 1) of the row chosen for these physical, emotional and intellectual states.
int advice_row(int p, int e, int i);
// A row's lines joined by line breaks.
std::string advice_text(int row);

// The interpretation of the chart date for charttype 0 and 1; nothing for any other type.
std::optional<MessageText> InterpretChart(const ChartState& state,
                                          std::string_view short_date_picture);

// The letters of the curves that are switched on, or a hint when none is.
MessageText HelpChartKey(const ChartState& state);

}  // namespace pulsewise
