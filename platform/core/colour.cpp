#include "platform/core/colour.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

// Backgrounds of the scheme and the text colour drawn on each.
constexpr std::array<std::pair<Colour, Colour>, 5> kTextOnBackground{{
    {0x80000004u, 0x80000007u},  // menu bar: menu text
    {0x80000005u, 0x80000008u},  // window background: window text
    {0x8000000Du, 0x8000000Eu},  // highlight: highlighted text
    {0x8000000Fu, 0x80000012u},  // button face: button text
    {0x80000018u, 0x80000017u},  // tooltip background: tooltip text
}};

// sRGB channel (0 to 255) to linear light.
double linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Colour mixed(Colour from, Colour to, double share) {
  const auto channel = [share](int a, int b) {
    return static_cast<int>(std::lround(a + (b - a) * share));
  };
  return rgb(channel(red_of(from), red_of(to)), channel(green_of(from), green_of(to)),
             channel(blue_of(from), blue_of(to)));
}

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

std::optional<Colour> text_colour_on(Colour background) {
  if (!is_system_colour(background)) return std::nullopt;
  for (const auto& [back, text] : kTextOnBackground) {
    if (back == background) return text;
  }
  return kButtonText;  // any other code draws as the button face
}

double relative_luminance(Colour c) {
  c = resolve_colour(c);
  return 0.2126 * linear(red_of(c)) + 0.7152 * linear(green_of(c)) + 0.0722 * linear(blue_of(c));
}

double contrast_ratio(Colour a, Colour b) {
  const double la = relative_luminance(a);
  const double lb = relative_luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour with_contrast(Colour c, Colour background, double min_ratio) {
  c = resolve_colour(c);
  background = resolve_colour(background);
  if (contrast_ratio(c, background) >= min_ratio) return c;
  const Colour end =
      contrast_ratio(kWhite, background) >= contrast_ratio(kBlack, background) ? kWhite : kBlack;
  // Contrast grows steadily on the way to the end colour: halve the way until the share is
  // known to a step smaller than one channel level.
  double enough = 1, short_of = 0;
  while (enough - short_of > 1.0 / 512) {
    const double share = (enough + short_of) / 2;
    (contrast_ratio(mixed(c, end, share), background) >= min_ratio ? enough : short_of) = share;
  }
  return mixed(c, end, enough);
}

}  // namespace platform
