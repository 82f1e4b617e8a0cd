#include "sugarlog/store/test_table.h"

#include <utility>

namespace sugarlog {

using platform::day_of;
using platform::Serial;

bool TestTable::Ajouter_A_Liste() {
  if (Nb_Tests > kCapacity) {
    Nb_Tests = kCapacity;
    return false;
  }
  Column* columns[] = {&Tab_Date, &Tab_Heure, &Tab_Taux, &Tab_Note};
  for (auto* column : columns) {
    auto& c = *column;
    for (int i = Nb_Tests; i >= 2; --i) c[i] = std::move(c[i - 1]);
    if (Nb_Tests >= 1) c[1] = c[0];  // slot 0 keeps the staged test
  }
  return true;
}

bool TestTable::add_test(std::string date, std::string heure, std::string taux, std::string note) {
  if (full()) return false;
  Tab_Date[0] = std::move(date);
  Tab_Heure[0] = std::move(heure);
  Tab_Taux[0] = std::move(taux);
  Tab_Note[0] = std::move(note);
  ++Nb_Tests;
  return Ajouter_A_Liste();
}

std::optional<Serial> TestTable::date_of(int slot, int this_year) const {
  if (slot < 0 || slot >= kSlots) return std::nullopt;
  return platform::parse_date(Tab_Date[slot], this_year);
}

int Qte_Jrs_Dans_Mois(Serial date) {
  const Serial in_next_month = date - day_of(date) + 32;
  return day_of(in_next_month - day_of(in_next_month));
}

int Qte_Jours_Dans_Mois_Suiv(Serial& date) {
  date += 35;
  date -= day_of(date);
  return day_of(date);
}

int Qte_Jours_Dans_Mois_Prec(Serial date) {
  return day_of(date - day_of(date));
}

int Qte_Jrs_Annee(Serial date, std::int16_t direction, Serial oldest_test) {
  const int y = platform::year_of(date) + (direction == kDirectionBack ? -1 : 1);
  const platform::Ymd oldest = platform::ymd_of(oldest_test);
  const bool leap = y % 4 == 0;
  return leap && oldest.year <= y && oldest.month <= 2 && oldest.day <= 28 ? 366 : 365;
}

}  // namespace sugarlog
