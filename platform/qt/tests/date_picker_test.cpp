#include "platform/qt/date_picker.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/qt/testing/test_app.h"

namespace platform_qt {
namespace {

// A date typed into the picker from its first field, as a user who tabbed into it types it.
QDate typed_date(const QLocale& locale, const QString& keys) {
  testing::app();
  DatePickerEdit edit;
  edit.setDisplayFormat(date_picker_format(locale));
  edit.setDate(QDate(2026, 12, 8));
  edit.show();
  edit.activateWindow();
  if (!QTest::qWaitForWindowActive(&edit)) return {};
  edit.setFocus(Qt::TabFocusReason);
  edit.setCurrentSectionIndex(0);
  edit.setSelectedSection(edit.sectionAt(0));
  QTest::keyClicks(&edit, keys);
  return edit.date();
}

// Every field typed in full, with the locale's separators or without them, gives the date typed:
// a separator after a field that was already complete never skips the next one.
TEST(DatePicker, TakesTheDateTypedInTheShortForm) {
  const char* cases[][3] = {
      {"en_US", "3/15/1985", "1985-03-15"},  {"en_US", "07/04/1990", "1990-07-04"},
      {"en_US", "11/30/2000", "2000-11-30"}, {"en_US", "03151985", "1985-03-15"},
      {"en_AU", "15/3/1985", "1985-03-15"},  {"en_AU", "15031985", "1985-03-15"},
      {"fr_FR", "4/7/1990", "1990-07-04"},   {"de_DE", "15.03.1985", "1985-03-15"},
      {"C", "30/11/2000", "2000-11-30"},     {"C", "1//1//1990", "1990-01-01"},
  };
  for (const auto& [name, keys, date] : cases) {
    const QLocale locale(QString::fromLatin1(name));
    EXPECT_EQ(typed_date(locale, QString::fromLatin1(keys)).toString(Qt::ISODate).toStdString(),
              date)
        << name << " " << keys << " in " << date_picker_format(locale).toStdString();
  }
  EXPECT_EQ(date_picker_format(QLocale("en_US")), "M/d/yyyy");
  EXPECT_EQ(date_picker_format(QLocale("de_DE")), "dd.MM.yyyy");
}

}  // namespace
}  // namespace platform_qt
