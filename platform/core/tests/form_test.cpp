#include "platform/core/form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/testing/fakes.h"

namespace form {
namespace {

TEST(TextBox, ChangeEventOnlyOnARealChange) {
  Form window("Form1");
  TextBox box(&window, "Text1");
  int changes = 0;
  box.on_change = [&] { ++changes; };
  box.set_text("12");
  box.set_text("12");
  EXPECT_EQ(changes, 1);
  box.user_edits("12");
  EXPECT_EQ(changes, 1);
  box.set_text("");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(box.sel_start, 0);
}

TEST(TextBox, HandlerSettingTheTextAgainReEnters) {
  Form window("Form1");
  TextBox box(&window, "Dialog_Taux");
  std::vector<std::string> seen;
  box.on_change = [&] {
    seen.push_back(box.text());
    if (box.text().size() > 3) box.set_text(box.text().substr(0, 3));  // re-enters once
  };
  box.set_text("12345");
  EXPECT_EQ(seen, (std::vector<std::string>{"12345", "123"}));
  EXPECT_EQ(box.text(), "123");
  EXPECT_EQ(box.sel_start, 3);
}

TEST(TextBox, KeyFilterGetsTheKeyByReference) {
  Form window("Form1");
  TextBox box(&window, "Dialog_Taux");
  std::vector<int> keys;
  box.on_key_press = [&](int& key) {
    keys.push_back(key);
    if (key == ',') key = '.';              // replaced
    if (key >= 'a' && key <= 'z') key = 0;  // discarded
  };
  box.user_types_text("1,5x");
  EXPECT_EQ(box.text(), "1.5");
  EXPECT_EQ(keys, (std::vector<int>{'1', ',', '5', 'x'}));
  box.user_types(kKeyReturn);  // seen by the filter, types nothing
  EXPECT_EQ(keys.back(), kKeyReturn);
  EXPECT_EQ(box.text(), "1.5");
}

TEST(TextBox, TypingReplacesTheSelectionAndBackspaceDeletes) {
  Form window("Form1");
  TextBox box(&window, "Text1");
  int changes = 0;
  box.on_change = [&] { ++changes; };
  box.set_text("12:30");
  box.sel_start = 0;
  box.sel_length = 2;
  box.user_types('9');
  EXPECT_EQ(box.text(), "9:30");
  EXPECT_EQ(box.sel_start, 1);
  EXPECT_EQ(box.sel_length, 0);
  box.user_types(kKeyBackspace);
  EXPECT_EQ(box.text(), ":30");
  EXPECT_EQ(box.sel_start, 0);
  box.user_types(kKeyBackspace);  // nothing before the caret: no change, no event
  EXPECT_EQ(box.text(), ":30");
  box.select_all();
  box.user_types(kKeyBackspace);
  EXPECT_EQ(box.text(), "");
  EXPECT_EQ(changes, 4);
}

TEST(TextBox, OutOfRangeSelectionIsClampedAndMaxLengthHolds) {
  Form window("Form1");
  TextBox box(&window, "Text1");
  box.max_length = 3;
  box.set_text("abcdef");
  EXPECT_EQ(box.text(), "abc");
  box.user_types('d');  // full
  EXPECT_EQ(box.text(), "abc");
  box.sel_start = 99;
  box.sel_length = -4;
  box.user_types(kKeyBackspace);
  EXPECT_EQ(box.text(), "ab");
  box.sel_start = 1;
  box.sel_length = 1;
  box.user_types('X');  // replaces, so it fits
  EXPECT_EQ(box.text(), "aX");
}

// Text is UTF-8 and every position and limit counts characters: a character beyond Latin-1 is
// typed whole, deleted whole and never cut in half by the limit.
TEST(TextBox, CharactersOfEveryScriptCountAsOne) {
  Form window("Form1");
  TextBox box(&window, "Text1");
  box.user_types_text("cœur 5€");
  EXPECT_EQ(box.text(), "cœur 5€");
  EXPECT_EQ(box.sel_start, 7);
  box.user_types(kKeyBackspace);
  EXPECT_EQ(box.text(), "cœur 5");
  box.sel_start = 1;
  box.sel_length = 1;
  box.user_types(0x1F600);  // 😀 replaces œ
  EXPECT_EQ(box.text(), "c😀ur 5");
  box.select_all();
  EXPECT_EQ(box.sel_length, 6);

  box.max_length = 4;
  box.set_text("ŁukaszŻak");
  EXPECT_EQ(box.text(), "Łuka");
  box.user_types(0x17B);  // full
  EXPECT_EQ(box.text(), "Łuka");
}

TEST(ScrollBar, ValueIsClampedAndChangesOnlyOnce) {
  Form window("Form1");
  ScrollBar bar(&window, "Curseur");
  bar.min = 0;
  bar.max = 100;
  std::vector<int> values;
  bar.on_change = [&] { values.push_back(bar.value()); };
  bar.set_value(250);
  bar.set_value(100);
  bar.set_value(-5);
  EXPECT_EQ(values, (std::vector<int>{100, 0}));
  bar.min = 10;
  bar.max = 0;  // a reversed range still bounds the value
  bar.set_value(50);
  EXPECT_EQ(bar.value(), 10);
}

TEST(ScrollBar, HandlerSettingTheValueReEnters) {
  Form window("Form1");
  ScrollBar bar(&window, "Curseur");
  bool redraw = true;  // as a Graphique_Actif flag would
  std::vector<std::pair<int, bool>> calls;
  bar.on_change = [&] {
    calls.emplace_back(bar.value(), redraw);
    if (bar.value() == 5) {
      redraw = false;
      bar.set_value(7);
      redraw = true;
    }
  };
  bar.set_value(5);
  EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{5, true}, {7, false}}));
}

TEST(DatePicker, OnlyUserPicksRaiseTheEvent) {
  Form window("Form1");
  DatePicker picker(&window, "DTPicker1", platform::date_serial(2024, 1, 1) + 0.75);
  EXPECT_EQ(picker.value(), platform::date_serial(2024, 1, 1));  // the day only
  int changes = 0;
  picker.on_change = [&] { ++changes; };
  picker.set_value(platform::date_serial(2024, 2, 1));
  EXPECT_EQ(changes, 0);
  picker.user_picks(platform::date_serial(2024, 2, 1) + 0.5);  // same day
  EXPECT_EQ(changes, 0);
  picker.user_picks(platform::date_serial(2024, 2, 2));
  EXPECT_EQ(changes, 1);
}

TEST(ListBox, SelectionsOutsideTheItemsAreIgnored) {
  Form window("Form5");
  ListBox list(&window, "List1");
  list.sorted = true;
  for (const char* name : {"Zoe", "Ada", "Max"}) list.add_item(name);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"Ada", "Max", "Zoe"}));
  int clicks = 0;
  list.on_click = [&] { ++clicks; };
  list.user_selects(3);
  list.user_selects(-1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(list.selected_text(), "");
  list.user_selects(1);
  EXPECT_EQ(list.selected_text(), "Max");
  list.clear();
  EXPECT_EQ(list.list_index, -1);
  EXPECT_EQ(list.selected_text(), "");
}

TEST(ControlArray, LoadsCopyElementZeroAndUnloadsLeaveTheContainer) {
  Form window("Fenetre");
  ControlArray<Line> lines(&window, "Ligne");
  Line& zero = lines.load(0);
  zero.x1 = 10, zero.y2 = 20;
  zero.border_colour = platform::rgb(255, 0, 0);
  zero.visible = false;
  Line& two = lines.load(2);
  EXPECT_EQ(two.name(), "Ligne(2)");
  EXPECT_EQ(two.x1, 10);
  EXPECT_EQ(two.y2, 20);
  EXPECT_EQ(two.border_colour, platform::rgb(255, 0, 0));
  EXPECT_FALSE(two.visible);
  EXPECT_NE(two.id(), zero.id());
  EXPECT_EQ(window.children().size(), 2u);
  EXPECT_TRUE(lines.loaded(2));
  EXPECT_FALSE(lines.loaded(1));

  const auto old_id = two.id();
  lines.unload(2);
  EXPECT_EQ(window.children().size(), 1u);
  EXPECT_EQ(window.find("Ligne(2)"), nullptr);
  // Reloading the same index is a new control, never mistaken for the old one.
  EXPECT_NE(lines.load(2).id(), old_id);
  EXPECT_EQ(lines.size(), 2u);
}

TEST(Container, DescendantsAreFoundAtAnyDepthNearestLevelFirst) {
  Form window("Fenetre");
  Frame outer(&window, "Cadre");
  Frame inner(&outer, "Cadre_Interne");
  Label deep(&inner, "Titre");
  Label near(&window, "Titre");
  Button only_deep(&inner, "Ok");
  EXPECT_EQ(window.find_descendant("Titre"), &near);
  EXPECT_EQ(window.find_descendant("Ok"), &only_deep);
  EXPECT_EQ(outer.find_descendant("Titre"), &deep);
  EXPECT_EQ(window.find_descendant("Fenetre"), nullptr);
  const auto id = only_deep.id();
  EXPECT_EQ(window.find_descendant_if([id](const Control& c) { return c.id() == id; }), &only_deep);
}

TEST(Timer, TicksOnlyWhenEnabledWithAnInterval) {
  Form window("Fenetre");
  Timer timer(&window, "Timer_Ping", 1000, false);
  int ticks = 0;
  timer.on_tick = [&] { ++ticks; };
  timer.tick();
  timer.enabled = true;
  timer.tick();
  timer.interval_ms = 0;
  timer.tick();
  EXPECT_EQ(ticks, 1);
}

TEST(Menu, OpeningAndChoosingRaiseClicksUnlessDisabledOrHidden) {
  Form window("Fenetre");
  MenuItem& file = window.add_menu("Menu_Fichier", "&File");
  MenuItem& save = file.add("Menu_Sauve", "&Save", "Ctrl+S");
  MenuItem& line = file.add("Menu_Trait", "-");
  std::vector<std::string> clicks;
  file.on_click = [&] { clicks.push_back("file"); };
  save.on_click = [&] { clicks.push_back("save"); };
  line.on_click = [&] { clicks.push_back("line"); };
  file.user_clicks();
  save.user_clicks();
  line.user_clicks();
  save.enabled = false;
  save.user_clicks();
  save.enabled = true;
  save.visible = false;
  save.user_clicks();
  EXPECT_EQ(clicks, (std::vector<std::string>{"file", "save"}));
  EXPECT_EQ(window.find_menu_item("Menu_Sauve"), &save);
  EXPECT_EQ(window.find_menu_item("Menu_Nothing"), nullptr);
  EXPECT_TRUE(line.is_separator());
}

TEST(Toolbar, DisabledToolbarIgnoresPresses) {
  Form window("Form1");
  Toolbar bar(&window, "Toolbar1");
  std::vector<std::string> keys;
  bar.on_button_click = [&](const std::string& key) { keys.push_back(key); };
  bar.user_presses("Print");
  bar.enabled = false;
  bar.user_presses("Save");
  EXPECT_EQ(keys, std::vector<std::string>{"Print"});
}

TEST(Form, NormalBoundsSurviveMaximisingAndComeBack) {
  Form window("Form1");
  window.set_bounds(100, 200, 7000, 5000);
  int resizes = 0;
  window.on_resize = [&] { ++resizes; };
  window.set_window_state(WindowState::Maximised);
  EXPECT_EQ(resizes, 1);
  window.user_resizes(19200, 11000);  // the maximised size
  window.user_moves(0, 0);
  EXPECT_EQ(resizes, 2);
  EXPECT_EQ(window.width(), 19200);
  EXPECT_EQ(window.normal_bounds().width, 7000);
  EXPECT_EQ(window.normal_bounds().left, 100);
  window.set_window_state(WindowState::Maximised);  // no change, no event
  EXPECT_EQ(resizes, 2);
  window.set_window_state(WindowState::Normal);
  EXPECT_EQ(resizes, 3);
  EXPECT_EQ(window.width(), 7000);
  EXPECT_EQ(window.height(), 5000);
  EXPECT_EQ(window.left(), 100);
  EXPECT_EQ(window.top(), 200);
}

TEST(Form, ResizeEventOnlyForARealSizeChange) {
  Form window("Form1");
  window.set_bounds(0, 0, 6000, 4000);
  std::vector<double> widths;
  window.on_resize = [&] {
    widths.push_back(window.width());
    if (window.width() < 5000) window.set_width(5000);  // snaps back, no event of its own
  };
  window.user_resizes(6000, 4000);
  window.user_resizes(4000, 4000);
  EXPECT_EQ(widths, std::vector<double>{4000});
  EXPECT_EQ(window.width(), 5000);
  EXPECT_EQ(window.normal_bounds().width, 5000);
}

TEST(Form, BoundsFitWithinTheScreenMovedFirstAndShrunkOnlyWhenTooLarge) {
  const Bounds screen{0, 0, 19200, 10800};
  struct Case {
    Bounds window, fitted;
  };
  const Case cases[] = {
      {{1500, 1500, 6000, 4000}, {1500, 1500, 6000, 4000}},    // inside: untouched
      {{30000, 900, 6000, 4000}, {13200, 900, 6000, 4000}},    // off to the right
      {{-2000, -500, 6000, 4000}, {0, 0, 6000, 4000}},         // above and to the left
      {{16000, 9000, 6000, 4000}, {13200, 6800, 6000, 4000}},  // over the bottom-right corner
      {{5000, 5000, 40000, 20000}, {0, 0, 19200, 10800}},      // larger than the screen
      {{-90000, 3000, 25000, 4000}, {0, 3000, 19200, 4000}},   // too wide, far left
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fit_within(c.window, screen), c.fitted) << c.window.left << "," << c.window.top;
  }
  // A second screen to the left of the first has negative coordinates.
  EXPECT_EQ(fit_within({-30000, 100, 6000, 4000}, {-19200, 0, 19200, 10800}),
            (Bounds{-19200, 100, 6000, 4000}));
  EXPECT_EQ(fit_within({1, 2, 3, 4}, {}), (Bounds{1, 2, 3, 4}));  // no screen: left alone
}

TEST(Form, MovingTheFocusRaisesLostFocusOfTheControlLeft) {
  Form window("Fenetre");
  TextBox first(&window, "Dialog_Date");
  TextBox second(&window, "Dialog_Heure");
  std::vector<std::string> lost;
  first.on_lost_focus = [&] {
    lost.push_back("first");
    // A lost-focus handler may move the focus back, as a field check does.
    window.set_focus(&first);
  };
  second.on_lost_focus = [&] { lost.push_back("second"); };
  window.set_focus(&first);
  EXPECT_TRUE(lost.empty());
  window.set_focus(&first);
  EXPECT_TRUE(lost.empty());
  window.set_focus(&second);
  EXPECT_EQ(lost, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(window.focused(), &first);
  first.on_lost_focus = nullptr;
  window.set_focus(nullptr);
  EXPECT_EQ(window.focused(), nullptr);
}

TEST(Form, CloseRunsUnloadThenHidesAndKeysReachTheHandler) {
  Form window("Form1");
  window.visible = true;
  bool visible_during_unload = false;
  window.on_unload = [&] { visible_during_unload = window.visible; };
  std::vector<std::pair<int, int>> keys;
  window.on_key_down = [&](int key, int shift) { keys.emplace_back(key, shift); };
  window.user_key_down(kKeyEscape, 0);
  window.user_closes();
  EXPECT_TRUE(visible_during_unload);
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{kKeyEscape, 0}}));
}

TEST(Form, UnloadHandlerCanKeepTheWindowOpenForOneClose) {
  Form window("Fenetre");
  window.visible = true;
  bool keep = true;
  window.on_unload = [&] {
    if (keep) window.keep_open();
  };
  window.user_closes();
  EXPECT_TRUE(window.visible);
  keep = false;
  window.user_closes();
  EXPECT_FALSE(window.visible);
}

TEST(Form, UnloadingTheFocusedControlForgetsTheFocus) {
  Form window("Fenetre");
  Frame panel(&window, "Cadre_Ajouter");
  auto note = std::make_unique<TextBox>(&panel, "Dialog_Note");
  TextBox other(&panel, "Dialog_Taux");
  window.set_focus(note.get());
  note.reset();
  EXPECT_EQ(window.focused(), nullptr);
  window.set_focus(&other);  // must not call into the destroyed control
  EXPECT_EQ(window.focused(), &other);
}

TEST(PictureBox, ResizingResizesTheSurfaceAndMarksTheImage) {
  platform::RecordingSurfaceFactory surfaces;
  Form window("Form1");
  PictureBox picture(&window, "Picture1", surfaces);
  const unsigned before = picture.image_serial();
  picture.set_bounds(120, 480, 6735, 2895);
  EXPECT_EQ(picture.surface().width(), 6735);
  EXPECT_EQ(picture.surface().height(), 2895);
  EXPECT_GT(picture.image_serial(), before);
  const unsigned after = picture.image_serial();
  picture.set_left(200);  // a move keeps the image
  EXPECT_EQ(picture.image_serial(), after);
}

}  // namespace
}  // namespace form
