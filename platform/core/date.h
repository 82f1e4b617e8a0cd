#pragma once
// Calendar dates as serial day numbers: day 0 is 30 December 1899, the time of day is the
// fraction. Both programs keep and compare dates in this form.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using Serial = double;

struct Ymd {
  int year = 1899;
  int month = 12;
  int day = 30;
};

// Whole-day serial of a calendar date. Months and days outside their range carry over
// (month 13 is January of the next year, day 0 the last day of the previous month).
Serial date_serial(int year, int month, int day);
// Fraction of a day for a time of day (24:00 is 1.0).
Serial time_serial(int hour, int minute, int second = 0);

// The calendar date of the day a serial falls in (time of day ignored, rounded down).
Ymd ymd_of(Serial serial);
int year_of(Serial serial);
int month_of(Serial serial);
int day_of(Serial serial);
// 1 = Sunday ... 7 = Saturday.
int weekday_of(Serial serial);
int hour_of(Serial serial);
int minute_of(Serial serial);
int second_of(Serial serial);
// The whole day of a serial (floor), dropping the time of day.
Serial day_part(Serial serial);

// Formats the date and time parts of a serial after a picture. Date tokens: d, dd, m, mm, M, MM,
// yy, yyyy (m/mm after an h token mean minutes); time tokens: h, hh, n, nn, s, ss. Anything else
// is copied. So "dd/mm/yy", "dd/mm/yyyy", "d/m/yyyy", "hh:mm", "hh:mm:ss" and a locale's
// "dd/MM/yyyy" all work.
std::string format_serial(Serial serial, std::string_view picture);

// Reads a day-first date: day, month and year separated by "/", "-", "." or blanks, with a two- or
// four-digit year; leading and trailing blanks are ignored. Two-digit years fall into the window
// (this_year - 80, this_year + 20]. Anything else (empty text, 31/02/2024, letters) is not a date.
std::optional<Serial> parse_date(std::string_view text, int this_year);

// Reads "h:mm", "hh:mm" or "hh:mm:ss" (hours 0-23, minutes and seconds 0-59) as a fraction of a
// day.
std::optional<Serial> parse_time(std::string_view text);

}  // namespace platform
