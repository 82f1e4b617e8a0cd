#include "pulsewise/shell/form1.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/core/number.h"
#include "pulsewise/engine/chart.h"
#include "pulsewise/engine/cycles.h"
#include "pulsewise/engine/interpret.h"
#include "pulsewise/shell/program_title.h"

namespace pulsewise {
namespace {

using platform::Serial;

// The window as it was laid out: the resize rules put every control where it belongs for this
// size, so the first start without stored settings looks like this.
constexpr double kDesignWidth = 7085;
constexpr double kDesignHeight = 4670;

constexpr double kLabel3Width = 735;
constexpr double kPickerFontSize = 7;
constexpr double kLabel3Gap = 105;

constexpr int kDay = 1;
constexpr int kWeek = 7;
constexpr int kMonth = 28;  // a chart month is always four weeks

struct FlagKey {
  const char* key;
  Flag ChartState::*flag;
  Flag default_value;
};
constexpr std::array<FlagKey, 6> kFlagKeys{{
    {"Physical", &ChartState::showphysical, kOn},
    {"Emotional", &ChartState::showemotional, kOn},
    {"Intellectual", &ChartState::showintellectual, kOn},
    {"Average", &ChartState::showaverage, kOff},
    {"Week separators", &ChartState::weekseparators, kOff},
    {"Today marker", &ChartState::todaymarker, kOff},
}};

struct ColourKey {
  const char* key;
  platform::Colour ChartState::*colour;
  platform::Colour default_value;
};
constexpr std::array<ColourKey, 5> kColourKeys{{
    {"Background colour", &ChartState::bgcolour, kDefaultBgColour},
    {"Physical colour", &ChartState::physicalcolour, kDefaultPhysicalColour},
    {"Emotional colour", &ChartState::emotionalcolour, kDefaultEmotionalColour},
    {"Intellectual colour", &ChartState::intellectualcolour, kDefaultIntellectualColour},
    {"Average colour", &ChartState::averagecolour, kDefaultAverageColour},
}};

using Handler = void (Form1::*)();

struct MenuEntry {
  const char* name;
  const char* caption;
  const char* shortcut;
  Handler handler;
  std::vector<MenuEntry> items;
};

const std::vector<MenuEntry>& menu_table() {
  static const std::vector<MenuEntry> table{
      {"MenuFile",
       "&File",
       "",
       nullptr,
       {
           {"FilePrint", "&Print...", "", &Form1::FilePrint_Click, {}},
           {"FileSaveBMP", "&Save as BMP...", "", &Form1::FileSaveBMP_Click, {}},
           {"MenuFileNull", "-", "", nullptr, {}},
           {"FileExit", "E&xit", "", &Form1::FileExit_Click, {}},
       }},
      {"MenuChart",
       "&Chart",
       "",
       nullptr,
       {
           {"MenuChartType",
            "Chart &type",
            "",
            nullptr,
            {
                {"MenuChartTypePulsewise",
                 "&Biorhythm chart",
                 "",
                 &Form1::MenuChartTypePulsewise_Click,
                 {}},
                {"MenuChartTypeComp", "&Comparison chart", "", &Form1::MenuChartTypeComp_Click, {}},
            }},
           {"MenuGo",
            "&Go to",
            "",
            nullptr,
            {
                {"MenuGoToday", "&Today", "Ctrl+T", &Form1::MenuGoToday_Click, {}},
                {"MenuGoForward",
                 "&Forward",
                 "",
                 nullptr,
                 {
                     {"MenuGoTomorrow", "Next &day", "F1", &Form1::MenuGoTomorrow_Click, {}},
                     {"MenuGoNextWeek", "Next &week", "F2", &Form1::MenuGoNextWeek_Click, {}},
                     {"MenuGoNextMonth", "Next &month", "F3", &Form1::MenuGoNextMonth_Click, {}},
                 }},
                {"MenuGoBack",
                 "&Back",
                 "",
                 nullptr,
                 {
                     {"MenuGoYesterday",
                      "Previous &day",
                      "Shift+F1",
                      &Form1::MenuGoYesterday_Click,
                      {}},
                     {"MenuGoLastWeek",
                      "Previous &week",
                      "Shift+F2",
                      &Form1::MenuGoLastWeek_Click,
                      {}},
                     {"MenuGoLastMonth",
                      "Previous &month",
                      "Shift+F3",
                      &Form1::MenuGoLastMonth_Click,
                      {}},
                 }},
            }},
           {"MenuNull2", "-", "", nullptr, {}},
           {"MenuChartInterpret", "&Interpret...", "Ctrl+I", &Form1::MenuChartInterpret_Click, {}},
       }},
      {"MenuSettings",
       "&Settings",
       "",
       nullptr,
       {
           {"MenuShowPhy", "&Physical curve", "", &Form1::MenuShowPhy_Click, {}},
           {"MenuShowEmo", "&Emotional curve", "", &Form1::MenuShowEmo_Click, {}},
           {"MenuShowInt", "&Intellectual curve", "", &Form1::MenuShowInt_Click, {}},
           {"MenuShowAve", "&Average curve", "", &Form1::MenuShowAve_Click, {}},
           {"MenuNull", "-", "", nullptr, {}},
           {"MenuSettingWeekSeparators",
            "&Week separators",
            "",
            &Form1::MenuSettingWeekSeparators_Click,
            {}},
           {"MenuSettingTodayMarker",
            "&Today marker",
            "",
            &Form1::MenuSettingTodayMarker_Click,
            {}},
           {"MenuSettingNull2", "-", "", nullptr, {}},
           {"MenuSettingColour",
            "&Colours",
            "",
            nullptr,
            {
                {"MenuSettingPhysicalColour",
                 "&Physical curve...",
                 "",
                 &Form1::MenuSettingPhysicalColour_Click,
                 {}},
                {"MenuSettingEmotionalColour",
                 "&Emotional curve...",
                 "",
                 &Form1::MenuSettingEmotionalColour_Click,
                 {}},
                {"MenuSettingIntellectualColour",
                 "&Intellectual curve...",
                 "",
                 &Form1::MenuSettingIntellectualColour_Click,
                 {}},
                {"MenuSettingAverageColour",
                 "&Average curve...",
                 "",
                 &Form1::MenuSettingAverageColour_Click,
                 {}},
                {"MenuSettingBackgroundColour",
                 "&Background...",
                 "",
                 &Form1::MenuSettingBackgroundColour_Click,
                 {}},
                {"MenuSettingColourNull", "-", "", nullptr, {}},
                {"MenuSettingResetColours",
                 "&Reset to default",
                 "",
                 &Form1::MenuSettingResetColours_Click,
                 {}},
            }},
       }},
      {"MenuHelp",
       "&Help",
       "",
       nullptr,
       {
           {"HelpChartKey", "Chart &key...", "", &Form1::HelpChartKey_Click, {}},
           {"HelpAbout", "&About Pulsewise...", "", &Form1::HelpAbout_Click, {}},
       }},
  };
  return table;
}

struct ToolEntry {
  const char* key;
  const char* tooltip;
  const char* image_key;
  Handler handler;
};
constexpr std::array<ToolEntry, 10> kToolButtons{{
    {"Print", "Print", "PrintIconKey", &Form1::FilePrint_Click},
    {"Save", "Save as BMP", "DiskIconKey", &Form1::FileSaveBMP_Click},
    {"BackMonth", "Back 1 month", "Back3IconKey", &Form1::MenuGoLastMonth_Click},
    {"BackWeek", "Back 1 week", "Back2IconKey", &Form1::MenuGoLastWeek_Click},
    {"BackDay", "Back 1 day", "Back1IconKey", &Form1::MenuGoYesterday_Click},
    {"Today", "Goto today", "CalendarIconKey", &Form1::MenuGoToday_Click},
    {"ForwardDay", "Forward 1 day", "Forward1IconKey", &Form1::MenuGoTomorrow_Click},
    {"ForwardWeek", "Forward 1 week", "Forward2IconKey", &Form1::MenuGoNextWeek_Click},
    {"ForwardMonth", "Forward 1 month", "Forward3IconKey", &Form1::MenuGoNextMonth_Click},
    {"Interpret", "Interpret chart", "SpeechIconKey", &Form1::MenuChartInterpret_Click},
}};

// Until the program hands over the real window font: an average character of the desktop's
// 8-point sans-serif face.
class AverageCharMeasure : public platform::TextMeasure {
 public:
  double text_width(std::string_view text) const override {
    const auto chars =
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
    return 90.0 * static_cast<double>(chars);
  }
};

}  // namespace

Form1::Form1(platform::Platform platform, std::string version)
    : Form("Form1", kProgramTitle),
      Picture1(this, "Picture1", platform.surfaces),
      Command1(this, "Command1", "Birthday"),
      DTPicker1(this, "DTPicker1", platform.clock.today()),
      Command2(this, "Command2", "Birthday 2"),
      DTPicker2(this, "DTPicker2", platform.clock.today()),
      Label3(this, "Label3", "Chart date"),
      DTPicker3(this, "DTPicker3", platform.clock.today()),
      Toolbar1(this, "Toolbar1"),
      form6(platform),
      form5(platform, *this, form6),
      form2(platform),
      platform_(platform),
      settings_(platform.settings),
      version_(std::move(version)),
      window_font_(std::make_shared<AverageCharMeasure>()) {
  set_bounds(0, 0, kDesignWidth, kDesignHeight);
  Toolbar1.set_bounds(0, 0, kDesignWidth, 420);
  Picture1.set_bounds(120, 480, 6735, 2895);
  Command1.set_bounds(120, 3480, 855, 375);
  DTPicker1.set_bounds(1080, 3480, 1200, 375);
  Command2.set_bounds(2520, 3480, 855, 375);
  DTPicker2.set_bounds(3480, 3480, 1200, 375);
  Label3.set_bounds(4800, 3540, kLabel3Width, 255);
  DTPicker3.set_bounds(5640, 3480, 1200, 375);
  // A date in the desktop's sans-serif face needs a point less than the buttons to fit the
  // pickers' width.
  for (form::DatePicker* picker : {&DTPicker1, &DTPicker2, &DTPicker3}) {
    picker->font_size = kPickerFontSize;
  }
  build_menus();
  build_toolbar();
  wire_access();

  on_load = [this] { Form_Load(); };
  on_resize = [this] { Form_Resize(); };
  on_unload = [this] { Form_Unload(); };
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  DTPicker1.on_change = [this] { DTPicker1_Change(); };
  DTPicker2.on_change = [this] { DTPicker2_Change(); };
  DTPicker3.on_change = [this] { DTPicker3_Change(); };
  Toolbar1.on_button_click = [this](const std::string& key) { Toolbar1_ButtonClick(key); };
}

void Form1::set_window_font(std::shared_ptr<const platform::TextMeasure> measure) {
  if (measure) window_font_ = std::move(measure);
}

void Form1::build_menus() {
  auto add_items = [this](auto& self, form::MenuItem& parent,
                          const std::vector<MenuEntry>& entries) -> void {
    for (const MenuEntry& entry : entries) {
      form::MenuItem& item = parent.add(entry.name, entry.caption, entry.shortcut);
      if (entry.handler) item.on_click = [this, h = entry.handler] { (this->*h)(); };
      self(self, item, entry.items);
    }
  };
  for (const MenuEntry& top : menu_table()) {
    add_items(add_items, add_menu(top.name, top.caption), top.items);
  }
}

void Form1::build_toolbar() {
  for (const ToolEntry& tool : kToolButtons) {
    Toolbar1.buttons.push_back({tool.key, tool.tooltip, tool.image_key});
  }
}

// ---- Start, size and exit ----

void Form1::Form_Load() {
  const Serial today = platform_.clock.today();
  state.birthdate = today;
  state.birthdate2 = today;
  read_settings();
  settings_.report_unreadable(platform_.dialogs);
  show_state();

  const double stored_width = settings_.window_extent("Chart width", kMaxWindowWidth);
  const double stored_height = settings_.window_extent("Chart height", kMaxWindowHeight);
  const double stored_left = settings_.window_extent("Chart X", kMaxWindowPosition);
  const double stored_top = settings_.window_extent("Chart Y", kMaxWindowPosition);
  const auto fit = [this](form::Form& window, form::Bounds wanted) {
    if (screen_area_) wanted = form::fit_within(wanted, *screen_area_);
    window.set_bounds(wanted.left, wanted.top, wanted.width, wanted.height);
  };
  fit(*this,
      {stored_left > 0 ? stored_left : left(), stored_top > 0 ? stored_top : top(),
       stored_width > 0 ? stored_width : width(), stored_height > 0 ? stored_height : height()});
  if (settings_.number("Window state", "0") == 2) set_window_state(form::WindowState::Maximised);

  auto place = [this, &fit](form::Form& window, const char* x_key, const char* y_key) {
    const double x = settings_.window_extent(x_key, kMaxWindowPosition);
    const double y = settings_.window_extent(y_key, kMaxWindowPosition);
    fit(window,
        {x > 0 ? x : window.left(), y > 0 ? y : window.top(), window.width(), window.height()});
  };
  place(form5, "PeopleListWin X", "PeopleListWin Y");
  place(form6, "PeopleEntryWin X", "PeopleEntryWin Y");

  Form_Resize();
  form5.Form_Load();
}

void Form1::read_settings() {
  const Serial today = platform_.clock.today();
  const int this_year = platform::year_of(today);
  state.charttype = settings_.small_number("Chart type", 0);
  for (const FlagKey& f : kFlagKeys) {
    state.*f.flag = settings_.flag(f.key, FlagToString(f.default_value));
  }
  for (const ColourKey& c : kColourKeys) {
    state.*c.colour = settings_.colour(c.key, c.default_value);
  }
  state.birthdate = settings_.date("Birthday1", state.birthdate, this_year);
  state.birthname = settings_.text("Birthname1");
  state.birthdate2 = settings_.date("Birthday2", state.birthdate2, this_year);
  state.birthname2 = settings_.text("Birthname2");
  state.chartdate = today;
}

void Form1::show_state() {
  DTPicker1.set_value(state.birthdate);
  DTPicker2.set_value(state.birthdate2);
  DTPicker3.set_value(state.chartdate);
  check("MenuShowPhy", is_on(state.showphysical));
  check("MenuShowEmo", is_on(state.showemotional));
  check("MenuShowInt", is_on(state.showintellectual));
  check("MenuShowAve", is_on(state.showaverage));
  check("MenuSettingWeekSeparators", is_on(state.weekseparators));
  check("MenuSettingTodayMarker", is_on(state.todaymarker));
  show_chart_type();
}

void Form1::show_chart_type() {
  check("MenuChartTypePulsewise", state.charttype == 0);
  check("MenuChartTypeComp", state.charttype == 1);
  DTPicker2.visible = state.charttype == 1;
  Command2.visible = state.charttype == 1;
}

void Form1::Form_Resize() {
  if (window_state() == form::WindowState::Minimised) return;
  // Snapping back to the minimum is itself a size change, which lays the window out again.
  if (width() < kMinWidth) {
    set_width(kMinWidth);
    Form_Resize();
    return;
  }
  if (height() < kMinHeight) {
    set_height(kMinHeight);
    Form_Resize();
    return;
  }
  const double wf = width();
  const double hf = height();
  Toolbar1.set_width(wf);
  Picture1.set_bounds(Picture1.left(), Picture1.top(), wf - 350, hf - 1775);
  const double row_top = hf - 1150;
  Command1.set_top(row_top);
  DTPicker1.set_top(row_top);
  DTPicker2.set_bounds(wf / 2 - 120, row_top, DTPicker2.width(), DTPicker2.height());
  Command2.set_bounds(wf / 2 - 1080, row_top, Command2.width(), Command2.height());
  DTPicker3.set_bounds(wf - 1425, row_top, DTPicker3.width(), DTPicker3.height());
  // The caption keeps its gap to the picker whatever the desktop's font makes of its width.
  const double label_width = std::max(kLabel3Width, window_font_->text_width(Label3.caption) + 60);
  Label3.set_bounds(DTPicker3.left() - kLabel3Gap - label_width, row_top + 60, label_width,
                    Label3.height());
  drawchart();
}

void Form1::Form_Unload() {
  exit_steps();
  platform_.program.end_program();
}

void Form1::FileExit_Click() {
  exit_steps();
  platform_.program.end_program();
}

void Form1::exit_steps() {
  // Closing the window after "Exit" must not write the settings a second time.
  if (exited_) return;
  exited_ = true;
  write_settings();
  form5.visible = false;
  form6.visible = false;
  form2.visible = false;
  settings_.flush_or_report(platform_.dialogs);
}

void Form1::write_settings() {
  settings_.write_number("Chart type", state.charttype);
  for (const FlagKey& f : kFlagKeys) settings_.write_flag(f.key, state.*f.flag);
  for (const ColourKey& c : kColourKeys) settings_.write_colour(c.key, state.*c.colour);

  settings_.write_number("Window state", static_cast<int>(window_state()));
  if (window_state() != form::WindowState::Normal) set_window_state(form::WindowState::Normal);
  settings_.write_number("Chart width", platform::int_floor(width()));
  settings_.write_number("Chart height", platform::int_floor(height()));
  settings_.write_number("Chart X", left());
  settings_.write_number("Chart Y", top());

  settings_.write_date("Birthday1", state.birthdate);
  settings_.write_text("Birthname1", state.birthname);
  settings_.write_date("Birthday2", state.birthdate2);
  settings_.write_text("Birthname2", state.birthname2);

  settings_.write_number("PeopleListWin X", form5.left());
  settings_.write_number("PeopleListWin Y", form5.top());
  settings_.write_number("PeopleEntryWin X", form6.left());
  settings_.write_number("PeopleEntryWin Y", form6.top());
}

// ---- Shared steps ----

void Form1::drawchart() {
  if (chart_held_) {
    chart_asked_ = true;
    return;
  }
  draw_on(Picture1.surface(), ChartInk::Screen);
  Picture1.image_changed();
}

void Form1::release_chart() {
  chart_held_ = false;
  if (std::exchange(chart_asked_, false)) drawchart();
}

void Form1::draw_on(platform::DrawSurface& picture, ChartInk ink) {
  pulsewise::drawchart(state, picture, *window_font_, platform_.locale.short_date_picture(), ink);
}

void Form1::BirthdayError(Serial mydate) {
  message(birthday_error_text(mydate), platform::Icon::Information);
  state.chartdate = mydate;
  DTPicker3.set_value(mydate);
}

void Form1::message(const std::string& text, platform::Icon icon) {
  platform_.dialogs.message_box(text, platform::Buttons::Ok, icon, kProgramTitle);
}

void Form1::check(const char* menu_name, bool checked) {
  if (form::MenuItem* item = find_menu_item(menu_name)) item->checked = checked;
}

// ---- Pickers and buttons ----

void Form1::DTPicker1_Change() {
  state.birthdate = DTPicker1.value();
  state.birthname.clear();
  drawchart();
}

void Form1::DTPicker2_Change() {
  state.birthdate2 = DTPicker2.value();
  drawchart();
}

void Form1::DTPicker3_Change() {
  state.chartdate = DTPicker3.value();
  if (state.chartdate < state.birthdate) BirthdayError(state.birthdate);
  if (state.charttype == 1 && state.chartdate < state.birthdate2) BirthdayError(state.birthdate2);
  drawchart();
}

void Form1::Command1_Click() {
  show_people(1);
}
void Form1::Command2_Click() {
  show_people(2);
}

void Form1::show_people(std::int16_t which) {
  CallPeople = which;
  platform_.dialogs.show_modal(form5);
}

void Form1::Toolbar1_ButtonClick(const std::string& key) {
  for (const ToolEntry& tool : kToolButtons) {
    if (key == tool.key) {
      (this->*tool.handler)();
      return;
    }
  }
}

// ---- Chart type ----

void Form1::MenuChartTypePulsewise_Click() {
  state.charttype = 0;
  show_chart_type();
  drawchart();
}

void Form1::MenuChartTypeComp_Click() {
  state.charttype = 1;
  show_chart_type();
  if (state.chartdate < state.birthdate2) BirthdayError(state.birthdate2);
  drawchart();
}

// ---- Going to another date ----

void Form1::MenuGoToday_Click() {
  state.chartdate = platform_.clock.today();
  DTPicker3.set_value(state.chartdate);
  drawchart();
}

void Form1::MenuGoTomorrow_Click() {
  step_forward(kDay);
}
void Form1::MenuGoNextWeek_Click() {
  step_forward(kWeek);
}
void Form1::MenuGoNextMonth_Click() {
  step_forward(kMonth);
}
void Form1::MenuGoYesterday_Click() {
  step_back(kDay);
}
void Form1::MenuGoLastWeek_Click() {
  step_back(kWeek);
}
void Form1::MenuGoLastMonth_Click() {
  step_back(kMonth);
}

void Form1::step_forward(int days) {
  state.chartdate += days;
  DTPicker3.set_value(state.chartdate);
  drawchart();
}

// A step back never lands before a birthday: the chart date goes to the birthday instead, and
// in the comparison chart the second birthday is tested from wherever the first test left it.
void Form1::step_back(int days) {
  bool allowed = true;
  if (state.birthdate > state.chartdate - days) {
    BirthdayError(state.birthdate);
    allowed = false;
  }
  if (state.charttype == 1 && state.chartdate - days < state.birthdate2) {
    BirthdayError(state.birthdate2);
    allowed = false;
  }
  if (allowed) {
    state.chartdate -= days;
    DTPicker3.set_value(state.chartdate);
  }
  drawchart();
}

void Form1::MenuChartInterpret_Click() {
  if (auto text = InterpretChart(state, platform_.locale.short_date_picture())) {
    platform_.dialogs.message_box(text->text, platform::Buttons::Ok, platform::Icon::None,
                                  text->title);
  }
}

// ---- Display switches and colours ----

void Form1::toggle(Flag ChartState::*flag, const char* menu_name) {
  state.*flag = state.*flag == kOn ? kOff : kOn;
  check(menu_name, is_on(state.*flag));
  drawchart();
}

void Form1::MenuShowPhy_Click() {
  toggle(&ChartState::showphysical, "MenuShowPhy");
}
void Form1::MenuShowEmo_Click() {
  toggle(&ChartState::showemotional, "MenuShowEmo");
}
void Form1::MenuShowInt_Click() {
  toggle(&ChartState::showintellectual, "MenuShowInt");
}
void Form1::MenuShowAve_Click() {
  toggle(&ChartState::showaverage, "MenuShowAve");
}
void Form1::MenuSettingWeekSeparators_Click() {
  toggle(&ChartState::weekseparators, "MenuSettingWeekSeparators");
}
void Form1::MenuSettingTodayMarker_Click() {
  toggle(&ChartState::todaymarker, "MenuSettingTodayMarker");
}

void Form1::choose_colour(platform::Colour ChartState::*colour) {
  const auto chosen = platform_.dialogs.choose_colour(state.*colour);
  if (!chosen) return;
  state.*colour = *chosen;
  drawchart();
}

void Form1::MenuSettingPhysicalColour_Click() {
  choose_colour(&ChartState::physicalcolour);
}
void Form1::MenuSettingEmotionalColour_Click() {
  choose_colour(&ChartState::emotionalcolour);
}
void Form1::MenuSettingIntellectualColour_Click() {
  choose_colour(&ChartState::intellectualcolour);
}
void Form1::MenuSettingAverageColour_Click() {
  choose_colour(&ChartState::averagecolour);
}
void Form1::MenuSettingBackgroundColour_Click() {
  choose_colour(&ChartState::bgcolour);
}

void Form1::MenuSettingResetColours_Click() {
  for (const ColourKey& c : kColourKeys) state.*c.colour = c.default_value;
  drawchart();
}

// ---- Help ----

void Form1::HelpChartKey_Click() {
  const MessageText key = HelpChartKey(state);
  platform_.dialogs.message_box(key.text, platform::Buttons::Ok, platform::Icon::Information,
                                key.title);
}

void Form1::HelpAbout_Click() {
  platform_.dialogs.message_box(std::string(kProgramTitle) + " " + version_ +
                                    "\n\n"
                                    "Biorhythm charts for one person or two.\n"
                                    "Made by Hollowmere.",
                                platform::Buttons::Ok, platform::Icon::None, "About Pulsewise");
}

}  // namespace pulsewise
