// Start-up, the main window's state, saving, erasing, the units and quitting.
#include <system_error>

#include "platform/core/number.h"
#include "sugarlog/meter/probe.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/texts/langage.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

void set_caption(form::Control& control, std::string caption) {
  if (auto* label = dynamic_cast<form::Label*>(&control)) {
    label->caption = std::move(caption);
  } else if (auto* button = dynamic_cast<form::Button*>(&control)) {
    button->caption = std::move(caption);
  } else if (auto* frame = dynamic_cast<form::Frame*>(&control)) {
    frame->caption = std::move(caption);
  }
}

}  // namespace

// ---- Start-up ----

void Fenetre::Form_Load() {
  Quel_Decimale();
  if (!Recup_Init()) return;
  online.PA_URL();
  units.Valeur_MG(settings.Unite);
  frame.Titre_AxeX = kTitlesDayWeek;
  Graphique_Actif = 0;
  Langue = 0;
  if (langue_of(Lire_Langue(platform_.locale)) == kFrench) {
    Langue = kFrench;
    Traduction();
  }
  Aff_Langue.caption = std::to_string(Langue);
  name_controls();
  if (Langue == kFrench) Menu_Recom->visible = true;
  Correspondance();
  Afficher_Heure();
  Format_Date_Syst =
      day_first_short_date(Lire_Format_Date(platform_.locale), platform_.locale.date_separator());
  Port_Joystick();

  Recuperer();
  Partitions_Graphiques(frame, current_view());
  const bool has_tests = table.Nb_Tests != 0;
  const platform::Serial oldest =
      has_tests ? table.date_of(table.Nb_Tests, this_year()).value_or(today()) : today();
  if (has_tests) {
    Etendue_Jours = static_cast<std::int32_t>(today() - oldest);
    Curseur_Minimum = cursor_minimum(Etendue_Jours);
    Reset();
  } else {
    Aff_Date.caption = today_short();
    Date_Graphique = today();
    Curseur.enabled = false;
  }

  Mois_Sem();
  platform_.dialogs.set_busy(false);
  Presence_Joystick();

  Date_Graphique = aff_date_value();
  Graphique_Actif = 1;
  Curseur_Precedent = static_cast<std::int16_t>(Curseur.value());

  Position_Test = 0;
  Aff_Resultat.caption = shown_level(table.Tab_Taux[1], units);
  Aff_Heure.caption = table.Tab_Heure[1];

  if (has_tests) {
    Curseur.enabled = oldest <= Date_Graphique - 7;
    Lignes_Objectif(chart);
    Affichager_Le_Taux();
  } else {
    Menu_Historique->enabled = false;
    Menu_Prev->enabled = false;
    Menu_Impr_Graph->enabled = false;
  }
}

void Fenetre::preload_logbook() {
  Quel_Decimale();
  data_file_.preload(units.Sep_Decimal);
}

void Fenetre::Quel_Decimale() {
  units.Sep_Decimal = Lire_Decimale(platform_.locale);
  // The level pictures need a separator; without an answer from the system the full stop serves.
  if (units.Sep_Decimal.empty()) units.Sep_Decimal.assign(1, '.');
}

bool Fenetre::Recup_Init() {
  const SettingsOutcome outcome = settings_file_.Recup_Init();
  if (outcome.ending != SettingsEnding::kNone) {
    platform_.program.end_program();
    return false;
  }
  // Start-up runs again after every save; a file that stays unusable is reported once.
  if (outcome.error && *outcome.error != settings_error_shown_) {
    // The settings are read before the language is chosen.
    Langue = langue_of(Lire_Langue(platform_.locale));
    std::error_code ec;
    const bool unreadable = std::filesystem::exists(settings_file_.path(), ec);
    report_file(settings_file_.path(), *outcome.error,
                unreadable ? text::kSettingsUnreadable.in(Langue) : std::string_view());
  }
  settings_error_shown_ = outcome.error.value_or("");
  settings = outcome.values;
  apply_unit_menu();
  return true;
}

void Fenetre::apply_unit_menu() {
  Menu_OptMG->enabled = true;
  Menu_OptMM->checked = settings.Unite == kMmolL;
  Menu_OptMG->checked = settings.Unite == kMgDl;
  Menu_OptG->checked = settings.Unite == kGL;
  units.Le_Formatteur(settings.Unite, Dialog_Taux.text());
  Aff_Anim.caption = std::to_string(settings.Anim);
  Barrer_Options();
}

void Fenetre::Recuperer() {
  platform_.dialogs.set_busy(true);
  const LoadOutcome outcome = data_file_.Recuperer(table, units.Sep_Decimal);
  platform_.dialogs.set_busy(false);
  if ((outcome.open_elsewhere || outcome.lock_failed) && !told_open_elsewhere_) {
    told_open_elsewhere_ = true;
    tell_read_only();
  }
  if (outcome.error) {
    std::string where;
    if (outcome.line > 0)
      where = std::string(text::kLine.in(Langue)) + std::to_string(outcome.line) + ": ";
    report_file(data_file_.path(), where + *outcome.error, {});
    return;
  }
  const UnfaithfulRecord unfaithful = data_file_.check_faithful(
      table, settings.Unite, units, platform_.locale.date_separator(), this_year());
  if (unfaithful.line > 0) {
    const Bilingual& why = unfaithful.note ? text::kUnfaithfulNote : text::kUnfaithfulRecord;
    const std::string kept =
        data_file_.backup_pending()
            ? text::kept_before_save(data_file_.next_backup_path().filename().string(), Langue)
            : std::string(text::kSavedAsItStands.in(Langue));
    report_file(data_file_.path(),
                std::string(text::kLine.in(Langue)) + std::to_string(unfaithful.line) + ": " +
                    std::string(why.in(Langue)) + "\n\n" + kept,
                {});
  }
}

void Fenetre::tell_read_only() {
  const auto lock_failed = data_file_.lock_failed();
  report_file(data_file_.path(),
              lock_failed ? text::lock_failed_text(*lock_failed, Langue)
                          : std::string(text::kOpenElsewhere.in(Langue)),
              {});
}

void Fenetre::Traduction() {
  for (const CaptionRow& row : french_captions()) {
    std::string french(row.french);
    if (row.name == name()) {
      caption = std::move(french);
    } else if (form::MenuItem* item = find_menu_item(row.name)) {
      item->caption = std::move(french);
    } else if (form::Control* control = find_descendant(row.name)) {
      set_caption(*control, std::move(french));
    }
  }
}

// ---- Units ----

void Fenetre::Correspondance() {
  units.Le_Formatteur(settings.Unite, Dialog_Taux.text());
  Affichager_Le_Taux();
  write_unit_labels(chart, settings.Unite);
  const auto items = result_class_items(settings.Unite, Langue, chart.Aff_Optimal.caption,
                                        chart.Aff_Suboptimal.caption, chart.Aff_Compromis.caption);
  Menu_Res1->caption = items[0];
  Menu_Res2->caption = items[1];
  Menu_Res3->caption = items[2];
}

void Fenetre::Affichager_Le_Taux() {
  set_text_if_changed(Dialog_Taux, shown_level(Dialog_Taux.text(), units));
  Aff_Resultat.caption = shown_level(Aff_Resultat.caption, units);
}

void Fenetre::Menu_OptMM_Click() {
  choose_unit(*Menu_OptMM, kMmolL);
}
void Fenetre::Menu_OptMG_Click() {
  choose_unit(*Menu_OptMG, kMgDl);
}
void Fenetre::Menu_OptG_Click() {
  choose_unit(*Menu_OptG, kGL);
}

void Fenetre::choose_unit(form::MenuItem& item, std::int16_t unite) {
  if (item.checked) return;
  if (table.Nb_Tests > 0 && !convert_levels(settings.Unite, unite)) return;
  Menu_OptMM->checked = &item == Menu_OptMM;
  Menu_OptMG->checked = &item == Menu_OptMG;
  Menu_OptG->checked = &item == Menu_OptG;
  settings.Unite = unite;
  Params_Modifies = 1;
  Correspondance();
  Verrouiller();
}

bool Fenetre::convert_levels(std::int16_t from, std::int16_t to) {
  const Answer answer =
      ask(text::unit_conversion_question(unit_info(from).name, unit_info(to).name,
                                         data_file_.next_backup_path().filename().string(), Langue),
          Buttons::YesNoCancel, Icon::Exclamation, text::kProgramTitle.in(Langue));
  if (answer == Answer::Cancel) return false;
  // Either way every stored level is read in the new unit from now on.
  data_file_.keep_before_next_save();
  units.Valeur_MG(to);
  if (answer != Answer::Yes) return true;
  // Until the converted levels are saved, the file holds them in the unit they were typed in.
  if (!unsaved_levels_unit_) unsaved_levels_unit_ = from;
  const std::string& sep = units.Sep_Decimal;
  for (int i = 1; i <= table.Nb_Tests && i <= TestTable::kCapacity; ++i) {
    if (auto level = converted_level(table.Tab_Taux[i], from, to, sep))
      table.Tab_Taux[i] = std::move(*level);
  }
  // The read-out shows a test's level or an average, in the unit it was read in.
  if (auto shown = converted_level(Aff_Resultat.caption, from, to, sep))
    Aff_Resultat.caption = std::move(*shown);
  Menu_Sauve->enabled = true;
  return true;
}

void Fenetre::Verrouiller() {
  if (Menu_OptMM->visible) {
    const Answer answer = ask(text::kLockOffer.in(Langue), Buttons::YesNo, Icon::None,
                              unit_info(settings.Unite).name);
    if (answer == Answer::Yes) settings.Verrou = 1;
  }
  Barrer_Options();
}

void Fenetre::Barrer_Options() {
  if (settings.Verrou != 1) return;
  Menu_Ligne2b->visible = false;
  Menu_OptMM->visible = false;
  Menu_OptMG->visible = false;
  Menu_OptG->visible = false;
}

// ---- Today, the clock and the enable sets ----

void Fenetre::Reset() {
  Aff_Date.caption = today_dd_mm_yy();
  Date_Graphique = aff_date_value();
  Position_Test = 0;
  frame.Prochaine_Ligne = 1;
  reset_plot_counters(frame);
  Curseur_Precedent = kCursorToday;
  Graphique_Actif = 0;
  Curseur.set_value(kCursorToday);
  Graphique_Actif = 1;
}

void Fenetre::Re_Executer() {
  // Today first and the redraw after it: drawn at the date shown before (a screen scrolled back,
  // whose tests were just erased), the chart would stay under today's date, and the newest level
  // would take the place of the month's average.
  Graphique_Actif = 0;
  Curseur.set_value(kCursorToday);
  Graphique_Actif = 1;
  Bout_Auj_Click();
  frame.Direction_Defilement = kNoMove;
  frame.Pas_Curseur = 0;
  Mois_Sem();
}

void Fenetre::Bout_Auj_Click() {
  Bout_Auj.enabled = false;
  platform_.dialogs.set_busy(true);
  Aujourdhui();
  Curseur.enabled = true;
  platform_.dialogs.set_busy(false);
}

void Fenetre::Aujourdhui() {
  Position_Test = 0;
  Aff_Resultat.caption = shown_level(table.Tab_Taux[1], units);
  Aff_Date.caption = today_dd_mm_yy();
  Curseur.set_value(kCursorToday);
  Curseur_Precedent = kCursorToday;
  Date_Graphique = today();
  Aff_Date.caption = date_text(Date_Graphique, Format_Date_Syst);
}

void Fenetre::Afficher_Heure() {
  const platform::Serial now = platform_.clock.now();
  Aff_Heure.caption = platform::format_serial(now, "hh:mm:ss");
  clock_day_ = platform::day_part(now);
}

void Fenetre::Timer_Heure_Timer() {
  // A clock left running over midnight also moves the date label on to the new day.
  const platform::Serial previous_day = clock_day_;
  Afficher_Heure();
  if (clock_day_ != previous_day) Aff_Date.caption = today_dd_mm_yy();
}

void Fenetre::Form_KeyDown(int key, int /*shift*/) {
  if (key == form::kKeyEscape && Menu_Annuler->visible) Menu_Annuler_Click();
}

void Fenetre::Desactiver_Menu() {
  Menu_Historique->enabled = false;
  Menu_Prev->enabled = false;
  Menu_Impr_Graph->enabled = false;
  Menu_Sang->enabled = false;
  Curseur.enabled = false;
}

void Fenetre::Re_Activer_Menu() {
  Menu_Historique->enabled = true;
  Menu_Prev->enabled = true;
  Menu_Impr_Graph->enabled = true;
  Menu_Sang->enabled = true;
  Menu_Calib->enabled = true;
}

void Fenetre::Donnees_Presentes() {
  if (!Menu_Sauve->enabled) return;
  Menu_Historique->enabled = false;
  Menu_Test->enabled = false;
  tell(text::kSaveFirst.in(Langue), text::kMessageTitle);
}

// ---- Return from a measuring mode ----

void Fenetre::Menu_Annuler_Click() {
  Aff_Resultat.visible = true;
  Calibrateur.visible = false;
  Fin_Animation();
  Menu_Sang->enabled = true;
  Menu_Calib->enabled = true;
}

void Fenetre::Fin_Animation() {
  Menu_Sang->enabled = true;
  Curseur.enabled = true;
  Re_Activer_Menu();
  Menu_Annuler->enabled = false;
  Timer_Heure.enabled = false;
  Timer_Joyst.enabled = false;
  Timer_Anim.enabled = false;
  Animation.visible = false;
  key_preview = false;
  Aff_Resultat.caption = table.Tab_Taux[1];
  const bool latest_is_today = read_date(table.Tab_Date[1]) == today();
  Aff_Heure.caption = latest_is_today ? table.Tab_Heure[1] : std::string();
  Information.caption.clear();
  gauge.Thermometre_Zero();
}

void Fenetre::Timer_Joyst_Timer() {
  Port_Joystick();
}

// ---- Files ----

void Fenetre::Menu_Sauve_Click() {
  if (!Sauvegarder()) return;  // nothing re-read: the unsaved tests stay, and so does "&Save"
  Menu_Quitter->enabled = true;
  Menu_Sauve->enabled = false;
  Effacer_Graph(frame, chart);
  Form_Load();
  if (platform_.program.ending()) return;
  Menu_Prev->enabled = true;
  Menu_Historique->enabled = true;
  Menu_Test->enabled = true;
  Menu_Option->enabled = true;
  Menu_Analyses->enabled = Menu_Importer->enabled = true;
}

bool Fenetre::save_tests(const TestTable& tests) {
  table = tests;
  Menu_Sauve->enabled = true;
  Menu_Option->enabled = false;
  Menu_Analyses->enabled = Menu_Importer->enabled = false;
  data_file_.keep_previous_on_next_save();
  Menu_Sauve_Click();
  return !Menu_Sauve->enabled;
}

bool Fenetre::Sauvegarder() {
  if (data_file_.read_only()) {
    tell_read_only();
    return false;
  }
  const bool settings_written =
      written(settings_file_.Sauver_Init(settings), settings_file_.path());
  const bool data_written =
      written(data_file_.Sauvegarder(table, settings.Unite, units,
                                     platform_.locale.date_separator(), this_year()),
              data_file_.path());
  if (data_written) unsaved_levels_unit_.reset();
  return settings_written && data_written;
}

void Fenetre::Menu_Prev_Click() {
  platform_.shell.open(data_file_.path().string());
}

void Fenetre::Menu_Eff_Click() {
  Effacer_Donnees();
}

void Fenetre::Effacer_Donnees() {
  if (data_file_.read_only()) {
    tell_read_only();
    return;
  }
  const std::optional<std::string> answer = platform_.dialogs.input_box(
      erase_prompt(table, Langue), std::string(erase_prompt_title(Langue)), "");
  if (!answer) return;
  const EraseCheck check = check_erase_date(*answer, table, this_year());
  if (check.step == EraseStep::kBeep) platform_.dialogs.beep();
  if (check.step != EraseStep::kConfirm) return;
  const Answer confirm = ask(erase_confirm_text(check.date, Format_Date_Syst, Langue),
                             Buttons::YesNo, Icon::Stop, erase_confirm_title(Langue));
  if (confirm != Answer::Yes) return;
  Effacer_Graph(frame, chart);
  if (!written(data_file_.Effacer_Donnees(table, check.date, this_year()), data_file_.path())) {
    Re_Executer();
    return;
  }
  Recuperer();
  // The oldest test is another one now: the cursor reaches back only as far as it lies.
  if (table.Nb_Tests != 0) {
    Etendue_Jours = static_cast<std::int32_t>(today() - plot_.oldest_test());
    Curseur_Minimum = cursor_minimum(Etendue_Jours);
  }
  Re_Executer();
}

// ---- Quitting ----

void Fenetre::Form_Unload() {
  Quitter_Sugarlog();
}

void Fenetre::Menu_Quitter_Click() {
  Quitter_Sugarlog();
}

void Fenetre::Quitter_Sugarlog() {
  if (Params_Modifies == 1 && ask(text::kBeforeQuitting.in(Langue), Buttons::YesNo, Icon::None,
                                  text::kSaveSetupQuestion.in(Langue)) == Answer::Yes) {
    // Levels converted but not saved yet are still in their old unit in the file; the file is
    // read in the unit saved here, so it names that one unless the data are saved too, and then
    // their save writes the new unit with them.
    Settings kept = settings;
    if (unsaved_levels_unit_) kept.Unite = *unsaved_levels_unit_;
    written(settings_file_.Sauver_Init(kept), settings_file_.path());
  }
  if (Menu_Sauve->enabled &&
      ask(text::kBeforeQuitting.in(Langue), Buttons::YesNo, Icon::None,
          text::kSaveDataQuestion.in(Langue)) == Answer::Yes &&
      !Sauvegarder()) {
    // The tests could not be written: the window stays, so they are not lost with it.
    keep_open();
    return;
  }
  platform_.program.end_program();
}

}  // namespace sugarlog
