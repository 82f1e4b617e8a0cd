#include "sugarlog/app/tests_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/logbook_windows_qt.h"
#include "sugarlog/store/period.h"
#include "sugarlog/texts/exchange_texts.h"

namespace sugarlog_app {

namespace {

using platform_qt::to_qstring;
using platform_qt::to_utf8;
using sugarlog::exchange::Entry;

constexpr int kNoteMaximum = 255;  // as the add-test panel's note box

std::int64_t now_minute(const sugarlog::Fenetre& window) {
  return static_cast<std::int64_t>(std::floor(window.services().clock.now() * 1440 + 1e-6));
}

}  // namespace

TestsModel::TestsModel(const sugarlog::Fenetre& window, QObject* parent)
    : QAbstractTableModel(parent),
      window_(window),
      unite_(window.unite()),
      sep_(window.units.Sep_Decimal),
      this_year_(platform::year_of(window.services().clock.now())),
      rows_(sugarlog::exchange::entries_of(window.table, this_year_)) {}

int TestsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TestsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QString TestsModel::date_text(const Entry& row) const {
  if (!row.minute) return to_qstring(row.date);
  const QDate date = platform_qt::date_of_serial(static_cast<double>(*row.minute / 1440));
  return QLocale::system().toString(date, platform_qt::system_short_date_format());
}

QVariant TestsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const Entry& row = rows_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case kDate:
      return date_text(row);
    case kTime:
      return to_qstring(row.minute ? sugarlog::exchange::entry_time(*row.minute) : row.time);
    case kLevel:
      return to_qstring(row.level);
    default:
      return to_qstring(row.note);
  }
}

QVariant TestsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  namespace text = sugarlog::text;
  switch (section) {
    case kDate:
      return in_language(text::kColumnDate, window_);
    case kTime:
      return in_language(text::kColumnTime, window_);
    case kLevel:
      return in_language(text::kColumnLevel, window_) + " (" +
             to_qstring(sugarlog::unit_info(unite_).name) + ")";
    default:
      return in_language(text::kColumnNote, window_);
  }
}

Qt::ItemFlags TestsModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

std::optional<platform::Serial> TestsModel::read_day(const QString& text) const {
  const QString trimmed = text.trimmed();
  const QDate date = QLocale::system().toDate(trimmed, platform_qt::system_short_date_format());
  if (date.isValid()) return platform_qt::serial_of_date(date);
  const std::string bytes = to_utf8(trimmed);
  if (auto day = sugarlog::parse_iso_day(bytes)) return day;
  return platform::parse_date(bytes, this_year_);
}

void TestsModel::tell(const sugarlog::Bilingual& text, const std::string& more) const {
  window_.services().dialogs.message_box(
      std::string(text.in(window_.Langue)) + more, platform::Buttons::Ok,
      platform::Icon::Exclamation, std::string(sugarlog::text::kTestsTitle.in(window_.Langue)));
}

bool TestsModel::set_moment(Entry& row, std::int64_t minute) {
  if (minute > now_minute(window_)) {
    tell(sugarlog::text::kFutureRefused);
    return false;
  }
  remember();
  row.minute = minute;
  row.date = sugarlog::exchange::entry_date(minute);
  row.time = sugarlog::exchange::entry_time(minute);
  return true;
}

bool TestsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  Entry& row = rows_[static_cast<std::size_t>(index.row())];
  const QString text = value.toString();
  bool done = false;
  if (index.column() == kDate || index.column() == kTime) {
    const std::int64_t old = row.minute.value_or(now_minute(window_) / 1440 * 1440);
    if (index.column() == kDate) {
      const auto day = read_day(text);
      if (!day) {
        tell(sugarlog::text::kBadDate, ": \"" + to_utf8(text) + "\"");
        return false;
      }
      done = set_moment(row, sugarlog::exchange::minute_of(*day, static_cast<int>(old % 1440)));
    } else {
      const auto at = platform::parse_time(to_utf8(text.trimmed()));
      if (!at) {
        tell(sugarlog::text::kBadTime, ": \"" + to_utf8(text) + "\"");
        return false;
      }
      done = set_moment(row, old / 1440 * 1440 + std::lround(*at * 1440));
    }
  } else if (index.column() == kLevel) {
    const sugarlog::UnitInfo& unit = sugarlog::unit_info(unite_);
    const double level = sugarlog::read_level(to_utf8(text.trimmed()), unite_, sep_);
    if (!(level > 0) || level > unit.maximum) {
      tell(sugarlog::text::kLevelRange,
           std::to_string(unit.maximum) + " " + std::string(unit.name) + ")");
      return false;
    }
    remember();
    row.level = sugarlog::format_level(level, unit.picture, sep_);
    done = true;
  } else {
    remember();
    row.note = to_utf8(text.left(kNoteMaximum));
    done = true;
  }
  if (!done) return false;
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumns - 1));
  changed_now();
  return true;
}

void TestsModel::sort(int column, Qt::SortOrder order) {
  // Each row's key is read once: reading a level per comparison would cost more than the sort.
  std::vector<std::pair<double, std::size_t>> keys(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Entry& e = rows_[i];
    double key = 0;
    if (column == kDate) key = static_cast<double>(e.minute.value_or(-1));
    if (column == kTime) key = static_cast<double>(e.minute.value_or(0) % 1440);
    if (column == kLevel) key = sugarlog::read_level(e.level, unite_, sep_);
    keys[i] = {key, i};
  }
  const bool ascending = order == Qt::AscendingOrder;
  std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
    if (column == kNote) {
      return ascending ? rows_[a.second].note < rows_[b.second].note
                       : rows_[b.second].note < rows_[a.second].note;
    }
    return ascending ? a.first < b.first : b.first < a.first;
  });
  emit layoutAboutToBeChanged();
  std::vector<Entry> sorted;
  sorted.reserve(rows_.size());
  std::vector<int> new_row(rows_.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    new_row[keys[i].second] = static_cast<int>(i);
    sorted.push_back(std::move(rows_[keys[i].second]));
  }
  rows_ = std::move(sorted);
  // The selection and the current cell stay on the same tests, so Delete removes what was chosen.
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) {
    after.push_back(this->index(new_row[static_cast<std::size_t>(index.row())], index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

bool TestsModel::add_row() {
  if (rows_.size() >= static_cast<std::size_t>(sugarlog::TestTable::kCapacity)) {
    tell(sugarlog::text::kTableFull);
    return false;
  }
  remember();
  const std::int64_t minute = now_minute(window_);
  beginInsertRows({}, 0, 0);
  rows_.insert(rows_.begin(), Entry{sugarlog::exchange::entry_date(minute),
                                    sugarlog::exchange::entry_time(minute), "", "", minute});
  endInsertRows();
  changed_now();
  return true;
}

void TestsModel::remove_rows(std::vector<int> rows) {
  if (rows.empty()) return;
  remember();
  std::sort(rows.begin(), rows.end(), std::greater<>());
  beginResetModel();
  for (int row : rows) rows_.erase(rows_.begin() + row);
  endResetModel();
  changed_now();
}

void TestsModel::undo() {
  if (undo_.empty()) return;
  beginResetModel();
  rows_ = std::move(undo_.back());
  undo_.pop_back();
  endResetModel();
  if (on_change) on_change();
}

int TestsModel::first_incomplete_row() const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].level.empty()) return static_cast<int>(i);
  }
  return -1;
}

void TestsModel::remember() {
  undo_.push_back(rows_);
}

void TestsModel::changed_now() {
  changed_ = true;
  if (on_change) on_change();
}

// ---- The window ----

TestsWindow::TestsWindow(sugarlog::Fenetre& window, QWidget* parent)
    : QDialog(parent), window_(window) {
  namespace text = sugarlog::text;
  setWindowTitle(in_language(text::kTestsTitle, window));
  model_ = new TestsModel(window, this);
  view_ = new QTableView(this);
  view_->setAccessibleName(in_language(text::kTestsTitle, window));
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  view_->setSortingEnabled(true);
  view_->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder);
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->setColumnWidth(TestsModel::kDate, 110);
  view_->setColumnWidth(TestsModel::kLevel, 110);

  auto* add = new QPushButton(in_language(text::kAddRow, window), this);
  auto* remove = new QPushButton(in_language(text::kDeleteRows, window), this);
  undo_button_ = new QPushButton(in_language(text::kUndo, window), this);
  undo_button_->setShortcut(QKeySequence::Undo);
  remove->setShortcut(QKeySequence::Delete);
  for (QPushButton* b : {add, remove, undo_button_}) {
    b->setAutoDefault(false);
    b->setAccessibleName(b->text().remove('&'));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(add, &QPushButton::clicked, this, [this] { add_row(); });
  connect(remove, &QPushButton::clicked, this, [this] { delete_selected(); });
  connect(undo_button_, &QPushButton::clicked, this, [this] { model_->undo(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &TestsWindow::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TestsWindow::reject);
  model_->on_change = [this] { update_buttons(); };

  auto* row = new QHBoxLayout;
  row->addWidget(add);
  row->addWidget(remove);
  row->addWidget(undo_button_);
  row->addStretch();
  row->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addLayout(row);
  resize(560, 520);
  update_buttons();
}

void TestsWindow::add_row() {
  if (!model_->add_row()) return;
  view_->scrollToTop();
  const QModelIndex level = model_->index(0, TestsModel::kLevel);
  view_->setCurrentIndex(level);
  view_->edit(level);
}

void TestsWindow::delete_selected() {
  std::vector<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  model_->remove_rows(std::move(rows));
}

void TestsWindow::update_buttons() {
  undo_button_->setEnabled(model_->can_undo());
}

void TestsWindow::accept() {
  if (!model_->changed()) return QDialog::accept();
  const int incomplete = model_->first_incomplete_row();
  if (incomplete >= 0) {
    const sugarlog::UnitInfo& unit = sugarlog::unit_info(window_.unite());
    window_.services().dialogs.message_box(
        std::string(sugarlog::text::kLevelRange.in(window_.Langue)) + std::to_string(unit.maximum) +
            " " + std::string(unit.name) + ")",
        platform::Buttons::Ok, platform::Icon::Exclamation,
        std::string(sugarlog::text::kTestsTitle.in(window_.Langue)));
    view_->setCurrentIndex(model_->index(incomplete, TestsModel::kLevel));
    return;
  }
  std::vector<sugarlog::exchange::Entry> rows = model_->rows();
  sugarlog::exchange::sort_newest_first(rows);
  auto table = std::make_unique<sugarlog::TestTable>();
  sugarlog::exchange::fill_table(rows, *table);
  window_.save_tests(*table);
  QDialog::accept();
}

void TestsWindow::reject() {
  if (model_->changed() &&
      window_.services().dialogs.message_box(
          std::string(sugarlog::text::kDropChanges.in(window_.Langue)), platform::Buttons::YesNo,
          platform::Icon::None,
          std::string(sugarlog::text::kTestsTitle.in(window_.Langue))) != platform::Answer::Yes) {
    return;
  }
  QDialog::reject();
}

}  // namespace sugarlog_app
