#include "sugarlog/window/entry_rules.h"

#include "platform/core/number.h"
#include "platform/core/text_util.h"

namespace sugarlog {

namespace {

using platform::first;
using platform::last;
using platform::val;

std::string number(std::string_view text) {
  return platform::plain_number(val(text));
}

// One or two digits, as the parts of a time are typed.
std::optional<int> small_number(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!platform::is_digit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string two_digits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

}  // namespace

std::optional<std::string> time_as_hh_mm(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view minutes = text.substr(colon + 1);
  if (const std::size_t second_colon = minutes.find(':'); second_colon != std::string_view::npos) {
    if (!small_number(minutes.substr(second_colon + 1))) return std::nullopt;
    minutes = minutes.substr(0, second_colon);
  }
  const auto hour = small_number(text.substr(0, colon));
  const auto minute = small_number(minutes);
  if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
  return two_digits(*hour) + ":" + two_digits(*minute);
}

std::string format_time_text(std::string_view text) {
  return time_as_hh_mm(text).value_or(std::string(text));
}

std::string complete_typed_time(std::string_view text) {
  std::string t;
  switch (text.size()) {
    case 0:
      t = "00:00";
      break;
    case 1:
      t = text == ":" ? std::string("00:00") : "0" + number(text) + ":00";
      break;
    case 2:
      t = number(text) + ":00";
      break;
    case 3:
      t = number(first(text, 2)) + ":0" + number(last(text, 1));
      break;
    case 4:
      t = number(first(text, 2)) + ":" + number(last(text, 1)) + "0";
      break;
    case 5:
      t = number(first(text, 2)) + ":" + number(last(text, 2));
      break;
    default:
      t = std::string(text);
  }
  if (val(first(t, 2)) > 23 || val(last(t, 2)) > 59) t = "00:00";
  return t;
}

LiveTime live_time_rules(std::string_view text) {
  LiveTime out{std::string(text), false};
  std::string& t = out.text;
  auto rewrite = [&out](std::string next) {
    if (next != out.text) out.select_minutes = false;
    out.text = std::move(next);
  };
  if ((!t.empty() && t[0] > '2') || (t.size() > 5 && val(first(t, 1)) > 2)) rewrite("00:00");
  if (t.size() > 5 && t[3] == ':') rewrite(std::string(last(t, 5)));
  if (t.size() > 5) rewrite(std::string(first(t, 5)));
  if (t.size() == 2) {
    rewrite(t + ":00");
    out.select_minutes = true;
  }
  if (t.size() == 5 && t[1] == ':') rewrite(format_time_text(first(t, 4)));
  if (val(first(t, 2)) > 24 || val(first(t, 2)) < 0) rewrite("00:" + std::string(last(t, 2)));
  if (val(last(t, 2)) > 59 || val(last(t, 2)) < 0) rewrite(std::string(first(t, 2)) + ":00");
  return out;
}

std::string system_number(double value, std::string_view sep_decimal) {
  std::string text = platform::plain_number(value);
  if (const std::size_t dot = text.find('.'); dot != std::string::npos) {
    text.replace(dot, 1, sep_decimal);
  }
  return text;
}

}  // namespace sugarlog
