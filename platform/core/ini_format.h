#pragma once
// The text of an INI settings file: "[section]" lines, then "key=value" lines. Values with
// blanks at either end, quotes or line breaks are written quoted with backslash escapes, so every
// value reads back exactly. A value whose quotes do not enclose it whole is taken as written; a
// malformed line is skipped, never fatal.
#include <map>
#include <string>
#include <string_view>

namespace platform {

// Sections and keys compare without regard to ASCII case, as the desktop's settings store does.
struct CaseInsensitiveLess {
  bool operator()(std::string_view a, std::string_view b) const;
  using is_transparent = void;
};
using IniSection = std::map<std::string, std::string, CaseInsensitiveLess>;
using IniSections = std::map<std::string, IniSection, CaseInsensitiveLess>;

// CR LF, LF and CR all end a line. The text is UTF-8 (see text_from_file_bytes).
IniSections parse_ini(std::string_view text);
std::string format_ini(const IniSections& sections);

// One settings file as a running program sees it: the values read from it, and the values the
// program changed since. Only those changes are ever written back, merged over what the file
// holds at that moment, so two copies of a program sharing the file never undo each other.
class IniFile {
 public:
  // The file's bytes in any encoding text_from_file_bytes reads; forgets pending changes.
  void load(std::string_view file_bytes);

  // The value seen now, or nothing.
  const std::string* find(std::string_view section, std::string_view key) const;
  // A value that differs from the one seen becomes a change to write.
  void set(const std::string& section, const std::string& key, const std::string& value);
  bool has_changes() const { return !changes_.empty(); }

  // The text to write: what the file holds now with the changes applied over it. From then on the
  // values seen are those of that text; the changes stay pending until changes_written().
  std::string merged_over(std::string_view current_file_bytes);
  // The values seen become those of the file's current bytes, with the changes over them.
  void refresh(std::string_view current_file_bytes);
  void changes_written() { changes_.clear(); }

 private:
  IniSections seen_;
  IniSections changes_;
};

}  // namespace platform
