#pragma once
// The logbook's windows beyond the main one, as Qt dialogs over the main window's widget.
#include <QString>

#include "platform/qt/qt_services.h"
#include "platform/qt/renderer.h"
#include "sugarlog/window/fenetre.h"
#include "sugarlog/window/logbook_windows.h"

class QWidget;

namespace sugarlog_app {

class LogbookWindowsQt : public sugarlog::LogbookWindows {
 public:
  LogbookWindowsQt(platform_qt::Renderer& renderer, platform_qt::QtPrinter& printer)
      : renderer_(renderer), printer_(printer) {}

  void show_tests(sugarlog::Fenetre& window) override;
  void show_export(sugarlog::Fenetre& window) override;
  void show_import(sugarlog::Fenetre& window) override;
  void show_statistics(sugarlog::Fenetre& window) override;
  void show_report(sugarlog::Fenetre& window) override;

 private:
  QWidget* parent_of(const sugarlog::Fenetre& window) const;
  platform_qt::Renderer& renderer_;
  platform_qt::QtPrinter& printer_;
};

// A text of the window's language.
QString in_language(const sugarlog::Bilingual& text, const sugarlog::Fenetre& window);

}  // namespace sugarlog_app
