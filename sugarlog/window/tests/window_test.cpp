#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/texts/messages.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::read_bytes;
using platform::write_bytes;

constexpr std::string_view kDefaultSettings = "[Setup]\r\nUnite=0\r\nLock=0\r\nAnimation=0\r\n";

std::string record(std::string_view date, std::string_view time, std::string_view level,
                   std::string_view note = "") {
  return "\"" + std::string(date) + "\",\"" + std::string(time) + "\",\"" + std::string(level) +
         "\",\"" + std::string(note) + "\"\r\n";
}

// Records on consecutive days going back from 11/06/26, n of them.
std::string many_records(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    const std::string date =
        platform::format_serial(platform::date_serial(2026, 6, 11) - i, "dd/mm/yy");
    out += record(date, "08:00", "05.5");
  }
  return out;
}

// Each character followed by a zero byte: ASCII text as UTF-16 little-endian, without a mark.
std::string utf16_bytes(std::string_view text) {
  std::string out;
  for (const char c : text) out += std::string{c, '\0'};
  return out;
}

// A window on temporary folders, with the clock pinned at 12 June 2026, 14:30, and an English
// locale with the full stop (French() switches to French with the comma).
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program_dir());
    fs::create_directories(config_dir());
    fake_.clock.set(platform::date_serial(2026, 6, 12) + platform::time_serial(14, 30));
  }

  fs::path program_dir() const { return root_ / "program"; }
  fs::path config_dir() const { return root_ / "config"; }
  fs::path data_path() const { return program_dir() / "Diabete.dbk"; }
  fs::path ini_path() const { return config_dir() / "sugarlog.ini"; }

  void French() {
    fake_.locale.language = "French";
    fake_.locale.decimal = ",";
  }

  Fenetre& start() {
    window_ = std::make_unique<Fenetre>(fake_.platform(), program_dir(), config_dir());
    window_->Form_Load();
    return *window_;
  }

  // The panel open, with a short-date picture as long as the date box so the live check runs.
  Fenetre& start_with_panel() {
    fake_.locale.short_date = "dd/MM/yy";
    Fenetre& w = start();
    w.Menu_Ajouter->user_clicks();
    return w;
  }

  void type_level(Fenetre& w, std::string_view keys) {
    w.Dialog_Taux.select_all();
    w.Dialog_Taux.user_types_text(keys);
  }

  void type_time(Fenetre& w, std::string_view keys) {
    w.set_focus(&w.Dialog_Heure);
    w.Dialog_Heure.set_text("");
    w.Dialog_Heure.user_types_text(keys);
    w.set_focus(&w.Dialog_Note);
  }

  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (const auto& m : fake_.dialogs.messages) out.push_back(m.title);
    return out;
  }

  // Replaces a file by a folder of the same name, so the next write to it fails.
  void block(const fs::path& path) {
    fs::remove(path);
    fs::create_directory(path);
  }

  platform::ScratchFolder scratch_{"sugarlog-window"};
  const fs::path& root_ = scratch_.path();
  platform::FakePlatform fake_;
  std::unique_ptr<Fenetre> window_;
};

// ---- Start-up ----

TEST_F(WindowTest, FirstStartCreatesBothFilesAndOpensEmptyInMmol) {
  Fenetre& w = start();
  EXPECT_EQ(read_bytes(ini_path()), kDefaultSettings);
  EXPECT_TRUE(fs::exists(data_path()));
  EXPECT_EQ(fs::file_size(data_path()), 0u);
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_FALSE(fake_.program.ended);

  EXPECT_TRUE(w.Menu_OptMM->checked);
  EXPECT_FALSE(w.Menu_OptMG->checked);
  EXPECT_TRUE(w.Menu_OptMG->enabled);
  EXPECT_TRUE(w.Menu_OptG->visible);
  EXPECT_FALSE(w.Menu_Historique->enabled);
  EXPECT_FALSE(w.Menu_Prev->enabled);
  EXPECT_FALSE(w.Menu_Impr_Graph->enabled);
  EXPECT_FALSE(w.Menu_Sauve->enabled);
  EXPECT_FALSE(w.Curseur.enabled);
  EXPECT_FALSE(w.Menu_Test->visible);
  EXPECT_FALSE(w.Menu_Recom->visible);
  EXPECT_TRUE(w.Timer_Ping.enabled);  // the connection check starts with the window
  EXPECT_FALSE(w.Timer_Heure.enabled);
  EXPECT_FALSE(w.Timer_Joyst.enabled);

  EXPECT_EQ(w.caption, "Glucose monotor");
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
  EXPECT_EQ(w.Aff_Langue.caption, "0");
  EXPECT_EQ(w.Aff_Resultat.caption, "");
  EXPECT_EQ(w.chart.Aff_mmol.caption, "mmol/l");
  EXPECT_EQ(w.Menu_Res1->caption, "Optimal: >= 4 and <7 mmol/l");
  EXPECT_EQ(w.Menu_Res3->caption, "Compromise: >= 10 mmol/l");
  EXPECT_EQ(w.Date_Graphique, platform::date_serial(2026, 6, 12));
  EXPECT_EQ(w.Graphique_Actif, 1);
}

TEST_F(WindowTest, FrenchLocaleTranslatesTheWindowAndShowsRecommendations) {
  French();
  Fenetre& w = start();
  EXPECT_EQ(w.Langue, 1);
  EXPECT_EQ(w.Aff_Langue.caption, "1");
  EXPECT_TRUE(w.Menu_Recom->visible);
  EXPECT_FALSE(w.Menu_Test->visible);
  EXPECT_EQ(w.caption, "Moniteur de glycémie");
  EXPECT_EQ(w.Menu_Fichier->caption, "&Fichier");
  EXPECT_EQ(w.Menu_Sang->caption, "&Sanguine");
  EXPECT_EQ(w.Menu_Test->caption, "&Analyse");
  EXPECT_EQ(w.Menu_Option->caption, "&Options");
  EXPECT_EQ(w.Menu_OptMG->caption, "mg/&dl");
  EXPECT_EQ(w.Menu_Res->caption, "Résultats à jeun?");
  EXPECT_EQ(w.Bout_Cancel.caption, "Annuler");
  EXPECT_EQ(w.Aff_Dial_Heure.caption, "Heure");
  EXPECT_EQ(w.chart.Aff_Moyenne.caption, "(moyenne)");
  EXPECT_EQ(w.Menu_Res2->caption, "Suboptimaux: >= 7 et <10 mmol/l");
  w.chart.Graphique.on_mouse_move(0, 0);  // the chart's tip stays French
  w.Bout_Auj.on_mouse_move(0, 0);
  EXPECT_EQ(w.chart.Graphique.tooltip, "Ligne turquoise = journée sans test");
  EXPECT_EQ(w.Bout_Auj.tooltip, "Retour aujourd'hui");
  w.Dialog_Taux.on_mouse_move(0, 0);
  EXPECT_EQ(w.Dialog_Taux.tooltip, "Votre taux de glucose (max. 25)");

  // Every row of the caption table lands on something of the window.
  for (const CaptionRow& row : french_captions()) {
    const bool menu = w.find_menu_item(row.name) != nullptr;
    const bool window = row.name == "Fenetre";
    const bool control = w.find(row.name) || w.Cadre_Ajouter.find(row.name) ||
                         w.chart.Cadre_Resultats.find(row.name);
    EXPECT_TRUE(menu || window || control) << row.name;
  }
}

TEST_F(WindowTest, OtherLanguagesKeepEnglish) {
  fake_.locale.language = "German";
  Fenetre& w = start();
  EXPECT_EQ(w.Langue, 0);
  EXPECT_EQ(w.Menu_Fichier->caption, "&File");
  EXPECT_FALSE(w.Menu_Recom->visible);
  w.chart.Graphique.on_mouse_move(0, 0);
  EXPECT_EQ(w.chart.Graphique.tooltip, "Cyan line = day without test");
}

TEST_F(WindowTest, SettingsFileRules) {
  write_bytes(ini_path(), "[Setup]\r\nUnite=12\r\nLock=0\r\nAnimation=3\r\n");
  {
    Fenetre& w = start();
    EXPECT_TRUE(w.Menu_OptG->checked);
    EXPECT_FALSE(w.Menu_OptMM->checked);
    EXPECT_EQ(w.settings.Unite, 2);
    EXPECT_EQ(w.units.Format_Taux, "0.00");
    EXPECT_EQ(w.Aff_Anim.caption, "3");
    EXPECT_EQ(w.chart.Aff_mmol.caption, "g/l");
    EXPECT_EQ(w.chart.Aff_Niveau[5].caption, "5");
    EXPECT_EQ(w.Menu_Res1->caption, "Optimal: >= 0.8 and <1.26 g/l");
  }
  write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLock=1\r\nAnimation=0\r\n");
  {
    Fenetre& w = start();
    EXPECT_TRUE(w.Menu_OptMG->checked);
    EXPECT_FALSE(w.Menu_Ligne2b->visible);
    EXPECT_FALSE(w.Menu_OptMM->visible);
    EXPECT_FALSE(w.Menu_OptMG->visible);
    EXPECT_FALSE(w.Menu_OptG->visible);
    EXPECT_EQ(w.chart.Aff_Niveau[1].caption, "90");
  }
}

// A cut-short file keeps the unit and lock it still holds: a logbook kept in mg/dl must not be
// re-read as mmol/l at the next save (120 would become 12.0).
TEST_F(WindowTest, ShortSettingsFileIsRewrittenWithWhatItHoldsAndEndsTheProgramSilently) {
  write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLock=1\r\n");
  Fenetre& w = start();
  EXPECT_TRUE(fake_.program.ended);
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_EQ(read_bytes(ini_path()), "[Setup]\r\nUnite=1\r\nLock=1\r\nAnimation=0\r\n");
  // Nothing after the settings ran: no data file, no language.
  EXPECT_FALSE(fs::exists(data_path()));
  EXPECT_EQ(w.Aff_Langue.caption, "");

  fake_.program.ended = false;
  Fenetre& again = start();
  EXPECT_FALSE(fake_.program.ended);
  EXPECT_TRUE(again.Menu_OptMG->checked);
  EXPECT_FALSE(again.Menu_OptG->visible);

  // Cut inside a line: only complete lines count.
  write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLo");
  start();
  EXPECT_EQ(read_bytes(ini_path()), "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
  write_bytes(ini_path(), "[Setup]\r\nUnite=");
  start();
  EXPECT_EQ(read_bytes(ini_path()), kDefaultSettings);
}

TEST_F(WindowTest, SettingsStartingWithBracketODeleteThemselvesAndEnd) {
  write_bytes(ini_path(), "[Off]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
  start();
  EXPECT_TRUE(fake_.program.ended);
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_FALSE(fs::exists(ini_path()));
}

TEST_F(WindowTest, LoadsFullTableAndReportsTheRecordBeyondIt) {
  write_bytes(data_path(), many_records(5000));
  {
    Fenetre& w = start();
    EXPECT_EQ(w.table.Nb_Tests, 5000);
    EXPECT_TRUE(fake_.dialogs.messages.empty());
    EXPECT_TRUE(w.Curseur.enabled);
    EXPECT_TRUE(w.Menu_Historique->enabled);
    EXPECT_EQ(w.Aff_Resultat.caption, "05.5");
    EXPECT_EQ(w.Aff_Heure.caption, "08:00");
    EXPECT_EQ(w.Etendue_Jours, 5000);
    EXPECT_EQ(w.Curseur_Minimum, 32773 - 5000);
    EXPECT_EQ(w.Curseur.value(), kCursorToday);
    EXPECT_EQ(w.Aff_Date.caption, "12/06/26");
  }
  write_bytes(data_path(), many_records(5001));
  Fenetre& w = start();
  EXPECT_EQ(w.table.Nb_Tests, 5000);
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text,
            data_path().string() + "\n\nline 5001: " + std::string(kSubscriptOutOfRange));
  EXPECT_EQ(fake_.dialogs.messages[0].title, "The Sugarlog");
}

TEST_F(WindowTest, CursorNeedsSevenDaysOfTests) {
  write_bytes(data_path(),
              record("10/06/26", "08:00", "05.5") + record("06/06/26", "08:00", "06.0"));
  EXPECT_FALSE(start().Curseur.enabled);
  write_bytes(data_path(),
              record("10/06/26", "08:00", "05.5") + record("05/06/26", "08:00", "06.0"));
  EXPECT_TRUE(start().Curseur.enabled);
}

// ---- Saving ----

TEST_F(WindowTest, AcceptedTestIsSavedAfterTheLoadedOneByteForByte) {
  write_bytes(data_path(), record("10/06/26", "08:05", "07.5", "repas"));
  Fenetre& w = start_with_panel();
  type_level(w, "5.3");
  w.Dialog_Note.set_text("soir");
  w.Bout_Ok.on_click();
  ASSERT_TRUE(w.Menu_Sauve->enabled);
  w.Menu_Sauve->user_clicks();
  EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "14:30", "05.3", "soir") +
                                         record("10/06/26", "08:05", "07.5", "repas"));
  EXPECT_EQ(read_bytes(ini_path()), kDefaultSettings);
  // The start-up ran again: the table re-read, the commands back.
  EXPECT_EQ(w.table.Nb_Tests, 2);
  EXPECT_EQ(w.table.Tab_Date[1], "12/06/26");
  EXPECT_FALSE(w.Menu_Sauve->enabled);
  EXPECT_TRUE(w.Menu_Option->enabled);
  EXPECT_TRUE(w.Menu_Prev->enabled);
  EXPECT_TRUE(w.Menu_Historique->enabled);
  EXPECT_FALSE(fs::exists(program_dir() / "Diabete.dbk.bak"));
}

TEST_F(WindowTest, UnitSwitchChangesHowLevelsAreReadAtTheNextSave) {
  write_bytes(data_path(), record("10/06/26", "08:05", "12.4"));
  Fenetre& w = start();
  fake_.dialogs.answers = {Answer::No, Answer::No};  // numbers as they stand; no lock
  w.Menu_OptMG->user_clicks();
  ASSERT_EQ(fake_.dialogs.messages.size(), 2u);
  EXPECT_EQ(fake_.dialogs.messages[1].title, "mg/dl");
  EXPECT_EQ(w.Params_Modifies, 1);
  EXPECT_EQ(w.chart.Aff_mmol.caption, "mg/dl");
  EXPECT_EQ(w.Menu_Res2->caption, "Suboptimal: >= 126 and <180 mg/dl");
  w.Dialog_Taux.on_mouse_move(0, 0);
  w.Aff_Resultat.on_mouse_move(0, 0);
  EXPECT_EQ(w.Dialog_Taux.tooltip, "Your glucose level (max. 450)");
  EXPECT_EQ(w.Aff_Resultat.tooltip, "Normal, if between 72 and 126");
  EXPECT_TRUE(w.Menu_OptMM->visible);  // No: the items stay

  w.Menu_Sauve_Click();
  EXPECT_EQ(read_bytes(data_path()), record("10/06/26", "08:05", "12"));
  EXPECT_EQ(read_bytes(ini_path()), "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
}

// A unit chosen while the logbook holds tests asks what becomes of their levels. Yes converts
// them, No keeps the numbers, Cancel keeps the unit; the file as it was is kept either way.
TEST_F(WindowTest, UnitChangeAsksWhetherToConvertTheStoredLevels) {
  const std::string original =
      record("11/06/26", "08:00", "12.4") + record("10/06/26", "08:00", "07.0");
  struct Case {
    Answer answer;
    std::string saved;  // after a test of 130 is added and saved; empty: the unit stays
  };
  const Case cases[] = {
      {Answer::Yes, record("12/06/26", "14:30", "130") + record("11/06/26", "08:00", "223") +
                        record("10/06/26", "08:00", "126")},
      {Answer::No, record("12/06/26", "14:30", "130") + record("11/06/26", "08:00", "12") +
                       record("10/06/26", "08:00", "7")},
      {Answer::Cancel, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(static_cast<int>(c.answer)));
    write_bytes(ini_path(), kDefaultSettings);
    write_bytes(data_path(), original);
    fs::remove(program_dir() / "Diabete.dbk.bak");
    fake_.dialogs.messages.clear();
    Fenetre& w = start_with_panel();
    w.Bout_Cancel.on_click();
    fake_.dialogs.answers = {c.answer, Answer::No};
    w.Menu_OptMG->user_clicks();
    const platform::ShownMessage& asked = fake_.dialogs.messages.at(0);
    EXPECT_EQ(asked.buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(asked.title, "The Sugarlog");
    EXPECT_EQ(asked.text, text::unit_conversion_question("mmol/l", "mg/dl", "Diabete.dbk.bak", 0));
    if (c.saved.empty()) {
      EXPECT_EQ(fake_.dialogs.messages.size(), 1u);  // no lock offer
      EXPECT_TRUE(w.Menu_OptMM->checked);
      EXPECT_FALSE(w.Menu_OptMG->checked);
      EXPECT_EQ(w.settings.Unite, kMmolL);
      EXPECT_FALSE(w.Menu_Sauve->enabled);
      continue;
    }
    EXPECT_EQ(fake_.dialogs.messages.at(1).title, "mg/dl");  // then the lock offer
    w.Menu_Ajouter->user_clicks();
    type_level(w, "130");
    w.Bout_Ok.on_click();
    w.Menu_Sauve->user_clicks();
    EXPECT_EQ(read_bytes(data_path()), c.saved);
    EXPECT_EQ(read_bytes(program_dir() / "Diabete.dbk.bak"), original);
  }
}

// Quitting after a conversion: the settings saved without the data keep naming the unit the
// file's levels are in, so the next start reads them as they were typed.
TEST_F(WindowTest, SettingsSavedWithoutTheConvertedDataKeepTheFilesUnit) {
  const std::string original = record("11/06/26", "08:00", "12.4");
  for (const Answer save_data : {Answer::No, Answer::Yes}) {
    write_bytes(ini_path(), kDefaultSettings);
    write_bytes(data_path(), original);
    Fenetre& w = start();
    fake_.dialogs.answers = {Answer::Yes, Answer::No, Answer::Yes, save_data};
    w.Menu_OptMG->user_clicks();    // convert, no lock
    w.Menu_Quitter->user_clicks();  // save the settings, then the data or not
    EXPECT_EQ(read_bytes(ini_path()), save_data == Answer::Yes
                                          ? "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n"
                                          : kDefaultSettings);
    EXPECT_EQ(read_bytes(data_path()),
              save_data == Answer::Yes ? record("11/06/26", "08:00", "223") : original);
  }
}

TEST_F(WindowTest, LockOfferHidesTheUnitItemsAndIsNotRepeated) {
  Fenetre& w = start();
  w.Menu_OptMM->user_clicks();  // already checked: nothing asked
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  w.Menu_OptG->user_clicks();   // No
  w.Menu_OptMM->user_clicks();  // asked again: Yes
  fake_.dialogs.answers = {Answer::Yes};
  w.Menu_OptMG->user_clicks();
  EXPECT_EQ(fake_.dialogs.messages.size(), 3u);
  EXPECT_EQ(w.settings.Verrou, 1);
  EXPECT_EQ(w.Reponse, "6");
  EXPECT_FALSE(w.Menu_OptMM->visible);
  EXPECT_FALSE(w.Menu_Ligne2b->visible);
}

TEST_F(WindowTest, FailedSaveKeepsTheTestsAndSaveEnabled) {
  write_bytes(data_path(), record("10/06/26", "08:05", "07.5"));
  Fenetre& w = start_with_panel();
  type_level(w, "6");
  w.Bout_Ok.on_click();
  block(data_path());
  w.Menu_Sauve->user_clicks();

  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].title, "The Sugarlog");
  EXPECT_NE(fake_.dialogs.messages[0].text.find("Is a directory"), std::string::npos);
  EXPECT_TRUE(w.Menu_Sauve->enabled);
  EXPECT_FALSE(w.Menu_Option->enabled);  // the start-up did not run again
  EXPECT_EQ(w.table.Nb_Tests, 2);
  EXPECT_EQ(w.table.Tab_Date[1], "12/06/26");

  // Quitting with Yes to saving: the failure is shown and the window stays with the tests.
  fake_.dialogs.answers = {Answer::Yes};
  w.Menu_Quitter->user_clicks();
  EXPECT_FALSE(fake_.program.ended);
  EXPECT_EQ(w.table.Nb_Tests, 2);

  // Closing the window the same way keeps it open too.
  w.visible = true;
  fake_.dialogs.answers = {Answer::Yes};
  w.user_closes();
  EXPECT_TRUE(w.visible);
  EXPECT_FALSE(fake_.program.ended);
}

TEST_F(WindowTest, FailedSettingsWriteAlsoKeepsSaveEnabled) {
  Fenetre& w = start_with_panel();
  type_level(w, "6.0");
  w.Bout_Ok.on_click();
  block(ini_path());
  w.Menu_Sauve->user_clicks();
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_NE(fake_.dialogs.messages[0].text.find("sugarlog.ini"), std::string::npos);
  EXPECT_TRUE(w.Menu_Sauve->enabled);
  // The data were still written.
  EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "14:30", "06.0"));
}

TEST_F(WindowTest, SaveAfterLoadErrorKeepsTheUnreadRecordsAside) {
  const std::string damaged = record("10/06/26", "08:05", "07.5") + "\"09/06/26\",\"08:00\"";
  write_bytes(data_path(), damaged);
  Fenetre& w = start_with_panel();
  EXPECT_EQ(fake_.dialogs.messages.at(0).text,
            data_path().string() + "\n\nline 2: " + std::string(kInputPastEndOfFile));
  type_level(w, "6");
  w.Bout_Ok.on_click();
  w.Menu_Sauve->user_clicks();
  EXPECT_EQ(read_bytes(program_dir() / "Diabete.dbk.bak"), damaged);
  EXPECT_EQ(w.table.Nb_Tests, 2);
}

// ---- Files that cannot be used as they are ----

// Two windows on one logbook: the second says so and never writes, so the first one's tests stay.
TEST_F(WindowTest, ASecondWindowOnTheLogbookIsReadOnly) {
  write_bytes(data_path(), record("10/06/26", "08:05", "07.5"));
  Fenetre& first = start_with_panel();
  platform::FakePlatform other;
  other.clock.set(fake_.clock.now());
  auto second = std::make_unique<Fenetre>(other.platform(), program_dir(), config_dir());
  second->Form_Load();
  ASSERT_EQ(other.dialogs.messages.size(), 1u);
  EXPECT_EQ(other.dialogs.messages[0].text,
            data_path().string() + "\n\n" + std::string(text::kOpenElsewhere.en));
  EXPECT_EQ(second->table.Nb_Tests, 1);

  type_level(first, "6");
  first.Bout_Ok.on_click();
  first.Menu_Sauve->user_clicks();
  EXPECT_FALSE(first.Menu_Sauve->enabled);
  const std::string saved = read_bytes(data_path());

  second->Menu_Ajouter->user_clicks();
  second->Dialog_Taux.select_all();
  second->Dialog_Taux.user_types_text("9");
  second->Bout_Ok.on_click();
  second->Menu_Sauve->user_clicks();
  EXPECT_TRUE(second->Menu_Sauve->enabled);
  EXPECT_EQ(other.dialogs.messages.size(), 2u);
  other.dialogs.inputs = {"11/06/26"};
  second->Menu_Eff->user_clicks();
  EXPECT_TRUE(other.dialogs.input_prompts.empty());
  EXPECT_EQ(read_bytes(data_path()), saved);

  // Once the first window is gone the logbook can be opened for writing again.
  window_.reset();
  other.dialogs.messages.clear();
  second.reset();
  start();
  EXPECT_TRUE(fake_.dialogs.messages.empty() ||
              fake_.dialogs.messages.back().text.find("another") == std::string::npos);
}

// Records the next save would rewrite with other values are kept aside first, and the user is
// told which line it was.
TEST_F(WindowTest, RecordsThatCannotBeReadFaithfullyAreKeptBeforeTheNextSave) {
  const std::string good = record("10/06/26", "08:05", "07.5");
  struct Case {
    std::string bad;
    const char* why;
  };
  const Case cases[] = {
      {record("09/06/26", "08:00", "abc"), "a level that is no number"},
      {record("09/06/26", "08:00", "1e308"), "a level in exponent form"},
      {record("09/06/26", "08:00", ""), "no level at all"},
      {record("01/01/9999", "08:00", "05.0"), "a year dd/mm/yy cannot hold"},
      {record("31/02/26", "08:00", "05.0"), "no such day"},
      {record("09/06/26", "25:00", "05.0"), "no such time"},
      {utf16_bytes(record("09/06/26", "08:00", "05.0")), "UTF-16 without a mark"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    fs::remove(program_dir() / "Diabete.dbk.bak");
    fake_.dialogs.messages.clear();
    write_bytes(data_path(), good + c.bad);
    Fenetre& w = start_with_panel();
    ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
    const std::string& told = fake_.dialogs.messages[0].text;
    // UTF-16 read as bytes may also break the record layout, which is a load error.
    if (told.find("Input past end") == std::string::npos) {
      EXPECT_EQ(told, data_path().string() +
                          "\n\nline 2: " + std::string(text::kUnfaithfulRecord.en) + "\n\n" +
                          text::kept_before_save("Diabete.dbk.bak", 0));
    }
    type_level(w, "6");
    w.Bout_Ok.on_click();
    w.Menu_Sauve->user_clicks();
    EXPECT_EQ(read_bytes(program_dir() / "Diabete.dbk.bak"), good + c.bad);
  }
  // Levels the unit's picture only rounds are no reason: a switch to mg/dl re-reads 12.4 as 12
  // by design, and a foreign separator or a four-digit year read the same after the save.
  fs::remove(program_dir() / "Diabete.dbk.bak");
  fake_.dialogs.messages.clear();
  write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
  write_bytes(data_path(),
              record("10/06/26", "8:00", "12,4") + record("08/06/2026", "07:00", "126"));
  start();
  EXPECT_TRUE(fake_.dialogs.messages.empty()) << fake_.dialogs.messages.at(0).text;
}

// A note with quotes in it, as another program writes it, is read whole and named before the save
// writes its quotes as apostrophes; the file as it was is kept.
TEST_F(WindowTest, NoteWithQuotesIsReadWholeAndTheFileKeptBeforeTheSave) {
  const std::string original = "\"12/06/26\",\"08:00\",\"06.1\",\"he said \"hi\" ok\"\r\n";
  write_bytes(data_path(), original);
  Fenetre& w = start();
  EXPECT_EQ(w.table.Tab_Note[1], "he said \"hi\" ok");
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text,
            data_path().string() + "\n\nline 1: " + std::string(text::kUnfaithfulNote.en) + "\n\n" +
                text::kept_before_save("Diabete.dbk.bak", 0));
  w.Menu_Sauve->enabled = true;
  w.Menu_Sauve->user_clicks();
  EXPECT_EQ(read_bytes(program_dir() / "Diabete.dbk.bak"), original);
  EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "08:00", "06.1", "he said 'hi' ok"));
  EXPECT_EQ(fake_.dialogs.messages.size(), 1u);  // what was saved reads back faithfully
}

// Files of earlier copies are Windows-1252; they read with their accents and are saved as UTF-8.
// Files in UTF-16 with a byte-order mark read too.
TEST_F(WindowTest, OlderEncodingsReadBackAndAreSavedAsUtf8) {
  write_bytes(data_path(), record("10/06/26", "08:05", "07.5", "Caf\xE9 cr\xE8me \x80"));
  {
    Fenetre& w = start();
    EXPECT_TRUE(fake_.dialogs.messages.empty());
    EXPECT_EQ(w.table.Tab_Note[1], "Café crème €");
    w.Menu_Sauve->enabled = true;
    w.Menu_Sauve->user_clicks();
    EXPECT_EQ(read_bytes(data_path()), record("10/06/26", "08:05", "07.5", "Café crème €"));
  }
  {
    // Saved again, the UTF-8 file stays byte for byte what it was.
    const std::string utf8 = read_bytes(data_path());
    Fenetre& w = start();
    w.Menu_Sauve->enabled = true;
    w.Menu_Sauve->user_clicks();
    EXPECT_EQ(read_bytes(data_path()), utf8);
    EXPECT_TRUE(fake_.dialogs.messages.empty());
  }
  write_bytes(data_path(), "\xFF\xFE" + utf16_bytes(record("10/06/26", "08:05", "07.5", "x")));
  Fenetre& w = start();
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  ASSERT_EQ(w.table.Nb_Tests, 1);
  EXPECT_EQ(w.table.Tab_Note[1], "x");
}

// A logbook folder that can be written but not listed cannot be locked: each window opens it read
// only and says why, so neither saves over the other's tests. Mode 333 means nothing to root, so
// the windows run as an ordinary user in a child process.
TEST_F(WindowTest, AFolderThatCannotBeLockedOpensReadOnly) {
  const std::string logbook = record("10/06/26", "08:05", "07.5");
  write_bytes(data_path(), logbook);
  fs::permissions(root_, fs::perms::all);
  fs::permissions(config_dir(), fs::perms::all);
  fs::permissions(data_path(), fs::perms::all);
  fs::permissions(program_dir(), fs::perms::owner_write | fs::perms::owner_exec |
                                     fs::perms::group_write | fs::perms::group_exec |
                                     fs::perms::others_write | fs::perms::others_exec);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        Fenetre& w = start_with_panel();
        const std::string told =
            data_path().string() + "\n\n" + text::lock_failed_text("Permission denied", 0);
        const bool said_why =
            fake_.dialogs.messages.size() == 1 && fake_.dialogs.messages[0].text == told;
        type_level(w, "6");
        w.Bout_Ok.on_click();
        w.Menu_Sauve->user_clicks();
        const bool refused = w.Menu_Sauve->enabled && fake_.dialogs.messages.size() == 2 &&
                             fake_.dialogs.messages[1].text == told;
        std::_Exit(said_why && refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  fs::permissions(program_dir(), fs::perms::all);
  EXPECT_EQ(read_bytes(data_path()), logbook);
}

// Whatever lies under the two names, start-up ends and says which file is wrong.
TEST_F(WindowTest, FilesThatAreNoFilesAreReportedWithoutHanging) {
  ASSERT_EQ(::mkfifo(data_path().c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo(ini_path().c_str(), 0644), 0);
  Fenetre& w = start();
  EXPECT_FALSE(fake_.program.ended);
  ASSERT_EQ(fake_.dialogs.messages.size(), 2u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, ini_path().string() + "\n\nNot a regular file\n\n" +
                                                std::string(text::kSettingsUnreadable.en));
  EXPECT_EQ(fake_.dialogs.messages[1].text, data_path().string() + "\n\nNot a regular file");
  EXPECT_EQ(w.table.Nb_Tests, 0);

  fs::remove(data_path());
  fs::create_symlink("/dev/zero", data_path());
  fake_.dialogs.messages.clear();
  start();
  ASSERT_EQ(fake_.dialogs.messages.size(), 2u);
  EXPECT_EQ(fake_.dialogs.messages[1].text, data_path().string() + "\n\nNot a regular file");
}

// A settings file that cannot be read is reported once and never written over; the program runs
// on the defaults.
TEST_F(WindowTest, UnreadableSettingsAreToldOnceAndKept) {
  fs::create_directory(ini_path());
  Fenetre& w = start_with_panel();
  EXPECT_FALSE(fake_.program.ended);
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, ini_path().string() + "\n\nIs a directory\n\n" +
                                                std::string(text::kSettingsUnreadable.en));
  EXPECT_TRUE(w.Menu_OptMM->checked);
  type_level(w, "6.0");
  w.Bout_Ok.on_click();
  w.Menu_Sauve->user_clicks();  // saves the data, and runs the start-up again
  EXPECT_FALSE(w.Menu_Sauve->enabled);
  EXPECT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_TRUE(fs::is_directory(ini_path()));
  EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "14:30", "06.0"));
}

// Mode 000 means nothing to root, so the check runs as an ordinary user in a child process.
TEST_F(WindowTest, SettingsWithoutReadPermissionAreKept) {
  const std::string settings = "[Setup]\r\nUnite=1\r\nLock=1\r\nAnimation=0\r\n";
  write_bytes(ini_path(), settings);
  fs::permissions(ini_path(), fs::perms::none);
  fs::permissions(root_, fs::perms::all);
  fs::permissions(program_dir(), fs::perms::all);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        Fenetre& w = start();
        const bool told =
            fake_.dialogs.messages.size() == 1 &&
            fake_.dialogs.messages[0].text.find("Permission denied") != std::string::npos;
        w.Menu_OptG->user_clicks();
        w.Menu_Sauve->enabled = true;
        w.Menu_Sauve->user_clicks();
        std::_Exit(told && !fake_.program.ended ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  fs::permissions(ini_path(), fs::perms::owner_read);
  EXPECT_EQ(read_bytes(ini_path()), settings);
}

// A save killed between its temporary file and the rename leaves the temporary file; the next
// window that holds the logbook clears it away, and only it.
TEST_F(WindowTest, LeftoversOfAKilledSaveGoAtTheNextStart) {
  const fs::path leftovers[] = {program_dir() / ".Diabete.dbk.a1B2c3",
                                program_dir() / ".Diabete.dbk.bak.XyZ789"};
  const fs::path kept[] = {program_dir() / ".Diabete.dbk.toolong1", program_dir() / "notes.txt"};
  for (const auto& path : leftovers) write_bytes(path, "half a logbook");
  for (const auto& path : kept) write_bytes(path, "mine");
  start();
  for (const auto& path : leftovers) EXPECT_FALSE(fs::exists(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
}

// ---- Erasing ----

class EraseTest : public WindowTest {
 protected:
  Fenetre& start_with_four() {
    write_bytes(data_path(), kFour);
    return start();
  }
  void erase(Fenetre& w, std::string answer, Answer confirm = Answer::Yes) {
    fake_.dialogs.inputs = {std::move(answer)};
    fake_.dialogs.answers = {confirm};
    w.Menu_Eff->user_clicks();
  }
  const std::string kFour =
      record("10/06/26", "08:00", "05.0") + record("05/06/26", "08:00", "06.0") +
      record("01/06/26", "09:00", "07.0") + record("01/06/26", "07:00", "08.0");
};

TEST_F(EraseTest, AtTheOldestDateKeepsEverything) {
  Fenetre& w = start_with_four();
  erase(w, "01/06/26");
  ASSERT_EQ(fake_.dialogs.input_prompts.size(), 1u);
  EXPECT_EQ(fake_.dialogs.input_prompts[0],
            "Actualy, you have 4 TEST in memory.\n\nThe earlyest date is = 10/06/26\nThe oldest "
            "date is = 01/06/26\n\nENTER THE DATE witch will become the oldest.");
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, "ERASE all the data before the 01/06/2026");
  EXPECT_EQ(fake_.dialogs.messages[0].icon, platform::Icon::Stop);
  EXPECT_EQ(w.table.Nb_Tests, 4);
  EXPECT_EQ(read_bytes(data_path()), kFour);
}

TEST_F(EraseTest, OneDayAfterTheOldestRemovesThatDay) {
  Fenetre& w = start_with_four();
  erase(w, "02/06/26");
  EXPECT_EQ(w.table.Nb_Tests, 2);
  EXPECT_EQ(read_bytes(data_path()),
            record("10/06/26", "08:00", "05.0") + record("05/06/26", "08:00", "06.0"));
  EXPECT_EQ(w.Curseur.value(), kCursorToday);
  EXPECT_FALSE(w.Bout_Auj.enabled);
}

TEST_F(EraseTest, AtTheNewestDateBeepsAndNoOrCancelChangeNothing) {
  Fenetre& w = start_with_four();
  erase(w, "10/06/26");
  EXPECT_EQ(fake_.dialogs.beeps, 1);
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  erase(w, "02/06/26", Answer::No);
  erase(w, "not a date");
  fake_.dialogs.inputs.clear();
  w.Menu_Eff->user_clicks();  // Cancel
  EXPECT_EQ(fake_.dialogs.beeps, 1);
  EXPECT_EQ(w.table.Nb_Tests, 4);
  EXPECT_EQ(read_bytes(data_path()), kFour);
}

TEST_F(EraseTest, AFailedWriteKeepsTableAndFile) {
  Fenetre& w = start_with_four();
  block(data_path());
  erase(w, "02/06/26");
  ASSERT_EQ(fake_.dialogs.messages.size(), 2u);
  EXPECT_EQ(fake_.dialogs.messages[1].title, "The Sugarlog");
  EXPECT_EQ(w.table.Nb_Tests, 4);
}

// ---- Quitting ----

TEST_F(WindowTest, QuitAsksSettingsThenDataAndAlwaysEnds) {
  {
    Fenetre& w = start();
    w.Menu_Quitter->user_clicks();
    EXPECT_TRUE(fake_.dialogs.messages.empty());
    EXPECT_TRUE(fake_.program.ended);
  }
  fake_.program.ended = false;
  {
    Fenetre& w = start();
    w.Menu_OptG->user_clicks();  // lock offer: No
    fake_.dialogs.messages.clear();
    fake_.dialogs.answers = {Answer::Yes};
    w.Menu_Quitter->user_clicks();
    EXPECT_EQ(titles(), std::vector<std::string>{"Do you want to save your setup?"});
    EXPECT_EQ(fake_.dialogs.messages[0].text, "Before QUITTING!");
    EXPECT_TRUE(fake_.program.ended);
    EXPECT_EQ(read_bytes(ini_path()), "[Setup]\r\nUnite=2\r\nLock=0\r\nAnimation=0\r\n");
  }
  fake_.program.ended = false;
  fake_.dialogs.messages.clear();
  write_bytes(ini_path(), kDefaultSettings);
  {
    Fenetre& w = start_with_panel();
    type_level(w, "6");
    w.Bout_Ok.on_click();
    w.Form_Unload();  // closing the window; No to saving
    EXPECT_EQ(titles(), std::vector<std::string>{"Do you want to save your data?"});
    EXPECT_TRUE(fake_.program.ended);
    EXPECT_EQ(fs::file_size(data_path()), 0u);
  }
  fake_.program.ended = false;
  fake_.dialogs.messages.clear();
  {
    French();
    Fenetre& w = start_with_panel();
    fake_.dialogs.answers = {Answer::No};
    w.Menu_OptMG_Click();
    type_level(w, "6");
    w.Bout_Ok.on_click();
    fake_.dialogs.messages.clear();
    fake_.dialogs.answers = {Answer::No, Answer::Yes};
    w.Menu_Quitter_Click();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Voulez-vous sauvegarder vos paramêtres?",
                                                  "Voulez-vous sauvegarder vos données?"}));
    EXPECT_EQ(w.Reponse, "6");
    EXPECT_TRUE(fake_.program.ended);
    EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "14:30", "6"));
  }
}

// ---- The add-test panel ----

TEST_F(WindowTest, OpeningThePanelPreparesTheBoxesAndDisablesTheRest) {
  Fenetre& w = start_with_panel();
  EXPECT_TRUE(w.Cadre_Ajouter.visible);
  EXPECT_EQ(w.chart.Graphique.back_colour, kChartGrey);
  EXPECT_EQ(w.Dialog_Date.text(), "12/06/26");
  EXPECT_EQ(w.Dialog_Heure.text(), "14:30");
  EXPECT_EQ(w.Dialog_Taux.text(), "00.0");
  EXPECT_EQ(w.Dialog_Taux.sel_length, 4);
  EXPECT_EQ(w.focused(), &w.Dialog_Taux);
  EXPECT_EQ(w.Saisie_En_Cours, 1);
  EXPECT_FALSE(w.Menu_Option->enabled);
  EXPECT_FALSE(w.Menu_Fichier->enabled);
  EXPECT_FALSE(w.Menu_Historique->enabled);
  EXPECT_FALSE(w.Curseur.enabled);
  EXPECT_FALSE(w.Bout_Ok.enabled);  // level 0
}

TEST_F(WindowTest, KeyFilters) {
  Fenetre& w = start_with_panel();
  type_level(w, "5a,3");
  EXPECT_EQ(w.Dialog_Taux.text(), "5.3");
  EXPECT_DOUBLE_EQ(w.units.Valeur_Taux, 5.3);
  EXPECT_TRUE(w.Bout_Ok.enabled);

  w.Dialog_Date.set_text("1");
  w.Dialog_Date.user_types('x');
  EXPECT_EQ(w.Dialog_Date.text(), "12/06/26");
  w.Dialog_Heure.user_types('x');
  EXPECT_EQ(w.Dialog_Heure.text(), "00:00");
  w.Dialog_Heure.user_types(form::kKeyBackspace);
  EXPECT_EQ(w.Dialog_Heure.text(), "00:00");
}

TEST_F(WindowTest, FrenchLevelBoxTakesTheComma) {
  French();
  Fenetre& w = start_with_panel();
  EXPECT_EQ(w.Dialog_Taux.text(), "00,0");
  type_level(w, "5.3");
  EXPECT_EQ(w.Dialog_Taux.text(), "5,3");
  EXPECT_EQ(w.Taux_Texte, "5,3");
  w.Bout_Ok.on_click();
  EXPECT_EQ(w.table.Tab_Taux[1], "05,3");
}

TEST_F(WindowTest, TimeBoxIsCompletedWhenLeft) {
  Fenetre& w = start_with_panel();
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"7", "07:00"},     {"123", "12:03"},   {"12:3", "12:30"}, {"25:10", "00:00"},
      {"24:30", "00:00"}, {"12:75", "00:00"}, {"", "00:00"},     {"07:05", "07:05"}};
  for (const auto& [typed, shown] : cases) {
    type_time(w, typed);
    EXPECT_EQ(w.Dialog_Heure.text(), shown) << typed;
  }
}

TEST_F(WindowTest, SameDayEarlierHourTakesTheCurrentTime) {
  write_bytes(data_path(), record("12/06/26", "16:00", "05.0"));
  Fenetre& w = start_with_panel();
  type_time(w, "9");
  EXPECT_EQ(w.Dialog_Heure.text(), "14:30");
  type_time(w, "17");
  EXPECT_EQ(w.Dialog_Heure.text(), "17:00");
}

TEST_F(WindowTest, LiveCheckCapsTheLevelPerUnit) {
  write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
  Fenetre& w = start_with_panel();
  EXPECT_EQ(w.Dialog_Taux.text(), "0");
  type_level(w, "460");
  EXPECT_EQ(w.Dialog_Taux.text(), "450");
  EXPECT_TRUE(w.Bout_Ok.enabled);
  type_level(w, "1234");
  EXPECT_EQ(w.Dialog_Taux.text(), "123");
  EXPECT_EQ(w.Taux_Texte, "123");

  write_bytes(ini_path(), "[Setup]\r\nUnite=2\r\nLock=0\r\nAnimation=0\r\n");
  Fenetre& g = start_with_panel();
  type_level(g, "7");
  EXPECT_EQ(g.Dialog_Taux.text(), "6.00");
}

// Whatever the system's short-date picture, the panel checks while typing, keeps a morning time
// as typed through OK, and stores the level typed.
TEST_F(WindowTest, PanelBehavesTheSameUnderEveryDatePicture) {
  for (const char* picture : {"dd/MM/yyyy", "d/M/yyyy", "dd/MM/yy", "d.M.yyyy"}) {
    SCOPED_TRACE(picture);
    fake_.locale.short_date = picture;
    write_bytes(ini_path(), "[Setup]\r\nUnite=1\r\nLock=0\r\nAnimation=0\r\n");
    fs::remove(data_path());
    Fenetre& w = start();
    w.Menu_Ajouter->user_clicks();
    type_level(w, "460");
    EXPECT_EQ(w.Dialog_Taux.text(), "450");
    type_level(w, "1234");
    EXPECT_EQ(w.Dialog_Taux.text(), "123");
    type_level(w, "0");
    EXPECT_FALSE(w.Bout_Ok.enabled);
    type_level(w, "90");
    EXPECT_TRUE(w.Bout_Ok.enabled);
    w.Dialog_Heure.user_edits("");
    EXPECT_FALSE(w.Bout_Ok.enabled);
    for (const char* morning : {"03:00", "05:30", "09:59"}) {
      type_time(w, morning);
      EXPECT_EQ(w.Dialog_Heure.text(), morning);
      EXPECT_TRUE(w.Bout_Ok.enabled);
    }
    w.Bout_Ok.on_click();
    EXPECT_TRUE(fake_.dialogs.messages.empty());
    EXPECT_EQ(w.table.Tab_Heure[1], "09:59");
    EXPECT_EQ(w.table.Tab_Taux[1], "90");
  }
}

// What a person types in the level box is the number saved, in each unit.
TEST_F(WindowTest, TypedLevelIsTheSavedLevel) {
  const struct {
    const char* unit;
    const char* keys;
    const char* saved;
  } cases[] = {{"0", "5", "05.0"},   {"0", "12", "12.0"},   {"0", "15", "15.0"},
               {"0", "7.5", "07.5"}, {"0", "05,3", "05.3"}, {"2", "1", "1.00"},
               {"2", "1.2", "1.20"}, {"2", "0.8", "0.80"},  {"1", "126", "126"}};
  for (const auto& c : cases) {
    write_bytes(ini_path(),
                std::string("[Setup]\r\nUnite=") + c.unit + "\r\nLock=0\r\nAnimation=0\r\n");
    fs::remove(data_path());
    Fenetre& w = start_with_panel();
    type_level(w, c.keys);
    w.Bout_Ok.on_click();
    w.Menu_Sauve->user_clicks();
    EXPECT_EQ(read_bytes(data_path()), record("12/06/26", "14:30", c.saved)) << c.keys;
  }
}

TEST_F(WindowTest, LiveCheckPutsDatesBackOnToday) {
  Fenetre& w = start_with_panel();
  w.Dialog_Date.user_edits("01/06/26");
  EXPECT_EQ(w.Dialog_Date.text(), "12/06/26");
  w.Dialog_Date.user_edits("ab/cd/ef");  // not a date: the last date read
  EXPECT_EQ(w.Dialog_Date.text(), "12/06/26");
  EXPECT_FALSE(w.Bout_Ok.enabled);
}

TEST_F(WindowTest, FinalCheckShowsEveryFailingMessageInOrder) {
  Fenetre& w = start_with_panel();
  w.Dialog_Date.user_edits("13/06/26");
  w.Dialog_Heure.set_text("7");
  w.Bout_Ok.on_click();
  ASSERT_EQ(fake_.dialogs.messages.size(), 3u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, "Rate =\n\nminimum  >0\nmaximum  <25");
  EXPECT_EQ(fake_.dialogs.messages[1].text, text::kDateNotBeforeToday.en);
  EXPECT_EQ(fake_.dialogs.messages[2].text, "Time = hh:mm");
  EXPECT_EQ(w.Erreur_Saisie, 1);
  EXPECT_TRUE(w.Cadre_Ajouter.visible);
  EXPECT_EQ(w.table.Nb_Tests, 0);
  // The guard has put the fields right meanwhile.
  EXPECT_EQ(w.Dialog_Date.text(), "12/06/26");
  EXPECT_EQ(w.Dialog_Heure.text(), "07:00");
}

TEST_F(WindowTest, OkAddsTheTestAtTheHead) {
  // A head whose date text sorts after the new one's keeps the four-digit year of the entry.
  write_bytes(data_path(), record("20/05/26", "08:05", "07.5"));
  Fenetre& w = start_with_panel();
  type_level(w, "5,3");
  w.Bout_Ok.on_click();
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_EQ(w.table.Nb_Tests, 2);
  EXPECT_EQ(w.table.Tab_Date[1], "12/06/2026");
  EXPECT_EQ(w.table.Tab_Heure[1], "14:30");
  EXPECT_EQ(w.table.Tab_Taux[1], "05.3");
  EXPECT_EQ(w.table.Tab_Date[2], "20/05/26");
  EXPECT_FALSE(w.Cadre_Ajouter.visible);
  EXPECT_EQ(w.chart.Graphique.back_colour, kChartBlack);
  EXPECT_TRUE(w.Menu_Sauve->enabled);
  EXPECT_FALSE(w.Menu_Option->enabled);
  EXPECT_TRUE(w.Menu_Fichier->enabled);
  EXPECT_FALSE(w.Menu_Prev->enabled);
  EXPECT_FALSE(w.Menu_Historique->enabled);
  EXPECT_TRUE(w.Curseur.enabled);
  EXPECT_EQ(w.Saisie_En_Cours, 0);

  // Unsaved tests: opening History refuses once per request and leaves both menus disabled.
  w.Menu_Historique->enabled = true;
  w.Menu_Historique->user_clicks();
  EXPECT_EQ(fake_.dialogs.messages.at(0).text, "You must save your actual data");
  EXPECT_FALSE(w.Menu_Historique->enabled);
  EXPECT_FALSE(w.Menu_Test->enabled);
}

TEST_F(WindowTest, TheTest5001IsRefusedAndNothingIsLost) {
  write_bytes(data_path(), many_records(5000));
  Fenetre& w = start_with_panel();
  type_level(w, "6");
  w.Bout_Ok.on_click();
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, text::kLogbookFull.en);
  EXPECT_EQ(w.table.Nb_Tests, 5000);
  EXPECT_EQ(w.table.Tab_Date[5000],
            platform::format_serial(platform::date_serial(2026, 6, 11) - 4999, "dd/mm/yy"));
  EXPECT_TRUE(w.Cadre_Ajouter.visible);
  EXPECT_FALSE(w.Menu_Sauve->enabled);
}

TEST_F(WindowTest, CancelAddsNothingAndPutsTheGaugeOnZero) {
  Fenetre& w = start_with_panel();
  EXPECT_EQ(w.gauge.top(), 2200);
  type_level(w, "5");
  EXPECT_EQ(w.gauge.top(), 1866);
  w.Bout_Cancel.on_click();
  EXPECT_EQ(w.gauge.top(), 2200);
  EXPECT_EQ(w.table.Nb_Tests, 0);
  EXPECT_FALSE(w.Cadre_Ajouter.visible);
  EXPECT_TRUE(w.Menu_Option->enabled);
  EXPECT_TRUE(w.Menu_Historique->enabled);
  EXPECT_TRUE(w.Menu_Prev->enabled);
  EXPECT_FALSE(w.Menu_Sauve->enabled);
}

TEST_F(WindowTest, GaugeFollowsTheTypedLevelInEveryUnit) {
  const struct {
    const char* unit;
    const char* keys;
    double top;
  } cases[] = {
      {"0", "25", 533}, {"1", "450", 533}, {"1", "90", 1866}, {"2", "6", 600}, {"2", "2.00", 1666}};
  for (const auto& c : cases) {
    write_bytes(ini_path(),
                std::string("[Setup]\r\nUnite=") + c.unit + "\r\nLock=0\r\nAnimation=0\r\n");
    Fenetre& w = start_with_panel();
    type_level(w, c.keys);
    EXPECT_EQ(w.gauge.top(), c.top) << c.unit << " " << c.keys;
  }
}

// ---- Today, the clock, Escape ----

TEST_F(WindowTest, ReturnWithAnEmptyTableEnablesTheCommands) {
  Fenetre& w = start();
  w.user_key_down(form::kKeyEscape, 0);
  EXPECT_EQ(w.Aff_Resultat.caption, "");
  EXPECT_EQ(w.Aff_Heure.caption, "");
  EXPECT_TRUE(w.Menu_Historique->enabled);
  EXPECT_TRUE(w.Menu_Prev->enabled);
  EXPECT_TRUE(w.Menu_Impr_Graph->enabled);
  EXPECT_TRUE(w.Menu_Sang->enabled);
  EXPECT_FALSE(w.Menu_Annuler->enabled);
  EXPECT_EQ(w.gauge.top(), 2200);
}

TEST_F(WindowTest, ReturnShowsTheTimeOfATestOfToday) {
  write_bytes(data_path(), record("12/06/26", "09:15", "06.1"));
  Fenetre& w = start();
  w.key_preview = true;
  w.Aff_Heure.caption = "x";
  w.user_key_down(form::kKeyEscape, 0);
  EXPECT_EQ(w.Aff_Heure.caption, "09:15");
  EXPECT_EQ(w.Aff_Resultat.caption, "06.1");
  EXPECT_FALSE(w.key_preview);

  write_bytes(data_path(), record("11/06/26", "09:15", "06.1"));
  Fenetre& older = start();
  older.user_key_down(form::kKeyEscape, 0);
  EXPECT_EQ(older.Aff_Heure.caption, "");

  older.Menu_Annuler->visible = false;
  older.Aff_Heure.caption = "x";
  older.user_key_down(form::kKeyEscape, 0);
  older.user_key_down('A', 0);
  EXPECT_EQ(older.Aff_Heure.caption, "x");
}

TEST_F(WindowTest, ClockTickMovesTheDateLabelOnAtMidnight) {
  Fenetre& w = start();
  fake_.clock.set(platform::date_serial(2026, 6, 12) + platform::time_serial(23, 59, 59));
  w.Timer_Heure.enabled = true;
  w.Timer_Heure.tick();
  EXPECT_EQ(w.Aff_Heure.caption, "23:59:59");
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
  fake_.clock.set(platform::date_serial(2026, 6, 13) + platform::time_serial(0, 0, 1));
  w.Timer_Heure.tick();
  EXPECT_EQ(w.Aff_Date.caption, "13/06/26");
}

TEST_F(WindowTest, TodayButtonAndPreview) {
  write_bytes(data_path(), record("01/06/26", "09:15", "06.1"));
  Fenetre& w = start();
  w.Aff_Date.caption = "02/06/26";
  w.Bout_Auj.on_click();
  EXPECT_EQ(w.Aff_Date.caption, "12/06/2026");
  EXPECT_FALSE(w.Bout_Auj.enabled);
  EXPECT_TRUE(w.Curseur.enabled);
  EXPECT_FALSE(fake_.dialogs.busy);

  w.Menu_Prev->user_clicks();
  EXPECT_EQ(fake_.shell.opened, std::vector<std::string>{data_path().string()});
}

}  // namespace
}  // namespace sugarlog

namespace sugarlog {
namespace {

// The logbook windows a menu opened, by name.
struct RecordingWindows : LogbookWindows {
  std::vector<std::string> opened;
  void show_tests(Fenetre&) override { opened.push_back("tests"); }
  void show_export(Fenetre&) override { opened.push_back("export"); }
  void show_import(Fenetre&) override { opened.push_back("import"); }
  void show_statistics(Fenetre&) override { opened.push_back("statistics"); }
  void show_report(Fenetre&) override { opened.push_back("report"); }
};

char accelerator(const std::string& caption) {
  const std::size_t amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
}

TEST_F(WindowTest, TestsExportAndImportFollowTheFileMenusOwnItems) {
  for (const bool french : {false, true}) {
    if (french) French();
    Fenetre& w = start();
    RecordingWindows windows;
    w.set_logbook_windows(&windows);
    const auto& items = w.Menu_Fichier->items();
    // Everything the File menu gained comes after its own items.
    const auto at = [&items](const form::MenuItem* item) {
      return std::find_if(items.begin(), items.end(),
                          [item](const auto& i) { return i.get() == item; });
    };
    for (const form::MenuItem* added :
         {w.Menu_Analyses, w.Menu_Exporter, w.Menu_Importer, w.Menu_Rapport})
      EXPECT_GT(at(added), at(w.Menu_Quitter));
    std::set<char> seen;
    for (const auto& item : items) {
      if (item->is_separator()) continue;
      EXPECT_TRUE(seen.insert(accelerator(item->caption)).second) << item->caption;
    }
    EXPECT_EQ(w.Menu_Analyses->caption, french ? "&Analyses..." : "&Tests...");
    w.Menu_Analyses->user_clicks();
    w.Menu_Exporter->user_clicks();
    w.Menu_Importer->user_clicks();
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"tests", "export", "import"}));
    w.set_logbook_windows(nullptr);
  }
}

TEST_F(WindowTest, SavedTestsReplaceTheTableKeepThePreviousFileAndComeBackOnTheChart) {
  write_bytes(data_path(), record("10/06/26", "08:00", "05.0"));
  Fenetre& w = start_with_panel();
  type_level(w, "6");
  w.Bout_Ok.on_click();
  // An unsaved test from the panel: the tests window and import wait for the save.
  EXPECT_FALSE(w.Menu_Analyses->enabled);
  EXPECT_FALSE(w.Menu_Importer->enabled);
  EXPECT_TRUE(w.Menu_Exporter->enabled);
  w.Menu_Sauve->user_clicks();
  EXPECT_TRUE(w.Menu_Analyses->enabled);
  const std::string before = read_bytes(data_path());

  TestTable edited;
  edited.add_test("01/06/2026", "07:15", "04.4", "matin");
  ASSERT_TRUE(w.save_tests(edited));
  EXPECT_EQ(read_bytes(data_path()), record("01/06/26", "07:15", "04.4", "matin"));
  EXPECT_EQ(read_bytes(program_dir() / "Diabete.dbk.bak"), before);
  EXPECT_EQ(w.table.Nb_Tests, 1);
  EXPECT_FALSE(w.Menu_Sauve->enabled);
  EXPECT_TRUE(w.Menu_Option->enabled);
  EXPECT_EQ(w.Aff_Resultat.caption, "04.4");
}

}  // namespace
}  // namespace sugarlog
