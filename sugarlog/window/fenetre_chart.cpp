// The chart's handlers: the three views of the History menu, the redraw every view, move and data
// change ends with, and the cursor under the chart that moves the right edge through time.
#include <algorithm>

#include "sugarlog/store/test_table.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {

using platform::Serial;

namespace {

// The busy pointer while a handler works, back to normal on every way out.
class BusyPointer {
 public:
  explicit BusyPointer(platform::Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.set_busy(true); }
  ~BusyPointer() { dialogs_.set_busy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  platform::Dialogs& dialogs_;
};

bool same_month(Serial a, Serial b) {
  return platform::year_of(a) == platform::year_of(b) &&
         platform::month_of(a) == platform::month_of(b);
}

}  // namespace

// ---- Views ----

void Fenetre::Menu_Sem_Click() {
  if (Menu_Sem->checked) return;
  Curseur.enabled = true;
  Menu_Sem->checked = true;
  Menu_Mois->checked = false;
  Menu_Annee->checked = false;
  Effacer_Graph(frame, chart);
  // The partitions first: a page of the cursor is as many days as the screen has partitions, and
  // the view before may have had one or twelve.
  Partitions_Graphiques(frame, View::DayWeek);
  plot_.Valeur_Curseur();
  // The previous value first, so putting the cursor on today is no move to handle.
  Curseur_Precedent = kCursorToday;
  Curseur.set_value(kCursorToday);
  Aff_Date.caption = today_short();
  Date_Graphique = aff_date_value();
  Position_Test = 0;
  Re_Executer();
  const bool has_tests = table.Nb_Tests != 0;
  if (!has_tests) {
    Curseur.enabled = false;
  } else {
    Curseur_Minimum = cursor_minimum(static_cast<int>(today() - plot_.oldest_test()));
  }
  frame.Titre_AxeX = kTitlesDayWeek;
  frame.Mois_Courant = 0;
  if (has_tests) Curseur.enabled = Date_Graphique - 7 >= plot_.oldest_test();
}

void Fenetre::Menu_Mois_Click() {
  if (Menu_Mois->checked) return;
  Menu_Sem->checked = false;
  Menu_Mois->checked = true;
  Menu_Annee->checked = false;
  plot_.Valeur_Curseur();
  Position_Test = 0;
  frame.Direction_Defilement = kNoMove;
  frame.Mois_Courant = 0;
  Graphique_Actif = 0;
  Curseur.set_value(kCursorToday);
  Curseur_Precedent = kCursorToday;
  Graphique_Actif = 1;
  Effacer_Graph(frame, chart);
  Date_Graphique = today();
  Aff_Date.caption = today_short();
  plot_.Valeur_Curseur();
  Partitions_Graphiques(frame, View::WeekMonth);
  Date_Graphique = today();
  Mois_Sem();
  Bout_Auj.enabled = false;
  Curseur.enabled = true;
  frame.Titre_AxeX = kTitlesWeekMonth;
  Menu_Note->enabled = false;
  // Nothing older to scroll to when the oldest test is of this very month (of this year: the
  // same month of an earlier year is a year of months away).
  if (table.Nb_Tests == 0 || same_month(plot_.oldest_test(), today())) Curseur.enabled = false;
}

void Fenetre::Menu_Annee_Click() {
  if (Menu_Annee->checked) return;
  Choix_Annee();
}

void Fenetre::Choix_Annee() {
  Menu_Sem->checked = false;
  Menu_Mois->checked = false;
  Menu_Annee->checked = true;
  Effacer_Graph(frame, chart);
  Partitions_Graphiques(frame, View::MonthYear);
  frame.Mois_Courant = 0;
  Graphique_Actif = 0;
  Curseur.set_value(kCursorToday);
  Curseur_Precedent = kCursorToday;
  plot_.Valeur_Curseur();
  Graphique_Actif = 1;
  const bool has_tests = table.Nb_Tests != 0;
  const Serial oldest = plot_.oldest_test();
  const int span = static_cast<int>(today() - oldest);
  if (has_tests && span <= Qte_Jrs_Annee(Date_Graphique, frame.Direction_Defilement, oldest)) {
    Curseur_Minimum = cursor_minimum(span);
  }
  plot_.Ligne_Premiere();
  Bout_Auj_Click();
  frame.Direction_Defilement = kNoMove;
  Mois_Sem();
  Bout_Auj.enabled = false;
  Curseur.enabled =
      Etendue_Jours >= Qte_Jrs_Annee(Date_Graphique, frame.Direction_Defilement, oldest) + 1;
  frame.Titre_AxeX = kTitlesMonthYear;
  frame.Mois_Courant = 0;
  Curseur_Precedent = static_cast<std::int16_t>(Curseur.value());
  Menu_Note->enabled = false;
  if (!has_tests || platform::year_of(oldest) == this_year()) Curseur.enabled = false;
}

// ---- The redraw ----

void Fenetre::Mois_Sem() {
  if (Graphique_Actif == 1) Effacer_Graph(frame, chart);
  Effacer_Titre_AxeX(frame, chart);
  // The titles name the screen that ends at the date the read-out shows.
  Date_Graphique = aff_date_value();
  plot_.Titres_AxeX();
  Date_Graphique = aff_date_value();
  // Every redraw starts from the newest test: one that went on from where the last plot stopped
  // (after an erase, say) would leave out the newer tests.
  Position_Test = 0;
  plot_.Graphiques();
}

// ---- The cursor ----

void Fenetre::Curseur_Change() {
  if (Graphique_Actif == 0) return;
  const BusyPointer busy(platform_.dialogs);
  const int count = table.Nb_Tests;
  if (count == 0) return;
  const View view = current_view();
  const Serial oldest = plot_.oldest_test();
  const int span = static_cast<int>(today() - oldest);
  // The value is read anew at each step: setting the cursor below re-enters this handler, which
  // then handles the move itself.
  const auto value = [this] { return Curseur.value(); };
  // The thumb moved by the program, as no move of the user's.
  const auto put_thumb = [this](int at) {
    Graphique_Actif = 0;
    Curseur.set_value(at);
    Graphique_Actif = 1;
    Curseur_Precedent = static_cast<std::int16_t>(at);
  };
  // Week/Month moves a month a step whatever the size of the step: the thumb is then put where
  // the day at the right edge lies, so that its right end is reached with this month's screen
  // and no sooner, however many days the steps on the way there counted.
  const auto thumb_on_edge = [this, &put_thumb] {
    const int behind = static_cast<int>(today() - aff_date_value());
    put_thumb(std::clamp(kCursorToday - behind, Curseur.min, kCursorToday - 1));
  };
  // What a refused move puts back.
  const std::string label_before = Aff_Date.caption;
  const int thumb_before = Curseur_Precedent;
  const auto first_month_shown = [this] {
    const platform::Ymd edge = platform::ymd_of(aff_date_value());
    return platform::date_serial(edge.year, edge.month - (frame.Qte_Partitions - 1), 1);
  };

  // Range checks.
  bool year_page = false;
  if (Curseur_Precedent - value() > span) {
    if (span <= 7) {
      Curseur.enabled = false;
      return;
    }
    Curseur.set_value(Curseur_Minimum);
  }
  switch (view) {
    case View::MonthYear: {
      // Below the minimum only once the oldest test's month is on screen: pages move the chart a
      // month but the cursor a year, and must not strand the months before. A move forward is
      // never held back, wherever the thumb stands.
      const bool back = value() < Curseur_Precedent;
      if (back && value() < Curseur_Minimum && oldest >= first_month_shown()) {
        Curseur.set_value(Curseur_Precedent);
      }
      // A page back from the right end goes back a year; the same value reached any other way (a
      // step forward, pages from elsewhere) is a move of a month like any other.
      if (back && Curseur_Precedent == kCursorToday && value() == kCursorToday - 365) {
        const Serial year_back =
            Date_Graphique - Qte_Jrs_Annee(Date_Graphique, frame.Direction_Defilement, oldest);
        if (platform::year_of(year_back) >= platform::year_of(oldest)) {
          Aff_Date.caption = date_text(year_back, Format_Date_Syst);
          Date_Graphique = aff_date_value();
          year_page = true;
        } else {
          Curseur.set_value(Curseur_Minimum);
        }
      }
      break;
    }
    case View::WeekMonth:
      // The minimum is reckoned for a week at the left edge; a month whose tests all lie in its
      // last days sits just below it, and is still to be reached while it is not on screen.
      if (value() <= Curseur_Minimum && Curseur_Precedent != kCursorToday &&
          oldest >= frame.Premier_Jour) {
        Curseur.set_value(Curseur_Precedent);
      }
      break;
    case View::DayWeek:
      if (value() < Curseur_Minimum && frame.Partitions_Vides != 0) {
        Curseur_Precedent = static_cast<std::int16_t>(Curseur_Minimum);
        Curseur.set_value(Curseur_Minimum);
      }
      break;
  }

  plot_.Direction_Curseur(Curseur_Precedent);
  const std::int16_t direction = frame.Direction_Defilement;
  if (direction == kNoMove) return;
  if (view != View::MonthYear && Position_Test == count && direction == kMoveBack) {
    // Nothing older to show: the thumb goes back to where the chart is.
    Graphique_Actif = 0;
    Curseur.set_value(Curseur_Precedent);
    Graphique_Actif = 1;
    return;
  }

  Information.caption.clear();
  Bout_Auj.enabled = true;
  plot_.Valeur_Curseur();
  if (view == View::MonthYear && direction == kMoveForward && value() == kCursorToday) {
    Curseur_Precedent = kCursorToday;
    frame.Mois_Courant = platform::month_of(Date_Graphique);
  }
  frame.Pas_Curseur = value() - Curseur_Precedent;
  Curseur_Precedent = static_cast<std::int16_t>(value());

  if (view == View::MonthYear) {
    Date_Graphique = aff_date_value();
    if (direction == kMoveBack) {
      if (frame.Pas_Curseur < -1) {
        // A month back ends on the last day of the month before. A year back from today ends on
        // the last day of that month a year ago: the screen before it ended with this month, so
        // no month falls between the two screens.
        const Serial edge = year_page ? Date_Graphique - platform::day_of(Date_Graphique) +
                                            Qte_Jrs_Dans_Mois(Date_Graphique)
                                      : Date_Graphique - platform::day_of(Date_Graphique);
        Aff_Date.caption = date_text(edge, Format_Date_Syst);
        Date_Graphique = aff_date_value();
      }
      frame.Mois_Courant = platform::month_of(Date_Graphique);
      Position_Test = 0;
    } else if (plot_.aff_date_is_today()) {
      plot_.Ligne_Premiere();
      Position_Test = 0;
    } else {
      Position_Test = 0;
      frame.Mois_Courant = platform::month_of(Date_Graphique + 1);
      Qte_Jours_Dans_Mois_Suiv(Date_Graphique);
      // The right end of the cursor is today, however the steps added up on the way there.
      if (Date_Graphique >= today() || value() == kCursorToday) {
        Date_Graphique = today();
        Bout_Auj.enabled = false;
      }
      Aff_Date.caption = date_text(Date_Graphique, Format_Date_Syst);
    }
    if (oldest > Date_Graphique) {
      // Nothing to show that far back: the move is refused, and the date label and the thumb stay
      // with the chart, which stays as it was.
      Aff_Date.caption = label_before;
      Date_Graphique = aff_date_value();
      put_thumb(thumb_before);
      return;
    }
    Mois_Sem();
    Date_Graphique = aff_date_value();
    // Today's screen has the thumb at the right end, as in the other views.
    if (plot_.aff_date_is_today()) put_thumb(kCursorToday);
    return;
  }

  if (direction == kMoveBack) {
    if (oldest >= frame.Premier_Jour) {
      // The oldest test is on screen already: it goes to the left edge (Week/Month: its month
      // goes on screen whole), and the cursor to its lowest useful value.
      const std::string shown = Aff_Date.caption;
      frame.Premier_Jour = oldest;
      Serial edge = frame.Premier_Jour + frame.Qte_Partitions - 1;
      if (view == View::WeekMonth) {
        edge = std::min(oldest - platform::day_of(oldest) + Qte_Jrs_Dans_Mois(oldest), today());
      }
      Aff_Date.caption = date_text(std::min(edge, today()), Format_Date_Syst);
      frame.Direction_Defilement = kNoMove;
      Position_Test = count;
      Curseur_Precedent = static_cast<std::int16_t>(Curseur_Minimum);
      Curseur.set_value(Curseur_Minimum);
      if (Aff_Date.caption != shown) Mois_Sem();
      return;
    }
    if (view == View::DayWeek) {
      Position_Test = 0;
      frame.Premier_Jour += frame.Pas_Curseur;
      Aff_Date.caption = date_text(frame.Premier_Jour + frame.Qte_Partitions - 1, Format_Date_Syst);
      Date_Graphique = aff_date_value();
    } else {
      frame.Premier_Jour = Date_Graphique - platform::day_of(Date_Graphique) + 1;
      const Serial shown = aff_date_value();
      Date_Graphique = shown - platform::day_of(shown);
    }
    Aff_Date.caption = date_text(Date_Graphique, Format_Date_Syst);
    Mois_Sem();
    if (view == View::WeekMonth) thumb_on_edge();
    return;
  }

  // Forward, Day/Week by the size of the move, Week/Month by a month; never past today.
  Date_Graphique = aff_date_value();
  if (Date_Graphique != today()) {
    if (view == View::DayWeek) {
      Date_Graphique += frame.Pas_Curseur;
    } else {
      Serial counted = Date_Graphique;
      Date_Graphique += Qte_Jours_Dans_Mois_Suiv(counted);
    }
  }
  // Day/Week: the right end of the cursor is today, however the steps added up on the way there.
  // Week/Month: the month reached decides, and the thumb follows it.
  const bool at_right_end = view == View::DayWeek && value() == kCursorToday;
  if (Date_Graphique >= today() || at_right_end) {
    Date_Graphique = today();
    Aff_Date.caption = date_text(Date_Graphique, Format_Date_Syst);
    Graphique_Actif = 0;
    Curseur.set_value(kCursorToday);
    Graphique_Actif = 1;
    Bout_Auj.enabled = false;
  } else {
    Aff_Date.caption = date_text(Date_Graphique, Format_Date_Syst);
  }
  plot_.Ligne_Premiere();
  Position_Test = 0;
  Mois_Sem();
  if (view == View::WeekMonth && !plot_.aff_date_is_today()) thumb_on_edge();
}

}  // namespace sugarlog
