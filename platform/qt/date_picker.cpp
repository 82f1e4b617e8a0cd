#include "platform/qt/date_picker.h"

#include <QKeyEvent>

#include "platform/qt/qt_services.h"

namespace platform_qt {

QString date_picker_format(const QLocale& locale) {
  return QString::fromStdString(date_picture_from_qt(short_date_format_of(locale)));
}

DatePickerEdit::DatePickerEdit(QWidget* parent) : QDateEdit(parent) {}

bool DatePickerEdit::is_separator(const QString& typed) const {
  if (typed.size() != 1 || typed[0].isLetterOrNumber() || !typed[0].isPrint()) return false;
  return displayFormat().contains(typed[0]);
}

void DatePickerEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (is_separator(typed)) {
    if (moved_on_) {
      event->accept();
      return;
    }
    const int before = currentSectionIndex();
    QDateEdit::keyPressEvent(event);
    // Between two fields a separator of several characters (". ") is typed whole.
    moved_on_ = currentSectionIndex() != before;
    return;
  }
  const int before = currentSectionIndex();
  QDateEdit::keyPressEvent(event);
  moved_on_ = typed.size() == 1 && typed[0].isDigit() && currentSectionIndex() != before;
}

void DatePickerEdit::focusInEvent(QFocusEvent* event) {
  moved_on_ = false;
  QDateEdit::focusInEvent(event);
}

void DatePickerEdit::mousePressEvent(QMouseEvent* event) {
  moved_on_ = false;
  QDateEdit::mousePressEvent(event);
}

}  // namespace platform_qt
