#include "pulsewise/engine/interpret.h"

#include <array>
#include <cmath>

#include "platform/core/number.h"
#include "pulsewise/engine/cycles.h"

namespace pulsewise {
namespace {

constexpr int kLow = -1;
constexpr int kHigh = 1;
constexpr int kAny = kAnyState;

bool matches(int pattern, int state) {
  return pattern == kAny || pattern == state;
}

std::string joined(const std::vector<std::string_view>& lines) {
  std::string text;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (n > 0) text += '\n';
    text += lines[n];
  }
  return text;
}

std::string header(std::string_view what, const ChartState& state, std::string_view picture) {
  return std::string(what) + " for " + platform::format_serial(state.chartdate, picture) + ":\n\n";
}

std::string biorhythm_advice(const ChartState& state) {
  const double t1 = state.chartdate - state.birthdate;
  std::array<int, 3> s{};
  for (std::size_t c = 0; c < kCycles.size(); ++c) {
    s[c] = cycle_state(kCycles[c], cycle_at(kCycles[c], t1));
  }
  return advice_text(advice_row(s[0], s[1], s[2]));
}

std::string comparison_body(const ChartState& state) {
  constexpr std::array<std::string_view, 3> kNames{"Physical: ", "Emotional: ", "Intellectual: "};
  const double t1 = state.chartdate - state.birthdate;
  const double t2 = state.chartdate - state.birthdate2;
  std::string body;
  int sum = 0;
  for (std::size_t c = 0; c < kCycles.size(); ++c) {
    const int q = comparison_percent(comparison_distance(kCycles[c], t1, t2));
    sum += q;
    body += std::string(kNames[c]) + std::to_string(q) + "%\n";
  }
  return body + "Overall: " + std::to_string(sum / 3) + "%";
}

}  // namespace

const std::vector<AdviceRow>& advice_table() {
  static const std::vector<AdviceRow> table{
      {0,
       0,
       0,
       {"Physical, emotional &", "intellectual critical day!", "", "Don't get out of bed, don't",
        "go anywhere, and don't do", "anything!!!"}},
      {0,
       0,
       kAny,
       {"Physical and emotional", "critical day!", "", "Don't overwork, and try",
        "to avoid stressful or", "emotional situations."}},
      {0,
       kAny,
       0,
       {"Physical and intellectual", "critical day!", "", "Don't overwork, and avoid",
        "making important decisions.", "Perception will be reduced."}},
      {kAny,
       0,
       0,
       {"Emotional and intellectual", "critical day!", "", "Avoid emotional or stressful",
        "situations, and don't make", "any important decisions."}},
      {0,
       kAny,
       kAny,
       {"Physical critical day!", "", "Don't overwork, and avoid", "alcohol and other",
        "indulgements. Possibility", "of headaches or depression."}},
      {kAny,
       0,
       kAny,
       {"Emotional critical day!", "", "Try to avoid stressful", "situations, especially",
        "where you might experience", "upset or disappointment."}},
      {kHigh,
       kHigh,
       kHigh,
       {"This is a good time for", "all activities. Stressful", "experiences will be easily",
        "overcome."}},
      {kHigh,
       kHigh,
       kLow,
       {"Your intellectual abilities", "may be inhibited. This is", "a good time for exhaustive",
        "pursuits and physical &", "emotional activities."}},
      {kLow,
       kHigh,
       kHigh,
       {"This is a good time for", "intellectual pursuits, and", "making important decisions.",
        "You are simply lacking", "physical energy."}},
      {kHigh,
       kLow,
       kHigh,
       {"Good physical and", "intellectual form. You", "should generally feel",
        "quite lively, but may", "experience a lack of", "inspiration."}},
      {kHigh,
       kLow,
       kLow,
       {"Good physical form, but", "with a lack of intellectual", "inspiration. There is a",
        "possibility that you may", "experience sudden fits of", "temper or stubbornness."}},
      {kLow,
       kLow,
       kHigh,
       {"Try to avoid activities", "requiring a lot of energy.", "You have a limited immunity",
        "to pain, so this is a bad", "time for operations."}},
      {kLow,
       kLow,
       kLow,
       {"This is a good time for", "rest and relaxation. If", "possible, try to restrict",
        "your activities to routine", "tasks only."}},
      {kLow,
       kHigh,
       kLow,
       {"You have an optimistic", "disposition, but with", "physical or intellectual",
        "inhibitions. You may", "experience a reduced ability", "for logical thinking."}},
      {kAny,
       kAny,
       0,
       {"Intellectual critical day!", "", "Avoid making important decisions.",
        "Your perception will be reduced, and", "you may experience memory blanking.",
        "You could find yourself unable to", "relax."}},
  };
  return table;
}

int advice_row(int p, int e, int i) {
  const auto& table = advice_table();
  for (std::size_t r = 0; r < table.size(); ++r) {
    const AdviceRow& row = table[r];
    if (matches(row.p, p) && matches(row.e, e) && matches(row.i, i)) {
      return static_cast<int>(r) + 1;
    }
  }
  return 0;  // the table covers every combination of -1, 0 and +1
}

std::string advice_text(int row) {
  const auto& table = advice_table();
  if (row < 1 || row > static_cast<int>(table.size())) return {};
  return joined(table[row - 1].lines);
}

std::optional<MessageText> InterpretChart(const ChartState& state,
                                          std::string_view short_date_picture) {
  switch (state.charttype) {
    case 0:
      return MessageText{
          header("Interpretation", state, short_date_picture) + biorhythm_advice(state),
          "Interpretation"};
    case 1:
      return MessageText{header("Comparison", state, short_date_picture) + comparison_body(state),
                         "Interpretation"};
    default:
      return std::nullopt;
  }
}

MessageText HelpChartKey(const ChartState& state) {
  std::string text;
  for (const CurveSpec& curve : kCurves) {
    if (is_on(state.*curve.show)) text += std::string(curve.key_text) + "\n";
  }
  if (text.empty()) text = "You need to turn on some curves\nin the Settings menu!\n";
  text.pop_back();
  return {text, "Chart key"};
}

}  // namespace pulsewise
