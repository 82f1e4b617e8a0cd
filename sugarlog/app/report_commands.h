#pragma once
// The statistics and the report from the command line, without a window or a display:
//   sugarlog --report FILE.pdf [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--name TEXT] [--logbook PATH]
//   sugarlog --stats [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--logbook PATH]
// The period is the last 90 days unless told; the language, the unit and the target range are
// those the program's window uses.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/date.h"
#include "sugarlog/report/report.h"

namespace sugarlog_app {

// What the window and the command line take from the user's desktop and settings for the
// statistics and the report.
struct ReportSettings {
  std::int16_t langue = 0;
  std::string separator = ".";
  std::string date_picture = "dd/mm/yyyy";
  platform::Serial today = 0;
  int unite = 0;
  sugarlog::TargetRange target;
};

// The language, separators and today from the system, the unit from sugarlog.ini and the
// target range from its own file, all in config_folder ($XDG_CONFIG_HOME); nothing is written.
ReportSettings read_report_settings(const std::filesystem::path& config_folder);

// The help's lines for these options.
extern const char* const kReportCommandsHelp;

// The exit status when the arguments ask for --report or --stats; nothing when they ask for
// neither, and the program goes on to its window.
std::optional<int> answer_report_commands(const std::vector<std::string>& arguments,
                                          std::ostream& out, std::ostream& err);

}  // namespace sugarlog_app
