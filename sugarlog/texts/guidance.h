#pragma once
// The Help menu's screens: the system settings notice, the two follow-up checklists (French
// only) and the About box.
#include <cstdint>
#include <string>
#include <string_view>

#include "sugarlog/texts/messages.h"

namespace sugarlog {

struct Screen {
  std::string text;
  std::string title;
};

// "&Important": the decimal separator and the short date the logbook reads best with.
Screen important_screen(std::int16_t langue);
// The checklists of "Re&commandations", the same in both languages.
Screen three_months_screen();
Screen yearly_screen();
// About: the version of the build in the title; the maker, the e-mail address, and the site's
// address in force as the last line.
Screen about_screen(std::int16_t langue, std::string_view adresse_site);

}  // namespace sugarlog
