#pragma once
// The chart of glucose levels against time: its controls, its scale and its partitions.
// x runs from 0 to 3650 (the right edge is the most recent moment shown), y from 0 at the top to
// 1300 at the bottom, 52 twips per mmol/l.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/form.h"
#include "sugarlog/store/units.h"

namespace sugarlog {

inline constexpr double kChartRight = 3650;
inline constexpr double kChartBottom = 1300;
inline constexpr double kTwipsPerLevel = 52;
inline constexpr platform::Colour kChartBlack = platform::kBlack;
inline constexpr platform::Colour kChartGrey = platform::rgb(192, 192, 192);

// Height of a level on the chart: level 0 on the bottom edge, 25 mmol/l (450 mg/dl, 6.25 g/l) on
// the top edge.
double level_height(double level, double facteur_unite);

// The three views of the History menu; the checked menu item is the view.
enum class View { DayWeek, WeekMonth, MonthYear };

// Values of Titre_AxeX, which names the axis titles on show.
inline constexpr std::int16_t kTitlesDayWeek = 7;
inline constexpr std::int16_t kTitlesWeekMonth = 1;
inline constexpr std::int16_t kTitlesMonthYear = 12;

// Labels made with the window and numbered from 1, named "Base(i)".
class LabelArray {
 public:
  LabelArray(form::Container& parent, const std::string& base, int count);
  form::Label& operator[](int index) { return *labels_.at(index - 1); }
  const form::Label& operator[](int index) const { return *labels_.at(index - 1); }
  int count() const { return static_cast<int>(labels_.size()); }

 private:
  std::vector<std::unique_ptr<form::Label>> labels_;
};

// Values of Direction_Defilement, the direction of the last cursor move.
inline constexpr std::int16_t kNoMove = 0;
inline constexpr std::int16_t kMoveBack = 1;
inline constexpr std::int16_t kMoveForward = 2;

// Chart state kept between drawings.
struct ChartFrame {
  int Largeur_Partition = 521;       // width of one partition, twips
  int Qte_Partitions = 7;            // partitions across the chart
  std::int16_t Epaisseur_Ligne = 2;  // border width of every plot line
  int Prochaine_Ligne = 0;           // next plot line to create; 0 when the chart is empty
  std::int16_t Raccord_Droit = 1;    // 1: join the first plot line at the right edge
  std::int16_t Titre_AxeX = kTitlesDayWeek;

  // The plot of one redraw, partition by partition from the right edge.
  int No_Partition = 0;      // partition being drawn, 1 = rightmost
  int Tests_Partition = 0;   // tests in the partition being drawn
  int Y_Premiere = 0;        // y of the left end of the segment drawn in partition 1
  int Y_Derniere = 0;        // y of the left end of the last segment drawn
  int Partitions_Vides = 0;  // partitions left undrawn at the left end when the tests ran out
  int Mois_Courant = 0;      // month of the partition being drawn (Month/Year); 0 = not known

  // The last cursor move.
  std::int16_t Direction_Defilement = kNoMove;
  int Pas_Curseur = 0;                // signed size of the move, negative = back in time
  platform::Serial Premier_Jour = 0;  // leftmost day of the Day/Week screen
  platform::Serial Date_Jour = 0;     // working date while the weekdays are written

  std::string Note_Affichee;  // the note label as the read-out last set it
  int Compte_Resultats = 0;   // tests counted by the summary since its reset
};

// The chart's controls: the picture box with its objective and plot lines, the labels around it
// and the results frame below it.
class ChartControls {
 public:
  ChartControls(form::Container& window, platform::SurfaceFactory& surfaces);

  form::PictureBox Graphique;
  form::Line Objectif1;
  form::Line Objectif2;
  // Element 0 is the hidden template every plot line starts as a copy of.
  form::ControlArray<form::Line> Ligne;

  LabelArray Aff_Niveau;  // level graduations, 1 at the bottom
  form::Label Aff_mmol;   // unit label

  LabelArray Aff_Jour;  // Day/Week titles
  form::Label Aff_Mois_Jr1;
  form::Label Aff_Nom_Mois;
  form::Label Aff_Mois_Dernier_Jr;
  LabelArray Aff_Mois;  // Month/Year titles

  form::Label Aff_Moyenne;

  form::Frame Cadre_Resultats;
  form::Label Aff_Optimal;
  form::Label Aff_Suboptimal;
  form::Label Aff_Compromis;
  form::Label Aff_Res_Optim;
  form::Label Aff_Res_Sub_Optim;
  form::Label Aff_Res_Compro;
};

// Partition width, count and line width for a view.
void Partitions_Graphiques(ChartFrame& frame, View view);
// Removes every plot line; an empty chart stays as it is.
void Effacer_Graph(ChartFrame& frame, ChartControls& chart);
// Hides the axis titles Titre_AxeX names.
void Effacer_Titre_AxeX(const ChartFrame& frame, ChartControls& chart);
// The two grey objective lines at the heights of 7 and 4 mmol/l, whatever the unit.
void Lignes_Objectif(ChartControls& chart);
// The chart's background (black; light grey while the add-test panel is open).
void set_chart_background(ChartControls& chart, platform::Colour colour);
// The unit label and the five graduations of a unit.
void write_unit_labels(ChartControls& chart, int unite);

// The number a level text holds, written with the system's decimal separator ("07,5" is 7.5 with
// a comma separator); the chart's heights, averages and result classes all read levels this way.
double level_number(std::string_view taux, std::string_view sep_decimal);

// A level text as the read-out shows it: read as a number in the system's form and written with
// the unit's picture; an empty text stays empty.
std::string shown_level(std::string_view taux, const UnitState& units);

// The lowest useful cursor value for tests spanning `span` days up to today (32773 - span), kept
// inside the scroll bar's range whatever the span: a test dated further back than the cursor can
// reach, or a span that comes out negative, must not push it out.
int cursor_minimum(int span);

}  // namespace sugarlog
