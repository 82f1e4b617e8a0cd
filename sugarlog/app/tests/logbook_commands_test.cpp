#include "sugarlog/app/logbook_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/core/date.h"
#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/store/data_file.h"

namespace {

namespace fs = std::filesystem;
using platform::read_bytes;
using platform::write_bytes;

const std::string kLogbook =
    "\"07/12/26\",\"21:30\",\"06.1\",\"soir\"\r\n"
    "\"05/12/26\",\"08:05\",\"07.5\",\"repas, midi\"\r\n"
    "\"01/12/26\",\"07:45\",\"04.9\",\"\"\r\n";

class LogbookCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"logbook", "empty", "config"})
      fs::create_directories(root_ / folder);
    write_bytes(root_ / "logbook" / "Diabete.dbk", kLogbook);
    clock_.set(platform::date_serial(2026, 12, 8) + platform::time_serial(12, 0));
  }

  int run(std::vector<std::string> arguments) {
    out_.str({});
    err_.str({});
    const sugarlog_app::CommandContext context{root_ / "logbook", root_ / "config", locale_,
                                               clock_};
    return sugarlog_app::answer_logbook_command(arguments, {"sugarlog", "Sugarlog", "logbook"},
                                                context, out_, err_)
        .value_or(-1);
  }
  std::string file(const char* name) const { return (root_ / name).string(); }

  platform::ScratchFolder scratch_{"sugarlog-commands"};
  const fs::path& root_ = scratch_.path();
  platform::FakeLocale locale_;
  platform::FakeClock clock_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(LogbookCommands, ExportThenImportIntoAnEmptyLogbookGivesTheSameFile) {
  ASSERT_EQ(run({"--export", file("all.csv")}), 0) << err_.str();
  EXPECT_EQ(read_bytes(root_ / "all.csv"),
            "Date,Time,Level,Unit,Note\r\n2026-12-07,21:30,6.1,mmol/L,soir\r\n"
            "2026-12-05,08:05,7.5,mmol/L,\"repas, midi\"\r\n2026-12-01,07:45,4.9,mmol/L,\r\n");
  ASSERT_EQ(run({"--export=" + file("week.csv"), "--from", "2026-12-02", "--to=2026-12-06"}), 0);
  EXPECT_EQ(read_bytes(root_ / "week.csv").find("2026-12-07"), std::string::npos);
  EXPECT_NE(read_bytes(root_ / "week.csv").find("2026-12-05"), std::string::npos);

  // Without --yes nothing is written, not even an empty logbook.
  ASSERT_EQ(run({"--import", file("all.csv"), "--logbook", file("empty")}), 0);
  EXPECT_NE(out_.str().find("Readings to add: 3"), std::string::npos) << out_.str();
  EXPECT_TRUE(fs::is_empty(root_ / "empty"));
  ASSERT_EQ(run({"--import", file("all.csv"), "--logbook", file("empty"), "--yes"}), 0);
  EXPECT_EQ(read_bytes(root_ / "empty" / "Diabete.dbk"), kLogbook);
  ASSERT_EQ(run({"--import", file("all.csv"), "--logbook", file("empty/Diabete.dbk"), "--yes"}), 0);
  EXPECT_NE(out_.str().find("Already in the logbook (skipped): 3"), std::string::npos);
  EXPECT_EQ(read_bytes(root_ / "empty" / "Diabete.dbk"), kLogbook);
}

TEST_F(LogbookCommands, ALogbookThatAWindowHoldsIsNotTouched) {
  sugarlog::DataFile window(root_ / "logbook");
  sugarlog::TestTable table;
  window.Recuperer(table, ".");
  write_bytes(root_ / "new.csv", "Date,Time,Glucose mmol/L\n2026-12-08,08:00,5.5\n");
  EXPECT_EQ(run({"--import", file("new.csv"), "--yes"}), 1);
  EXPECT_NE(err_.str().find("open in a Sugarlog window"), std::string::npos) << err_.str();
  EXPECT_EQ(run({"--export", file("out.csv")}), 1);
  EXPECT_FALSE(fs::exists(root_ / "out.csv"));
  EXPECT_EQ(read_bytes(root_ / "logbook" / "Diabete.dbk"), kLogbook);
}

TEST_F(LogbookCommands, WrongOptionsAndBadFilesFailWithAMessage) {
  write_bytes(root_ / "binary.csv", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--export"}, 2, "option '--export' needs a value"},
      {{"--export", "a.csv", "--import", "b.csv"}, 2, "one at a time"},
      {{"--export", "a.csv", "--frm", "2026-01-01"}, 2, "unknown option '--frm'"},
      {{"--export", "a.csv", "--from", "2026-13-01"}, 2, "YYYY-MM-DD"},
      {{"--export", "a.csv", "--from", "2026-12-05", "--to", "2026-12-01"}, 2, "after --to"},
      {{"--export", "a.csv", "--logbook", "/no/such/notes.txt"}, 2, "--logbook names the folder"},
      {{"--export", file("a.csv"), "--logbook", file("config")}, 1, "no logbook here"},
      {{"--export", file("config")}, 1, file("config") + ": "},
      {{"--import", file("missing.csv")}, 1, "missing.csv: No such file or directory"},
      {{"--import", file("binary.csv")}, 1, "binary.csv: line 2: binary data"},
      {{"--import", file("config")}, 1, "config: "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.arguments), c.status) << c.arguments[0] << " " << err_.str();
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
  }
  EXPECT_EQ(read_bytes(root_ / "logbook" / "Diabete.dbk"), kLogbook);
  EXPECT_EQ(run({"--stats"}), -1);  // not ours: left to the window system
  EXPECT_EQ(run({"--help"}), -1);   // the program's help lists every mode
  std::ostringstream help;
  EXPECT_EQ(platform::answer_command_line({"--help"}, sugarlog_app::identity(), help), 0);
  for (const char* mode :
       {"--import FILE.csv [--yes]", "--export FILE.csv", "--stats", "--report FILE.pdf"}) {
    EXPECT_NE(help.str().find(mode), std::string::npos) << mode;
  }
}

}  // namespace
