#pragma once
// The three biorhythm cycles and the day arithmetic every chart and text rests on.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace pulsewise {

// A full turn in radians. Deliberately this ten-digit literal (a hair above 2 pi) rather than a
// library pi: every curve and every interpretation is computed with it.
constexpr double kFullTurn = 6.283185308;

enum class Cycle { Physical, Emotional, Intellectual };
inline constexpr std::array<Cycle, 3> kCycles{Cycle::Physical, Cycle::Emotional,
                                              Cycle::Intellectual};

constexpr int period_of(Cycle cycle) {
  switch (cycle) {
    case Cycle::Physical:
      return 23;
    case Cycle::Emotional:
      return 28;
    case Cycle::Intellectual:
      return 33;
  }
  return 0;
}

template <class T>
constexpr T MinOf(T a, T b) {
  return a < b ? a : b;
}
template <class T>
constexpr T MaxOf(T a, T b) {
  return a < b ? b : a;
}

// amplitude x sin(days / period x full turn). The chart passes its amplitude in twips.
double CycleValue(double days, int period, double amplitude);

// Value of a cycle with amplitude 1 at an age in days.
double cycle_at(Cycle cycle, double days);

// -1 low, 0 critical, +1 high, by per-cycle bands that are not symmetric about zero.
int cycle_state(Cycle cycle, double value);

// How far apart two people are in one cycle: 0 in step, 2 opposite. t1 and t2 are their ages.
double comparison_distance(Cycle cycle, double t1, double t2);
// The same as a likeness from 100 (in step) down to 0 (opposite).
int comparison_percent(double distance);

// Weekday names, Sunday first; a date's name is daynames[weekday - 1] with 1 = Sunday.
inline constexpr std::array<std::string_view, 7> daynames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
std::string_view dayname_of(platform::Serial date);

// The stored form of a date: day/month/year without leading zeros (5/3/2001).
std::string DateToString(platform::Serial mydate);

// The stored form of a flag: "-1" on, "0" off.
std::string FlagToString(std::int16_t flag);

// The message shown when a chart date would lie before a birthday; the chart date then moves to
// mydate, which the window does.
std::string birthday_error_text(platform::Serial mydate);

}  // namespace pulsewise
