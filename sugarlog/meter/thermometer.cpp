#include "sugarlog/meter/thermometer.h"

#include "platform/core/number.h"
#include "sugarlog/texts/messages.h"

namespace sugarlog {

namespace {

constexpr platform::Colour kColumnRed = platform::rgb(128, 0, 0);

void place_column_line(form::Line& line, double x, platform::Colour colour, int width) {
  line.x1 = line.x2 = x;
  line.y1 = kColumnDesignTop;
  line.y2 = kColumnBottom;
  line.border_colour = colour;
  line.border_width = width;
}

}  // namespace

int column_top(std::string_view taux_texte, double facteur_unite) {
  const double level = platform::val(taux_texte);
  return static_cast<int>(platform::int_floor(2200.0 - level / facteur_unite * 100.0 / 1.5));
}

Thermometer::Thermometer(form::Container& parent, platform::SurfaceFactory& surfaces)
    : Thermometre(&parent, "Thermometre", surfaces),
      Img_Therm(&Thermometre, "Img_Therm", "thermometer"),
      Ligne_Therm1(&Thermometre, "Ligne_Therm1"),
      Ligne_Therm2(&Thermometre, "Ligne_Therm2"),
      Ligne_Therm3(&Thermometre, "Ligne_Therm3") {
  Thermometre.set_bounds(45, 45, 590, 2805);
  Thermometre.back_colour = platform::kWhite;
  Thermometre.surface().set_back_colour(platform::kWhite);
  Thermometre.surface().clear();
  Thermometre.border = false;
  Img_Therm.set_bounds(0, 0, 525, 2745);
  Img_Therm.stretch = true;
  place_column_line(Ligne_Therm1, 225, kColumnRed, 1);
  place_column_line(Ligne_Therm2, 240, platform::kWhite, 1);
  place_column_line(Ligne_Therm3, 270, kColumnRed, 3);
}

void Thermometer::Afficher_Thermometre(std::string_view taux_texte, double facteur_unite) {
  set_top(column_top(taux_texte, facteur_unite));
}

void Thermometer::Thermometre_Zero() {
  set_top(kColumnZeroTop);
}

void Thermometer::Img_Therm_MouseMove(std::int16_t langue) {
  Img_Therm.tooltip = std::string(text::kProbeOffTip.in(langue));
}

void Thermometer::set_top(int y1) {
  Ligne_Therm1.y1 = y1;
  Ligne_Therm2.y1 = y1;
  Ligne_Therm3.y1 = y1;
}

}  // namespace sugarlog
