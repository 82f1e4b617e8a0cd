#pragma once
// The tests window: every test of the logbook in a table, sortable by any column, where tests of
// any past day are added, edited and deleted, with undo until the window closes. OK saves at once
// through the main window's own save; Cancel drops the changes after a question.
#include <QAbstractTableModel>
#include <QDialog>
#include <functional>
#include <vector>

#include "sugarlog/exchange/entries.h"
#include "sugarlog/window/fenetre.h"

class QTableView;
class QPushButton;

namespace sugarlog_app {

class TestsModel : public QAbstractTableModel {
 public:
  enum Column { kDate, kTime, kLevel, kNote, kColumns };

  TestsModel(const sugarlog::Fenetre& window, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A value that breaks the rules (a future date, a level out of range) is refused and told.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  void sort(int column, Qt::SortOrder order) override;

  // A test dated now with no level yet, at the top; false (told) when the logbook is full.
  bool add_row();
  void remove_rows(std::vector<int> rows);
  void undo();
  bool can_undo() const { return !undo_.empty(); }
  bool changed() const { return changed_; }
  const std::vector<sugarlog::exchange::Entry>& rows() const { return rows_; }
  // The first row that cannot be saved (no level), or -1.
  int first_incomplete_row() const;

  std::function<void()> on_change;  // after every change, undo included

 private:
  void remember();
  void changed_now();
  void tell(const sugarlog::Bilingual& text, const std::string& more = {}) const;
  bool set_moment(sugarlog::exchange::Entry& row, std::int64_t minute);
  QString date_text(const sugarlog::exchange::Entry& row) const;
  std::optional<platform::Serial> read_day(const QString& text) const;

  const sugarlog::Fenetre& window_;
  int unite_;
  std::string sep_;
  int this_year_;
  std::vector<sugarlog::exchange::Entry> rows_;
  std::vector<std::vector<sugarlog::exchange::Entry>> undo_;
  bool changed_ = false;
};

class TestsWindow : public QDialog {
 public:
  TestsWindow(sugarlog::Fenetre& window, QWidget* parent = nullptr);

  TestsModel& model() { return *model_; }
  QTableView& view() { return *view_; }

  // OK: the changes go into the logbook, saved at once.
  void accept() override;
  // Cancel, Escape or closing: asks before dropping changes.
  void reject() override;

 private:
  void add_row();
  void delete_selected();
  void update_buttons();

  sugarlog::Fenetre& window_;
  TestsModel* model_;
  QTableView* view_;
  QPushButton* undo_button_;
};

}  // namespace sugarlog_app
