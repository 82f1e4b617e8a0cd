#include "sugarlog/charts/chart_frame.h"

#include <algorithm>

#include "platform/core/number.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/texts/messages.h"

namespace sugarlog {

namespace {

constexpr platform::Colour kObjectiveGrey = platform::rgb(128, 128, 128);
constexpr double kTitleTop = 935;
constexpr double kLastTitleTop = 900;
constexpr double kLabelHeight = 240;

void place(form::Label& label, double left, double top, double width) {
  label.set_bounds(left, top, width, kLabelHeight);
}

void place_level_labels(LabelArray& labels) {
  constexpr double kTops[] = {2205, 1980, 1740, 1485, 1215};
  for (int i = 1; i <= labels.count(); ++i) place(labels[i], 4440, kTops[i - 1], 420);
}

// Titles are short names on coloured faces, centred on them.
void place_title(form::Label& label, double left, double top, double width) {
  place(label, left, top, width);
  label.alignment = form::Align::Centre;
  label.word_wrap = false;
}

void place_day_titles(LabelArray& labels) {
  for (int i = 1; i <= labels.count(); ++i) {
    place_title(labels[i], 630 + 540 * (i - 1), i == labels.count() ? kLastTitleTop : kTitleTop,
                375);
  }
}

void place_month_titles(LabelArray& labels) {
  constexpr double kLefts[] = {675, 945, 1260, 1575, 1890, 2205, 2520, 2835, 3150, 3465, 3780};
  for (int i = 1; i < labels.count(); ++i) place_title(labels[i], kLefts[i - 1], kTitleTop, 285);
  place_title(labels[labels.count()], 4095, kLastTitleTop, 510);
}

void hide_all(LabelArray& labels) {
  for (int i = 1; i <= labels.count(); ++i) labels[i].visible = false;
}

void place_objective(form::Line& line, double y) {
  line.x1 = 0;
  line.x2 = kChartRight;
  line.y1 = line.y2 = y;
  line.border_colour = kObjectiveGrey;
}

}  // namespace

double level_height(double level, double facteur_unite) {
  return kChartBottom - level / facteur_unite * kTwipsPerLevel;
}

LabelArray::LabelArray(form::Container& parent, const std::string& base, int count) {
  for (int i = 1; i <= count; ++i) {
    labels_.push_back(std::make_unique<form::Label>(&parent, base + "(" + std::to_string(i) + ")"));
  }
}

ChartControls::ChartControls(form::Container& window, platform::SurfaceFactory& surfaces)
    : Graphique(&window, "Graphique", surfaces),
      Objectif1(&Graphique, "Objectif1"),
      Objectif2(&Graphique, "Objectif2"),
      Ligne(&Graphique, "Ligne"),
      Aff_Niveau(window, "Aff_Niveau", 5),
      Aff_mmol(&window, "Aff_mmol", "mmol/l"),
      Aff_Jour(window, "Aff_Jour", 7),
      Aff_Mois_Jr1(&window, "Aff_Mois_Jr1", "1"),
      Aff_Nom_Mois(&window, "Aff_Nom_Mois"),
      Aff_Mois_Dernier_Jr(&window, "Aff_Mois_Dernier_Jr"),
      Aff_Mois(window, "Aff_Mois", 12),
      Aff_Moyenne(&window, "Aff_Moyenne", "(average)"),
      Cadre_Resultats(&window, "Cadre_Resultats", "Résultats"),
      Aff_Optimal(&Cadre_Resultats, "Aff_Optimal", "Optimal:"),
      Aff_Suboptimal(&Cadre_Resultats, "Aff_Suboptimal", "Suboptimal:"),
      Aff_Compromis(&Cadre_Resultats, "Aff_Compromis", "Compromise:"),
      Aff_Res_Optim(&Cadre_Resultats, "Aff_Res_Optim"),
      Aff_Res_Sub_Optim(&Cadre_Resultats, "Aff_Res_Sub_Optim"),
      Aff_Res_Compro(&Cadre_Resultats, "Aff_Res_Compro") {
  Graphique.set_bounds(675, 1215, 3720, 1320);
  set_chart_background(*this, kChartBlack);
  Graphique.tooltip = std::string(text::kChartTip.fr);
  Lignes_Objectif(*this);

  form::Line& model = Ligne.load(0);
  model.x1 = kChartRight;
  model.y1 = kChartBottom;
  model.x2 = 3665;
  model.y2 = 1315;
  model.visible = false;

  place_level_labels(Aff_Niveau);
  write_unit_labels(*this, kMmolL);
  place(Aff_mmol, 2160, 180, 900);

  place_day_titles(Aff_Jour);
  place(Aff_Mois_Jr1, 630, kTitleTop, 375);
  place(Aff_Nom_Mois, 1890, kTitleTop, 1320);
  Aff_Nom_Mois.alignment = form::Align::Centre;
  place_title(Aff_Mois_Dernier_Jr, 4005, kTitleTop, 375);
  place_month_titles(Aff_Mois);
  hide_all(Aff_Jour);
  hide_all(Aff_Mois);
  Aff_Mois_Jr1.visible = Aff_Nom_Mois.visible = Aff_Mois_Dernier_Jr.visible = false;

  place(Aff_Moyenne, 810, 630, 1200);
  Aff_Moyenne.visible = false;

  Cadre_Resultats.set_bounds(45, 2850, 4830, 1110);
  const double rows[] = {300, 570, 840};
  form::Label* names[] = {&Aff_Optimal, &Aff_Suboptimal, &Aff_Compromis};
  form::Label* counts[] = {&Aff_Res_Optim, &Aff_Res_Sub_Optim, &Aff_Res_Compro};
  for (int i = 0; i < 3; ++i) {
    place(*names[i], 630, rows[i], 1500);
    place(*counts[i], 2220, rows[i], 900);
  }
}

void Partitions_Graphiques(ChartFrame& frame, View view) {
  switch (view) {
    case View::DayWeek:
      frame.Largeur_Partition = 521;
      frame.Qte_Partitions = 7;
      frame.Epaisseur_Ligne = 2;
      break;
    case View::WeekMonth:
      frame.Largeur_Partition = 3650;
      frame.Qte_Partitions = 1;
      frame.Epaisseur_Ligne = 2;
      break;
    case View::MonthYear:
      frame.Largeur_Partition = 304;
      frame.Qte_Partitions = 12;
      frame.Epaisseur_Ligne = 1;
      break;
  }
}

void Effacer_Graph(ChartFrame& frame, ChartControls& chart) {
  const int plotted = frame.Prochaine_Ligne - 1;
  if (plotted < 1) {
    frame.Prochaine_Ligne = 0;
    return;
  }
  chart.Aff_Moyenne.visible = false;
  // The newest lines first: each is then the last of the chart's children.
  for (int i = plotted; i >= 1; --i) chart.Ligne.unload(i);
  chart.Ligne[0].y1 = kChartBottom;
  frame.Prochaine_Ligne = 0;
  frame.Raccord_Droit = 1;
}

void Effacer_Titre_AxeX(const ChartFrame& frame, ChartControls& chart) {
  if (frame.Titre_AxeX == kTitlesDayWeek) {
    hide_all(chart.Aff_Jour);
  } else if (frame.Titre_AxeX == kTitlesWeekMonth) {
    chart.Aff_Mois_Jr1.visible = false;
    chart.Aff_Nom_Mois.visible = false;
    chart.Aff_Mois_Dernier_Jr.visible = false;
  } else {
    hide_all(chart.Aff_Mois);
  }
}

void Lignes_Objectif(ChartControls& chart) {
  place_objective(chart.Objectif1, 936);
  place_objective(chart.Objectif2, 1092);
}

void set_chart_background(ChartControls& chart, platform::Colour colour) {
  chart.Graphique.back_colour = colour;
  chart.Graphique.surface().set_back_colour(colour);
  chart.Graphique.surface().clear();
  chart.Graphique.image_changed();
}

void write_unit_labels(ChartControls& chart, int unite) {
  const UnitCaptions& captions = unit_captions(unite);
  chart.Aff_mmol.caption = std::string(unit_info(unite).name);
  for (int i = 1; i <= chart.Aff_Niveau.count(); ++i) {
    chart.Aff_Niveau[i].caption = std::string(captions.level_labels[i - 1]);
  }
}

double level_number(std::string_view taux, std::string_view sep_decimal) {
  if (sep_decimal.empty() || sep_decimal == "." || taux.find(sep_decimal) == taux.npos) {
    return platform::val(taux);
  }
  std::string number(taux);
  for (std::size_t at = number.find(sep_decimal); at != std::string::npos;
       at = number.find(sep_decimal, at + 1)) {
    number.replace(at, sep_decimal.size(), ".");
  }
  return platform::val(number);
}

std::string shown_level(std::string_view taux, const UnitState& units) {
  if (taux.empty()) return {};
  return units.format(level_number(taux, units.Sep_Decimal));
}

int cursor_minimum(int span) {
  return std::clamp(32773 - span, 0, 32767);
}

}  // namespace sugarlog
