#pragma once
// "Entry": the small window in which a person's name and birthday are typed.
#include "platform/core/form.h"
#include "platform/core/services.h"

namespace pulsewise {

class Form6 : public form::Form {
 public:
  static constexpr int kMaxNameLength = 30;

  explicit Form6(platform::Platform platform);

  // Readies the window for a person, with the focus in the name field.
  void prepare(const std::string& name, platform::Serial birthday);
  // The birthday to store: the picker's, unless it lies after today (the window was closed
  // through its close box with such a date), then the one it was prepared with, or today.
  platform::Serial birthday() const;

  form::Label Label1;
  form::TextBox Text1;
  form::Label Label2;
  form::DatePicker DTPicker1;
  form::Button Command1;

  void Command1_Click();
  void Text1_KeyPress(int& key);

 private:
  bool born_by_today() const;

  platform::Platform platform_;
  platform::Serial prepared_birthday_ = 0;
};

}  // namespace pulsewise
