#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/date.h"
#include "sugarlog/exchange/csv.h"
#include "sugarlog/exchange/entries.h"
#include "sugarlog/exchange/export.h"
#include "sugarlog/exchange/import.h"
#include "sugarlog/store/data_file.h"

namespace sugarlog::exchange {
namespace {

constexpr int kYear = 2026;
const platform::Serial kNow = platform::date_serial(2026, 12, 8) + platform::time_serial(12, 0);

ImportSettings settings_for(int unite, std::string sep = ".") {
  ImportSettings s;
  s.unite = unite;
  s.sep_decimal = std::move(sep);
  s.now = kNow;
  s.locale_day_first = true;
  return s;
}

TestTable table_of(const std::vector<std::vector<std::string>>& rows) {
  TestTable table;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    table.add_test((*it)[0], (*it)[1], (*it)[2], (*it)[3]);
  }
  return table;
}

ImportPlan import_into(const TestTable& table, std::string_view csv, const ImportSettings& s) {
  return plan_import(table, read_import(csv, s), s.unite, s.sep_decimal, kYear);
}

std::string saved_bytes(std::vector<Entry> entries, int unite, std::string sep = ".") {
  TestTable table;
  EXPECT_TRUE(fill_table(entries, table));
  UnitState units;
  units.Sep_Decimal = sep;
  units.Le_Formatteur(unite, "");
  return records_for_save(table, unite, units, "/", kYear);
}

const std::vector<std::vector<std::string>> kWeek = {
    {"07/12/26", "21:30", "06.1", "soir, \"bien\""},
    {"07/12/26", "08:05", "07.5", "repas"},
    {"05/12/26", "12:00", "11.2", ""},
    {"01/12/26", "07:45", "04.9", "à jeun"},
};

TEST(Export, WritesHeaderIsoDatesFullStopAndQuotedNotes) {
  const auto result = export_csv(table_of(kWeek), kMmolL, ".", Period{0, 1e6}, kYear);
  EXPECT_EQ(result.written, 4);
  EXPECT_EQ(result.csv,
            "Date,Time,Level,Unit,Note\r\n"
            "2026-12-07,21:30,6.1,mmol/L,\"soir, \"\"bien\"\"\"\r\n"
            "2026-12-07,08:05,7.5,mmol/L,repas\r\n"
            "2026-12-05,12:00,11.2,mmol/L,\r\n"
            "2026-12-01,07:45,4.9,mmol/L,à jeun\r\n");
  const Period first_week{platform::date_serial(2026, 12, 1), platform::date_serial(2026, 12, 5)};
  EXPECT_EQ(export_csv(table_of(kWeek), kMmolL, ".", first_week, kYear).written, 2);
}

TEST(Export, RoundTripIntoAnEmptyLogbookGivesTheSameDataFile) {
  for (const auto& [unite, sep] : std::vector<std::pair<int, std::string>>{
           {kMmolL, "."}, {kMmolL, ","}, {kMgDl, "."}, {kGL, ","}}) {
    std::vector<std::vector<std::string>> rows = kWeek;
    for (auto& row : rows) {
      const double mmol = read_level(row[2], kMmolL);
      row[2] = format_level(convert_level(mmol, kMmolL, unite), unit_info(unite).picture, sep);
    }
    rows[0][3] = "soir, bien";  // the data file has no escape for a quote
    const TestTable before = table_of(rows);
    const std::string csv = export_csv(before, unite, sep, Period{0, 1e6}, kYear).csv;
    const ImportPlan plan = import_into(TestTable{}, csv, settings_for(unite, sep));
    EXPECT_EQ(plan.added, 4);
    EXPECT_TRUE(plan.refused.empty());
    EXPECT_EQ(saved_bytes(plan.entries, unite, sep),
              saved_bytes(entries_of(before, kYear), unite, sep))
        << unite << sep;
  }
}

TEST(Import, ConvertsBetweenUnitsAndRoundsToTheLogbookPicture) {
  struct Case {
    const char* header;
    const char* level;
    int unite;
    const char* expected;
  };
  const Case cases[] = {
      {"Glucose (mg/dL)", "135", kMmolL, "07.5"},  // 135 / 18.016 = 7.49
      {"Glucose (mg/dL)", "100", kGL, "1.00"},
      {"Glucose (mmol/L)", "5.5", kMgDl, "99"},   // 99.09
      {"Glucose (mmol/L)", "10", kGL, "1.80"},    // 1.8016
      {"Glucose (g/L)", "1.26", kMmolL, "07.0"},  // 6.99
      {"Glucose (g/L)", "0.9", kMgDl, "90"},
      {"Glucose (mmol/L)", "7,5", kMmolL, "07.5"},
  };
  for (const Case& c : cases) {
    const std::string csv =
        std::string("Date;Time;") + c.header + "\n2026-12-01;08:00;" + c.level + "\n";
    const ImportPlan plan = import_into(TestTable{}, csv, settings_for(c.unite));
    ASSERT_EQ(plan.entries.size(), 1u) << c.header << " " << c.level;
    EXPECT_EQ(plan.entries[0].level, c.expected) << c.header << " " << c.level;
  }
}

TEST(Import, SkipsReadingsWithTheSameDateTimeAndLevel) {
  const TestTable logbook = table_of({{"01/12/26", "08:00", "07.5", ""}});
  const ImportPlan plan = import_into(logbook,
                                      "Date,Time,Glucose mmol/L\n"
                                      "2026-12-01,08:00,7.5\n"    // already there
                                      "2026-12-01,08:00,7.6\n"    // another level
                                      "2026-12-01,08:01,7.5\n"    // another minute
                                      "2026-12-01,08:01,7.50\n",  // twice in the file
                                      settings_for(kMmolL));
  EXPECT_EQ(plan.added, 2);
  EXPECT_EQ(plan.duplicates, 2);
  ASSERT_EQ(plan.entries.size(), 3u);
  EXPECT_EQ(plan.entries[0].time, "08:01");  // newest first
  EXPECT_EQ(plan.entries[1].level, "07.5");  // the logbook's own first
}

TEST(Import, LeavesOutTheOldestReadingsPastTheCapacity) {
  TestTable logbook;
  for (int i = 0; i < TestTable::kCapacity - 2; ++i)
    logbook.add_test("01/01/20", "08:00", "05.0", "");
  std::string csv = "Date,Time,Glucose mmol/L\n";
  for (int day = 1; day <= 5; ++day) csv += "2026-11-0" + std::to_string(day) + ",09:00,6.0\n";
  const ImportPlan plan = import_into(logbook, csv, settings_for(kMmolL));
  EXPECT_EQ(plan.added, 2);
  EXPECT_EQ(plan.left_out, 3);
  EXPECT_EQ(plan.entries.size(), static_cast<std::size_t>(TestTable::kCapacity));
  EXPECT_EQ(plan.entries[0].date, "05/11/2026");
  EXPECT_EQ(plan.entries[1].date, "04/11/2026");
  EXPECT_NE(import_summary(plan, 0).find("Left out, the oldest ones"), std::string::npos);
}

TEST(Import, SensorExportGivesStripAndScanReadingsAndHistoryOnlyWhenAsked) {
  const std::string csv =
      "Glucose Data,Generated on,12-08-2026 10:15 UTC,Generated by,Someone\n"
      "Device,Serial Number,Device Timestamp,Record Type,Historic Glucose mg/dL,"
      "Scan Glucose mg/dL,Rapid-Acting Insulin (units),Strip Glucose mg/dL,Notes\n"
      "Sensor,X1,12-03-2026 07:00,0,99,,,,\n"
      "Sensor,X1,12-03-2026 07:05,1,,108,,,\n"
      "Sensor,X1,12-03-2026 07:10,4,,,6,,\n"
      "Sensor,X1,12-04-2026 22:15,2,,,,180,after dinner\n";
  ImportSettings s = settings_for(kMmolL);
  s.locale_day_first = std::nullopt;
  ParsedImport parsed = read_import(csv, s);
  EXPECT_EQ(parsed.kind, FileKind::kSensorExport);
  EXPECT_TRUE(parsed.ask_day_order);  // 12-03 and 12-04: either order
  s.day_first = false;
  parsed = read_import(csv, s);
  ImportPlan plan = plan_import(TestTable{}, parsed, kMmolL, ".", kYear);
  ASSERT_EQ(plan.added, 2);
  EXPECT_EQ(plan.history_skipped, 1);
  EXPECT_EQ(plan.entries[0].date, "04/12/2026");
  EXPECT_EQ(plan.entries[0].level, "10.0");  // 180 mg/dL
  EXPECT_EQ(plan.entries[0].note, "after dinner");
  EXPECT_EQ(plan.entries[1].level, "06.0");  // 108 mg/dL
  s.include_history = true;
  EXPECT_EQ(read_import(csv, s).readings.size(), 3u);
}

TEST(Import, InfersTheDayOrderFromADayAbove12) {
  ImportSettings s = settings_for(kMmolL);
  s.locale_day_first = std::nullopt;
  for (const auto& [csv, date] : std::vector<std::pair<std::string, std::string>>{
           {"Date,Time,mmol/L\n03/11/2026,08:00,5\n25/11/2026,08:00,6\n", "03/11/2026"},
           {"Date,Time,mmol/L\n03/11/2026,08:00,5\n11/25/2026,08:00,6\n", "11/03/2026"}}) {
    const ImportPlan plan = import_into(TestTable{}, csv, s);
    ASSERT_EQ(plan.entries.size(), 2u);
    EXPECT_EQ(plan.entries[1].date, date);
  }
}

TEST(Import, EveryBadInputGivesAReasonAndALine) {
  struct Case {
    std::string bytes;
    int line;
    std::string reason;  // the start of the English reason
    bool whole_file;
  };
  const std::string head = "Date,Time,Glucose (mmol/L)\n";
  const std::vector<Case> cases = {
      {"", 1, "the file is empty", true},
      {"\n\r\n  \n", 1, "the file is empty", true},
      {std::string("PK\x03\x04\0\0", 6), 1, "binary data", true},
      {"<html><body>Hello</body></html>\n", 1, "no columns of dates", true},
      {"Name,Age\nBob,42\n", 1, "no columns of dates", true},
      {head + "2026-12-01,08:00,\"5.5\n2026-12-02,08:00,6\n", 2, "a quoted field is never closed",
       true},
      {head + "2026-12-01,08:00,5\"5\n", 2, "a double quote in the middle", true},
      {head + "2026-02-30,08:00,5\n", 2, "impossible date", false},
      {head + "2026-12-01,25:00,5\n", 2, "not a time", false},
      {head + "2026-12-01,08:00,abc\n", 2, "the level is not a number", false},
      {head + "2026-12-01,08:00,1e308\n", 2, "the level is not a number", false},
      {head + "2026-12-01,08:00,NaN\n", 2, "the level is not a number", false},
      {head + "2026-12-01,08:00,-5\n", 2, "level out of range (above 0, at most 25 mmol/l)", false},
      {head + "2026-12-01,08:00,99999999999999999999999999999999999999\n", 2, "level out of range",
       false},
      {head + "01/12/26,08:00,5\n", 2, "two-digit year", false},
      {head + "2027-01-01,08:00,5\n", 2, "dated in the future", false},
      {head + "2026-12-01,08:00\n", 2, "columns missing", false},
      {"Date,Time,Level,Unit,Note\n2026-12-01,08:00,5,furlongs,\n", 2, "unknown unit", false},
  };
  for (const Case& c : cases) {
    const ParsedImport parsed = read_import(c.bytes, settings_for(kMmolL));
    const std::optional<Refusal> refusal =
        c.whole_file ? parsed.error
                     : (parsed.refused.empty() ? std::nullopt : std::optional(parsed.refused[0]));
    ASSERT_TRUE(refusal) << c.bytes;
    EXPECT_EQ(refusal->line, c.line) << c.bytes;
    EXPECT_EQ(refusal->reason.substr(0, c.reason.size()), c.reason) << c.bytes;
    EXPECT_TRUE(parsed.readings.empty()) << c.bytes;
  }
}

TEST(Import, ReadsEuropeanSpreadsheetsAndOtherEncodings) {
  const std::string semicolons =
      "Datum;Heure;Glycémie (mmol/L);Remarque\r\n01.12.2026;08:00;5,5;ok\r\n";
  std::string utf16 = "\xFF\xFE";  // little-endian with its mark
  for (char c :
       std::string("Date,Time,Glucose mg/dL,Note\r\n2026-12-01,08:00,99,caf\xC3\xA9\r\n")) {
    if (static_cast<unsigned char>(c) == 0xC3) continue;
    utf16 += static_cast<unsigned char>(c) == 0xA9 ? '\xE9' : c;
    utf16 += '\0';
  }
  const std::string cp1252 = "Date,Time,Glucose mg/dL,Note\r\n2026-12-01,08:00,99,caf\xE9\r\n";
  for (const std::string& bytes : {semicolons, utf16, cp1252}) {
    const ImportPlan plan = import_into(TestTable{}, bytes, settings_for(kMmolL, ","));
    ASSERT_EQ(plan.added, 1) << bytes;
    EXPECT_EQ(plan.entries[0].date, "01/12/2026");
    EXPECT_EQ(plan.entries[0].level, "05,5");
    EXPECT_TRUE(plan.entries[0].note == "ok" || plan.entries[0].note == "café")
        << plan.entries[0].note;
  }
}

TEST(Import, LineNumbersCountTheLinesInsideQuotedNotesAndTimesTakeAmPm) {
  const ImportPlan plan = import_into(TestTable{},
                                      "Date,Time,Glucose mmol/L,Note\r\n"
                                      "2026-12-01,7:05 PM,5.5,\"two\r\nlines, \"\"quoted\"\"\"\r\n"
                                      "2026-12-02,12:30 am,6.5,\r\n"
                                      "2026-12-32,08:00,6.5,\r\n",
                                      settings_for(kMmolL));
  ASSERT_EQ(plan.added, 2);
  EXPECT_EQ(plan.entries[0].time, "00:30");
  EXPECT_EQ(plan.entries[1].time, "19:05");
  EXPECT_EQ(plan.entries[1].note, "two\r\nlines, \"quoted\"");
  ASSERT_EQ(plan.refused.size(), 1u);
  EXPECT_EQ(plan.refused[0].line, 5);
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBeAndReadBackTheSame) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"repas", "repas"},       {"", ""},
      {"a,b", "\"a,b\""},       {"dit \"oui\"", "\"dit \"\"oui\"\"\""},
      {"l1\nl2", "\"l1\nl2\""}, {" blanc", "\" blanc\""},
      {"à jeun", "à jeun"},
  };
  for (const auto& [field, written] : cases) {
    EXPECT_EQ(csv_field(field), written);
    const CsvTable table = read_csv("x," + written + "\r\n");
    ASSERT_EQ(table.rows.size(), 1u) << written;
    EXPECT_EQ(table.rows[0].fields.at(1), field);
  }
}

TEST(Entries, AnUnreadableTestStaysAfterTheOneBeforeIt) {
  std::vector<Entry> entries = entries_of(table_of({{"01/12/26", "08:00", "05.0", "old"},
                                                    {"not a date", "08:00", "05.0", "odd"},
                                                    {"05/12/26", "08:00", "05.0", "new"}}),
                                          kYear);
  sort_newest_first(entries);
  EXPECT_EQ(entries[0].note, "new");
  EXPECT_EQ(entries[1].note, "old");
  EXPECT_EQ(entries[2].note, "odd");
  const auto result = export_csv(table_of({{"not a date", "08:00", "05.0", ""}}), kMmolL, ".",
                                 kWholeLogbook, kYear);
  EXPECT_EQ(result.written, 0);
  EXPECT_EQ(result.unreadable, 1);
}

}  // namespace
}  // namespace sugarlog::exchange
