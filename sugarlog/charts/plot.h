#pragma once
// The chart's steps: plotting the tests partition by partition from the right edge into the past,
// the read-out above the chart, the titles above it for each view, the cursor's steps and the
// result-class summary below it. The window hands the plot, once, everything of its own that the
// steps read and write; the window's handlers (views, cursor, today) call the steps.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/form.h"
#include "platform/core/services.h"
#include "sugarlog/charts/chart_frame.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

namespace sugarlog {

inline constexpr platform::Colour kTestYellow = platform::rgb(255, 255, 0);
inline constexpr platform::Colour kNoTestCyan = platform::rgb(0, 255, 255);
// Colours of the axis titles.
inline constexpr platform::Colour kTitleRed = platform::rgb(192, 0, 0);
inline constexpr platform::Colour kTitleBlue = platform::rgb(0, 0, 192);
inline constexpr platform::Colour kTitleYellow = platform::rgb(255, 255, 0);
inline constexpr platform::Colour kTitleGreen = platform::rgb(0, 128, 0);

// The window's state and controls the chart's steps work on, by reference.
struct ChartWindow {
  const TestTable& table;
  const UnitState& units;
  const std::int16_t& Unite;
  const std::int16_t& Langue;
  ChartFrame& frame;
  ChartControls& chart;
  form::Label& Aff_Date;
  form::Label& Aff_Heure;
  form::Label& Aff_Resultat;
  form::Label& Information;
  form::Button& Bout_Auj;
  form::ScrollBar& Curseur;
  platform::Serial& Date_Graphique;
  std::int32_t& Position_Test;
  std::int32_t& Index_Note;
  const platform::Clock& clock;
  const platform::Locale& locale;
  std::function<View()> view;  // the view the History menu has checked
};

// Which result classes a level falls in; the three tests are independent.
struct ResultClasses {
  bool optimal = false;
  bool suboptimal = false;
  bool compromise = false;
};
ResultClasses result_classes(double level, int unite);

// The first `count` characters of a UTF-8 text in capitals ("févr." -> "FÉV" for 3). Letters of
// the Latin-1 range are raised; others stay as they are.
std::string upper_initials(std::string_view text, std::size_t count);

class ChartPlot {
 public:
  explicit ChartPlot(ChartWindow window);

  // ---- Plotting ----
  // The whole chart for the checked view, ending at Date_Graphique; the chart must be cleared.
  void Graphiques();
  // Counts the tests of the partition that starts at test Position_Test + 1.
  void Qte_Test_Par_Partition();
  // Draws the Tests_Partition tests of the partition, newest first, and counts each.
  void Test_Du_Jour();
  // The flat cyan segment of a partition without any test.
  void Segment_Vide();
  // The read-out above the chart from the newest test drawn, or the partition's average.
  void Afficher_Taux();
  // Raccord_Droit: 1 when the cursor stands at today.
  void Ligne_Premiere();

  // ---- The titles above the chart for the checked view, ending at Date_Graphique ----
  void Titres_AxeX();

  // ---- The cursor ----
  // Small and large steps of the cursor for the view.
  void Valeur_Curseur();
  // Direction_Defilement from the cursor's value and Curseur_Precedent.
  void Direction_Curseur(int curseur_precedent);

  // ---- The summary below the chart ----
  void Resume_Reset();
  // Counts test Position_Test, just plotted, in its classes.
  void Resume_Semaine();

  // ---- What the steps read ----
  // The date of a test; nothing past the last test or for a text that is no date.
  std::optional<platform::Serial> test_date(int index) const;
  // The date of the oldest test that has one (today for an empty table).
  platform::Serial oldest_test() const;
  // A test's level as a number (0 for an empty or missing one).
  double test_level(int index) const;
  platform::Serial today() const;
  // The right-edge date the read-out shows (today when it shows none).
  platform::Serial aff_date() const;
  bool aff_date_is_today() const;

 private:
  // The next plot line, loaded in a colour, and the line plotted just before it on this screen
  // (nullptr for the screen's first).
  struct NextLine {
    form::Line& line;
    const form::Line* newer;
  };
  NextLine load_next_line(platform::Colour colour);
  // Moves past the tests whose date cannot be read, up to the next one that has a date.
  void skip_unreadable_dates();
  // Moves past the tests later than the partition and says whether the next test is in it.
  bool align_partition(View view);
  bool in_partition(platform::Serial date, View view) const;
  bool next_is_later(platform::Serial date) const;
  double height(double level) const;
  void day_titles();
  void month_title();
  void year_titles();

  ChartWindow w_;
  // Today, read once for a whole plot: asking the system's clock thousands of times a redraw
  // would cost more than the plot itself.
  mutable std::optional<platform::Serial> pinned_today_;
  // Test dates as read the last time, with the texts they were read from: a redraw reads the
  // same dates again and again, and only a changed text is read anew.
  struct CachedDate {
    std::string text;
    std::optional<platform::Serial> date;
  };
  mutable std::vector<CachedDate> dates_;
  mutable int dates_year_ = 0;
  mutable platform::Serial dates_day_ = -1;  // the day this year was reckoned on
  mutable int dates_this_year_ = 0;
  // The month of the last date whose partition was asked for, as its first and last day.
  mutable platform::Serial month_of_ = -1e9;
  mutable platform::Serial month_first_ = 0;
  mutable platform::Serial month_last_ = 0;
};

// The plotting counters back at their start values (the window's reset to today).
void reset_plot_counters(ChartFrame& frame);

}  // namespace sugarlog
