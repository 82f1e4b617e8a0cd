#pragma once
// The in-memory logbook: four parallel text columns, slot 0 stages a new test, tests sit in slots
// 1..Nb_Tests with the most recent in slot 1. Slots above Nb_Tests may hold stale text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/date.h"

namespace sugarlog {

class TestTable {
 public:
  static constexpr int kCapacity = 5000;
  static constexpr int kSlots = kCapacity + 1;

  // kSlots texts, all empty until a slot is first written: only then are they given memory (on
  // the heap: 4 x 5001 strings would be a heavy stack object), so a logbook that stays empty
  // costs none, and the window opens sooner.
  class Column {
   public:
    std::string& operator[](std::size_t slot) {
      if (texts_.empty()) texts_.resize(kSlots);
      return texts_[slot];
    }
    const std::string& operator[](std::size_t slot) const {
      static const std::string kEmpty;
      return texts_.empty() ? kEmpty : texts_[slot];
    }
    static constexpr std::size_t size() { return kSlots; }

   private:
    std::vector<std::string> texts_;
  };

  Column Tab_Date;
  Column Tab_Heure;
  Column Tab_Taux;
  Column Tab_Note;
  std::int32_t Nb_Tests = 0;

  // Moves the test staged in slot 0 to the head. The caller has staged it and already counted it
  // in Nb_Tests. Refuses (undoing the count, table unchanged) when that count passes kCapacity, so
  // nothing is ever written past the last slot.
  bool Ajouter_A_Liste();

  // Stages, counts and inserts a test in one checked step; false (nothing changed) when full.
  bool add_test(std::string date, std::string heure, std::string taux, std::string note);
  bool full() const { return Nb_Tests >= kCapacity; }

  // The date of a slot as a whole-day serial, or nothing when its text is not a date.
  std::optional<platform::Serial> date_of(int slot, int this_year) const;
};

// Days in the month of the date (28..31).
int Qte_Jrs_Dans_Mois(platform::Serial date);
// Moves the date 35 days on, then back to the last day of the month before the one reached;
// returns that day number. From the last day of a month: the next month's length, date moved to
// its last day. From the first day of a month: that month's length.
int Qte_Jours_Dans_Mois_Suiv(platform::Serial& date);
// Days in the month before the date's month.
int Qte_Jours_Dans_Mois_Prec(platform::Serial date);

// Values of the chart's last cursor move; only "back" changes the year the month/year view uses.
inline constexpr std::int16_t kDirectionBack = 1;

// Length of the month/year view's year window: 366 when the year after (or before, when the last
// move went back) is divisible by 4 and the oldest test lies on or before 28 February of a year
// not after it; 365 otherwise. Divisibility by 4 is the whole leap rule here, 2100 included.
int Qte_Jrs_Annee(platform::Serial date, std::int16_t direction, platform::Serial oldest_test);

}  // namespace sugarlog
