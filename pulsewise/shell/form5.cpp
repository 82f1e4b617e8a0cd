#include "pulsewise/shell/form5.h"

#include "pulsewise/engine/cycles.h"
#include "pulsewise/shell/form1.h"
#include "pulsewise/shell/form6.h"
#include "pulsewise/shell/program_title.h"

namespace pulsewise {
namespace {

std::string name_key(int slot) {
  return "PeopleName " + std::to_string(slot);
}
std::string date_key(int slot) {
  return "PeopleDate " + std::to_string(slot);
}

}  // namespace

Form5::Form5(platform::Platform platform, Form1& main_window, Form6& entry)
    : Form("Form5", "People"),
      List1(this, "List1"),
      Command1(this, "Command1", "New..."),
      Command2(this, "Command2", "Edit..."),
      Command3(this, "Command3", "Delete"),
      Command5(this, "Command5", "Draw chart"),
      Command4(this, "Command4", "Close"),
      platform_(platform),
      settings_(platform.settings),
      main_(main_window),
      entry_(entry) {
  fixed_dialog = true;
  set_bounds(0, 0, 4815, 3960);
  List1.set_bounds(120, 120, 3135, 2790);
  List1.sorted = true;
  Command1.set_bounds(120, 3000, 975, 375);
  Command2.set_bounds(1200, 3000, 975, 375);
  Command3.set_bounds(2280, 3000, 975, 375);
  Command5.set_bounds(3360, 120, 1095, 375);
  Command4.set_bounds(3360, 600, 1095, 375);

  List1.on_click = [this] { List1_Click(); };
  List1.on_double_click = [this] { List1_DblClick(); };
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Command3.on_click = [this] { Command3_Click(); };
  Command4.on_click = [this] { Command4_Click(); };
  Command5.on_click = [this] { Command5_Click(); };
}

void Form5::Form_Load() {
  LoadPeople();
  FillList();
  enable_choice(false);
}

void Form5::LoadPeople() {
  const platform::Serial fallback = platform::date_serial(1990, 1, 1);
  const int this_year = platform::year_of(platform_.clock.today());
  for (int n = 1; n <= kSlots; ++n) {
    peoplename[n] = settings_.text(name_key(n));
    peopledate[n] = settings_.date(date_key(n), fallback, this_year);
  }
}

void Form5::SavePeople() {
  for (int n = 1; n <= kSlots; ++n) {
    settings_.write_text(name_key(n), peoplename[n]);
    settings_.write_date(date_key(n), peopledate[n]);
  }
  settings_.flush_or_report(platform_.dialogs);
}

std::string Form5::item_text(const std::string& name, platform::Serial date) {
  return name + " (" + DateToString(date) + ")";
}

void Form5::FillList() {
  List1.clear();
  for (int n = 1; n <= kSlots; ++n) {
    if (!peoplename[n].empty()) List1.add_item(item_text(peoplename[n], peopledate[n]));
  }
}

// The exact entry picked: a name that merely begins the item ("Ann" for "Anne (15/9/1752)") is
// somebody else. Among identical entries the highest slot answers.
int Form5::FindPerson(const std::string& item) const {
  int found = 0;
  for (int n = 1; n <= kSlots; ++n) {
    if (!peoplename[n].empty() && item == item_text(peoplename[n], peopledate[n])) found = n;
  }
  return found;
}

int Form5::first_free_slot() const {
  for (int n = 1; n <= kSlots; ++n) {
    if (peoplename[n].empty()) return n;
  }
  return 0;
}

void Form5::enable_choice(bool enabled) {
  Command2.enabled = enabled;
  Command3.enabled = enabled;
  Command5.enabled = enabled;
}

void Form5::table_changed() {
  FillList();
  enable_choice(false);
}

void Form5::enter_person(int slot, const std::string& name, platform::Serial date,
                         const std::string& placeholder) {
  entry_.prepare(name, date);
  platform_.dialogs.show_modal(entry_);
  peoplename[slot] = entry_.Text1.text().empty() ? placeholder : entry_.Text1.text();
  peopledate[slot] = entry_.birthday();
  table_changed();
}

void Form5::List1_Click() {
  enable_choice(true);
}

void Form5::Command1_Click() {
  // Another copy of the program may have filled a slot since the list was read.
  settings_.refresh();
  LoadPeople();
  const int slot = first_free_slot();
  if (slot == 0) {
    platform_.dialogs.message_box(
        "You have already entered the maximum\n"
        "number of people.",
        platform::Buttons::Ok, platform::Icon::Information, kProgramTitle);
  } else {
    enter_person(slot, "", main_.state.birthdate, "(new)");
  }
  SavePeople();
}

void Form5::Command2_Click() {
  const int slot = FindPerson(List1.selected_text());
  if (slot == 0) return;
  enter_person(slot, peoplename[slot], peopledate[slot], "(edited)");
  SavePeople();
}

void Form5::Command3_Click() {
  const int slot = FindPerson(List1.selected_text());
  if (slot == 0) return;
  const auto answer = platform_.dialogs.message_box(
      "Are you sure you want to delete the entry\nfor \"" + peoplename[slot] + "\"?",
      platform::Buttons::YesNo, platform::Icon::None, kProgramTitle);
  if (answer == platform::Answer::Yes) {
    peoplename[slot].clear();
    peopledate[slot] = 0;
    table_changed();
  }
  SavePeople();
}

void Form5::Command4_Click() {
  visible = false;
}

void Form5::List1_DblClick() {
  Command5_Click();
}

void Form5::Command5_Click() {
  platform::Serial chosen = 0;
  if (List1.list_index >= 0) {
    const int slot = FindPerson(List1.selected_text());
    chosen = peopledate[slot];
    ChartState& state = main_.state;
    if (main_.CallPeople == 1) {
      state.birthdate = chosen;
      state.birthname = peoplename[slot];
      main_.DTPicker1.set_value(chosen);
    } else if (main_.CallPeople == 2) {
      state.birthdate2 = chosen;
      state.birthname2 = peoplename[slot];
      main_.DTPicker2.set_value(chosen);
    }
  }
  if (main_.state.chartdate < chosen) main_.BirthdayError(chosen);
  main_.drawchart();
  visible = false;
}

}  // namespace pulsewise
