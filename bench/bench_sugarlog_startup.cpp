// links: sugarlog_window
// Start-up of the logbook's window (settings, data file of 5000 tests, captions, chart frame),
// without Qt, on the scripted platform.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/window/fenetre.h"

namespace {

namespace fs = std::filesystem;

struct Folders {
  Folders() {
    fs::create_directories(root / "program");
    fs::create_directories(root / "config");
    std::ofstream out(root / "program" / "Diabete.dbk", std::ios::binary);
    for (int i = 0; i < sugarlog::TestTable::kCapacity; ++i) {
      const platform::Serial day = platform::date_serial(2026, 6, 11) - i / 3;
      out << '"' << platform::format_serial(day, "dd/mm/yy") << "\",\"0" << (7 + i % 3)
          << ":15\",\"0" << (4 + i % 6) << ".5\",\"" << (i % 4 == 0 ? "repas" : "") << "\"\r\n";
    }
  }
  platform::ScratchFolder scratch{"sugarlog-startup"};
  const fs::path& root = scratch.path();
};

platform::FakePlatform& pinned_platform() {
  static platform::FakePlatform fake;
  fake.clock.set(platform::date_serial(2026, 6, 12) + platform::time_serial(14, 30));
  return fake;
}

void BM_StartupWith5000Tests(benchmark::State& state) {
  Folders folders;
  platform::FakePlatform& fake = pinned_platform();
  for (auto _ : state) {
    sugarlog::Fenetre window(fake.platform(), folders.root / "program", folders.root / "config");
    window.Form_Load();
    benchmark::DoNotOptimize(window.table.Nb_Tests);
  }
}
BENCHMARK(BM_StartupWith5000Tests)->Unit(benchmark::kMillisecond);

// The start-up again on the open window, as every save runs it.
void BM_RestartAfterSave(benchmark::State& state) {
  Folders folders;
  platform::FakePlatform& fake = pinned_platform();
  sugarlog::Fenetre window(fake.platform(), folders.root / "program", folders.root / "config");
  window.Form_Load();
  for (auto _ : state) {
    window.Form_Load();
    benchmark::DoNotOptimize(window.table.Nb_Tests);
  }
}
BENCHMARK(BM_RestartAfterSave)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
