#include "pulsewise/shell/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/core/number.h"
#include "platform/core/text_util.h"
#include "pulsewise/engine/cycles.h"
#include "pulsewise/shell/program_title.h"

namespace pulsewise {
namespace {

std::optional<platform::Colour> hex_colour(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (res.ec != std::errc() || res.ptr != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// A whole decimal number that fits a signed 32-bit integer; the colour is its bit pattern, so
// -2147483633 is the system colour &H8000000F.
std::optional<platform::Colour> decimal_colour(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto res =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
  value = platform::round_half_even(value);
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<platform::Colour>(static_cast<std::int32_t>(value));
}

}  // namespace

std::optional<platform::Colour> parse_colour(std::string_view text) {
  text = platform::trimmed(text);
  if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    return hex_colour(text.substr(2));
  }
  return decimal_colour(text);
}

void ProgramSettings::remember(const std::string& key, std::string written_form) const {
  read_[key] = std::move(written_form);
}

bool ProgramSettings::unchanged(const std::string& key, const std::string& value) const {
  const auto found = read_.find(key);
  return found != read_.end() && found->second == value;
}

std::string ProgramSettings::text(const std::string& key, const std::string& default_text) const {
  std::string value = store_.get(kSettingsApplication, kSettingsSection, key, default_text);
  remember(key, value);
  return value;
}

double ProgramSettings::number(const std::string& key, const std::string& default_text) const {
  const double value = platform::val(text(key, default_text));
  remember(key, platform::str(value));
  return value;
}

Flag ProgramSettings::flag(const std::string& key, const std::string& default_text) const {
  const Flag value = number(key, default_text) != 0 ? kOn : kOff;
  remember(key, FlagToString(value));
  return value;
}

double ProgramSettings::window_extent(const std::string& key, double largest) const {
  const double value = number(key, "0");
  // Not a number (NaN) compares false: ignored like any value of 0 or less.
  return value > 0 ? std::min(value, largest) : 0;
}

std::int16_t ProgramSettings::small_number(const std::string& key,
                                           std::int16_t default_value) const {
  const double value = platform::round_half_even(number(key, platform::str(default_value)));
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    remember(key, platform::str(default_value));
    return default_value;
  }
  return static_cast<std::int16_t>(value);
}

platform::Colour ProgramSettings::colour(const std::string& key,
                                         platform::Colour default_colour) const {
  const std::string stored = text(key);
  const platform::Colour value =
      stored.empty() ? default_colour : parse_colour(stored).value_or(default_colour);
  remember(key, platform::str(static_cast<std::int32_t>(value)));
  return value;
}

platform::Serial ProgramSettings::date(const std::string& key, platform::Serial default_date,
                                       int this_year) const {
  const std::string stored = text(key);
  const platform::Serial value =
      stored.empty() ? default_date
                     : platform::parse_date(stored, this_year).value_or(default_date);
  remember(key, DateToString(value));
  return value;
}

void ProgramSettings::write_text(const std::string& key, const std::string& value) {
  if (unchanged(key, value)) return;
  store_.set(kSettingsApplication, kSettingsSection, key, value);
  remember(key, value);
}

void ProgramSettings::write_number(const std::string& key, double value) {
  write_text(key, platform::str(value));
}

void ProgramSettings::write_flag(const std::string& key, Flag value) {
  write_text(key, FlagToString(value));
}

void ProgramSettings::write_colour(const std::string& key, platform::Colour value) {
  write_number(key, static_cast<std::int32_t>(value));
}

void ProgramSettings::write_date(const std::string& key, platform::Serial value) {
  write_text(key, DateToString(value));
}

bool ProgramSettings::flush_or_report(platform::Dialogs& dialogs) {
  if (store_.flush()) return true;
  if (store_.read_error(kSettingsApplication)) return false;
  dialogs.message_box(
      "Pulsewise could not save its settings and people list.\n"
      "Please check that your settings folder can be written to.",
      platform::Buttons::Ok, platform::Icon::Exclamation, kProgramTitle);
  return false;
}

bool ProgramSettings::report_unreadable(platform::Dialogs& dialogs) {
  const auto error = store_.read_error(kSettingsApplication);
  if (!error) return true;
  dialogs.message_box("Pulsewise could not read its settings and people list:\n" + *error +
                          "\n\nIt runs on the default settings and will not write over them.",
                      platform::Buttons::Ok, platform::Icon::Exclamation, kProgramTitle);
  return false;
}

}  // namespace pulsewise
