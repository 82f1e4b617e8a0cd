#pragma once
// The logbook's one window: menus, chart, thermometer, read-out and the add-test panel, with one
// method per handler and the steps they share. It owns the test table and every setting while
// the program runs.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/date.h"
#include "platform/core/form.h"
#include "platform/core/services.h"
#include "sugarlog/charts/chart_frame.h"
#include "sugarlog/charts/plot.h"
#include "sugarlog/meter/thermometer.h"
#include "sugarlog/online/online_extras.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/settings_file.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"
#include "sugarlog/texts/messages.h"
#include "sugarlog/window/logbook_windows.h"

namespace sugarlog {

// The right end of the chart cursor stands for today.
inline constexpr int kCursorToday = 32767;

class Fenetre : public form::Form {
 public:
  // program_folder holds Diabete.dbk; settings_folder holds sugarlog.ini.
  Fenetre(platform::Platform platform, const std::filesystem::path& program_folder,
          const std::filesystem::path& settings_folder);

  // ---- Start-up, saving and quitting ----
  void Form_Load();
  // Starts reading the logbook for the coming Form_Load on another thread: the caller builds the
  // window meanwhile.
  void preload_logbook();
  void Form_Unload();
  void Menu_Quitter_Click();
  void Quitter_Sugarlog();
  void Menu_Sauve_Click();
  void Menu_Prev_Click();
  void Menu_Eff_Click();  // the erase command
  void Effacer_Donnees();

  // ---- Units ----
  void Menu_OptMM_Click();
  void Menu_OptMG_Click();
  void Menu_OptG_Click();
  void Verrouiller();
  void Barrer_Options();
  void Correspondance();
  void Affichager_Le_Taux();

  // ---- Main window state ----
  void Reset();
  void Re_Executer();
  void Aujourdhui();
  void Bout_Auj_Click();
  void Afficher_Heure();
  void Timer_Heure_Timer();
  void Form_KeyDown(int key, int shift);
  void Desactiver_Menu();
  void Re_Activer_Menu();
  void Donnees_Presentes();
  void Traduction();

  // ---- The chart: views, redraw and cursor ----
  void Menu_Sem_Click();
  void Menu_Mois_Click();
  void Menu_Annee_Click();
  void Choix_Annee();
  void Mois_Sem();
  void Curseur_Change();

  // ---- Return from a measuring mode ----
  void Menu_Annuler_Click();
  void Fin_Animation();
  void Timer_Joyst_Timer();

  // ---- The add-test panel ----
  void Menu_Ajouter_Click();
  void Dialog_Date_KeyPress(int& key);
  void Dialog_Heure_KeyPress(int& key);
  void Dialog_Taux_KeyPress(int& key);
  void Dialog_Date_Change();
  void Dialog_Taux_Change();
  void Dialog_Date_LostFocus();
  void Dialog_Heure_LostFocus();
  void Dialog_Heure_Change();
  void Verifier_Entree();
  void Valider_Date_Hre();
  void Valider_Entree();
  void Bout_Ok_Click();
  void Bouton_Ok();
  void Bout_Cancel_Click();
  void Afficher_Thermometre();

  // ---- Help screens, and printing the window ----
  void Menu_Import_Click();
  void Menu_TroisMois_Click();
  void Menu_An_Click();
  void Menu_Apropos_Click();
  void Menu_Impr_Graph_Click();
  void Timer_Camera_Timer();
  void Img_Cam1_Click();
  void Img_Cam2_Click();
  void Image_Camera();

  // Where the menus beyond the main window's own open their windows; none in headless use.
  void set_logbook_windows(LogbookWindows* windows) { logbook_windows_ = windows; }
  // The tests window's OK and an accepted import: the table becomes `tests` and is saved at once
  // as File > Save saves, the file as it was kept as Diabete.dbk.bak. False when it could not be
  // written (told already): the tests stay in memory with "&Save" enabled.
  bool save_tests(const TestTable& tests);
  // The unit code, the system's decimal and date separators, today.
  int unite() const { return settings.Unite; }
  const platform::Platform& services() const { return platform_; }

  // The view the History menu has checked.
  View current_view() const;
  // What the chart shows now, in words, in the window's language.
  std::string chart_description() const;
  const std::filesystem::path& data_path() const { return data_file_.path(); }
  const std::filesystem::path& settings_path() const { return settings_file_.path(); }
  // The chart's steps (plotting, titles, summary), working on this window's state.
  ChartPlot& plot() { return plot_; }

  // ---- State ----
  TestTable table;
  UnitState units;
  Settings settings;  // Unite, Verrou, Anim
  ChartFrame frame;
  std::int16_t Langue = 0;
  std::string Rep_Programme;
  platform::Serial Date_Graphique = 0;
  std::string Format_Date_Syst;
  std::int16_t Params_Modifies = 0;
  std::string Reponse;
  std::int16_t Graphique_Actif = 0;
  std::int32_t Position_Test = 0;
  std::int32_t Etendue_Jours = 0;
  std::int32_t Curseur_Minimum = 0;
  std::int16_t Curseur_Precedent = kCursorToday;
  std::int16_t Saisie_En_Cours = 0;
  bool accepting_ = false;  // OK is running its checks
  std::int16_t Erreur_Saisie = 0;
  std::string Taux_Texte;
  platform::Serial Date_Saisie = 0;  // the date box as the live check last read it
  std::int32_t Index_Note = 0;

  // ---- Controls, in the order they are stacked ----
  Thermometer gauge;
  ChartControls chart;
  form::Label Aff_Resultat;
  form::Label Aff_Date;
  form::Label Aff_Heure;
  form::ScrollBar Curseur;
  form::Button Bout_Auj;
  form::Label Information;
  form::Label Aff_Langue;
  form::Label Aff_Anim;
  form::PictureBox Calibrateur;
  form::PictureBox Animation;
  form::Image Img_Cam1;  // the two frames of the blinking print icon
  form::Image Img_Cam2;

  form::Frame Cadre_Ajouter;
  form::Label Aff_Dial_Date;
  form::Label Aff_Dial_Heure;
  form::Label Aff_Dial_Taux;
  form::Label Aff_Dial_Note;
  form::TextBox Dialog_Date;
  form::TextBox Dialog_Heure;
  form::TextBox Dialog_Taux;
  form::TextBox Dialog_Note;
  form::Button Bout_Ok;
  form::Button Bout_Cancel;

  form::Timer Timer_Heure;
  form::Timer Timer_Joyst;
  form::Timer Timer_Anim;
  form::Timer Timer_Camera;
  form::Timer Timer_Analyse;
  form::Timer Timer_Calibration;
  form::Timer Timer_Attente;
  form::Timer Timer_Ping;

  // The connection check, the picture of the day and the site's page.
  OnlineExtras online;

  // ---- Menus ----
  form::MenuItem* Menu_Fichier = nullptr;
  form::MenuItem* Menu_Sauve = nullptr;
  form::MenuItem* Menu_Ligne0 = nullptr;
  form::MenuItem* Menu_Prev = nullptr;
  form::MenuItem* Menu_Ligne1 = nullptr;
  form::MenuItem* Menu_Impr_Graph = nullptr;
  form::MenuItem* Menu_Ligne2 = nullptr;
  form::MenuItem* Menu_Quitter = nullptr;
  form::MenuItem* Menu_Ligne2c = nullptr;
  form::MenuItem* Menu_Analyses = nullptr;  // the tests window
  form::MenuItem* Menu_Exporter = nullptr;
  form::MenuItem* Menu_Importer = nullptr;
  form::MenuItem* Menu_Rapport = nullptr;
  form::MenuItem* Menu_Option = nullptr;
  form::MenuItem* Menu_Ajouter = nullptr;
  form::MenuItem* Menu_Ligne2a = nullptr;
  form::MenuItem* Menu_Eff = nullptr;
  form::MenuItem* Menu_Ligne2b = nullptr;
  form::MenuItem* Menu_OptG = nullptr;
  form::MenuItem* Menu_OptMG = nullptr;
  form::MenuItem* Menu_OptMM = nullptr;
  form::MenuItem* Menu_Test = nullptr;
  form::MenuItem* Menu_Note = nullptr;
  form::MenuItem* Menu_Ligne3 = nullptr;
  form::MenuItem* Menu_Sang = nullptr;
  form::MenuItem* Menu_Ligne4 = nullptr;
  form::MenuItem* Menu_Calib = nullptr;
  form::MenuItem* Menu_Ligne5 = nullptr;
  form::MenuItem* Menu_Annuler = nullptr;
  form::MenuItem* Menu_Historique = nullptr;
  form::MenuItem* Menu_Sem = nullptr;
  form::MenuItem* Menu_Mois = nullptr;
  form::MenuItem* Menu_Annee = nullptr;
  form::MenuItem* Menu_Stats = nullptr;
  form::MenuItem* Menu_Aide = nullptr;
  form::MenuItem* Menu_Apropos = nullptr;
  form::MenuItem* Menu_Import = nullptr;
  form::MenuItem* Menu_Recom = nullptr;
  form::MenuItem* Menu_TroisMois = nullptr;
  form::MenuItem* Menu_An = nullptr;
  form::MenuItem* Menu_Res = nullptr;
  form::MenuItem* Menu_Res1 = nullptr;
  form::MenuItem* Menu_Res2 = nullptr;
  form::MenuItem* Menu_Res3 = nullptr;

 private:
  void build_menus();
  void lay_out();
  void lay_out_readout();
  void lay_out_cursor();
  void lay_out_entry_panel();
  void colour_controls();
  void wire_events();
  void wire_menus();
  void wire_chart();
  void wire_entry_panel();
  void wire_tooltips();
  void wire_extras();
  // Names, buddies, default and cancel buttons, and the pictures' descriptions.
  void wire_access();
  void name_controls();  // once the language is known

  // Start-up pieces.
  void Quel_Decimale();
  bool Recup_Init();  // false: the program is ending
  void Recuperer();
  void apply_unit_menu();
  void choose_unit(form::MenuItem& item, std::int16_t unite);
  // Asks what becomes of the stored levels when the unit changes; false on Cancel.
  bool convert_levels(std::int16_t from, std::int16_t to);

  // Saving; false when a file could not be written (reported already).
  bool Sauvegarder();
  bool written(const std::optional<std::string>& error, const std::filesystem::path& path);
  // Why this window never writes the logbook: another window has it, or it cannot be locked.
  void tell_read_only();
  // A message naming the file, what is wrong with it and, when given, what the program does.
  void report_file(const std::filesystem::path& path, std::string_view what,
                   std::string_view consequence);

  // Messages and answers.
  platform::Answer ask(std::string_view text, platform::Buttons buttons, platform::Icon icon,
                       std::string_view title);
  void tell(std::string_view text, std::string_view title);

  // Dates, times and texts as the window shows them.
  platform::Serial today() const;
  int this_year() const;
  std::string date_text(platform::Serial date, std::string_view picture) const;
  std::string today_short() const;
  std::string today_dd_mm_yy() const;
  std::optional<platform::Serial> read_date(std::string_view text) const;
  platform::Serial aff_date_value() const;
  void set_text_if_changed(form::TextBox& box, std::string text);
  double unit_maximum() const;
  // Pieces of the live check.
  bool date_box_complete() const;
  void update_ok_button();
  void cap_typed_level();

  platform::Platform platform_;
  SettingsFile settings_file_;
  DataFile data_file_;
  platform::Serial clock_day_ = 0;    // the day the clock label last showed
  std::string settings_error_shown_;  // the settings file's trouble, told once
  bool told_open_elsewhere_ = false;
  LogbookWindows* logbook_windows_ = nullptr;
  // The unit the data file's levels are in while a conversion to another one is not saved.
  std::optional<std::int16_t> unsaved_levels_unit_;
  ChartPlot plot_;  // made last: it refers to the state and controls above
};

}  // namespace sugarlog
