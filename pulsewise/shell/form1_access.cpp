// What a screen reader says of the windows: the pickers named after what they hold, the chart
// date's label tied to its picker, the entry and people windows' Enter and Escape, and the chart
// saying what it shows now.
#include <cmath>

#include "pulsewise/engine/cycles.h"
#include "pulsewise/shell/form1.h"

namespace pulsewise {
namespace {

constexpr std::array<std::string_view, 3> kCycleWords{"physical", "emotional", "intellectual"};

std::string person(const std::string& name, platform::Serial birthday) {
  return name.empty() ? "born " + DateToString(birthday) : name;
}

}  // namespace

std::string chart_description(const ChartState& state) {
  const bool comparison = state.charttype == 1;
  std::string text = comparison
                         ? "Comparison chart of " + person(state.birthname, state.birthdate) +
                               " and " + person(state.birthname2, state.birthdate2)
                         : "Biorhythm chart of " + person(state.birthname, state.birthdate);
  text +=
      ", " + std::string(dayname_of(state.chartdate)) + " " + DateToString(state.chartdate) + ": ";
  const double age = state.chartdate - state.birthdate;
  for (std::size_t i = 0; i < kCycles.size(); ++i) {
    const Cycle cycle = kCycles[i];
    const int percent = comparison ? comparison_percent(comparison_distance(
                                         cycle, age, state.chartdate - state.birthdate2))
                                   : static_cast<int>(std::lround(cycle_at(cycle, age) * 100));
    text += std::string(i ? ", " : "") + std::string(kCycleWords[i]) + " " +
            std::to_string(percent) + " %";
  }
  return text + (comparison ? " alike." : ".");
}

void Form1::wire_access() {
  Picture1.accessible_name = "Biorhythm chart";
  Picture1.describe = [this] { return chart_description(state); };
  DTPicker1.accessible_name = "Birthday date";
  DTPicker2.accessible_name = "Birthday 2 date";
  Label3.buddy = &DTPicker3;
  form6.Label1.buddy = &form6.Text1;
  form6.Label2.buddy = &form6.DTPicker1;
  form6.Command1.is_default = true;
  form5.List1.accessible_name = "People";
  form5.Command5.is_default = true;
  form5.Command4.is_cancel = true;
}

}  // namespace pulsewise
