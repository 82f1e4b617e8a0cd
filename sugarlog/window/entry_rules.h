#pragma once
// Text rules of the add-test panel's time box, kept apart from the window so they can be read
// and tested on their own.
#include <optional>
#include <string>
#include <string_view>

namespace sugarlog {

// A time text read as "h:m" (one or two digits each, optionally followed by ":ss") written as
// "hh:mm"; nothing when the text is not a time of day.
std::optional<std::string> time_as_hh_mm(std::string_view text);

// The time box written "hh:mm" when it reads as a time; any other text is kept as it is.
std::string format_time_text(std::string_view text);

// The time box as the user left it, completed by its length ("7" -> "07:00", "123" -> "12:03",
// "12:3" -> "12:30", "07:05" -> "7:5"); an hour above 23 or minutes above 59 give "00:00".
std::string complete_typed_time(std::string_view text);

// The time box while the date and level are being typed: the rewrites of the live check in their
// order. select_minutes tells that the last rewrite added ":00" after a bare hour, whose minutes
// are then selected for typing over.
struct LiveTime {
  std::string text;
  bool select_minutes = false;
};
LiveTime live_time_rules(std::string_view text);

// The level as the thermometer and the live check read it: a number in the system's form.
std::string system_number(double value, std::string_view sep_decimal);

}  // namespace sugarlog
