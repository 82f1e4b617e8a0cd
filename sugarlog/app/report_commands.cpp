#include "sugarlog/app/report_commands.h"

#include <QGuiApplication>
#include <QStandardPaths>
#include <filesystem>
#include <memory>

#include "platform/core/command_line.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/report_pdf.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/stats/target_file.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/settings_file.h"
#include "sugarlog/texts/langage.h"

namespace sugarlog_app {

namespace fs = std::filesystem;

const char* const kReportCommandsHelp =
    "  --stats            print the statistics of a period and exit\n"
    "  --report FILE.pdf  write the report for the doctor of a period and exit\n"
    "  --from YYYY-MM-DD  the period's first day (default: 89 days before its last)\n"
    "  --to YYYY-MM-DD    the period's last day (default: today)\n"
    "  --name TEXT        the name the report carries\n"
    "  --logbook PATH     the logbook to read (Diabete.dbk, or its folder)\n";

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

bool asks_for_us(const std::vector<std::string>& arguments) {
  bool asked = false;
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    // --help and --version answer first, whatever else is asked.
    if (argument == "--help" || argument == "-h" || argument == "--version" || argument == "-v") {
      return false;
    }
    asked = asked || argument == "--stats" || argument == "--report" ||
            argument.starts_with("--report=");
  }
  return asked;
}

int refuse(std::ostream& err, const std::string& why) {
  err << "sugarlog: " << why << "\nTry 'sugarlog --help' for more information.\n";
  return kUsageError;
}

std::optional<platform::Serial> day_option(const platform::CommandOptions& options,
                                           std::string_view name, std::string& error) {
  const auto text = options.value(name);
  if (!text) return std::nullopt;
  const auto day = sugarlog::parse_iso_day(*text);
  if (!day)
    error = "option '" + std::string(name) + "' wants a day as YYYY-MM-DD, not '" + *text + "'";
  return day;
}

fs::path default_logbook() {
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  return program_folder(platform_qt::to_qstring(executable.parent_path().string())) /
         sugarlog::DataFile::kFileName;
}

// The logbook's tests, read without taking its lock or writing anything.
std::optional<std::string> read_logbook(fs::path path, bool explicit_path,
                                        const std::string& separator, sugarlog::TestTable& table,
                                        std::ostream& err) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) path /= sugarlog::DataFile::kFileName;
  const platform::FileRead file = platform::read_file(path);
  if (file.missing && !explicit_path) return std::nullopt;  // a new user: an empty logbook
  if (file.error) return path.string() + ": " + *file.error;
  if (const auto error =
          sugarlog::load_tests(platform::text_from_file_bytes(file.bytes), table, separator)) {
    err << "sugarlog: " << path.string() << ": " << *error
        << "; the tests read before it are used\n";
  }
  return std::nullopt;
}

int write_report(const fs::path& target, const sugarlog::TestTable& table,
                 const sugarlog::ReportRequest& request, int this_year, std::ostream& err) {
  // QPdfWriter lays text out with a font database: a GUI application on the offscreen platform
  // gives it one without a display.
  std::unique_ptr<QGuiApplication> app;
  static int argc = 3;
  static char program[] = "sugarlog", option[] = "-platform", offscreen[] = "offscreen";
  static char* argv[] = {program, option, offscreen, nullptr};
  if (!QCoreApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);
  const auto error =
      write_report_pdf(target, table, request, this_year, paper_for(QLocale::system()));
  if (error) {
    err << "sugarlog: " << target.string() << ": " << *error << "\n";
    return kFailure;
  }
  return 0;
}

}  // namespace

ReportSettings read_report_settings(const fs::path& config_folder) {
  const platform_qt::QtLocale locale;
  ReportSettings settings;
  settings.langue = sugarlog::langue_of(sugarlog::Lire_Langue(locale));
  settings.separator = sugarlog::Lire_Decimale(locale);
  if (settings.separator.empty()) settings.separator = ".";
  settings.date_picture =
      sugarlog::day_first_short_date(sugarlog::Lire_Format_Date(locale), locale.date_separator());
  settings.today = platform_qt::QtClock().today();
  const platform::FileRead ini =
      platform::read_file(config_folder / sugarlog::SettingsFile::kFileName);
  if (!ini.error) settings.unite = sugarlog::parse_settings(ini.bytes).values.Unite;
  settings.target = sugarlog::TargetRangeFile(config_folder).read();
  return settings;
}

std::optional<int> answer_report_commands(const std::vector<std::string>& arguments,
                                          std::ostream& out, std::ostream& err) {
  if (!asks_for_us(arguments)) return std::nullopt;
  std::string error;
  const auto options = platform::read_options(
      arguments, {"--report", "--from", "--to", "--name", "--logbook"}, {"--stats"}, error);
  if (!options) return refuse(err, error);
  const auto pdf = options->value("--report");
  if (pdf.has_value() == options->has("--stats")) {
    return refuse(err, "choose one of --report FILE.pdf and --stats");
  }
  if (pdf && pdf->empty()) return refuse(err, "option '--report' needs a file name");
  if (!pdf && options->value("--name")) return refuse(err, "option '--name' goes with --report");
  const auto from = day_option(*options, "--from", error);
  const auto to = day_option(*options, "--to", error);
  if (!error.empty()) return refuse(err, error);

  const fs::path config =
      platform_qt::to_path(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  const ReportSettings settings = read_report_settings(config);
  const platform::Serial last = to.value_or(settings.today);
  const auto period = sugarlog::period_between(from.value_or(sugarlog::last_days(last, 90).first),
                                               last, settings.today);
  if (!period) return refuse(err, "the period's first day lies after its last day");

  sugarlog::TestTable table;
  const auto logbook = options->value("--logbook");
  if (const auto failed = read_logbook(logbook ? fs::path(*logbook) : default_logbook(),
                                       logbook.has_value(), settings.separator, table, err)) {
    err << "sugarlog: " << *failed << "\n";
    return kFailure;
  }
  const int this_year = platform::year_of(settings.today);
  if (!pdf) {
    const sugarlog::PeriodTests tests =
        sugarlog::tests_in_period(table, *period, settings.unite, settings.separator, this_year);
    out << sugarlog::statistics_text(
        sugarlog::compute_statistics(tests, *period, settings.unite, settings.target),
        settings.langue, settings.separator, settings.date_picture);
    return out ? 0 : kFailure;
  }
  sugarlog::ReportRequest request{*period,
                                  settings.unite,
                                  settings.langue,
                                  settings.separator,
                                  settings.date_picture,
                                  settings.today,
                                  options->value("--name").value_or(""),
                                  settings.target};
  return write_report(fs::path(*pdf), table, request, this_year, err);
}

}  // namespace sugarlog_app
