// The Help menu's screens, the online extras' wiring and printing the window.
#include <initializer_list>

#include "sugarlog/print/print_look.h"
#include "sugarlog/texts/guidance.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {

using platform::Buttons;
using platform::Icon;

namespace {

constexpr platform::Colour kPrintHighlight = platform::rgb(255, 255, 0);

}  // namespace

void Fenetre::wire_extras() {
  Menu_Import->on_click = [this] { Menu_Import_Click(); };
  Menu_TroisMois->on_click = [this] { Menu_TroisMois_Click(); };
  Menu_An->on_click = [this] { Menu_An_Click(); };
  Menu_Apropos->on_click = [this] { Menu_Apropos_Click(); };
  Menu_Impr_Graph->on_click = [this] { Menu_Impr_Graph_Click(); };
  Timer_Camera.on_tick = [this] { Timer_Camera_Timer(); };
  Img_Cam1.on_click = [this] { Img_Cam1_Click(); };
  Img_Cam2.on_click = [this] { Img_Cam2_Click(); };
}

// ---- Help ----

namespace {

void show(platform::Dialogs& dialogs, const Screen& screen, platform::Icon icon) {
  dialogs.message_box(screen.text, platform::Buttons::Ok, icon, screen.title);
}

}  // namespace

void Fenetre::Menu_Import_Click() {
  show(platform_.dialogs, important_screen(Langue), Icon::Information);
}

void Fenetre::Menu_TroisMois_Click() {
  show(platform_.dialogs, three_months_screen(), Icon::Information);
}

void Fenetre::Menu_An_Click() {
  show(platform_.dialogs, yearly_screen(), Icon::Information);
}

void Fenetre::Menu_Apropos_Click() {
  show(platform_.dialogs, about_screen(Langue, online.Adresse_Site), Icon::None);
}

// ---- Printing the window ----

void Fenetre::Menu_Impr_Graph_Click() {
  if (Menu_Impr_Graph->checked) {
    Menu_Impr_Graph->checked = false;
    Timer_Camera.enabled = false;
    Img_Cam1.visible = false;
    Img_Cam2.visible = false;
  } else {
    Menu_Impr_Graph->checked = true;
    Img_Cam1.visible = true;
    Timer_Camera.enabled = true;
  }
}

void Fenetre::Timer_Camera_Timer() {
  if (!Menu_Impr_Graph->checked) {
    Timer_Camera.enabled = false;
    Img_Cam1.visible = false;
    Img_Cam2.visible = false;
    return;
  }
  const bool first_shown = Img_Cam1.visible;
  Img_Cam1.visible = !first_shown;
  Img_Cam2.visible = first_shown;
}

void Fenetre::Img_Cam1_Click() {
  Image_Camera();
}

void Fenetre::Img_Cam2_Click() {
  Image_Camera();
}

// The window goes to the printer in black on white, without the controls that only work on
// screen, and comes back exactly as it was: the colours and the shown or hidden state of every
// control are put back from what they were, within this one handler, so the screen never
// paints the print colours.
void Fenetre::Image_Camera() {
  PrintLook look;
  look.hide(gauge.Thermometre);
  // The Week/Month view's read-out is the month's average, worth printing.
  if (!Menu_Mois->checked) look.hide(Aff_Resultat);
  for (form::Control* control : std::initializer_list<form::Control*>{
           &Curseur, &Bout_Auj, &Information, &Aff_Heure, &Img_Cam1, &Img_Cam2}) {
    look.hide(*control);
  }
  look.back_colour(*this, platform::kWhite);
  // The screen's texts are light on a dark window; on paper every text is black.
  look.all_texts(*this, platform::kBlack);
  for (form::Control* control : std::initializer_list<form::Control*>{
           &chart.Aff_Jour[chart.Aff_Jour.count()], &chart.Aff_Mois[chart.Aff_Mois.count()],
           &chart.Aff_Mois_Dernier_Jr, &Aff_Resultat}) {
    look.back_colour(*control, kPrintHighlight);
  }
  look.chart_background(chart, platform::kWhite);
  look.chart_lines(chart, platform::kBlack);

  const bool printed = platform_.printer.print_form(*this);
  look.restore();
  if (!printed) return;
  const std::string file = platform_.printer.output_file();
  if (!file.empty()) {
    platform_.dialogs.message_box(std::string(text::kPrintedToFile.in(Langue)) + file, Buttons::Ok,
                                  Icon::Information, std::string(text::kProgramTitle.in(Langue)));
  }
}

}  // namespace sugarlog
