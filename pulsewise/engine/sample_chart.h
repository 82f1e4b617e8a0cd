#pragma once
// What the drawing is measured on: the largest picture and the busiest chart the program draws.
#include <cstdint>

#include "platform/core/date.h"
#include "pulsewise/engine/chart_state.h"

namespace pulsewise {

// The largest picture the chart window can get: a 4K screen, 3840 x 2160 pixels at 15 twips a
// pixel (96 DPI).
constexpr double k4KWidth = 3840 * 15;
constexpr double k4KHeight = 2160 * 15;

// Both people, every curve, the average curve, the week separators and the today marker.
inline ChartState busiest_chart(std::int16_t charttype) {
  ChartState state;
  state.charttype = charttype;
  state.chartdate = platform::date_serial(2024, 6, 1);
  state.birthdate = platform::date_serial(1970, 3, 15);
  state.birthname = "First person";
  state.birthdate2 = platform::date_serial(1982, 11, 2);
  state.birthname2 = "Second person";
  state.showaverage = kOn;
  state.weekseparators = kOn;
  state.todaymarker = kOn;
  return state;
}

}  // namespace pulsewise
