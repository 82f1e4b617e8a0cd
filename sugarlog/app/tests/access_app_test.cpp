// The real window as a screen reader and a keyboard-only user meet it, under an English and
// (a second run) a French desktop.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/app/sugarlog_app.h"

namespace {

namespace fs = std::filesystem;

class AccessAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.path() / "program");
    std::ofstream(scratch_.path() / "program" / "Diabete.dbk", std::ios::binary)
        << "\"11/06/26\",\"08:00\",\"05.5\",\"\"\r\n";
    ASSERT_TRUE(program_.start());
    window_ = program_.qt().renderer().widget_for(program_.window());
  }
  const char* in_language(const char* en, const char* fr) {
    return program_.window().Langue == 1 ? fr : en;
  }
  void choose(const char* en, const char* fr) {
    for (QAction* a : window_->findChildren<QAction*>()) {
      if (a->text() == QString::fromUtf8(in_language(en, fr))) a->trigger();
    }
    QApplication::processEvents();
  }
  QString said(const char* control, QAccessible::Text text) const {
    return QAccessible::queryAccessibleInterface(window_->findChild<QWidget*>(control))->text(text);
  }
  static QString focus() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
  }

  platform::ScratchFolder scratch_{"sugarlog-access"};
  platform::FakeProbe probe_;
  sugarlog_app::Program program_{scratch_.path() / "program", scratch_.path(), &probe_};
  QWidget* window_ = nullptr;
};

// Every control that takes the focus has a name of two letters or more, in the window's
// language; the chart says what it shows from the start and again after a view switch.
TEST_F(AccessAppTest, ControlsAreNamedAndTheChartDescribedInTheWindowsLanguage) {
  choose("&Add test", "&Ajouter analyse");
  for (QWidget* widget : window_->findChildren<QWidget*>()) {
    if (!widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus)) continue;
    const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    EXPECT_GE(std::count_if(name.begin(), name.end(), [](QChar c) { return c.isLetter(); }), 2)
        << widget->objectName().toStdString();
  }
  const char* const rows[][3] = {
      {"Dialog_Date", "Date", "Date"},
      {"Dialog_Heure", "Time", "Heure"},
      {"Dialog_Taux", "Rate", "Taux"},
      {"Bout_Cancel", "Cancel", "Annuler"},
      {"Bout_Auj", "Return today", "Retour aujourd'hui"},
      {"Curseur", "Chart date", "Date du graphique"},
      {"Img_Cam1", "Print the chart", "Imprimer le graphique"},
      {"Img_Therm", "Thermometer", "Thermomètre"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(said(row[0], QAccessible::Name).toStdString(), in_language(row[1], row[2]));
  }
  program_.window().Bout_Cancel_Click();
  for (const auto* view : {"Day/Week", "Week/Month"}) {
    const bool week = view[0] == 'W';
    if (week) choose("&Week/Month", "&Semaine/Mois");
    const QString chart = said("Graphique", QAccessible::Description);
    EXPECT_TRUE(chart.startsWith(in_language(view, week ? "Semaine/Mois" : "Jour/Semaine")))
        << chart.toStdString();
    EXPECT_TRUE(chart.contains(in_language("Cyan line", "Ligne turquoise"))) << chart.toStdString();
  }
}

// Enter presses Ok while it can be pressed and Escape presses Cancel; with the panel closed, the
// focus is the window's own.
TEST_F(AccessAppTest, EnterAndEscapeActOnTheAddTestPanel) {
  auto& w = program_.window();
  const struct {
    const char* typed;
    Qt::Key key;
    bool open_after;
    int tests_after;
  } rows[] = {{"", Qt::Key_Return, true, 1},
              {"6", Qt::Key_Escape, false, 1},
              {"6", Qt::Key_Enter, false, 2}};
  for (const auto& row : rows) {
    if (!w.Cadre_Ajouter.visible) choose("&Add test", "&Ajouter analyse");
    ASSERT_TRUE(QTest::qWaitFor([] { return focus() == "Dialog_Taux"; }, 1000));
    QTest::keyClicks(QApplication::focusWidget(), row.typed);
    QTest::keyClick(QApplication::focusWidget(), row.key);
    QApplication::processEvents();
    EXPECT_EQ(w.Cadre_Ajouter.visible, row.open_after) << row.key;
    EXPECT_EQ(w.table.Nb_Tests, row.tests_after) << row.key;
  }
  EXPECT_EQ(focus(), "");
}

// Armed printing is reached with Tab, keeps the focus through the blink and prints with Space or
// Enter.
TEST_F(AccessAppTest, TheWindowPrintsFromTheKeyboard) {
  platform::ScratchFolder pdf_folder("sugarlog-access-pdf");
  auto& printer = program_.qt().printer();
  printer.print_to_pdf_in(QString::fromStdString(pdf_folder.path().string()));
  choose("Print &chart", "&Imprimer Graphique");
  for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return}) {
    for (int tabs = 0; tabs < 20 && !focus().startsWith("Img_Cam"); ++tabs) {
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window_,
                      Qt::Key_Tab);
    }
    QTest::qWait(600);
    ASSERT_TRUE(focus().startsWith("Img_Cam")) << focus().toStdString();
    const QString before = printer.last_pdf();
    QTimer::singleShot(100, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    QTest::keyClick(QApplication::focusWidget(), press);
    EXPECT_NE(printer.last_pdf(), before);
    // The desktop gives the window back its activation once the message box is gone.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
}

}  // namespace
