#pragma once
// Texts of the tests window, of export and of import, French and English side by side.
#include "sugarlog/texts/messages.h"

namespace sugarlog::text {

// Menu items after the File menu's own, and the windows they open.
inline constexpr Bilingual kMenuTests{"&Analyses...", "&Tests..."};
inline constexpr Bilingual kMenuExport{"&Exporter...", "&Export..."};
inline constexpr Bilingual kMenuImport{"Imp&orter...", "&Import..."};
inline constexpr Bilingual kTestsTitle{"Analyses", "Tests"};
inline constexpr Bilingual kExportTitle{"Exporter les analyses", "Export the tests"};
inline constexpr Bilingual kImportTitle{"Importer des analyses", "Import tests"};

// Columns of the tests table.
inline constexpr Bilingual kColumnDate{"Date", "Date"};
inline constexpr Bilingual kColumnTime{"Heure", "Time"};
inline constexpr Bilingual kColumnLevel{"Taux", "Level"};
inline constexpr Bilingual kColumnNote{"Note", "Note"};

// Buttons and questions of the tests window.
inline constexpr Bilingual kAddRow{"&Ajouter", "&Add"};
inline constexpr Bilingual kDeleteRows{"&Supprimer", "&Delete"};
inline constexpr Bilingual kUndo{"&Défaire", "&Undo"};
inline constexpr Bilingual kDropChanges{"Abandonner les modifications des analyses?",
                                        "Drop the changes made to the tests?"};
inline constexpr Bilingual kFutureRefused{"Une analyse ne peut pas être datée dans le futur.",
                                          "A test cannot be dated in the future."};
inline constexpr Bilingual kTableFull{
    "Le carnet contient déjà 5000 analyses, le maximum: supprimez-en avant d'en ajouter.",
    "The logbook already holds 5000 tests, the most it can hold: delete some before adding."};

// Export.
inline constexpr Bilingual kExportAll{"Toutes les analyses", "All tests"};
inline constexpr Bilingual kExportFrom{"Du", "From"};
inline constexpr Bilingual kExportTo{"au", "to"};
inline constexpr Bilingual kExportWritten{" analyses exportées dans ", " tests exported to "};
inline constexpr Bilingual kExportUnreadable{" analyses illisibles n'ont pas été exportées.",
                                             " unreadable tests were not exported."};
inline constexpr Bilingual kCsvFiles{"Fichiers CSV (*.csv)", "CSV files (*.csv)"};

// Import: what the user is asked.
inline constexpr Bilingual kIncludeHistory{
    "Importer aussi l'historique du capteur (toutes les 15 minutes)",
    "Also import the sensor's history (every 15 minutes)"};
inline constexpr Bilingual kAskDayOrder{
    "Les dates de ce fichier peuvent se lire jour/mois ou mois/jour. Le jour vient-il en "
    "premier?",
    "The dates of this file can be read day/month or month/day. Does the day come first?"};
inline constexpr Bilingual kAskUnit{"Unité des taux de ce fichier:",
                                    "Unit of the levels in this file:"};
inline constexpr Bilingual kDryRun{"Rien n'a été changé: --yes applique l'importation.",
                                   "Nothing was changed: --yes applies the import."};
inline constexpr Bilingual kApplyQuestion{"Appliquer et sauvegarder?", "Apply and save?"};

// Import: the summary.
inline constexpr Bilingual kSummaryAdded{"Analyses à ajouter: ", "Readings to add: "};
inline constexpr Bilingual kSummaryDuplicates{"Déjà dans le carnet (ignorées): ",
                                              "Already in the logbook (skipped): "};
inline constexpr Bilingual kSummaryRefused{"Refusées: ", "Refused: "};
inline constexpr Bilingual kSummaryLeftOut{
    "Laissées de côté, les plus anciennes, car le carnet ne peut dépasser 5000 analyses: ",
    "Left out, the oldest ones, as the logbook cannot pass 5000 tests: "};
inline constexpr Bilingual kSummaryHistory{"Historique du capteur non importé: ",
                                           "Sensor history not imported: "};
inline constexpr Bilingual kSummaryMore{"et ", "and "};
inline constexpr Bilingual kSummaryOthers{" autres", " more"};

// Import: why a whole file is refused.
inline constexpr Bilingual kEmptyFile{"le fichier est vide", "the file is empty"};
inline constexpr Bilingual kBinaryFile{"données binaires: ce n'est pas un fichier texte",
                                       "binary data: this is not a text file"};
inline constexpr Bilingual kUnknownColumns{
    "aucune colonne de date et de taux de glucose reconnue: ce n'est pas un export de "
    "lectures",
    "no columns of dates and glucose levels found: this is not an export of readings"};
inline constexpr Bilingual kUnclosedQuote{"guillemet jamais refermé",
                                          "a quoted field is never closed"};
inline constexpr Bilingual kStrayQuote{"guillemet mal placé dans un champ",
                                       "a double quote in the middle of a field"};
inline constexpr Bilingual kUnitUnknown{
    "l'unité des taux n'est pas nommée (ex. \"Glucose (mg/dL)\" dans l'en-tête)",
    "the unit of the levels is not named (e.g. \"Glucose (mg/dL)\" in the header)"};

// Import: why one reading is refused.
inline constexpr Bilingual kBadDate{"date illisible", "not a date"};
inline constexpr Bilingual kImpossibleDate{"date impossible", "impossible date"};
inline constexpr Bilingual kTwoDigitYear{"année à deux chiffres (écrivez l'année entière)",
                                         "two-digit year (write the year in full)"};
inline constexpr Bilingual kBadTime{"heure illisible", "not a time"};
inline constexpr Bilingual kMissingFields{"colonnes manquantes", "columns missing"};
inline constexpr Bilingual kNotANumber{"le taux n'est pas un nombre", "the level is not a number"};
inline constexpr Bilingual kLevelRange{"taux hors limites (plus de 0, au plus ",
                                       "level out of range (above 0, at most "};
inline constexpr Bilingual kBadUnit{"unité inconnue", "unknown unit"};
inline constexpr Bilingual kFutureDate{"date dans le futur", "dated in the future"};

}  // namespace sugarlog::text
