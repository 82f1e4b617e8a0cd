// The report's pages: what they hold, that it all stays on the paper, and how they are numbered.
#include "sugarlog/report/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/testing/recording_surface.h"

namespace sugarlog {
namespace {

using platform::date_serial;
using platform::DrawOp;
using platform::RecordingSurface;

constexpr int kThisYear = 2026;
constexpr double kA4Width = 11906, kA4Height = 16838;
constexpr double kLetterWidth = 12240, kLetterHeight = 15840;
const platform::Serial kToday = date_serial(2026, 12, 8);

// `count` tests over the 90 days ending today, newest first, every 17th with a note long enough
// to wrap; each note starts with a word no other line of the table starts with.
TestTable logbook(int count) {
  TestTable table;
  for (int i = 0; i < count; ++i) {
    const platform::Serial moment = kToday - 89 + (89.99 * i) / std::max(1, count - 1);
    const std::string note = i % 17 == 0 ? "after a long walk by the river with the dog, then a "
                                           "large lunch with dessert and coffee; felt a bit dizzy"
                                         : "n" + std::to_string(i);
    table.add_test(platform::format_serial(moment, "dd/mm/yy"),
                   platform::format_serial(moment, "hh:mm"), std::to_string(4 + i % 9) + ".5",
                   note);
  }
  return table;
}

ReportRequest request(std::int16_t langue = 0) {
  ReportRequest r;
  r.period = last_days(kToday, 90);
  r.langue = langue;
  r.printed = kToday;
  r.name = "Jeanne Tremblay";
  return r;
}

struct Drawn {
  std::vector<std::vector<DrawOp>> pages;
  std::vector<std::string> texts(std::size_t page) const {
    std::vector<std::string> out;
    for (const DrawOp& op : pages[page]) {
      if (op.kind == DrawOp::Text) out.push_back(op.text);
    }
    return out;
  }
  bool has(std::size_t page, const std::string& text) const {
    const auto all = texts(page);
    return std::find(all.begin(), all.end(), text) != all.end();
  }
};

Drawn draw(const Report& report, double width, double height) {
  Drawn out;
  for (int i = 0; i < report.page_count(); ++i) {
    RecordingSurface page(width, height);
    report.draw_page(i, page);
    out.pages.push_back(page.ops());
  }
  return out;
}

// Every text and line lies inside the paper, texts measured with the font they were drawn in.
void expect_on_paper(const Drawn& drawn, double width, double height) {
  for (std::size_t p = 0; p < drawn.pages.size(); ++p) {
    for (const DrawOp& op : drawn.pages[p]) {
      if (op.kind == DrawOp::Text) {
        RecordingSurface measure(width, height);
        measure.set_font_size(op.font_size);
        const double w = measure.text_width(op.text);
        EXPECT_TRUE(op.x1 >= 0 && op.y1 >= 0 && op.x1 + w <= width &&
                    op.y1 + op.font_size * 20 <= height)
            << "page " << p + 1 << ": '" << op.text << "' at " << op.x1 << "," << op.y1;
      } else if (op.kind == DrawOp::Line) {
        for (double x : {op.x1, op.x2}) EXPECT_TRUE(x >= 0 && x <= width) << "page " << p + 1;
        for (double y : {op.y1, op.y2}) EXPECT_TRUE(y >= 0 && y <= height) << "page " << p + 1;
      }
    }
  }
}

TEST(Report, EmptyPeriodSaysSo) {
  const TestTable empty;
  RecordingSurface page(kA4Width, kA4Height);
  const Report report(empty, request(), kThisYear, page);
  ASSERT_EQ(report.page_count(), 1);
  const Drawn drawn = draw(report, kA4Width, kA4Height);
  EXPECT_TRUE(drawn.has(0, "No test in this period."));
  EXPECT_TRUE(drawn.has(0, "Page 1 of 1"));
  EXPECT_TRUE(drawn.has(0, "Jeanne Tremblay"));
  expect_on_paper(drawn, kA4Width, kA4Height);
}

TEST(Report, EveryTestOfThePeriodOnPaperNewestFirst) {
  for (const auto& [width, height] :
       {std::pair{kA4Width, kA4Height}, std::pair{kLetterWidth, kLetterHeight}}) {
    SCOPED_TRACE(width);
    TestTable table = logbook(TestTable::kCapacity);
    RecordingSurface page(width, height);
    const Report report(table, request(), kThisYear, page);
    ASSERT_EQ(report.statistics().count, TestTable::kCapacity);
    const Drawn drawn = draw(report, width, height);
    EXPECT_GT(report.page_count(), 50);
    expect_on_paper(drawn, width, height);

    // Each test once, newest first, across the pages that carry their numbers.
    std::vector<std::string> firsts;
    for (std::size_t p = 1; p < drawn.pages.size(); ++p) {
      EXPECT_TRUE(drawn.has(
          p, "Page " + std::to_string(p + 1) + " of " + std::to_string(report.page_count())));
      for (const std::string& text : drawn.texts(p)) {
        if (text.starts_with("n") || text.starts_with("after")) firsts.push_back(text);
      }
    }
    ASSERT_EQ(firsts.size(), static_cast<std::size_t>(table.Nb_Tests));
    for (int slot = 1; slot <= table.Nb_Tests; ++slot) {
      const std::string& note = table.Tab_Note[slot];
      const std::string& shown = firsts[static_cast<std::size_t>(slot - 1)];
      EXPECT_TRUE(note.starts_with("n") ? shown == note : shown.starts_with("after a long"))
          << slot << ": " << shown;
    }
  }
}

TEST(Report, FirstPageHoldsTheFiguresInTheLanguage) {
  const TestTable table = logbook(200);
  RecordingSurface page(kA4Width, kA4Height);
  ReportRequest fr = request(kFrench);
  fr.separator = ",";
  const Report report(table, fr, kThisYear, page);
  const Drawn drawn = draw(report, kA4Width, kA4Height);
  const StatisticsView view = statistics_view(report.statistics(), kFrench, ",");
  for (const FigureRow& row : view.summary) {
    EXPECT_TRUE(drawn.has(0, row.label)) << row.label;
    EXPECT_TRUE(drawn.has(0, row.value)) << row.value;
  }
  EXPECT_TRUE(drawn.has(0, "Période"));
  EXPECT_TRUE(drawn.has(0, "Imprimé le 08/12/2026"));
  EXPECT_TRUE(drawn.has(0, "Page 1 sur " + std::to_string(report.page_count())));
  EXPECT_TRUE(drawn.has(1, "Analyses de la période, les plus récentes d'abord"));
  expect_on_paper(drawn, kA4Width, kA4Height);
}

TEST(Report, EveryUnitWithLevelsOffTheScale) {
  struct UnitCase {
    int unite;
    const char *low, *high, *level_header, *top_label;
  };
  for (const UnitCase& c : {UnitCase{kMmolL, "01.0", "33.0", "Level (mmol/l)", "35"},
                            UnitCase{kMgDl, "20", "600", "Level (mg/dl)", "600"},
                            UnitCase{kGL, "0.20", "6.00", "Level (g/l)", "6.0"}}) {
    SCOPED_TRACE(c.level_header);
    TestTable table;
    table.add_test("07/12/26", "00:00", c.low, "");
    table.add_test("07/12/26", "23:59", c.high, "");
    RecordingSurface page(kLetterWidth, kLetterHeight);
    ReportRequest r = request();
    r.unite = c.unite;
    const Report report(table, r, kThisYear, page);
    ASSERT_EQ(report.page_count(), 2);
    const Drawn drawn = draw(report, kLetterWidth, kLetterHeight);
    expect_on_paper(drawn, kLetterWidth, kLetterHeight);
    EXPECT_TRUE(drawn.has(0, c.top_label));  // the scale reaches the highest test
    EXPECT_TRUE(drawn.has(1, c.level_header));
    EXPECT_TRUE(drawn.has(1, "23:59"));
  }
}

TEST(Report, AbsurdLevelsAndControlCharactersStayOnOneLineOnPaper) {
  TestTable table;
  table.add_test("06/12/26", "08:00", "99999999999999999999", "tab\there");
  table.add_test("07/12/26", "08:00", "07.5", "line\nbreak");
  RecordingSurface page(kA4Width, kA4Height);
  ReportRequest r = request();
  r.name = "Jane\r\nDoe";
  const Report report(table, r, kThisYear, page);
  const Drawn drawn = draw(report, kA4Width, kA4Height);
  expect_on_paper(drawn, kA4Width, kA4Height);
  EXPECT_TRUE(drawn.has(0, "Jane  Doe"));
  EXPECT_TRUE(drawn.has(1, "tab here"));
  EXPECT_TRUE(drawn.has(1, "line break"));
  EXPECT_TRUE(drawn.has(0, "50"));  // the scale stops at twice the largest level taken
}

TEST(Report, LongTextsAreShortenedOrWrappedNeverClipped) {
  TestTable table;
  const std::string word(400, 'w');  // a note without a blank
  table.add_test("07/12/26", "08:00", "07.5", word);
  RecordingSurface page(kA4Width, kA4Height);
  ReportRequest r = request();
  r.name = std::string(300, 'N');
  const Report report(table, r, kThisYear, page);
  const Drawn drawn = draw(report, kA4Width, kA4Height);
  expect_on_paper(drawn, kA4Width, kA4Height);
  std::string joined;
  for (const std::string& text : drawn.texts(1)) {
    if (text.starts_with("w")) joined += text;
  }
  EXPECT_EQ(joined, word);
}

}  // namespace
}  // namespace sugarlog
