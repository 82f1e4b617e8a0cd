#include "sugarlog/app/exchange_dialogs.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <cmath>

#include "platform/core/file_io.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/logbook_windows_qt.h"
#include "sugarlog/exchange/export.h"
#include "sugarlog/exchange/import.h"
#include "sugarlog/texts/exchange_texts.h"

namespace sugarlog_app {

namespace {

namespace text = sugarlog::text;
using platform_qt::to_qstring;
using platform_qt::to_utf8;

void tell(const sugarlog::Fenetre& window, const std::string& message,
          const sugarlog::Bilingual& title) {
  window.services().dialogs.message_box(message, platform::Buttons::Ok, platform::Icon::Exclamation,
                                        std::string(title.in(window.Langue)));
}

// The period to export: all tests, or the days between two dates; nothing when cancelled.
std::optional<sugarlog::Period> ask_period(const sugarlog::Fenetre& window, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(in_language(text::kExportTitle, window));
  auto* all = new QCheckBox(in_language(text::kExportAll, window), &dialog);
  all->setChecked(true);
  const platform::Serial today = platform::day_part(window.services().clock.now());
  const QDate last = platform_qt::date_of_serial(today);
  auto* from = new QDateEdit(last.addDays(-30), &dialog);
  auto* to = new QDateEdit(last, &dialog);
  for (QDateEdit* edit : {from, to}) {
    edit->setCalendarPopup(true);
    edit->setMaximumDate(last);
    edit->setEnabled(false);
    QObject::connect(all, &QCheckBox::toggled, edit, [edit](bool on) { edit->setEnabled(!on); });
  }
  all->setAccessibleName(all->text());
  from->setAccessibleName(in_language(text::kExportFrom, window));
  to->setAccessibleName(in_language(text::kExportTo, window));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(all);
  form->addRow(in_language(text::kExportFrom, window), from);
  form->addRow(in_language(text::kExportTo, window), to);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (all->isChecked()) return sugarlog::exchange::kWholeLogbook;
  return sugarlog::period_between(platform_qt::serial_of_date(from->date()),
                                  platform_qt::serial_of_date(to->date()), today);
}

sugarlog::exchange::ImportSettings import_settings(const sugarlog::Fenetre& window) {
  sugarlog::exchange::ImportSettings settings;
  settings.unite = window.unite();
  settings.sep_decimal = window.units.Sep_Decimal;
  settings.now = window.services().clock.now();
  settings.langue = window.Langue;
  const std::string picture = window.services().locale.short_date_picture();
  if (!picture.empty() && (picture[0] == 'd' || picture[0] == 'M')) {
    settings.locale_day_first = picture[0] == 'd';
  }
  return settings;
}

// Reads the file, asking what the file leaves open; nothing when the user cancels.
std::optional<sugarlog::exchange::ParsedImport> read_asking(
    const sugarlog::Fenetre& window, QWidget* parent, const std::string& bytes,
    sugarlog::exchange::ImportSettings& settings) {
  for (;;) {
    sugarlog::exchange::ParsedImport parsed = sugarlog::exchange::read_import(bytes, settings);
    if (parsed.ask_unit) {
      const QStringList units{"mmol/L", "mg/dL", "g/L"};
      bool ok = false;
      const QString unit = QInputDialog::getItem(parent, in_language(text::kImportTitle, window),
                                                 in_language(text::kAskUnit, window), units,
                                                 window.unite(), false, &ok);
      if (!ok) return std::nullopt;
      settings.file_unit = static_cast<int>(units.indexOf(unit));
    } else if (parsed.ask_day_order) {
      settings.day_first =
          window.services().dialogs.message_box(
              std::string(text::kAskDayOrder.in(window.Langue)), platform::Buttons::YesNo,
              platform::Icon::None,
              std::string(text::kImportTitle.in(window.Langue))) == platform::Answer::Yes;
    } else {
      return parsed;
    }
  }
}

}  // namespace

void run_export_dialog(sugarlog::Fenetre& window, QWidget* parent) {
  const auto period = ask_period(window, parent);
  if (!period) return;
  const QString file =
      QFileDialog::getSaveFileName(parent, in_language(text::kExportTitle, window), "sugarlog.csv",
                                   in_language(text::kCsvFiles, window));
  if (file.isEmpty()) return;
  const int this_year = platform::year_of(window.services().clock.now());
  const auto result = sugarlog::exchange::export_csv(window.table, window.unite(),
                                                     window.units.Sep_Decimal, *period, this_year);
  const std::string path = to_utf8(file);
  if (auto error = platform::write_file_atomic(platform_qt::to_path(file), result.csv)) {
    return tell(window, path + "\n\n" + *error, text::kExportTitle);
  }
  std::string message =
      std::to_string(result.written) + std::string(text::kExportWritten.in(window.Langue)) + path;
  if (result.unreadable > 0) {
    message += "\n\n" + std::to_string(result.unreadable) +
               std::string(text::kExportUnreadable.in(window.Langue));
  }
  window.services().dialogs.message_box(message, platform::Buttons::Ok, platform::Icon::Information,
                                        std::string(text::kExportTitle.in(window.Langue)));
}

void run_import_dialog(sugarlog::Fenetre& window, QWidget* parent) {
  const QString file = QFileDialog::getOpenFileName(parent, in_language(text::kImportTitle, window),
                                                    {}, in_language(text::kCsvFiles, window));
  if (file.isEmpty()) return;
  const std::string path = to_utf8(file);
  const platform::FileRead read = platform::read_file(platform_qt::to_path(file));
  if (read.error) return tell(window, path + "\n\n" + *read.error, text::kImportTitle);
  auto settings = import_settings(window);
  auto parsed = read_asking(window, parent, read.bytes, settings);
  if (!parsed) return;
  if (parsed->error) {
    return tell(window,
                path + "\n\n" + std::string(text::kLine.in(window.Langue)) +
                    std::to_string(parsed->error->line) + ": " + parsed->error->reason,
                text::kImportTitle);
  }
  const int this_year = platform::year_of(settings.now);
  auto plan = [&] {
    return sugarlog::exchange::plan_import(window.table, *parsed, settings.unite,
                                           settings.sep_decimal, this_year);
  };
  sugarlog::exchange::ImportPlan current = plan();
  QMessageBox box(QMessageBox::Question, in_language(text::kImportTitle, window), {},
                  QMessageBox::Yes | QMessageBox::No, parent);
  const auto show = [&] {
    box.setText(to_qstring(path + "\n\n" +
                           sugarlog::exchange::import_summary(current, window.Langue) + "\n" +
                           std::string(text::kApplyQuestion.in(window.Langue))));
    box.button(QMessageBox::Yes)->setEnabled(current.added > 0);
  };
  if (parsed->has_history) {
    auto* history = new QCheckBox(in_language(text::kIncludeHistory, window), &box);
    history->setAccessibleName(history->text());
    box.setCheckBox(history);
    QObject::connect(history, &QCheckBox::toggled, &box, [&](bool on) {
      settings.include_history = on;
      parsed = sugarlog::exchange::read_import(read.bytes, settings);
      current = plan();
      show();
    });
  }
  show();
  box.setDefaultButton(QMessageBox::No);
  if (box.exec() != QMessageBox::Yes || current.added == 0) return;
  auto table = std::make_unique<sugarlog::TestTable>();
  sugarlog::exchange::fill_table(current.entries, *table);
  window.save_tests(*table);
}

}  // namespace sugarlog_app
