// The statistics and report items of the main window's menus.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {
namespace {

struct CountingWindows : LogbookWindows {
  void show_tests(Fenetre&) override {}
  void show_export(Fenetre&) override {}
  void show_import(Fenetre&) override {}
  void show_statistics(Fenetre& window) override { statistics.push_back(&window); }
  void show_report(Fenetre& window) override { reports.push_back(&window); }
  std::vector<Fenetre*> statistics, reports;
};

// The accelerator of a caption, lower case; 0 when it has none.
char accelerator(const std::string& caption) {
  const auto at = caption.find('&');
  return at + 1 < caption.size() ? static_cast<char>(std::tolower(caption[at + 1])) : 0;
}

class StatsMenusTest : public ::testing::TestWithParam<const char*> {
 protected:
  Fenetre& start() {
    fake_.locale.language = GetParam();
    fake_.clock.set(platform::date_serial(2026, 12, 8));
    window_ = std::make_unique<Fenetre>(fake_.platform(), scratch_.path(), scratch_.path());
    window_->Form_Load();
    return *window_;
  }
  platform::ScratchFolder scratch_{"sugarlog-stats-menus"};
  platform::FakePlatform fake_;
  std::unique_ptr<Fenetre> window_;
};

TEST_P(StatsMenusTest, AfterTheMenusOwnItemsWithUniqueAccelerators) {
  Fenetre& w = start();
  const bool french = std::string(GetParam()) == "French";
  EXPECT_EQ(w.Menu_Fichier->items().back().get(), w.Menu_Rapport);
  EXPECT_EQ(w.Menu_Historique->items().back().get(), w.Menu_Stats);
  EXPECT_EQ(w.Menu_Rapport->caption, french ? "&Rapport..." : "&Report...");
  EXPECT_EQ(w.Menu_Stats->caption, french ? "S&tatistiques..." : "&Statistics...");
  for (form::MenuItem* menu : {w.Menu_Fichier, w.Menu_Historique}) {
    std::set<char> seen;
    for (const auto& item : menu->items()) {
      if (item->is_separator() || !accelerator(item->caption)) continue;
      EXPECT_TRUE(seen.insert(accelerator(item->caption)).second) << item->caption;
    }
  }
}

TEST_P(StatsMenusTest, ItemsOpenTheirWindowsWhenThereAreAny) {
  Fenetre& w = start();
  w.Menu_Stats->user_clicks();  // no windows given: nothing happens
  w.Menu_Rapport->user_clicks();
  CountingWindows windows;
  w.set_logbook_windows(&windows);
  w.Menu_Stats->user_clicks();
  w.Menu_Rapport->user_clicks();
  w.Menu_Rapport->user_clicks();
  EXPECT_EQ(windows.statistics, std::vector<Fenetre*>{&w});
  EXPECT_EQ(windows.reports, (std::vector<Fenetre*>{&w, &w}));
}

INSTANTIATE_TEST_SUITE_P(Languages, StatsMenusTest, ::testing::Values("English", "French"));

}  // namespace
}  // namespace sugarlog
