#pragma once
// The text of an INI settings file: "[section]" lines, then "key=value" lines. Values with
// blanks at either end, quotes or line breaks are written quoted with backslash escapes, so every
// value reads back exactly; a malformed line is skipped, never fatal.
#include <map>
#include <string>
#include <string_view>

namespace platform_qt {

// Sections and keys compare without regard to ASCII case, as the desktop's settings store does.
struct CaseInsensitiveLess {
  bool operator()(std::string_view a, std::string_view b) const;
  using is_transparent = void;
};
using IniSection = std::map<std::string, std::string, CaseInsensitiveLess>;
using IniSections = std::map<std::string, IniSection, CaseInsensitiveLess>;

IniSections parse_ini(std::string_view text);
std::string format_ini(const IniSections& sections);

}  // namespace platform_qt
