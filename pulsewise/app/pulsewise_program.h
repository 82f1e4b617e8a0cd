#pragma once
// The running program: the Qt services, the main window with its people, entry and print
// windows, the toolbar pictures and the bitmap writer, wired together. main() only calls run(),
// which makes the QApplication and a Program; the Qt-level tests start the same Program.
#include <memory>

#include "platform/core/services.h"
#include "platform/qt/qt_platform.h"
#include "pulsewise/shell/form1.h"

namespace pulsewise {

class Program {
 public:
  // Needs a QApplication. dialogs: a stand-in for the Qt dialogs (a test scripts the answers);
  // nullptr for the real ones.
  explicit Program(platform::Dialogs* dialogs = nullptr);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Reads the settings, draws the chart and shows the main window.
  void start();

  Form1& window() { return *window_; }
  platform_qt::QtPlatform& qt() { return qt_; }
  platform_qt::Renderer& renderer() { return qt_.renderer(); }

 private:
  platform::Platform with_dialogs(platform::Dialogs* dialogs);

  platform_qt::QtPlatform qt_;
  std::unique_ptr<Form1> window_;
};

// The whole program: command line, QApplication, the main window, event loop; returns the exit
// code.
int run(int argc, char** argv);

}  // namespace pulsewise
