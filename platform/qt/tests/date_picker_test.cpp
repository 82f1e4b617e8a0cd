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
  const struct {
    const char* locale;
    const char* format;
    const char* keys;
    QDate date;
  } cases[] = {
      {"en_US", "M/d/yyyy", "3/15/1985", {1985, 3, 15}},
      {"en_US", "M/d/yyyy", "07/04/1990", {1990, 7, 4}},
      {"en_US", "M/d/yyyy", "11/30/2000", {2000, 11, 30}},
      {"en_US", "M/d/yyyy", "1/1/1990", {1990, 1, 1}},
      {"en_US", "M/d/yyyy", "03151985", {1985, 3, 15}},
      {"en_AU", nullptr, "15/3/1985", {1985, 3, 15}},
      {"en_AU", nullptr, "04/07/1990", {1990, 7, 4}},
      {"en_AU", nullptr, "15031985", {1985, 3, 15}},
      {"fr_FR", "dd/MM/yyyy", "15/03/1985", {1985, 3, 15}},
      {"fr_FR", "dd/MM/yyyy", "4/7/1990", {1990, 7, 4}},
      {"fr_FR", "dd/MM/yyyy", "30112000", {2000, 11, 30}},
      {"de_DE", "dd.MM.yyyy", "15.03.1985", {1985, 3, 15}},
      {"de_DE", "dd.MM.yyyy", "4.7.1990", {1990, 7, 4}},
      {"C", "dd/MM/yyyy", "30/11/2000", {2000, 11, 30}},
      {"C", "dd/MM/yyyy", "1//1//1990", {1990, 1, 1}},  // a doubled separator is one
  };
  for (const auto& c : cases) {
    const QLocale locale(QString::fromLatin1(c.locale));
    if (c.format) {
      EXPECT_EQ(date_picker_format(locale), QString::fromLatin1(c.format)) << c.locale;
    }
    EXPECT_EQ(typed_date(locale, QString::fromLatin1(c.keys)).toString(Qt::ISODate).toStdString(),
              c.date.toString(Qt::ISODate).toStdString())
        << c.locale << " " << c.keys << " in " << date_picker_format(locale).toStdString();
  }
}

}  // namespace
}  // namespace platform_qt
