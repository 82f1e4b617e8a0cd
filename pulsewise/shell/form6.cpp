#include "pulsewise/shell/form6.h"

#include <algorithm>

#include "pulsewise/shell/program_title.h"

namespace pulsewise {

Form6::Form6(platform::Platform platform)
    : Form("Form6", "Entry"),
      Label1(this, "Label1", "Name"),
      Text1(this, "Text1"),
      Label2(this, "Label2", "Birthday"),
      DTPicker1(this, "DTPicker1", platform.clock.today()),
      Command1(this, "Command1", "OK"),
      platform_(platform) {
  fixed_dialog = true;
  set_bounds(0, 0, 3615, 1965);
  Label1.set_bounds(120, 180, 800, 255);
  Text1.set_bounds(960, 120, 2295, 375);
  Text1.max_length = kMaxNameLength;
  Label2.set_bounds(120, 660, 800, 255);
  DTPicker1.set_bounds(960, 600, 1215, 375);
  DTPicker1.font_size = 7;  // as the main window's pickers: the whole date fits
  Command1.set_bounds(1088, 1080, 1215, 375);

  Command1.on_click = [this] { Command1_Click(); };
  Text1.on_key_press = [this](int& key) { Text1_KeyPress(key); };
}

void Form6::prepare(const std::string& name, platform::Serial birthday) {
  Text1.set_text(name);
  prepared_birthday_ = birthday;
  DTPicker1.set_value(birthday);
  set_focus(&Text1);
}

platform::Serial Form6::birthday() const {
  if (born_by_today()) return DTPicker1.value();
  return std::min(prepared_birthday_, platform_.clock.today());
}

bool Form6::born_by_today() const {
  return DTPicker1.value() <= platform_.clock.today();
}

void Form6::Command1_Click() {
  if (Text1.text().empty()) {
    platform_.dialogs.message_box("You must enter a name!", platform::Buttons::Ok,
                                  platform::Icon::Exclamation, kProgramTitle);
    return;
  }
  // A mistyped year (3020 for 2020) would chart a person not yet born.
  if (!born_by_today()) {
    platform_.dialogs.message_box("You can't enter a birthday after today!", platform::Buttons::Ok,
                                  platform::Icon::Exclamation, kProgramTitle);
    set_focus(&DTPicker1);
    return;
  }
  visible = false;
}

void Form6::Text1_KeyPress(int& key) {
  if (key != form::kKeyReturn) return;
  // Enter goes on to the birthday rather than ringing the bell in a one-line field.
  key = 0;
  set_focus(&DTPicker1);
}

}  // namespace pulsewise
