#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/testing/fakes.h"
#include "pulsewise/engine/cycles.h"
#include "pulsewise/shell/form1.h"

namespace pulsewise {
namespace {

using platform::Answer;
using platform::date_serial;
using platform::Icon;
using platform::Serial;

const Serial kToday = date_serial(2026, 3, 10);

// A button has no look of its own in the model: a press is its click event.
void press(form::Button& button) {
  button.on_click();
}

class FixedMeasure : public platform::TextMeasure {
 public:
  double text_width(std::string_view text) const override { return 60.0 * text.size(); }
};

class PulsewiseTest : public testing::Test {
 protected:
  PulsewiseTest() { fake.clock.set(kToday + 0.5); }

  Form1& start(bool hold_chart = false) {
    window = std::make_unique<Form1>(fake.platform(), "2.4.9");
    if (hold_chart) window->hold_chart();
    window->set_window_font(std::make_shared<FixedMeasure>());
    if (screen) window->set_screen_area(*screen);
    window->set_bitmap_writer(
        [this](const platform::DrawSurface& picture, const std::string& path) {
          written_picture = &picture;
          written_paths.push_back(path);
          return !fail_writes;
        });
    window->Form_Load();
    return *window;
  }
  // Closes the window as the user does and starts the program again on the same store.
  Form1& restart() {
    window->user_closes();
    return start();
  }
  void store(const std::string& key, const std::string& value) {
    fake.settings.set("Hollowmere", "Pulsewise", key, value);
  }
  std::string stored(const std::string& key) const {
    return fake.settings.get("Hollowmere", "Pulsewise", key, "<absent>");
  }
  const std::vector<platform::ShownMessage>& messages() const { return fake.dialogs.messages; }
  platform::RecordingSurface& picture(form::PictureBox& box) {
    return static_cast<platform::RecordingSurface&>(box.surface());
  }
  void click(const char* menu_name) { window->find_menu_item(menu_name)->user_clicks(); }

  platform::FakePlatform fake;
  std::optional<form::Bounds> screen;
  std::unique_ptr<Form1> window;
  const platform::DrawSurface* written_picture = nullptr;
  std::vector<std::string> written_paths;
  bool fail_writes = false;
};

// ---- Start-up and settings ----

TEST_F(PulsewiseTest, FreshStoreStartsWithTheDefaults) {
  Form1& w = start();
  EXPECT_EQ(w.state.charttype, 0);
  EXPECT_EQ(w.state.showphysical, kOn);
  EXPECT_EQ(w.state.showemotional, kOn);
  EXPECT_EQ(w.state.showintellectual, kOn);
  EXPECT_EQ(w.state.showaverage, kOff);
  EXPECT_EQ(w.state.weekseparators, kOff);
  EXPECT_EQ(w.state.todaymarker, kOff);
  EXPECT_EQ(w.state.bgcolour, platform::kButtonFace);
  EXPECT_EQ(w.state.averagecolour, platform::rgb(255, 255, 0));
  EXPECT_EQ(w.state.birthdate, kToday);
  EXPECT_EQ(w.state.birthdate2, kToday);
  EXPECT_EQ(w.state.chartdate, kToday);
  EXPECT_EQ(w.DTPicker3.value(), kToday);
  EXPECT_TRUE(w.find_menu_item("MenuChartTypePulsewise")->checked);
  EXPECT_FALSE(w.find_menu_item("MenuChartTypeComp")->checked);
  EXPECT_TRUE(w.find_menu_item("MenuShowInt")->checked);
  EXPECT_FALSE(w.find_menu_item("MenuShowAve")->checked);
  EXPECT_FALSE(w.DTPicker2.visible);
  EXPECT_FALSE(w.Command2.visible);
  EXPECT_EQ(w.window_state(), form::WindowState::Normal);
  EXPECT_EQ(w.Picture1.width(), w.width() - 350);
  EXPECT_FALSE(picture(w.Picture1).lines().empty());
  EXPECT_TRUE(w.form5.List1.items().empty());
  EXPECT_TRUE(messages().empty());
}

// The program holds the first chart while its window goes up: the load draws nothing, and the
// release draws the chart a plain start draws, once.
TEST_F(PulsewiseTest, AHeldChartIsDrawnOnceWhenReleased) {
  const std::vector<platform::DrawOp> plain = picture(start().Picture1).ops();
  Form1& w = start(true);
  EXPECT_TRUE(picture(w.Picture1).ops().empty());
  w.release_chart();
  EXPECT_EQ(picture(w.Picture1).ops(), plain);
  picture(w.Picture1).forget();
  w.release_chart();
  EXPECT_TRUE(picture(w.Picture1).ops().empty());
  w.drawchart();
  EXPECT_EQ(picture(w.Picture1).ops().size(), plain.size());  // no longer held
}

TEST_F(PulsewiseTest, SettingsWrittenAtExitAreReadBack) {
  Form1& w = start();
  click("MenuChartTypeComp");
  click("MenuShowAve");
  click("MenuShowPhy");
  fake.dialogs.colours.push_back(platform::rgb(1, 2, 3));
  click("MenuSettingEmotionalColour");
  w.DTPicker1.user_picks(date_serial(2001, 3, 5));
  w.state.birthname2 = "Bob";
  w.user_resizes(8000, 6000);
  w.user_moves(300, 450);
  w.user_closes();

  EXPECT_EQ(stored("Chart type"), " 1");
  EXPECT_EQ(stored("Average"), "-1");
  EXPECT_EQ(stored("Physical"), "0");
  EXPECT_EQ(stored("Emotional colour"), " 197121");
  EXPECT_EQ(stored("Birthday1"), "5/3/2001");
  // Values this window did not change are not its to write: another copy may have stored them.
  EXPECT_EQ(stored("Background colour"), "<absent>");
  EXPECT_EQ(stored("Birthday2"), "<absent>");
  EXPECT_EQ(stored("Birthname2"), "Bob");
  EXPECT_EQ(stored("Chart width"), " 8000");
  EXPECT_EQ(stored("Chart Y"), " 450");
  EXPECT_EQ(stored("Window state"), "<absent>");  // normal, as it was read
  EXPECT_EQ(fake.settings.flushes, 1);
  EXPECT_TRUE(fake.program.ended);

  Form1& again = start();
  EXPECT_EQ(again.state.charttype, 1);
  EXPECT_TRUE(again.DTPicker2.visible);
  EXPECT_EQ(again.state.showaverage, kOn);
  EXPECT_TRUE(again.find_menu_item("MenuShowAve")->checked);
  EXPECT_EQ(again.state.showphysical, kOff);
  EXPECT_EQ(again.state.emotionalcolour, platform::rgb(1, 2, 3));
  EXPECT_EQ(again.state.birthdate, date_serial(2001, 3, 5));
  EXPECT_EQ(again.state.birthname2, "Bob");
  EXPECT_EQ(again.state.chartdate, kToday);
  EXPECT_EQ(again.width(), 8000);
  EXPECT_EQ(again.top(), 450);
}

TEST_F(PulsewiseTest, ButtonFaceReadsTheSameInHexAndDecimal) {
  store("Background colour", "&H8000000F");
  EXPECT_EQ(start().state.bgcolour, platform::kButtonFace);
  store("Background colour", "-2147483633");
  EXPECT_EQ(start().state.bgcolour, platform::kButtonFace);
  EXPECT_EQ(parse_colour("&hFF"), platform::Colour{255});
  EXPECT_EQ(parse_colour(" 65280"), platform::Colour{65280});
}

TEST_F(PulsewiseTest, UnreadableStoredValuesFallBackToTheirDefaults) {
  store("Birthday1", "31/02/2024");
  store("Birthday2", "next spring");
  store("Physical colour", "red");
  store("Average colour", "99999999999");
  store("Intellectual colour", "&HXYZ");
  store("Chart type", "70000");
  Form1& w = start();
  EXPECT_EQ(w.state.birthdate, kToday);
  EXPECT_EQ(w.state.birthdate2, kToday);
  EXPECT_EQ(w.state.physicalcolour, kDefaultPhysicalColour);
  EXPECT_EQ(w.state.averagecolour, kDefaultAverageColour);
  EXPECT_EQ(w.state.intellectualcolour, kDefaultIntellectualColour);
  EXPECT_EQ(w.state.charttype, 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(PulsewiseTest, AFailedWriteOfTheStoreIsReported) {
  start();
  fake.settings.fail_flush = true;
  click("FileExit");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("could not save"), std::string::npos);
  EXPECT_EQ(messages()[0].icon, Icon::Exclamation);
  EXPECT_TRUE(fake.program.ended);
  window->user_closes();  // the desktop closing the window afterwards writes nothing again
  EXPECT_EQ(messages().size(), 1u);
}

// A store that could not be read is said once, at start; the failed write at exit that follows
// (the store is never written over) is not told again.
TEST_F(PulsewiseTest, AnUnreadableStoreIsToldOnceAtStart) {
  fake.settings.unreadable = "/home/u/.config/Hollowmere.ini: Permission denied";
  fake.settings.fail_flush = true;
  Form1& w = start();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text,
            "Pulsewise could not read its settings and people list:\n"
            "/home/u/.config/Hollowmere.ini: Permission denied\n\n"
            "It runs on the default settings and will not write over them.");
  EXPECT_EQ(w.state.charttype, 0);
  click("FileExit");
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(PulsewiseTest, MaximisedCloseStoresTheNormalBoundsAndRestartMaximises) {
  Form1& w = start();
  w.user_resizes(9000, 5000);
  w.user_moves(600, 300);
  w.set_window_state(form::WindowState::Maximised);
  w.user_resizes(28800, 16000);
  w.user_closes();
  EXPECT_EQ(stored("Window state"), " 2");
  EXPECT_EQ(stored("Chart width"), " 9000");
  EXPECT_EQ(stored("Chart height"), " 5000");
  EXPECT_EQ(stored("Chart X"), " 600");

  Form1& again = start();
  EXPECT_EQ(again.window_state(), form::WindowState::Maximised);
  EXPECT_EQ(again.normal_bounds().width, 9000);
  EXPECT_EQ(again.normal_bounds().left, 600);
}

TEST_F(PulsewiseTest, ResizeKeepsTheMinimumAndLaysOutTheBottomRow) {
  Form1& w = start();
  w.user_resizes(3000, 1000);
  EXPECT_EQ(w.width(), 5000);
  EXPECT_EQ(w.height(), 2500);
  w.user_resizes(10000, 6000);
  EXPECT_EQ(w.Picture1.width(), 9650);
  EXPECT_EQ(w.Picture1.height(), 4225);
  EXPECT_EQ(w.DTPicker3.left(), 8575);
  EXPECT_EQ(w.Label3.left(), 7735);
  EXPECT_EQ(w.Label3.top(), 4910);
  EXPECT_EQ(w.DTPicker2.left(), 4880);
  EXPECT_EQ(w.Command1.left(), 120);
}

// A size or position damaged by hand is brought within a screen's reach before the first layout,
// so the start never draws a chart of millions of columns.
TEST_F(PulsewiseTest, DamagedWindowBoundsAreClampedBeforeTheFirstDrawing) {
  for (const char* damage : {"3000000", "2000000000", "16000000000", "1E+300", " 9000"}) {
    for (const char* key : {"Chart width", "Chart height", "Chart X", "Chart Y", "PeopleListWin X",
                            "PeopleListWin Y", "PeopleEntryWin X", "PeopleEntryWin Y"}) {
      store(key, damage);
    }
    Form1& w = start();
    ASSERT_LE(w.width(), kMaxWindowWidth) << damage;
    ASSERT_LE(w.height(), kMaxWindowHeight) << damage;
    EXPECT_TRUE(w.left() > 0 && w.left() <= kMaxWindowPosition) << damage;
    EXPECT_LE(std::max(w.form5.top(), w.form6.left()), kMaxWindowPosition) << damage;
    EXPECT_LT(picture(w.Picture1).lines().size(), 1000u) << damage;
  }
  EXPECT_EQ(window->width(), 9000);  // a sound value is applied as stored
  // On a screen of 1280 x 1024 pixels every window lies within it from the start.
  screen = form::Bounds{0, 0, 19200, 15360};
  store("Chart width", "16000000000");
  store("PeopleEntryWin X", "16000000000");
  Form1& w = start();
  EXPECT_EQ(w.bounds(), (form::Bounds{0, 15360 - 9000, 19200, 9000}));
  EXPECT_EQ(w.form6.left(), 19200 - w.form6.width());
}

// ---- Moving the chart date ----

TEST_F(PulsewiseTest, PreviousWeekThreeDaysAfterTheBirthdayStopsAtTheBirthday) {
  Form1& w = start();
  const Serial birthday = kToday - 3;
  w.DTPicker1.user_picks(birthday);
  const unsigned serial = w.Picture1.image_serial();
  click("MenuGoLastWeek");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, birthday_error_text(birthday));
  EXPECT_NE(messages()[0].text.find("Setting chart date to 7/3/2026."), std::string::npos);
  EXPECT_EQ(messages()[0].icon, Icon::Information);
  EXPECT_EQ(messages()[0].title, "Pulsewise");
  EXPECT_EQ(w.state.chartdate, birthday);
  EXPECT_EQ(w.DTPicker3.value(), birthday);
  EXPECT_GT(w.Picture1.image_serial(), serial);
}

TEST_F(PulsewiseTest, ComparisonStepBackTestsTheSecondBirthdayFromWhereTheFirstLeftIt) {
  Form1& w = start();
  click("MenuChartTypeComp");
  // Only birthday 2 after the target: one message, no step.
  w.DTPicker1.user_picks(kToday - 100);
  w.DTPicker2.user_picks(kToday - 10);
  click("MenuGoLastMonth");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, birthday_error_text(kToday - 10));
  EXPECT_EQ(w.state.chartdate, kToday - 10);

  // Both after the target: birthday 1 first, then birthday 2 tested from birthday 1 - 28.
  fake.dialogs.messages.clear();
  click("MenuGoToday");
  w.DTPicker1.user_picks(kToday - 5);
  w.DTPicker2.user_picks(kToday - 20);
  click("MenuGoLastMonth");
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0].text, birthday_error_text(kToday - 5));
  EXPECT_EQ(messages()[1].text, birthday_error_text(kToday - 20));
  EXPECT_EQ(w.state.chartdate, kToday - 20);

  // Birthday 1 after the target but birthday 2 far enough back: only the first message.
  fake.dialogs.messages.clear();
  click("MenuGoToday");
  w.DTPicker2.user_picks(kToday - 60);
  click("MenuGoLastMonth");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(w.state.chartdate, kToday - 5);
}

TEST_F(PulsewiseTest, ForwardStepsAndTodayNeverTestTheBirthdays) {
  Form1& w = start();
  w.DTPicker1.user_picks(kToday + 40);
  click("MenuGoNextMonth");
  EXPECT_EQ(w.state.chartdate, kToday + 28);
  click("MenuGoToday");
  EXPECT_EQ(w.DTPicker3.value(), kToday);
  EXPECT_TRUE(messages().empty());
  click("MenuGoYesterday");  // the one backward step here lands on the birthday, after today
  EXPECT_EQ(w.state.chartdate, kToday + 40);
}

TEST_F(PulsewiseTest, PickersGuardTheChartDateAndKeepOrClearTheNames) {
  Form1& w = start();
  w.state.birthname = "Ann";
  w.state.birthname2 = "Bob";
  w.DTPicker1.user_picks(kToday - 400);
  w.DTPicker2.user_picks(kToday - 300);
  EXPECT_EQ(w.state.birthname, "");
  EXPECT_EQ(w.state.birthname2, "Bob");

  click("MenuChartTypeComp");
  w.DTPicker3.user_picks(kToday - 500);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(w.state.chartdate, kToday - 300);
  EXPECT_EQ(w.DTPicker3.value(), kToday - 300);

  w.DTPicker2.user_picks(kToday + 3);  // switching to the comparison chart tests birthday 2
  click("MenuChartTypePulsewise");
  click("MenuChartTypeComp");
  EXPECT_EQ(messages().size(), 3u);
  EXPECT_EQ(w.state.chartdate, kToday + 3);
}

TEST_F(PulsewiseTest, ToolbarButtonsRunTheirMenuOperationsByExactKey) {
  Form1& w = start();
  ASSERT_EQ(w.Toolbar1.buttons.size(), 10u);
  EXPECT_EQ(w.Toolbar1.buttons[2].key, "BackMonth");
  EXPECT_EQ(w.Toolbar1.buttons[2].tooltip, "Back 1 month");
  EXPECT_EQ(w.Toolbar1.buttons[9].image_key, "SpeechIconKey");
  w.Toolbar1.user_presses("ForwardWeek");
  EXPECT_EQ(w.state.chartdate, kToday + 7);
  w.Toolbar1.user_presses("forwardweek");
  w.Toolbar1.user_presses("BackDay");
  EXPECT_EQ(w.state.chartdate, kToday + 6);
  w.Toolbar1.user_presses("Interpret");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, "Interpretation");
}

// ---- Switches, colours and texts ----

TEST_F(PulsewiseTest, SwitchesAndColoursRedrawAndMirrorTheirState) {
  Form1& w = start();
  click("MenuSettingTodayMarker");
  EXPECT_EQ(w.state.todaymarker, kOn);
  EXPECT_TRUE(w.find_menu_item("MenuSettingTodayMarker")->checked);
  click("MenuSettingTodayMarker");
  EXPECT_FALSE(w.find_menu_item("MenuSettingTodayMarker")->checked);

  click("MenuSettingBackgroundColour");  // cancelled: nothing changes
  EXPECT_EQ(w.state.bgcolour, platform::kButtonFace);
  fake.dialogs.colours.push_back(platform::rgb(0, 0, 128));
  click("MenuSettingBackgroundColour");
  EXPECT_EQ(picture(w.Picture1).back_colour(), platform::rgb(0, 0, 128));
  click("MenuShowPhy");
  click("MenuSettingResetColours");
  EXPECT_EQ(w.state.bgcolour, platform::kButtonFace);
  EXPECT_EQ(w.state.showphysical, kOff);
}

TEST_F(PulsewiseTest, AboutAndChartKeyMessages) {
  start();
  click("HelpAbout");
  click("HelpChartKey");
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0].text.rfind("Pulsewise 2.4.9\n\n", 0), 0u);
  EXPECT_EQ(messages()[0].title, "About Pulsewise");
  EXPECT_EQ(messages()[0].icon, Icon::None);
  EXPECT_EQ(messages()[1].text, "P=Physical\nE=Emotional\nI=Intellectual");
  EXPECT_EQ(messages()[1].icon, Icon::Information);
}

// ---- Printing and saving ----

TEST_F(PulsewiseTest, PrintingFromAMaximisedWindowOnlyExplains) {
  Form1& w = start();
  w.set_window_state(form::WindowState::Maximised);
  fake.dialogs.printer_choices.push_back(true);
  click("FilePrint");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("maximized"), std::string::npos);
  EXPECT_NE(messages()[0].text.find("restore"), std::string::npos);
  EXPECT_EQ(messages()[0].icon, Icon::Exclamation);
  EXPECT_TRUE(fake.printer.printed.empty());
  EXPECT_EQ(fake.dialogs.printer_choices.size(), 1u);
}

TEST_F(PulsewiseTest, PrintingCapsTheLayoutOnWhiteAndRestoresTheScreen) {
  Form1& w = start();
  fake.dialogs.colours.push_back(platform::rgb(0, 64, 0));
  click("MenuSettingBackgroundColour");
  w.user_resizes(14000, 9000);
  fake.dialogs.printer_choices.push_back(true);
  w.Toolbar1.user_presses("Print");

  ASSERT_EQ(fake.printer.printed, std::vector<std::string>{"Form2"});
  EXPECT_EQ(w.form2.Picture1.width(), 11500 - 350);
  EXPECT_EQ(w.form2.Picture1.height(), 9000 - 1775);
  EXPECT_EQ(w.form2.width(), 11500 - 350 + Form2::kFrameWidth);
  EXPECT_EQ(picture(w.form2.Picture1).back_colour(), platform::kWhite);
  EXPECT_FALSE(w.form2.visible);
  EXPECT_EQ(w.width(), 14000);
  EXPECT_EQ(w.Picture1.width(), 14000 - 350);
  EXPECT_EQ(picture(w.Picture1).back_colour(), platform::rgb(0, 64, 0));
  EXPECT_EQ(w.state.bgcolour, platform::rgb(0, 64, 0));

  click("FilePrint");  // cancelled in the printer dialog
  EXPECT_EQ(fake.printer.printed.size(), 1u);
  EXPECT_TRUE(messages().empty());
}

TEST_F(PulsewiseTest, SaveAsBitmapWritesThePictureToTheChosenFile) {
  Form1& w = start();
  fake.dialogs.save_paths.push_back("/tmp/charts/ann");
  fake.dialogs.save_paths.push_back("/tmp/charts/bob.bmp");
  click("FileSaveBMP");
  w.Toolbar1.user_presses("Save");
  click("FileSaveBMP");  // cancelled
  EXPECT_EQ(written_paths,
            (std::vector<std::string>{"/tmp/charts/ann.BMP", "/tmp/charts/bob.bmp"}));
  EXPECT_EQ(written_picture, &w.Picture1.surface());
  ASSERT_EQ(fake.dialogs.save_requests.size(), 3u);
  const platform::SaveFileOptions& asked = fake.dialogs.save_requests[0];
  EXPECT_EQ(asked.title, "Save chart as bitmap");
  EXPECT_EQ(asked.filter, "Bitmaps|*.BMP");
  EXPECT_EQ(asked.default_extension, "BMP");
  EXPECT_EQ(asked.initial_name, "Pulsewise");
  EXPECT_TRUE(asked.prompt_overwrite);
  EXPECT_TRUE(messages().empty());

  fail_writes = true;
  fake.dialogs.save_paths.push_back("/readonly/chart.bmp");
  click("FileSaveBMP");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("/readonly/chart.bmp"), std::string::npos);
}

// ---- People list and entry ----

class PeopleTest : public PulsewiseTest {
 protected:
  // The user types a name in the entry window and presses OK.
  void enter(const std::string& name, Serial birthday) {
    fake.dialogs.modal_scripts.push_back([name, birthday](form::Form& f) {
      auto& entry = static_cast<Form6&>(f);
      entry.Text1.user_types_text(name);
      entry.DTPicker1.user_picks(birthday);
      press(entry.Command1);
    });
  }
  void add(const std::string& name, Serial birthday) {
    enter(name, birthday);
    window->form5.Command1_Click();
  }
  void select(const std::string& item) {
    const auto& items = window->form5.List1.items();
    const auto at = std::find(items.begin(), items.end(), item);
    ASSERT_NE(at, items.end()) << item;
    window->form5.List1.user_selects(static_cast<int>(at - items.begin()));
  }
};

TEST_F(PeopleTest, NewFillsTheFirstFreeSlotAndDeleteFreesIt) {
  Form5& people = start().form5;
  add("Zoe", date_serial(1990, 1, 1));
  add("Ann", date_serial(2001, 3, 5));
  EXPECT_EQ(people.List1.items(), (std::vector<std::string>{"Ann (5/3/2001)", "Zoe (1/1/1990)"}));
  EXPECT_EQ(stored("PeopleName 2"), "Ann");
  EXPECT_EQ(stored("PeopleDate 2"), "5/3/2001");
  EXPECT_EQ(stored("PeopleName 50"), "<absent>");  // never changed here

  select("Zoe (1/1/1990)");
  fake.dialogs.answers.push_back(Answer::Yes);
  press(people.Command3);
  EXPECT_EQ(stored("PeopleName 1"), "");
  EXPECT_EQ(stored("PeopleDate 1"), "30/12/1899");
  EXPECT_FALSE(people.Command3.enabled);

  add("", date_serial(1980, 6, 1));
  EXPECT_EQ(people.peoplename[1], "(new)");
  EXPECT_EQ(stored("PeopleDate 1"), "1/6/1980");

  Form5& reloaded = restart().form5;
  EXPECT_EQ(reloaded.List1.items().size(), 2u);
  EXPECT_EQ(reloaded.peoplename[2], "Ann");

  // Names in any script are kept whole.
  add("Łukasz Żak", date_serial(1975, 2, 3));
  EXPECT_EQ(stored("PeopleName 3"), "Łukasz Żak");
  EXPECT_EQ(reloaded.List1.items().back(), "Łukasz Żak (3/2/1975)");
}

// Another copy of the program stores a person and a chart type while this one runs; what this one
// writes afterwards, at a change of the list or at exit, keeps them.
TEST_F(PeopleTest, OnlyWhatThisWindowChangedIsWrittenBack) {
  Form1& w = start();
  add("Zoe", date_serial(1990, 1, 1));
  store("PeopleName 2", "Ann");
  store("PeopleDate 2", "5/3/2001");
  store("Chart type", " 1");
  select("Zoe (1/1/1990)");
  fake.dialogs.answers.push_back(Answer::Yes);
  press(w.form5.Command3);
  click("FileExit");
  EXPECT_EQ(stored("PeopleName 1"), "");
  EXPECT_EQ(stored("PeopleName 2"), "Ann");
  EXPECT_EQ(stored("PeopleDate 2"), "5/3/2001");
  EXPECT_EQ(stored("Chart type"), " 1");
}

TEST_F(PeopleTest, TheFiftyFirstPersonIsRefused) {
  for (int n = 1; n <= 50; ++n) store("PeopleName " + std::to_string(n), "P" + std::to_string(n));
  Form5& people = start().form5;
  people.Command1_Click();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "You have already entered the maximum\nnumber of people.");
  EXPECT_EQ(messages()[0].icon, Icon::Information);
  EXPECT_TRUE(fake.dialogs.modal_forms.empty());
  EXPECT_EQ(people.List1.items().size(), 50u);
  EXPECT_EQ(people.peopledate[7], date_serial(1990, 1, 1));  // no stored date: 1/1/90
}

// Draw chart, Edit and Delete act on the entry picked, never on a person whose name begins it.
TEST_F(PeopleTest, FindPersonTakesExactlyThePickedEntry) {
  store("PeopleName 1", "Anne");
  store("PeopleDate 1", "15/9/1752");
  store("PeopleName 2", "Ann");
  store("PeopleName 3", "Bo");
  store("PeopleName 4", "Bo");
  store("PeopleName 5", "Bo");
  store("PeopleDate 5", "2/2/2002");
  Form5& people = start().form5;
  const std::pair<const char*, int> cases[] = {
      {"Anne (15/9/1752)", 1}, {"Ann (1/1/1990)", 2},  {"Bo (1/1/1990)", 4}, {"Bo (2/2/2002)", 5},
      {"Bob (1/1/1990)", 0},   {"Anne (1/1/1990)", 0}, {"Ann", 0},           {"Carl (1/1/1990)", 0},
  };
  for (const auto& [item, slot] : cases) EXPECT_EQ(people.FindPerson(item), slot) << item;

  // Delete on Anne's entry asks about Anne and removes her alone.
  select("Anne (15/9/1752)");
  fake.dialogs.answers = {platform::Answer::Yes};
  people.Command3.on_click();
  EXPECT_NE(messages().back().text.find("\"Anne\""), std::string::npos);
  EXPECT_TRUE(people.peoplename[1].empty());
  EXPECT_EQ(people.peoplename[2], "Ann");
}

TEST_F(PeopleTest, DeleteAsksByNameAndKeepsThePersonOnNo) {
  store("PeopleName 4", "Jo");
  Form5& people = start().form5;
  select("Jo (1/1/1990)");
  press(people.Command3);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "Are you sure you want to delete the entry\nfor \"Jo\"?");
  EXPECT_EQ(messages()[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(messages()[0].icon, Icon::None);
  EXPECT_EQ(people.peoplename[4], "Jo");
  EXPECT_EQ(stored("PeopleName 4"), "Jo");
}

TEST_F(PeopleTest, EditStoresTheChangeOrAPlaceholderName) {
  store("PeopleName 1", "Al");
  Form5& people = start().form5;
  select("Al (1/1/1990)");
  fake.dialogs.modal_scripts.push_back([](form::Form& f) {
    auto& entry = static_cast<Form6&>(f);
    EXPECT_EQ(entry.Text1.text(), "Al");
    entry.Text1.user_edits("");
    entry.user_closes();  // through the close box, name still empty
  });
  press(people.Command2);
  EXPECT_EQ(people.peoplename[1], "(edited)");
  EXPECT_EQ(stored("PeopleName 1"), "(edited)");
}

TEST_F(PeopleTest, ChoosingAPersonFillsTheBirthdayTheButtonAskedFor) {
  store("PeopleName 1", "Kid");
  store("PeopleDate 1", platform::format_serial(kToday + 30, "d/m/yyyy"));
  store("PeopleName 2", "Gran");
  store("PeopleDate 2", "2/2/1940");
  Form1& w = start();
  fake.dialogs.modal_scripts.push_back([this](form::Form&) {
    select("Gran (2/2/1940)");
    press(window->form5.Command5);
  });
  press(w.Command2);
  EXPECT_EQ(w.state.birthdate2, date_serial(1940, 2, 2));
  EXPECT_EQ(w.state.birthname2, "Gran");
  EXPECT_EQ(w.DTPicker2.value(), date_serial(1940, 2, 2));
  EXPECT_FALSE(w.form5.visible);

  fake.dialogs.modal_scripts.push_back([this](form::Form&) {
    window->form5.List1.user_double_clicks(1);  // "Kid (...)" sorts after "Gran (...)"
  });
  press(w.Command1);
  EXPECT_EQ(w.CallPeople, 1);
  EXPECT_EQ(w.state.birthname, "Kid");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, birthday_error_text(kToday + 30));
  EXPECT_EQ(w.state.chartdate, kToday + 30);
  EXPECT_EQ(w.DTPicker3.value(), kToday + 30);
}

TEST_F(PeopleTest, TheEntryWindowInsistsOnANameAndEnterMovesToTheBirthday) {
  Form6& entry = start().form6;
  entry.prepare("", kToday);
  entry.visible = true;
  EXPECT_EQ(entry.focused(), &entry.Text1);
  entry.Text1.user_types_text("Li");
  entry.Text1.user_types(form::kKeyReturn);
  EXPECT_EQ(entry.focused(), &entry.DTPicker1);
  EXPECT_EQ(entry.Text1.text(), "Li");

  entry.Text1.user_edits("");
  press(entry.Command1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "You must enter a name!");
  EXPECT_EQ(messages()[0].icon, Icon::Exclamation);
  EXPECT_TRUE(entry.visible);

  entry.Text1.user_types_text(std::string(40, 'x'));
  EXPECT_EQ(entry.Text1.text().size(), 30u);
  entry.Text1.user_edits("");
  for (int n = 0; n < 40; ++n) entry.Text1.user_types_text("Ż");  // the limit counts characters
  EXPECT_EQ(entry.Text1.text().size(), 60u);
  press(entry.Command1);
  EXPECT_FALSE(entry.visible);
}

// A year mistyped into the future (3020 for 2020) is refused, and never stored through the close
// box.
TEST_F(PeopleTest, ABirthdayAfterTodayIsRefused) {
  Form5& people = start().form5;
  fake.dialogs.modal_scripts.push_back([this](form::Form& f) {
    auto& entry = static_cast<Form6&>(f);
    entry.Text1.user_types_text("Kit");
    entry.DTPicker1.user_picks(date_serial(3020, 11, 30));
    press(entry.Command1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "You can't enter a birthday after today!");
    EXPECT_EQ(messages()[0].title, "Pulsewise");
    EXPECT_EQ(entry.focused(), &entry.DTPicker1);
    entry.DTPicker1.user_picks(kToday);
    press(entry.Command1);
  });
  people.Command1_Click();
  EXPECT_EQ(people.peopledate[1], kToday);

  select("Kit (" + DateToString(kToday) + ")");
  fake.dialogs.modal_scripts.push_back([](form::Form& f) {
    auto& entry = static_cast<Form6&>(f);
    entry.DTPicker1.user_picks(kToday + 1);
    entry.user_closes();
  });
  press(people.Command2);
  EXPECT_EQ(people.peopledate[1], kToday);
}

TEST_F(PeopleTest, ChoiceButtonsAreEnabledOnlyAfterAClickOnAnItem) {
  store("PeopleName 1", "Al");
  Form5& people = start().form5;
  EXPECT_FALSE(people.Command2.enabled);
  EXPECT_FALSE(people.Command5.enabled);
  select("Al (1/1/1990)");
  EXPECT_TRUE(people.Command2.enabled);
  add("Bea", kToday);
  EXPECT_FALSE(people.Command5.enabled);
  EXPECT_EQ(people.List1.list_index, -1);
}

}  // namespace
}  // namespace pulsewise
