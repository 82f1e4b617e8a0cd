#pragma once
// The logbook on the desktop: the main window with the Qt services and the renderer, and the
// folders its two files live in. main() only calls run(); the Qt-level tests start the same
// program on folders of their own.
#include <QString>
#include <filesystem>
#include <memory>

#include "platform/core/command_line.h"
#include "platform/qt/qt_platform.h"
#include "sugarlog/app/logbook_windows_qt.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog_app {

// The program folder, where Diabete.dbk and the online copies live: $XDG_DATA_HOME/sugarlog
// (normally ~/.local/share/sugarlog), created when missing, or the executable's folder when a
// Diabete.dbk already lies there (a portable copy).
std::filesystem::path program_folder(const QString& executable_folder);
// Where sugarlog.ini lives: $XDG_CONFIG_HOME (normally ~/.config), created when missing.
std::filesystem::path settings_folder();

class Program {
 public:
  // Needs a QApplication. probe: what the connection check asks instead of the system's ping.
  Program(const std::filesystem::path& data_folder, const std::filesystem::path& settings_folder,
          platform::ReachabilityProbe* probe = nullptr);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the start-up and shows the window; false when the start-up ended the program.
  bool start();

  sugarlog::Fenetre& window() { return *window_; }
  platform_qt::QtPlatform& qt() { return qt_; }

 private:
  platform_qt::QtPlatform qt_;
  std::unique_ptr<sugarlog::Fenetre> window_;
  LogbookWindowsQt windows_{qt_.renderer(), qt_.printer()};
};

// Who the program says it is in --help and --version, with the options of its windowless modes.
const platform::ProgramIdentity& identity();

// The whole program: QApplication, start-up, event loop; returns the exit code.
int run(int argc, char** argv);

}  // namespace sugarlog_app
