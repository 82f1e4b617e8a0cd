#include "platform/core/date.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/core/text_util.h"

namespace platform {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1 January 1970 back to 30 December 1899, the serial epoch.
constexpr std::int64_t kEpochOffset = 25569;
// Serials are clamped to about +-270 million years, far beyond any real date, so that the
// integer arithmetic below can never overflow whatever double it is handed.
constexpr double kSerialLimit = 1e11;

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

std::int64_t floor_mod(std::int64_t a, std::int64_t b) {
  return a - floor_div(a, b) * b;
}

// Days since 1 January 1970 of a proleptic Gregorian date (month 1-12).
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = floor_div(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Ymd civil_from_days(std::int64_t z) {
  z += 719468;
  const std::int64_t era = floor_div(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return Ymd{static_cast<int>(y), m, d};
}

bool is_leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// A serial split into its day and its second of the day. The serial is rounded to the nearest
// second first, so that a time computed as 0.99999999 of a day reads as midnight of the next day
// rather than as 23:59:59 with a day that disagrees with the clock.
struct DaySecond {
  std::int64_t day = 0;
  std::int64_t second = 0;
};

DaySecond split(Serial serial) {
  if (std::isnan(serial)) return {};
  if (serial > kSerialLimit) serial = kSerialLimit;
  if (serial < -kSerialLimit) serial = -kSerialLimit;
  const double whole = std::floor(serial);
  const auto seconds = static_cast<std::int64_t>(std::llround((serial - whole) * kSecondsPerDay));
  const auto day = static_cast<std::int64_t>(whole);
  return {day + seconds / kSecondsPerDay, seconds % kSecondsPerDay};
}

std::string padded(std::int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

// Takes a run of digits from the front of text; its length must lie in [min_len, max_len].
std::optional<int> take_number(std::string_view& text, std::size_t min_len, std::size_t max_len) {
  std::size_t n = 0;
  while (n < text.size() && is_digit(text[n])) ++n;
  if (n < min_len || n > max_len) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < n; ++i) value = value * 10 + (text[i] - '0');
  text.remove_prefix(n);
  return value;
}

// Takes one date separator: "/", "-" or "." with optional blanks around it, or a run of blanks.
bool take_date_separator(std::string_view& text) {
  std::size_t n = 0;
  while (n < text.size() && is_blank(text[n])) ++n;
  if (n < text.size() && (text[n] == '/' || text[n] == '-' || text[n] == '.')) {
    ++n;
    while (n < text.size() && is_blank(text[n])) ++n;
  } else if (n == 0) {
    return false;
  }
  text.remove_prefix(n);
  return true;
}

bool take_char(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

std::int64_t windowed_year(int two_digits, int this_year) {
  const std::int64_t top = static_cast<std::int64_t>(this_year) + 20;
  return top - floor_mod(top - two_digits, 100);
}

// --- picture formatting ---

struct Parts {
  Ymd date;
  int hour = 0, minute = 0, second = 0;
};

Parts parts_of(Serial serial) {
  const DaySecond ds = split(serial);
  Parts p;
  p.date = civil_from_days(ds.day - kEpochOffset);
  p.hour = static_cast<int>(ds.second / 3600);
  p.minute = static_cast<int>(ds.second / 60 % 60);
  p.second = static_cast<int>(ds.second % 60);
  return p;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Longest token a picture letter forms; 0 for characters that are copied as they are.
std::size_t max_token(char c) {
  switch (lower(c)) {
    case 'y':
      return 4;
    case 'd':
    case 'm':
    case 'h':
    case 'n':
    case 's':
      return 2;
    default:
      return 0;
  }
}

// Expands one token of `len` letters c; `after_hour` tells whether the previous token was an hour.
std::string expand(char c, std::size_t len, bool after_hour, const Parts& p) {
  const int width = len >= 2 ? 2 : 1;
  switch (c) {
    case 'y':
    case 'Y':
      return len == 4 ? padded(p.date.year, 4) : padded(floor_mod(p.date.year, 100), 2);
    case 'd':
    case 'D':
      return padded(p.date.day, width);
    case 'm':
      return padded(after_hour ? p.minute : p.date.month, width);
    case 'M':
      return padded(p.date.month, width);
    case 'h':
    case 'H':
      return padded(p.hour, width);
    case 'n':
    case 'N':
      return padded(p.minute, width);
    default:  // s, S
      return padded(p.second, width);
  }
}

}  // namespace

Serial date_serial(int year, int month, int day) {
  const std::int64_t months = static_cast<std::int64_t>(year) * 12 + (month - 1);
  const std::int64_t y = floor_div(months, 12);
  const int m = static_cast<int>(floor_mod(months, 12)) + 1;
  return static_cast<Serial>(days_from_civil(y, m, 1) + kEpochOffset + (day - 1LL));
}

Serial time_serial(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
}

Ymd ymd_of(Serial serial) {
  return civil_from_days(split(serial).day - kEpochOffset);
}
int year_of(Serial serial) {
  return ymd_of(serial).year;
}
int month_of(Serial serial) {
  return ymd_of(serial).month;
}
int day_of(Serial serial) {
  return ymd_of(serial).day;
}

int weekday_of(Serial serial) {
  // Day 0 was a Saturday.
  return static_cast<int>(floor_mod(split(serial).day + 6, 7)) + 1;
}

int hour_of(Serial serial) {
  return parts_of(serial).hour;
}
int minute_of(Serial serial) {
  return parts_of(serial).minute;
}
int second_of(Serial serial) {
  return parts_of(serial).second;
}

Serial day_part(Serial serial) {
  if (std::isnan(serial)) return serial;
  return static_cast<Serial>(split(serial).day);
}

std::string format_serial(Serial serial, std::string_view picture) {
  const Parts p = parts_of(serial);
  std::string out;
  bool after_hour = false;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    const std::size_t longest = max_token(c);
    if (longest == 0) {
      out += c;  // separators do not break the hour-minute link
      ++i;
      continue;
    }
    std::size_t run = 0;
    while (i + run < picture.size() && picture[i + run] == c && run < longest) ++run;
    if (lower(c) == 'y' && run != 2 && run != 4) {
      // A lone "y" or "yyy" is not a year token; copy it.
      out.append(picture.substr(i, run));
    } else {
      out += expand(c, run, after_hour, p);
    }
    after_hour = lower(c) == 'h';
    i += run;
  }
  return out;
}

std::optional<Serial> parse_date(std::string_view text, int this_year) {
  std::string_view rest = trimmed(text);
  const auto day = take_number(rest, 1, 2);
  if (!day || !take_date_separator(rest)) return std::nullopt;
  const auto month = take_number(rest, 1, 2);
  if (!month || !take_date_separator(rest)) return std::nullopt;
  const std::size_t before_year = rest.size();
  const auto digits = take_number(rest, 2, 4);
  const std::size_t year_digits = before_year - rest.size();
  if (!digits || !rest.empty() || year_digits == 3) return std::nullopt;
  const std::int64_t year = year_digits == 2 ? windowed_year(*digits, this_year) : *digits;
  if (year < 1 || year > 9999 || *month < 1 || *month > 12) return std::nullopt;
  const int y = static_cast<int>(year);
  if (*day < 1 || *day > days_in_month(y, *month)) return std::nullopt;
  return date_serial(y, *month, *day);
}

std::optional<Serial> parse_time(std::string_view text) {
  std::string_view rest = trimmed(text);
  const auto hour = take_number(rest, 1, 2);
  if (!hour || !take_char(rest, ':')) return std::nullopt;
  const auto minute = take_number(rest, 2, 2);
  if (!minute) return std::nullopt;
  int second = 0;
  if (take_char(rest, ':')) {
    const auto s = take_number(rest, 2, 2);
    if (!s) return std::nullopt;
    second = *s;
  }
  if (!rest.empty() || *hour > 23 || *minute > 59 || second > 59) return std::nullopt;
  return time_serial(*hour, *minute, second);
}

}  // namespace platform
