#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/qt/testing/test_app.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/app/tests_window.h"

namespace {

namespace fs = std::filesystem;
using platform::read_bytes;
using platform::write_bytes;
using sugarlog_app::TestsModel;

std::string record(std::string_view date, std::string_view time, std::string_view level,
                   std::string_view note = "") {
  return "\"" + std::string(date) + "\",\"" + std::string(time) + "\",\"" + std::string(level) +
         "\",\"" + std::string(note) + "\"\r\n";
}

// The real window on a logbook of the given bytes, and the tests window over it.
class TestsWindowApp : public ::testing::Test {
 protected:
  void open(const std::string& logbook) {
    fs::create_directories(scratch_.path() / "program");
    fs::create_directories(scratch_.path() / "config");
    write_bytes(data_path(), logbook);
    program_ = std::make_unique<sugarlog_app::Program>(scratch_.path() / "program",
                                                       scratch_.path() / "config", &probe_);
    ASSERT_TRUE(program_->start());
    window_ = std::make_unique<sugarlog_app::TestsWindow>(
        program_->window(), program_->qt().renderer().widget_for(program_->window()));
    window_->show();
  }
  fs::path data_path() const { return scratch_.path() / "program" / "Diabete.dbk"; }

  platform::ScratchFolder scratch_{"sugarlog-tests-window"};
  platform::FakeProbe probe_;
  std::unique_ptr<sugarlog_app::Program> program_;
  std::unique_ptr<sugarlog_app::TestsWindow> window_;
};

TEST_F(TestsWindowApp, AddEditDeleteUndoAndOkSaveTheDataFileNewestFirst) {
  const fs::path data = data_path();
  const std::string before = record("05/12/26", "08:00", "05.0", "a") +
                             record("03/12/26", "12:00", "09.1", "b") +
                             record("01/12/26", "07:30", "04.2", "c");
  open(before);
  ASSERT_FALSE(HasFatalFailure());
  sugarlog_app::Program& program = *program_;
  sugarlog_app::TestsWindow& window = *window_;

  QApplication::processEvents();
  TestsModel& model = window.model();
  ASSERT_EQ(model.rowCount(), 3);

  // A test of a past day, typed as the C locale writes dates and as dd/mm/yy.
  ASSERT_TRUE(model.add_row());
  EXPECT_TRUE(model.setData(model.index(0, TestsModel::kDate), "04/12/26", Qt::EditRole));
  EXPECT_TRUE(model.setData(model.index(0, TestsModel::kTime), "9:10", Qt::EditRole));
  EXPECT_TRUE(model.setData(model.index(0, TestsModel::kLevel), "6,26", Qt::EditRole));
  EXPECT_TRUE(model.setData(model.index(0, TestsModel::kNote), "ajouté", Qt::EditRole));
  // The mistyped 09.1 becomes 7.1.
  EXPECT_TRUE(model.setData(model.index(2, TestsModel::kLevel), "7.1", Qt::EditRole));
  // Sorted by level, the lowest first; then the two lowest deleted in one go and one brought back.
  window.view().sortByColumn(TestsModel::kLevel, Qt::AscendingOrder);
  EXPECT_EQ(model.data(model.index(0, TestsModel::kLevel), Qt::DisplayRole).toString(), "04.2");
  window.view().selectRow(0);
  window.view().selectionModel()->select(model.index(1, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
  model.remove_rows({0, 1});
  EXPECT_EQ(model.rowCount(), 2);
  model.undo();
  EXPECT_EQ(model.rowCount(), 4);
  // 04.2 of the 1st chosen, the table sorted again, and Delete still takes that test.
  window.view().selectRow(0);
  window.view().sortByColumn(TestsModel::kDate, Qt::DescendingOrder);
  for (QPushButton* b : window.findChildren<QPushButton*>()) {
    if (b->text() == "&Delete") b->click();
  }
  ASSERT_EQ(model.rowCount(), 3);
  window.accept();
  QApplication::processEvents();

  EXPECT_EQ(read_bytes(data), record("05/12/26", "08:00", "05.0", "a") +
                                  record("04/12/26", "09:10", "06.3", "ajouté") +
                                  record("03/12/26", "12:00", "07.1", "b"));
  EXPECT_EQ(read_bytes(scratch_.path() / "program" / "Diabete.dbk.bak"), before);
  EXPECT_EQ(program.window().table.Nb_Tests, 3);
  EXPECT_FALSE(program.window().Menu_Sauve->enabled);
  EXPECT_EQ(program.window().Aff_Resultat.caption, "05.0");
}

// Closes the next message box the way Escape does (OK, or No for a question).
void escape_next_message_box() {
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
}

TEST_F(TestsWindowApp, FutureDatesAndLevelsPastTheMaximumAreRefusedAndCancelAsksFirst) {
  const fs::path data = data_path();
  const std::string before = record("05/12/26", "08:00", "05.0");
  open(before);
  ASSERT_FALSE(HasFatalFailure());
  sugarlog_app::Program& program = *program_;
  sugarlog_app::TestsWindow& window = *window_;
  TestsModel& model = window.model();
  const QString future = QDate::currentDate().addDays(1).toString("dd/MM/yyyy");
  for (const auto& [column, value] :
       std::vector<std::pair<int, QString>>{{TestsModel::kDate, future},
                                            {TestsModel::kDate, "31/02/2026"},
                                            {TestsModel::kTime, "24:00"},
                                            {TestsModel::kLevel, "25.1"},
                                            {TestsModel::kLevel, "0"},
                                            {TestsModel::kLevel, "abc"}}) {
    escape_next_message_box();
    EXPECT_FALSE(model.setData(model.index(0, column), value, Qt::EditRole)) << value.toStdString();
  }
  EXPECT_FALSE(model.changed());
  EXPECT_EQ(model.data(model.index(0, TestsModel::kLevel), Qt::DisplayRole).toString(), "05.0");

  ASSERT_TRUE(model.setData(model.index(0, TestsModel::kLevel), "25", Qt::EditRole));
  escape_next_message_box();  // "Drop the changes?" answered No: the window stays
  window.reject();
  EXPECT_TRUE(window.isVisible());
  window.hide();
  EXPECT_EQ(read_bytes(data), before);
  EXPECT_FALSE(program.window().Menu_Sauve->enabled);
}

}  // namespace
