// The statistics window on the real logbook window, and sugarlog --stats / --report.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTextBrowser>
#include <filesystem>
#include <sstream>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/report_commands.h"
#include "sugarlog/app/report_pdf.h"
#include "sugarlog/app/stats_windows.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/stats/target_file.h"

namespace {

namespace fs = std::filesystem;
using platform::read_bytes;
using platform::write_bytes;

// Tests of the last days up to today, newest first: 3 a day on `days` days.
std::string logbook_bytes(int days) {
  const platform::Serial today = platform_qt::QtClock().today();
  std::string out;
  for (int d = 0; d < days; ++d) {
    const std::string date = platform::format_serial(today - d, "dd/mm/yy");
    for (const char* time : {"20:00", "12:00", "07:30"}) {
      out += "\"" + date + "\",\"" + time + "\",\"0" + std::to_string(5 + d % 4) + ".0\",\"n\"\r\n";
    }
  }
  return out;
}

class StatsAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "program");
    fs::create_directories(config());
    saved_config_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config().string()));
    write_bytes(root_ / "program" / "Diabete.dbk", logbook_bytes(20));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_config_); }
  fs::path config() const { return root_ / "config"; }
  std::string logbook() const { return (root_ / "program").string(); }

  struct Answer {
    std::optional<int> status;
    std::string out, err;
  };
  Answer run(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const auto status = sugarlog_app::answer_report_commands(arguments, out, err);
    return {status, out.str(), err.str()};
  }

  platform::ScratchFolder scratch_{"sugarlog-stats-app"};
  const fs::path& root_ = scratch_.path();
  platform::FakeProbe probe_;
  QByteArray saved_config_;
};

TEST_F(StatsAppTest, StatisticsWindowShowsTheFiguresOfThePeriodChosen) {
  sugarlog_app::Program program(root_ / "program", config(), &probe_);
  ASSERT_TRUE(program.start());
  sugarlog_app::StatisticsDialog dialog(program.window());
  dialog.show();
  EXPECT_EQ(dialog.statistics().count, 60);  // the last 90 days hold them all
  EXPECT_EQ(dialog.statistics().days_with_tests, 20);
  ASSERT_TRUE(dialog.statistics().gmi_percent);
  EXPECT_TRUE(dialog.figures().toPlainText().contains("Estimated HbA1c (GMI)"));
  EXPECT_EQ(dialog.figures().accessibleName(), "Figures of the period");

  dialog.period().choose(0);  // the last 7 days
  EXPECT_EQ(dialog.statistics().count, 21);
  EXPECT_FALSE(dialog.statistics().gmi_percent);
  dialog.period().choose(4);
  const platform::Serial today = platform_qt::QtClock().today();
  dialog.period().set_days(today - 1, today);
  EXPECT_EQ(dialog.statistics().count, 6);

  dialog.target().set_range({90, 144});  // 5.0-8.0 mmol/l
  ASSERT_TRUE(dialog.keep_target());
  EXPECT_EQ(sugarlog::TargetRangeFile(config()).read(), (sugarlog::TargetRange{90, 144}));
  EXPECT_EQ(dialog.statistics().target, (sugarlog::TargetRange{90, 144}));
  EXPECT_EQ(read_bytes(config() / "sugarlog.ini").find("Target"), std::string::npos);
}

TEST_F(StatsAppTest, PaperFollowsTheCountry) {
  using sugarlog_app::paper_for;
  EXPECT_EQ(paper_for(QLocale(QLocale::French, QLocale::France)), QPageSize::A4);
  EXPECT_EQ(paper_for(QLocale(QLocale::French, QLocale::Canada)), QPageSize::Letter);
  EXPECT_EQ(paper_for(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
  EXPECT_EQ(paper_for(QLocale(QLocale::English, QLocale::UnitedKingdom)), QPageSize::A4);
  EXPECT_EQ(paper_for(QLocale::c()), QPageSize::A4);
}

TEST_F(StatsAppTest, CommandLineAnswersOrRefuses) {
  EXPECT_FALSE(run({}).status);
  EXPECT_FALSE(run({"-platform", "offscreen"}).status);
  EXPECT_FALSE(run({"--help", "--stats"}).status);  // help first

  const Answer stats = run({"--stats", "--logbook", logbook()});
  EXPECT_EQ(stats.status, 0);
  EXPECT_NE(stats.out.find("Tests                     60"), std::string::npos) << stats.out;
  EXPECT_EQ(stats.err, "");

  const std::vector<std::vector<std::string>> refused = {
      {"--stats", "--report", "x.pdf"},
      {"--stats", "--from", "2026-13-01"},
      {"--stats", "--to", "yesterday"},
      {"--stats", "--from", "2026-12-02", "--to", "2026-12-01"},
      {"--stats", "--name", "Jane"},
      {"--stats", "--bogus"},
      {"--report"},
      {"--report="},
  };
  for (const auto& arguments : refused) {
    const Answer answer = run(arguments);
    EXPECT_EQ(answer.status, 2) << arguments.back();
    EXPECT_TRUE(answer.err.starts_with("sugarlog: ")) << answer.err;
    EXPECT_EQ(answer.out, "");
  }
  const Answer missing = run({"--stats", "--logbook", (root_ / "nowhere.dbk").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("nowhere.dbk"), std::string::npos);
}

TEST_F(StatsAppTest, ReportIsWrittenWholeOrNotAtAll) {
  const fs::path pdf = root_ / "report.pdf";
  const Answer written = run(
      {"--report", pdf.string(), "--logbook", logbook(), "--name", "Jane", "--from", "2020-01-01"});
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_TRUE(read_bytes(pdf).starts_with("%PDF"));

  const Answer nowhere =
      run({"--report", (root_ / "no" / "such" / "folder.pdf").string(), "--logbook", logbook()});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_NE(nowhere.err.find("folder.pdf"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "no"));

  if (geteuid() != 0) {  // root writes anywhere
    fs::create_directories(root_ / "locked");
    write_bytes(root_ / "locked" / "old.pdf", "old");
    ::chmod((root_ / "locked").c_str(), 0555);
    const Answer locked =
        run({"--report", (root_ / "locked" / "old.pdf").string(), "--logbook", logbook()});
    ::chmod((root_ / "locked").c_str(), 0755);
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(read_bytes(root_ / "locked" / "old.pdf"), "old");
  }
}

}  // namespace
