#pragma once
// The windows the logbook opens beside its main one (the tests table, import and export,
// statistics, the report) are plain Qt windows of the program. The main window reaches them
// through this, so its menus and their enabled states stay testable without Qt.
namespace sugarlog {

class Fenetre;

class LogbookWindows {
 public:
  virtual ~LogbookWindows() = default;
  // Each opens its window (modal) over the main window, which it may read and, through the
  // main window's own saving, change.
  virtual void show_tests(Fenetre& window) = 0;
  virtual void show_export(Fenetre& window) = 0;
  virtual void show_import(Fenetre& window) = 0;
  virtual void show_statistics(Fenetre& window) = 0;
  virtual void show_report(Fenetre& window) = 0;
};

}  // namespace sugarlog
