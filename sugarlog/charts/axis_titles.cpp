// The titles above the chart: seven weekdays, the month with its first and last day, or twelve
// month initials, in the user's language and the colours of each view.
#include "platform/core/date.h"
#include "sugarlog/charts/plot.h"

namespace sugarlog {

using platform::Serial;

namespace {

// Length of the UTF-8 sequence a lead byte starts (1 for a stray continuation byte).
std::size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Titles are lettered in their colour on the light grey of the desktop's own windows, where red
// and blue can be read; the last title, today's or the right edge's, is yellow on green.
void paint_title(form::Label& title, platform::Colour colour) {
  title.fore_colour = colour;
  title.back_colour = colour == kTitleYellow ? kTitleGreen : kChartGrey;
}

}  // namespace

std::string upper_initials(std::string_view text, std::size_t count) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t taken = 0; taken < count && at < text.size(); ++taken) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = std::min(sequence_length(lead), text.size() - at);
    std::string letter(text.substr(at, length));
    if (length == 1 && lead >= 'a' && lead <= 'z') {
      letter[0] = static_cast<char>(lead - 'a' + 'A');
    } else if (length == 2 && lead == 0xC3) {
      // U+00E0..U+00FE (à..þ, but not ÷) have their capitals 0x20 below.
      const auto second = static_cast<unsigned char>(letter[1]);
      if (second >= 0xA0 && second <= 0xBE && second != 0xB7) {
        letter[1] = static_cast<char>(second - 0x20);
      }
    }
    out += letter;
    at += length;
  }
  return out;
}

void ChartPlot::Titres_AxeX() {
  switch (w_.view()) {
    case View::MonthYear:
      year_titles();
      break;
    case View::WeekMonth:
      month_title();
      break;
    case View::DayWeek:
      day_titles();
      break;
  }
}

void ChartPlot::year_titles() {
  // The twelve calendar months the partitions hold, ending with the month of the right edge; the
  // last spelled in three letters, January in red as the turn of the year.
  const platform::Ymd edge = platform::ymd_of(w_.Date_Graphique);
  LabelArray& titles = w_.chart.Aff_Mois;
  for (int i = 1; i <= titles.count(); ++i) {
    const Serial month = platform::date_serial(edge.year, edge.month - (titles.count() - i), 1);
    const int number = platform::month_of(month);
    form::Label& title = titles[i];
    title.visible = true;
    paint_title(title, i == titles.count() ? kTitleYellow : number == 1 ? kTitleRed : kTitleBlue);
    title.caption = upper_initials(w_.locale.month_name(number, true), i == titles.count() ? 3 : 1);
  }
}

void ChartPlot::month_title() {
  ChartControls& chart = w_.chart;
  const Serial dg = w_.Date_Graphique;
  chart.Aff_Nom_Mois.visible = true;
  chart.Aff_Nom_Mois.caption =
      upper_initials(w_.locale.month_name(platform::month_of(dg), false), std::string::npos);
  chart.Aff_Mois_Jr1.visible = true;
  chart.Aff_Mois_Dernier_Jr.visible = true;
  paint_title(chart.Aff_Mois_Dernier_Jr, kTitleYellow);
  const int days = Qte_Jrs_Dans_Mois(dg);
  const int last_day = platform::day_of(aff_date()) != days ? platform::day_of(dg) : days;
  chart.Aff_Mois_Dernier_Jr.caption = std::to_string(last_day);
  if (aff_date_is_today())
    chart.Aff_Mois_Dernier_Jr.caption = std::to_string(platform::day_of(today()));
  // The screen's first day, so a move back knows when the oldest test is already shown.
  w_.frame.Premier_Jour = aff_date() - platform::day_of(aff_date()) + 1;
}

void ChartPlot::day_titles() {
  ChartFrame& f = w_.frame;
  LabelArray& titles = w_.chart.Aff_Jour;
  const int count = std::min(f.Qte_Partitions, titles.count());
  f.Date_Jour = w_.Date_Graphique;
  for (int i = 1; i <= count; ++i) {
    // Label i names the weekday of Date_Graphique + i, the same weekday as the i-th of the seven
    // days that end at Date_Graphique.
    const Serial day = f.Date_Jour + 1;
    form::Label& title = titles[i];
    title.visible = true;
    paint_title(title, i == count                       ? kTitleYellow
                       : platform::weekday_of(day) == 1 ? kTitleRed
                                                        : kTitleBlue);
    title.caption = upper_initials(w_.locale.weekday_name(platform::weekday_of(day), true), 2);
    f.Date_Jour = w_.Date_Graphique + i;
  }
  f.Premier_Jour = aff_date() - (f.Qte_Partitions - 1);
}

}  // namespace sugarlog
