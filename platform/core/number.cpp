#include "platform/core/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "platform/core/text_util.h"

namespace platform {
namespace {

// Significant digits the programs keep when a number becomes text. Rounding a double to 15
// digits gives back the decimal the user typed (2.675 rather than 2.67499999999999982...), which
// is the value every later rounding must work on.
constexpr int kSignificantDigits = 15;

// A finite number as a decimal: 0.d1 d2 ... dn x 10^point, digits without leading or trailing
// zeros; zero has no digits.
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
};

// std::to_chars, unlike printf, ignores the C locale, so a French desktop cannot turn the decimal
// point into a comma here.
Decimal decimal_of(double value) {
  Decimal d;
  if (value == 0) return d;
  d.negative = value < 0;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits += c;
  }
  int exponent = 0;
  const std::string_view exp_text = text.substr(e + 1);
  std::from_chars(exp_text.data() + (exp_text.front() == '+' ? 1 : 0),
                  exp_text.data() + exp_text.size(), exponent);
  d.point = exponent + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

const char* non_finite_text(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

std::string zeros(int count) {
  return std::string(count > 0 ? count : 0, '0');
}

// Digits of d before the decimal point ("" below 1) and after it (all of them).
std::string integer_digits(const Decimal& d) {
  if (d.point <= 0) return "";
  const int n = static_cast<int>(d.digits.size());
  return d.point >= n ? d.digits + zeros(d.point - n) : d.digits.substr(0, d.point);
}

std::string fraction_digits(const Decimal& d) {
  if (d.point >= static_cast<int>(d.digits.size())) return "";
  return d.point < 0 ? zeros(-d.point) + d.digits : d.digits.substr(d.point);
}

std::string positional(const Decimal& d) {
  std::string text = integer_digits(d);
  if (text.empty()) text.push_back('0');
  const std::string frac = fraction_digits(d);
  if (!frac.empty()) text.append(1, '.').append(frac);
  return text;
}

std::string scientific(const Decimal& d) {
  std::string out = d.digits.substr(0, 1);
  if (d.digits.size() > 1) out.append(1, '.').append(d.digits, 1);
  const int exponent = d.point - 1;
  const std::string exp_digits = std::to_string(std::abs(exponent));
  return out + "E" + (exponent < 0 ? "-" : "+") + zeros(2 - static_cast<int>(exp_digits.size())) +
         exp_digits;
}

// Unsigned text of a number: positional from 0.0001 up to 15 integer digits, otherwise with an
// exponent.
std::string magnitude_text(const Decimal& d) {
  if (d.digits.empty()) return "0";
  return d.point >= -3 && d.point <= kSignificantDigits ? positional(d) : scientific(d);
}

// Rounds d half away from zero to `decimals` places after the point.
void round_to_places(Decimal& d, int decimals) {
  const long keep = static_cast<long>(d.point) + decimals;
  if (keep >= static_cast<long>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(0, 1, '1');
      ++d.point;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// The parts of a picture that matter: how many integer digits always show, and how many
// fraction digits show always and at most.
struct Picture {
  int min_integer = 0;
  int min_fraction = 0;
  int max_fraction = 0;
  bool has_point = false;
};

Picture picture_of(std::string_view picture) {
  Picture p;
  for (char c : picture) {
    if (c == '.' && !p.has_point) {
      p.has_point = true;
    } else if (c == '0' || c == '#') {
      if (!p.has_point) {
        p.min_integer += c == '0' ? 1 : 0;
      } else {
        ++p.max_fraction;
        if (c == '0') p.min_fraction = p.max_fraction;
      }
    }
    // Other characters have no meaning in the programs' pictures and are left out.
  }
  return p;
}

std::string signed_text(double value, bool blank_for_positive) {
  if (!std::isfinite(value)) return non_finite_text(value);
  const Decimal d = decimal_of(value);
  std::string text;
  if (d.negative || blank_for_positive) text.push_back(d.negative ? '-' : ' ');
  return text.append(magnitude_text(d));
}

}  // namespace

double val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  while (i < text.size() && is_digit(text[i])) ++i;
  const std::size_t integer_end = i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i;
  }
  double value = 0;
  const auto res =
      std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
  if (res.ec == std::errc::result_out_of_range) {
    // Out of range with a non-zero integer part is an overflow; otherwise a long run of
    // fraction zeros underflowed.
    std::size_t first = start;
    while (first < integer_end && text[first] == '0') ++first;
    value = first < integer_end ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (res.ec != std::errc()) {
    value = 0;  // no digits at all: "", "abc", "-", "."
  }
  return negative && value != 0 ? -value : value;
}

std::string str(double value) {
  return signed_text(value, true);
}
std::string plain_number(double value) {
  return signed_text(value, false);
}

std::string format_number(double value, std::string_view picture,
                          std::string_view decimal_separator) {
  if (!std::isfinite(value)) return non_finite_text(value);
  const Picture p = picture_of(picture);
  Decimal d = decimal_of(value);
  round_to_places(d, p.max_fraction);

  std::string whole = integer_digits(d);
  if (static_cast<int>(whole.size()) < p.min_integer) {
    whole.insert(0, zeros(p.min_integer - static_cast<int>(whole.size())));
  }
  std::string frac = fraction_digits(d);
  if (static_cast<int>(frac.size()) < p.min_fraction)
    frac += zeros(p.min_fraction - static_cast<int>(frac.size()));

  std::string out = d.negative && !d.digits.empty() ? "-" : "";
  out += whole;
  if (!frac.empty()) {
    out.append(decimal_separator);
    out += frac;
  }
  return out;
}

double round_half_even(double value) {
  if (!std::isfinite(value)) return value;
  const double below = std::floor(value);
  const double diff = value - below;
  if (diff < 0.5) return below;
  if (diff > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::int16_t round_to_int16(double value) {
  if (std::isnan(value)) return 0;
  const double r = round_half_even(value);
  if (r <= std::numeric_limits<std::int16_t>::min())
    return std::numeric_limits<std::int16_t>::min();
  if (r >= std::numeric_limits<std::int16_t>::max())
    return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(r);
}

double int_floor(double value) {
  return std::floor(value);
}

}  // namespace platform
