#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/core/file_names.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/renderer.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

QMessageBox::Icon qt_icon(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::Information:
      return QMessageBox::Information;
    case platform::Icon::Exclamation:
      return QMessageBox::Warning;
    case platform::Icon::Stop:
      return QMessageBox::Critical;
    case platform::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QWidget* dialog_parent() {
  return QApplication::activeWindow();
}

}  // namespace

QString qt_file_filter(const std::string& filter) {
  const QStringList parts = to_qstring(filter).split(u'|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    entries << parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

QtDialogs::QtDialogs(Renderer& renderer, QtPrinter& printer,
                     const platform::ProgramControl& program)
    : renderer_(renderer), printer_(printer), program_(program) {}

QtDialogs::~QtDialogs() {
  if (busy_) QApplication::restoreOverrideCursor();
}

platform::Answer QtDialogs::message_box(const std::string& text, platform::Buttons buttons,
                                        platform::Icon icon, const std::string& title) {
  // What Escape, the close box and an ending program answer.
  const platform::Answer dismissed = buttons == platform::Buttons::YesNo ? platform::Answer::No
                                     : buttons == platform::Buttons::YesNoCancel
                                         ? platform::Answer::Cancel
                                         : platform::Answer::Ok;
  if (program_.ending()) return dismissed;
  show_window_as_it_stands();
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  if (buttons == platform::Buttons::YesNo) shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == platform::Buttons::YesNoCancel)
    shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(qt_icon(icon), to_qstring(title), to_qstring(text), shown, dialog_parent());
  if (buttons != platform::Buttons::Ok) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(buttons == platform::Buttons::YesNo ? QMessageBox::No
                                                            : QMessageBox::Cancel);
  }
  const int result = box.exec();
  if (result == QMessageBox::Yes) return platform::Answer::Yes;
  if (result == QMessageBox::No) return platform::Answer::No;
  return dismissed;
}

std::optional<std::string> QtDialogs::input_box(const std::string& prompt, const std::string& title,
                                                const std::string& default_text) {
  if (program_.ending()) return std::nullopt;
  show_window_as_it_stands();
  bool ok = false;
  const QString text = QInputDialog::getText(dialog_parent(), to_qstring(title), to_qstring(prompt),
                                             QLineEdit::Normal, to_qstring(default_text), &ok);
  if (!ok) return std::nullopt;
  return to_utf8(text);
}

std::optional<platform::Colour> QtDialogs::choose_colour(platform::Colour initial) {
  if (program_.ending()) return std::nullopt;
  show_window_as_it_stands();
  const QColor chosen = QColorDialog::getColor(to_qcolor(initial), dialog_parent());
  if (!chosen.isValid()) return std::nullopt;
  return from_qcolor(chosen);
}

bool QtDialogs::choose_printer() {
  if (program_.ending()) return false;
  show_window_as_it_stands();
  PrintTarget* target = printer_.target();
  return target && target->choose_for_page(dialog_parent(), printer_.printing_to_pdf());
}

std::optional<std::string> QtDialogs::save_file(const platform::SaveFileOptions& options) {
  if (program_.ending()) return std::nullopt;
  show_window_as_it_stands();
  QFileDialog dialog(dialog_parent(), to_qstring(options.title), QString(),
                     qt_file_filter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(to_qstring(options.default_extension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.prompt_overwrite);
  dialog.selectFile(to_qstring(options.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::string chosen = to_utf8(dialog.selectedFiles().constFirst());
  const std::string path = platform::with_default_extension(chosen, options.default_extension);
  // A native dialog may hand the name back without the extension and so without having asked
  // about the file that name becomes.
  if (path != chosen && options.prompt_overwrite && QFileInfo::exists(to_qstring(path))) {
    const auto answer = QMessageBox::question(
        dialog_parent(), to_qstring(options.title),
        QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(to_qstring(path)));
    if (answer != QMessageBox::Yes) return std::nullopt;
  }
  return path;
}

// A dialog opened by a handler stays up while the handler waits, and the widgets are otherwise
// brought in line with the models only once the handler returns: without this the window would
// show, behind the dialog, whatever it showed before the handler began (a window printed in
// black on white, say, while the "printed to file" message is up).
void QtDialogs::show_window_as_it_stands() {
  renderer_.refresh();
}

void QtDialogs::show_modal(form::Form& form) {
  renderer_.run_modal(form);
}

void QtDialogs::beep() {
  QApplication::beep();
}

void QtDialogs::set_busy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace platform_qt
