#pragma once
// The thermometer gauge at the top left of the main window: a thermometer drawing with a red
// column of three vertical lines whose common top follows a glucose level.
#include <cstdint>
#include <string_view>

#include "platform/core/form.h"

namespace sugarlog {

// Heights inside the gauge's picture box, in twips from its top.
inline constexpr int kColumnBottom = 2430;
inline constexpr int kColumnDesignTop = 2160;  // until the gauge is first set
inline constexpr int kColumnZeroTop = 2200;

// The column's top for a level text: the number at its start (full stop as the decimal point,
// nothing readable is 0) over the unit factor, 66 2/3 twips per mmol/l above the zero mark,
// rounded towards minus infinity.
int column_top(std::string_view taux_texte, double facteur_unite);

class Thermometer {
 public:
  Thermometer(form::Container& parent, platform::SurfaceFactory& surfaces);

  // The column at a level text read as column_top reads it.
  void Afficher_Thermometre(std::string_view taux_texte, double facteur_unite);
  // The column at zero.
  void Thermometre_Zero();
  // The tooltip of the drawing, in the language of the flag at the moment of the movement.
  void Img_Therm_MouseMove(std::int16_t langue);

  double top() const { return Ligne_Therm1.y1; }

  form::PictureBox Thermometre;
  form::Image Img_Therm;
  form::Line Ligne_Therm1;
  form::Line Ligne_Therm2;
  form::Line Ligne_Therm3;

 private:
  void set_top(int y1);
};

}  // namespace sugarlog
