#include "sugarlog/stats/figures.h"

#include <algorithm>

#include "platform/core/number.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog {

namespace {

int unit_decimals(int unite) {
  switch (known_unit(unite)) {
    case kMgDl:
      return 0;
    case kGL:
      return 2;
    default:
      return 1;
  }
}

std::string with_unit(const std::string& value, int unite) {
  return value + " " + std::string(unit_info(unite).name);
}

// The bounds of each range in the unit, from the whole mg/dl ones.
std::array<std::string, kRangeCount> range_bounds(const TargetRange& target, int unite,
                                                  std::string_view sep) {
  const auto level = [&](int mg_dl) { return level_text(from_mg_dl(mg_dl, unite), unite, sep); };
  return {"< " + level(kVeryLowBelow), level(kVeryLowBelow) + "-" + level(target.low - 1),
          level(target.low) + "-" + level(target.high),
          level(target.high + 1) + "-" + level(kVeryHighAbove), "> " + level(kVeryHighAbove)};
}

template <std::size_t N>
std::vector<ShareRow> share_rows(const std::array<Share, N>& shares,
                                 const std::array<Bilingual, N>& labels, int unite,
                                 std::int16_t langue, std::string_view sep) {
  std::vector<ShareRow> rows;
  for (std::size_t i = 0; i < N; ++i) {
    rows.push_back({std::string(labels[i].in(langue)), std::to_string(shares[i].count),
                    shares[i].count > 0 ? level_text(shares[i].mean, unite, sep) : "-"});
  }
  return rows;
}

// Characters, not bytes, for the alignment of UTF-8 labels.
std::size_t shown_width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width) {
  const std::size_t shown = shown_width(text);
  return text + std::string(width > shown ? width - shown : 0, ' ');
}

}  // namespace

std::string level_text(double level, int unite, std::string_view separator) {
  return number_text(level, unit_decimals(unite), separator);
}

std::string number_text(double value, int decimals, std::string_view separator) {
  const std::string picture = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
  return platform::format_number(value, picture, separator);
}

std::string period_text(const Period& period, std::string_view date_picture, std::int16_t langue) {
  return platform::format_serial(period.first, date_picture) +
         std::string(text::kPeriodTo.in(langue)) +
         platform::format_serial(period.last, date_picture);
}

StatisticsView statistics_view(const Statistics& s, std::int16_t langue, std::string_view sep) {
  StatisticsView v;
  const auto tr = [langue](const Bilingual& text) { return std::string(text.in(langue)); };
  const int u = s.unite;
  const auto level = [&](double value) { return with_unit(level_text(value, u, sep), u); };
  v.empty = s.count == 0;
  v.no_test = tr(text::kStatNoTest);
  if (s.unreadable > 0)
    v.unreadable = tr(text::kStatUnreadable) + ": " + std::to_string(s.unreadable);
  v.summary = {{tr(text::kStatTests), std::to_string(s.count)},
               {tr(text::kStatDays), std::to_string(s.days_with_tests)},
               {tr(text::kStatPerDay), number_text(s.tests_per_day, 1, sep)}};
  if (!v.empty) {
    v.summary.insert(v.summary.end(),
                     {{tr(text::kStatMean), level(s.mean)},
                      {tr(text::kStatSd), level(s.sd)},
                      {tr(text::kStatCv), number_text(s.cv_percent, 1, sep) + " %"},
                      {tr(text::kStatMedian), level(s.median)},
                      {tr(text::kStatLowest), level(s.lowest)},
                      {tr(text::kStatHighest), level(s.highest)}});
  }
  if (s.gmi_percent && s.gmi_mmol_mol) {
    v.summary.push_back({tr(text::kStatGmi), number_text(*s.gmi_percent, 1, sep) + " % (" +
                                                 number_text(*s.gmi_mmol_mol, 0, sep) +
                                                 " mmol/mol)"});
    v.gmi_note = tr(text::kStatGmiNote);
  } else if (!v.empty) {
    v.gmi_note = tr(text::kStatGmiTooFew);
  }

  v.ranges_title = tr(text::kRangesTitle);
  const auto bounds = range_bounds(s.target, u, sep);
  for (std::size_t i = 0; i < kRangeCount; ++i) {
    v.ranges.push_back({tr(text::kRanges[i]) + " " + bounds[i],
                        number_text(s.percent(static_cast<Range>(i)), 1, sep) + " % (" +
                            std::to_string(s.ranges[i]) + ")"});
  }
  v.day_parts_title = tr(text::kDayPartsTitle);
  v.weekdays_title = tr(text::kWeekdaysTitle);
  v.count_header = tr(text::kCountColumn);
  v.mean_header = tr(text::kMeanColumn);
  v.day_parts = share_rows(s.day_parts, text::kDayParts, u, langue, sep);
  v.weekdays = share_rows(s.weekdays, text::kWeekdays, u, langue, sep);
  return v;
}

std::string statistics_text(const Statistics& s, std::int16_t langue, std::string_view separator,
                            std::string_view date_picture) {
  const StatisticsView v = statistics_view(s, langue, separator);
  std::string out = std::string(text::kPeriod.in(langue)) + ": " +
                    period_text(s.period, date_picture, langue) + "\n" +
                    std::string(text::kUnit.in(langue)) + ": " +
                    std::string(unit_info(s.unite).name) + "\n";
  if (!v.unreadable.empty()) out += v.unreadable + "\n";
  if (v.empty) return out + v.no_test + "\n";

  std::size_t width = 0;
  for (const auto* rows : {&v.summary, &v.ranges}) {
    for (const FigureRow& row : *rows) width = std::max(width, shown_width(row.label));
  }
  for (const auto* rows : {&v.day_parts, &v.weekdays}) {
    for (const ShareRow& row : *rows) width = std::max(width, shown_width(row.label));
  }
  width += 2;
  const auto figure_lines = [&](const std::vector<FigureRow>& rows) {
    for (const FigureRow& row : rows) out += padded(row.label, width) + row.value + "\n";
  };
  const auto share_lines = [&](const std::string& title, const std::vector<ShareRow>& rows) {
    out += "\n" + padded(title, width) + padded(v.count_header, 10) + v.mean_header + "\n";
    for (const ShareRow& row : rows) {
      out += padded(row.label, width) + padded(row.count, 10) + row.mean + "\n";
    }
  };
  out += "\n";
  figure_lines(v.summary);
  if (!v.gmi_note.empty()) out += v.gmi_note + "\n";
  out += "\n" + v.ranges_title + "\n";
  figure_lines(v.ranges);
  share_lines(v.day_parts_title, v.day_parts);
  share_lines(v.weekdays_title, v.weekdays);
  return out;
}

}  // namespace sugarlog
