#include "sugarlog/store/data_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/core/file_io.h"
#include "platform/core/seqfile.h"
#include "platform/core/text_encoding.h"
#include "platform/core/text_util.h"

namespace sugarlog {

namespace fs = std::filesystem;
using platform::Serial;

namespace {

constexpr unsigned char kBelowSlash = '/';  // codes below this are "punctuation" to the repair

bool below_slash_other_than(std::string_view text, std::size_t index, unsigned char sep) {
  if (index >= text.size()) return false;
  const auto c = static_cast<unsigned char>(text[index]);
  return c != sep && c < kBelowSlash;
}

bool is_french(std::int16_t langue) {
  return langue == 1;
}

}  // namespace

void repair_separator(std::string& level, std::string_view sep_decimal) {
  const std::string_view sep = sep_decimal.empty() ? std::string_view(".") : sep_decimal;
  const auto sep_code = static_cast<unsigned char>(sep.front());
  if (!below_slash_other_than(level, 2, sep_code) && !below_slash_other_than(level, 1, sep_code))
    return;
  for (std::size_t i = 0; i < level.size(); ++i) {
    if (static_cast<unsigned char>(level[i]) < kBelowSlash) {
      level.replace(i, 1, sep);
      return;
    }
  }
}

namespace {

// Counts lines as the reader ends them: CR LF, LF and a lone CR each end one.
class LineCounter {
  static constexpr unsigned char kBelowLineEnds = '\r' + 1;

 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  int line_at(std::size_t position) {
    const std::size_t stop = std::min(position, text_.size());
    while (pos_ < stop) {
      // Most bytes are plain text: a logbook is read at every start.
      pos_ += platform::ascii_run(text_.substr(pos_, stop - pos_), kBelowLineEnds);
      if (pos_ >= stop) break;
      const char c = text_[pos_++];
      if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n'))) ++line_;
    }
    return line_;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::optional<std::string> load_tests(std::string_view text, TestTable& table,
                                      std::string_view sep_decimal, std::vector<int>* lines) {
  table.Nb_Tests = 0;
  if (lines) lines->clear();
  platform::SequentialReader reader{std::string(text)};
  LineCounter counter(text);
  while (!reader.at_end()) {
    const int slot = table.Nb_Tests + 1;
    if (lines) lines->push_back(counter.line_at(reader.position()));
    if (slot > TestTable::kCapacity) return std::string(kSubscriptOutOfRange);
    for (auto* column : {&table.Tab_Date, &table.Tab_Heure, &table.Tab_Taux, &table.Tab_Note}) {
      if (!reader.read_field((*column)[slot])) return std::string(kInputPastEndOfFile);
    }
    repair_separator(table.Tab_Taux[slot], sep_decimal);
    table.Nb_Tests = slot;
  }
  return std::nullopt;
}

namespace {

void append_safe(std::string& out, std::string_view field) {
  std::size_t clean_from = 0;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c != '"' && c != '\r' && c != '\n') continue;
    out.append(field.substr(clean_from, i - clean_from));
    out += c == '"' ? '\'' : ' ';
    clean_from = i + 1;
  }
  out.append(field.substr(clean_from));
}

}  // namespace

std::string record_safe(std::string_view field) {
  std::string safe;
  append_safe(safe, field);
  return safe;
}

namespace {

// One record of the layout: four quoted fields, commas, CR LF; each field made safe on the way.
void append_record(std::string& out, std::string_view date, std::string_view heure,
                   std::string_view taux, std::string_view note) {
  const std::string_view fields[] = {date, heure, taux, note};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (i > 0) out += ',';
    out += '"';
    append_safe(out, fields[i]);
    out += '"';
  }
  out += "\r\n";
}

constexpr std::size_t kUsualRecordSize = 64;

}  // namespace

std::string records_as_held(const TestTable& table, int count) {
  std::string out;
  out.reserve(static_cast<std::size_t>(std::max(count, 0)) * kUsualRecordSize);
  for (int i = 1; i <= count && i <= TestTable::kCapacity; ++i)
    append_record(out, table.Tab_Date[i], table.Tab_Heure[i], table.Tab_Taux[i], table.Tab_Note[i]);
  return out;
}

namespace {

// True when the text is digit pairs joined by the separator ("06/12/26" for "dd/mm/yy"). Such a
// text comes out of the re-format unchanged: as itself when it is a date or time, and as itself
// again when it is not one; checking the shape saves parsing every test on each save.
bool has_shape(std::string_view text, std::size_t pairs, std::string_view separator) {
  const std::size_t size = pairs * 2 + (pairs - 1) * separator.size();
  if (text.size() != size) return false;
  for (std::size_t pair = 0; pair < pairs; ++pair) {
    const std::size_t at = pair * (2 + separator.size());
    if (!std::isdigit(static_cast<unsigned char>(text[at])) ||
        !std::isdigit(static_cast<unsigned char>(text[at + 1])))
      return false;
    if (pair + 1 < pairs && text.substr(at + 2, separator.size()) != separator) return false;
  }
  return true;
}

}  // namespace

std::string format_local_date(Serial date, std::string_view picture,
                              std::string_view date_separator) {
  // The pictures' date tokens give only digits, so every "/" left in the text is the picture's.
  const std::string formatted = platform::format_serial(date, picture);
  std::string out;
  for (char c : formatted) {
    if (c == '/')
      out += date_separator;
    else
      out += c;
  }
  return out;
}

std::string format_test_date(std::string_view text, std::string_view date_separator,
                             int this_year) {
  if (has_shape(text, 3, date_separator)) return std::string(text);
  const auto date = platform::parse_date(text, this_year);
  if (!date) return std::string(text);
  return format_local_date(*date, "dd/mm/yy", date_separator);
}

std::string format_test_time(std::string_view text) {
  if (has_shape(text, 2, ":")) return std::string(text);
  const auto time = platform::parse_time(text);
  return time ? platform::format_serial(*time, "hh:mm") : std::string(text);
}

namespace {

// The save's form of one test, its level given already re-formatted.
void append_saved_record(std::string& out, const TestTable& table, int slot, std::string_view taux,
                         std::string_view date_separator, int this_year) {
  append_record(out, format_test_date(table.Tab_Date[slot], date_separator, this_year),
                format_test_time(table.Tab_Heure[slot]), taux, table.Tab_Note[slot]);
}

std::string reserved_for(const TestTable& table) {
  std::string out;
  out.reserve(static_cast<std::size_t>(std::max(table.Nb_Tests, 0)) * kUsualRecordSize);
  return out;
}

}  // namespace

std::string records_for_save(TestTable& table, int unite, const UnitState& units,
                             std::string_view date_separator, int this_year) {
  std::string out = reserved_for(table);
  for (int i = 1; i <= table.Nb_Tests && i <= TestTable::kCapacity; ++i) {
    std::string& taux = table.Tab_Taux[i];
    taux = units.reformat(taux, unite);
    append_saved_record(out, table, i, taux, date_separator, this_year);
  }
  return out;
}

std::string records_as_saved(const TestTable& table, int unite, const UnitState& units,
                             std::string_view date_separator, int this_year) {
  std::string out = reserved_for(table);
  for (int i = 1; i <= table.Nb_Tests && i <= TestTable::kCapacity; ++i) {
    append_saved_record(out, table, i, units.reformat(table.Tab_Taux[i], unite), date_separator,
                        this_year);
  }
  return out;
}

namespace {

// Half the last place of a picture: how far formatting may round.
double rounding_of(std::string_view picture) {
  const auto point = picture.find('.');
  const std::size_t decimals = point == std::string_view::npos ? 0 : picture.size() - point - 1;
  double step = 0.5;
  for (std::size_t i = 0; i < decimals; ++i) step /= 10;
  return step;
}

constexpr double kOneMinute = 1.0 / (24 * 60);

}  // namespace

namespace {

bool note_saves_as_held(const TestTable& table, int slot) {
  return table.Tab_Note[slot].find_first_of("\"\r\n") == std::string::npos;
}

bool values_save_faithfully(const TestTable& table, int slot, int unite, const UnitState& units,
                            std::string_view date_separator, int this_year) {
  // A date or a time already in its saved shape is written back as it is, so it reads back the
  // same whenever it reads at all: only the others need formatting and reading again (a logbook
  // of the program's own writing is checked at every start).
  const std::string& date = table.Tab_Date[slot];
  const auto read = platform::parse_date(date, this_year);
  if (!read) return false;
  if (!has_shape(date, 3, date_separator)) {
    const auto saved =
        platform::parse_date(format_test_date(date, date_separator, this_year), this_year);
    if (!saved || *read != *saved) return false;
  }

  const std::string& heure = table.Tab_Heure[slot];
  const auto time = platform::parse_time(heure);
  if (!time) return false;
  if (!has_shape(heure, 2, ":")) {
    const auto saved_time = platform::parse_time(format_test_time(heure));
    if (!saved_time || std::abs(*time - *saved_time) >= kOneMinute) return false;
  }

  const std::string& taux = table.Tab_Taux[slot];
  if (fits_picture(taux, units.Format_Taux, units.Sep_Decimal)) return true;
  const auto level = plain_number(taux);
  const auto saved_level = plain_number(units.reformat(taux, unite));
  return level && saved_level &&
         std::abs(*level - *saved_level) <= rounding_of(units.Format_Taux) + 1e-9;
}

}  // namespace

bool saves_faithfully(const TestTable& table, int slot, int unite, const UnitState& units,
                      std::string_view date_separator, int this_year) {
  return note_saves_as_held(table, slot) &&
         values_save_faithfully(table, slot, unite, units, date_separator, this_year);
}

// ---- Erase ----------------------------------------------------------------------------------

std::string erase_prompt(const TestTable& table, std::int16_t langue) {
  const int n = table.Nb_Tests;
  const std::string count = std::to_string(n);
  const std::string& newest = table.Tab_Date[1];
  const std::string& oldest = table.Tab_Date[n >= 0 && n <= TestTable::kCapacity ? n : 0];
  if (is_french(langue)) {
    return "Vous avez présentement " + count +
           " analyses en mémoire.\n\nLa date la plus récente = " + newest +
           "\nLa date la plus ancienne = " + oldest +
           "\n\nENTREZ LA DATE qui deviendra la plus ancienne.";
  }
  return "Actualy, you have " + count + " TEST in memory.\n\nThe earlyest date is = " + newest +
         "\nThe oldest date is = " + oldest + "\n\nENTER THE DATE witch will become the oldest.";
}

std::string_view erase_prompt_title(std::int16_t langue) {
  return is_french(langue) ? "Vous vous apprêter à effacer des données ..."
                           : "You are about to erase some data ...";
}

EraseCheck check_erase_date(std::string_view answer, const TestTable& table, int this_year) {
  EraseCheck check;
  const auto date = platform::parse_date(answer, this_year);
  if (!date || *date == 0 || table.Nb_Tests < 1) return check;
  const auto newest = table.date_of(1, this_year);
  const auto oldest = table.date_of(table.Nb_Tests, this_year);
  if (!newest || !oldest) return check;  // a damaged date text: nothing sensible to compare

  check.step = *date < *newest && *date >= *oldest ? EraseStep::kConfirm : EraseStep::kBeep;
  check.date = *date;
  return check;
}

std::string erase_confirm_text(Serial date, std::string_view short_date_picture,
                               std::int16_t langue) {
  const std::string when = platform::format_serial(date, short_date_picture);
  return (is_french(langue) ? "EFFACER toutes les données avant le "
                            : "ERASE all the data before the ") +
         when;
}

std::string_view erase_confirm_title(std::int16_t langue) {
  return is_french(langue) ? "Voulez-vous réellement ..." : "Do you realy want to ...";
}

int tests_kept(const TestTable& table, Serial date, int this_year) {
  for (int i = 1; i <= table.Nb_Tests; ++i) {
    const auto test_date = table.date_of(i, this_year);
    if (test_date && *test_date < date) return i - 1;
  }
  return table.Nb_Tests;
}

// ---- DataFile -------------------------------------------------------------------------------

DataFile::DataFile(fs::path folder) : path_(std::move(folder) / kFileName) {}

DataFile::~DataFile() = default;

fs::path DataFile::backup_path() const {
  return path_.parent_path() / kBackupName;
}

namespace {

fs::path numbered(const fs::path& first, int number) {
  if (number == 0) return first;
  fs::path name = first;
  name += "." + std::to_string(number);
  return name;
}

bool holds_something(const fs::path& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

}  // namespace

fs::path DataFile::next_backup_path() const {
  int number = 0;
  while (holds_something(numbered(backup_path(), number))) ++number;
  return numbered(backup_path(), number);
}

void DataFile::remove_stale_backup_temporaries() const {
  // A killed backup left its temporary file beside the name it was going to take: the first
  // free one, or one of the backups before it when they were made later.
  for (int number = 0;; ++number) {
    const fs::path name = numbered(backup_path(), number);
    platform::remove_stale_temporaries(name);
    if (!holds_something(name)) return;
  }
}

void DataFile::take_lock() {
  if (lock_state_ != LockState::kNotTried) return;
  // The folder itself is locked: that works where the logbook cannot be written, and a save
  // replaces the file (a lock on the file would stay with the old one).
  const fs::path folder = path_.has_parent_path() ? path_.parent_path() : fs::path(".");
  lock_ = std::make_unique<platform::ExclusiveLock>(folder);
  switch (lock_->state()) {
    case platform::ExclusiveLock::State::kHeld:
      lock_state_ = LockState::kHeld;
      platform::remove_stale_temporaries(path_);
      remove_stale_backup_temporaries();
      break;
    case platform::ExclusiveLock::State::kHeldElsewhere:
      lock_state_ = LockState::kElsewhere;
      break;
    case platform::ExclusiveLock::State::kUnavailable:
      // Without the lock nothing keeps a second window from saving over this one's tests (a
      // folder that can be written but not listed, a file system without locks): read only.
      lock_state_ = LockState::kUnavailable;
      lock_error_ = lock_->error();
      lock_.reset();
      break;
  }
}

LoadOutcome DataFile::Recuperer(TestTable& table, std::string_view sep_decimal) {
  LoadOutcome outcome;
  table.Nb_Tests = 0;
  lines_.clear();
  loaded_text_.clear();
  backup_pending_ = false;
  take_lock();
  outcome.open_elsewhere = lock_state_ == LockState::kElsewhere;
  if (lock_state_ == LockState::kUnavailable) outcome.lock_failed = lock_error_;

  std::optional<Read> preloaded = take_preloaded(sep_decimal);
  Read read = preloaded ? std::move(*preloaded) : read_tests(path_, std::string(sep_decimal));
  if (read.file.missing && !read_only()) {
    outcome.created = true;
    outcome.error = platform::write_file_atomic(path_, "");
    return outcome;
  }
  if (read.file.error) {
    outcome.error = read.file.error;
  } else {
    loaded_text_ = std::move(read.text);
    table = std::move(read.table);
    lines_ = std::move(read.lines);
    outcome.error = std::move(read.error);
    if (outcome.error && !lines_.empty()) outcome.line = lines_.back();
  }
  backup_pending_ = outcome.error.has_value();
  return outcome;
}

void DataFile::preload(std::string_view sep_decimal) {
  take_lock();
  preload_separator_ = sep_decimal;
  preloaded_ = std::async(std::launch::async, &DataFile::read_tests, path_, preload_separator_);
}

DataFile::Read DataFile::read_tests(const fs::path& path, const std::string& sep_decimal) {
  Read read{platform::read_file(path), {}, {}, {}, {}};
  if (read.file.error || read.file.missing) return read;
  read.text = platform::text_from_file_bytes(read.file.bytes);
  read.error = load_tests(read.text, read.table, sep_decimal, &read.lines);
  return read;
}

std::optional<DataFile::Read> DataFile::take_preloaded(std::string_view sep_decimal) {
  if (!preloaded_.valid()) return std::nullopt;
  Read read = preloaded_.get();
  if (sep_decimal != preload_separator_) return std::nullopt;
  return read;
}

namespace {

// The first slot from first to last whose test the next save would change; 0 when there is none.
int first_unfaithful(const TestTable& table, int first, int last, int unite, const UnitState& units,
                     std::string_view date_separator, int this_year) {
  for (int i = first; i <= last; ++i) {
    if (!saves_faithfully(table, i, unite, units, date_separator, this_year)) return i;
  }
  return 0;
}

}  // namespace

UnfaithfulRecord DataFile::check_faithful(const TestTable& table, int unite, const UnitState& units,
                                          std::string_view date_separator, int this_year) {
  const int count = std::clamp(table.Nb_Tests, 0, TestTable::kCapacity);
  // Every start checks the whole logbook before the window shows: a long one is checked in two
  // halves at once, the later half on another thread.
  constexpr int kHalvedFrom = 1000;
  const int half = count >= kHalvedFrom ? count / 2 : count;
  std::future<int> later;
  if (half < count) {
    later = std::async(std::launch::async, first_unfaithful, std::cref(table), half + 1, count,
                       unite, std::cref(units), date_separator, this_year);
  }
  int i = first_unfaithful(table, 1, half, unite, units, date_separator, this_year);
  if (later.valid()) {
    const int in_later_half = later.get();
    if (i == 0) i = in_later_half;
  }
  if (i == 0) return {};
  const bool kept_already =
      holds_something(backup_path()) &&
      records_as_saved(table, unite, units, date_separator, this_year) == loaded_text_;
  if (!kept_already) backup_pending_ = true;
  const int line = static_cast<std::size_t>(i) <= lines_.size() ? lines_[i - 1] : i;
  return {line, values_save_faithfully(table, i, unite, units, date_separator, this_year)};
}

std::optional<std::string> DataFile::keep_backup() {
  std::error_code ec;
  if (!fs::exists(path_, ec) && !ec) return std::nullopt;  // nothing left to lose
  const platform::FileRead file = platform::read_file(path_);
  if (file.error) return file.error;
  return platform::write_file_atomic(next_backup_path(), file.bytes);
}

std::optional<std::string> DataFile::overwrite(std::string_view bytes) {
  if (lock_state_ == LockState::kUnavailable)
    return "The logbook's folder could not be locked (" + lock_error_ + "); nothing was written";
  if (read_only()) return std::string(kOpenElsewhere);
  if (backup_pending_) {
    if (auto error = keep_backup()) return error;
  }
  if (auto error = platform::write_file_atomic(path_, bytes)) return error;
  backup_pending_ = false;
  return std::nullopt;
}

std::optional<std::string> DataFile::Sauvegarder(TestTable& table, int unite,
                                                 const UnitState& units,
                                                 std::string_view date_separator, int this_year) {
  return overwrite(records_for_save(table, unite, units, date_separator, this_year));
}

std::optional<std::string> DataFile::Effacer_Donnees(TestTable& table, Serial date, int this_year) {
  const int kept = tests_kept(table, date, this_year);
  if (auto error = overwrite(records_as_held(table, kept))) return error;
  table.Nb_Tests = kept;
  return std::nullopt;
}

}  // namespace sugarlog
