// Plotting the tests: partitions from the right edge into the past, one segment per test, a flat
// cyan segment for a partition without tests, and the read-out of the first segment.
#include "sugarlog/charts/plot.h"

#include <cmath>

#include "platform/core/number.h"
#include "sugarlog/store/test_table.h"

namespace sugarlog {

using platform::Serial;

namespace {

bool same_month(Serial a, Serial b) {
  const platform::Ymd x = platform::ymd_of(a);
  const platform::Ymd y = platform::ymd_of(b);
  return x.year == y.year && x.month == y.month;
}

Serial first_of_month(Serial date) {
  return date - platform::day_of(date) + 1;
}

int rounded(double y) {
  return static_cast<int>(std::lround(y));
}

}  // namespace

ChartPlot::ChartPlot(ChartWindow window) : w_(std::move(window)) {}

void reset_plot_counters(ChartFrame& frame) {
  frame.No_Partition = 0;
  frame.Tests_Partition = 0;
  frame.Y_Premiere = 0;
  frame.Y_Derniere = 0;
  frame.Partitions_Vides = 0;
  frame.Mois_Courant = 0;
  frame.Direction_Defilement = kNoMove;
  frame.Pas_Curseur = 0;
}

// ---- What the steps read ----

std::optional<Serial> ChartPlot::test_date(int index) const {
  if (index < 1 || index > w_.table.Nb_Tests) return std::nullopt;
  const Serial now = today();
  if (now != dates_day_) {
    dates_day_ = now;
    dates_this_year_ = platform::year_of(now);
  }
  const int year = dates_this_year_;
  if (year != dates_year_ || dates_.size() != w_.table.Tab_Date.size()) {
    // Two-digit years are read in a window around this year: a new year reads them anew.
    dates_.assign(w_.table.Tab_Date.size(), CachedDate{});
    dates_year_ = year;
  }
  CachedDate& cached = dates_[index];
  const std::string& text = w_.table.Tab_Date[index];
  if (cached.text != text) {
    cached.text = text;
    cached.date = platform::parse_date(text, year);
  }
  return cached.date;
}

Serial ChartPlot::oldest_test() const {
  // The oldest test is the last one; a last date that cannot be read gives way to the one before.
  for (int i = w_.table.Nb_Tests; i >= 1; --i) {
    if (const auto date = test_date(i)) return *date;
  }
  return today();
}

double ChartPlot::test_level(int index) const {
  if (index < 0 || index >= static_cast<int>(w_.table.Tab_Taux.size())) return 0;
  return level_number(w_.table.Tab_Taux[index], w_.units.Sep_Decimal);
}

Serial ChartPlot::today() const {
  return pinned_today_ ? *pinned_today_ : w_.clock.today();
}

Serial ChartPlot::aff_date() const {
  return platform::parse_date(w_.Aff_Date.caption, platform::year_of(today())).value_or(today());
}

bool ChartPlot::aff_date_is_today() const {
  const auto shown = platform::parse_date(w_.Aff_Date.caption, platform::year_of(today()));
  return shown && *shown == today();
}

double ChartPlot::height(double level) const {
  return level_height(level, w_.units.Facteur_Unite);
}

bool ChartPlot::next_is_later(Serial date) const {
  const int next = w_.Position_Test + 1;
  if (next > w_.table.Nb_Tests) return false;
  // A date that cannot be read is passed over like a test beyond the right edge, so the tests
  // after it are still drawn.
  const auto found = test_date(next);
  return !found || *found > date;
}

bool ChartPlot::in_partition(Serial date, View view) const {
  const Serial dg = w_.Date_Graphique;
  if (view == View::DayWeek) return date == dg;
  // Months are matched by year and month: the same month of another year is another partition.
  if (dg != month_of_) {
    month_of_ = dg;
    month_first_ = first_of_month(dg);
    month_last_ = month_first_ + Qte_Jrs_Dans_Mois(dg) - 1;
  }
  return date >= month_first_ && date <= month_last_;
}

// ---- Plotting ----

bool ChartPlot::align_partition(View view) {
  Serial& dg = w_.Date_Graphique;
  if (view == View::MonthYear) w_.frame.Mois_Courant = platform::month_of(dg);
  while (next_is_later(dg)) ++w_.Position_Test;
  const auto next = test_date(w_.Position_Test + 1);
  if (!next) return false;
  // Week/Month: the month's newest test on or before the right edge starts the partition, in
  // whichever direction the cursor last moved.
  if (view == View::WeekMonth && same_month(*next, dg)) dg = *next;
  return in_partition(*next, view);
}

void ChartPlot::Graphiques() {
  ChartFrame& f = w_.frame;
  const int count = w_.table.Nb_Tests;
  if (count == 0) return;
  pinned_today_ = w_.clock.today();
  struct Unpin {
    std::optional<Serial>& pinned;
    ~Unpin() { pinned.reset(); }
  } unpin{pinned_today_};
  Resume_Reset();
  std::int32_t& position = w_.Position_Test;
  if (position >= count || position < 0) position = 0;
  f.No_Partition = 1;
  const View view = w_.view();
  Serial& dg = w_.Date_Graphique;
  while (f.No_Partition <= f.Qte_Partitions && position != count) {
    // Month/Year: each partition is one calendar month, the rightmost the month of the right edge.
    const Serial month_start = first_of_month(dg);
    if (align_partition(view)) {
      Qte_Test_Par_Partition();
      Test_Du_Jour();
    } else {
      Segment_Vide();
      if (view == View::WeekMonth && f.No_Partition == 1) {
        // No test this month: no average to show, not the one of the month shown before.
        w_.chart.Aff_Moyenne.visible = false;
        w_.Aff_Resultat.caption.clear();
      }
      if (view != View::MonthYear) dg -= 1;
    }
    if (view == View::MonthYear) dg = month_start - 1;
    ++f.No_Partition;
  }
  if (f.Prochaine_Ligne > 1 && w_.chart.Ligne.loaded(f.Prochaine_Ligne - 1)) {
    f.Y_Derniere = rounded(w_.chart.Ligne[f.Prochaine_Ligne - 1].y1);
  }
  if (f.No_Partition - 1 != f.Qte_Partitions) {
    f.Partitions_Vides = f.Qte_Partitions - (f.No_Partition - 1);
  }
  if (aff_date_is_today()) {
    w_.Bout_Auj.enabled = false;
    dg = aff_date();
  }
}

void ChartPlot::Qte_Test_Par_Partition() {
  ChartFrame& f = w_.frame;
  const View view = w_.view();
  Partitions_Graphiques(f, view);
  f.Tests_Partition = 0;
  if (f.Prochaine_Ligne == 0) f.Prochaine_Ligne = 1;
  for (int i = w_.Position_Test + 1; i <= w_.table.Nb_Tests; ++i) {
    const auto date = test_date(i);
    // A date that cannot be read is passed over alone: the rest of the partition still counts.
    if (!date) continue;
    if (!in_partition(*date, view)) break;
    ++f.Tests_Partition;
  }
}

void ChartPlot::Test_Du_Jour() {
  ChartFrame& f = w_.frame;
  if (f.Tests_Partition <= 0) return;
  const View view = w_.view();
  const double width = static_cast<double>(f.Largeur_Partition) / f.Tests_Partition;
  std::int32_t& position = w_.Position_Test;
  Serial& dg = w_.Date_Graphique;
  form::Line* last = nullptr;
  for (int k = 0; k < f.Tests_Partition; ++k) {
    skip_unreadable_dates();
    const int test = position + 1;
    const auto [line, newer] = load_next_line(kTestYellow);
    const double level = test_level(test);
    if (!newer) {
      line.x1 = kChartRight - width;
      line.y1 = height(level);
      line.x2 = kChartRight;
      if (f.Raccord_Droit == 1) {
        if (f.Direction_Defilement == kMoveBack) {
          if (f.Pas_Curseur < -1 && view != View::MonthYear) f.Y_Premiere = f.Y_Derniere;
          line.y2 = f.Y_Premiere;
        } else {
          const auto newest = test_date(1);
          if (aff_date_is_today() || !newest || *newest <= dg || position < 1) {
            line.y2 = line.y1;
          } else {
            line.y2 = height(test_level(position));
          }
        }
      }
      Afficher_Taux();
    } else {
      line.x1 = newer->x1 - width;
      // Truncated before the subtraction, as every segment after the first has always been.
      line.y1 = kChartBottom - std::floor(level / w_.units.Facteur_Unite * kTwipsPerLevel);
      line.x2 = newer->x1;
      line.y2 = newer->y1;
    }
    ++position;
    ++f.Prochaine_Ligne;
    Resume_Semaine();
    last = &line;
  }
  dg -= 1;
  if (f.No_Partition == 1) f.Y_Premiere = rounded(last->y1);
  if (f.No_Partition == f.Qte_Partitions) f.Y_Derniere = rounded(last->y1);
}

void ChartPlot::skip_unreadable_dates() {
  std::int32_t& position = w_.Position_Test;
  while (position < w_.table.Nb_Tests && !test_date(position + 1)) ++position;
}

ChartPlot::NextLine ChartPlot::load_next_line(platform::Colour colour) {
  const int n = w_.frame.Prochaine_Ligne;
  const form::Line* newer =
      n > 1 && w_.chart.Ligne.loaded(n - 1) ? &w_.chart.Ligne[n - 1] : nullptr;
  form::Line& line = w_.chart.Ligne.load(n);
  line.border_colour = colour;
  line.border_width = w_.frame.Epaisseur_Ligne;
  line.visible = true;
  return {line, newer};
}

void ChartPlot::Segment_Vide() {
  ChartFrame& f = w_.frame;
  if (f.Prochaine_Ligne == 0) f.Prochaine_Ligne = 1;
  const auto [line, newer] = load_next_line(kNoTestCyan);
  if (!newer) {
    w_.Aff_Heure.caption.clear();
    line.x1 = kChartRight - f.Largeur_Partition;
    line.y1 = line.y2 = height(test_level(w_.Position_Test == 0 ? 1 : w_.Position_Test));
    line.x2 = kChartRight;
  } else {
    line.x1 = newer->x1 - f.Largeur_Partition;
    line.y1 = line.y2 = newer->y1;
    line.x2 = line.x1 + f.Largeur_Partition;
  }
  if (f.No_Partition == 1) f.Y_Premiere = rounded(line.y1);
  ++f.Prochaine_Ligne;
}

void ChartPlot::Afficher_Taux() {
  const int test = w_.Position_Test + 1;
  switch (w_.view()) {
    case View::DayWeek: {
      w_.chart.Aff_Moyenne.visible = false;
      w_.Aff_Resultat.caption = shown_level(w_.table.Tab_Taux[test], w_.units);
      w_.Aff_Heure.caption = w_.table.Tab_Heure[test];
      const std::string& note = w_.table.Tab_Note[test];
      if (!note.empty()) {
        w_.Index_Note = test;
        w_.Information.caption = "[ " + note + " ]";
        w_.frame.Note_Affichee = w_.Information.caption;
      }
      break;
    }
    case View::WeekMonth: {
      // The true mean of the month's levels, in the unit's picture.
      const int count = w_.frame.Tests_Partition;
      double sum = 0;
      int taken = 0;
      for (int i = test; taken < count && i <= w_.table.Nb_Tests; ++i) {
        if (!test_date(i)) continue;  // not one of the partition's tests
        sum += test_level(i);
        ++taken;
      }
      w_.chart.Aff_Moyenne.visible = true;
      w_.Aff_Resultat.caption = count > 0 ? w_.units.format(sum / count) : std::string();
      w_.Aff_Heure.caption.clear();
      break;
    }
    case View::MonthYear:
      w_.chart.Aff_Moyenne.visible = false;
      w_.Aff_Resultat.caption.clear();
      w_.Aff_Heure.caption.clear();
      break;
  }
}

void ChartPlot::Ligne_Premiere() {
  w_.frame.Raccord_Droit = w_.Curseur.value() == 32767 ? 1 : 0;
}

// ---- The cursor ----

void ChartPlot::Valeur_Curseur() {
  // The scroll bar's steps are the platform's to use; the handler sees only the value changes.
  form::ScrollBar& curseur = w_.Curseur;
  switch (w_.view()) {
    case View::DayWeek:
      curseur.small_change = 1;
      curseur.large_change = w_.frame.Qte_Partitions;
      break;
    case View::WeekMonth:
      curseur.small_change = curseur.large_change = platform::day_of(aff_date());
      break;
    case View::MonthYear:
      curseur.small_change = Qte_Jours_Dans_Mois_Prec(w_.Date_Graphique);
      curseur.large_change =
          Qte_Jrs_Annee(w_.Date_Graphique, w_.frame.Direction_Defilement, oldest_test());
      break;
  }
}

void ChartPlot::Direction_Curseur(int curseur_precedent) {
  const int value = w_.Curseur.value();
  w_.frame.Direction_Defilement = value == curseur_precedent  ? kNoMove
                                  : value < curseur_precedent ? kMoveBack
                                                              : kMoveForward;
}

}  // namespace sugarlog
