#pragma once
// The three glucose units of the logbook: their pictures, reading rules, scale factors and maxima.
// Levels are kept as text in the unit's picture and are never converted between units; they are
// read back by character position so that the system's decimal separator does not matter. The
// texts shown per unit (labels, hints, class bounds) live with the other texts in sugarlog/texts.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sugarlog {

enum UnitCode : std::int16_t { kMmolL = 0, kMgDl = 1, kGL = 2 };

struct UnitInfo {
  std::string_view name;     // "mmol/l": the chart's unit label and the lock offer's title
  std::string_view picture;  // Format_Taux
  double factor;             // Facteur_Unite: level / factor is the height on a 0..25 scale
  int maximum;               // largest level the add-test panel accepts
};

inline constexpr std::array<UnitInfo, 3> kUnits{{
    {"mmol/l", "00.0", 1.0, 25},
    {"mg/dl", "##0", 18.0, 450},
    {"g/l", "0.00", 0.25, 6},
}};

// True for the codes 0, 1 and 2.
bool is_unit(int unite);
// The code itself when it is a unit, else mmol/l: what a table indexed by unit reads.
UnitCode known_unit(int unite);
// The constants of a unit; a code outside 0..2 gets those of mmol/l.
const UnitInfo& unit_info(int unite);

// A level text as a number. A text in the unit's picture, with a comma or a full stop (or
// `separator`) in place of the point, is read by the picture's fixed positions:
// mmol/l: first two characters + last character / 10 ("07,5" and "07.5" give 7.5);
// mg/dl: the whole text; g/l: first character + last two characters / 100 ("1,35" gives 1.35).
// Any other text (a level being typed, or one written under another unit) is read by its value,
// a comma, a full stop or `separator` being the decimal point: "12" is 12, "0,8" is 0.8.
double read_level(std::string_view text, int unite, std::string_view separator = ".");

// A level formatted with a unit picture, the decimal point written as `separator`.
std::string format_level(double value, std::string_view picture, std::string_view separator);

// True when the text is exactly what format_level writes for some value: the picture's "0"
// digits all present, "#" digits present only when significant, the separator in place of ".".
bool fits_picture(std::string_view text, std::string_view picture, std::string_view separator);

// A level as a plain number: digits with at most one "." or "," among them, blanks around;
// nothing for anything else ("abc", "1e308", "-5", an empty text).
std::optional<double> plain_number(std::string_view text);

// How many mg/dl one unit of each code stands for: 1 mmol/l of glucose is 18.016 mg/dl, and
// 1 g/l is 100 mg/dl.
inline constexpr std::array<double, 3> kMgDlPerUnit{18.016, 1.0, 100.0};

// A level text of one unit as the same glucose level in another, written in that unit's picture
// with `separator`; nothing when the text is no level that can be read.
std::optional<std::string> converted_level(std::string_view level, int from, int to,
                                           std::string_view separator);

// The unit-dependent number state the main window keeps. The unit code itself lives with the
// settings (Settings::Unite); these follow it only when the procedures below run.
struct UnitState {
  std::string Format_Taux{kUnits[0].picture};
  double Valeur_Taux = 0.0;
  double Facteur_Unite = 1.0;
  std::string Sep_Decimal = ".";

  // Picture of the unit, and the value of the level entry box read by the unit's rule.
  void Le_Formatteur(int unite, std::string_view dialog_taux);
  // Scale factor of the unit.
  void Valeur_MG(int unite);
  // A level in the current picture with the system separator.
  std::string format(double value) const;
  // A level text read by the unit's rule and written again in the current picture.
  std::string reformat(std::string_view level, int unite) const;
};

}  // namespace sugarlog
