#pragma once
// A span of whole days, both ends included, over which tests are exported, counted or reported,
// and the ISO 8601 day form (2026-12-08) that files and the command line use for it.
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace sugarlog {

struct Period {
  platform::Serial first = 0;  // whole-day serials; first <= last
  platform::Serial last = 0;

  bool contains(platform::Serial moment) const {
    const platform::Serial day = platform::day_part(moment);
    return day >= first && day <= last;
  }
  int days() const { return static_cast<int>(last - first) + 1; }
};

// The n days that end with today (n >= 1).
Period last_days(platform::Serial today, int n);

// "YYYY-MM-DD" with a four-digit year and a real calendar day; anything else is not a day.
std::optional<platform::Serial> parse_iso_day(std::string_view text);
std::string format_iso_day(platform::Serial day);

// A period from optional ends: a missing start is the earliest day, a missing end today.
// Refused (nullopt) when the start lies after the end.
std::optional<Period> period_between(std::optional<platform::Serial> first,
                                     std::optional<platform::Serial> last, platform::Serial today);

}  // namespace sugarlog
