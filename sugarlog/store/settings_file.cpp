#include "sugarlog/store/settings_file.h"

#include <array>
#include <system_error>

#include "platform/core/file_io.h"
#include "platform/core/seqfile.h"
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

SettingsOutcome parse_settings(std::string_view bytes) {
  SettingsOutcome outcome;
  platform::SequentialReader reader{std::string(bytes)};
  std::array<std::string, 4> fields;
  for (auto& field : fields) {
    auto next = reader.read_field();
    if (!next) {
      outcome.ending = SettingsEnding::kRewrittenDefaults;
      return outcome;
    }
    field = std::move(*next);
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
  return platform::write_file_atomic(path_, settings_text(settings));
}

SettingsOutcome SettingsFile::rewrite_defaults() {
  SettingsOutcome outcome;
  outcome.ending = SettingsEnding::kRewrittenDefaults;
  outcome.error = Creer_Ini(outcome.values);
  return outcome;
}

SettingsOutcome SettingsFile::Recup_Init() {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec) && !ec) {
    // A folder where nothing can be written still lets the program run on the defaults.
    SettingsOutcome outcome;
    outcome.error = Creer_Ini(outcome.values);
    if (outcome.error) return outcome;
  }
  const platform::FileRead file = platform::read_file(path_);
  if (file.error) return rewrite_defaults();

  SettingsOutcome outcome = parse_settings(file.bytes);
  if (outcome.ending == SettingsEnding::kDeletedFile) {
    if (!std::filesystem::remove(path_, ec) && ec) outcome.error = ec.message();
  } else if (outcome.ending == SettingsEnding::kRewrittenDefaults) {
    return rewrite_defaults();
  }
  return outcome;
}

}  // namespace sugarlog
