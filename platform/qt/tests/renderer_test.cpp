#include "platform/qt/renderer.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/qt/qt_platform.h"
#include "platform/qt/testing/test_app.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

using platform::rgb;

// A window with one of most kinds of control, laid out on a 15-twips grid so every position is
// a whole number of pixels at 96 DPI. Its handlers write what happened into `log`.
struct TestForm {
  explicit TestForm(platform::SurfaceFactory& surfaces)
      : picture(&form, "Picture1", surfaces), lines(&picture, "Ligne") {
    form.set_bounds(1500, 1500, 6120, 5190);  // content 400 x 300 px below the menu bar
    entry.set_bounds(150, 150, 1500, 300);
    cursor.set_bounds(150, 600, 3000, 255);
    people.set_bounds(150, 1050, 1500, 900);
    date.set_bounds(1800, 150, 1500, 375);
    picture.set_bounds(3450, 600, 2400, 1500);
    button.set_bounds(1800, 1050, 1200, 375);
    label.set_bounds(1800, 1650, 1500, 255);
    toolbar.set_bounds(150, 2700, 3000, 420);
    toolbar.buttons = {{"Print", "Print", "dot"}, {"Today", "Goto today", "dot"}};

    cursor.max = 100;
    people.add_item("Ada");
    people.add_item("Grace");
    people.add_item("Linus");
    picture.surface().set_back_colour(platform::kWhite);
    picture.surface().clear();
    form::Line& first = lines.load(0);
    first.x1 = 0, first.y1 = 150, first.x2 = 2400, first.y2 = 150;
    first.border_colour = rgb(0, 0, 255);

    menu_today.on_click = [this] { log.push_back("today"); };
    menu_next.on_click = [this] { log.push_back("next"); };
    menu_off.enabled = false;
    menu_off.on_click = [this] { log.push_back("off"); };
    menu_file.on_click = [this] { log.push_back("file opened"); };
    menu_back.on_click = [this] { log.push_back("back"); };
    entry.on_key_press = [this](int& key) {
      log.push_back("key " + std::to_string(key));
      if (key >= 'a' && key <= 'z') key -= 32;  // upper case only
      if (key >= '0' && key <= '9') key = 0;    // no digits
    };
    entry.on_change = [this] { log.push_back("entry " + entry.text()); };
    cursor.on_change = [this] { log.push_back("cursor " + std::to_string(cursor.value())); };
    people.on_click = [this] { log.push_back("person " + people.selected_text()); };
    people.on_double_click = [this] { log.push_back("chosen " + people.selected_text()); };
    date.on_change = [this] { log.push_back("date picked"); };
    timer.on_tick = [this] {
      log.push_back("tick");
      if (++ticks == 3) timer.enabled = false;
    };
    toolbar.on_button_click = [this](const std::string& key) { log.push_back("tool " + key); };
    form.on_key_down = [this](int key, int shift) {
      log.push_back("form key " + std::to_string(key) + "/" + std::to_string(shift));
    };
    form.on_unload = [this] { log.push_back("unload"); };
  }

  bool logged(const std::string& entry_text) const {
    return std::find(log.begin(), log.end(), entry_text) != log.end();
  }

  form::Form form{"TestForm", "Renderer test"};
  form::MenuItem& menu_file = form.add_menu("MenuFile", "&File");
  form::MenuItem& menu_today = menu_file.add("MenuToday", "&Today", "Ctrl+T");
  form::MenuItem& menu_next = menu_file.add("MenuNext", "Next &day", "F1");
  form::MenuItem& menu_line = menu_file.add("MenuLine", "-");
  form::MenuItem& menu_off = menu_file.add("MenuOff", "&Disabled", "F2");
  form::MenuItem& menu_go = menu_file.add("MenuGo", "&Go to");
  form::MenuItem& menu_back = menu_go.add("MenuBack", "&Back", "Shift+F1");
  form::TextBox entry{&form, "Entry"};
  form::ScrollBar cursor{&form, "Curseur"};
  form::ListBox people{&form, "People"};
  form::DatePicker date{&form, "DTPicker1", platform::date_serial(2024, 3, 1)};
  form::PictureBox picture;
  form::ControlArray<form::Line> lines;
  form::Timer timer{&form, "Timer1", 10, false};
  form::Button button{&form, "Command1", "&Birthday"};
  form::Label label{&form, "Label1", "&Name && date"};
  form::Toolbar toolbar{&form, "Toolbar1"};
  std::vector<std::string> log;
  int ticks = 0;
};

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pictures.isValid());
    const QString dot = pictures.filePath("dot.svg");
    QFile svg(dot);
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">)"
              R"(<rect width="16" height="16" fill="#00ff00"/></svg>)");
    svg.close();
    renderer().register_picture("dot", dot);
  }

  Renderer& renderer() { return qt.renderer(); }
  QWidget* window() { return renderer().widget_for(test.form); }
  template <typename W>
  W* widget(const char* name) {
    return window()->findChild<W*>(QString::fromLatin1(name));
  }
  void show_active() {
    renderer().show(test.form);
    window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  }
  QColor pixel_at(QPoint at) { return renderer().grab(test.form).pixelColor(at); }
  // The model changes the way a handler would, then the widgets catch up.
  void handler(const std::function<void()>& change) {
    change();
    renderer().refresh();
  }

  bool started = (testing::app(), true);
  QTemporaryDir pictures;
  QtPlatform qt{QStringLiteral(MODULES_FOLDER)};
  TestForm test{qt.platform().surfaces};
};

TEST_F(RendererTest, BuildsHiddenWidgetsAtTheirTwipPositions) {
  renderer().attach(test.form);
  ASSERT_NE(window(), nullptr);
  EXPECT_FALSE(window()->isVisible());
  EXPECT_EQ(window()->windowTitle(), "Renderer test");
  EXPECT_EQ(widget<QLineEdit>("Entry")->geometry(), QRect(10, 10, 100, 20));
  EXPECT_EQ(widget<QScrollBar>("Curseur")->geometry(), QRect(10, 40, 200, 17));
  EXPECT_EQ(widget<QWidget>("Picture1")->geometry(), QRect(230, 40, 160, 100));
  EXPECT_EQ(widget<QLabel>("Label1")->text(), "Name & date");
  EXPECT_EQ(widget<QPushButton>("Command1")->text(), "&Birthday");
  EXPECT_EQ(widget<QListWidget>("People")->count(), 3);
  EXPECT_EQ(widget<QDateEdit>("DTPicker1")->date(), QDate(2024, 3, 1));
  // The content area is the form less the desktop's frame and menu bar.
  const QWidget* content = widget<QPushButton>("Command1")->parentWidget();
  EXPECT_EQ(content->size(), QSize(400, 300));
  EXPECT_EQ(window()->pos(), QPoint(100, 100));
}

// A new widget is placed before it is first shown: never sized to its content, even where its
// place is the one Qt gives a new widget (0, 0, 100 x 30), and a hidden control stays hidden when
// its window shows.
TEST_F(RendererTest, NewWidgetsAreShownWhereTheModelPutsThem) {
  test.label.caption = "A caption far longer than one hundred pixels of the desktop's font";
  test.label.set_bounds(0, 0, 1500, 450);
  test.entry.visible = false;
  show_active();
  EXPECT_EQ(widget<QLabel>("Label1")->geometry(), QRect(0, 0, 100, 30));
  EXPECT_TRUE(widget<QLabel>("Label1")->isVisible());
  EXPECT_FALSE(widget<QLineEdit>("Entry")->isVisible());
  handler([this] { test.entry.visible = true; });
  EXPECT_TRUE(widget<QLineEdit>("Entry")->isVisible());
  EXPECT_EQ(widget<QLineEdit>("Entry")->geometry(), QRect(10, 10, 100, 20));
}

TEST_F(RendererTest, ShowsAndHidesWithTheModel) {
  show_active();
  EXPECT_TRUE(test.form.visible);
  EXPECT_TRUE(window()->isVisible());
  test.button.on_click = [this] { test.form.visible = false; };
  QTest::mouseClick(widget<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_FALSE(window()->isVisible());
}

TEST_F(RendererTest, TypedKeysGoThroughTheKeyFilterOfTheModel) {
  show_active();
  auto* edit = widget<QLineEdit>("Entry");
  edit->setFocus();
  QTest::keyClicks(edit, "ab1c");
  EXPECT_EQ(test.entry.text(), "ABC");
  EXPECT_EQ(edit->text(), "ABC");
  EXPECT_TRUE(test.logged("key 49"));  // '1' seen by the filter, then discarded
  EXPECT_EQ(std::count_if(test.log.begin(), test.log.end(),
                          [](const std::string& e) { return e.rfind("entry ", 0) == 0; }),
            3);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(test.entry.text(), "AB");
  QTest::keyClick(edit, Qt::Key_Home);  // navigation is the widget's, the caret goes back
  EXPECT_EQ(test.entry.sel_start, 0);
  QTest::keyClicks(edit, "x");
  EXPECT_EQ(test.entry.text(), "XAB");
  EXPECT_EQ(edit->cursorPosition(), 1);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(test.logged("key 13"));
  EXPECT_EQ(test.entry.text(), "XAB");
  // A character composed with a dead key goes through the filter like a typed one.
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("é2"));
  QApplication::sendEvent(edit, &composed);
  EXPECT_TRUE(test.logged("key 233"));
  EXPECT_EQ(test.entry.text(), "XéAB");
  EXPECT_EQ(edit->text(), QString::fromUtf8("XéAB"));
}

// The widget owns editing: keys the filter lets through, keys it changes, a program's rewrite and
// composed characters all land in one undo history, in any script, and the model follows each
// step as whole UTF-8 text with a limit counted in characters.
TEST_F(RendererTest, TextBoxesKeepEveryCharacterAndTheirUndoHistory) {
  show_active();
  auto* edit = widget<QLineEdit>("Entry");
  edit->setFocus();
  QTest::keyClicks(edit, "ab1");
  platform_qt::testing::type_text(edit, QString::fromUtf8("œ€Ł😀"));
  EXPECT_EQ(test.entry.text(), "ABœ€Ł😀");
  EXPECT_EQ(edit->text(), QString::fromUtf8("ABœ€Ł😀"));
  EXPECT_EQ(test.entry.sel_start, 6);  // characters, not bytes

  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(test.entry.text(), "");  // the whole typing run is one undo step, as in any line edit
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(test.entry.text(), "ABœ€Ł😀");

  // The program's rewrite is an undoable step too, and the model follows the widget back.
  handler([this] { test.entry.set_text("Żak"); });
  EXPECT_EQ(edit->text(), QString::fromUtf8("Żak"));
  EXPECT_TRUE(edit->isUndoAvailable());
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(test.entry.text(), "Żak");
  EXPECT_EQ(test.entry.text(), edit->text().toStdString());
  handler([this] { test.entry.set_text("AB"); });

  // An input method shows its composition in the box and commits through the filter.
  QInputMethodEvent composing(QStringLiteral("e"), {});
  QApplication::sendEvent(edit, &composing);
  EXPECT_EQ(test.entry.text(), "AB");
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("éz"));
  QApplication::sendEvent(edit, &committed);
  EXPECT_EQ(test.entry.text(), "ABéZ");

  handler([this] {
    test.entry.max_length = 3;
    test.entry.set_text("ŁŁŁŁ");
  });
  EXPECT_EQ(test.entry.text(), "ŁŁŁ");
  EXPECT_EQ(edit->text(), QString::fromUtf8("ŁŁŁ"));
  QTest::keyClick(edit, Qt::Key_End);
  platform_qt::testing::type_text(edit, QString::fromUtf8("Ł"));
  EXPECT_EQ(test.entry.text(), "ŁŁŁ");
}

TEST_F(RendererTest, OtherEditsReachTheModelAsTheWholeText) {
  show_active();
  handler([this] { test.entry.set_text("ABC"); });
  auto* edit = widget<QLineEdit>("Entry");
  EXPECT_EQ(edit->text(), "ABC");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClick(edit, Qt::Key_Right);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(test.entry.text(), "AC");
  EXPECT_EQ(test.entry.sel_start, 1);
  EXPECT_EQ(edit->cursorPosition(), 1);
  // A selection made in the widget is where the next typed key goes.
  edit->selectAll();
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(test.entry.text(), "Z");
}

TEST_F(RendererTest, ScrollBarChangesFromTheUserAndFromCodeRaiseOneEventEach) {
  show_active();
  auto* bar = widget<QScrollBar>("Curseur");
  EXPECT_EQ(bar->maximum(), 100);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(test.cursor.value(), 1);
  handler([this] { test.cursor.set_value(50); });
  EXPECT_EQ(bar->value(), 50);
  EXPECT_EQ(test.log, (std::vector<std::string>{"cursor 1", "cursor 50"}));
}

// The widgets are brought up to date by what changed since they were last given the model's
// state; what the user changes on a widget is always compared with the widget itself.
TEST_F(RendererTest, EveryChangeAHandlerMakesReachesTheWidgetsAndNothingElse) {
  show_active();
  // A move the handler refuses puts the thumb back, though the model's value never changed.
  auto* bar = widget<QScrollBar>("Curseur");
  test.cursor.on_change = [this] { test.cursor.set_value(0); };
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(test.cursor.value(), 0);
  EXPECT_EQ(bar->value(), 0);
  // A checked item chosen again keeps its check mark.
  test.menu_next.checked = true;
  renderer().refresh();
  QAction* next = window()->findChild<QMenuBar*>()->actions().at(0)->menu()->actions().at(1);
  ASSERT_TRUE(next->isChecked());
  next->trigger();
  EXPECT_TRUE(next->isChecked());
  // A label rewritten by a mouse move over it, the mouse moving again with nothing to change.
  auto* label = widget<QLabel>("Label1");
  int moves = 0;
  test.label.on_mouse_move = [&](double, double) {
    test.label.caption = std::to_string(++moves / 2);
  };
  for (int i = 0; i < 3; ++i) QTest::mouseMove(label, QPoint(5 + i, 5));
  EXPECT_EQ(label->text(), QString::number(moves / 2));
  // A line recoloured and put back, as printing does, and a line hidden.
  const QPoint on_line(230 + 80, 40 + 10);
  handler([this] { test.lines[0].border_colour = rgb(255, 0, 0); });
  EXPECT_EQ(pixel_at(on_line), QColor(255, 0, 0));
  handler([this] { test.lines[0].border_colour = rgb(0, 0, 255); });
  EXPECT_EQ(pixel_at(on_line), QColor(0, 0, 255));
  handler([this] { test.lines[0].visible = false; });
  EXPECT_EQ(pixel_at(on_line), QColor(255, 255, 255));
  // A control made and one destroyed by the same handler.
  auto extra = std::make_unique<form::Label>(&test.form, "Extra", "new");
  renderer().refresh();
  ASSERT_NE(widget<QLabel>("Extra"), nullptr);
  handler([&] {
    extra.reset();
    test.button.caption = "&Other";
  });
  EXPECT_EQ(widget<QPushButton>("Command1")->text(), "&Other");
}

TEST_F(RendererTest, ListBoxClicksSelectAndDoubleClicksChoose) {
  show_active();
  auto* list = widget<QListWidget>("People");
  const QPoint grace = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, grace);
  EXPECT_EQ(test.people.list_index, 1);
  EXPECT_EQ(test.log, std::vector<std::string>{"person Grace"});
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, grace);  // again: a click again
  EXPECT_EQ(test.log.size(), 2u);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, grace);
  EXPECT_TRUE(test.logged("chosen Grace"));
  handler([this] {
    test.people.clear();
    test.people.add_item("Zoe");
  });
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(list->currentRow(), -1);
}

TEST_F(RendererTest, FocusingAListChoosesNothing) {
  show_active();
  auto* list = widget<QListWidget>("People");
  list->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(test.people.list_index, -1);
  EXPECT_TRUE(test.log.empty());
}

TEST_F(RendererTest, DatePickerRaisesItsEventOnlyForTheUser) {
  show_active();
  auto* edit = widget<QDateEdit>("DTPicker1");
  handler([this] { test.date.set_value(platform::date_serial(2025, 12, 24)); });
  EXPECT_EQ(edit->date(), QDate(2025, 12, 24));
  EXPECT_TRUE(test.log.empty());
  edit->setDate(QDate(2026, 1, 2));  // as the calendar popup does
  EXPECT_EQ(test.date.value(), platform::date_serial(2026, 1, 2));
  EXPECT_EQ(test.log, std::vector<std::string>{"date picked"});
}

TEST_F(RendererTest, PictureBoxShowsItsImageAndItsLinesComeAndGo) {
  show_active();
  const QPoint origin(230, 40);  // the picture box in the content area
  handler([this] {
    test.picture.surface().line(0, 600, 2400, 600, rgb(255, 0, 0));
    test.picture.image_changed();
  });
  EXPECT_EQ(pixel_at(origin + QPoint(80, 40)), QColor(255, 0, 0));
  EXPECT_EQ(pixel_at(origin + QPoint(80, 10)), QColor(0, 0, 255));  // line 0 of the array
  EXPECT_EQ(pixel_at(origin + QPoint(80, 70)), QColor(255, 255, 255));
  handler([this] {
    form::Line& more = test.lines.load(1);
    more.y1 = more.y2 = 1050;
  });
  EXPECT_EQ(pixel_at(origin + QPoint(80, 70)), QColor(0, 0, 255));
  handler([this] { test.lines.unload(1); });
  EXPECT_EQ(pixel_at(origin + QPoint(80, 70)), QColor(255, 255, 255));
}

TEST_F(RendererTest, ToolbarButtonsCarryTheirPictureAndKey) {
  show_active();
  auto* toolbar = widget<QToolBar>("Toolbar1");
  ASSERT_EQ(toolbar->actions().size(), 2);
  QAction* today = toolbar->actions().at(1);
  EXPECT_EQ(today->toolTip(), "Goto today");
  EXPECT_FALSE(today->icon().isNull());
  QTest::mouseClick(toolbar->widgetForAction(today), Qt::LeftButton);
  EXPECT_EQ(test.log, std::vector<std::string>{"tool Today"});
}

TEST_F(RendererTest, TimersTickThroughTheModelUntilItStopsThem) {
  show_active();
  test.button.on_click = [this] { test.timer.enabled = true; };
  QTest::mouseClick(widget<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([this] { return test.ticks >= 3; }, 2000));
  QTest::qWait(60);
  EXPECT_EQ(test.ticks, 3);
}

TEST_F(RendererTest, MenuShortcutsAndOpeningAMenuReachTheModel) {
  show_active();
  QTest::keyClick(window(), Qt::Key_T, Qt::ControlModifier);
  QTest::keyClick(window(), Qt::Key_F1);
  QTest::keyClick(window(), Qt::Key_F2);                     // disabled item
  QTest::keyClick(window(), Qt::Key_F1, Qt::ShiftModifier);  // in a sub-menu
  EXPECT_EQ(test.log, (std::vector<std::string>{"today", "next", "back"}));

  auto* bar = window()->findChild<QMenuBar*>();
  ASSERT_EQ(bar->actions().size(), 1);
  QMenu* file = bar->actions().at(0)->menu();
  EXPECT_EQ(file->title(), "&File");
  file->popup(QPoint(0, 0));
  EXPECT_TRUE(test.logged("file opened"));
  file->hide();

  handler([this] {
    test.menu_today.caption = "&Aujourd'hui";
    test.menu_today.checked = true;
  });
  QAction* today = file->actions().at(0);
  EXPECT_EQ(today->text(), "&Aujourd'hui");
  EXPECT_TRUE(today->isChecked());
  EXPECT_TRUE(file->actions().at(2)->isSeparator());
  EXPECT_FALSE(file->actions().at(3)->isEnabled());
  ASSERT_NE(file->actions().at(4)->menu(), nullptr);
  EXPECT_EQ(file->actions().at(4)->menu()->actions().at(0)->text(), "&Back");
}

TEST_F(RendererTest, KeysReachTheFormWhenNoControlTakesThemOrWithKeyPreview) {
  show_active();
  QWidget* focused = QApplication::focusWidget();
  if (focused) focused->clearFocus();
  QTest::keyClick(window(), Qt::Key_Escape);
  EXPECT_EQ(test.log, std::vector<std::string>{"form key 27/0"});
  test.log.clear();

  auto* edit = widget<QLineEdit>("Entry");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_TRUE(test.log.empty());  // the text box has it
  test.form.key_preview = true;
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClicks(edit, "a");
  EXPECT_EQ(test.log, (std::vector<std::string>{"form key 16/1", "form key 37/1", "form key 65/0",
                                                "key 97", "entry A"}));
}

TEST_F(RendererTest, MovingTheFocusRaisesLostFocus) {
  test.entry.on_lost_focus = [this] { test.log.push_back("entry lost focus"); };
  show_active();
  widget<QLineEdit>("Entry")->setFocus();
  EXPECT_EQ(test.form.focused(), &test.entry);
  widget<QListWidget>("People")->setFocus();
  EXPECT_EQ(test.form.focused(), &test.people);
  EXPECT_TRUE(test.logged("entry lost focus"));
  // A handler putting the focus back, as a field check does.
  handler([this] { test.form.set_focus(&test.entry); });
  EXPECT_TRUE(QTest::qWaitFor([this] { return widget<QLineEdit>("Entry")->hasFocus(); }, 1000));
  // A lost-focus handler that keeps the focus where it was.
  test.log.clear();
  test.entry.on_lost_focus = [this] {
    test.log.push_back("entry lost focus");
    test.form.set_focus(&test.entry);
  };
  widget<QPushButton>("Command1")->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([this] { return widget<QLineEdit>("Entry")->hasFocus(); }, 1000));
  EXPECT_EQ(test.form.focused(), &test.entry);
  EXPECT_EQ(test.log, std::vector<std::string>{"entry lost focus"});
}

// A control hidden or disabled while it holds the focus, with no other control to take it,
// leaves the focus to the window: keys typed afterwards never reach the control, even sent to its
// widget, and the window's own keys work again.
TEST_F(RendererTest, AHiddenOrDisabledControlNeverKeepsTheFocus) {
  show_active();
  int clicks = 0;
  test.button.on_click = [&] { ++clicks; };
  handler([this] { test.cursor.enabled = test.people.enabled = test.date.enabled = false; });
  auto* button = widget<QPushButton>("Command1");
  auto* edit = widget<QLineEdit>("Entry");
  const std::vector<std::pair<QWidget*, std::function<void()>>> cases = {
      {button, [this] { test.button.visible = false; }},
      {button, [this] { test.button.enabled = false; }},
      {edit, [this] { test.entry.visible = test.button.enabled = false; }},
  };
  for (const auto& [lost, lose] : cases) {
    handler([&] {
      test.entry.visible = test.entry.enabled = test.button.visible = test.button.enabled = true;
    });
    lost->setFocus();
    test.log.clear();
    handler(lose);
    QApplication::processEvents();
    EXPECT_EQ(test.form.focused(), nullptr);
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window();
    EXPECT_NE(focus, lost);
    QTest::keyClicks(focus, " a");
    QTest::keyClicks(lost, " b");  // sent to the widget itself all the same
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(test.entry.text(), "");
    EXPECT_TRUE(test.logged("form key 27/0"));
  }
}

// Tab reaches the scroll bar, and the arrow and page keys move it as the mouse does.
TEST_F(RendererTest, TheKeyboardMovesAScrollBar) {
  show_active();
  auto* edit = widget<QLineEdit>("Entry");
  edit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(edit, Qt::Key_Tab);
  auto* bar = widget<QScrollBar>("Curseur");
  ASSERT_EQ(QApplication::focusWidget(), bar);
  EXPECT_EQ(test.form.focused(), &test.cursor);
  handler([this] { test.cursor.large_change = 10; });
  test.log.clear();
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_PageDown,
                      Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home}) {
    QTest::keyClick(bar, key);
  }
  EXPECT_EQ(test.log,
            (std::vector<std::string>{"cursor 1", "cursor 2", "cursor 1", "cursor 11", "cursor 21",
                                      "cursor 11", "cursor 100", "cursor 0"}));
}

// Alt+letter opens the menu shown with that letter, never one that is hidden.
TEST_F(RendererTest, AHiddenMenuTakesNoAltLetter) {
  form::MenuItem& hidden = test.form.add_menu("MenuAnalyse", "&Analyse");
  hidden.add("MenuSang", "&Sang");
  hidden.visible = false;
  hidden.on_click = [this] { test.log.push_back("analyse opened"); };
  form::MenuItem& help = test.form.add_menu("MenuAide", "&Aide");
  help.add("MenuApropos", "&A propos");
  help.on_click = [this] { test.log.push_back("aide opened"); };
  show_active();
  QTest::keyClick(window(), Qt::Key_A, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return test.logged("aide opened"); }, 1000));
  EXPECT_FALSE(test.logged("analyse opened"));
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

TEST_F(RendererTest, UserResizesReachTheModelAndItsRulesWin) {
  show_active();
  test.form.on_resize = [this] {
    test.log.push_back("resize");
    if (test.form.width() < 5000) test.form.set_width(5000);
  };
  QWidget* content = widget<QPushButton>("Command1")->parentWidget();
  const int menu = window()->height() - content->height();
  window()->resize(600, 400 + menu);
  EXPECT_DOUBLE_EQ(test.form.width(), 600 * 15 + 120);
  EXPECT_DOUBLE_EQ(test.form.height(), 400 * 15 + 690);
  EXPECT_EQ(test.log, std::vector<std::string>{"resize"});
  window()->resize(200, 400 + menu);  // too narrow: the model puts it back to 5000 twips
  QTest::qWait(20);
  EXPECT_DOUBLE_EQ(test.form.width(), 5000);
  EXPECT_EQ(window()->width(), 325);  // (5000 - 120) / 15, rounded
  EXPECT_EQ(content->size(), QSize(325, 400));
}

TEST_F(RendererTest, WindowStateFollowsTheModelAndTheUser) {
  show_active();
  test.form.on_resize = [this] { test.log.push_back("resize"); };
  handler([this] { test.form.set_window_state(form::WindowState::Maximised); });
  EXPECT_TRUE(window()->isMaximized());
  EXPECT_DOUBLE_EQ(test.form.normal_bounds().width, 6120);
  test.log.clear();
  window()->showNormal();  // the user restores it
  QTest::qWait(20);
  EXPECT_EQ(test.form.window_state(), form::WindowState::Normal);
  EXPECT_TRUE(test.logged("resize"));
  EXPECT_DOUBLE_EQ(test.form.width(), 6120);
  EXPECT_EQ(widget<QPushButton>("Command1")->parentWidget()->size(), QSize(400, 300));
  window()->showMaximized();  // and maximises it again
  QTest::qWait(20);
  EXPECT_EQ(test.form.window_state(), form::WindowState::Maximised);
  EXPECT_DOUBLE_EQ(test.form.normal_bounds().width, 6120);
}

TEST_F(RendererTest, ClosingTheLastWindowRunsUnloadAndEndsTheProgram) {
  show_active();
  window()->close();
  EXPECT_EQ(test.log, std::vector<std::string>{"unload"});
  EXPECT_FALSE(test.form.visible);
  EXPECT_FALSE(window()->isVisible());
  EXPECT_TRUE(qt.program().ending());
}

TEST_F(RendererTest, NoHandlerRunsOnceTheProgramEnds) {
  show_active();
  test.button.on_click = [this] {
    test.log.push_back("button");
    qt.program().end_program();
  };
  auto* button = widget<QPushButton>("Command1");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(window()->isVisible());
  button->click();
  QTest::keyClick(window(), Qt::Key_F1);
  EXPECT_EQ(test.log, std::vector<std::string>{"button"});
}

TEST_F(RendererTest, RunModalReturnsOnceAHandlerHidesTheForm) {
  show_active();
  form::Form dialog("Form5", "People");
  dialog.set_bounds(0, 0, 3120, 2190);
  form::Button ok(&dialog, "OK", "OK");
  ok.set_bounds(150, 150, 1200, 375);
  ok.on_click = [&] { dialog.visible = false; };
  bool was_modal = false;
  QTimer::singleShot(50, [&] {
    QWidget* shown = renderer().widget_for(dialog);
    was_modal = shown && shown->isVisible() && shown->isModal();
    QTest::mouseClick(shown->findChild<QPushButton*>("OK"), Qt::LeftButton);
  });
  test.button.on_click = [&] {
    qt.dialogs().show_modal(dialog);
    test.log.push_back("modal over");
  };
  QTest::mouseClick(widget<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(test.log, std::vector<std::string>{"modal over"});
  EXPECT_FALSE(renderer().widget_for(dialog)->isVisible());
  renderer().detach(dialog);
  EXPECT_EQ(renderer().widget_for(dialog), nullptr);
}

TEST_F(RendererTest, ControlsMadeAtRunTimeAppearAndDisappear) {
  show_active();
  auto extra = std::make_unique<form::Label>(&test.form, "Extra", "Loaded later");
  extra->set_bounds(150, 3300, 1500, 255);
  renderer().refresh();
  auto* label = widget<QLabel>("Extra");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Loaded later");
  EXPECT_TRUE(label->isVisible());
  extra.reset();
  renderer().refresh();
  EXPECT_FALSE(label->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(widget<QLabel>("Extra"), nullptr);
}

TEST_F(RendererTest, CommonPropertiesFollowTheModel) {
  show_active();
  auto* button = widget<QPushButton>("Command1");
  handler([this] {
    test.button.enabled = false;
    test.button.tooltip = "Pick a person";
    test.button.font_size = 12;
    test.button.font_bold = true;
    test.label.fore_colour = rgb(255, 0, 0);
    test.label.back_colour = platform::kButtonFace;
    test.people.visible = false;
    test.form.pointer = form::Pointer::Busy;
    test.button.caption = "&Anniversaire";
  });
  EXPECT_FALSE(button->isEnabled());
  EXPECT_EQ(button->toolTip(), "Pick a person");
  EXPECT_EQ(button->font().pointSizeF(), 12);
  EXPECT_TRUE(button->font().bold());
  EXPECT_EQ(button->text(), "&Anniversaire");
  auto* label = widget<QLabel>("Label1");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(label->autoFillBackground());
  EXPECT_FALSE(widget<QListWidget>("People")->isVisible());
  EXPECT_EQ(window()->cursor().shape(), Qt::WaitCursor);
  handler([this] {
    test.people.visible = true;
    test.form.pointer = form::Pointer::Default;
  });
  EXPECT_TRUE(widget<QListWidget>("People")->isVisible());
  EXPECT_EQ(window()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(RendererTest, DisabledControlsLookDisabled) {
  show_active();
  handler([this] {
    test.label.fore_colour = rgb(255, 0, 0);
    test.label.enabled = false;
  });
  // Greyed like any disabled text, not in the colour it has when enabled.
  const QPalette label = widget<QLabel>("Label1")->palette();
  EXPECT_EQ(label.color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_NE(label.color(QPalette::Disabled, QPalette::WindowText), QColor(255, 0, 0));

  // A scroll bar drops its thumb: where the thumb was, the groove shows.
  auto* bar = widget<QScrollBar>("Curseur");
  handler([this] { test.cursor.set_value(50); });
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = Qt::Horizontal;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  const QRect thumb =
      bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  const QPoint in_thumb = thumb.center();
  const QPoint in_groove(thumb.left() - 8, thumb.center().y());
  const QImage enabled = bar->grab().toImage();
  EXPECT_NE(enabled.pixelColor(in_thumb), enabled.pixelColor(in_groove));
  handler([this] { test.cursor.enabled = false; });
  const QImage disabled = bar->grab().toImage();
  EXPECT_EQ(disabled.pixelColor(in_thumb), disabled.pixelColor(in_groove));
}

TEST_F(RendererTest, SystemColoursFollowTheDesktopTheme) {
  handler([this] { test.label.back_colour = platform::kButtonFace; });
  show_active();
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Button, QColor(53, 53, 53));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  QTest::qWait(20);
  EXPECT_EQ(to_qcolor(platform::kButtonFace), QColor(53, 53, 53));
  EXPECT_EQ(to_qcolor(platform::kButtonText), QColor(230, 230, 230));
  EXPECT_EQ(to_qcolor(rgb(240, 240, 240)), QColor(240, 240, 240));  // a colour of its own stays
  // Windows already open take the new colours.
  EXPECT_EQ(widget<QLabel>("Label1")->palette().color(QPalette::Window), QColor(53, 53, 53));
  QApplication::setPalette(before);
  QTest::qWait(20);
  EXPECT_EQ(to_qcolor(platform::kButtonFace), before.color(QPalette::Button));
}

TEST_F(RendererTest, AWindowStoredOffTheScreenOpensWhollyOnIt) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  std::vector<double> widths;
  test.form.on_resize = [&] { widths.push_back(test.form.width()); };
  // Saved on a screen twice as large, far to the right and above the top.
  test.form.set_bounds(screen.right() * 15.0 * 2, -3000, screen.width() * 15.0 * 2, 6000);
  show_active();
  const form::Bounds now = test.form.bounds();
  EXPECT_DOUBLE_EQ(now.width, screen.width() * 15.0);
  EXPECT_DOUBLE_EQ(now.left, screen.left() * 15.0);
  EXPECT_DOUBLE_EQ(now.top, screen.top() * 15.0);
  EXPECT_DOUBLE_EQ(now.height, 6000);
  // The form heard of its new size, so it could lay itself out for it.
  EXPECT_EQ(widths, std::vector<double>{now.width});
  EXPECT_TRUE(screen.contains(window()->frameGeometry().topLeft()));
  EXPECT_LE(window()->x() + window()->width(), screen.right() + 1);

  // Where it fits, a window opens where it was.
  test.form.visible = false;
  renderer().refresh();
  handler([this] { test.form.set_bounds(1500, 1500, 6120, 5190); });
  show_active();
  EXPECT_EQ(test.form.bounds(), (form::Bounds{1500, 1500, 6120, 5190}));
  EXPECT_EQ(window()->pos(), QPoint(100, 100));
}

TEST_F(RendererTest, FramesShapesAndImagesAreDrawn) {
  form::Frame frame(&test.form, "Frame1", "&Options");
  frame.set_bounds(3450, 2400, 2400, 1200);  // (230, 160) 160 x 80 px
  form::Shape box(&frame, "Shape1");
  box.set_bounds(300, 300, 600, 450);
  box.fill_colour = rgb(255, 255, 0);
  box.border_colour = rgb(0, 0, 0);
  form::Image picture(&frame, "Image1", "dot");
  picture.set_bounds(1200, 300, 600, 600);
  show_active();
  EXPECT_EQ(widget<QGroupBox>("Frame1")->title(), "&Options");
  const QPoint frame_at(230, 160);
  EXPECT_EQ(pixel_at(frame_at + QPoint(30, 25)), QColor(255, 255, 0));  // inside the shape
  EXPECT_EQ(pixel_at(frame_at + QPoint(20, 20)), QColor(0, 0, 0));      // its border
  EXPECT_EQ(pixel_at(frame_at + QPoint(100, 40)), QColor(0, 255, 0));   // the picture, stretched
  handler([&] { box.outline = form::Shape::Outline::Circle; });
  EXPECT_NE(pixel_at(frame_at + QPoint(21, 21)), QColor(0, 0, 0));  // a circle leaves corners
}

TEST_F(RendererTest, PrintsAWindowToAPdfFileWhenTold) {
  QTemporaryDir out;
  qt.printer().print_to_pdf_in(out.path());
  renderer().attach(test.form);
  EXPECT_TRUE(qt.printer().print_form(test.form));
  const QStringList files = QDir(out.path()).entryList({"*.pdf"}, QDir::Files);
  ASSERT_EQ(files.size(), 1);
  QFile pdf(out.filePath(files.first()));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));
  EXPECT_GT(pdf.size(), 1000);
}

TEST_F(RendererTest, ScreenshotOfTheWindow) {
  show_active();
  handler([this] {
    test.entry.set_text("Typed");
    test.picture.surface().line(0, 750, 2400, 750, rgb(255, 0, 0));
    test.picture.image_changed();
  });
  const QImage shot = window()->grab().toImage();
  EXPECT_EQ(shot.size(), window()->size());
  shot.save(QDir::temp().filePath("platform_qt_renderer.png"));
}

}  // namespace
}  // namespace platform_qt
