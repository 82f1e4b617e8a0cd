#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace platform {

// A 24-bit colour as 0x00BBGGRR (red in the low byte), or a system-colour code with the top bit
// set (0x8000000F is the button face), resolved by the platform when drawing.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
         (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int red_of(Colour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int green_of(Colour c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue_of(Colour c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr bool is_system_colour(Colour c) {
  return (c & 0x80000000u) != 0;
}

constexpr Colour kButtonFace = 0x8000000Fu;
constexpr Colour kButtonText = 0x80000012u;
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);

// The desktop's system colours by index (15 button face, 18 button text, ...). An unknown index
// stands for the button face.
using SystemColours = std::array<Colour, 25>;
// A plain light scheme: what the codes mean until the desktop says otherwise.
const SystemColours& default_system_colours();
// The desktop's own scheme, when it has one (and again whenever it changes).
void set_system_colours(const SystemColours& colours);

// The colour a system-colour code stands for on this desktop (a plain colour is returned as is).
Colour resolve_colour(Colour c);

// The system text colour made to be read on a system background colour: button text on the
// button face, window text on the window background, and so on. A plain colour has none.
std::optional<Colour> text_colour_on(Colour background);

// How light a colour looks, 0 (black) to 1 (white): the relative luminance of WCAG 2, on the
// colour a system code stands for now.
double relative_luminance(Colour c);
// How well one colour reads on another, 1 (the same) to 21 (black on white), as WCAG 2 counts it.
double contrast_ratio(Colour a, Colour b);
// The colour itself when it reads on the background with at least min_ratio; otherwise the colour
// brought toward white or black (whichever reads better there) only as far as that needs, so a
// blue curve on a dark chart stays a light blue. Always a plain colour.
Colour with_contrast(Colour c, Colour background, double min_ratio);

}  // namespace platform
