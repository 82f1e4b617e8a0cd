#include "sugarlog/texts/captions.h"

#include <initializer_list>

#include "sugarlog/store/units.h"
#include "sugarlog/texts/exchange_texts.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog {

namespace {

constexpr std::array<CaptionRow, 32> kFrenchCaptions{{
    {"Menu_Fichier", "&Fichier"},
    {"Menu_Sauve", "&Sauvegarder"},
    {"Menu_Prev", "&Prévisualiser (via NotePad)"},
    {"Menu_Impr_Graph", "&Imprimer Graphique"},
    {"Menu_Quitter", "&Quitter"},
    {"Menu_Ajouter", "&Ajouter analyse"},
    {"Menu_Note", "&Ajoûter note"},
    {"Menu_Sang", "&Sanguine"},
    {"Menu_Annuler", "&Retour"},
    {"Menu_Historique", "&Historique"},
    {"Menu_Eff", "&Effacer données"},
    {"Menu_Sem", "&Jour/Semaine"},
    {"Menu_Test", "&Analyse"},
    {"Menu_Mois", "&Semaine/Mois"},
    {"Menu_Annee", "&Mois/Année"},
    {"Menu_Aide", "&Aide"},
    {"Menu_Apropos", "&A propos..."},
    {"Fenetre", "Moniteur de glycémie"},
    {"Aff_Moyenne", "(moyenne)"},
    {"Cadre_Resultats", "Résultats"},
    {"Aff_Optimal", "Optimaux:"},
    {"Aff_Suboptimal", "Suboptimaux:"},
    {"Aff_Compromis", "Compromis:"},
    {"Aff_Dial_Heure", "Heure"},
    {"Aff_Dial_Taux", "Taux"},
    {"Bout_Cancel", "Annuler"},
    {"Menu_Res", "Résultats à jeun?"},
    {"Menu_Analyses", text::kMenuTests.fr},
    {"Menu_Exporter", text::kMenuExport.fr},
    {"Menu_Importer", text::kMenuImport.fr},
    {"Menu_Rapport", text::kMenuReport.fr},
    {"Menu_Stats", text::kMenuStatistics.fr},
}};

constexpr std::array<UnitCaptions, 3> kUnitCaptions{{
    {{"5", "10", "15", "20", "25"},
     " >= 4 ",
     " <7 ",
     " >= 7 ",
     " <10 ",
     " >= 10 ",
     "maximum  <25",
     {"Votre taux de glucose (max. 25)", "Your glucose level (max. 25)"},
     {"Normal, si entre 4 et 7", "Normal, if between 4 and 7"}},
    {{"90", "180", "270", "360", "450"},
     " >= 72 ",
     " <126 ",
     " >= 126 ",
     " <180 ",
     " >= 180 ",
     "maximum  <450",
     {"Votre taux de glucose (max. 450)", "Your glucose level (max. 450)"},
     {"Normal, si entre 72 et 126", "Normal, if between 72 and 126"}},
    {{"1", "2", "3", "4", "5"},
     " >= 0.8 ",
     " <1.26 ",
     " >= 1.25 ",
     " <2.0 ",
     " >= 2.0 ",
     "maximum  <7",
     {"Votre taux de glucose (max. 6)", "Your glucose level (max. 6)"},
     {"Normal, si entre 0.8 et 2.5", "Normal, if between 0.8 and 2.5"}},
}};

std::string joined(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) out += part;
  return out;
}

}  // namespace

std::span<const CaptionRow> french_captions() {
  return kFrenchCaptions;
}

const UnitCaptions& unit_captions(int unite) {
  return kUnitCaptions[known_unit(unite)];
}

std::array<std::string, 3> result_class_items(int unite, std::int16_t langue,
                                              std::string_view optimal, std::string_view suboptimal,
                                              std::string_view compromise) {
  const UnitCaptions& c = unit_captions(unite);
  const std::string_view word = text::kAnd.in(langue);
  const std::string_view unit = unit_info(unite).name;
  return {joined({optimal, c.optimal_from, word, c.optimal_to, unit}),
          joined({suboptimal, c.suboptimal_from, word, c.suboptimal_to, unit}),
          joined({compromise, c.compromise_from, unit})};
}

}  // namespace sugarlog
