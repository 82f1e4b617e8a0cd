#include "sugarlog/report/report.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/core/colour.h"
#include "platform/core/text_util.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog {

namespace {

using platform::DrawSurface;
using platform::TextMeasure;

constexpr double kMargin = 1020;  // 18 mm
constexpr double kGap = 240;
constexpr double kCellPad = 160;
constexpr double kTitlePt = 15, kHeadPt = 10, kBodyPt = 9, kSmallPt = 8;
constexpr platform::Colour kBand = platform::rgb(222, 222, 222);
constexpr platform::Colour kRule = platform::rgb(170, 170, 170);
constexpr platform::Colour kGrid = platform::rgb(140, 140, 140);

// The height of a line of text: 1.4 times the font's size.
double line_of(double points) {
  return points * 20 * 1.4;
}

void use_font(DrawSurface& s, double points, bool bold = false) {
  s.set_font_size(points);
  s.set_font_bold(bold);
}

void drop_last_character(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

// The text, shortened with an ellipsis when it is wider than the width.
std::string elided(const TextMeasure& m, std::string text, double width) {
  if (m.text_width(text) <= width) return text;
  static constexpr std::string_view kEllipsis = "\u2026";
  while (!text.empty() && m.text_width(text + std::string(kEllipsis)) > width) {
    drop_last_character(text);
  }
  return text.empty() ? std::string() : text + std::string(kEllipsis);
}

// The longest start of a word that fits the width (at least one character).
std::size_t fitting_prefix(const TextMeasure& m, std::string_view word, double width) {
  std::size_t best = 0;
  for (std::size_t end = 1; end <= word.size(); ++end) {
    if (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) continue;
    if (m.text_width(word.substr(0, end)) > width && best > 0) break;
    best = end;
  }
  return best;
}

// The text in lines no wider than the width, broken at blanks, and inside words too long for a
// line. An empty text gives one empty line.
std::vector<std::string> wrapped(const TextMeasure& m, std::string_view text, double width) {
  std::vector<std::string> lines{""};
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    const std::string joined =
        lines.back().empty() ? std::string(word) : lines.back() + " " + std::string(word);
    if (m.text_width(joined) <= width) {
      lines.back() = joined;
      continue;
    }
    if (!lines.back().empty()) lines.emplace_back();
    while (m.text_width(word) > width) {
      const std::size_t cut = fitting_prefix(m, word, width);
      lines.back() = std::string(word.substr(0, cut));
      lines.emplace_back();
      word.remove_prefix(cut);
    }
    lines.back() = std::string(word);
  }
  return lines;
}

void text_left(DrawSurface& s, double x, double y, const std::string& text, double width) {
  s.print_text(x, y, elided(s, text, width));
}

void text_right(DrawSurface& s, double right, double y, const std::string& text) {
  s.print_text(right - s.text_width(text), y, text);
}

void frame(DrawSurface& s, double left, double top, double right, double bottom) {
  s.line(left, top, right, top, platform::kBlack);
  s.line(right, top, right, bottom, platform::kBlack);
  s.line(right, bottom, left, bottom, platform::kBlack);
  s.line(left, bottom, left, top, platform::kBlack);
}

// The first character of a date picture that is no letter: the date separator.
std::string day_month_picture(std::string_view date_picture) {
  const auto sep = std::find_if(date_picture.begin(), date_picture.end(), [](char c) {
    return !std::isalpha(static_cast<unsigned char>(c));
  });
  return "dd" + std::string(1, sep == date_picture.end() ? '/' : *sep) + "mm";
}

// A chart's plot area with its level scale.
struct Plot {
  double left, top, right, bottom;
  double top_level;  // the level at the top edge
  double y_of(double level) const {
    return bottom - std::clamp(level / top_level, 0.0, 1.0) * (bottom - top);
  }
};

double scale_step(int unite) {
  switch (known_unit(unite)) {
    case kMgDl:
      return 50;
    case kGL:
      return 0.5;
    default:
      return 5;
  }
}

void cross(DrawSurface& s, double x, double y) {
  constexpr double kArm = 35;
  s.line(x - kArm, y - kArm, x + kArm, y + kArm, platform::kBlack);
  s.line(x - kArm, y + kArm, x + kArm, y - kArm, platform::kBlack);
}

// Tabs, line breaks and other control characters become blanks: a cell is one line of text.
std::string one_line(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

ReportRequest with_one_line_name(ReportRequest request) {
  request.name = one_line(request.name);
  return request;
}

}  // namespace

Report::Report(const TestTable& table, const ReportRequest& request, int this_year,
               DrawSurface& page)
    : request_(with_one_line_name(request)),
      tests_(tests_in_period(table, request.period, request.unite, request.separator, this_year)),
      stats_(compute_statistics(tests_, request.period, request.unite, request.target)),
      view_(statistics_view(stats_, request.langue, request.separator)),
      width_(page.width()),
      height_(page.height()) {
  rows_.reserve(tests_.tests.size());
  for (const PeriodTest& test : tests_.tests) {
    rows_.push_back({platform::format_serial(test.moment, request_.date_picture),
                     platform::format_serial(test.moment, "hh:mm"),
                     level_text(test.level, request_.unite, request_.separator),
                     {one_line(table.Tab_Note[test.slot])}});
  }
  lay_out_table(page);
}

void Report::lay_out_table(DrawSurface& page) {
  if (rows_.empty()) return;
  const auto tr = [this](const Bilingual& t) { return std::string(t.in(request_.langue)); };
  use_font(page, kBodyPt, true);
  const double date_w =
      std::max(page.text_width(tr(text::kDateColumn)), page.text_width(rows_.front().date));
  double time_w = page.text_width(tr(text::kTimeColumn));
  double level_w = page.text_width(level_header());
  for (const Row& row : rows_) {
    time_w = std::max(time_w, page.text_width(row.time));
    level_w = std::max(level_w, page.text_width(row.level));
  }
  columns_.date = kMargin;
  columns_.time = columns_.date + date_w + kCellPad;
  columns_.level = columns_.time + time_w + kCellPad;
  columns_.level_right = columns_.level + level_w;
  columns_.note = columns_.level_right + kCellPad * 2;
  const double note_w = std::max(width_ - kMargin - columns_.note, 600.0);

  use_font(page, kBodyPt);
  for (Row& row : rows_) row.note = wrapped(page, row.note.front(), note_w);

  const double line = line_of(kBodyPt);
  const double bottom = height_ - kMargin;
  double y = kMargin + line_of(kHeadPt) + line;  // the first page's title, and the header row
  TablePage part;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const double row_h = static_cast<double>(rows_[i].note.size()) * line;
    if (y + row_h > bottom && i > part.first) {
      part.end = i;
      table_pages_.push_back(part);
      part.first = i;
      y = kMargin + line;
    }
    y += row_h;
  }
  part.end = rows_.size();
  table_pages_.push_back(part);
}

std::string Report::level_header() const {
  return std::string(text::kLevelColumn.in(request_.langue)) + " (" +
         std::string(unit_info(request_.unite).name) + ")";
}

void Report::draw_page(int index, DrawSurface& page) const {
  page.set_fore_colour(platform::kBlack);
  page.set_pen_style(platform::PenStyle::Solid);
  page.set_pen_width(1);
  if (index <= 0) {
    draw_first_page(page);
  } else if (index < page_count()) {
    draw_table_page(table_pages_[static_cast<std::size_t>(index - 1)], index == 1, page);
  }
  draw_footer(index, page);
}

void Report::draw_footer(int index, DrawSurface& page) const {
  const auto tr = [this](const Bilingual& t) { return std::string(t.in(request_.langue)); };
  use_font(page, kSmallPt);
  const double y = height_ - kMargin + 240;
  const std::string number = tr(text::kPage) + std::to_string(index + 1) + tr(text::kPageOf) +
                             std::to_string(page_count());
  const double right = width_ - kMargin;
  text_right(page, right, y, number);
  std::string who = period_text(request_.period, request_.date_picture, request_.langue);
  if (!request_.name.empty()) who = request_.name + " \u2013 " + who;
  text_left(page, kMargin, y, who, right - kMargin - page.text_width(number) - kGap);
  page.line(kMargin, y - 60, right, y - 60, kRule);
}

double Report::draw_header(DrawSurface& page) const {
  const auto tr = [this](const Bilingual& t) { return std::string(t.in(request_.langue)); };
  const double right = width_ - kMargin;
  double y = kMargin;
  use_font(page, kSmallPt);
  const std::string printed =
      tr(text::kPrinted) + " " + platform::format_serial(request_.printed, request_.date_picture);
  text_right(page, right, y, printed);
  use_font(page, kTitlePt, true);
  text_left(page, kMargin, y, tr(text::kReportTitle), right - kMargin - 2400);
  y += line_of(kTitlePt) + 60;

  const int u = request_.unite;
  const std::string target =
      level_text(from_mg_dl(request_.target.low, u), u, request_.separator) + "-" +
      level_text(from_mg_dl(request_.target.high, u), u, request_.separator) + " " +
      std::string(unit_info(u).name);
  std::vector<FigureRow> lines;
  if (!request_.name.empty()) lines.push_back({tr(text::kName), request_.name});
  lines.push_back(
      {tr(text::kPeriod), period_text(request_.period, request_.date_picture, request_.langue)});
  lines.push_back({tr(text::kUnit), std::string(unit_info(u).name)});
  lines.push_back({tr(text::kTargetRange), target});
  use_font(page, kBodyPt, true);
  double label_w = 0;
  for (const FigureRow& row : lines) label_w = std::max(label_w, page.text_width(row.label));
  const double value_x = kMargin + label_w + kCellPad;
  for (const FigureRow& row : lines) {
    use_font(page, kBodyPt, true);
    page.print_text(kMargin, y, row.label);
    use_font(page, kBodyPt);
    text_left(page, value_x, y, row.value, right - value_x);
    y += line_of(kBodyPt);
  }
  y += 80;
  page.line(kMargin, y, right, y, platform::kBlack);
  return y + 120;
}

void Report::draw_first_page(DrawSurface& page) const {
  double y = draw_header(page);
  const double right = width_ - kMargin;
  if (view_.empty) {
    use_font(page, 12, true);
    for (const std::string& line : wrapped(page, view_.no_test, right - kMargin)) {
      page.print_text(kMargin, y, line);
      y += line_of(12);
    }
    use_font(page, kBodyPt);
    if (!view_.unreadable.empty()) text_left(page, kMargin, y, view_.unreadable, right - kMargin);
    return;
  }
  y = draw_figures(y, page);
  y = draw_shares(y, page) + kGap;
  const double bottom = height_ - kMargin - kGap;
  const double chart_h = (bottom - y - kGap) / 2;
  draw_modal_day(y, chart_h, page);
  draw_daily_means(y + chart_h + kGap, chart_h, page);
}

double Report::draw_figures(double top, DrawSurface& page) const {
  const double column = (width_ - 2 * kMargin - 2 * kGap) / 2;
  const double line = line_of(kBodyPt);
  const auto rows = [&](const std::vector<FigureRow>& figures, double left, double y) {
    for (const FigureRow& row : figures) {
      use_font(page, kBodyPt, true);
      const double value_w = page.text_width(row.value);
      text_right(page, left + column, y, row.value);
      use_font(page, kBodyPt);
      text_left(page, left, y, row.label, column - value_w - kCellPad);
      y += line;
    }
    return y;
  };
  double left_y = rows(view_.summary, kMargin, top);
  use_font(page, kSmallPt);
  for (const std::string* note : {&view_.gmi_note, &view_.unreadable}) {
    if (note->empty()) continue;
    for (const std::string& text : wrapped(page, *note, column)) {
      page.print_text(kMargin, left_y, text);
      left_y += line_of(kSmallPt);
    }
  }
  const double right_x = kMargin + column + 2 * kGap;
  use_font(page, kHeadPt, true);
  text_left(page, right_x, top, view_.ranges_title, column);
  const double right_y = rows(view_.ranges, right_x, top + line_of(kHeadPt));
  return std::max(left_y, right_y) + kGap;
}

double Report::draw_shares(double top, DrawSurface& page) const {
  const double column = (width_ - 2 * kMargin - 2 * kGap) / 2;
  const double line = line_of(kBodyPt);
  const auto table = [&](const std::string& title, const std::vector<ShareRow>& rows, double left) {
    const double mean_right = left + column;
    const double count_right = left + column * 0.72;
    use_font(page, kHeadPt, true);
    text_left(page, left, top, title, column * 0.5);
    use_font(page, kBodyPt, true);
    text_right(page, count_right, top + 30, view_.count_header);
    text_right(page, mean_right, top + 30, view_.mean_header);
    double y = top + line_of(kHeadPt);
    page.line(left, y - 20, mean_right, y - 20, kRule);
    use_font(page, kBodyPt);
    for (const ShareRow& row : rows) {
      text_left(page, left, y, row.label, count_right - page.text_width("0000") - left);
      text_right(page, count_right, y, row.count);
      text_right(page, mean_right, y, row.mean);
      y += line;
    }
    return y;
  };
  const double left_y = table(view_.day_parts_title, view_.day_parts, kMargin);
  const double right_y = table(view_.weekdays_title, view_.weekdays, kMargin + column + 2 * kGap);
  return std::max(left_y, right_y);
}

namespace {

// Title, level scale, target band and frame of a chart; returns the plot area.
Plot chart_frame(DrawSurface& page, const std::string& title, double left, double top, double right,
                 double height, const Statistics& stats, const std::string& separator) {
  use_font(page, kHeadPt, true);
  text_left(page, left, top, title, right - left);
  const int u = stats.unite;
  const double step = scale_step(u);
  // Up to twice the highest level the logbook takes; a level above stays on the top edge.
  const double wanted =
      std::clamp(stats.highest, from_mg_dl(kVeryHighAbove + 20, u), 2.0 * unit_info(u).maximum);
  Plot plot{0, top + line_of(kHeadPt) + line_of(kSmallPt) / 2, right,
            top + height - line_of(kSmallPt), std::ceil(wanted / step) * step};
  const int decimals = known_unit(u) == kGL ? 1 : 0;
  use_font(page, kSmallPt);
  double label_w = 0;
  for (double level = 0; level <= plot.top_level + step / 2; level += step) {
    label_w = std::max(label_w, page.text_width(number_text(level, decimals, separator)));
  }
  plot.left = left + label_w + 100;

  // The target range as a grey band: close lines, so it prints the same on any printer.
  const double band_top = plot.y_of(from_mg_dl(stats.target.high, u));
  const double band_bottom = plot.y_of(from_mg_dl(stats.target.low, u));
  page.set_pen_width(2);
  for (double y = band_top; y <= band_bottom; y += 12)
    page.line(plot.left, y, plot.right, y, kBand);
  page.set_pen_width(1);

  page.set_pen_style(platform::PenStyle::Dotted);
  for (double level = 0; level <= plot.top_level + step / 2; level += step) {
    const double y = plot.y_of(level);
    if (level > 0) page.line(plot.left, y, plot.right, y, kGrid);
    const std::string label = number_text(level, decimals, separator);
    text_right(page, plot.left - 80, std::max(y - line_of(kSmallPt) / 2, top), label);
  }
  page.set_pen_style(platform::PenStyle::Solid);
  frame(page, plot.left, plot.top, plot.right, plot.bottom);
  return plot;
}

// A label centred under the plot at x, kept inside the plot's width.
void x_label(DrawSurface& page, const Plot& plot, double x, const std::string& label) {
  const double w = page.text_width(label);
  const double at = std::clamp(x - w / 2, plot.left - 200, plot.right - w);
  page.print_text(at, plot.bottom + 30, label);
  page.line(x, plot.bottom, x, plot.bottom + 40, platform::kBlack);
}

}  // namespace

void Report::draw_modal_day(double top, double height, DrawSurface& page) const {
  const std::string unit(unit_info(request_.unite).name);
  const Plot plot =
      chart_frame(page, std::string(text::kModalDay.in(request_.langue)) + ", " + unit, kMargin,
                  top, width_ - kMargin, height, stats_, request_.separator);
  const auto x_of = [&](double fraction) {
    return plot.left + fraction * (plot.right - plot.left);
  };
  use_font(page, kSmallPt);
  for (int hour = 0; hour <= 24; hour += 3) {
    x_label(page, plot, x_of(hour / 24.0), (hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
  }
  for (const PeriodTest& test : tests_.tests) {
    cross(page, x_of(test.moment - platform::day_part(test.moment)), plot.y_of(test.level));
  }
  // The median of each hour as a step across the hour, joined to the next hour's.
  const auto medians = hourly_medians(tests_);
  page.set_pen_width(3);
  for (std::size_t hour = 0; hour < 24; ++hour) {
    if (!medians[hour]) continue;
    const double y = plot.y_of(*medians[hour]);
    page.line(x_of(hour / 24.0), y, x_of((hour + 1) / 24.0), y, platform::kBlack);
    if (hour + 1 < 24 && medians[hour + 1]) {
      page.line(x_of((hour + 1) / 24.0), y, x_of((hour + 1) / 24.0), plot.y_of(*medians[hour + 1]),
                platform::kBlack);
    }
  }
  page.set_pen_width(1);
}

void Report::draw_daily_means(double top, double height, DrawSurface& page) const {
  const std::string unit(unit_info(request_.unite).name);
  const Plot plot =
      chart_frame(page, std::string(text::kDailyMeans.in(request_.langue)) + ", " + unit, kMargin,
                  top, width_ - kMargin, height, stats_, request_.separator);
  const double days = request_.period.days();
  const auto x_of = [&](platform::Serial day) {
    return plot.left + (day - request_.period.first + 0.5) / days * (plot.right - plot.left);
  };
  use_font(page, kSmallPt);
  const std::string picture = day_month_picture(request_.date_picture);
  const int labels = std::min(7, static_cast<int>(days));
  for (int i = 0; i < labels; ++i) {
    const double day =
        request_.period.first + std::round(labels > 1 ? i * (days - 1) / (labels - 1) : 0);
    x_label(page, plot, x_of(day), platform::format_serial(day, picture));
  }
  const auto means = daily_means(tests_);
  page.set_pen_width(2);
  for (std::size_t i = 0; i < means.size(); ++i) {
    const double x = x_of(means[i].day), y = plot.y_of(means[i].mean);
    cross(page, x, y);
    if (i + 1 < means.size() && means[i + 1].day == means[i].day + 1) {
      page.line(x, y, x_of(means[i + 1].day), plot.y_of(means[i + 1].mean), platform::kBlack);
    }
  }
  page.set_pen_width(1);
}

void Report::draw_table_page(const TablePage& part, bool first, DrawSurface& page) const {
  const auto tr = [this](const Bilingual& t) { return std::string(t.in(request_.langue)); };
  const double right = width_ - kMargin;
  const double line = line_of(kBodyPt);
  double y = kMargin;
  if (first) {
    use_font(page, kHeadPt, true);
    text_left(page, kMargin, y, tr(text::kReportTestsTitle), right - kMargin);
    y += line_of(kHeadPt);
  }
  use_font(page, kBodyPt, true);
  page.print_text(columns_.date, y, tr(text::kDateColumn));
  page.print_text(columns_.time, y, tr(text::kTimeColumn));
  text_right(page, columns_.level_right, y, level_header());
  text_left(page, columns_.note, y, tr(text::kNoteColumn), right - columns_.note);
  y += line;
  page.line(kMargin, y - 30, right, y - 30, platform::kBlack);
  use_font(page, kBodyPt);
  for (std::size_t i = part.first; i < part.end; ++i) {
    const Row& row = rows_[i];
    page.print_text(columns_.date, y, row.date);
    page.print_text(columns_.time, y, row.time);
    text_right(page, columns_.level_right, y, row.level);
    for (const std::string& note : row.note) {
      page.print_text(columns_.note, y, note);
      y += line;
    }
    page.line(kMargin, y - 30, right, y - 30, kRule);
  }
}

}  // namespace sugarlog
