#pragma once
// Locale queries of the logbook: the user's language, and the short-date picture.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/services.h"

namespace sugarlog {

// Language flag of the window: 1 French, anything else English.
inline constexpr std::int16_t kFrench = 1;
inline constexpr std::int16_t kEnglish = 0;

// The part of a text before its first NUL; a text without any NUL gives the empty text (the
// locale answers come in a NUL-filled buffer, and a buffer without a terminator is no answer).
std::string Couper_Nul(std::string_view text);

// The user's decimal separator; empty when the system gives none.
std::string Lire_Decimale(const platform::Locale& locale);
// English name of the user's language ("French", "English", ...), empty when unknown.
std::string Lire_Langue(const platform::Locale& locale);
// The user's short-date picture, in the tokens of platform/core/date.h.
std::string Lire_Format_Date(const platform::Locale& locale);

// The flag for a language name: French only for exactly "French".
std::int16_t langue_of(std::string_view language_name);

// The short-date picture the window shows and reads back. Dates are read day first everywhere
// in the logbook, so a picture that puts the month first or spells the month out is replaced by
// the day-first numeric form with the user's date separator.
std::string day_first_short_date(std::string_view picture, std::string_view date_separator);

}  // namespace sugarlog
