#pragma once
// The date picker's widget: a date edit in the user's short date form that takes a date typed the
// way people type it, with or without its separators.
#include <QDateEdit>
#include <QLocale>

namespace platform_qt {

// The picker's display format for a locale: its short date form with every field in digits and
// a four-digit year ("M/d/yyyy" for en_US, "dd.MM.yyyy" for de_DE, "dd/MM/yyyy" for C).
QString date_picker_format(const QLocale& locale = QLocale::system());

class DatePickerEdit : public QDateEdit {
 public:
  explicit DatePickerEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool is_separator(const QString& typed) const;

  // A field was just filled and the edit went on to the next one by itself: the separator the
  // user types next closes the field already closed, and must not skip the next one.
  bool moved_on_ = false;
};

}  // namespace platform_qt
