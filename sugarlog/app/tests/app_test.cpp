#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/qt/testing/test_app.h"
#include "sugarlog/app/sugarlog_app.h"

namespace {

namespace fs = std::filesystem;
using platform::read_bytes;
using platform::write_bytes;

QAction* action(QWidget* window, const QString& text) {
  for (QAction* a : window->findChildren<QAction*>()) {
    if (a->text() == text) return a;
  }
  return nullptr;
}

QPushButton* button(QWidget* window, const QString& text) {
  for (QPushButton* b : window->findChildren<QPushButton*>()) {
    if (b->text() == text) return b;
  }
  return nullptr;
}

// The level box is the rightmost box of the add-test panel's first row.
QLineEdit* level_box(QWidget* window) {
  QLineEdit* found = nullptr;
  for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
    if (!found || edit->x() > found->x()) found = edit;
  }
  return found;
}

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "config");
  }
  platform::ScratchFolder scratch_{"sugarlog-app"};
  const fs::path& root_ = scratch_.path();
  platform::FakeProbe probe_;  // the connection check pings nothing outside
};

TEST_F(AppTest, TestTypedIntoTheRealWindowIsSaved) {
  sugarlog_app::Program program(root_ / "program", root_ / "config", &probe_);
  ASSERT_TRUE(program.start());
  QWidget* window = program.qt().renderer().widget_for(program.window());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(fs::exists(root_ / "config" / "sugarlog.ini"));

  QAction* add = action(window, "&Add test");
  ASSERT_NE(add, nullptr);
  add->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(program.window().Cadre_Ajouter.visible);

  QLineEdit* level = level_box(window);
  ASSERT_NE(level, nullptr);
  level->setFocus();
  level->selectAll();
  QTest::keyClicks(level, "5.3");
  QApplication::processEvents();
  EXPECT_EQ(program.window().Dialog_Taux.text(), "5.3");
  EXPECT_EQ(level->text(), "5.3");

  // Every character typed into the note is kept, whatever its script.
  auto* note = window->findChild<QLineEdit*>("Dialog_Note");
  ASSERT_NE(note, nullptr);
  note->setFocus();
  platform_qt::testing::type_text(note, QString::fromUtf8("cœur 5€ Łukasz Żak 😀"));
  QApplication::processEvents();
  EXPECT_EQ(program.window().Dialog_Note.text(), "cœur 5€ Łukasz Żak 😀");

  QPushButton* ok = button(window, "Ok");
  ASSERT_NE(ok, nullptr);
  QTest::mouseClick(ok, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_EQ(program.window().table.Nb_Tests, 1);

  QAction* save = action(window, "&Save");
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->isEnabled());
  save->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(save->isEnabled());

  const std::string bytes = read_bytes(root_ / "program" / "Diabete.dbk");
  EXPECT_TRUE(std::regex_match(
      bytes,
      std::regex(
          "\"\\d\\d.\\d\\d.\\d\\d\",\"\\d\\d:\\d\\d\",\"05.3\",\"cœur 5€ Łukasz Żak 😀\"\r\n")))
      << bytes;
}

// The window opens without Qt Network or Qt Print Support; the first print and the first download
// load them from the program's folder. Only a run of this test alone can see it (the build runs
// it so): in a whole run, other tests have loaded both before.
TEST_F(AppTest, ModulesAreLoadedWhenFirstNeededNotAtStart) {
  using platform_qt::testing::library_loaded;
  if (library_loaded("libQt6Network") || library_loaded("libQt6PrintSupport")) {
    GTEST_SKIP() << "another test loaded the modules first";
  }
  sugarlog_app::Program program(root_ / "program", root_ / "config", &probe_);
  ASSERT_TRUE(program.start());
  EXPECT_FALSE(library_loaded("libQt6PrintSupport"));
  EXPECT_FALSE(library_loaded("libQt6Network"));

  const platform::ScratchFolder pages("sugarlog-modules-pdf");
  program.qt().printer().print_to_pdf_in(QString::fromStdString(pages.path().string()));
  EXPECT_TRUE(program.qt().printer().print_form(program.window()));
  EXPECT_TRUE(library_loaded("libQt6PrintSupport"));
  EXPECT_FALSE(library_loaded("libQt6Network"));

  std::optional<std::string> body;
  program.qt().platform().http.get("http://127.0.0.1:1/refused", 100,
                                   [&](std::string answer) { body = std::move(answer); });
  for (int waited = 0; !body && waited < 5000; waited += 10) QTest::qWait(10);
  EXPECT_EQ(body, "");
  EXPECT_TRUE(library_loaded("libQt6Network"));
}

// Once the add-test panel closes its hidden buttons take no key: Space adds nothing more, and the
// panel opened again after a save has the level box ready for what the user types.
TEST_F(AppTest, KeysAfterTheAddTestPanelClosesLandWhereTheUserIs) {
  sugarlog_app::Program program(root_ / "program", root_ / "config", &probe_);
  ASSERT_TRUE(program.start());
  QWidget* window = program.qt().renderer().widget_for(program.window());
  const auto type_into_focus = [&](const char* keys) {
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QApplication::focusWidget() == level_box(window); }, 1000));
    QTest::keyClicks(QApplication::focusWidget(), keys);
    QApplication::processEvents();
  };

  action(window, "&Add test")->trigger();
  type_into_focus("6.4");
  QTest::mouseClick(button(window, "Ok"), Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_EQ(program.window().table.Nb_Tests, 1);
  for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(program.window().table.Nb_Tests, 1);

  action(window, "&Save")->trigger();
  QApplication::processEvents();
  action(window, "&Add test")->trigger();
  type_into_focus("7");
  EXPECT_EQ(program.window().Dialog_Taux.text(), "7");
}

}  // namespace

// The application lives for the whole run, inside main, so it goes before anything static.
int main(int argc, char** argv) {
  const auto app = platform_qt::testing::make_app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
