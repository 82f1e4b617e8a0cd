#include "sugarlog/store/units.h"

#include <algorithm>

#include "platform/core/number.h"
#include "platform/core/text_util.h"

namespace sugarlog {

bool is_unit(int unite) {
  return unite >= kMmolL && unite <= kGL;
}

UnitCode known_unit(int unite) {
  return is_unit(unite) ? static_cast<UnitCode>(unite) : kMmolL;
}

const UnitInfo& unit_info(int unite) {
  return kUnits[known_unit(unite)];
}

namespace {

bool fits_unit_picture(std::string_view text, int unite, std::string_view separator) {
  const std::string_view picture = unit_info(unite).picture;
  return fits_picture(text, picture, ".") || fits_picture(text, picture, ",") ||
         (!separator.empty() && fits_picture(text, picture, separator));
}

// The text with a full stop for every comma and every system separator.
std::string with_point(std::string_view text, std::string_view separator) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!separator.empty() && text.substr(i).starts_with(separator)) {
      out += '.';
      i += separator.size();
    } else {
      out += text[i] == ',' ? '.' : text[i];
      ++i;
    }
  }
  return out;
}

// The number of a text whose decimal point may be a comma or the system's separator.
double value_of(std::string_view text, std::string_view separator) {
  return platform::val(with_point(text, separator));
}

}  // namespace

double read_level(std::string_view text, int unite, std::string_view separator) {
  using platform::first;
  using platform::last;
  using platform::val;
  if (!fits_unit_picture(text, unite, separator)) return value_of(text, separator);
  switch (known_unit(unite)) {
    case kMgDl:
      return val(text);
    case kGL:
      return val(first(text, 1)) + val(last(text, 2)) / 100.0;
    default:
      return val(first(text, 2)) + val(last(text, 1)) / 10.0;
  }
}

std::string format_level(double value, std::string_view picture, std::string_view separator) {
  return platform::format_number(value, picture, separator);
}

bool fits_picture(std::string_view text, std::string_view picture, std::string_view separator) {
  using platform::is_digit;
  const std::size_t point = picture.find('.');
  const std::string_view whole = picture.substr(0, point);
  const std::size_t shown = whole.size() - std::min(whole.find('0'), whole.size());
  // The integer digits: at least the "0" ones, a leading zero only when it is a "0" place.
  std::size_t digits = 0;
  while (digits < text.size() && is_digit(text[digits])) ++digits;
  if (digits < shown || digits > whole.size()) return false;
  if (digits > shown && text[0] == '0') return false;
  if (point == std::string_view::npos) return digits == text.size();

  const std::size_t decimals = picture.size() - point - 1;
  std::string_view rest = text.substr(digits);
  if (!rest.starts_with(separator) || rest.size() != separator.size() + decimals) return false;
  rest.remove_prefix(separator.size());
  return std::all_of(rest.begin(), rest.end(), is_digit);
}

std::optional<double> plain_number(std::string_view text) {
  text = platform::trimmed(text);
  if (text.empty() || text.size() > 12) return std::nullopt;
  double value = 0, scale = 0;
  bool any_digit = false;
  for (const char c : text) {
    if (platform::is_digit(c)) {
      any_digit = true;
      if (scale == 0) {
        value = value * 10 + (c - '0');
      } else {
        scale /= 10;
        value += (c - '0') * scale;
      }
    } else if ((c == '.' || c == ',') && scale == 0) {
      scale = 1;
    } else {
      return std::nullopt;
    }
  }
  return any_digit ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::string> converted_level(std::string_view level, int from, int to,
                                           std::string_view separator) {
  if (!fits_unit_picture(level, from, separator) && !plain_number(with_point(level, separator)))
    return std::nullopt;
  const double mg_dl = read_level(level, from, separator) * kMgDlPerUnit[known_unit(from)];
  return format_level(mg_dl / kMgDlPerUnit[known_unit(to)], unit_info(to).picture, separator);
}

void UnitState::Le_Formatteur(int unite, std::string_view dialog_taux) {
  Format_Taux = std::string(unit_info(unite).picture);
  Valeur_Taux = read_level(dialog_taux, unite, Sep_Decimal);
}

void UnitState::Valeur_MG(int unite) {
  Facteur_Unite = unit_info(unite).factor;
}

std::string UnitState::format(double value) const {
  return format_level(value, Format_Taux, Sep_Decimal);
}

std::string UnitState::reformat(std::string_view level, int unite) const {
  // A level already written in its own unit's picture reads back to the same digits; skipping the
  // round trip keeps saving a full logbook quick.
  if (Format_Taux == unit_info(unite).picture && fits_picture(level, Format_Taux, Sep_Decimal))
    return std::string(level);
  return format(read_level(level, unite, Sep_Decimal));
}

}  // namespace sugarlog
