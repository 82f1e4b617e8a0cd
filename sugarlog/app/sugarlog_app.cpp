#include "sugarlog/app/sugarlog_app.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <iostream>

#include "platform/core/program_folder.h"
#include "platform/qt/desktop_program.h"
#include "platform/qt/http_module.h"
#include "platform/qt/modules.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/logbook_commands.h"
#include "sugarlog/app/report_commands.h"
#include "sugarlog/texts/langage.h"

// The pictures are compiled into this static library; Q_INIT_RESOURCE must be called outside
// any namespace.
static void init_sugarlog_resources() {
  Q_INIT_RESOURCE(sugarlog);
}

namespace sugarlog_app {

namespace {

std::filesystem::path made(const QString& folder) {
  QDir().mkpath(folder);
  return std::filesystem::path(folder.toStdString());
}

}  // namespace

std::filesystem::path program_folder(const QString& executable_folder) {
  return platform::program_folder("sugarlog", platform_qt::to_path(executable_folder),
                                  sugarlog::DataFile::kFileName);
}

std::filesystem::path settings_folder() {
  return made(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

Program::Program(const std::filesystem::path& data, const std::filesystem::path& settings,
                 platform::ReachabilityProbe* probe)
    : qt_(QCoreApplication::applicationDirPath() + QStringLiteral("/" MODULES_FOLDER)) {
  init_sugarlog_resources();
  if (probe) qt_.use_probe(*probe);
  qt_.use_http(std::make_unique<platform_qt::ModuleHttpClient>(
      [this](std::function<void()> handler) { qt_.renderer().post(std::move(handler)); },
      qt_.modules_folder() + u'/' + QLatin1StringView(platform_qt::kDownloadsModule)));
  for (const char* picture : {"thermometer", "banner", "camera1", "camera2"}) {
    qt_.renderer().register_picture(picture, QStringLiteral(":/sugarlog/%1.svg").arg(picture));
  }
  window_ = std::make_unique<sugarlog::Fenetre>(qt_.platform(), data, settings);
  window_->set_logbook_windows(&windows_);
}

Program::~Program() {
  qt_.renderer().detach(*window_);
}

bool Program::start() {
  window_->preload_logbook();
  qt_.renderer().attach(*window_);
  window_->Form_Load();
  if (qt_.program().ending()) return false;
  qt_.renderer().show(*window_);
  return true;
}

const platform::ProgramIdentity& identity() {
  static const std::string options = std::string("\nWithout a window:\n") + kReportCommandsHelp +
                                     std::string(kLogbookCommandsUsage);
  static const platform::ProgramIdentity program{
      "sugarlog", "Sugarlog", "a blood glucose logbook in French or English, with charts", options};
  return program;
}

int run(int argc, char** argv) {
  init_sugarlog_resources();
  if (const auto done =
          answer_report_commands(platform::arguments_of(argc, argv), std::cout, std::cerr))
    return *done;
  if (const auto done = answer_logbook_command(argc, argv, identity())) return *done;
  const platform_qt::DesktopIdentity desktop{identity(), QStringLiteral(DESKTOP_ID),
                                             QStringLiteral(":/sugarlog/sugarlog.svg")};
  return platform_qt::run_desktop_program(argc, argv, desktop, [] {
    // Qt's own buttons and dialogs speak the window's language: French, or Qt's English.
    if (sugarlog::langue_of(sugarlog::Lire_Langue(platform_qt::QtLocale())) == sugarlog::kFrench) {
      platform_qt::load_qt_translations(QLocale(QLocale::French));
    }
    Program program(program_folder(QCoreApplication::applicationDirPath()), settings_folder());
    if (!program.start()) return 0;
    return QApplication::exec();
  });
}

}  // namespace sugarlog_app
