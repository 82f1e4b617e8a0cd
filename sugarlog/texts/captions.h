#pragma once
// Caption data of the main window: the French captions written over the English design ones, and
// the texts that follow the glucose unit.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sugarlog/texts/messages.h"

namespace sugarlog {

// One caption the translation writes over the English design caption: the control or menu item
// by name ("Fenetre" is the window itself) and its French caption.
struct CaptionRow {
  std::string_view name;
  std::string_view french;
};

// The French captions, in the order the translation writes them.
std::span<const CaptionRow> french_captions();

// The texts that depend on the unit: the five level labels beside the chart (at the heights of 5,
// 10, 15, 20 and 25 mmol/l), the class bounds of the Results menu, the maximum line of the level
// message of the add-test panel's final check, and the tips of the level box and the read-out.
// The unit label itself is the unit's name (unit_info in sugarlog/store/units.h).
struct UnitCaptions {
  std::array<std::string_view, 5> level_labels;
  // Lower and upper bounds of the optimal and suboptimal classes, lower bound of the compromise
  // class, each with the blanks around it.
  std::string_view optimal_from, optimal_to;
  std::string_view suboptimal_from, suboptimal_to;
  std::string_view compromise_from;
  std::string_view maximum_line;
  Bilingual level_hint;
  Bilingual readout_hint;
};

// The texts of a unit code; a code outside 0..2 gets those of mmol/l.
const UnitCaptions& unit_captions(int unite);

// The three items of the Results menu: each class name, its bounds joined by the word of the
// language, and the unit label, run together ("Optimal: >= 4 and <7 mmol/l").
std::array<std::string, 3> result_class_items(int unite, std::int16_t langue,
                                              std::string_view optimal, std::string_view suboptimal,
                                              std::string_view compromise);

}  // namespace sugarlog
