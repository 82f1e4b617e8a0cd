#pragma once
// Every text of the logbook that exists in French and in English, side by side. A text is chosen
// by the language flag when it is shown.
#include <cstdint>
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
    "Cette ligne ne peut pas être lue comme une analyse (date, heure ou taux).\n\nLe fichier "
    "tel quel sera gardé dans Diabete.dbk.bak avant la prochaine sauvegarde.",
    "This line cannot be read as a test (date, time or level).\n\nThe file as it is will be "
    "kept as Diabete.dbk.bak before the next save."};
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
