#pragma once
// sugarlog.ini: the unit, the unit lock and the animation flag, as four CR LF lines.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sugarlog {

struct Settings {
  std::int16_t Unite = 0;   // UnitCode
  std::int16_t Verrou = 0;  // 1: the unit is locked and its menu items are hidden
  std::int16_t Anim = 0;    // kept and written back, shown as a digit
};

// How reading the settings ends. Anything but kNone means: end the program now, without a message.
enum class SettingsEnding {
  kNone,
  kDeletedFile,  // the first field began with "[O"; the file is gone, defaults next start
  kRewritten,    // a short file; rewritten with the unit and lock it still held, else defaults
};

struct SettingsOutcome {
  Settings values;
  SettingsEnding ending = SettingsEnding::kNone;
  // A file operation that failed on the way (the file cannot be read or written); the values are
  // still usable and the program runs on. Never set by parse_settings.
  std::optional<std::string> error;
};

// Reads the four fields of a settings file. Each value is the digit that ends its line (anything
// else reads as 0); a unit code outside 0..2 falls back to mmol/l. A short file ends with
// kRewritten and the values to write instead: the unit and the lock of the complete "Unite=" and
// "Lock=" lines it holds, so a logbook kept in mg/dl is not read as mmol/l after the rewrite.
SettingsOutcome parse_settings(std::string_view bytes);

// The file's exact content: "[Setup]\r\nUnite=0\r\nLock=0\r\nAnimation=0\r\n".
std::string settings_text(const Settings& settings);

class SettingsFile {
 public:
  static constexpr std::string_view kFileName = "sugarlog.ini";

  explicit SettingsFile(std::filesystem::path folder);
  const std::filesystem::path& path() const { return path_; }

  // Start-up read: a missing file is created with the defaults first; see SettingsEnding for the
  // two endings. A file that exists but cannot be read (no permission, a folder, a pipe) gives the
  // defaults with the reason in `error`, and is never written over while the program runs. The
  // caller applies the values to the menus and runs Le_Formatteur.
  SettingsOutcome Recup_Init();
  // Resets the three values to 0 and writes them.
  std::optional<std::string> Creer_Ini(Settings& settings);
  // Writes the file from the values (atomically); the error text on failure. Does nothing when
  // the file could not be read at start-up: the user was told then.
  std::optional<std::string> Sauver_Init(const Settings& settings);

 private:
  std::filesystem::path path_;
  bool unreadable_ = false;
};

}  // namespace sugarlog
