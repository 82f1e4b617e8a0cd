#include "sugarlog/app/logbook_commands.h"

#include <cmath>
#include <iostream>

#include "platform/core/file_io.h"
#include "platform/core/program_folder.h"
#include "platform/qt/qt_services.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/exchange/export.h"
#include "sugarlog/exchange/import.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/period.h"
#include "sugarlog/store/settings_file.h"
#include "sugarlog/texts/exchange_texts.h"
#include "sugarlog/texts/langage.h"

namespace sugarlog_app {

namespace {

namespace fs = std::filesystem;
using namespace sugarlog;

bool asked(const std::vector<std::string>& arguments, std::string_view option) {
  for (const std::string& a : arguments) {
    if (a == option || a.starts_with(std::string(option) + "=")) return true;
  }
  return false;
}

class Command {
 public:
  Command(const platform::CommandOptions& options, const CommandContext& context, std::ostream& out,
          std::ostream& err)
      : options_(options), context_(context), out_(out), err_(err) {
    langue_ = langue_of(Lire_Langue(context.locale));
    sep_ = context.locale.decimal_separator();
    const platform::FileRead ini =
        platform::read_file(context.settings_folder / SettingsFile::kFileName);
    if (!ini.error) unite_ = parse_settings(ini.bytes).values.Unite;
    today_ = platform::day_part(context.clock.now());
  }

  int run() {
    const std::optional<fs::path> folder = logbook_folder();
    if (!folder) return 2;
    DataFile data(*folder);
    TestTable table;
    if (!fs::exists(data.path())) {
      // Nothing is made where the user only looks: a missing logbook is an empty one.
      if (options_.value("--export")) return fail(data.path().string() + ": no logbook here");
      if (!options_.has("--yes")) return import_from(data, table, *options_.value("--import"));
    }
    const LoadOutcome loaded = data.Recuperer(table, sep_);
    if (loaded.open_elsewhere) {
      return fail(data.path().string() + ": " +
                  "the logbook is open in a Sugarlog window; close it first");
    }
    if (loaded.error) {
      return fail(where(data.path(), loaded.line) + *loaded.error);
    }
    if (auto file = options_.value("--export")) return export_to(table, *file);
    return import_from(data, table, *options_.value("--import"));
  }

 private:
  int fail(const std::string& message) {
    err_ << "sugarlog: " << message << '\n';
    return 1;
  }

  std::string where(const fs::path& path, int line) const {
    std::string text = path.string() + ": ";
    if (line > 0) text += std::string(text::kLine.in(langue_)) + std::to_string(line) + ": ";
    return text;
  }

  std::optional<fs::path> logbook_folder() {
    const auto given = options_.value("--logbook");
    if (!given) return context_.default_folder;
    const fs::path path(*given);
    std::error_code ec;
    if (fs::is_directory(path, ec)) return path;
    if (path.filename() == DataFile::kFileName)
      return path.parent_path().empty() ? "." : path.parent_path();
    err_ << "sugarlog: --logbook names the folder of " << DataFile::kFileName
         << " or that file, not '" << *given << "'\n";
    return std::nullopt;
  }

  std::optional<platform::Serial> day_option(std::string_view name, bool& bad) {
    const auto text = options_.value(name);
    if (!text) return std::nullopt;
    const auto day = parse_iso_day(*text);
    if (!day) {
      err_ << "sugarlog: " << name << " takes a day as YYYY-MM-DD, not '" << *text << "'\n";
      bad = true;
    }
    return day;
  }

  int export_to(const TestTable& table, const std::string& file) {
    bool bad = false;
    const auto from = day_option("--from", bad);
    const auto to = day_option("--to", bad);
    if (bad) return 2;
    const auto period =
        from || to ? period_between(from, to, today_) : std::optional(exchange::kWholeLogbook);
    if (!period) {
      err_ << "sugarlog: --from is after --to\n";
      return 2;
    }
    const exchange::ExportResult result =
        exchange::export_csv(table, unite_, sep_, *period, platform::year_of(today_));
    if (auto error = platform::write_file_atomic(file, result.csv))
      return fail(file + ": " + *error);
    out_ << result.written << text::kExportWritten.in(langue_) << file << '\n';
    if (result.unreadable > 0)
      err_ << result.unreadable << text::kExportUnreadable.in(langue_) << '\n';
    return 0;
  }

  int import_from(DataFile& data, TestTable& table, const std::string& file) {
    const platform::FileRead read = platform::read_file(file);
    if (read.error) return fail(file + ": " + *read.error);
    exchange::ImportSettings settings;
    settings.unite = unite_;
    settings.sep_decimal = sep_;
    settings.now = context_.clock.now();
    settings.langue = langue_;
    const std::string picture = context_.locale.short_date_picture();
    if (!picture.empty() && (picture[0] == 'd' || picture[0] == 'M')) {
      settings.locale_day_first = picture[0] == 'd';
    }
    const exchange::ParsedImport parsed = exchange::read_import(read.bytes, settings);
    if (parsed.error) return fail(where(file, parsed.error->line) + parsed.error->reason);
    if (parsed.ask_unit) return fail(file + ": " + std::string(text::kUnitUnknown.in(langue_)));
    if (parsed.ask_day_order)
      return fail(file + ": " + std::string(text::kAskDayOrder.in(langue_)));
    const int this_year = platform::year_of(today_);
    const exchange::ImportPlan plan = exchange::plan_import(table, parsed, unite_, sep_, this_year);
    out_ << file << "\n" << exchange::import_summary(plan, langue_);
    if (!options_.has("--yes")) {
      out_ << text::kDryRun.in(langue_) << '\n';
      return 0;
    }
    if (plan.added == 0) return 0;
    exchange::fill_table(plan.entries, table);
    UnitState units;
    units.Sep_Decimal = sep_;
    units.Le_Formatteur(unite_, "");
    data.keep_previous_on_next_save();
    if (auto error =
            data.Sauvegarder(table, unite_, units, context_.locale.date_separator(), this_year)) {
      return fail(data.path().string() + ": " + *error);
    }
    out_ << data.path().string() << '\n';
    return 0;
  }

  const platform::CommandOptions& options_;
  const CommandContext& context_;
  std::ostream& out_;
  std::ostream& err_;
  std::int16_t langue_ = 0;
  std::string sep_ = ".";
  int unite_ = 0;
  platform::Serial today_ = 0;
};

}  // namespace

std::optional<int> answer_logbook_command(const std::vector<std::string>& arguments,
                                          const platform::ProgramIdentity& program,
                                          const CommandContext& context, std::ostream& out,
                                          std::ostream& err) {
  const bool exporting = asked(arguments, "--export");
  const bool importing = asked(arguments, "--import");
  if (!exporting && !importing) return std::nullopt;
  std::string error;
  const auto options = platform::read_options(
      arguments, {"--export", "--import", "--from", "--to", "--logbook"}, {"--yes"}, error);
  if (!options || (exporting && importing)) {
    err << program.command << ": " << (options ? "--export and --import go one at a time" : error)
        << "\nTry '" << program.command << " --help' for more information.\n";
    return 2;
  }
  return Command(*options, context, out, err).run();
}

std::optional<int> answer_logbook_command(int argc, char** argv,
                                          const platform::ProgramIdentity& program) {
  const std::vector<std::string> arguments = platform::arguments_of(argc, argv);
  if (!asked(arguments, "--export") && !asked(arguments, "--import")) return std::nullopt;
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  const platform_qt::QtLocale locale;
  const platform_qt::QtClock clock;
  const CommandContext context{
      platform::program_folder("sugarlog", executable.parent_path(), DataFile::kFileName),
      settings_folder(), locale, clock};
  return answer_logbook_command(arguments, program, context, std::cout, std::cerr);
}

}  // namespace sugarlog_app
