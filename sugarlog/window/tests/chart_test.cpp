// The chart as the window drives it: plotting in the three views, the view commands, the cursor
// under the chart and the summary below it, on a logbook written to a real data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {
namespace {

namespace fs = std::filesystem;
using platform::date_serial;
using platform::Serial;

struct Entry {
  Serial date;
  std::string time;
  std::string level;
  std::string note;
};

struct Segment {
  double x1, y1, x2, y2;
  platform::Colour colour;
  int width;
};

// 12 June 2026 is a Friday.
const Serial kToday = date_serial(2026, 6, 12);

class ChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_ / "program");
    fs::create_directories(scratch_ / "config");
    fake_.clock.set(kToday + platform::time_serial(14, 30));
  }

  // Writes the tests, newest first, as the data file holds them.
  void write_tests(const std::vector<Entry>& tests) {
    std::ofstream out(scratch_ / "program" / "Diabete.dbk", std::ios::binary);
    for (const Entry& t : tests) {
      out << '"' << platform::format_serial(t.date, "dd/mm/yy") << "\",\"" << t.time << "\",\""
          << t.level << "\",\"" << t.note << "\"\r\n";
    }
  }

  void write_settings(int unite) {
    std::ofstream(scratch_ / "config" / "sugarlog.ini", std::ios::binary)
        << "[Setup]\r\nUnite=" << unite << "\r\nLock=0\r\nAnimation=0\r\n";
  }

  Fenetre& start(const std::vector<Entry>& tests) {
    write_tests(tests);
    window_ =
        std::make_unique<Fenetre>(fake_.platform(), scratch_ / "program", scratch_ / "config");
    window_->Form_Load();
    return *window_;
  }

  std::vector<Segment> segments() const {
    std::vector<Segment> out;
    for (int i = 1; i < window_->frame.Prochaine_Ligne; ++i) {
      const form::Line& line = window_->chart.Ligne[i];
      out.push_back({line.x1, line.y1, line.x2, line.y2, line.border_colour, line.border_width});
    }
    return out;
  }

  int yellow_count() const {
    const auto all = segments();
    return static_cast<int>(std::count_if(
        all.begin(), all.end(), [](const Segment& s) { return s.colour == kTestYellow; }));
  }

  // One step of the scroll bar as the platform makes it: the value moves, clamped to the range.
  void step(int delta) {
    form::ScrollBar& bar = window_->Curseur;
    bar.set_value(std::clamp(bar.value() + delta, bar.min, bar.max));
  }

  Serial shown_date() const {
    return platform::parse_date(window_->Aff_Date.caption, 2026).value();
  }

  // The first day of the screen that ends on a day, in a view.
  static Serial screen_start(View view, Serial edge) {
    if (view == View::WeekMonth) return edge - platform::day_of(edge) + 1;
    if (view == View::MonthYear) {
      const platform::Ymd e = platform::ymd_of(edge);
      return date_serial(e.year, e.month - 11, 1);
    }
    return edge - 6;
  }

  // The tests the screen ending on the date shown should plot.
  int tests_on_screen(const std::vector<Entry>& tests, View view) const {
    const Serial edge = shown_date();
    const Serial first = screen_start(view, edge);
    return static_cast<int>(std::count_if(tests.begin(), tests.end(), [&](const Entry& t) {
      return t.date >= first && t.date <= edge;
    }));
  }

  platform::ScratchFolder scratch_{"sugarlog-chart"};
  platform::FakePlatform fake_;
  std::unique_ptr<Fenetre> window_;
};

// ---- Plotting in the Day/Week view ----

TEST_F(ChartTest, ThreeTestsOnTheRightmostDayShareItsWidthNewestAtTheRightEdge) {
  Fenetre& w = start({{kToday, "18:00", "10.0", "soir"},
                      {kToday, "12:00", "07.5", ""},
                      {kToday, "08:00", "05.0", ""},
                      {kToday - 1, "08:00", "06.0", ""}});
  const auto lines = segments();
  ASSERT_GE(lines.size(), 4u);
  const double third = 521.0 / 3;
  EXPECT_DOUBLE_EQ(lines[0].x2, 3650);
  EXPECT_DOUBLE_EQ(lines[0].x1, 3650 - third);
  EXPECT_DOUBLE_EQ(lines[0].y1, 1300 - 10 * 52);
  EXPECT_DOUBLE_EQ(lines[0].y2, lines[0].y1);  // today at the right edge: flat
  EXPECT_DOUBLE_EQ(lines[1].x1, 3650 - 2 * third);
  EXPECT_DOUBLE_EQ(lines[1].y1, 1300 - 390);
  EXPECT_DOUBLE_EQ(lines[1].y2, lines[0].y1);
  EXPECT_NEAR(lines[2].x1, 3650 - 521, 1e-9);
  EXPECT_EQ(lines[2].colour, kTestYellow);
  EXPECT_EQ(lines[2].width, 2);
  // The day before: one test, the whole partition wide.
  EXPECT_NEAR(lines[3].x1, 3650 - 2 * 521, 1e-9);
  EXPECT_DOUBLE_EQ(lines[3].y2, lines[2].y1);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "4 results");
  EXPECT_EQ(w.Information.caption, "[ soir ]");
  EXPECT_EQ(w.frame.Note_Affichee, "[ soir ]");
  EXPECT_EQ(w.Index_Note, 1);
  EXPECT_EQ(w.Aff_Resultat.caption, "10.0");
  // Tests ran out after two partitions of seven.
  EXPECT_EQ(w.frame.Partitions_Vides, 5);
}

TEST_F(ChartTest, DaysWithoutTestAreFlatCyanSegmentsAtTheNewerPointsHeight) {
  Fenetre& w = start({{kToday, "08:00", "07.0", ""},
                      {kToday - 3, "08:00", "05.0", ""},
                      {kToday - 9, "08:00", "04.0", ""}});
  const auto lines = segments();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].colour, kTestYellow);
  for (int i : {1, 2}) {
    EXPECT_EQ(lines[i].colour, kNoTestCyan);
    EXPECT_DOUBLE_EQ(lines[i].x2 - lines[i].x1, 521);
    EXPECT_DOUBLE_EQ(lines[i].y1, 936);
    EXPECT_DOUBLE_EQ(lines[i].y2, 936);
  }
  EXPECT_EQ(lines[3].colour, kTestYellow);
  EXPECT_DOUBLE_EQ(lines[3].y2, 936);  // joined to the newer point on its right
  EXPECT_EQ(w.frame.Partitions_Vides, 0);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "2 results");
}

TEST_F(ChartTest, OnlyTheFirstSegmentKeepsTheFractionOfItsHeight) {
  start({{kToday, "09:00", "05.5", ""}, {kToday, "08:00", "05.5", ""}});
  const auto lines = segments();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[0].y1, 1300 - 5.5 * 52);  // 1014
  // 5.5 x 52 = 286 exactly; a level whose product has a fraction shows the truncation.
  EXPECT_DOUBLE_EQ(lines[1].y1, 1014);
  write_settings(kGL);
  Fenetre& g = start({{kToday, "09:00", "1.23", ""}, {kToday, "08:00", "1.23", ""}});
  const auto gl = segments();
  EXPECT_DOUBLE_EQ(gl[0].y1, 1300 - 1.23 / 0.25 * 52);  // 1044.16
  EXPECT_DOUBLE_EQ(gl[1].y1, 1300 - 255);               // 255.84 truncated
  EXPECT_EQ(g.settings.Unite, kGL);
}

TEST_F(ChartTest, AnEmptyLogbookDrawsNothingAndLeavesTheSummaryAlone) {
  Fenetre& w = start({});
  EXPECT_EQ(w.frame.Prochaine_Ligne, 0);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "Résultats");
  EXPECT_EQ(w.chart.Aff_Res_Optim.caption, "");
  EXPECT_FALSE(w.Curseur.enabled);
  // The titles of the week are there all the same.
  EXPECT_TRUE(w.chart.Aff_Jour[7].visible);
  EXPECT_EQ(w.chart.Aff_Jour[7].caption, "FR");
}

// ---- Axis titles ----

TEST_F(ChartTest, DayTitlesEndWithTodayInYellowAndSundayInRed) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""}});
  const char* names[] = {"SA", "SU", "MO", "TU", "WE", "TH", "FR"};
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(w.chart.Aff_Jour[i].caption, names[i - 1]) << i;
    EXPECT_TRUE(w.chart.Aff_Jour[i].visible);
  }
  EXPECT_EQ(w.chart.Aff_Jour[2].fore_colour, kTitleRed);
  EXPECT_EQ(w.chart.Aff_Jour[3].fore_colour, kTitleBlue);
  EXPECT_EQ(w.chart.Aff_Jour[7].fore_colour, kTitleYellow);
  EXPECT_EQ(w.chart.Aff_Jour[7].back_colour, kTitleGreen);
  EXPECT_EQ(w.frame.Premier_Jour, kToday - 6);
  EXPECT_FALSE(w.chart.Aff_Mois[1].visible);
}

TEST_F(ChartTest, TitlesComeInTheUsersLanguage) {
  fake_.locale.language = "French";
  fake_.locale.decimal = ",";
  fake_.locale.use_french_names();
  Fenetre& w =
      start({{kToday, "08:00", "05,0", ""}, {date_serial(2025, 2, 3), "08:00", "06,0", ""}});
  EXPECT_EQ(w.chart.Aff_Jour[7].caption, "VE");
  EXPECT_EQ(w.chart.Aff_Jour[2].caption, "DI");
  w.Menu_Annee->user_clicks();
  EXPECT_EQ(w.chart.Aff_Mois[12].caption, "JUI");
  EXPECT_EQ(w.chart.Aff_Mois[8].caption, "F");
  EXPECT_EQ(w.chart.Aff_Mois[2].caption, "A");  // août
  w.Menu_Mois->user_clicks();
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "JUIN");
  fake_.clock.set(date_serial(2026, 2, 12));
  w.Menu_Annee->user_clicks();
  EXPECT_EQ(w.chart.Aff_Mois[12].caption, "FÉV");
  EXPECT_EQ(upper_initials("décembre", 100), "DÉCEMBRE");
}

TEST_F(ChartTest, YearTitlesNameTheTwelveMonthsEndingWithTheRightEdge) {
  Fenetre& w =
      start({{kToday, "08:00", "05.0", ""}, {date_serial(2024, 1, 5), "08:00", "06.0", ""}});
  w.Menu_Annee->user_clicks();
  const char* initials[] = {"J", "A", "S", "O", "N", "D", "J", "F", "M", "A", "M", "JUN"};
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(w.chart.Aff_Mois[i].caption, initials[i - 1]) << i;
  EXPECT_EQ(w.chart.Aff_Mois[7].fore_colour, kTitleRed);  // January
  EXPECT_EQ(w.chart.Aff_Mois[6].fore_colour, kTitleBlue);
  EXPECT_EQ(w.chart.Aff_Mois[12].fore_colour, kTitleYellow);
  EXPECT_FALSE(w.chart.Aff_Jour[7].visible);
  EXPECT_EQ(w.frame.Titre_AxeX, kTitlesMonthYear);

  // On the 30th of a month the twelve months still run without a gap, and on 15 March of a leap
  // year from April to March.
  for (Serial day :
       {date_serial(2026, 4, 30), date_serial(2026, 1, 30), date_serial(2024, 3, 15)}) {
    fake_.clock.set(day);
    w.Menu_Sem->user_clicks();
    w.Menu_Annee->user_clicks();
    const int edge = platform::month_of(day);
    for (int i = 1; i <= 12; ++i) {
      const int month = (edge + i - 1) % 12 + 1;
      const std::string name = fake_.locale.short_months[month - 1];
      const std::string expected = i == 12 ? upper_initials(name, 3) : upper_initials(name, 1);
      EXPECT_EQ(w.chart.Aff_Mois[i].caption, expected)
          << platform::format_serial(day, "dd/mm/yy") << " label " << i;
    }
  }
  EXPECT_EQ(w.chart.Aff_Mois[1].caption, "A");
  EXPECT_EQ(w.chart.Aff_Mois[12].caption, "MAR");
}

// ---- Week/Month ----

TEST_F(ChartTest, MonthAverageIsTheTrueMeanInTheUnitsPicture) {
  Fenetre& w = start({{kToday - 1, "08:00", "06.7", ""},
                      {kToday - 2, "08:00", "05.4", ""},
                      {date_serial(2025, 6, 20), "08:00", "20.0", ""}});
  w.Menu_Mois->user_clicks();
  EXPECT_EQ(w.Aff_Resultat.caption, "06.1");
  EXPECT_TRUE(w.chart.Aff_Moyenne.visible);
  EXPECT_EQ(w.Aff_Heure.caption, "");
  // June of the year before is not part of this June.
  EXPECT_EQ(yellow_count(), 2);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "2 results");
  EXPECT_EQ(w.chart.Aff_Res_Optim.caption, "2");
  const auto lines = segments();
  EXPECT_DOUBLE_EQ(lines[0].x2 - lines[0].x1, 3650.0 / 2);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "JUNE");
  EXPECT_EQ(w.chart.Aff_Mois_Dernier_Jr.caption, "12");
  EXPECT_TRUE(w.chart.Aff_Mois_Jr1.visible);
  // The oldest test is of June a year ago: there are months to scroll back to.
  EXPECT_TRUE(w.Curseur.enabled);
}

TEST_F(ChartTest, MonthAverageInMgDlAndGl) {
  write_settings(kMgDl);
  Fenetre& mg = start({{kToday, "08:00", "120", ""}, {kToday, "07:00", "125", ""}});
  mg.Menu_Mois->user_clicks();
  EXPECT_EQ(mg.Aff_Resultat.caption, "123");  // 122.5 rounded by the picture
  write_settings(kGL);
  fake_.locale.decimal = ",";
  Fenetre& gl = start({{kToday, "08:00", "1,20", ""}, {kToday, "07:00", "1,35", ""}});
  gl.Menu_Mois->user_clicks();
  EXPECT_EQ(gl.Aff_Resultat.caption, "1,28");  // 1.275
  EXPECT_EQ(gl.chart.Aff_Res_Optim.caption, "1");
  EXPECT_EQ(gl.chart.Aff_Res_Sub_Optim.caption, "1");
}

TEST_F(ChartTest, MovingBackAMonthShowsThatMonthsTests) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""},
                      {date_serial(2026, 5, 20), "08:00", "08.0", ""},
                      {date_serial(2026, 5, 3), "08:00", "06.0", ""},
                      {date_serial(2026, 3, 3), "08:00", "09.0", ""}});
  w.Menu_Mois->user_clicks();
  ASSERT_TRUE(w.Curseur.enabled);
  step(-w.Curseur.small_change);
  EXPECT_EQ(shown_date(), date_serial(2026, 5, 31));
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "MAY");
  EXPECT_EQ(w.chart.Aff_Mois_Dernier_Jr.caption, "31");
  EXPECT_EQ(yellow_count(), 2);
  EXPECT_EQ(w.Aff_Resultat.caption, "07.0");
  EXPECT_TRUE(w.Bout_Auj.enabled);
  // April holds no test: a cyan month, and no average left over from May.
  step(-w.Curseur.small_change);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "APRIL");
  EXPECT_EQ(yellow_count(), 0);
  EXPECT_EQ(segments().at(0).colour, kNoTestCyan);
  EXPECT_EQ(w.Aff_Resultat.caption, "");
  EXPECT_FALSE(w.chart.Aff_Moyenne.visible);
  step(-w.Curseur.small_change);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "MARCH");
  EXPECT_EQ(w.Aff_Resultat.caption, "09.0");
  // And forward again, a month a step, every month on the way, to today.
  step(w.Curseur.small_change);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "APRIL");
  step(w.Curseur.small_change);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "MAY");
  step(w.Curseur.small_change);
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
  EXPECT_EQ(w.Curseur.value(), kCursorToday);
  EXPECT_FALSE(w.Bout_Auj.enabled);
}

TEST_F(ChartTest, WeekMonthCursorFollowsTheOldestTestsYearAndMonth) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""}, {kToday - 5, "08:00", "05.0", ""}});
  w.Menu_Mois->user_clicks();
  EXPECT_FALSE(w.Curseur.enabled);
  EXPECT_FALSE(w.Menu_Note->enabled);
  EXPECT_EQ(w.frame.Titre_AxeX, kTitlesWeekMonth);
  EXPECT_EQ(w.Curseur.small_change, 12);
}

// ---- Month/Year ----

TEST_F(ChartTest, EveryYearPartitionIsOneCalendarMonth) {
  // Tests in May and April (neighbours), on the last day of March, none in February, and in June
  // of the year before (the leftmost partition).
  Fenetre& w = start({{date_serial(2026, 5, 20), "08:00", "05.0", ""},
                      {date_serial(2026, 4, 30), "20:00", "06.0", ""},
                      {date_serial(2026, 4, 2), "08:00", "07.0", ""},
                      {date_serial(2026, 3, 31), "08:00", "08.0", ""},
                      {date_serial(2026, 1, 15), "08:00", "09.0", ""},
                      {date_serial(2025, 7, 1), "08:00", "10.0", ""},
                      {date_serial(2025, 6, 30), "08:00", "11.0", ""},
                      {date_serial(2025, 5, 1), "08:00", "12.0", ""}});
  w.Menu_Annee->user_clicks();
  const auto lines = segments();
  // Partition k spans x from 3650 - 304 k to 3650 - 304 (k - 1).
  const auto partition_of = [](const Segment& s) {
    return static_cast<int>((3650 - (s.x1 + s.x2) / 2) / 304) + 1;
  };
  std::vector<int> yellow;
  for (const Segment& s : lines) {
    if (s.colour == kTestYellow) yellow.push_back(partition_of(s));
    EXPECT_EQ(s.width, 1);
  }
  // June (1, empty), May (2), April (3, two tests), March (4), February (5, empty), January (6),
  // December to August (empty), July 2025 (12); June 2025 is off the chart.
  EXPECT_EQ(yellow, (std::vector<int>{2, 3, 3, 4, 6, 12}));
  EXPECT_EQ(lines.size(), 13u);  // twelve months, April with two tests
  EXPECT_EQ(lines[0].colour, kNoTestCyan);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "6 results");
  // June has no test: the read-out keeps the newest level the return to today put there.
  EXPECT_EQ(w.Aff_Resultat.caption, "05.0");
  EXPECT_EQ(w.frame.Partitions_Vides, 0);
  EXPECT_TRUE(w.Curseur.enabled);

  // One month back: the right edge is the last day of May, its tests included.
  step(-w.Curseur.small_change);
  EXPECT_EQ(shown_date(), date_serial(2026, 5, 31));
  EXPECT_EQ(w.chart.Aff_Mois[12].caption, "MAY");
  std::vector<int> after;
  for (const Segment& s : segments()) {
    if (s.colour == kTestYellow) after.push_back(partition_of(s));
  }
  EXPECT_EQ(after, (std::vector<int>{1, 2, 2, 3, 5, 11, 12}));
  // Another month back: the test of the 31st of March is in March, the rightmost month.
  step(-w.Curseur.small_change);
  step(-w.Curseur.small_change);
  EXPECT_EQ(shown_date(), date_serial(2026, 3, 31));
  EXPECT_EQ(partition_of(segments().at(0)), 1);
  EXPECT_EQ(segments().at(0).colour, kTestYellow);
  EXPECT_DOUBLE_EQ(segments().at(0).y1, 1300 - 8 * 52);
}

TEST_F(ChartTest, PageBackFromTodayShowsTheTwelveMonthsBeforeTheScreen) {
  std::vector<Entry> tests;
  for (Serial d = kToday; d > kToday - 800; d -= 10) tests.push_back({d, "08:00", "06.0", ""});
  Fenetre& w = start(tests);
  w.Menu_Annee->user_clicks();
  ASSERT_TRUE(w.Curseur.enabled);
  EXPECT_EQ(w.Curseur.large_change, 365);
  step(-365);
  // 12 June 2026 less 365 days is 12 June 2025; the screen ends with that month, the one before
  // July 2025, where the screen before began.
  EXPECT_EQ(shown_date(), date_serial(2025, 6, 30));
  EXPECT_EQ(w.chart.Aff_Mois[12].caption, "JUN");
  EXPECT_EQ(w.chart.Aff_Mois[1].caption, "J");
  EXPECT_EQ(w.Curseur_Precedent, kCursorToday - 365);
}

// ---- View commands ----

TEST_F(ChartTest, ChoosingTheCheckedViewChangesNothing) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""}, {kToday - 20, "08:00", "05.0", ""}});
  step(-1);
  const std::string shown = w.Aff_Date.caption;
  const int lines = w.frame.Prochaine_Ligne;
  w.Menu_Sem->user_clicks();
  EXPECT_EQ(w.Aff_Date.caption, shown);
  EXPECT_EQ(w.frame.Prochaine_Ligne, lines);
  EXPECT_EQ(w.Curseur.value(), kCursorToday - 1);
}

TEST_F(ChartTest, WithoutTestsEveryViewLeavesTheCursorOff) {
  Fenetre& w = start({});
  for (form::MenuItem* view : {w.Menu_Mois, w.Menu_Annee, w.Menu_Sem}) {
    view->on_click();  // History is off without tests; the commands themselves still hold
    EXPECT_FALSE(w.Curseur.enabled) << view->name;
    EXPECT_TRUE(view->checked);
  }
  EXPECT_FALSE(w.Menu_Note->enabled);
}

TEST_F(ChartTest, DayWeekCursorNeedsAWeekOfTests) {
  Fenetre& six = start({{kToday, "08:00", "05.0", ""}, {kToday - 6, "08:00", "05.0", ""}});
  six.Menu_Annee->user_clicks();
  six.Menu_Sem->user_clicks();
  EXPECT_FALSE(six.Curseur.enabled);
  Fenetre& seven = start({{kToday, "08:00", "05.0", ""}, {kToday - 7, "08:00", "05.0", ""}});
  seven.Menu_Annee->user_clicks();
  EXPECT_FALSE(seven.Curseur.enabled);  // oldest test of this year
  seven.Menu_Sem->user_clicks();
  EXPECT_TRUE(seven.Curseur.enabled);
  EXPECT_EQ(seven.Curseur_Minimum, 32773 - 7);
  EXPECT_EQ(seven.frame.Titre_AxeX, kTitlesDayWeek);
  EXPECT_TRUE(seven.chart.Aff_Jour[1].visible);
  EXPECT_FALSE(seven.chart.Aff_Mois[1].visible);
}

TEST_F(ChartTest, HistoryWithUnsavedTestsOnlyWarns) {
  fake_.locale.short_date = "dd/MM/yy";
  Fenetre& w = start({{kToday - 1, "08:00", "05.0", ""}});
  w.Menu_Ajouter->user_clicks();
  w.Dialog_Taux.select_all();
  w.Dialog_Taux.user_types_text("06.0");
  w.Bout_Ok.on_click();
  ASSERT_TRUE(w.Menu_Sauve->enabled);
  // The new test is on the chart at once, at today's right edge.
  EXPECT_EQ(w.table.Nb_Tests, 2);
  EXPECT_EQ(yellow_count(), 2);
  EXPECT_DOUBLE_EQ(segments().at(0).y1, 1300 - 6 * 52);
  EXPECT_EQ(w.Aff_Resultat.caption, "06.0");
  w.Menu_Historique->enabled = true;
  w.Menu_Historique->user_clicks();
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, "You must save your actual data");
  EXPECT_FALSE(w.Menu_Historique->enabled);
}

TEST_F(ChartTest, AfterAnEraseTheChartShowsTheTestsLeft) {
  std::vector<Entry> tests;
  for (int i = 0; i < 30; ++i) tests.push_back({kToday - i, "08:00", "05.0", ""});
  for (int i = 400; i < 415; ++i) tests.push_back({kToday - i, "08:00", "05.0", ""});
  Fenetre& w = start(tests);
  w.Menu_Annee->user_clicks();
  ASSERT_EQ(yellow_count(), 30);
  // The oldest tests go; the plot must not go on from where the last one stopped.
  fake_.dialogs.inputs = {platform::format_serial(kToday - 410, "dd/mm/yy")};
  fake_.dialogs.answers = {platform::Answer::Yes};
  w.Menu_Eff->user_clicks();
  ASSERT_EQ(w.table.Nb_Tests, 41);
  EXPECT_EQ(yellow_count(), 30);
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "30 results");
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
}

// ---- The cursor ----

TEST_F(ChartTest, DayWeekStepsAndPagesMoveTheScreenByDays) {
  std::vector<Entry> tests;
  for (int i = 0; i < 40; ++i) tests.push_back({kToday - i, "08:00", i % 2 ? "05.0" : "08.0", ""});
  Fenetre& w = start(tests);
  step(-1);
  EXPECT_EQ(w.frame.Pas_Curseur, -1);
  EXPECT_EQ(w.frame.Direction_Defilement, kMoveBack);
  EXPECT_EQ(shown_date(), kToday - 1);
  EXPECT_EQ(w.frame.Premier_Jour, kToday - 7);
  EXPECT_EQ(w.chart.Aff_Jour[7].caption, "TH");
  EXPECT_TRUE(w.Bout_Auj.enabled);
  EXPECT_EQ(yellow_count(), 7);
  // Joined to the left end of the previous screen's rightmost segment.
  EXPECT_DOUBLE_EQ(segments().at(0).y2, 1300 - 8 * 52);
  EXPECT_EQ(w.Aff_Resultat.caption, "05.0");

  const int left_before = w.frame.Y_Derniere;
  step(-7);
  EXPECT_EQ(w.frame.Pas_Curseur, -7);
  EXPECT_EQ(shown_date(), kToday - 8);
  // A page joins the new screen to the left end of the screen before.
  EXPECT_EQ(segments().at(0).y2, left_before);

  step(7);
  EXPECT_EQ(shown_date(), kToday - 1);
  step(1);
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
  EXPECT_EQ(w.Curseur.value(), kCursorToday);
  EXPECT_FALSE(w.Bout_Auj.enabled);
  EXPECT_FALSE(fake_.dialogs.busy);
}

TEST_F(ChartTest, TheOldestTestStopsTheMoveBack) {
  std::vector<Entry> tests;
  for (int i = 0; i < 12; ++i) tests.push_back({kToday - i, "08:00", "05.0", ""});
  Fenetre& w = start(tests);
  EXPECT_EQ(w.Curseur_Minimum, 32773 - 11);
  step(-5);
  EXPECT_EQ(shown_date(), kToday - 5);
  EXPECT_EQ(w.Position_Test, 12);  // the oldest test is on screen
  const std::string shown = w.Aff_Date.caption;
  step(-3);
  EXPECT_EQ(w.Aff_Date.caption, shown);  // refused, and the thumb back where the chart is
  EXPECT_EQ(w.Curseur.value(), kCursorToday - 5);
  // A drag far beyond the oldest test ends at the lowest useful value.
  w.Menu_Sem->checked = false;
  w.Menu_Sem->user_clicks();
  step(-5000);
  EXPECT_EQ(w.Curseur.value(), w.Curseur_Minimum);
  EXPECT_EQ(shown_date(), kToday - 5);
  EXPECT_EQ(w.frame.Premier_Jour, kToday - 11);
}

TEST_F(ChartTest, ProgramMovesOfTheCursorAreNotHandled) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""}, {kToday - 30, "08:00", "05.0", ""}});
  const std::string shown = w.Aff_Date.caption;
  w.Graphique_Actif = 0;
  step(-3);
  EXPECT_EQ(w.Aff_Date.caption, shown);
  EXPECT_EQ(w.Curseur_Precedent, kCursorToday);
}

TEST_F(ChartTest, ATestFromNinetyYearsAgoKeepsTheCursorInItsRange) {
  std::ofstream(scratch_ / "program" / "Diabete.dbk", std::ios::binary)
      << "\"12/06/26\",\"08:00\",\"05.0\",\"\"\r\n\"01/01/1936\",\"08:00\",\"06.0\",\"\"\r\n";
  window_ = std::make_unique<Fenetre>(fake_.platform(), scratch_ / "program", scratch_ / "config");
  Fenetre& w = *window_;
  w.Form_Load();
  EXPECT_EQ(w.Curseur_Minimum, 0);
  EXPECT_TRUE(w.Curseur.enabled);
  step(-7);
  EXPECT_EQ(shown_date(), kToday - 7);
  step(-40000);
  EXPECT_EQ(w.Curseur.value(), 0);
  EXPECT_EQ(shown_date(), kToday - 32767);
  w.Menu_Annee->user_clicks();
  EXPECT_EQ(w.Curseur_Minimum, 0);
  step(-400);
  EXPECT_GE(w.Curseur.value(), 0);
  w.Menu_Mois->user_clicks();
  EXPECT_TRUE(w.Curseur.enabled);
  step(-12);
  EXPECT_EQ(w.chart.Aff_Nom_Mois.caption, "MAY");
  EXPECT_FALSE(fake_.dialogs.busy);
}

// Steps back through a logbook of several years in one view, a step or a page at a time, until
// the cursor stops, and checks every screen against the tests dated inside it.
class ScrollThrough : public ChartTest,
                      public ::testing::WithParamInterface<std::tuple<View, bool>> {};

TEST_P(ScrollThrough, EveryTestIsShownAndCountedOnlyOnItsOwnScreens) {
  const auto [view, pages] = GetParam();
  // Uneven days: some with none, some with a dozen tests, over two and a half years.
  std::vector<Entry> tests;
  for (int day = 0; day < 900; ++day) {
    const int n = day % 13 == 0 ? 12 : day % 5 == 0 ? 0 : day % 3;
    for (int k = n - 1; k >= 0; --k) {
      tests.push_back({kToday - day,
                       platform::format_serial(platform::time_serial(8 + k, 0), "hh:mm"),
                       k % 2 ? "07.5" : "05.0", ""});
    }
  }
  Fenetre& w = start(tests);
  if (view == View::WeekMonth) w.Menu_Mois->user_clicks();
  if (view == View::MonthYear) w.Menu_Annee->user_clicks();
  ASSERT_TRUE(w.Curseur.enabled);

  std::set<Serial> seen_days;
  for (int moves = 0; moves < 1200; ++moves) {
    const Serial edge = shown_date();
    const Serial first = screen_start(view, edge);
    int expected = 0;
    for (const Entry& t : tests) {
      if (t.date >= first && t.date <= edge) {
        ++expected;
        seen_days.insert(t.date);
      }
    }
    ASSERT_EQ(yellow_count(), expected) << platform::format_serial(edge, "dd/mm/yyyy");
    ASSERT_EQ(w.frame.Compte_Resultats, expected) << platform::format_serial(edge, "dd/mm/yyyy");
    const std::string before = w.Aff_Date.caption;
    const int value = w.Curseur.value();
    step(-(pages ? w.Curseur.large_change : w.Curseur.small_change));
    if (w.Aff_Date.caption == before && w.Curseur.value() <= value) break;
  }
  std::set<Serial> test_days;
  for (const Entry& t : tests) test_days.insert(t.date);
  std::vector<Serial> missing;
  std::set_difference(test_days.begin(), test_days.end(), seen_days.begin(), seen_days.end(),
                      std::back_inserter(missing));
  EXPECT_TRUE(missing.empty()) << platform::format_serial(missing.front(), "dd/mm/yyyy") << " and "
                               << missing.size() - 1 << " more days never on screen";
  EXPECT_FALSE(fake_.dialogs.busy);
}

INSTANTIATE_TEST_SUITE_P(Views, ScrollThrough,
                         ::testing::Combine(::testing::Values(View::DayWeek, View::WeekMonth,
                                                              View::MonthYear),
                                            ::testing::Bool()));

// ---- The chart keeps its place ----

// A user's way through the views: each move, and the right edge the screen must then end on.
enum class Move { Back, Forward, PageBack, DragTo, ToDayWeek, ToWeekMonth, ToMonthYear };
struct Stop {
  Move move;
  Serial edge;
  int to = 0;  // where the thumb is let go (DragTo)
};
struct Journey {
  const char* name;
  Serial today;
  int days_of_tests;  // one test a day, back from today
  std::vector<Stop> stops;
};

class Journeys : public ChartTest, public ::testing::WithParamInterface<Journey> {};

TEST_P(Journeys, EveryMoveEndsOnTheScreenItsDateLabelNames) {
  const Journey& journey = GetParam();
  fake_.clock.set(journey.today + platform::time_serial(9, 0));
  std::vector<Entry> tests;
  for (int i = 0; i < journey.days_of_tests; ++i)
    tests.push_back({journey.today - i, "08:00", "06.0", ""});
  Fenetre& w = start(tests);
  form::MenuItem* views[] = {w.Menu_Sem, w.Menu_Mois, w.Menu_Annee};
  for (std::size_t k = 0; k < journey.stops.size(); ++k) {
    const Stop& stop = journey.stops[k];
    if (stop.move >= Move::ToDayWeek) {
      views[static_cast<int>(stop.move) - static_cast<int>(Move::ToDayWeek)]->user_clicks();
    } else if (stop.move == Move::DragTo) {
      w.Curseur.set_value(stop.to);
    } else {
      const int size =
          stop.move == Move::PageBack ? w.Curseur.large_change : w.Curseur.small_change;
      step(stop.move == Move::Forward ? size : -size);
    }
    const std::string where = "move " + std::to_string(k + 1);
    ASSERT_EQ(w.Aff_Date.caption, platform::format_serial(stop.edge, "dd/mm/yyyy")) << where;
    // The chart is the screen the label names, not the one before it.
    EXPECT_EQ(yellow_count(), tests_on_screen(tests, w.current_view())) << where;
    EXPECT_EQ(w.Curseur.value() == kCursorToday, stop.edge == journey.today) << where;
    EXPECT_EQ(w.Bout_Auj.enabled, stop.edge != journey.today) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, Journeys,
    ::testing::Values(
        // Every month is reached again on the way forward, early in this month too.
        Journey{"MonthsForwardAsBack",
                date_serial(2026, 3, 2),
                200,
                {{Move::ToWeekMonth, date_serial(2026, 3, 2)},
                 {Move::Back, date_serial(2026, 2, 28)},
                 {Move::Back, date_serial(2026, 1, 31)},
                 {Move::Back, date_serial(2025, 12, 31)},
                 {Move::Forward, date_serial(2026, 1, 31)},
                 {Move::Forward, date_serial(2026, 2, 28)},
                 {Move::Forward, date_serial(2026, 3, 2)}}},
        // A week's page in Day/Week, whichever view came before.
        Journey{"WeekPageAfterOtherViews",
                kToday,
                60,
                {{Move::ToWeekMonth, kToday},
                 {Move::ToDayWeek, kToday},
                 {Move::PageBack, kToday - 7},
                 {Move::ToMonthYear, kToday},
                 {Move::ToDayWeek, kToday},
                 {Move::PageBack, kToday - 7}}},
        // A year's page from the right end, then a month forward.
        Journey{"MonthForwardAfterAYearPage",
                kToday,
                800,
                {{Move::ToMonthYear, kToday},
                 {Move::PageBack, date_serial(2025, 6, 30)},
                 {Move::Forward, date_serial(2025, 7, 31)}}},
        // The value a year's page from the right end lands on, reached any other way, is a move
        // of a month, back or forward; a move past the oldest test leaves the date label alone.
        Journey{"MonthYearPageMarkBack",
                kToday,
                372,
                {{Move::ToMonthYear, kToday},
                 {Move::DragTo, date_serial(2026, 5, 31), 32500},
                 {Move::DragTo, date_serial(2026, 4, 30), kCursorToday - 365}}},
        Journey{"MonthYearPageMarkForward",
                kToday,
                800,
                {{Move::ToMonthYear, kToday},
                 {Move::DragTo, date_serial(2026, 5, 31), 32300},
                 {Move::DragTo, date_serial(2026, 4, 30), 32200},
                 {Move::DragTo, date_serial(2026, 5, 31), kCursorToday - 365}}},
        // Pages back below the lowest useful value until refused; forward again from there.
        Journey{"MonthYearForwardFromBelowTheMinimum",
                date_serial(2027, 2, 10),
                380,
                {{Move::ToMonthYear, date_serial(2027, 2, 10)},
                 {Move::PageBack, date_serial(2027, 1, 31)},
                 {Move::PageBack, date_serial(2026, 12, 31)},
                 {Move::PageBack, date_serial(2026, 12, 31)},
                 {Move::Forward, date_serial(2027, 1, 31)}}}),
    [](const ::testing::TestParamInfo<Journey>& info) { return std::string(info.param.name); });

// An erase while the chart shows an earlier screen: the chart comes back to today's screen, with
// that screen's read-out. 45 daily tests, 5, 8 and 11 in turn, today's 5: June's twelve average 8.
TEST_F(ChartTest, AnEraseBringsTheChartBackToTodaysScreen) {
  const struct {
    form::MenuItem* Fenetre::*view;
    int pages_back;
    int shown;
    const char* readout;
  } cases[] = {{&Fenetre::Menu_Mois, 0, 12, "08.0"},
               {&Fenetre::Menu_Mois, 1, 12, "08.0"},
               {&Fenetre::Menu_Sem, 2, 7, "05.0"},
               {&Fenetre::Menu_Annee, 0, 12, ""}};
  for (const auto& c : cases) {
    std::vector<Entry> tests;
    for (int i = 0; i < 45; ++i)
      tests.push_back({kToday - i, "08:00", i % 3 ? i % 3 == 1 ? "08.0" : "11.0" : "05.0", ""});
    Fenetre& w = start(tests);
    (w.*c.view)->user_clicks();
    for (int i = 0; i < c.pages_back; ++i) step(-w.Curseur.large_change);
    fake_.dialogs.inputs = {"01/06/26"};
    fake_.dialogs.answers = {platform::Answer::Yes};
    w.Menu_Eff->user_clicks();
    const std::string where = (w.*c.view)->name + " " + std::to_string(c.pages_back);
    ASSERT_EQ(w.table.Nb_Tests, 12) << where;
    EXPECT_EQ(w.Aff_Date.caption, "12/06/2026") << where;
    EXPECT_EQ(w.Curseur.value(), kCursorToday) << where;
    EXPECT_FALSE(w.Bout_Auj.enabled) << where;
    EXPECT_EQ(yellow_count(), c.shown) << where;
    EXPECT_EQ(w.Aff_Resultat.caption, c.readout) << where;
    EXPECT_EQ(w.chart.Aff_Moyenne.visible, c.view == &Fenetre::Menu_Mois) << where;
  }
}

// A record whose date cannot be read is left out alone; the tests around it are plotted.
TEST_F(ChartTest, AnUnreadableDateLeavesOutOnlyItsOwnTest) {
  const Serial today = date_serial(2026, 6, 25);
  fake_.clock.set(today + platform::time_serial(9, 0));
  std::vector<Entry> tests;
  for (int i = 0; i < 21; ++i) tests.push_back({today - i, "08:00", "06.0", ""});
  write_tests(tests);
  std::ofstream(scratch_ / "program" / "Diabete.dbk", std::ios::binary | std::ios::in)
          .seekp(std::string("\"25/06/26\",\"08:00\",\"06.0\",\"\"\r\n\"").size())
      << "3x";  // yesterday's date, 24/06/26, unreadable
  window_ = std::make_unique<Fenetre>(fake_.platform(), scratch_ / "program", scratch_ / "config");
  Fenetre& w = *window_;
  w.Form_Load();
  EXPECT_EQ(yellow_count(), 6);
  for (form::MenuItem* view : {w.Menu_Mois, w.Menu_Annee}) {
    view->user_clicks();
    EXPECT_EQ(yellow_count(), 20) << view->name;
    EXPECT_EQ(w.frame.Compte_Resultats, 20) << view->name;
    EXPECT_EQ(w.Aff_Resultat.caption, view == w.Menu_Mois ? "06.0" : "") << view->name;
  }
}

// ---- The summary and the Results menu ----

TEST_F(ChartTest, SummaryCountsTheClassesOfTheTestsOnScreen) {
  Fenetre& w = start({{kToday, "18:00", "03.9", ""},
                      {kToday, "17:00", "04.0", ""},
                      {kToday, "16:00", "06.9", ""},
                      {kToday, "15:00", "07.0", ""},
                      {kToday, "14:00", "09.9", ""},
                      {kToday, "13:00", "10.0", ""},
                      {kToday - 8, "13:00", "10.0", ""}});
  EXPECT_EQ(w.chart.Aff_Res_Optim.caption, "2");
  EXPECT_EQ(w.chart.Aff_Res_Sub_Optim.caption, "2");
  EXPECT_EQ(w.chart.Aff_Res_Compro.caption, "1");
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "6 results");
}

TEST_F(ChartTest, SummaryInFrenchAndInGlWithAComma) {
  fake_.locale.language = "French";
  fake_.locale.decimal = ",";
  write_settings(kGL);
  Fenetre& w = start({{kToday, "18:00", "1,25", ""},
                      {kToday, "17:00", "2,00", ""},
                      {kToday, "16:00", "0,79", ""}});
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "3 résultats");
  EXPECT_EQ(w.chart.Aff_Res_Optim.caption, "1");
  EXPECT_EQ(w.chart.Aff_Res_Sub_Optim.caption, "0");
  EXPECT_EQ(w.chart.Aff_Res_Compro.caption, "1");
  EXPECT_EQ(w.Menu_Res1->caption, "Optimaux: >= 0.8 et <1.26 g/l");
  // Moving to a screen without any test: the frame is back to its bare title.
  w.Menu_Mois->user_clicks();
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "3 résultats");
  fake_.clock.set(kToday + 40);
  w.Menu_Sem->user_clicks();
  EXPECT_EQ(w.chart.Cadre_Resultats.caption, "Résultats");
  EXPECT_EQ(w.chart.Aff_Res_Optim.caption, "");
}

TEST_F(ChartTest, ResultsMenuFollowsTheUnit) {
  Fenetre& w = start({{kToday, "08:00", "05.0", ""}});
  w.Menu_OptMG->user_clicks();
  EXPECT_EQ(w.Menu_Res1->caption, "Optimal: >= 72 and <126 mg/dl");
  EXPECT_EQ(w.Menu_Res3->caption, "Compromise: >= 180 mg/dl");
  w.Menu_OptG->user_clicks();
  EXPECT_EQ(w.Menu_Res2->caption, "Suboptimal: >= 1.25 and <2.0 g/l");
}

}  // namespace
}  // namespace sugarlog
