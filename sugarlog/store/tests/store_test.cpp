// The logbook store: table, calendar helpers, units, settings file and data file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/file_io.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/period.h"
#include "sugarlog/store/settings_file.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

namespace sugarlog {
namespace {

namespace fs = std::filesystem;
using platform::date_serial;

constexpr int kThisYear = 2026;
constexpr std::string_view kDefaults = "[Setup]\r\nUnite=0\r\nLock=0\r\nAnimation=0\r\n";
using Row = std::array<std::string, 4>;

TestTable table_of(const std::vector<Row>& rows) {
  TestTable table;
  for (const auto& row : rows) {
    const int i = ++table.Nb_Tests;
    table.Tab_Date[i] = row[0];
    table.Tab_Heure[i] = row[1];
    table.Tab_Taux[i] = row[2];
    table.Tab_Note[i] = row[3];
  }
  return table;
}

Row row_at(const TestTable& t, int i) {
  return {t.Tab_Date[i], t.Tab_Heure[i], t.Tab_Taux[i], t.Tab_Note[i]};
}

std::string n_records(int n) {
  std::string bytes;
  for (int i = 0; i < n; ++i)
    bytes += "\"06/12/26\",\"08:05\",\"07.5\",\"n" + std::to_string(i) + "\"\r\n";
  return bytes;
}

class TempFolder : public ::testing::Test {
 protected:
  void put(std::string_view name, std::string_view bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string get(std::string_view name) { return platform::read_file(folder_ / name).bytes; }
  std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder_))
      out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  std::optional<std::string> save(DataFile& data, TestTable& table) {
    return data.Sauvegarder(table, kMmolL, UnitState{}, "/", kThisYear);
  }

  platform::ScratchFolder scratch_{"sugarlog-store"};
  const fs::path& folder_ = scratch_.path();
};

// ---- Test table ---------------------------------------------------------------------------

TEST(TestTableInsert, NewTestEntersAtTheHead) {
  TestTable empty;
  empty.Tab_Date[0] = "01/02/2026";
  empty.Tab_Date[2] = "stale";
  empty.Nb_Tests = 1;
  ASSERT_TRUE(empty.Ajouter_A_Liste());
  EXPECT_EQ(empty.Tab_Date[1], "01/02/2026");
  EXPECT_EQ(empty.Tab_Date[2], "stale");

  TestTable table = table_of({{"d1", "h1", "t1", "n1"}, {"d2", "h2", "t2", "n2"}});
  ASSERT_TRUE(table.add_test("d0", "h0", "t0", "n0"));
  EXPECT_EQ(table.Nb_Tests, 3);
  EXPECT_EQ(row_at(table, 1), (Row{"d0", "h0", "t0", "n0"}));
  EXPECT_EQ(row_at(table, 3), (Row{"d2", "h2", "t2", "n2"}));
  EXPECT_EQ(row_at(table, 0), row_at(table, 1));
}

TEST(TestTableInsert, RefusesTheTestAfterTheCapacity) {
  TestTable table;
  table.Nb_Tests = TestTable::kCapacity - 1;
  ASSERT_TRUE(table.add_test("newest", "h", "t", "n"));
  EXPECT_TRUE(table.full());
  EXPECT_FALSE(table.add_test("extra", "h", "t", "n"));
  EXPECT_EQ(table.Nb_Tests, TestTable::kCapacity);
  EXPECT_EQ(table.Tab_Date[1], "newest");

  // A caller that stages and counts by itself is refused the same way.
  table.Nb_Tests = TestTable::kCapacity + 1;
  EXPECT_FALSE(table.Ajouter_A_Liste());
  EXPECT_EQ(table.Nb_Tests, TestTable::kCapacity);
  EXPECT_EQ(table.Tab_Date[1], "newest");
}

// ---- Calendar helpers ----------------------------------------------------------------------

TEST(DayCounts, MonthLengths) {
  for (int day = 1; day <= 29; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(date_serial(2024, 2, day)), 29);
  for (int day = 1; day <= 28; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(date_serial(2023, 2, day)), 28);
  for (int day = 1; day <= 31; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(date_serial(2023, 1, day)), 31);
  EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(date_serial(2024, 3, 15)), 29);
  EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(date_serial(2024, 1, 1)), 31);
}

TEST(DayCounts, NextMonthMovesTheDate) {
  platform::Serial date = date_serial(2023, 1, 31);
  EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 28);
  EXPECT_EQ(date, date_serial(2023, 2, 28));
  date = date_serial(2023, 1, 1);
  EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 31);
  EXPECT_EQ(date, date_serial(2023, 1, 31));
  date = date_serial(2023, 12, 31);
  EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 31);
  EXPECT_EQ(date, date_serial(2024, 1, 31));
}

TEST(DayCounts, YearWindowUsesDivisibilityByFourOnly) {
  const auto oldest = date_serial(2000, 1, 15);
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2099, 6, 1), 0, oldest), 366);  // 2100
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2101, 6, 1), kDirectionBack, oldest), 366);
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2101, 6, 1), 2, oldest), 365);
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2023, 6, 1), 2, date_serial(2024, 2, 28)), 366);
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2023, 6, 1), 2, date_serial(2024, 2, 29)), 365);
  EXPECT_EQ(Qte_Jrs_Annee(date_serial(2023, 6, 1), 2, date_serial(2025, 1, 1)), 365);
}

// ---- Units ---------------------------------------------------------------------------------

// A level in its unit's picture is read by position whatever the separator; anything else, as a
// person types it or as another unit wrote it, by its value. Saving writes that number again in
// the picture, so what was typed is what is stored.
TEST(Units, LevelsReadAsTypedAndStoredAsRead) {
  struct Case {
    const char* text;
    int unite;
    double value;
    const char* stored_with_comma;
  };
  const Case cases[] = {
      {"05,3", kMmolL, 5.3, "05,3"},  {"05.3", kMmolL, 5.3, "05,3"}, {"5", kMmolL, 5, "05,0"},
      {"12", kMmolL, 12, "12,0"},     {"15", kMmolL, 15, "15,0"},    {"7.5", kMmolL, 7.5, "07,5"},
      {"7,5", kMmolL, 7.5, "07,5"},   {"126", kMmolL, 126, "126,0"}, {"1", kGL, 1, "1,00"},
      {"1.2", kGL, 1.2, "1,20"},      {"0.8", kGL, 0.8, "0,80"},     {"0,80", kGL, 0.8, "0,80"},
      {"12.45", kGL, 12.45, "12,45"}, {"126", kMgDl, 126, "126"},    {"7", kMgDl, 7, "7"},
      {"12,6", kMgDl, 12.6, "13"},    {"", kMmolL, 0, "00,0"},       {"", kMgDl, 0, "0"},
      {"", kGL, 0, "0,00"},
  };
  UnitState units;
  units.Sep_Decimal = ",";
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(read_level(c.text, c.unite), c.value) << c.text << " unit " << c.unite;
    units.Format_Taux = std::string(unit_info(c.unite).picture);
    EXPECT_EQ(units.reformat(c.text, c.unite), c.stored_with_comma) << c.text;
  }
  // A separator of the system's own, typed in place of the point.
  EXPECT_DOUBLE_EQ(read_level("5\u066B3", kMmolL, "\u066B"), 5.3);
}

// Saving skips the read-and-format round trip for levels already in their picture; the result
// must be the same as the round trip in every unit, picture and separator.
TEST(Units, ReformatMatchesAFullRoundTrip) {
  UnitState units;
  for (int unite : {kMmolL, kMgDl, kGL}) {
    for (const char* sep : {".", ","}) {
      units.Sep_Decimal = sep;
      for (const char* picture : {"00.0", "##0", "0.00"}) {
        units.Format_Taux = picture;
        for (const char* level : {"07.5", "07,5", "12.4", "072", "7", "0", "126", "1000", "1,35",
                                  "0.80", "", "99.9", "6.00", "-3", "7.", "a7.5"}) {
          EXPECT_EQ(units.reformat(level, unite), units.format(read_level(level, unite)))
              << unite << sep << picture << level;
        }
      }
    }
  }
}

// A unit change that converts: the same glucose level in the new unit's picture, rounded to it;
// what is no level stays as it is.
TEST(Units, ConversionKeepsTheGlucoseLevel) {
  struct Case {
    const char* level;
    int from, to;
    const char* sep;
    std::optional<std::string> converted;
  };
  const Case cases[] = {
      {"12.4", kMmolL, kMgDl, ".", "223"}, {"07.0", kMmolL, kMgDl, ".", "126"},
      {"25.0", kMmolL, kMgDl, ".", "450"}, {"450", kMgDl, kMmolL, ".", "25.0"},
      {"130", kMgDl, kMmolL, ",", "07,2"}, {"07,5", kMmolL, kMgDl, ",", "135"},
      {"7.5", kMmolL, kGL, ".", "1.35"},   {"1,20", kGL, kMmolL, ",", "06,7"},
      {"1.20", kGL, kMgDl, ".", "120"},    {"95", kMgDl, kGL, ".", "0.95"},
      {"abc", kMmolL, kMgDl, ".", {}},     {"", kMgDl, kMmolL, ".", {}},
      {"1e308", kMgDl, kGL, ".", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(converted_level(c.level, c.from, c.to, c.sep), c.converted)
        << c.level << " " << c.from << "->" << c.to;
  }
}

// ---- Settings file -------------------------------------------------------------------------

TEST(SettingsParse, ValuesAreTheLastDigitOfEachLine) {
  auto outcome = parse_settings("[Setup]\r\nUnite=2\r\nLock=1\r\nAnimation=0\r\n");
  EXPECT_EQ(outcome.ending, SettingsEnding::kNone);
  EXPECT_EQ(outcome.values.Unite, 2);
  EXPECT_EQ(outcome.values.Verrou, 1);
  EXPECT_EQ(parse_settings("[Setup]\r\nUnite=12\r\nLock=0\r\nAnimation=3").values.Unite, 2);
  EXPECT_EQ(parse_settings("[Setup]\r\nUnite=7\r\nLock=0\r\nAnimation=0\r\n").values.Unite, 0);
  outcome = parse_settings("[Setup]\r\nUnite=x\r\nLock=\r\nAnimation=-\r\n");
  EXPECT_EQ(outcome.ending, SettingsEnding::kNone);
  EXPECT_EQ(outcome.values.Unite + outcome.values.Verrou + outcome.values.Anim, 0);
  EXPECT_EQ(settings_text({}), kDefaults);
}

using SettingsFileTest = TempFolder;

// A cut-short file is rewritten with the unit and lock of the lines that are still whole.
TEST(SettingsParse, ShortFilesKeepTheirCompleteUnitAndLockLines) {
  struct Case {
    std::string bytes;
    Settings expected;
  };
  const Case cases[] = {
      {"[Setup]\r\nUnite=2\r\nLock=1\r\n", {2, 1, 0}},
      {"[Setup]\r\nUnite=2\r\nLock=1", {2, 0, 0}},  // the lock line may have lost a digit
      {"[Setup]\nUnite=1\nLock=1\n", {1, 1, 0}},
      {"[Setup]\r\nUnite=1\r\n", {1, 0, 0}},
      {"[Setup]\r\nUnite=12\r\nLock=1\r\n", {0, 1, 0}},  // not a value this file writes
      {"[Setup]\r\nUnite=7\r\nLock=1\r\n", {0, 1, 0}},
      {"[Setup]\r\nUnit", {0, 0, 0}},
      {"", {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const auto outcome = parse_settings(c.bytes);
    EXPECT_EQ(outcome.ending, SettingsEnding::kRewritten) << c.bytes;
    EXPECT_EQ(outcome.values.Unite, c.expected.Unite) << c.bytes;
    EXPECT_EQ(outcome.values.Verrou, c.expected.Verrou) << c.bytes;
    EXPECT_EQ(outcome.values.Anim, 0) << c.bytes;
  }
}

TEST_F(SettingsFileTest, ThreeLineFileIsRewrittenAndEnds) {
  put("sugarlog.ini", "[Setup]\r\nUnite=2\r\nLock=1\r\n");
  SettingsFile file(folder_);
  EXPECT_EQ(file.Recup_Init().ending, SettingsEnding::kRewritten);
  EXPECT_EQ(get("sugarlog.ini"), "[Setup]\r\nUnite=2\r\nLock=1\r\nAnimation=0\r\n");
  const auto next = file.Recup_Init();
  EXPECT_EQ(next.ending, SettingsEnding::kNone);
  EXPECT_EQ(next.values.Unite, 2);
  EXPECT_EQ(next.values.Verrou, 1);
}

TEST_F(SettingsFileTest, OFileIsDeletedAndEnds) {
  put("sugarlog.ini", "[Oops]\r\nUnite=2\r\nLock=1\r\nAnimation=0\r\n");
  SettingsFile file(folder_);
  EXPECT_EQ(file.Recup_Init().ending, SettingsEnding::kDeletedFile);
  EXPECT_FALSE(fs::exists(file.path()));
  EXPECT_EQ(file.Recup_Init().ending, SettingsEnding::kNone);
  EXPECT_EQ(get("sugarlog.ini"), kDefaults);
}

// ---- Loading -------------------------------------------------------------------------------

TEST(LoadRepair, ForeignSeparatorBecomesTheSystemOne) {
  TestTable table;
  ASSERT_FALSE(load_tests("\"06/12/26\",\"08:05\",\"07,5\",\"\"\r\n", table, "."));
  EXPECT_EQ(table.Tab_Taux[1], "07.5");
  ASSERT_FALSE(load_tests("\"06/12/26\",\"08:05\",\"07,5\",\"\"\r\n", table, ","));
  EXPECT_EQ(table.Tab_Taux[1], "07,5");
  ASSERT_FALSE(load_tests("\"06/12/26\",\"08:05\",\"1.35\",\"\"\r\n", table, ","));
  EXPECT_EQ(table.Tab_Taux[1], "1,35");
  for (std::string level : {"125", "85", "7", ""}) {
    const std::string before = level;
    repair_separator(level, ",");
    EXPECT_EQ(level, before);
  }
}

TEST(Load, FieldsStayTextInFileOrder) {
  TestTable table;
  ASSERT_FALSE(
      load_tests("\"06/12/26\",\"08:05\",\"07.5\",\"repas, midi\"\r\n05/12/26,  07:00 ,06.1,\r\n",
                 table, "."));
  ASSERT_EQ(table.Nb_Tests, 2);
  EXPECT_EQ(row_at(table, 1), (Row{"06/12/26", "08:05", "07.5", "repas, midi"}));
  EXPECT_EQ(row_at(table, 2), (Row{"05/12/26", "07:00", "06.1", ""}));
}

// The line each test starts on, which messages about a test name: CR LF, LF and a lone CR each
// end a line, inside a note as well, whatever the length of the lines and the bytes on them.
TEST(Load, EachTestKnowsTheLineItStartsOn) {
  TestTable table;
  std::vector<int> lines;
  ASSERT_FALSE(
      load_tests("\"01/12/26\",\"08:00\",\"05.0\",\"a note longer than a word\"\r\n"
                 "\"02/12/26\",\"08:00\",\"05.1\",\"two\r\nlines\"\n"
                 "\"03/12/26\",\"08:00\",\"05.2\",\"caf\xC3\xA9\tau lait\"\r"
                 "\"04/12/26\",\"08:00\",\"05.3\",\"\"\r\n",
                 table, ".", &lines));
  ASSERT_EQ(table.Nb_Tests, 4);
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 4, 5}));
}

TEST(Load, ErrorsKeepTheCompleteRecords) {
  TestTable table;
  auto error = load_tests(n_records(2) + "\"04/12/26\",\"09:00\"\r\n", table, ".");
  EXPECT_EQ(error, std::string(kInputPastEndOfFile));
  EXPECT_EQ(table.Nb_Tests, 2);

  EXPECT_FALSE(load_tests(n_records(5000), table, "."));
  EXPECT_EQ(table.Nb_Tests, 5000);
  error = load_tests(n_records(5001), table, ".");
  EXPECT_EQ(error, std::string(kSubscriptOutOfRange));
  EXPECT_EQ(table.Nb_Tests, 5000);
  EXPECT_EQ(table.Tab_Note[5000], "n4999");
}

// Dates and times in the saved shape are taken as they are; the others are judged by what the
// save would write for them.
TEST(Load, FaithfulnessOfDatesAndTimes) {
  struct Case {
    const char* date;
    const char* time;
    bool faithful;
  };
  const Case cases[] = {
      {"07/06/26", "08:05", true},    {"7/6/26", "8:05", true},     {"07/06/2026", "08:05", true},
      {"07/06/1926", "08:05", false},  // saved as 2026
      {"07-06-26", "08:05", true},    {"31/02/26", "08:05", false}, {"07/06/26", "8:05:40", true},
      {"07/06/26", "24:00", false},   {"07/06/26", "08:5", false},  {"0a/06/26", "08:05", false},
  };
  for (const Case& c : cases) {
    TestTable table;
    table.add_test(c.date, c.time, "05.0", "");
    EXPECT_EQ(saves_faithfully(table, 1, kMmolL, UnitState{}, "/", kThisYear), c.faithful)
        << c.date << " " << c.time;
  }
}

// ---- Data file -----------------------------------------------------------------------------

using DataFileTest = TempFolder;

TEST_F(DataFileTest, FirstStartWithNeitherFile) {
  const auto settings = SettingsFile(folder_).Recup_Init();
  EXPECT_EQ(settings.ending, SettingsEnding::kNone);
  EXPECT_EQ(settings.values.Unite, kMmolL);

  TestTable table;
  table.Nb_Tests = 3;
  const auto outcome = DataFile(folder_).Recuperer(table, ".");
  EXPECT_TRUE(outcome.created);
  EXPECT_FALSE(outcome.error);
  EXPECT_EQ(table.Nb_Tests, 0);
  EXPECT_EQ(names(), (std::vector<std::string>{"Diabete.dbk", "sugarlog.ini"}));
  EXPECT_EQ(get("Diabete.dbk"), "");
  EXPECT_EQ(get("sugarlog.ini"), kDefaults);
}

// Reading ahead on another thread changes nothing of what the load gives, and the lock is taken
// before the file is read. A load with another separator than the one read ahead reads again.
TEST_F(DataFileTest, ALogbookReadAheadLoadsAsItWouldHaveLoaded) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // none: no file
    const char* ahead;
    const char* load;
  };
  const Case cases[] = {
      {"no file", std::nullopt, ".", "."},
      {"tests", n_records(3) + "\"04/12/26\",\"09:00\",\"6,5\",\"\"\r\n", ".", "."},
      {"broken line", n_records(3) + "\"04/12/26\",\"09:00\"\r\n", ".", "."},
      {"too many", n_records(5001), ".", "."},
      {"other separator", n_records(2) + "\"04/12/26\",\"09:00\",\"6.5\",\"\"\r\n", ".", ","},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path ahead = folder_ / c.name / "ahead", plain = folder_ / c.name / "plain";
    for (const fs::path& folder : {ahead, plain}) {
      fs::create_directories(folder);
      if (c.bytes) std::ofstream(folder / DataFile::kFileName, std::ios::binary) << *c.bytes;
    }
    DataFile read_ahead(ahead);
    read_ahead.preload(c.ahead);
    EXPECT_TRUE(DataFile(ahead).Recuperer(*std::make_unique<TestTable>(), ".").open_elsewhere);
    TestTable got, expected;
    const LoadOutcome outcome = read_ahead.Recuperer(got, c.load);
    const LoadOutcome plain_outcome = DataFile(plain).Recuperer(expected, c.load);
    EXPECT_EQ(outcome.created, plain_outcome.created);
    EXPECT_EQ(outcome.error, plain_outcome.error);
    EXPECT_EQ(outcome.line, plain_outcome.line);
    EXPECT_FALSE(outcome.open_elsewhere);
    ASSERT_EQ(got.Nb_Tests, expected.Nb_Tests);
    for (int i = 1; i <= got.Nb_Tests; ++i) EXPECT_EQ(row_at(got, i), row_at(expected, i)) << i;
    EXPECT_EQ(platform::read_file(ahead / DataFile::kFileName).bytes,
              platform::read_file(plain / DataFile::kFileName).bytes);
  }
}

TEST_F(DataFileTest, TwoTestsAreSavedByteForByte) {
  TestTable table =
      table_of({{"06/12/2026", "8:05", "07.5", "repas"}, {"05/12/26", "23:59", "6,1", ""}});
  DataFile data(folder_);
  ASSERT_FALSE(save(data, table));
  EXPECT_EQ(get("Diabete.dbk"),
            "\"06/12/26\",\"08:05\",\"07.5\",\"repas\"\r\n"
            "\"05/12/26\",\"23:59\",\"06.1\",\"\"\r\n");
  EXPECT_EQ(table.Tab_Taux[2], "06.1");
  ASSERT_FALSE(data.Sauvegarder(table, kMmolL, UnitState{}, "-", kThisYear));
  EXPECT_EQ(get("Diabete.dbk").substr(0, 11), "\"06-12-26\",");
}

TEST_F(DataFileTest, UnitSwitchRereadsLevelsWithoutConversion) {
  TestTable table = table_of({{"06/12/26", "08:05", "12.4", ""}});
  UnitState units;
  units.Le_Formatteur(kMgDl, "");
  ASSERT_FALSE(DataFile(folder_).Sauvegarder(table, kMgDl, units, "/", kThisYear));
  EXPECT_EQ(get("Diabete.dbk"), "\"06/12/26\",\"08:05\",\"12\",\"\"\r\n");
}

TEST_F(DataFileTest, QuotesAndLineEndsInANoteDoNotBreakLaterRecords) {
  TestTable table = table_of({{"06/12/26", "08:05", "07.5", "il a dit \"non\"\r\npuis\nrien"},
                              {"05/12/26", "07:00", "06.0", "ok"}});
  DataFile data(folder_);
  ASSERT_FALSE(save(data, table));
  TestTable back;
  ASSERT_FALSE(data.Recuperer(back, ".").error);
  ASSERT_EQ(back.Nb_Tests, 2);
  EXPECT_EQ(back.Tab_Note[1], "il a dit 'non'  puis rien");
  EXPECT_EQ(row_at(back, 2), (Row{"05/12/26", "07:00", "06.0", "ok"}));
}

TEST_F(DataFileTest, FailedWriteChangesNothing) {
  TestTable table = table_of({{"06/12/26", "08:05", "07.5", "new"}});
  DataFile missing(folder_ / "no-such-folder");
  EXPECT_EQ(save(missing, table), "No such file or directory");
  EXPECT_EQ(table.Nb_Tests, 1);
}

TEST_F(DataFileTest, ReadOnlyFolderSaveFailsCleanly) {
  put("Diabete.dbk", n_records(1));
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  TestTable table = table_of({{"06/12/26", "08:05", "07.5", "new"}});
  // In a child process, as an ordinary user when the tests run as root.
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        DataFile data(folder_);
        std::_Exit(save(data, table) == "Permission denied" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(get("Diabete.dbk"), n_records(1));
  EXPECT_EQ(names(), (std::vector<std::string>{"Diabete.dbk"}));
}

TEST_F(DataFileTest, FileThatFailedToLoadIsKeptBeforeTheFirstOverwrite) {
  const std::string original = n_records(5001);
  put("Diabete.dbk", original);
  TestTable table;
  DataFile data(folder_);
  ASSERT_TRUE(data.Recuperer(table, ".").error);
  ASSERT_FALSE(save(data, table));
  EXPECT_EQ(get("Diabete.dbk.bak"), original);
  EXPECT_EQ(get("Diabete.dbk"), n_records(5000));

  // Later saves, and saves after a clean load, leave it alone.
  ASSERT_FALSE(data.Recuperer(table, ".").error);
  fs::remove(data.backup_path());
  ASSERT_FALSE(save(data, table));
  EXPECT_FALSE(fs::exists(data.backup_path()));
}

TEST_F(DataFileTest, NoOverwriteWhenTheBackupCannotBeMade) {
  put("Diabete.dbk", "\"06/12/26\",\"08:05\"\r\n");
  TestTable table;
  DataFile data(folder_);
  ASSERT_TRUE(data.Recuperer(table, ".").error);
  // What is under the logbook's name can no longer be read, so it cannot be kept either.
  fs::remove(data.path());
  fs::create_directory(data.path());
  table.add_test("07/12/26", "09:00", "05.0", "");
  EXPECT_EQ(save(data, table), "Is a directory");
  EXPECT_TRUE(fs::is_directory(data.path()));
  EXPECT_TRUE(data.backup_pending());
}

// A long logbook is checked in two halves at once: the first test a save would change is the one
// reported, in whichever half it lies.
TEST_F(DataFileTest, TheFirstUnfaithfulTestOfALongLogbookIsReported) {
  constexpr int kTests = 3000;
  const struct {
    std::vector<int> impossible_dates;
    int reported;
  } cases[] = {{{}, 0},        {{1}, 1},         {{1500}, 1500},       {{1501}, 1501},
               {{3000}, 3000}, {{2800, 40}, 40}, {{1700, 1600}, 1600}, {{999}, 999}};
  for (const auto& c : cases) {
    std::string text;
    for (int line = 1; line <= kTests; ++line) {
      const bool impossible =
          std::count(c.impossible_dates.begin(), c.impossible_dates.end(), line);
      text += impossible ? "\"31/02/26\",\"08:00\",\"05.0\",\"\"\r\n"
                         : "\"10/06/26\",\"08:00\",\"05.0\",\"\"\r\n";
    }
    put("Diabete.dbk", text);
    TestTable table;
    DataFile data(folder_);
    ASSERT_FALSE(data.Recuperer(table, ".").error);
    ASSERT_EQ(table.Nb_Tests, kTests);
    EXPECT_EQ(data.check_faithful(table, kMmolL, UnitState{}, "/", kThisYear).line, c.reported)
        << c.reported;
  }
}

// The copy of a logbook that could not be read faithfully outlives every later save, of this
// run and of the next; the program's own output reloaded is no reason for another copy, and a
// different damaged file gets the next number.
TEST_F(DataFileTest, ABackupIsNeverWrittenOver) {
  const std::string damaged =
      "\"10/06/26\",\"08:05\",\"abc\",\"\"\r\n"
      "\"31/02/26\",\"08:00\",\"05.0\",\"\"\r\n";
  put("Diabete.dbk", damaged);
  const auto save_one_more = [&](DataFile& data, const char* date) {
    TestTable table;
    ASSERT_FALSE(data.Recuperer(table, ".").error);
    const UnfaithfulRecord found = data.check_faithful(table, kMmolL, UnitState{}, "/", kThisYear);
    EXPECT_GT(found.line, 0);
    table.add_test(date, "09:00", "05.0", "");
    ASSERT_FALSE(save(data, table));
  };
  {
    DataFile data(folder_);
    save_one_more(data, "11/06/26");
    save_one_more(data, "12/06/26");
  }
  DataFile later(folder_);
  save_one_more(later, "13/06/26");
  EXPECT_EQ(get("Diabete.dbk.bak"), damaged);
  EXPECT_EQ(names(), (std::vector<std::string>{"Diabete.dbk", "Diabete.dbk.bak"}));

  const std::string quoted = "\"12/11/26\",\"08:00\",\"06.1\",\"he said \"hi\" ok\"\r\n";
  put("Diabete.dbk", quoted);
  save_one_more(later, "13/11/26");
  EXPECT_EQ(get("Diabete.dbk.bak"), damaged);
  EXPECT_EQ(get("Diabete.dbk.bak.1"), quoted);
  EXPECT_EQ(later.next_backup_path().filename(), "Diabete.dbk.bak.2");
}

// A folder that cannot be locked, for any reason but another holder, leaves the logbook read
// only: nothing would keep a second window from saving over this one's tests. A folder inside a
// regular file fails to lock even for root.
TEST_F(DataFileTest, AFolderThatCannotBeLockedIsReadOnly) {
  put("file", "");
  DataFile data(folder_ / "file" / "logbook");
  TestTable table;
  const LoadOutcome outcome = data.Recuperer(table, ".");
  EXPECT_EQ(outcome.lock_failed, "Not a directory");
  EXPECT_FALSE(outcome.open_elsewhere);
  EXPECT_FALSE(outcome.created);
  EXPECT_TRUE(data.read_only());
  table.add_test("07/12/26", "09:00", "05.0", "");
  EXPECT_EQ(save(data, table),
            "The logbook's folder could not be locked (Not a directory); nothing was written");
}

// ---- Erase ---------------------------------------------------------------------------------

class EraseTest : public TempFolder {
 protected:
  TestTable table = table_of({{"10/03/26", "08:00", "7.5", "a"},
                              {"05/03/26", "08:00", "06.0", "b"},
                              {"01/03/26", "20:00", "05.0", "c"},
                              {"01/03/26", "07:00", "05.5", "d"}});
  EraseStep step_for(std::string_view answer) {
    return check_erase_date(answer, table, kThisYear).step;
  }
};

// The oldest and newest dates and a text that is no date are checked through the window's erase
// command; these are the answers it does not try.
TEST_F(EraseTest, AnswerChecks) {
  EXPECT_EQ(step_for("02/03/2026"), EraseStep::kConfirm);
  EXPECT_EQ(check_erase_date("2/3/26", table, kThisYear).date, date_serial(2026, 3, 2));
  EXPECT_EQ(step_for("11/03/26"), EraseStep::kBeep);
  EXPECT_EQ(step_for("28/02/26"), EraseStep::kBeep);
  EXPECT_EQ(step_for(""), EraseStep::kStop);
  EXPECT_EQ(check_erase_date("05/03/26", TestTable{}, kThisYear).step, EraseStep::kStop);
}

TEST_F(EraseTest, OneDayAfterTheOldestRemovesThatDayWritingTestsAsHeld) {
  DataFile data(folder_);
  ASSERT_FALSE(data.Effacer_Donnees(table, date_serial(2026, 3, 2), kThisYear));
  EXPECT_EQ(table.Nb_Tests, 2);
  EXPECT_EQ(get("Diabete.dbk"),
            "\"10/03/26\",\"08:00\",\"7.5\",\"a\"\r\n"
            "\"05/03/26\",\"08:00\",\"06.0\",\"b\"\r\n");

  DataFile missing(folder_ / "gone");
  EXPECT_TRUE(missing.Effacer_Donnees(table, date_serial(2026, 3, 6), kThisYear));
  EXPECT_EQ(table.Nb_Tests, 2);
}

// The English texts are checked through the window's erase command.
TEST_F(EraseTest, FrenchPromptAndConfirmation) {
  EXPECT_EQ(
      erase_prompt(table, 1),
      "Vous avez présentement 4 analyses en mémoire.\n\nLa date la plus récente = 10/03/26\n"
      "La date la plus ancienne = 01/03/26\n\nENTREZ LA DATE qui deviendra la plus ancienne.");
  EXPECT_EQ(erase_confirm_text(date_serial(2026, 3, 2), "dd/MM/yyyy", 1),
            "EFFACER toutes les données avant le 02/03/2026");
}

TEST(Period, IsoDaysReadOnlyRealCalendarDays) {
  EXPECT_EQ(parse_iso_day("2024-02-29"), date_serial(2024, 2, 29));
  EXPECT_EQ(format_iso_day(date_serial(2026, 12, 8) + 0.75), "2026-12-08");
  for (const char* bad : {"2026-02-29", "2026-13-01", "2026-00-10", "2026-1-01", "26-01-01",
                          "2026/01/01", "2026-01-01 ", "", "abcd-ef-gh", "1899-12-31"}) {
    EXPECT_EQ(parse_iso_day(bad), std::nullopt) << bad;
  }
}

TEST(Period, EndsAreIncludedAndAReversedPeriodIsRefused) {
  const auto today = date_serial(2026, 12, 8) + 0.5;
  const Period week = last_days(today, 7);
  EXPECT_EQ(week.first, date_serial(2026, 12, 2));
  EXPECT_EQ(week.days(), 7);
  EXPECT_TRUE(week.contains(date_serial(2026, 12, 2)));
  EXPECT_TRUE(week.contains(date_serial(2026, 12, 8) + 0.99));
  EXPECT_FALSE(week.contains(date_serial(2026, 12, 1) + 0.99));
  const auto open = period_between(std::nullopt, std::nullopt, today);
  ASSERT_TRUE(open);
  EXPECT_TRUE(open->contains(date_serial(1950, 1, 1)));
  EXPECT_FALSE(open->contains(date_serial(2026, 12, 9)));
  EXPECT_FALSE(period_between(date_serial(2026, 12, 9), date_serial(2026, 12, 8), today));
}

}  // namespace
}  // namespace sugarlog
