#include "sugarlog/store/settings_file.h"

#include <system_error>
#include <vector>

#include "platform/core/file_io.h"
#include "platform/core/seqfile.h"
#include "platform/core/text_encoding.h"
#include "sugarlog/store/units.h"

namespace sugarlog {

namespace {

// A value line counts by its last character only, so "Unite=12" is unit 2.
std::int16_t last_digit(std::string_view field) {
  if (field.empty()) return 0;
  const char c = field.back();
  return c >= '0' && c <= '9' ? static_cast<std::int16_t>(c - '0') : 0;
}

}  // namespace

namespace {

// A value that survived a cut: its whole line is there ("Unite=2", not "Unite=" or "Uni").
std::optional<std::int16_t> complete_value(std::string_view field, std::string_view name) {
  if (field.size() != name.size() + 1 || !field.starts_with(name)) return std::nullopt;
  const char c = field.back();
  if (c < '0' || c > '9') return std::nullopt;
  return static_cast<std::int16_t>(c - '0');
}

// What a short file still says: only lines that a line end closed count.
Settings salvaged(const std::vector<std::string>& fields, bool last_line_closed) {
  Settings values;
  const std::size_t complete = fields.size() - (last_line_closed ? 0 : 1);
  if (complete > 1) {
    const auto unite = complete_value(fields[1], "Unite=");
    if (unite && is_unit(*unite)) values.Unite = *unite;
  }
  if (complete > 2) values.Verrou = complete_value(fields[2], "Lock=").value_or(0);
  return values;
}

}  // namespace

SettingsOutcome parse_settings(std::string_view bytes) {
  SettingsOutcome outcome;
  const std::string text = platform::text_from_file_bytes(bytes);
  platform::SequentialReader reader{text};
  std::vector<std::string> fields;
  while (fields.size() < 4) {
    auto next = reader.read_field();
    if (!next) {
      outcome.ending = SettingsEnding::kRewritten;
      if (!fields.empty())
        outcome.values = salvaged(fields, text.ends_with('\n') || text.ends_with('\r'));
      return outcome;
    }
    fields.push_back(std::move(*next));
  }
  if (fields[0].starts_with("[O")) {
    outcome.ending = SettingsEnding::kDeletedFile;
    return outcome;
  }
  const std::int16_t unite = last_digit(fields[1]);
  outcome.values.Unite = is_unit(unite) ? unite : std::int16_t{kMmolL};
  outcome.values.Verrou = last_digit(fields[2]);
  outcome.values.Anim = last_digit(fields[3]);
  return outcome;
}

std::string settings_text(const Settings& settings) {
  return "[Setup]\r\nUnite=" + std::to_string(settings.Unite) +
         "\r\nLock=" + std::to_string(settings.Verrou) +
         "\r\nAnimation=" + std::to_string(settings.Anim) + "\r\n";
}

SettingsFile::SettingsFile(std::filesystem::path folder) : path_(std::move(folder) / kFileName) {}

std::optional<std::string> SettingsFile::Creer_Ini(Settings& settings) {
  settings = Settings{};
  return Sauver_Init(settings);
}

std::optional<std::string> SettingsFile::Sauver_Init(const Settings& settings) {
  if (unreadable_) return std::nullopt;
  return platform::write_file_atomic(path_, settings_text(settings));
}

SettingsOutcome SettingsFile::Recup_Init() {
  SettingsOutcome outcome;
  platform::FileRead file = platform::read_file(path_);
  if (file.missing) {
    // A folder where nothing can be written still lets the program run on the defaults.
    outcome.error = Creer_Ini(outcome.values);
    if (outcome.error) return outcome;
    file = platform::read_file(path_);
  }
  if (file.error) {
    // Writing the defaults over it would lose what it holds; run on them and say why.
    unreadable_ = true;
    outcome = SettingsOutcome{};
    outcome.error = file.error;
    return outcome;
  }
  unreadable_ = false;
  outcome = parse_settings(file.bytes);
  if (outcome.ending == SettingsEnding::kDeletedFile) {
    std::error_code ec;
    if (!std::filesystem::remove(path_, ec) && ec) outcome.error = ec.message();
  } else if (outcome.ending == SettingsEnding::kRewritten) {
    outcome.error = Sauver_Init(outcome.values);
  }
  return outcome;
}

}  // namespace sugarlog
