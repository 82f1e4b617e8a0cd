#pragma once
#include <array>
#include <cstdint>

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

}  // namespace platform
