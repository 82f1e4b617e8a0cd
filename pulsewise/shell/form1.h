#pragma once
// The main window: the chart, the three date pickers, the birthday buttons, the toolbar and the
// menus. It owns the chart state and the people list, entry and print windows.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/form.h"
#include "platform/core/services.h"
#include "pulsewise/engine/chart.h"
#include "pulsewise/engine/chart_state.h"
#include "pulsewise/shell/form2.h"
#include "pulsewise/shell/form5.h"
#include "pulsewise/shell/form6.h"
#include "pulsewise/shell/settings.h"

namespace pulsewise {

// Writes a picture to a file as a Windows bitmap; false when it could not.
using BitmapWriter =
    std::function<bool(const platform::DrawSurface& picture, const std::string& path)>;

// What a chart shows, in words: its people, its date and each cycle's value that day.
std::string chart_description(const ChartState& state);

class Form1 : public form::Form {
 public:
  // The smallest window the chart is laid out for.
  static constexpr double kMinWidth = 5000;
  static constexpr double kMinHeight = 2500;
  // The largest window a chart is printed from.
  static constexpr double kPrintMaxWidth = 11500;
  static constexpr double kPrintMaxHeight = 10000;

  Form1(platform::Platform platform, std::string version);

  // The font of the window itself, which the chart's text lines are centred by.
  void set_window_font(std::shared_ptr<const platform::TextMeasure> measure);
  void set_bitmap_writer(BitmapWriter writer) { bitmap_writer_ = std::move(writer); }
  // The desktop's work area in twips: the stored sizes and positions of the windows are fitted
  // into it before the first layout, so the chart is never first drawn larger than the screen.
  void set_screen_area(const form::Bounds& area) { screen_area_ = area; }

  // Chart state, read and written by the people list as well.
  ChartState state;
  std::int16_t CallPeople = 1;

  form::PictureBox Picture1;
  form::Button Command1;
  form::DatePicker DTPicker1;
  form::Button Command2;
  form::DatePicker DTPicker2;
  form::Label Label3;
  form::DatePicker DTPicker3;
  form::Toolbar Toolbar1;

  Form6 form6;  // person entry, shown by the people list
  Form5 form5;  // people list
  Form2 form2;  // print canvas

  // Shared steps.
  void drawchart();
  // While held, a chart asked for waits; release_chart() draws it, once, if anything asked. The
  // program holds the first chart while its window is put on the screen.
  void hold_chart() { chart_held_ = true; }
  void release_chart();
  void BirthdayError(platform::Serial mydate);
  void exit_steps();

  // Handlers.
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void Command1_Click();
  void Command2_Click();
  void DTPicker1_Change();
  void DTPicker2_Change();
  void DTPicker3_Change();
  void Toolbar1_ButtonClick(const std::string& key);
  void FilePrint_Click();
  void FileSaveBMP_Click();
  void FileExit_Click();
  void MenuChartTypePulsewise_Click();
  void MenuChartTypeComp_Click();
  void MenuGoToday_Click();
  void MenuGoTomorrow_Click();
  void MenuGoNextWeek_Click();
  void MenuGoNextMonth_Click();
  void MenuGoYesterday_Click();
  void MenuGoLastWeek_Click();
  void MenuGoLastMonth_Click();
  void MenuChartInterpret_Click();
  void MenuShowPhy_Click();
  void MenuShowEmo_Click();
  void MenuShowInt_Click();
  void MenuShowAve_Click();
  void MenuSettingWeekSeparators_Click();
  void MenuSettingTodayMarker_Click();
  void MenuSettingPhysicalColour_Click();
  void MenuSettingEmotionalColour_Click();
  void MenuSettingIntellectualColour_Click();
  void MenuSettingAverageColour_Click();
  void MenuSettingBackgroundColour_Click();
  void MenuSettingResetColours_Click();
  void HelpChartKey_Click();
  void HelpAbout_Click();

 private:
  void wire_access();
  void build_menus();
  void build_toolbar();
  void read_settings();
  void write_settings();
  void show_state();
  void show_chart_type();
  void draw_on(platform::DrawSurface& picture, ChartInk ink);
  void show_people(std::int16_t which);
  void step_forward(int days);
  void step_back(int days);
  void toggle(Flag ChartState::*flag, const char* menu_name);
  void choose_colour(platform::Colour ChartState::*colour);
  void check(const char* menu_name, bool checked);
  void print_chart();
  void message(const std::string& text, platform::Icon icon);

  platform::Platform platform_;
  ProgramSettings settings_;
  std::string version_;
  std::shared_ptr<const platform::TextMeasure> window_font_;
  BitmapWriter bitmap_writer_;
  std::optional<form::Bounds> screen_area_;
  bool exited_ = false;
  bool chart_held_ = false;
  bool chart_asked_ = false;
};

}  // namespace pulsewise
