#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/core/version.h"
#include "platform/qt/desktop_program.h"
#include "platform/qt/testing/test_app.h"

namespace platform_qt {
namespace {

constexpr char kSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8">)"
                        R"(<rect width="8" height="8" fill="#c00000"/></svg>)";

class DesktopIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::app();
    QFile file(folder_.filePath("icon.svg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kSvg);
  }
  void TearDown() override {
    QApplication::setApplicationName("qt_tests");
    QGuiApplication::setDesktopFileName({});
    QApplication::setWindowIcon({});
  }
  QTemporaryDir folder_;
};

TEST_F(DesktopIdentityTest, TheDesktopLearnsNameVersionLauncherAndIcon) {
  introduce_to_desktop({{"pulsewise", "Pulsewise", "charts"},
                        "com.example.healthcharts.pulsewise",
                        folder_.filePath("icon.svg")});
  EXPECT_EQ(QApplication::applicationName(), "pulsewise");
  EXPECT_EQ(QApplication::applicationVersion(), QString::fromUtf8(platform::kVersion));
  EXPECT_EQ(QGuiApplication::desktopFileName(), "com.example.healthcharts.pulsewise");
  // No " - Pulsewise" is added to the window captions the programs set.
  EXPECT_TRUE(QGuiApplication::applicationDisplayName() == "pulsewise");

  // The icon comes once the event loop runs, after the first window has opened.
  QCoreApplication::processEvents();
  const QIcon icon = QApplication::windowIcon();
  ASSERT_FALSE(icon.isNull());
  QWidget window;
  EXPECT_EQ(window.windowIcon().cacheKey(), icon.cacheKey());
  // Sharp at the small sizes of title bars and at the large ones of task switchers.
  for (int side : {16, 32, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
    EXPECT_EQ(icon.pixmap(side).toImage().pixelColor(side / 2, side / 2), QColor(192, 0, 0));
  }
}

TEST_F(DesktopIdentityTest, AnUnreadablePictureGivesNoIcon) {
  EXPECT_TRUE(icon_from_svg(folder_.filePath("missing.svg")).isNull());
  QFile broken(folder_.filePath("broken.svg"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("<svg");
  broken.close();
  EXPECT_TRUE(icon_from_svg(broken.fileName()).isNull());
}

// --- Qt's own texts --------------------------------------------------------------------------

class QtTranslations : public ::testing::Test {
 protected:
  void SetUp() override { testing::app(); }
  // Back to Qt's built-in English for the tests that follow.
  void TearDown() override { load_qt_translations(QLocale(QLocale::C)); }

  static bool installed(const QString& language) {
    return QFile::exists(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                             .filePath("qtbase_" + language + ".qm"));
  }
  static QString text_of(QMessageBox::StandardButton which) {
    QMessageBox box(QMessageBox::NoIcon, "Message", "Avant de QUITTER!",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(which)->text();
  }
};

TEST_F(QtTranslations, FrenchStandardButtonsWhenTheFrenchTranslationIsInstalled) {
  if (!installed("fr")) GTEST_SKIP() << "Qt's French translation is not installed";
  ASSERT_TRUE(load_qt_translations(QLocale(QLocale::French, QLocale::Canada)));
  EXPECT_EQ(text_of(QMessageBox::Yes), "&Oui");
  EXPECT_EQ(text_of(QMessageBox::No), "&Non");
  EXPECT_EQ(text_of(QMessageBox::Cancel), "Annuler");
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Annuler");
}

TEST_F(QtTranslations, LoadingAnotherLanguageReplacesTheFirst) {
  if (!installed("fr")) GTEST_SKIP() << "Qt's French translation is not installed";
  ASSERT_TRUE(load_qt_translations(QLocale(QLocale::French)));
  EXPECT_EQ(text_of(QMessageBox::Yes), "&Oui");
  load_qt_translations(QLocale(QLocale::C));
  EXPECT_EQ(text_of(QMessageBox::Yes), "&Yes");
}

TEST_F(QtTranslations, ALanguageWithoutTranslationKeepsQtsEnglish) {
  EXPECT_FALSE(load_qt_translations(QLocale(QLocale::Tongan)));
  EXPECT_EQ(text_of(QMessageBox::Yes), "&Yes");
}

}  // namespace
}  // namespace platform_qt
