#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "platform/qt/qt_platform.h"
#include "platform/qt/testing/test_app.h"

namespace platform_qt {
namespace {

// Acts on the dialog a service is about to show, from inside its event loop; gives up when the
// context object goes.
template <typename Dialog>
void when_shown(std::function<void(Dialog&)> act, QObject* context = qApp) {
  QTimer::singleShot(0, context, [act, context] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      when_shown<Dialog>(act, context);  // not up yet
      return;
    }
    act(*dialog);
  });
}

class DialogsTest : public ::testing::Test {
 protected:
  bool started = (testing::app(), true);
  QtPlatform qt{QStringLiteral(MODULES_FOLDER)};
  platform::Dialogs& dialogs = qt.platform().dialogs;
};

TEST_F(DialogsTest, MessageBoxShowsTextTitleAndIconAndGivesTheAnswer) {
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  when_shown<QMessageBox>([&](QMessageBox& box) {
    text = box.text();
    title = box.windowTitle();
    icon = box.icon();
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(dialogs.message_box("Sauvegarder les données ?", platform::Buttons::YesNo,
                                platform::Icon::Exclamation, "Le Sugarlog"),
            platform::Answer::Yes);
  EXPECT_EQ(text, "Sauvegarder les données ?");
  EXPECT_EQ(title, "Le Sugarlog");
  EXPECT_EQ(icon, QMessageBox::Warning);

  when_shown<QMessageBox>([](QMessageBox& box) { box.reject(); });  // Escape or the close box
  EXPECT_EQ(dialogs.message_box("?", platform::Buttons::YesNo, platform::Icon::Stop, "Message"),
            platform::Answer::No);
}

// Yes/No/Cancel: Yes is the default button (Return), Escape answers Cancel.
TEST_F(DialogsTest, YesNoCancelDefaultsToYesAndEscapesToCancel) {
  bool yes_default = false;
  when_shown<QMessageBox>([&](QMessageBox& box) {
    yes_default = box.defaultButton() == box.button(QMessageBox::Yes) &&
                  box.escapeButton() == box.button(QMessageBox::Cancel);
    box.button(QMessageBox::No)->click();
  });
  EXPECT_EQ(dialogs.message_box("?", platform::Buttons::YesNoCancel, platform::Icon::None, "x"),
            platform::Answer::No);
  EXPECT_TRUE(yes_default);
  when_shown<QMessageBox>([](QMessageBox& box) { box.reject(); });
  EXPECT_EQ(dialogs.message_box("?", platform::Buttons::YesNoCancel, platform::Icon::None, "x"),
            platform::Answer::Cancel);
}

TEST_F(DialogsTest, InputBoxGivesTheTextOrNothingOnCancel) {
  QString shown_default;
  when_shown<QInputDialog>([&](QInputDialog& box) {
    shown_default = box.textValue();
    box.setTextValue("Zoë");
    box.accept();
  });
  EXPECT_EQ(dialogs.input_box("Name:", "Pulsewise", "Anne"), "Zoë");
  EXPECT_EQ(shown_default, "Anne");
  when_shown<QInputDialog>([](QInputDialog& box) { box.reject(); });
  EXPECT_EQ(dialogs.input_box("Name:", "Pulsewise", ""), std::nullopt);
}

TEST_F(DialogsTest, ColourDialogStartsFromTheCurrentColour) {
  QColor initial;
  when_shown<QColorDialog>([&](QColorDialog& box) {
    initial = box.currentColor();
    box.setCurrentColor(QColor(0, 0, 255));
    box.accept();
  });
  EXPECT_EQ(dialogs.choose_colour(platform::rgb(255, 0, 0)), platform::rgb(0, 0, 255));
  EXPECT_EQ(initial, QColor(255, 0, 0));
  when_shown<QColorDialog>([](QColorDialog& box) { box.reject(); });
  EXPECT_EQ(dialogs.choose_colour(platform::kButtonFace), std::nullopt);
}

TEST_F(DialogsTest, SaveDialogAddsTheExtensionAndAsksBeforeReplacing) {
  QTemporaryDir folder;
  QFile existing(folder.filePath("Pulsewise.BMP"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  const platform::SaveFileOptions options{"Save chart as bitmap", "Bitmaps|*.BMP", "BMP",
                                          "Pulsewise", true};
  QString title;
  QStringList filters;
  bool asked = false;
  const auto choose = [&](const QString& name, QMessageBox::StandardButton answer) {
    when_shown<QFileDialog>([&, name, answer](QFileDialog& box) {
      title = box.windowTitle();
      filters = box.nameFilters();
      box.setDirectory(folder.path());
      box.selectFile(name);
      when_shown<QMessageBox>(
          [&, answer](QMessageBox& confirm) {
            asked = true;
            confirm.button(answer)->click();
          },
          &box);
      QMetaObject::invokeMethod(&box, "accept");  // the Save button
      if (box.isVisible()) box.reject();          // the replace question said no
    });
  };
  choose("chart", QMessageBox::No);
  EXPECT_EQ(dialogs.save_file(options), folder.filePath("chart.BMP").toStdString());
  EXPECT_EQ(title, "Save chart as bitmap");
  EXPECT_EQ(filters, QStringList{"Bitmaps (*.BMP)"});
  EXPECT_FALSE(asked);

  choose("Pulsewise", QMessageBox::No);
  EXPECT_EQ(dialogs.save_file(options), std::nullopt);
  EXPECT_TRUE(asked);
  asked = false;
  choose("Pulsewise", QMessageBox::Yes);
  EXPECT_EQ(dialogs.save_file(options), folder.filePath("Pulsewise.BMP").toStdString());
  EXPECT_TRUE(asked);
}

TEST_F(DialogsTest, PrinterDialogIsShownEvenWhenPagesGoToPdf) {
  qt.printer().print_to_pdf_in(QDir::tempPath());
  when_shown<QPrintDialog>([](QPrintDialog& box) { box.accept(); });
  EXPECT_TRUE(dialogs.choose_printer());
  when_shown<QPrintDialog>([](QPrintDialog& box) { box.reject(); });
  EXPECT_FALSE(dialogs.choose_printer());
}

TEST_F(DialogsTest, BusyPointerIsSetOnceAndRestored) {
  dialogs.set_busy(true);
  dialogs.set_busy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  dialogs.set_busy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DialogsTest, NothingIsShownOnceTheProgramEnds) {
  qt.program().end_program();
  EXPECT_EQ(dialogs.message_box("?", platform::Buttons::YesNo, platform::Icon::None, "x"),
            platform::Answer::No);
  EXPECT_EQ(dialogs.input_box("?", "x", "y"), std::nullopt);
  EXPECT_FALSE(dialogs.choose_printer());
}

}  // namespace
}  // namespace platform_qt
