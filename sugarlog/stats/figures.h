#pragma once
// The statistics of a period as the texts people read, in the program's language: the same rows
// in the statistics window, the report and the command line's answer.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sugarlog/stats/statistics.h"
#include "sugarlog/store/units.h"
#include "sugarlog/texts/langage.h"

namespace sugarlog {

// A level with the decimals of its unit's picture, without leading zeros: 7.5, 135, 1.35.
std::string level_text(double level, int unite, std::string_view separator);
std::string number_text(double value, int decimals, std::string_view separator);
// "01/09/2026 to 29/11/2026" after a day-first date picture.
std::string period_text(const Period& period, std::string_view date_picture, std::int16_t langue);

struct FigureRow {
  std::string label;
  std::string value;
};

// A label and two columns: count and mean.
struct ShareRow {
  std::string label;
  std::string count;
  std::string mean;
};

struct StatisticsView {
  bool empty = true;               // no test in the period
  std::string no_test;             // the line that says so
  std::vector<FigureRow> summary;  // count, days, per day, mean, SD, CV, median, extremes, GMI
  std::string gmi_note;            // what the GMI is, or why it is not shown
  std::string unreadable;          // how many tests were left out; empty when none
  std::string ranges_title;
  std::vector<FigureRow> ranges;  // "Low 3.0-3.8" -> "12.5 % (25)"
  std::string day_parts_title, weekdays_title, count_header, mean_header;
  std::vector<ShareRow> day_parts;
  std::vector<ShareRow> weekdays;
};

StatisticsView statistics_view(const Statistics& stats, std::int16_t langue,
                               std::string_view separator);

// The whole view as plain text lines, label and value in aligned columns.
std::string statistics_text(const Statistics& stats, std::int16_t langue,
                            std::string_view separator, std::string_view date_picture);

}  // namespace sugarlog
