#pragma once
// Diabete.dbk: one CR LF line of four quoted, comma-separated fields per test (date, time, level,
// note), most recent test first. Loading, saving, the erase command and the preview path.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/date.h"
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
// that read back as the same day and minute from their saved form, and a level that is a plain
// number which the unit's picture at most rounds. "abc", "1e308", an empty level, a year that
// "dd/mm/yy" cannot hold or UTF-16 text read as bytes are not.
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
};

class DataFile {
 public:
  static constexpr std::string_view kFileName = "Diabete.dbk";
  static constexpr std::string_view kBackupName = "Diabete.dbk.bak";

  explicit DataFile(std::filesystem::path folder);
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Also what the preview command opens.
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path backup_path() const;

  // The first load also locks the logbook for as long as this object lives (the system drops the
  // lock when the process ends, even by a crash). When another window holds it, the logbook is
  // read but never written here (open_elsewhere, read_only()). With the lock held, temporary
  // files of a save that was killed half-way are removed. Files written by earlier copies in
  // Windows-1252, or as UTF-16 with a byte-order mark, are read as such.
  LoadOutcome Recuperer(TestTable& table, std::string_view sep_decimal);

  // The first test the next save would change in meaning (see saves_faithfully), as the line of
  // the file it came from; 0 when there is none. Finding one keeps the file as it is in
  // Diabete.dbk.bak before the next overwrite, as a load error does.
  int check_faithful(const TestTable& table, int unite, const UnitState& units,
                     std::string_view date_separator, int this_year);

  // Another window has the logbook: every write is refused with kOpenElsewhere.
  bool read_only() const { return lock_state_ == LockState::kElsewhere; }
  static constexpr std::string_view kOpenElsewhere =
      "The logbook is open in another window; nothing was written";

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
  std::optional<std::string> overwrite(std::string_view bytes);
  std::optional<std::string> keep_backup();

  std::filesystem::path path_;
  bool backup_pending_ = false;
  std::vector<int> lines_;  // the line each loaded test starts on
  LockState lock_state_ = LockState::kNotTried;
  std::unique_ptr<platform::ExclusiveLock> lock_;
};

}  // namespace sugarlog
