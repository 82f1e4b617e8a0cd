#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

const QDate kSerialEpoch(1899, 12, 30);

}  // namespace

QString short_date_format_of(const QLocale& locale) {
  // The C locale's own short format spells the month out; numbers, day first, read better.
  if (locale.language() == QLocale::C) return QStringLiteral("dd/MM/yyyy");
  return locale.dateFormat(QLocale::ShortFormat);
}

QString system_short_date_format() {
  return short_date_format_of(QLocale::system());
}

namespace {

QString short_date_format() {
  return system_short_date_format();
}

// One run of a repeated letter in a Qt date format, translated.
std::string translate_run(char letter, qsizetype count) {
  switch (letter) {
    case 'd':
      return count <= 2 ? std::string(static_cast<std::size_t>(count), 'd') : std::string();
    case 'M':
      return count == 1 ? "M" : "MM";
    case 'y':
      return "yyyy";
    default:
      return std::string(static_cast<std::size_t>(count), letter);
  }
}

}  // namespace

platform::Serial QtClock::now() const {
  const QDateTime now = QDateTime::currentDateTime();
  return static_cast<double>(kSerialEpoch.daysTo(now.date())) +
         now.time().msecsSinceStartOfDay() / 86'400'000.0;
}

std::string date_picture_from_qt(const QString& qt_format) {
  std::string out;
  bool quoted = false;
  for (qsizetype i = 0; i < qt_format.size();) {
    const QChar c = qt_format[i];
    if (c == u'\'') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (quoted || !(c == u'd' || c == u'M' || c == u'y')) {
      out += to_utf8(QString(c));
      ++i;
      continue;
    }
    qsizetype run = 1;
    while (i + run < qt_format.size() && qt_format[i + run] == c) ++run;
    out += translate_run(static_cast<char>(c.unicode()), run);
    i += run;
  }
  // A dropped weekday name leaves its separator behind ("dddd, d/M/y" -> ", d/M/yyyy").
  const auto first = out.find_first_of("dMy");
  return first == std::string::npos ? out : out.substr(first);
}

std::string date_separator_of(const QString& qt_format) {
  for (QChar c : qt_format) {
    if (!c.isLetterOrNumber() && c != u'\'') return to_utf8(QString(c));
  }
  return "/";
}

std::string QtLocale::decimal_separator() const {
  return to_utf8(QLocale::system().decimalPoint());
}

std::string QtLocale::date_separator() const {
  return date_separator_of(short_date_format());
}

std::string QtLocale::language_name() const {
  const QLocale::Language language = QLocale::system().language();
  if (language == QLocale::C || language == QLocale::AnyLanguage) return {};
  return to_utf8(QLocale::languageToString(language));
}

std::string QtLocale::short_date_picture() const {
  return date_picture_from_qt(short_date_format());
}

std::string QtLocale::month_name(int month, bool abbreviated) const {
  if (month < 1 || month > 12) return {};
  // Stand-alone names: the programs show them alone, as titles, not inside a date.
  return to_utf8(QLocale::system().standaloneMonthName(
      month, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

std::string QtLocale::weekday_name(int weekday, bool abbreviated) const {
  if (weekday < 1 || weekday > 7) return {};
  // Qt counts from Monday (1) to Sunday (7).
  const int qt_day = weekday == 1 ? 7 : weekday - 1;
  return to_utf8(QLocale::system().standaloneDayName(
      qt_day, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

}  // namespace platform_qt
