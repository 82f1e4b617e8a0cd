#pragma once
// Every text of the logbook that exists in French and in English, side by side. A text is chosen
// by the language flag when it is shown.
#include <cstdint>
#include <string>
#include <string_view>

namespace sugarlog {

struct Bilingual {
  std::string_view fr;
  std::string_view en;
  // French for the flag 1, English for anything else.
  constexpr std::string_view in(std::int16_t langue) const { return langue == 1 ? fr : en; }
};

namespace text {

// Titles.
inline constexpr Bilingual kProgramTitle{"Le Sugarlog", "The Sugarlog"};
inline constexpr std::string_view kMessageTitle = "Message";

// The History and Test menus while tests are unsaved.
inline constexpr Bilingual kSaveFirst{"Vous devez d'abord sauvegarder vos données",
                                      "You must save your actual data"};

// The offer to lock the unit just chosen.
inline constexpr Bilingual kLockOffer{
    "Voulez-vous VERROUILLER cette option?\n\nOUI = L'unité de mesure deviendra permanente et "
    "non modifiable.",
    "Do you want to LOCK this option?\n\nYES = The measure unit will be locked and unavailable."};

// Quitting: the box's text is the same for both questions, the question is its title.
inline constexpr Bilingual kBeforeQuitting{"Avant de QUITTER!", "Before QUITTING!"};
inline constexpr Bilingual kSaveSetupQuestion{"Voulez-vous sauvegarder vos paramêtres?",
                                              "Do you want to save your setup?"};
inline constexpr Bilingual kSaveDataQuestion{"Voulez-vous sauvegarder vos données?",
                                             "Do you want to save your data?"};

// The logbook is full: the add-test panel refuses the test and keeps what was typed.
inline constexpr Bilingual kLogbookFull{
    "Le carnet contient déjà 5000 analyses, le maximum.\n\nEffacez les plus anciennes "
    "(Options, Effacer données) avant d'en ajouter.",
    "The logbook already holds 5000 tests, the most it can hold.\n\nErase the oldest ones "
    "(Options, Erase data) before adding more."};

// Files that cannot be used as they are. Each is shown after the file's path.
inline constexpr Bilingual kLine{"ligne ", "line "};
inline constexpr Bilingual kOpenElsewhere{
    "Ce carnet est déjà ouvert dans une autre fenêtre du Sugarlog.\n\nIl est affiché ici en "
    "lecture seule: rien n'y sera enregistré depuis cette fenêtre.",
    "This logbook is already open in another Sugarlog window.\n\nIt is shown here read-only: "
    "nothing will be saved to it from this window."};
inline constexpr Bilingual kUnfaithfulRecord{
    "Cette ligne ne peut pas être lue comme une analyse (date, heure ou taux).",
    "This line cannot be read as a test (date, time or level)."};
inline constexpr Bilingual kUnfaithfulNote{
    "La note de cette ligne contient des guillemets ou des sauts de ligne, que le carnet "
    "enregistre en apostrophes et en espaces.",
    "The note on this line holds double quotes or line breaks, which the logbook saves as "
    "apostrophes and blanks."};
// After one of the two above: the backup the next save makes, or why it makes none.
inline std::string kept_before_save(std::string_view backup_name, std::int16_t langue) {
  if (langue == 1) {
    return "Le fichier tel quel sera gardé dans " + std::string(backup_name) +
           " avant la prochaine sauvegarde.";
  }
  return "The file as it is will be kept as " + std::string(backup_name) + " before the next save.";
}
inline constexpr Bilingual kSavedAsItStands{
    "Elle est réenregistrée telle quelle; une copie antérieure du carnet est gardée dans "
    "Diabete.dbk.bak.",
    "It is saved again as it stands; an earlier copy of the logbook is kept as Diabete.dbk.bak."};

// The logbook's folder cannot be locked; the reason is the system's.
inline std::string lock_failed_text(std::string_view reason, std::int16_t langue) {
  if (langue == 1) {
    return "Le dossier de ce carnet ne peut pas être verrouillé (" + std::string(reason) +
           "): rien n'empêcherait une autre fenêtre du Sugarlog d'enregistrer par-dessus ses "
           "analyses.\n\nIl est affiché ici en lecture seule: rien n'y sera enregistré depuis "
           "cette fenêtre.";
  }
  return "The folder of this logbook cannot be locked (" + std::string(reason) +
         "): nothing would keep another Sugarlog window from saving over its tests.\n\nIt is "
         "shown here read-only: nothing will be saved to it from this window.";
}

// A unit chosen while the logbook holds tests: convert their levels (Yes), keep the numbers
// (No) or keep the unit (Cancel).
inline std::string unit_conversion_question(std::string_view from, std::string_view to,
                                            std::string_view backup_name, std::int16_t langue) {
  const std::string was(from), now(to), backup(backup_name);
  if (langue == 1) {
    return "Le carnet contient des analyses en " + was +
           ".\n\nVoulez-vous CONVERTIR leurs taux en " + now +
           "?\n\nOUI = Chaque taux est converti (1 mmol/l = 18,016 mg/dl, 1 g/l = 100 "
           "mg/dl).\nNON = Les nombres restent tels quels (analyses entrées en " +
           now + ").\nANNULER = L'unité reste " + was + ".\n\nLe carnet tel quel sera gardé dans " +
           backup + " à la prochaine sauvegarde.";
  }
  return "The logbook holds tests in " + was + ".\n\nDo you want to CONVERT their levels to " +
         now +
         "?\n\nYES = Every level is converted (1 mmol/l = 18.016 mg/dl, 1 g/l = 100 "
         "mg/dl).\nNO = The numbers stay as they are (tests typed in " +
         now + ").\nCANCEL = The unit stays " + was +
         ".\n\nThe logbook as it is now will be kept as " + backup + " at the next save.";
}
inline constexpr Bilingual kSettingsUnreadable{
    "Les paramètres ne peuvent pas être lus; le programme utilise les paramètres par défaut et "
    "ne remplacera pas ce fichier.",
    "The settings cannot be read; the program runs on the default settings and will not write "
    "over this file."};

// Tooltips of the main window.
inline constexpr Bilingual kTodayTip{"Retour aujourd'hui", "Return today"};
inline constexpr Bilingual kChartTip{"Ligne turquoise = journée sans test",
                                     "Cyan line = day without test"};
inline constexpr Bilingual kProbeOffTip{"Dans cette version, la sonde est désactivé",
                                        "In this version, the probe is desabled"};

// The add-test panel: tooltips (the level box shows the unit's hint instead).
inline constexpr Bilingual kEntryDateTip{"La date de l'analyse (verrouillée)",
                                         "The date of the test (locked)"};
inline constexpr Bilingual kEntryTimeTip{"L'heure de l'analyse", "The time of the test"};
inline constexpr Bilingual kEntryNoteTip{"Ajout d'une note", "Add a special note"};
inline constexpr Bilingual kEntryOkTip{"Accepter les changements", "Accept modifications"};
inline constexpr Bilingual kEntryCancelTip{"Refuser les changements", "Refuse modifications"};

// The add-test panel's final check. The level message is the level label's caption, " =", two
// line feeds, the minimum line, a line feed and the unit's maximum line.
inline constexpr std::string_view kLevelEquals = " =";
inline constexpr std::string_view kLevelMinimum = "minimum  >0";
inline constexpr std::string_view kTimeEquals = " = hh:mm";
inline constexpr Bilingual kDateNotBeforeToday{
    "La date de l'analyse doit être une date valide, au plus tard aujourd'hui.",
    "The date of the test must be a valid date, today at the latest."};

// The word joining the bounds of the result classes.
inline constexpr Bilingual kAnd{"et", "and"};

// The summary frame below the chart.
inline constexpr Bilingual kResults{"Résultats", "Results"};
inline constexpr Bilingual kResultsCount{" résultats", " results"};

// The About box.
inline constexpr Bilingual kAboutSubtitle{"Carnet de glycémie", "Blood glucose logbook"};
inline constexpr Bilingual kAboutEmail{"Courriel: ", "E-mail: "};

// The picture of the day: its tooltip starts with the invitation, then the site's own text.
inline constexpr Bilingual kVisitTip{"Visitez: ", "Visit: "};
// Opening the site's web page; these exist in English only.
inline constexpr std::string_view kNoBrowser = "Could not find your default Browser";
inline constexpr std::string_view kNoBrowserTitle = "Browser Not Found";
inline constexpr std::string_view kPageNotOpened = "Web Page not Opened";
inline constexpr std::string_view kPageNotOpenedTitle = "URL Failed";

// Printing the window where no printer is installed: the page went to this file.
inline constexpr Bilingual kPrintedToFile{
    "Aucune imprimante n'est installée. La page a été enregistrée dans le fichier PDF:\n\n",
    "No printer is installed. The page was saved as a PDF file:\n\n"};

// What a screen reader says of the controls whose words do not say what they are, and of the
// pictures: the chart describes itself as "<view>, <date>. <latest test or average>. <results>."
inline constexpr Bilingual kCursorName{"Date du graphique", "Chart date"};
inline constexpr Bilingual kChartName{"Graphique de glycémie", "Glucose chart"};
inline constexpr Bilingual kGaugeName{"Thermomètre", "Thermometer"};
inline constexpr Bilingual kGaugeShows{"Niveau affiché: ", "Level shown: "};
inline constexpr Bilingual kReadoutName{"Taux affiché", "Level shown"};
inline constexpr Bilingual kPrintIconName{"Imprimer le graphique", "Print the chart"};
inline constexpr Bilingual kLatestTest{"Dernière analyse: ", "Latest test: "};
inline constexpr Bilingual kAverage{"Moyenne: ", "Average: "};
inline constexpr Bilingual kAt{" à ", " at "};
inline constexpr Bilingual kNoTest{"Aucune analyse", "No test"};

}  // namespace text
}  // namespace sugarlog
