// What a screen reader says of the window, in its language: names for the controls whose words
// do not say what they are, the panel's labels tied to their fields, the panel's Enter and
// Escape, the print icons reachable with Tab, and the pictures saying what they show now.
#include <algorithm>

#include "sugarlog/texts/messages.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {
namespace {

// A caption as it reads: "&Day/Week" is "Day/Week", "&&" is "&".
std::string plain(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

void add_sentence(std::string& text, const std::string& sentence) {
  if (sentence.empty()) return;
  if (!text.empty()) text += ". ";
  text += sentence;
}

}  // namespace

void Fenetre::wire_access() {
  Aff_Dial_Date.buddy = &Dialog_Date;
  Aff_Dial_Heure.buddy = &Dialog_Heure;
  Aff_Dial_Taux.buddy = &Dialog_Taux;
  Aff_Dial_Note.buddy = &Dialog_Note;
  Bout_Ok.is_default = true;
  Bout_Cancel.is_cancel = true;
  Img_Cam1.takes_focus = true;
  Img_Cam2.takes_focus = true;
  chart.Graphique.describe = [this] { return chart_description(); };
  Curseur.describe = [this] { return Aff_Date.caption; };
  Aff_Resultat.describe = [this] {
    return Aff_Resultat.caption.empty() ? std::string()
                                        : Aff_Resultat.caption + " " + chart.Aff_mmol.caption;
  };
  gauge.Img_Therm.describe = [this] {
    // The column rises 66 2/3 twips per mmol/l above its zero mark.
    const double mmol = std::max(0.0, (kColumnZeroTop - gauge.top()) * 3.0 / 200.0);
    return std::string(text::kGaugeShows.in(Langue)) + units.format(mmol * units.Facteur_Unite) +
           " " + chart.Aff_mmol.caption;
  };
}

void Fenetre::name_controls() {
  Bout_Auj.accessible_name = text::kTodayTip.in(Langue);
  Curseur.accessible_name = text::kCursorName.in(Langue);
  chart.Graphique.accessible_name = text::kChartName.in(Langue);
  gauge.Thermometre.accessible_name = text::kGaugeName.in(Langue);
  gauge.Img_Therm.accessible_name = text::kGaugeName.in(Langue);
  Aff_Resultat.accessible_name = text::kReadoutName.in(Langue);
  for (form::Image* icon : {&Img_Cam1, &Img_Cam2}) {
    icon->accessible_name = text::kPrintIconName.in(Langue);
    icon->tooltip = icon->accessible_name;
  }
}

std::string Fenetre::chart_description() const {
  const View view = current_view();
  const form::MenuItem* checked = view == View::DayWeek     ? Menu_Sem
                                  : view == View::WeekMonth ? Menu_Mois
                                                            : Menu_Annee;
  std::string text = plain(checked->caption) + ", " + Aff_Date.caption;
  const std::string& unit = chart.Aff_mmol.caption;
  if (Aff_Resultat.caption.empty()) {
    add_sentence(text, std::string(text::kNoTest.in(Langue)));
  } else if (view == View::WeekMonth) {
    add_sentence(text, std::string(text::kAverage.in(Langue)) + Aff_Resultat.caption + " " + unit);
  } else {
    std::string latest =
        std::string(text::kLatestTest.in(Langue)) + Aff_Resultat.caption + " " + unit;
    if (!Aff_Heure.caption.empty()) latest += std::string(text::kAt.in(Langue)) + Aff_Heure.caption;
    if (!Information.caption.empty()) latest += " " + Information.caption;
    add_sentence(text, latest);
  }
  if (!chart.Aff_Res_Optim.caption.empty()) {
    add_sentence(text, plain(chart.Cadre_Resultats.caption) + ": " + chart.Aff_Optimal.caption +
                           " " + chart.Aff_Res_Optim.caption + ", " + chart.Aff_Suboptimal.caption +
                           " " + chart.Aff_Res_Sub_Optim.caption + ", " +
                           chart.Aff_Compromis.caption + " " + chart.Aff_Res_Compro.caption);
  }
  add_sentence(text, std::string(text::kChartTip.in(Langue)));
  return text + ".";
}

}  // namespace sugarlog
