#pragma once
// The logbook's real window (offscreen) on the largest logbook, in a scratch folder of its own,
// for the benchmarks that measure what a user does in it.
#include <QAction>
#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "bench/large_logbook.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/qt/qt_services.h"
#include "sugarlog/app/sugarlog_app.h"

struct LargeLogbookApp {
  explicit LargeLogbookApp(const char* scratch_name) : scratch{scratch_name} {
    namespace fs = std::filesystem;
    fs::create_directories(scratch.path() / "program");
    fs::create_directories(scratch.path() / "config");
    bench_data::write_large_logbook(scratch.path() / "program", platform_qt::QtClock().today());
    program = std::make_unique<sugarlog_app::Program>(scratch.path() / "program",
                                                      scratch.path() / "config");
    program->start();
    window = program->qt().renderer().widget_for(program->window());
    QCoreApplication::processEvents();
  }
  ~LargeLogbookApp() {
    program.reset();
    QCoreApplication::processEvents();
  }
  QAction* action(const QString& text) const {
    for (QAction* a : window->findChildren<QAction*>()) {
      if (a->text() == text) return a;
    }
    return nullptr;
  }
  // One handled event and everything it brings on screen.
  static void settle() { QCoreApplication::processEvents(); }

  platform::ScratchFolder scratch;
  std::unique_ptr<sugarlog_app::Program> program;
  QWidget* window = nullptr;
};
