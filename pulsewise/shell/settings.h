#pragma once
// The program's values in the per-user settings store: application "Hollowmere", section
// "Pulsewise", every value a text. Numbers go in as Str and come back through Val, flags as "-1"
// and "0", dates in their stored day/month/year form.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/colour.h"
#include "platform/core/date.h"
#include "platform/core/services.h"
#include "pulsewise/engine/chart_state.h"

namespace pulsewise {

inline constexpr const char* kSettingsApplication = "Hollowmere";
inline constexpr const char* kSettingsSection = "Pulsewise";
// The largest window size read back, in twips: a whole 4K screen at 96 dpi (3840 x 2160 pixels).
// A stored position may lie on any of several such screens side by side.
inline constexpr double kMaxWindowWidth = 57'600;
inline constexpr double kMaxWindowHeight = 32'400;
inline constexpr double kMaxWindowPosition = 4 * kMaxWindowWidth;

// A colour as stored: a decimal 32-bit integer (" 255", "-2147483633") or hexadecimal text
// after "&H" ("&H8000000F"). Nothing when the text is neither.
std::optional<platform::Colour> parse_colour(std::string_view text);

class ProgramSettings {
 public:
  explicit ProgramSettings(platform::SettingsStore& store) : store_(store) {}

  std::string text(const std::string& key, const std::string& default_text = {}) const;
  // Val of the stored text.
  double number(const std::string& key, const std::string& default_text) const;
  // On when Val of the stored text is not 0.
  Flag flag(const std::string& key, const std::string& default_text) const;
  // A window's stored size or position in twips: 0 (not to be applied) when it reads as 0 or
  // less, and never beyond what a desktop could show, so a damaged value cannot make the first
  // layout draw a chart billions of twips wide.
  double window_extent(const std::string& key, double largest) const;
  // A 16-bit value; one that does not fit reads as the default.
  std::int16_t small_number(const std::string& key, std::int16_t default_value) const;
  // A colour that is absent or cannot be read gives the default.
  platform::Colour colour(const std::string& key, platform::Colour default_colour) const;
  // A date that is absent or cannot be read gives the default.
  platform::Serial date(const std::string& key, platform::Serial default_date, int this_year) const;

  void write_text(const std::string& key, const std::string& value);
  void write_number(const std::string& key, double value);  // Str
  void write_flag(const std::string& key, Flag value);
  void write_colour(const std::string& key, platform::Colour value);
  void write_date(const std::string& key, platform::Serial value);

  // Makes what was written permanent; when the store cannot, says so in a message box rather
  // than letting the user believe the settings were kept. False on failure. A store that could
  // not be read at start was reported then, and is not reported again.
  bool flush_or_report(platform::Dialogs& dialogs);
  // When the stored values could not be read (they read as the defaults and the store is never
  // written over), says so; false then.
  bool report_unreadable(platform::Dialogs& dialogs);
  // Reads again what other copies of the program stored meanwhile (see SettingsStore::refresh).
  void refresh() { store_.refresh(); }

 private:
  // The text of every value as read, in the form it is written in: writing the same value back is
  // no change of this window's, so it does not go to the store and cannot undo what another copy
  // of the program stored meanwhile.
  void remember(const std::string& key, std::string written_form) const;
  bool unchanged(const std::string& key, const std::string& value) const;

  platform::SettingsStore& store_;
  mutable std::map<std::string, std::string> read_;
};

}  // namespace pulsewise
