#pragma once
// "People": the list of up to 50 people with their birthdays, kept in the settings store under
// "PeopleName n" and "PeopleDate n". Choosing a person fills birthday 1 or 2 of the main window.
#include <array>
#include <string>

#include "platform/core/form.h"
#include "platform/core/services.h"
#include "pulsewise/shell/settings.h"

namespace pulsewise {

class Form1;
class Form6;

class Form5 : public form::Form {
 public:
  static constexpr int kSlots = 50;

  Form5(platform::Platform platform, Form1& main_window, Form6& entry);

  form::ListBox List1;
  form::Button Command1;  // New...
  form::Button Command2;  // Edit...
  form::Button Command3;  // Delete
  form::Button Command5;  // Draw chart
  form::Button Command4;  // Close

  // Slots 1 to 50; an empty name marks a free slot. Slot 0 is never used.
  std::array<std::string, kSlots + 1> peoplename;
  std::array<platform::Serial, kSlots + 1> peopledate{};

  void Form_Load();
  void LoadPeople();
  void SavePeople();
  void FillList();
  // The highest used slot whose name begins the item text, 0 for none.
  int FindPerson(const std::string& item) const;
  static std::string item_text(const std::string& name, platform::Serial date);

  void List1_Click();
  void List1_DblClick();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();

 private:
  int first_free_slot() const;
  void enable_choice(bool enabled);
  // Shows the entry window for a slot and stores what it returns; an empty name becomes
  // placeholder (the window can be closed through its close box without a name).
  void enter_person(int slot, const std::string& name, platform::Serial date,
                    const std::string& placeholder);
  void table_changed();

  platform::Platform platform_;
  ProgramSettings settings_;
  Form1& main_;
  Form6& entry_;
};

}  // namespace pulsewise
