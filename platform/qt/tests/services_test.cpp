#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>

#include "platform/core/file_io.h"
#include "platform/core/tests/file_size_limit.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/testing/test_app.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

// --- Dialog helpers --------------------------------------------------------------------------

TEST(FileFilter, BarSeparatedPairsBecomeQtFilters) {
  EXPECT_EQ(qt_file_filter("Bitmaps|*.BMP"), "Bitmaps (*.BMP)");
  EXPECT_EQ(qt_file_filter("Bitmaps|*.BMP|All files|*.*"), "Bitmaps (*.BMP);;All files (*.*)");
  EXPECT_EQ(qt_file_filter("Pictures|*.bmp;*.png"), "Pictures (*.bmp *.png)");
  EXPECT_EQ(qt_file_filter(""), "");
  EXPECT_EQ(qt_file_filter("Dangling"), "");  // a description without its pattern
}

// --- Clock and locale ------------------------------------------------------------------------

TEST(QtClock, NowIsTodaysSerialWithTheTimeAsFraction) {
  const QDateTime before = QDateTime::currentDateTime();
  const double now = QtClock().now();
  const double days = QDate(1899, 12, 30).daysTo(before.date());
  EXPECT_GE(now, days);
  EXPECT_LT(now, days + 1.0001);  // allows for midnight passing
  EXPECT_NEAR(now - days, before.time().msecsSinceStartOfDay() / 86'400'000.0, 2.0 / 86400);
}

TEST(DatePicture, QtShortFormatsBecomeDayFirstPicturesWithFourDigitYears) {
  EXPECT_EQ(date_picture_from_qt("dd/MM/yyyy"), "dd/MM/yyyy");
  EXPECT_EQ(date_picture_from_qt("d/M/yy"), "d/M/yyyy");
  EXPECT_EQ(date_picture_from_qt("dd.MM.yy"), "dd.MM.yyyy");
  EXPECT_EQ(date_picture_from_qt("M/d/yy"), "M/d/yyyy");
  EXPECT_EQ(date_picture_from_qt("yyyy-MM-dd"), "yyyy-MM-dd");
  EXPECT_EQ(date_picture_from_qt("d MMM yyyy"), "d MM yyyy");
  EXPECT_EQ(date_picture_from_qt("dddd, d MMMM yyyy"), "d MM yyyy");
  EXPECT_EQ(date_picture_from_qt("yyyy'. 'MM'. 'dd'.'"), "yyyy. MM. dd.");
}

TEST(DatePicture, SeparatorIsTheFirstNonLetter) {
  EXPECT_EQ(date_separator_of("dd/MM/yyyy"), "/");
  EXPECT_EQ(date_separator_of("dd.MM.yy"), ".");
  EXPECT_EQ(date_separator_of("yyyy-MM-dd"), "-");
  EXPECT_EQ(date_separator_of("ddMMyyyy"), "/");
}

TEST(QtLocale, AnswersForTheSystemLocale) {
  // The tests run in the C locale.
  QtLocale locale;
  EXPECT_EQ(locale.decimal_separator(), ".");
  EXPECT_EQ(locale.language_name(), "");
  const std::string picture = locale.short_date_picture();
  EXPECT_EQ(picture, "dd/MM/yyyy");
  EXPECT_NE(picture.find(locale.date_separator()), std::string::npos);
}

// --- Shell -----------------------------------------------------------------------------------

TEST(QtShell, OpensOnlyFilesAndWebPages) {
  EXPECT_EQ(shell_target("http://example.com/sl/"), QUrl("http://example.com/sl/"));
  EXPECT_EQ(shell_target("HTTPS://example.com/a?b=c"), QUrl("HTTPS://example.com/a?b=c"));
  EXPECT_EQ(shell_target("/home/someone/Diabete.dbk"),
            QUrl::fromLocalFile("/home/someone/Diabete.dbk"));
  EXPECT_EQ(shell_target("file:///tmp/x.txt"), QUrl("file:///tmp/x.txt"));
  EXPECT_TRUE(shell_target("relative/file.txt")->isLocalFile());
  for (const char* refused :
       {"", "   ", "mailto:someone@example.com", "javascript:alert(1)", "ftp://example.com/file",
        "http://", "smb://server/share", "file://server/share/x"}) {
    EXPECT_FALSE(shell_target(refused).has_value()) << refused;
  }
}

// --- Settings store --------------------------------------------------------------------------

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::app();
    ASSERT_TRUE(folder.isValid());
    saved_home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_home); }

  QString ini() const { return folder.filePath("Hollowmere.ini"); }
  QByteArray contents() const {
    QFile file(ini());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir folder;
  QByteArray saved_home;
};

TEST_F(SettingsStore, ValuesRoundTripThroughTheFileInTheConfigFolder) {
  {
    IniSettingsStore store;
    EXPECT_EQ(store.file_path("Hollowmere"), ini());
    store.set("Hollowmere", "Pulsewise", "Chart type", " 0");
    store.set("Hollowmere", "Pulsewise", "Background colour", "-2147483633");
    store.set("Hollowmere", "Pulsewise", "PeopleName 1", "Smith, John");
    store.set("Hollowmere", "Pulsewise", "PeopleDate 1", "3/7/1961");
    store.set("Hollowmere", "Pulsewise", "Birthname1", "Zoë \"Z\" = x;y");
    EXPECT_EQ(store.get("Hollowmere", "Pulsewise", "Chart type", "x"), " 0");
    EXPECT_TRUE(store.flush());
  }
  EXPECT_TRUE(QFile::exists(ini()));
  IniSettingsStore again;
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "Chart type", "x"), " 0");
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "Background colour", ""), "-2147483633");
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "PeopleName 1", ""), "Smith, John");
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "PeopleDate 1", ""), "3/7/1961");
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "Birthname1", ""), "Zoë \"Z\" = x;y");
  EXPECT_EQ(again.get("Hollowmere", "Pulsewise", "Missing", "&H8000000F"), "&H8000000F");
  EXPECT_EQ(again.get("Hollowmere", "Other", "Chart type", "none"), "none");
  EXPECT_EQ(again.get("Elsewhere", "Pulsewise", "Chart type", "none"), "none");
}

TEST_F(SettingsStore, AFlushReplacesTheFileInsteadOfWritingIntoIt) {
  IniSettingsStore store;
  store.set("Hollowmere", "Pulsewise", "Chart type", " 1");
  ASSERT_TRUE(store.flush());
  const QByteArray old_contents = contents();
  // Someone still reading the old file keeps reading all of it.
  std::ifstream reader(ini().toStdString(), std::ios::binary);
  struct stat before {};
  ASSERT_EQ(stat(ini().toLocal8Bit().constData(), &before), 0);

  for (int n = 1; n <= 50; ++n) {
    store.set("Hollowmere", "Pulsewise", "PeopleName " + std::to_string(n), std::string(40, 'x'));
  }
  ASSERT_TRUE(store.flush());
  struct stat after {};
  ASSERT_EQ(stat(ini().toLocal8Bit().constData(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  const std::string through_old((std::istreambuf_iterator<char>(reader)),
                                std::istreambuf_iterator<char>());
  EXPECT_EQ(QByteArray::fromStdString(through_old), old_contents);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Hollowmere.ini"});
}

TEST_F(SettingsStore, AFailedWriteLeavesTheOldFileWholeAndIsRetried) {
  IniSettingsStore store;
  store.set("Hollowmere", "Pulsewise", "Chart type", " 1");
  ASSERT_TRUE(store.flush());
  const QByteArray old_contents = contents();
  for (int n = 1; n <= 50; ++n) {
    store.set("Hollowmere", "Pulsewise", "PeopleName " + std::to_string(n), std::string(40, 'y'));
  }
  {
    platform::FileSizeLimit limit(static_cast<rlim_t>(old_contents.size() + 100));
    EXPECT_FALSE(store.flush());
  }
  EXPECT_EQ(contents(), old_contents);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Hollowmere.ini"});
  // The values are still there and go to the file once writing works again.
  EXPECT_EQ(store.get("Hollowmere", "Pulsewise", "PeopleName 50", ""), std::string(40, 'y'));
  ASSERT_TRUE(store.flush());
  IniSettingsStore reader;
  EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "PeopleName 50", ""), std::string(40, 'y'));
  EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "Chart type", ""), " 1");
}

// Two copies of the program on one file: one adds a person and writes at once, the other exits
// later and writes its settings; the person stays.
TEST_F(SettingsStore, EachCopyWritesBackOnlyWhatItChanged) {
  IniSettingsStore first;
  IniSettingsStore second;
  EXPECT_EQ(second.get("Hollowmere", "Pulsewise", "PeopleName 1", ""), "");
  first.set("Hollowmere", "Pulsewise", "PeopleName 1", "Ann");
  ASSERT_TRUE(first.flush());
  second.set("Hollowmere", "Pulsewise", "Chart type", " 1");
  ASSERT_TRUE(second.flush());
  IniSettingsStore reader;
  EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "PeopleName 1", ""), "Ann");
  EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "Chart type", ""), " 1");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Hollowmere.ini"});
}

// A file that cannot be read is never written over; the reason is kept for the program to tell.
TEST_F(SettingsStore, AFileThatCannotBeReadIsNeverWrittenOver) {
  QDir(folder.path()).mkdir("Hollowmere.ini");
  {
    IniSettingsStore store;
    EXPECT_EQ(store.get("Hollowmere", "Pulsewise", "PeopleName 1", "none"), "none");
    EXPECT_EQ(store.read_error("Hollowmere"),
              QDir::toNativeSeparators(ini()).toStdString() + ": Is a directory");
    store.set("Hollowmere", "Pulsewise", "Chart type", " 1");
    EXPECT_FALSE(store.flush());
  }
  EXPECT_TRUE(QFileInfo(ini()).isDir());

  // Mode 000 only stops other users; an ordinary user's child process sees the refusal.
  QDir(folder.path()).rmdir("Hollowmere.ini");
  const std::string people = "[Pulsewise]\nPeopleName 1=Ann\n";
  ASSERT_FALSE(platform::write_file_atomic(to_path(ini()), people));
  ::chmod(ini().toLocal8Bit().constData(), 0);
  ::chmod(folder.path().toLocal8Bit().constData(), 0777);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        IniSettingsStore store;
        const bool told = store.read_error("Hollowmere").has_value();
        store.set("Hollowmere", "Pulsewise", "PeopleName 1", "");
        std::_Exit(told && !store.flush() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  ::chmod(ini().toLocal8Bit().constData(), 0600);
  EXPECT_EQ(contents().toStdString(), people);
}

// However the file's lines end and whatever its encoding, no person is lost by a write.
TEST_F(SettingsStore, PeopleInAnyLineEndOrEncodingSurviveAWrite) {
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("[Pulsewise]\rPeopleName 1=Ann\rPeopleName 2=Bob\r"))
    utf16 += std::string{c, '\0'};
  for (const std::string& file :
       {std::string("[Pulsewise]\rPeopleName 1=Ann\rPeopleName 2=Bob"),
        std::string("\xEF\xBB\xBF[Pulsewise]\r\nPeopleName 1=Ann\r\nPeopleName 2=Bob\r\n"),
        utf16}) {
    ASSERT_FALSE(platform::write_file_atomic(to_path(ini()), file));
    IniSettingsStore store;
    EXPECT_EQ(store.get("Hollowmere", "Pulsewise", "PeopleName 2", ""), "Bob");
    store.set("Hollowmere", "Pulsewise", "Chart type", " 1");
    ASSERT_TRUE(store.flush());
    IniSettingsStore reader;
    EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "PeopleName 1", ""), "Ann");
    EXPECT_EQ(reader.get("Hollowmere", "Pulsewise", "PeopleName 2", ""), "Bob");
  }
}

}  // namespace
}  // namespace platform_qt
