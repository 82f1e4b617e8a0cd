// The real window as a screen reader and a keyboard-only user meet it: every control that takes
// the focus named in the window's language, the pictures describing what they show, Enter and
// Escape acting on the add-test panel, and the window printed from the keyboard. The same tests
// run under an English and a French desktop.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/app/sugarlog_app.h"

namespace {

namespace fs = std::filesystem;

QAction* action(QWidget* window, const char* text) {
  for (QAction* a : window->findChildren<QAction*>()) {
    if (a->text() == QString::fromUtf8(text)) return a;
  }
  return nullptr;
}

int letters(const QString& text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }));
}

// Every interface below `iface` that is shown and takes the focus, with its path.
void focusable(QAccessibleInterface* iface, const QString& path,
               std::vector<std::pair<QString, QAccessibleInterface*>>& out) {
  if (!iface || iface->state().invisible) return;
  const QString here = path + "/" + iface->object()->objectName();
  if (iface->state().focusable) out.emplace_back(here, iface);
  for (int i = 0; i < iface->childCount(); ++i) focusable(iface->child(i), here, out);
}

QAccessibleInterface* accessible(QWidget* window, const char* name) {
  return QAccessible::queryAccessibleInterface(
      window->findChild<QWidget*>(QString::fromLatin1(name)));
}

class AccessAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.path() / "program");
    fs::create_directories(scratch_.path() / "config");
    std::ofstream(scratch_.path() / "program" / "Diabete.dbk", std::ios::binary)
        << "\"11/06/26\",\"08:00\",\"05.5\",\"\"\r\n\"01/06/26\",\"08:00\",\"07.5\",\"\"\r\n";
    program_ = std::make_unique<sugarlog_app::Program>(scratch_.path() / "program",
                                                       scratch_.path() / "config", &probe_);
    ASSERT_TRUE(program_->start());
    window_ = program_->qt().renderer().widget_for(program_->window());
  }
  bool french() const { return program_->window().Langue == 1; }
  const char* in_language(const char* en, const char* fr) const { return french() ? fr : en; }
  void choose(const char* en, const char* fr) {
    QAction* item = action(window_, in_language(en, fr));
    ASSERT_NE(item, nullptr) << en;
    item->trigger();
    QApplication::processEvents();
  }
  QWidget* focus() const { return QApplication::focusWidget(); }

  platform::ScratchFolder scratch_{"sugarlog-access"};
  platform::FakeProbe probe_;
  std::unique_ptr<sugarlog_app::Program> program_;
  QWidget* window_ = nullptr;
};

TEST_F(AccessAppTest, EveryFocusableControlIsNamedInTheWindowsLanguage) {
  choose("&Add test", "&Ajouter analyse");
  std::vector<std::pair<QString, QAccessibleInterface*>> found;
  focusable(QAccessible::queryAccessibleInterface(window_), "", found);
  EXPECT_GE(found.size(), 7u);
  for (const auto& [path, iface] : found) {
    EXPECT_GE(letters(iface->text(QAccessible::Name)), 2) << path.toStdString();
  }
  struct Row {
    const char* control;
    const char* en;
    const char* fr;
  };
  const Row rows[] = {
      {"Dialog_Date", "Date", "Date"},
      {"Dialog_Heure", "Time", "Heure"},
      {"Dialog_Taux", "Rate", "Taux"},
      {"Dialog_Note", "Note", "Note"},
      {"Bout_Ok", "Ok", "Ok"},
      {"Bout_Cancel", "Cancel", "Annuler"},
      {"Bout_Auj", "Return today", "Retour aujourd'hui"},
      {"Curseur", "Chart date", "Date du graphique"},
      {"Img_Cam1", "Print the chart", "Imprimer le graphique"},
      {"Graphique", "Glucose chart", "Graphique de glycémie"},
      {"Img_Therm", "Thermometer", "Thermomètre"},
  };
  for (const Row& row : rows) {
    QAccessibleInterface* iface = accessible(window_, row.control);
    ASSERT_NE(iface, nullptr) << row.control;
    EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), in_language(row.en, row.fr))
        << row.control;
  }
}

// The chart says what it shows in the window's language from the start, and again after the
// view changes.
TEST_F(AccessAppTest, TheChartDescribesWhatItShowsNow) {
  QAccessibleInterface* chart = accessible(window_, "Graphique");
  ASSERT_NE(chart, nullptr);
  struct Row {
    const char* en_view;
    const char* fr_view;
    const char* en_says;
    const char* fr_says;
  };
  const Row rows[] = {
      {nullptr, nullptr, "Day/Week, ", "Jour/Semaine, "},
      {"&Week/Month", "&Semaine/Mois", "Week/Month, ", "Semaine/Mois, "},
      {"&Day/Week", "&Jour/Semaine", "Day/Week, ", "Jour/Semaine, "},
  };
  for (const Row& row : rows) {
    if (row.en_view) choose(row.en_view, row.fr_view);
    const QString said = chart->text(QAccessible::Description);
    EXPECT_TRUE(said.startsWith(QString::fromUtf8(in_language(row.en_says, row.fr_says))))
        << said.toStdString();
    EXPECT_TRUE(said.contains(in_language("Cyan line", "Ligne turquoise"))) << said.toStdString();
  }
}

// Enter presses Ok while it can be pressed, Escape presses Cancel; with the panel closed and no
// control focused, Escape is the window's own again.
TEST_F(AccessAppTest, EnterAndEscapeActOnTheAddTestPanel) {
  auto& w = program_->window();
  struct Row {
    const char* what;
    const char* typed;
    Qt::Key key;
    bool panel_open_after;
    int tests_after;
  };
  const Row rows[] = {
      {"Enter with Ok disabled", "", Qt::Key_Return, true, 2},
      {"Escape", "6", Qt::Key_Escape, false, 2},
      {"Enter", "6", Qt::Key_Enter, false, 3},
  };
  for (const Row& row : rows) {
    if (!w.Cadre_Ajouter.visible) choose("&Add test", "&Ajouter analyse");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return focus() && focus()->objectName() == "Dialog_Taux"; }, 1000))
        << row.what;
    QTest::keyClicks(focus(), row.typed);
    QTest::keyClick(focus(), row.key);
    QApplication::processEvents();
    EXPECT_EQ(w.Cadre_Ajouter.visible, row.panel_open_after) << row.what;
    EXPECT_EQ(w.table.Nb_Tests, row.tests_after) << row.what;
  }
  EXPECT_TRUE(focus() == nullptr || focus()->objectName().isEmpty());
}

// Armed printing is reached with Tab and pressed with Space or Enter.
TEST_F(AccessAppTest, TheWindowPrintsFromTheKeyboard) {
  platform::ScratchFolder pdf_folder("sugarlog-access-pdf");
  auto& printer = program_->qt().printer();
  printer.print_to_pdf_in(QString::fromStdString(pdf_folder.path().string()));
  choose("Print &chart", "&Imprimer Graphique");
  for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return}) {
    QWidget* start = focus() ? focus() : window_;
    QTest::keyClick(start, Qt::Key_Tab);
    for (int tabs = 0; tabs < 20 && focus() && !focus()->objectName().startsWith("Img_Cam");
         ++tabs) {
      QTest::keyClick(focus(), Qt::Key_Tab);
    }
    ASSERT_TRUE(focus() && focus()->objectName().startsWith("Img_Cam"));
    QTest::qWait(600);  // a blink: the focus stays with the icon
    ASSERT_TRUE(focus() && focus()->objectName().startsWith("Img_Cam"))
        << (focus() ? focus()->objectName().toStdString() : "none");
    const QString before = printer.last_pdf();
    QTimer::singleShot(100, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    QTest::keyClick(focus(), press);
    QApplication::processEvents();
    EXPECT_NE(printer.last_pdf(), before);
    EXPECT_TRUE(fs::exists(printer.last_pdf().toStdString()));
    // The desktop gives the window back its activation once the message box is gone.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
}

}  // namespace
