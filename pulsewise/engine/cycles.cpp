#include "pulsewise/engine/cycles.h"

#include <cmath>

namespace pulsewise {

double CycleValue(double days, int period, double amplitude) {
  return amplitude * std::sin(days / period * kFullTurn);
}

double cycle_at(Cycle cycle, double days) {
  return CycleValue(days, period_of(cycle), 1);
}

namespace {

template <class T>
int classify(T value, T low, T high) {
  if (value < low) return -1;
  if (value > high) return 1;
  return 0;
}

}  // namespace

int cycle_state(Cycle cycle, double value) {
  switch (cycle) {
    case Cycle::Physical:
      return classify(value, -0.12, 0.26);
    case Cycle::Emotional:
      return classify(value, -0.22, 0.22);
    case Cycle::Intellectual:
      // The intellectual bands have always been compared in single precision; keep it so that
      // the same days stay critical.
      return classify(static_cast<float>(value), -0.093f, 0.18f);
  }
  return 0;
}

double comparison_distance(Cycle cycle, double t1, double t2) {
  const double s1 = 1 + cycle_at(cycle, t1);
  const double s2 = 1 + cycle_at(cycle, t2);
  return MaxOf(s1, s2) - MinOf(s1, s2);
}

int comparison_percent(double distance) {
  return 100 - static_cast<int>(std::floor(50 * distance));
}

std::string_view dayname_of(platform::Serial date) {
  return daynames[platform::weekday_of(date) - 1];
}

std::string DateToString(platform::Serial mydate) {
  const platform::Ymd d = platform::ymd_of(mydate);
  return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

std::string FlagToString(std::int16_t flag) {
  return flag != 0 ? "-1" : "0";
}

std::string birthday_error_text(platform::Serial mydate) {
  return "You can't display a biorhythm chart with a\n"
         "chart date before they were born!\n\n"
         "Setting chart date to " +
         DateToString(mydate) + ".";
}

}  // namespace pulsewise
