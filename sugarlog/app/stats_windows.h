#pragma once
// The statistics window and the report dialog of the logbook: plain Qt dialogs over the
// statistics and report modules, in the program's language, reading the main window's tests.
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDoubleSpinBox>
#include <functional>

#include "platform/qt/qt_services.h"
#include "sugarlog/app/report_commands.h"
#include "sugarlog/window/fenetre.h"

class QTextBrowser;

namespace sugarlog_app {

// Each opens its dialog, modal, over the active window. The report prints through printer's
// module, loaded when the user first prints.
void show_statistics_window(sugarlog::Fenetre& window);
void show_report_dialog(sugarlog::Fenetre& window, platform_qt::QtPrinter& printer);

// What the dialogs take from the main window: its language, unit, separators and the target
// range kept beside its settings.
ReportSettings report_settings_of(const sugarlog::Fenetre& window);

// The period: the last 7, 14, 30 or 90 days, or from one day to another.
class PeriodChoice : public QWidget {
 public:
  PeriodChoice(std::int16_t langue, platform::Serial today, QWidget* parent = nullptr);
  sugarlog::Period period() const;
  // 0..3: the last 7, 14, 30, 90 days; 4: the days of the date boxes.
  void choose(int index);
  void set_days(platform::Serial first, platform::Serial last);
  std::function<void()> on_change;

 private:
  platform::Serial today_;
  QComboBox* choice_;
  QDateEdit* from_;
  QDateEdit* to_;
};

// The target range's bounds, in the unit in force.
class TargetFields : public QWidget {
 public:
  TargetFields(const ReportSettings& settings, QWidget* parent = nullptr);
  sugarlog::TargetRange range() const;
  void set_range(const sugarlog::TargetRange& range);

 private:
  int unite_;
  QDoubleSpinBox* low_;
  QDoubleSpinBox* high_;
};

// The statistics window, open for tests.
class StatisticsDialog : public QDialog {
 public:
  StatisticsDialog(const sugarlog::Fenetre& window, QWidget* parent = nullptr);
  // The figures shown now, as the view the window shows.
  const sugarlog::Statistics& statistics() const { return stats_; }
  PeriodChoice& period() { return *period_; }
  TargetFields& target() { return *target_; }
  QTextBrowser& figures() { return *figures_; }
  void refresh();
  // Keeps the target range typed when it can be used; a message box says why not otherwise.
  bool keep_target();

 private:
  const sugarlog::Fenetre& window_;
  ReportSettings settings_;
  PeriodChoice* period_;
  TargetFields* target_;
  QTextBrowser* figures_;
  sugarlog::Statistics stats_;
};

}  // namespace sugarlog_app
