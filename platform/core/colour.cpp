#include "platform/core/colour.h"

namespace platform {
namespace {

constexpr SystemColours kLightScheme = {
    rgb(200, 200, 200),  // 0 scroll bar
    rgb(0, 0, 0),        // 1 desktop
    rgb(153, 180, 209),  // 2 active title bar
    rgb(191, 205, 219),  // 3 inactive title bar
    rgb(240, 240, 240),  // 4 menu bar
    rgb(255, 255, 255),  // 5 window background
    rgb(100, 100, 100),  // 6 window frame
    rgb(0, 0, 0),        // 7 menu text
    rgb(0, 0, 0),        // 8 window text
    rgb(0, 0, 0),        // 9 title bar text
    rgb(180, 180, 180),  // 10 active border
    rgb(244, 247, 252),  // 11 inactive border
    rgb(171, 171, 171),  // 12 application workspace
    rgb(0, 120, 215),    // 13 highlight
    rgb(255, 255, 255),  // 14 highlighted text
    rgb(240, 240, 240),  // 15 button face
    rgb(160, 160, 160),  // 16 button shadow
    rgb(109, 109, 109),  // 17 disabled text
    rgb(0, 0, 0),        // 18 button text
    rgb(0, 0, 0),        // 19 inactive title bar text
    rgb(255, 255, 255),  // 20 button highlight
    rgb(105, 105, 105),  // 21 button dark shadow
    rgb(227, 227, 227),  // 22 button light shadow
    rgb(0, 0, 0),        // 23 tooltip text
    rgb(255, 255, 225),  // 24 tooltip background
};
constexpr std::size_t kButtonFaceIndex = 15;

// One desktop, one scheme: everything runs on the window system's thread.
SystemColours scheme = kLightScheme;

}  // namespace

const SystemColours& default_system_colours() {
  return kLightScheme;
}

void set_system_colours(const SystemColours& colours) {
  scheme = colours;
}

Colour resolve_colour(Colour c) {
  if (!is_system_colour(c)) return c;
  const Colour index = c & 0x7FFFFFFFu;
  return index < scheme.size() ? scheme[index] : scheme[kButtonFaceIndex];
}

}  // namespace platform
