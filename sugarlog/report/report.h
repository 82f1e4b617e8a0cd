#pragma once
// The report for the doctor, laid out as pages of drawing commands. Page 1: who, which period,
// the statistics, the modal day and the daily means; then the tests of the period, newest first,
// with their notes. Every page carries its number. The pages fit the surface they are drawn on
// (A4, Letter, ...): texts are measured with its fonts, wrapped or shortened, never clipped.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/surface.h"
#include "sugarlog/stats/figures.h"
#include "sugarlog/stats/statistics.h"
#include "sugarlog/store/test_table.h"

namespace sugarlog {

struct ReportRequest {
  Period period;
  int unite = 0;
  std::int16_t langue = 0;
  std::string separator = ".";              // the decimal separator
  std::string date_picture = "dd/mm/yyyy";  // day first
  platform::Serial printed = 0;             // the day the report is made
  std::string name;                         // who the report is about; may be empty
  TargetRange target;
};

class Report {
 public:
  // Reads the tests of the period and lays out the pages for a surface of the paper's size,
  // measuring texts with its fonts (draw_page sets every font it uses again).
  Report(const TestTable& table, const ReportRequest& request, int this_year,
         platform::DrawSurface& page);

  int page_count() const { return 1 + static_cast<int>(table_pages_.size()); }
  // Draws page `index` (0 is the first) on a blank surface of the size the layout was made for.
  void draw_page(int index, platform::DrawSurface& page) const;

  const Statistics& statistics() const { return stats_; }

  // One line of the tests table; a note too long for its column takes several lines.
  struct Row {
    std::string date, time, level;
    std::vector<std::string> note;
  };

 private:
  struct TablePage {
    std::size_t first = 0, end = 0;  // rows [first, end)
  };
  struct Columns {
    double date = 0, time = 0, level = 0, note = 0;  // left edges
    double level_right = 0;
  };

  void lay_out_table(platform::DrawSurface& page);
  std::string level_header() const;
  void draw_first_page(platform::DrawSurface& page) const;
  void draw_table_page(const TablePage& part, bool first, platform::DrawSurface& page) const;
  void draw_footer(int index, platform::DrawSurface& page) const;
  double draw_header(platform::DrawSurface& page) const;
  double draw_figures(double top, platform::DrawSurface& page) const;
  double draw_shares(double top, platform::DrawSurface& page) const;
  void draw_modal_day(double top, double height, platform::DrawSurface& page) const;
  void draw_daily_means(double top, double height, platform::DrawSurface& page) const;

  ReportRequest request_;
  PeriodTests tests_;
  Statistics stats_;
  StatisticsView view_;
  double width_ = 0, height_ = 0;
  std::vector<Row> rows_;
  std::vector<TablePage> table_pages_;
  Columns columns_;
};

}  // namespace sugarlog
