// The real window on Qt (offscreen): menus and toolbar are real actions, the chart a real image.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "platform/core/testing/fakes.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/testing/test_app.h"
#include "pulsewise/app/pulsewise_program.h"

namespace pulsewise {
namespace {

class AppTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { platform_qt::testing::app(); }

  // Each test starts on an empty settings folder of its own.
  AppTest() { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }

  Program& start() {
    program = std::make_unique<Program>(&dialogs);
    program->start();
    return *program;
  }
  QAction& action(const QString& text) {
    for (QAction* a : program->renderer().widget_for(program->window())->findChildren<QAction*>()) {
      if (a->text() == text) return *a;
    }
    ADD_FAILURE() << "no action " << text.toStdString();
    static QAction none;
    return none;
  }
  QImage chart() {
    auto& surface = dynamic_cast<platform_qt::QImageSurface&>(program->window().Picture1.surface());
    return surface.image().convertToFormat(QImage::Format_RGB32);
  }

  QTemporaryDir config;
  QTemporaryDir out;
  platform::FakeDialogs dialogs;
  std::unique_ptr<Program> program;
};

QString said(QWidget* window, const char* control, QAccessible::Text text) {
  return QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(control))->text(text);
}

// What a screen reader finds in the three windows: fields named after their labels or what they
// hold, and the chart saying what it shows now.
TEST_F(AppTest, ScreenReadersFindEveryControlNamed) {
  Program& p = start();
  Form1& w = p.window();
  const struct {
    form::Form* form;
    const char* control;
    const char* name;
  } rows[] = {
      {&w, "DTPicker1", "Birthday date"},  {&w, "DTPicker3", "Chart date"},
      {&w.form5, "List1", "People"},       {&w.form6, "Text1", "Name"},
      {&w.form6, "DTPicker1", "Birthday"},
  };
  for (const auto& row : rows) {
    p.renderer().attach(*row.form);
    QWidget* window = p.renderer().widget_for(*row.form);
    EXPECT_EQ(said(window, row.control, QAccessible::Name).toStdString(), row.name);
  }
  QWidget* window = p.renderer().widget_for(w);
  const QString before = said(window, "Picture1", QAccessible::Description);
  EXPECT_TRUE(before.startsWith("Biorhythm chart of ")) << before.toStdString();
  action("Next &day").trigger();
  EXPECT_NE(said(window, "Picture1", QAccessible::Description), before);
}

// The name box's Enter goes on to the birthday, Enter there presses OK, Escape presses Close or
// closes the entry window.
TEST_F(AppTest, EnterAndEscapeAnswerThePeopleAndEntryWindows) {
  Program& p = start();
  Form1& w = p.window();
  const struct {
    form::Form* form;
    const char* focus;
    const char* typed;
    Qt::Key key;
    bool open_after;
  } rows[] = {
      {&w.form6, "Text1", "Ann", Qt::Key_Return, true},
      {&w.form6, "DTPicker1", "", Qt::Key_Return, false},
      {&w.form6, "Text1", "", Qt::Key_Escape, false},
      {&w.form5, "List1", "", Qt::Key_Escape, false},
  };
  for (const auto& row : rows) {
    if (!row.form->visible) p.renderer().show(*row.form);
    QWidget* window = p.renderer().widget_for(*row.form);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->findChild<QWidget*>(row.focus)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(QApplication::focusWidget(), row.typed);
    QTest::keyClick(QApplication::focusWidget(), row.key);
    QApplication::processEvents();
    EXPECT_EQ(row.form->visible, row.open_after) << row.form->name() << " " << row.focus;
  }
  EXPECT_EQ(w.form6.Text1.text(), "Ann");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AppTest, NextDayFromTheMenuMovesTheChartDateAndRedraws) {
  Program& p = start();
  QWidget* window = p.renderer().widget_for(p.window());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  const platform::Serial today = p.window().state.chartdate;
  const QImage before = chart();

  action("Next &day").trigger();

  EXPECT_EQ(p.window().state.chartdate, today + 1);
  EXPECT_NE(chart(), before);
  const platform::Ymd next = platform::ymd_of(today + 1);
  const QDate shown(next.year, next.month, next.day);
  bool picker_shows_it = false;
  for (QDateEdit* edit : window->findChildren<QDateEdit*>()) {
    picker_shows_it = picker_shows_it || (edit->isVisible() && edit->date() == shown);
  }
  EXPECT_TRUE(picker_shows_it);
}

// A date typed in full into the chart-date picker is the chart date before Enter is pressed, so
// the next command starts from it.
TEST_F(AppTest, TypedChartDateCountsBeforeEnter) {
  Program& p = start();
  p.window().state.birthdate = platform::date_serial(1990, 1, 1);
  QDateEdit* picker = nullptr;
  for (QDateEdit* edit : p.renderer().widget_for(p.window())->findChildren<QDateEdit*>()) {
    if (edit->isVisible() && edit->date() == QDate::currentDate()) picker = edit;
  }
  ASSERT_NE(picker, nullptr);
  picker->setFocus();
  picker->setSelectedSection(QDateTimeEdit::DaySection);
  QTest::keyClicks(picker, "15062031");
  EXPECT_EQ(p.window().state.chartdate, platform::date_serial(2031, 6, 15));

  action("Next &day").trigger();
  EXPECT_EQ(p.window().state.chartdate, platform::date_serial(2031, 6, 16));
  EXPECT_EQ(picker->date(), QDate(2031, 6, 16));

  // A typed date the window refuses (before the birthday) does not stay on the picker.
  p.window().state.birthdate = platform::date_serial(2030, 1, 1);
  picker->setSelectedSection(QDateTimeEdit::DaySection);
  QTest::keyClicks(picker, "01012000");
  EXPECT_EQ(p.window().state.chartdate, platform::date_serial(2030, 1, 1));
  EXPECT_EQ(picker->date(), QDate(2030, 1, 1));
}

TEST_F(AppTest, ToolbarButtonsCarryTheirPictures) {
  Program& p = start();
  const auto bars = p.renderer().widget_for(p.window())->findChildren<QToolBar*>();
  ASSERT_EQ(bars.size(), 1);
  ASSERT_EQ(bars[0]->actions().size(), 10);
  for (QAction* button : bars[0]->actions()) {
    EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
  }
}

// Both chart types saved as bitmaps: each file holds exactly the picture on screen, with the
// curves in their colours.
TEST_F(AppTest, SaveAsBitmapWritesWhatThePictureShows) {
  Program& p = start();
  p.window().state.birthdate = p.window().state.chartdate - 15000;
  p.window().state.birthdate2 = p.window().state.chartdate - 9000;
  p.window().drawchart();
  const auto save_as = [&](const QString& name) {
    dialogs.save_paths.push_back(out.filePath(name).toStdString());
    action("&Save as BMP...").trigger();
    const QImage saved(out.filePath(name + ".BMP"), "BMP");
    EXPECT_FALSE(saved.isNull()) << name.toStdString();
    return saved.convertToFormat(QImage::Format_RGB32);
  };
  const QImage biorhythm = save_as("biorhythm");
  EXPECT_EQ(biorhythm, chart());
  action("&Comparison chart").trigger();
  const QImage comparison = save_as("comparison");
  EXPECT_EQ(comparison, chart());
  EXPECT_NE(biorhythm, comparison);
  for (const QImage& image : {biorhythm, comparison}) {
    bool red = false, green = false, blue = false;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        red = red || pixel == qRgb(255, 0, 0);
        green = green || pixel == qRgb(0, 255, 0);
        blue = blue || pixel == qRgb(0, 0, 255);
      }
    }
    EXPECT_TRUE(red && green && blue);
  }
}

// The window opens without Qt Print Support; the first print loads it from the program's folder.
// Only a run of this test alone can see it (the build runs it so): in a whole run, other tests
// have printed before.
TEST_F(AppTest, ModulesAreLoadedWhenFirstNeededNotAtStart) {
  using platform_qt::testing::library_loaded;
  if (library_loaded("libQt6PrintSupport")) GTEST_SKIP() << "another test printed first";
  Program& p = start();
  EXPECT_FALSE(library_loaded("libQt6PrintSupport"));
  p.qt().printer().print_to_pdf_in(out.path());
  dialogs.printer_choices.push_back(true);
  action("&Print...").trigger();
  EXPECT_FALSE(p.qt().printer().last_pdf().isEmpty());
  EXPECT_TRUE(library_loaded("libQt6PrintSupport"));
}

TEST_F(AppTest, PrintingPutsTheChartOnWhiteOnThePageAndLeavesTheScreenAsItWas) {
  Program& p = start();
  p.qt().printer().print_to_pdf_in(out.path());
  const QImage screen = chart();
  dialogs.printer_choices.push_back(true);
  action("&Print...").trigger();

  ASSERT_FALSE(p.qt().printer().last_pdf().isEmpty());
  EXPECT_GT(QFileInfo(p.qt().printer().last_pdf()).size(), 0);
  // The page holds the whole chart as it was laid out for printing, on white.
  const QImage canvas = p.renderer().grab(p.window().form2);
  const auto& printed =
      dynamic_cast<platform_qt::QImageSurface&>(p.window().form2.Picture1.surface()).image();
  EXPECT_GE(canvas.width(), printed.width());
  EXPECT_GE(canvas.height(), printed.height());
  EXPECT_EQ(canvas.pixelColor(canvas.width() - 2, canvas.height() - 2), QColor(Qt::white));
  EXPECT_FALSE(p.renderer().widget_for(p.window().form2)->isVisible());
  EXPECT_EQ(chart(), screen);
}

// "Print to File" in the printer dialog: the page goes to the file the user chose, written through
// a new file and a rename, so a link planted under the name is replaced, never followed. A page
// that cannot be written is reported.
TEST_F(AppTest, PrintingToAChosenFileWritesThatFileAndNothingElse) {
  Program& p = start();
  const QString victim = out.filePath("victim.txt");
  const QString chosen = out.filePath("chart.pdf");
  {
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
  }
  ASSERT_TRUE(QFile::link(victim, chosen));
  platform_qt::PrintTarget& printer = *p.qt().printer().target();
  printer.set_pdf_output(chosen);
  dialogs.printer_choices.push_back(true);
  action("&Print...").trigger();

  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(p.qt().printer().last_pdf(), chosen);
  EXPECT_FALSE(QFileInfo(chosen).isSymLink());
  QFile page(chosen);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_TRUE(page.read(5).startsWith("%PDF-"));
  QFile kept(victim);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "keep me");
  EXPECT_EQ(printer.output_file(), chosen);  // the dialog offers the same file next time
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            (QStringList{"chart.pdf", "victim.txt"}));

  printer.set_output_file(out.filePath("no-such-folder/chart.pdf"));
  dialogs.printer_choices.push_back(true);
  action("&Print...").trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "The chart could not be printed.");
}

TEST_F(AppTest, ExitWritesTheSettingsFile) {
  Program& p = start();
  action("Next &week").trigger();
  action("&Average curve").trigger();
  action("E&xit").trigger();
  EXPECT_TRUE(p.qt().program().ending());
  platform_qt::IniSettingsStore reread(config.path());
  EXPECT_EQ(reread.get("Hollowmere", "Pulsewise", "Average", "?"), "-1");
  // A value the user did not change is not this copy's to write.
  EXPECT_EQ(reread.get("Hollowmere", "Pulsewise", "Chart type", "?"), "?");
  EXPECT_TRUE(dialogs.messages.empty());
}

// Two copies of the program on one settings file: one adds a person, which is written at once;
// the other, started before, exits afterwards and writes its settings. The person stays.
TEST_F(AppTest, TwoCopiesOnOneSettingsFileKeepEachOthersPeople) {
  Program& first = start();
  platform::FakeDialogs other_dialogs;
  Program second(&other_dialogs);
  second.start();

  dialogs.modal_scripts.push_back([](form::Form& f) {
    auto& entry = static_cast<Form6&>(f);
    entry.Text1.user_types_text("Ann");
    entry.Command1.on_click();
  });
  first.window().form5.Command1_Click();
  ASSERT_EQ(first.window().form5.peoplename[1], "Ann");

  // The second copy adds a person too: the slot the first one filled is not free any more.
  other_dialogs.modal_scripts.push_back([](form::Form& f) {
    auto& entry = static_cast<Form6&>(f);
    entry.Text1.user_types_text("Bob");
    entry.Command1.on_click();
  });
  second.window().form5.Command1_Click();
  EXPECT_EQ(second.window().form5.peoplename[2], "Bob");

  second.window().state.charttype = 1;
  second.window().FileExit_Click();
  EXPECT_TRUE(other_dialogs.messages.empty());

  platform_qt::IniSettingsStore reread(config.path());
  EXPECT_EQ(reread.get("Hollowmere", "Pulsewise", "PeopleName 1", "?"), "Ann");
  EXPECT_EQ(reread.get("Hollowmere", "Pulsewise", "PeopleName 2", "?"), "Bob");
  EXPECT_EQ(reread.get("Hollowmere", "Pulsewise", "Chart type", "?"), " 1");
}

// A settings file that cannot be read: the user is told once, the program runs on the defaults
// and the file is still there, whole, after exit.
TEST_F(AppTest, AnUnreadableSettingsFileIsToldAndKept) {
  QDir(config.path()).mkdir("Hollowmere.ini");
  Program& p = start();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("Hollowmere.ini: Is a directory"), std::string::npos);
  action("&Average curve").trigger();
  action("E&xit").trigger();
  EXPECT_TRUE(p.qt().program().ending());
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(QFileInfo(config.filePath("Hollowmere.ini")).isDir());
}

// A dark desktop palette: the chart on the button face draws its frame in the button text colour,
// and no curve is lost in the dark; the saved bitmap keeps the chart's own colours.
TEST_F(AppTest, TheChartFollowsADarkPalette) {
  struct Restore {
    QPalette light = QApplication::palette();
    ~Restore() {
      QApplication::setPalette(light);
      QApplication::processEvents();
    }
  } restore;
  QPalette dark = restore.light;
  dark.setColor(QPalette::Button, QColor(53, 53, 53));
  dark.setColor(QPalette::ButtonText, Qt::white);
  QApplication::setPalette(dark);
  QApplication::processEvents();
  Program& p = start();
  p.window().state.birthdate = p.window().state.chartdate - 15000;
  p.window().drawchart();
  const auto count = [](const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  };
  const QImage screen = chart();
  EXPECT_EQ(screen.pixel(0, 0), qRgb(53, 53, 53));
  EXPECT_EQ(count(screen, qRgb(0, 0, 0)) + count(screen, qRgb(0, 0, 255)), 0);
  EXPECT_GT(count(screen, qRgb(255, 255, 255)), screen.width() / 2);  // at least the axis

  dialogs.save_paths.push_back(out.filePath("dark").toStdString());
  action("&Save as BMP...").trigger();
  const QImage saved =
      QImage(out.filePath("dark.BMP"), "BMP").convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(count(saved, qRgb(0, 0, 0)), screen.width() / 2);  // the axis as chosen
  EXPECT_EQ(chart(), screen);                                  // and the screen is as it was
}

}  // namespace
}  // namespace pulsewise
