#pragma once
// Everything a chart is drawn from. The main window owns one of these and hands it to the
// drawing and the texts; nothing in the engine keeps a copy.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/colour.h"
#include "platform/core/date.h"

namespace pulsewise {

// Flags are 16-bit integers, -1 on and 0 off, as they are stored in the settings.
using Flag = std::int16_t;
constexpr Flag kOn = -1;
constexpr Flag kOff = 0;

constexpr platform::Colour kDefaultBgColour = platform::kButtonFace;
constexpr platform::Colour kDefaultPhysicalColour = platform::rgb(255, 0, 0);
constexpr platform::Colour kDefaultEmotionalColour = platform::rgb(0, 255, 0);
constexpr platform::Colour kDefaultIntellectualColour = platform::rgb(0, 0, 255);
constexpr platform::Colour kDefaultAverageColour = platform::rgb(255, 255, 0);

struct ChartState {
  std::int16_t charttype = 0;  // 0 biorhythm chart, 1 comparison chart
  platform::Serial chartdate = 0;
  platform::Serial birthdate = 0;
  std::string birthname;
  platform::Serial birthdate2 = 0;
  std::string birthname2;
  Flag showphysical = kOn;
  Flag showemotional = kOn;
  Flag showintellectual = kOn;
  Flag showaverage = kOff;
  Flag weekseparators = kOff;
  Flag todaymarker = kOff;
  platform::Colour bgcolour = kDefaultBgColour;
  platform::Colour physicalcolour = kDefaultPhysicalColour;
  platform::Colour emotionalcolour = kDefaultEmotionalColour;
  platform::Colour intellectualcolour = kDefaultIntellectualColour;
  platform::Colour averagecolour = kDefaultAverageColour;
};

// Any non-zero flag counts as on, the way the settings are read back.
constexpr bool is_on(Flag flag) {
  return flag != 0;
}

// The four curves in drawing and listing order: the three cycles in the order of kCycles, then
// their average, which is always the mean of all three, whichever of them are switched on.
struct CurveSpec {
  Flag ChartState::*show;
  platform::Colour ChartState::*colour;
  std::string_view letter;
  std::string_view key_text;
};

constexpr int kAverageCurve = 3;

inline constexpr std::array<CurveSpec, 4> kCurves{{
    {&ChartState::showphysical, &ChartState::physicalcolour, "P", "P=Physical"},
    {&ChartState::showemotional, &ChartState::emotionalcolour, "E", "E=Emotional"},
    {&ChartState::showintellectual, &ChartState::intellectualcolour, "I", "I=Intellectual"},
    {&ChartState::showaverage, &ChartState::averagecolour, "A", "A=Average"},
}};

}  // namespace pulsewise
