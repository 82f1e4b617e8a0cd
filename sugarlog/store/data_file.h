#pragma once
// Diabete.dbk: one CR LF line of four quoted, comma-separated fields per test (date, time, level,
// note), most recent test first. Loading, saving, the erase command and the preview path.
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/file_io.h"
#include "platform/core/file_lock.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

namespace sugarlog {

// Load errors, worded as the platform words them.
inline constexpr std::string_view kInputPastEndOfFile = "Input past end of file";
inline constexpr std::string_view kSubscriptOutOfRange = "Subscript out of range";

// ---- Parsing and formatting on byte buffers -------------------------------------------------

// A level written under another regional setting gets the system separator: when its 2nd or 3rd
// character is below "/" and not the separator, the first character below "/" becomes the
// separator ("07,5" -> "07.5" on a "." system). A missing 2nd or 3rd character never counts.
void repair_separator(std::string& level, std::string_view sep_decimal);

// Fills slots 1.. of the table from a data file's text and sets Nb_Tests. On a short last record
// (kInputPastEndOfFile) or a record beyond the capacity (kSubscriptOutOfRange) the error text is
// returned and the complete records read before it stay counted. When `lines` is given it gets
// the line each record starts on (1 for the first), and one more entry: the line of the record
// the error stopped at.
std::optional<std::string> load_tests(std::string_view text, TestTable& table,
                                      std::string_view sep_decimal,
                                      std::vector<int>* lines = nullptr);

// True when the next save writes the test with the same meaning as it was read: a date and a time
// that read back as the same day and minute from their saved form, a level that is a plain
// number which the unit's picture at most rounds, and a note the save writes as it is (see
// record_safe). "abc", "1e308", an empty level, a year that "dd/mm/yy" cannot hold, UTF-16 text
// read as bytes or a note with double quotes in it are not.
bool saves_faithfully(const TestTable& table, int slot, int unite, const UnitState& units,
                      std::string_view date_separator, int this_year);

// A field as it may be written: a double quote becomes an apostrophe and CR or LF a blank, since
// the layout has no escape and either would split the records after it.
std::string record_safe(std::string_view field);

// Slots 1..count in the record layout, the texts exactly as held.
std::string records_as_held(const TestTable& table, int count);

// A date after a picture of platform/core/date.h whose "/" stands for the system's date separator.
std::string format_local_date(platform::Serial date, std::string_view picture,
                              std::string_view date_separator);

// The date of a test as "dd/mm/yy" with the given separator, the time as "hh:mm"; a text that is
// not a date (or time) is kept as it is.
std::string format_test_date(std::string_view text, std::string_view date_separator, int this_year);
std::string format_test_time(std::string_view text);

// Re-formats every level of slots 1..Nb_Tests in place (read by the unit's rule, written in the
// state's picture and separator) and returns the data file's bytes.
std::string records_for_save(TestTable& table, int unite, const UnitState& units,
                             std::string_view date_separator, int this_year);
// The same bytes, the table left as it is.
std::string records_as_saved(const TestTable& table, int unite, const UnitState& units,
                             std::string_view date_separator, int this_year);

// ---- The erase command, step by step --------------------------------------------------------
// Langue: 1 French, anything else English.

std::string erase_prompt(const TestTable& table, std::int16_t langue);
std::string_view erase_prompt_title(std::int16_t langue);

enum class EraseStep {
  kStop,     // not a date, or nothing to erase: end without a word
  kBeep,     // a date outside the table's span: beep and end
  kConfirm,  // ask the Yes/No question, then Effacer_Donnees on Yes
};
struct EraseCheck {
  EraseStep step = EraseStep::kStop;
  platform::Serial date = 0;  // the answer as a whole day, when kConfirm
};
// Checks the input box's answer: it must be a date later than or equal to the oldest test's and
// earlier than the most recent test's.
EraseCheck check_erase_date(std::string_view answer, const TestTable& table, int this_year);

std::string erase_confirm_text(platform::Serial date, std::string_view short_date_picture,
                               std::int16_t langue);
std::string_view erase_confirm_title(std::int16_t langue);

// How many tests stay when those older than the date go: the slots before the first one dated
// earlier than it.
int tests_kept(const TestTable& table, platform::Serial date, int this_year);

// ---- The file itself ------------------------------------------------------------------------

struct LoadOutcome {
  bool created = false;              // there was no file; an empty one was made
  std::optional<std::string> error;  // the load error to show; the tests read so far stay
  int line = 0;                      // the line the error stopped at; 0 when it is no line's
  bool open_elsewhere = false;       // another window has the logbook: it is read only here
  // The logbook's folder could not be locked, for this reason: it is read only here too, since
  // nothing would keep a second window from writing over this one's tests.
  std::optional<std::string> lock_failed;
};

// The first test of a loaded logbook that the next save would change (see saves_faithfully).
struct UnfaithfulRecord {
  int line = 0;       // the line of the file it came from; 0 when every test saves as read
  bool note = false;  // only its note changes (double quotes or line ends in it)
};

class DataFile {
 public:
  static constexpr std::string_view kFileName = "Diabete.dbk";
  // Backups are never written over: the first is Diabete.dbk.bak, the next Diabete.dbk.bak.1,
  // then .2 and so on.
  static constexpr std::string_view kBackupName = "Diabete.dbk.bak";

  explicit DataFile(std::filesystem::path folder);
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Also what the preview command opens.
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path backup_path() const;
  // Where the next backup goes: the first name of the series that holds nothing.
  std::filesystem::path next_backup_path() const;

  // The first load also locks the logbook for as long as this object lives (the system drops the
  // lock when the process ends, even by a crash). When another window holds it, or it cannot be
  // taken at all, the logbook is read but never written here (open_elsewhere, lock_failed,
  // read_only()). With the lock held, temporary files of a save that was killed half-way are
  // removed. Files written by earlier copies in Windows-1252, or as UTF-16 with a byte-order
  // mark, are read as such.
  LoadOutcome Recuperer(TestTable& table, std::string_view sep_decimal);
  // Takes the lock, then reads and parses the logbook on another thread while the caller goes on
  // (building its window, say); the next Recuperer with the same separator takes the result.
  void preload(std::string_view sep_decimal);

  // The first test the next save would change in meaning (see saves_faithfully). Finding one
  // keeps the file as it is in a backup before the next overwrite, as a load error does, unless
  // a backup exists already and the save would write every line of the file back unchanged (the
  // program's own output, reloaded): that adds nothing worth keeping.
  UnfaithfulRecord check_faithful(const TestTable& table, int unite, const UnitState& units,
                                  std::string_view date_separator, int this_year);

  // Another window has the logbook, or its folder cannot be locked: every write is refused with
  // kOpenElsewhere.
  bool read_only() const {
    return lock_state_ == LockState::kElsewhere || lock_state_ == LockState::kUnavailable;
  }
  static constexpr std::string_view kOpenElsewhere =
      "The logbook is open in another window; nothing was written";

  // The table is about to change beyond what a save re-formats (levels converted to another
  // unit): the file as it is now is kept in a backup before the next overwrite.
  void keep_before_next_save() { backup_pending_ = true; }

  // Why the logbook's folder could not be locked, when that is what makes it read only.
  std::optional<std::string> lock_failed() const {
    if (lock_state_ != LockState::kUnavailable) return std::nullopt;
    return lock_error_;
  }

  // The data part of a save (the caller writes the settings first): levels re-formatted in place,
  // the whole table written atomically. On failure the error text comes back and the file is as it
  // was; the caller keeps "&Save" enabled.
  std::optional<std::string> Sauvegarder(TestTable& table, int unite, const UnitState& units,
                                         std::string_view date_separator, int this_year);

  // The confirmed erase: writes the tests newer than or on the date exactly as held, then sets
  // Nb_Tests to their number. The caller reloads with Recuperer and redraws. On failure the error
  // text comes back and neither the table nor the file changes.
  std::optional<std::string> Effacer_Donnees(TestTable& table, platform::Serial date,
                                             int this_year);

  // After a load error the file still holds records the table lacks; the next overwrite first
  // keeps it as Diabete.dbk.bak.
  bool backup_pending() const { return backup_pending_; }
  // Changes made outside the add-test panel (the tests window, an import) may remove tests: the
  // file as it was is kept as Diabete.dbk.bak before the next overwrite.
  void keep_previous_on_next_save() { backup_pending_ = true; }

 private:
  enum class LockState { kNotTried, kHeld, kElsewhere, kUnavailable };
  void take_lock();
  // The logbook's file as read, and its tests as parsed.
  struct Read {
    platform::FileRead file;
    std::string text;
    TestTable table;
    std::vector<int> lines;
    std::optional<std::string> error;
  };
  static Read read_tests(const std::filesystem::path& path, const std::string& sep_decimal);
  std::optional<Read> take_preloaded(std::string_view sep_decimal);
  std::optional<std::string> overwrite(std::string_view bytes);
  std::optional<std::string> keep_backup();
  void remove_stale_backup_temporaries() const;

  std::filesystem::path path_;
  bool backup_pending_ = false;
  std::vector<int> lines_;   // the line each loaded test starts on
  std::string loaded_text_;  // the text the last load read, to tell what a save would change
  LockState lock_state_ = LockState::kNotTried;
  std::string lock_error_;  // why the lock could not be taken
  std::unique_ptr<platform::ExclusiveLock> lock_;
  std::future<Read> preloaded_;
  std::string preload_separator_;
};

}  // namespace sugarlog
