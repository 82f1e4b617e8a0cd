#include "sugarlog/texts/langage.h"

namespace sugarlog {

namespace {

// The platform answers in a 100-character buffer that starts out full of NULs and receives at
// most 99 characters, so an answer always ends at a NUL there.
constexpr std::size_t kBufferSize = 100;

std::string locale_buffer(std::string_view answer) {
  std::string buffer(kBufferSize, '\0');
  buffer.replace(0, std::min(answer.size(), kBufferSize - 1), answer.substr(0, kBufferSize - 1));
  return buffer;
}

}  // namespace

std::string Couper_Nul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? std::string() : std::string(text.substr(0, nul));
}

std::string Lire_Decimale(const platform::Locale& locale) {
  return Couper_Nul(locale_buffer(locale.decimal_separator()));
}

std::string Lire_Langue(const platform::Locale& locale) {
  return Couper_Nul(locale_buffer(locale.language_name()));
}

std::string Lire_Format_Date(const platform::Locale& locale) {
  return Couper_Nul(locale_buffer(locale.short_date_picture()));
}

std::int16_t langue_of(std::string_view language_name) {
  return language_name == "French" ? kFrench : kEnglish;
}

std::string day_first_short_date(std::string_view picture, std::string_view date_separator) {
  std::string tokens(picture);
  for (char& c : tokens) c = c == 'M' ? 'm' : c;  // "M" and "m" both stand for the month here
  const std::size_t day = tokens.find('d');
  const std::size_t month = tokens.find('m');
  const std::size_t year = tokens.find('y');
  const bool numeric_month = tokens.find("mmm") == std::string::npos;
  if (day != std::string::npos && month != std::string::npos && year != std::string::npos &&
      numeric_month && day < month && month < year) {
    return std::string(picture);
  }
  const std::string sep = date_separator.empty() ? std::string("/") : std::string(date_separator);
  return "dd" + sep + "MM" + sep + "yyyy";
}

}  // namespace sugarlog
