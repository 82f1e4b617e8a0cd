#include "sugarlog/app/logbook_windows_qt.h"

#include "platform/qt/text.h"
#include "sugarlog/app/exchange_dialogs.h"
#include "sugarlog/app/stats_windows.h"
#include "sugarlog/app/tests_window.h"

namespace sugarlog_app {

QString in_language(const sugarlog::Bilingual& text, const sugarlog::Fenetre& window) {
  return platform_qt::to_qstring(text.in(window.Langue));
}

QWidget* LogbookWindowsQt::parent_of(const sugarlog::Fenetre& window) const {
  return renderer_.widget_for(window);
}

void LogbookWindowsQt::show_tests(sugarlog::Fenetre& window) {
  TestsWindow dialog(window, parent_of(window));
  dialog.exec();
}

void LogbookWindowsQt::show_export(sugarlog::Fenetre& window) {
  run_export_dialog(window, parent_of(window));
}

void LogbookWindowsQt::show_import(sugarlog::Fenetre& window) {
  run_import_dialog(window, parent_of(window));
}

void LogbookWindowsQt::show_statistics(sugarlog::Fenetre& window) {
  show_statistics_window(window);
}

void LogbookWindowsQt::show_report(sugarlog::Fenetre& window) {
  show_report_dialog(window, printer_);
}

}  // namespace sugarlog_app
