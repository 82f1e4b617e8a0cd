// The summary below the chart: how many tests are on screen, and how many fall in each class.
#include "platform/core/number.h"
#include "sugarlog/charts/plot.h"
#include "sugarlog/texts/messages.h"

namespace sugarlog {

namespace {

// One more in a count caption; an empty caption counts as 0.
void count_one_more(form::Label& count) {
  count.caption = std::to_string(static_cast<long long>(platform::val(count.caption)) + 1);
}

}  // namespace

ResultClasses result_classes(double x, int unite) {
  switch (known_unit(unite)) {
    case kMgDl:
      return {x >= 72 && x < 126, x >= 126 && x < 180, x >= 180};
    case kGL:
      // The g/l bands overlap between 1.25 and 1.26: such a level counts in both.
      return {x > 0.79 && x<1.26, x> 1.25 && x < 2.0, x >= 2.0};
    case kMmolL:
      break;
  }
  return {x >= 4 && x < 7, x >= 7 && x < 10, x >= 10};
}

void ChartPlot::Resume_Reset() {
  ChartControls& chart = w_.chart;
  chart.Cadre_Resultats.caption = std::string(text::kResults.in(w_.Langue));
  w_.frame.Compte_Resultats = 0;
  chart.Aff_Res_Optim.caption.clear();
  chart.Aff_Res_Sub_Optim.caption.clear();
  chart.Aff_Res_Compro.caption.clear();
}

void ChartPlot::Resume_Semaine() {
  ChartControls& chart = w_.chart;
  const int total = ++w_.frame.Compte_Resultats;
  const ResultClasses classes = result_classes(test_level(w_.Position_Test), w_.Unite);
  if (classes.optimal) count_one_more(chart.Aff_Res_Optim);
  if (classes.suboptimal) count_one_more(chart.Aff_Res_Sub_Optim);
  if (classes.compromise) count_one_more(chart.Aff_Res_Compro);
  for (form::Label* count :
       {&chart.Aff_Res_Optim, &chart.Aff_Res_Sub_Optim, &chart.Aff_Res_Compro}) {
    if (count->caption.empty()) count->caption = "0";
  }
  chart.Cadre_Resultats.caption =
      std::to_string(total) + std::string(text::kResultsCount.in(w_.Langue));
}

}  // namespace sugarlog
