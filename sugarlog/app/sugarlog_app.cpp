#include "sugarlog/app/sugarlog_app.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "platform/core/program_folder.h"
#include "platform/core/version.h"
#include "platform/qt/text.h"

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
                 platform::ReachabilityProbe* probe) {
  init_sugarlog_resources();
  if (probe) qt_.use_probe(*probe);
  for (const char* picture : {"thermometer", "banner", "camera1", "camera2"}) {
    qt_.renderer().register_picture(picture, QStringLiteral(":/sugarlog/%1.svg").arg(picture));
  }
  window_ = std::make_unique<sugarlog::Fenetre>(qt_.platform(), data, settings);
}

Program::~Program() {
  qt_.renderer().detach(*window_);
}

bool Program::start() {
  qt_.renderer().attach(*window_);
  window_->Form_Load();
  if (qt_.program().ending()) return false;
  qt_.renderer().show(*window_);
  return true;
}

int run(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("sugarlog");
  QApplication::setApplicationVersion(QString::fromUtf8(platform::kVersion));
  Program program(program_folder(QCoreApplication::applicationDirPath()), settings_folder());
  if (!program.start()) return 0;
  return QApplication::exec();
}

}  // namespace sugarlog_app
