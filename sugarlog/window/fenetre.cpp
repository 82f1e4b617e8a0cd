#include "sugarlog/window/fenetre.h"

#include <initializer_list>

#include "platform/core/number.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/texts/exchange_texts.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

// The window's screen colours (printing swaps some of them for a while). The grey stays grey
// in any desktop theme, so every text on it has a colour of its own: black unless given here.
constexpr platform::Colour kWindowBack = platform::rgb(192, 192, 192);
constexpr platform::Colour kHighlightBack = platform::rgb(0, 128, 0);
constexpr platform::Colour kHighlightText = platform::rgb(255, 255, 0);
constexpr platform::Colour kAverageText = platform::kWhite;
constexpr platform::Colour kDateText = platform::rgb(0, 128, 0);

void set_bold_font(std::initializer_list<form::Control*> controls, double size) {
  for (form::Control* control : controls) {
    control->font_size = size;
    control->font_bold = true;
  }
}

void hide(std::initializer_list<form::Control*> controls) {
  for (form::Control* control : controls) control->visible = false;
}

// Text colour, and the face colour when one is given.
void set_colours(std::initializer_list<form::Control*> controls, platform::Colour fore,
                 std::optional<platform::Colour> back = std::nullopt) {
  for (form::Control* control : controls) {
    control->fore_colour = fore;
    if (back) control->back_colour = back;
  }
}

std::string folder_text(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

}  // namespace

Fenetre::Fenetre(platform::Platform platform, const std::filesystem::path& program_folder,
                 const std::filesystem::path& settings_folder)
    : form::Form("Fenetre", "Glucose monotor"),
      gauge(*this, platform.surfaces),
      chart(*this, platform.surfaces),
      Aff_Resultat(this, "Aff_Resultat"),
      Aff_Date(this, "Aff_Date", "Date"),
      Aff_Heure(this, "Aff_Heure", "Heure"),
      Curseur(this, "Curseur"),
      Bout_Auj(this, "Bout_Auj", "n"),
      Information(this, "Information"),
      Aff_Langue(this, "Aff_Langue"),
      Aff_Anim(this, "Aff_Anim"),
      Calibrateur(this, "Calibrateur", platform.surfaces),
      Animation(this, "Animation", platform.surfaces),
      Img_Cam1(this, "Img_Cam1", "camera1"),
      Img_Cam2(this, "Img_Cam2", "camera2"),
      Cadre_Ajouter(this, "Cadre_Ajouter"),
      Aff_Dial_Date(&Cadre_Ajouter, "Aff_Dial_Date", "Date"),
      Aff_Dial_Heure(&Cadre_Ajouter, "Aff_Dial_Heure", "Time"),
      Aff_Dial_Taux(&Cadre_Ajouter, "Aff_Dial_Taux", "Rate"),
      Aff_Dial_Note(&Cadre_Ajouter, "Aff_Dial_Note", "Note"),
      Dialog_Date(&Cadre_Ajouter, "Dialog_Date"),
      Dialog_Heure(&Cadre_Ajouter, "Dialog_Heure"),
      Dialog_Taux(&Cadre_Ajouter, "Dialog_Taux"),
      Dialog_Note(&Cadre_Ajouter, "Dialog_Note"),
      Bout_Ok(&Cadre_Ajouter, "Bout_Ok", "Ok"),
      Bout_Cancel(&Cadre_Ajouter, "Bout_Cancel", "Cancel"),
      Timer_Heure(this, "Timer_Heure", 1000, false),
      Timer_Joyst(this, "Timer_Joyst", 100, false),
      Timer_Anim(this, "Timer_Anim", 30, false),
      Timer_Camera(this, "Timer_Camera", 500, false),
      Timer_Analyse(this, "Timer_Analyse", 1000, false),
      Timer_Calibration(this, "Timer_Calibration", 1000, false),
      Timer_Attente(this, "Timer_Attente", 1000, false),
      Timer_Ping(this, "Timer_Ping", 1000, true),
      online(*this, Timer_Ping, platform, Rep_Programme, Langue),
      platform_(platform),
      settings_file_(settings_folder),
      data_file_(program_folder),
      plot_(ChartWindow{table, units, settings.Unite, Langue, frame, chart, Aff_Date, Aff_Heure,
                        Aff_Resultat, Information, Bout_Auj, Curseur, Date_Graphique, Position_Test,
                        Index_Note, platform.clock, platform.locale,
                        [this] { return current_view(); }}) {
  Rep_Programme = folder_text(program_folder);
  build_menus();
  lay_out();
  wire_events();
}

void Fenetre::build_menus() {
  Menu_Fichier = &add_menu("Menu_Fichier", "&File");
  Menu_Sauve = &Menu_Fichier->add("Menu_Sauve", "&Save");
  Menu_Sauve->enabled = false;
  Menu_Ligne0 = &Menu_Fichier->add("Menu_Ligne0", "-");
  Menu_Prev = &Menu_Fichier->add("Menu_Prev", "&Preview (via NotePad)");
  Menu_Ligne1 = &Menu_Fichier->add("Menu_Ligne1", "-");
  Menu_Impr_Graph = &Menu_Fichier->add("Menu_Impr_Graph", "Print &chart");
  Menu_Ligne2 = &Menu_Fichier->add("Menu_Ligne2", "-");
  Menu_Quitter = &Menu_Fichier->add("Menu_Quitter", "&Quit");
  // The tests table, export and import open windows of their own.
  Menu_Ligne2c = &Menu_Fichier->add("Menu_Ligne2c", "-");
  Menu_Analyses = &Menu_Fichier->add("Menu_Analyses", std::string(text::kMenuTests.en));
  Menu_Exporter = &Menu_Fichier->add("Menu_Exporter", std::string(text::kMenuExport.en));
  Menu_Importer = &Menu_Fichier->add("Menu_Importer", std::string(text::kMenuImport.en));
  Menu_Rapport = &Menu_Fichier->add("Menu_Rapport", std::string(text::kMenuReport.en));

  Menu_Option = &add_menu("Menu_Option", "&Options");
  Menu_Ajouter = &Menu_Option->add("Menu_Ajouter", "&Add test");
  Menu_Ligne2a = &Menu_Option->add("Menu_Ligne2a", "-");
  Menu_Eff = &Menu_Option->add("Menu_Eff", "&Erase data");
  Menu_Ligne2b = &Menu_Option->add("Menu_Ligne2b", "-");
  Menu_OptG = &Menu_Option->add("Menu_OptG", "&g/l");
  Menu_OptMG = &Menu_Option->add("Menu_OptMG", "mg/&dl");
  Menu_OptMG->enabled = false;
  Menu_OptMM = &Menu_Option->add("Menu_OptMM", "&mmol/l");
  Menu_OptMM->checked = true;

  // The measuring commands of the probe; the menu is never shown in this version.
  Menu_Test = &add_menu("Menu_Test", "&Test");
  Menu_Test->visible = false;
  Menu_Note = &Menu_Test->add("Menu_Note", "&Add a note");
  Menu_Note->enabled = false;
  Menu_Ligne3 = &Menu_Test->add("Menu_Ligne3", "-");
  Menu_Sang = &Menu_Test->add("Menu_Sang", "l&Blood Test");
  Menu_Sang->enabled = false;
  Menu_Ligne4 = &Menu_Test->add("Menu_Ligne4", "-");
  Menu_Calib = &Menu_Test->add("Menu_Calib", "&Calibration");
  Menu_Calib->enabled = false;
  Menu_Ligne5 = &Menu_Test->add("Menu_Ligne5", "-");
  Menu_Annuler = &Menu_Test->add("Menu_Annuler", "&Return");
  Menu_Annuler->enabled = false;

  Menu_Historique = &add_menu("Menu_Historique", "&History");
  Menu_Sem = &Menu_Historique->add("Menu_Sem", "&Day/Week");
  Menu_Sem->checked = true;
  Menu_Mois = &Menu_Historique->add("Menu_Mois", "&Week/Month");
  Menu_Annee = &Menu_Historique->add("Menu_Annee", "&Month/Year");
  Menu_Stats = &Menu_Historique->add("Menu_Stats", std::string(text::kMenuStatistics.en));

  Menu_Aide = &add_menu("Menu_Aide", "&Help");
  Menu_Apropos = &Menu_Aide->add("Menu_Apropos", "&About ...");
  Menu_Import = &Menu_Aide->add("Menu_Import", "&Important");
  Menu_Recom = &Menu_Aide->add("Menu_Recom", "Re&commandations");
  Menu_Recom->visible = false;
  Menu_TroisMois = &Menu_Recom->add("Menu_TroisMois", "Tous les 3 ou 4 mois");
  Menu_An = &Menu_Recom->add("Menu_An", "Une fois par année");
  Menu_Res = &Menu_Aide->add("Menu_Res", "&Results?");
  Menu_Res1 = &Menu_Res->add("Menu_Res1", "Optimal:  >3.9 and <7.1");
  Menu_Res2 = &Menu_Res->add("Menu_Res2", "Suboptimal:  >7 and  <10.1");
  Menu_Res3 = &Menu_Res->add("Menu_Res3", "Compromise: >10");
}

void Fenetre::lay_out() {
  // Tall enough for the picture of the day below the information line.
  set_bounds(0, 0, 5055, 5655);
  fixed_dialog = true;
  lay_out_readout();
  lay_out_cursor();
  lay_out_entry_panel();
  colour_controls();
}

void Fenetre::lay_out_readout() {
  Aff_Resultat.set_bounds(675, 45, 1380, 585);
  Aff_Resultat.font_size = 24;
  Aff_Resultat.font_bold = true;
  Aff_Resultat.alignment = form::Align::Centre;
  set_bold_font({&chart.Aff_mmol, &Aff_Date, &Aff_Heure}, 10);
  Aff_Date.set_bounds(2160, 540, 1290, 300);
  Aff_Heure.set_bounds(3510, 540, 900, 300);
  Information.set_bounds(30, 4020, 4860, 255);
  // The language and animation flags and the probe's drawings are never shown.
  Aff_Langue.set_bounds(4560, 4020, 150, 255);
  Aff_Anim.set_bounds(4740, 4020, 150, 255);
  Calibrateur.set_bounds(675, 1215, 3720, 1320);
  Animation.set_bounds(675, 1215, 3720, 1320);
  hide({&Aff_Langue, &Aff_Anim, &Calibrateur, &Animation});
  online.Picture2.set_bounds(180, 4305, 4545, 615);
  Img_Cam1.set_bounds(4275, -30, 330, 420);
  Img_Cam2.set_bounds(4275, -30, 330, 420);
  hide({&Img_Cam1, &Img_Cam2});
}

void Fenetre::lay_out_cursor() {
  Curseur.set_bounds(675, 2555, 3660, 285);
  Curseur.min = 0;
  Curseur.max = kCursorToday;
  Curseur.small_change = 1;
  Curseur.large_change = 7;
  Curseur.set_value(kCursorToday);
  Bout_Auj.set_bounds(4380, 2555, 390, 285);
}

void Fenetre::lay_out_entry_panel() {
  // The add-test panel opens over the chart.
  Cadre_Ajouter.set_bounds(675, 1215, 3720, 1320);
  Cadre_Ajouter.visible = false;
  Aff_Dial_Date.set_bounds(135, 120, 1020, 210);
  Aff_Dial_Heure.set_bounds(1215, 120, 735, 210);
  Aff_Dial_Taux.set_bounds(2010, 120, 735, 210);
  Dialog_Date.set_bounds(135, 330, 1020, 315);
  Dialog_Heure.set_bounds(1215, 330, 735, 315);
  Dialog_Taux.set_bounds(2010, 330, 735, 315);
  Aff_Dial_Note.set_bounds(135, 690, 1020, 210);
  Dialog_Note.set_bounds(135, 900, 2610, 315);
  Dialog_Note.max_length = 255;
  Bout_Ok.set_bounds(2850, 330, 750, 375);
  Bout_Cancel.set_bounds(2850, 840, 750, 375);
}

void Fenetre::colour_controls() {
  back_colour = kWindowBack;
  set_colours(
      {&Aff_Heure, &chart.Aff_mmol, &Information, &chart.Aff_Mois_Jr1, &chart.Aff_Nom_Mois,
       &chart.Cadre_Resultats, &chart.Aff_Optimal, &chart.Aff_Suboptimal, &chart.Aff_Compromis,
       &chart.Aff_Res_Optim, &chart.Aff_Res_Sub_Optim, &chart.Aff_Res_Compro},
      platform::kBlack);
  for (LabelArray* labels : {&chart.Aff_Niveau, &chart.Aff_Jour, &chart.Aff_Mois}) {
    for (int i = 1; i <= labels->count(); ++i) (*labels)[i].fore_colour = platform::kBlack;
  }
  // The last day or month title and the level read-out stand out in yellow on green.
  set_colours({&chart.Aff_Jour[chart.Aff_Jour.count()], &chart.Aff_Mois[chart.Aff_Mois.count()],
               &chart.Aff_Mois_Dernier_Jr, &Aff_Resultat},
              kHighlightText, kHighlightBack);
  chart.Aff_Moyenne.fore_colour = kAverageText;
  Aff_Date.fore_colour = kDateText;

  // The entry panel is grey like the window; its boxes are white. Buttons and the cursor keep
  // the desktop's own look.
  Cadre_Ajouter.back_colour = kChartGrey;
  set_colours({&Cadre_Ajouter, &Aff_Dial_Date, &Aff_Dial_Heure, &Aff_Dial_Taux, &Aff_Dial_Note},
              platform::kBlack);
  set_colours({&Dialog_Date, &Dialog_Heure, &Dialog_Taux, &Dialog_Note}, platform::kBlack,
              platform::kWhite);
}

void Fenetre::wire_events() {
  on_load = [this] { Form_Load(); };
  on_unload = [this] { Form_Unload(); };
  on_key_down = [this](int key, int shift) { Form_KeyDown(key, shift); };
  wire_menus();
  wire_chart();
  wire_entry_panel();
  wire_tooltips();
  wire_extras();
  wire_access();
  Timer_Heure.on_tick = [this] { Timer_Heure_Timer(); };
  Timer_Joyst.on_tick = [this] { Timer_Joyst_Timer(); };
}

void Fenetre::wire_menus() {
  Menu_Sauve->on_click = [this] { Menu_Sauve_Click(); };
  Menu_Prev->on_click = [this] { Menu_Prev_Click(); };
  Menu_Quitter->on_click = [this] { Menu_Quitter_Click(); };
  Menu_Ajouter->on_click = [this] { Menu_Ajouter_Click(); };
  Menu_Eff->on_click = [this] { Menu_Eff_Click(); };
  Menu_OptG->on_click = [this] { Menu_OptG_Click(); };
  Menu_OptMG->on_click = [this] { Menu_OptMG_Click(); };
  Menu_OptMM->on_click = [this] { Menu_OptMM_Click(); };
  Menu_Test->on_click = [this] { Donnees_Presentes(); };
  Menu_Historique->on_click = [this] { Donnees_Presentes(); };
  Menu_Sem->on_click = [this] { Menu_Sem_Click(); };
  Menu_Mois->on_click = [this] { Menu_Mois_Click(); };
  Menu_Annee->on_click = [this] { Menu_Annee_Click(); };
  Menu_Annuler->on_click = [this] { Menu_Annuler_Click(); };
  const auto open = [this](void (LogbookWindows::*show)(Fenetre&)) {
    return [this, show] {
      if (logbook_windows_) (logbook_windows_->*show)(*this);
    };
  };
  Menu_Analyses->on_click = open(&LogbookWindows::show_tests);
  Menu_Exporter->on_click = open(&LogbookWindows::show_export);
  Menu_Importer->on_click = open(&LogbookWindows::show_import);
  Menu_Stats->on_click = open(&LogbookWindows::show_statistics);
  Menu_Rapport->on_click = open(&LogbookWindows::show_report);
}

void Fenetre::wire_chart() {
  Bout_Auj.on_click = [this] { Bout_Auj_Click(); };
  Curseur.on_change = [this] { Curseur_Change(); };
}

void Fenetre::wire_entry_panel() {
  Dialog_Date.on_key_press = [this](int& key) { Dialog_Date_KeyPress(key); };
  Dialog_Heure.on_key_press = [this](int& key) { Dialog_Heure_KeyPress(key); };
  Dialog_Taux.on_key_press = [this](int& key) { Dialog_Taux_KeyPress(key); };
  Dialog_Date.on_change = [this] { Dialog_Date_Change(); };
  Dialog_Taux.on_change = [this] { Dialog_Taux_Change(); };
  Dialog_Date.on_lost_focus = [this] { Dialog_Date_LostFocus(); };
  Dialog_Heure.on_lost_focus = [this] { Dialog_Heure_LostFocus(); };
  Dialog_Heure.on_change = [this] { Dialog_Heure_Change(); };
  Bout_Ok.on_click = [this] { Bout_Ok_Click(); };
  Bout_Cancel.on_click = [this] { Bout_Cancel_Click(); };
}

void Fenetre::wire_tooltips() {
  // Tooltips follow the language, and the unit's ones the unit, at the moment the mouse passes.
  auto tip = [this](form::Control& control, const Bilingual& texts) {
    control.on_mouse_move = [this, &control, texts](double, double) {
      control.tooltip = std::string(texts.in(Langue));
    };
  };
  auto unit_tip = [this](form::Control& control, Bilingual UnitCaptions::*hint) {
    control.on_mouse_move = [this, &control, hint](double, double) {
      control.tooltip = std::string((unit_captions(settings.Unite).*hint).in(Langue));
    };
  };
  tip(Bout_Auj, text::kTodayTip);
  tip(Dialog_Date, text::kEntryDateTip);
  tip(Dialog_Heure, text::kEntryTimeTip);
  tip(Dialog_Note, text::kEntryNoteTip);
  tip(Bout_Ok, text::kEntryOkTip);
  tip(Bout_Cancel, text::kEntryCancelTip);
  unit_tip(Aff_Resultat, &UnitCaptions::readout_hint);
  unit_tip(Dialog_Taux, &UnitCaptions::level_hint);
  // The chart's tip is written in French with the chart, so only English replaces it.
  chart.Graphique.on_mouse_move = [this](double, double) {
    if (Langue != 1) chart.Graphique.tooltip = std::string(text::kChartTip.en);
  };
  gauge.Img_Therm.on_mouse_move = [this](double, double) { gauge.Img_Therm_MouseMove(Langue); };
}

// ---- Helpers ----

View Fenetre::current_view() const {
  if (Menu_Sem->checked) return View::DayWeek;
  if (Menu_Mois->checked) return View::WeekMonth;
  return View::MonthYear;
}

Answer Fenetre::ask(std::string_view text, Buttons buttons, Icon icon, std::string_view title) {
  const Answer answer =
      platform_.dialogs.message_box(std::string(text), buttons, icon, std::string(title));
  // The answer's code as the message box gives it: 6 Yes, 7 No, 2 Cancel, 1 OK.
  Reponse.assign(1, answer == Answer::Yes      ? '6'
                    : answer == Answer::No     ? '7'
                    : answer == Answer::Cancel ? '2'
                                               : '1');
  return answer;
}

void Fenetre::tell(std::string_view text, std::string_view title) {
  platform_.dialogs.message_box(std::string(text), Buttons::Ok, Icon::None, std::string(title));
}

bool Fenetre::written(const std::optional<std::string>& error, const std::filesystem::path& path) {
  if (!error) return true;
  report_file(path, *error, {});
  return false;
}

void Fenetre::report_file(const std::filesystem::path& path, std::string_view what,
                          std::string_view consequence) {
  std::string text = path.string() + "\n\n" + std::string(what);
  if (!consequence.empty()) text += "\n\n" + std::string(consequence);
  platform_.dialogs.message_box(text, Buttons::Ok, Icon::Exclamation,
                                std::string(text::kProgramTitle.in(Langue)));
}

platform::Serial Fenetre::today() const {
  return platform_.clock.today();
}

int Fenetre::this_year() const {
  return platform::year_of(today());
}

std::string Fenetre::date_text(platform::Serial date, std::string_view picture) const {
  return format_local_date(date, picture, platform_.locale.date_separator());
}

std::string Fenetre::today_short() const {
  return date_text(today(), Format_Date_Syst);
}

std::string Fenetre::today_dd_mm_yy() const {
  return date_text(today(), "dd/mm/yy");
}

std::optional<platform::Serial> Fenetre::read_date(std::string_view text) const {
  return platform::parse_date(text, this_year());
}

platform::Serial Fenetre::aff_date_value() const {
  return read_date(Aff_Date.caption).value_or(today());
}

void Fenetre::set_text_if_changed(form::TextBox& box, std::string text) {
  if (box.text() != text) box.set_text(std::move(text));
}

double Fenetre::unit_maximum() const {
  return unit_info(settings.Unite).maximum;
}

}  // namespace sugarlog
