#pragma once
// The logbook without a window: --export and --import for backups and scripts, answered before
// any QApplication exists, so they work without a display.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/command_line.h"
#include "platform/core/services.h"

namespace sugarlog_app {

inline constexpr std::string_view kLogbookCommandsUsage =
    "  --export FILE.csv [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--logbook PATH]\n"
    "                 write the tests (of the period) as CSV and exit\n"
    "  --import FILE.csv [--yes] [--logbook PATH]\n"
    "                 show what importing the CSV would add; with --yes add it and save\n"
    "  PATH is the folder of Diabete.dbk, or that file; by default the logbook the window uses.\n";

// Where the commands find the logbook, its settings, the locale and the clock.
struct CommandContext {
  std::filesystem::path default_folder;   // the folder of Diabete.dbk
  std::filesystem::path settings_folder;  // the folder of sugarlog.ini
  const platform::Locale& locale;
  const platform::Clock& clock;
};

// The help's lines for these options. --export and --import run here and give
// the exit status (0 done, 1 failed, 2 wrong options); anything else is left alone (nullopt).
std::optional<int> answer_logbook_command(const std::vector<std::string>& arguments,
                                          const platform::ProgramIdentity& program,
                                          const CommandContext& context, std::ostream& out,
                                          std::ostream& err);

// The same on the real folders, locale and clock.
std::optional<int> answer_logbook_command(int argc, char** argv,
                                          const platform::ProgramIdentity& program);

}  // namespace sugarlog_app
