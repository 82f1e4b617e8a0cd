// The add-test panel: opening it, the key filters, the live check while typing, the date and time
// guard, the final check, and accepting or cancelling the test.
#include "platform/core/number.h"
#include "platform/core/text_util.h"
#include "platform/core/utf8.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/window/entry_rules.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {

using platform::Buttons;
using platform::first;
using platform::Icon;
using platform::val;

void Fenetre::Menu_Ajouter_Click() {
  units.Le_Formatteur(settings.Unite, Dialog_Taux.text());
  Menu_Option->enabled = false;
  Menu_Fichier->enabled = false;
  Menu_Sem_Click();
  if (Bout_Auj.enabled) Bout_Auj_Click();

  set_chart_background(chart, kChartGrey);
  Cadre_Ajouter.visible = true;
  Desactiver_Menu();

  Dialog_Date.set_text(today_dd_mm_yy());
  Dialog_Heure.set_text(platform::format_serial(platform_.clock.now(), "hh:mm"));
  Saisie_En_Cours = 1;

  Dialog_Taux.set_text(units.format(0));
  Affichager_Le_Taux();
  Dialog_Note.set_text("");

  Dialog_Taux.select_all();
  set_focus(&Dialog_Taux);
}

// ---- Key filters ----

void Fenetre::Dialog_Taux_KeyPress(int& key) {
  if (key == ',' || key == '.') {
    key = static_cast<int>(platform::decode_utf8(units.Sep_Decimal).code_point);
  } else if (key != form::kKeyBackspace && (key < '0' || key > '9')) {
    key = 0;
  }
}

void Fenetre::Dialog_Date_KeyPress(int& key) {
  if (key >= 45 && key <= 57) return;  // - . / and the digits
  Dialog_Date.set_text(today_short());
  key = 0;
}

void Fenetre::Dialog_Heure_KeyPress(int& key) {
  if (key >= 48 && key <= 58) return;  // the digits and the colon
  Dialog_Heure.set_text("00:00");
  key = 0;
}

// ---- While typing ----

void Fenetre::Dialog_Date_Change() {
  Verifier_Entree();
}

void Fenetre::Dialog_Taux_Change() {
  if (Dialog_Taux.text() == "00") Dialog_Taux.set_text("0");
  units.Le_Formatteur(settings.Unite, Dialog_Taux.text());
  Taux_Texte = system_number(units.Valeur_Taux, units.Sep_Decimal);
  Verifier_Entree();
  if (val(Taux_Texte) < 0) Taux_Texte = "0";
  if (val(Taux_Texte) > unit_maximum())
    Taux_Texte = std::to_string(unit_info(settings.Unite).maximum);
  Afficher_Thermometre();
}

void Fenetre::Afficher_Thermometre() {
  units.Valeur_MG(settings.Unite);
  gauge.Afficher_Thermometre(Taux_Texte, units.Facteur_Unite);
}

void Fenetre::Dialog_Heure_Change() {
  if (Saisie_En_Cours != 0 && !accepting_) update_ok_button();
}

// The checks run on every change while the panel is open, whatever the system's date picture:
// the date is read back once the box holds a whole date, the time box is normalised, OK follows
// the fields and a level above the unit's maximum is capped before OK. While OK runs, the final
// check and the guard own the boxes and nothing here may rewrite them under their feet.
void Fenetre::Verifier_Entree() {
  if (const auto typed = read_date(Dialog_Date.text()); typed && *typed < today()) {
    Dialog_Date.set_text(today_short());
  }
  if (Saisie_En_Cours == 0 || accepting_) return;

  if (date_box_complete()) {
    const auto entered = read_date(Dialog_Date.text());
    if (!entered) {
      Dialog_Date.set_text(date_text(Date_Saisie, "dd/mm/yy"));
      Bout_Ok.enabled = false;
      return;
    }
    Date_Saisie = *entered;
  }

  const LiveTime time = live_time_rules(Dialog_Heure.text());
  set_text_if_changed(Dialog_Heure, time.text);
  if (time.select_minutes) {
    Dialog_Heure.sel_start = 3;
    Dialog_Heure.sel_length = 2;
  }
  update_ok_button();
  cap_typed_level();
}

bool Fenetre::date_box_complete() const {
  const std::size_t length = Dialog_Date.text().size();
  return length == std::string_view("dd/mm/yy").size() || length == Format_Date_Syst.size();
}

void Fenetre::update_ok_button() {
  const double level = units.Valeur_Taux;
  Bout_Ok.enabled = read_date(Dialog_Date.text()).has_value() && !Dialog_Heure.text().empty() &&
                    Dialog_Heure.text() != "00:00" && level != 0 && level <= unit_maximum();
}

void Fenetre::cap_typed_level() {
  const double maximum = unit_maximum();
  // mg/dl has no decimals, so a fourth character can only be a digit too many.
  if (settings.Unite == kMgDl && Taux_Texte.size() > 3)
    Dialog_Taux.set_text(std::string(first(Dialog_Taux.text(), 3)));
  if (read_level(Dialog_Taux.text(), settings.Unite, units.Sep_Decimal) > maximum)
    Dialog_Taux.set_text(units.format(maximum));
}

// ---- Leaving the date or time box, and OK ----

void Fenetre::Dialog_Date_LostFocus() {
  if (const auto date = read_date(Dialog_Date.text())) {
    set_text_if_changed(Dialog_Date, date_text(*date, "dd/mm/yy"));
  }
  Valider_Date_Hre();
}

void Fenetre::Dialog_Heure_LostFocus() {
  Valider_Date_Hre();
}

void Fenetre::Valider_Date_Hre() {
  // The time is completed here and written once, after the date: rewriting the date re-runs the
  // live check, which must never see (and zero) a half-completed time such as "5:30".
  std::string time = complete_typed_time(Dialog_Heure.text());
  // A test may not come before the most recent one: the same day at an earlier hour takes the
  // current time, and a date after it is brought back to today.
  const std::string& latest_date = table.Tab_Date[1];
  if (Dialog_Date.text() == latest_date &&
      val(first(time, 2)) < val(first(table.Tab_Heure[1], 2))) {
    time = platform::format_serial(platform_.clock.now(), "hh:mm");
  }
  if (Dialog_Date.text() > latest_date) set_text_if_changed(Dialog_Date, today_dd_mm_yy());
  set_text_if_changed(Dialog_Heure, format_time_text(time));
}

void Fenetre::Valider_Entree() {
  Erreur_Saisie = 0;
  const auto date = read_date(Dialog_Date.text());
  if (date) set_text_if_changed(Dialog_Date, date_text(*date, "dd/mm/yyyy"));
  set_text_if_changed(Dialog_Heure, format_time_text(Dialog_Heure.text()));
  set_text_if_changed(Dialog_Taux, units.format(units.Valeur_Taux));

  if (units.Valeur_Taux <= 0 || units.Valeur_Taux > unit_maximum()) {
    tell(Aff_Dial_Taux.caption + std::string(text::kLevelEquals) + "\n\n" +
             std::string(text::kLevelMinimum) + "\n" +
             std::string(unit_captions(settings.Unite).maximum_line),
         text::kMessageTitle);
    Erreur_Saisie = 1;
  }
  // A text that is no date would enter the table as one; it is refused like a later date.
  const auto checked = read_date(Dialog_Date.text());
  if (!checked || *checked > today()) {
    tell(text::kDateNotBeforeToday.in(Langue), text::kMessageTitle);
    Erreur_Saisie = 1;
  }
  if (Dialog_Heure.text().size() != 5) {
    tell(Aff_Dial_Heure.caption + std::string(text::kTimeEquals), text::kMessageTitle);
    Erreur_Saisie = 1;
  }
}

void Fenetre::Bout_Ok_Click() {
  Bouton_Ok();
}

void Fenetre::Bouton_Ok() {
  accepting_ = true;
  Valider_Entree();
  Valider_Date_Hre();
  accepting_ = false;
  if (Erreur_Saisie == 1) return;
  if (table.full()) {
    // The table holds 5000 tests; the panel stays open with what was typed.
    platform_.dialogs.message_box(std::string(text::kLogbookFull.in(Langue)), Buttons::Ok,
                                  Icon::Exclamation, std::string(text::kProgramTitle.in(Langue)));
    return;
  }

  set_chart_background(chart, kChartBlack);
  Cadre_Ajouter.visible = false;
  Information.caption.clear();
  table.add_test(Dialog_Date.text(), Dialog_Heure.text(), Dialog_Taux.text(), Dialog_Note.text());
  Mois_Sem();

  Menu_Prev->enabled = false;
  Menu_Sauve->enabled = true;
  Menu_Option->enabled = false;
  Menu_Analyses->enabled = Menu_Importer->enabled = false;
  Menu_Fichier->enabled = true;
  Curseur.enabled = true;
  Saisie_En_Cours = 0;
  units.Le_Formatteur(settings.Unite, Dialog_Taux.text());
}

void Fenetre::Bout_Cancel_Click() {
  gauge.Thermometre_Zero();
  Saisie_En_Cours = 0;
  set_chart_background(chart, kChartBlack);
  Cadre_Ajouter.visible = false;
  Curseur.enabled = true;
  Menu_Prev->enabled = true;
  Menu_Impr_Graph->enabled = true;
  Menu_Fichier->enabled = true;
  Menu_Historique->enabled = true;
  Menu_Option->enabled = true;
}

}  // namespace sugarlog
