#pragma once
// The texts of the statistics window, the report for the doctor and their command-line forms,
// French and English side by side.
#include <array>

#include "sugarlog/texts/messages.h"

namespace sugarlog::text {

// Menu items after the History and File menus' own. "&Statistiques" would share its letter with
// "&Semaine/Mois".
inline constexpr Bilingual kMenuStatistics{"S&tatistiques...", "&Statistics..."};
inline constexpr Bilingual kMenuReport{"&Rapport...", "&Report..."};

// The figures.
inline constexpr Bilingual kStatTests{"Analyses", "Tests"};
inline constexpr Bilingual kStatDays{"Jours avec analyses", "Days with tests"};
inline constexpr Bilingual kStatPerDay{"Analyses par jour", "Tests per day"};
inline constexpr Bilingual kStatMean{"Moyenne", "Mean"};
inline constexpr Bilingual kStatSd{"Écart type", "Standard deviation"};
inline constexpr Bilingual kStatCv{"Coefficient de variation", "Coefficient of variation"};
inline constexpr Bilingual kStatMedian{"Médiane", "Median"};
inline constexpr Bilingual kStatLowest{"Plus bas", "Lowest"};
inline constexpr Bilingual kStatHighest{"Plus haut", "Highest"};
inline constexpr Bilingual kStatGmi{"HbA1c estimée (GMI)", "Estimated HbA1c (GMI)"};
inline constexpr Bilingual kStatGmiNote{
    "Estimation tirée de glycémies capillaires, pas une mesure de laboratoire.",
    "An estimate from finger-stick readings, not a laboratory result."};
inline constexpr Bilingual kStatGmiTooFew{"HbA1c estimée: il faut au moins 14 jours avec analyses.",
                                          "Estimated HbA1c: needs at least 14 days with tests."};
inline constexpr Bilingual kStatUnreadable{"Analyses illisibles laissées de côté",
                                           "Unreadable tests left out"};
inline constexpr Bilingual kStatNoTest{"Aucune analyse dans cette période.",
                                       "No test in this period."};

// The ranges, lowest first; each is followed by its bounds.
inline constexpr std::array<Bilingual, 5> kRanges{{{"Très bas", "Very low"},
                                                   {"Bas", "Low"},
                                                   {"Dans la cible", "In target"},
                                                   {"Haut", "High"},
                                                   {"Très haut", "Very high"}}};
inline constexpr Bilingual kRangesTitle{"Répartition", "Ranges"};
inline constexpr Bilingual kTargetRange{"Cible", "Target range"};

// Parts of the day and weekdays, Monday first.
inline constexpr Bilingual kDayPartsTitle{"Selon l'heure", "By time of day"};
inline constexpr std::array<Bilingual, 4> kDayParts{{{"Nuit 00-06 h", "Night 00-06 h"},
                                                     {"Matin 06-12 h", "Morning 06-12 h"},
                                                     {"Après-midi 12-18 h", "Afternoon 12-18 h"},
                                                     {"Soir 18-24 h", "Evening 18-24 h"}}};
inline constexpr Bilingual kWeekdaysTitle{"Selon le jour", "By weekday"};
inline constexpr std::array<Bilingual, 7> kWeekdays{{{"Lundi", "Monday"},
                                                     {"Mardi", "Tuesday"},
                                                     {"Mercredi", "Wednesday"},
                                                     {"Jeudi", "Thursday"},
                                                     {"Vendredi", "Friday"},
                                                     {"Samedi", "Saturday"},
                                                     {"Dimanche", "Sunday"}}};
inline constexpr Bilingual kCountColumn{"Analyses", "Tests"};
inline constexpr Bilingual kMeanColumn{"Moyenne", "Mean"};

// The period and the document.
inline constexpr Bilingual kPeriod{"Période", "Period"};
inline constexpr Bilingual kPeriodTo{" au ", " to "};
inline constexpr Bilingual kUnit{"Unité", "Unit"};
inline constexpr Bilingual kPrinted{"Imprimé le", "Printed on"};
inline constexpr Bilingual kName{"Nom", "Name"};
inline constexpr Bilingual kReportTitle{"Carnet de glycémie: rapport", "Blood glucose report"};
inline constexpr Bilingual kModalDay{"Journée type (analyses selon l'heure, médiane horaire)",
                                     "Modal day (tests by time of day, hourly median)"};
inline constexpr Bilingual kDailyMeans{"Moyenne de chaque jour", "Mean of each day"};
inline constexpr Bilingual kChartKey{"Zone grisée: cible. Ligne: médiane de chaque heure.",
                                     "Shaded band: target range. Line: median of each hour."};
inline constexpr Bilingual kReportTestsTitle{"Analyses de la période, les plus récentes d'abord",
                                             "Tests of the period, newest first"};
inline constexpr Bilingual kDateColumn{"Date", "Date"};
inline constexpr Bilingual kTimeColumn{"Heure", "Time"};
inline constexpr Bilingual kLevelColumn{"Taux", "Level"};
inline constexpr Bilingual kNoteColumn{"Note", "Note"};
inline constexpr Bilingual kPage{"Page ", "Page "};
inline constexpr Bilingual kPageOf{" sur ", " of "};

// Refusals.
inline constexpr Bilingual kTargetOrder{
    "La limite basse de la cible doit être sous la limite haute.",
    "The target's low bound must lie below its high bound."};
inline constexpr Bilingual kTargetBounds{"La cible doit rester entre ",
                                         "The target range must lie between "};
inline constexpr Bilingual kBoundsAnd{" et ", " and "};

// The statistics window and the report dialog.
inline constexpr Bilingual kStatisticsTitle{"Statistiques", "Statistics"};
inline constexpr Bilingual kReportDialogTitle{"Rapport pour le médecin", "Report for the doctor"};
inline constexpr std::array<Bilingual, 5> kPeriodChoices{{{"7 derniers jours", "Last 7 days"},
                                                          {"14 derniers jours", "Last 14 days"},
                                                          {"30 derniers jours", "Last 30 days"},
                                                          {"90 derniers jours", "Last 90 days"},
                                                          {"Du ... au ...", "From ... to ..."}}};
inline constexpr Bilingual kFrom{"Du", "From"};
inline constexpr Bilingual kTo{"Au", "To"};
inline constexpr Bilingual kTargetLow{"Cible, limite basse", "Target, low bound"};
inline constexpr Bilingual kTargetHigh{"Cible, limite haute", "Target, high bound"};
inline constexpr Bilingual kKeepTarget{"&Garder la cible", "&Keep target"};
inline constexpr Bilingual kNameOptional{"Nom (facultatif)", "Name (optional)"};
inline constexpr Bilingual kSavePdf{"&Enregistrer en PDF...", "&Save as PDF..."};
inline constexpr Bilingual kPrint{"&Imprimer...", "&Print..."};
inline constexpr Bilingual kClose{"&Fermer", "&Close"};
inline constexpr Bilingual kFigures{"Chiffres de la période", "Figures of the period"};
inline constexpr Bilingual kPdfFiles{"Documents PDF (*.pdf)", "PDF documents (*.pdf)"};
inline constexpr Bilingual kReportFileName{"rapport-glycemie", "glucose-report"};
inline constexpr Bilingual kReportSaved{"Le rapport est enregistré:", "The report is saved:"};
inline constexpr Bilingual kReportNotSaved{"Le rapport n'a pas pu être enregistré:",
                                           "The report could not be saved:"};
inline constexpr Bilingual kTargetNotKept{"La cible n'a pas pu être gardée:",
                                          "The target range could not be kept:"};

}  // namespace sugarlog::text
