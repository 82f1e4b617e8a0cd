// links: sugarlog_store
// Load and save of a full logbook (5000 tests) through the real data file in a temporary folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/core/file_io.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

namespace {

namespace fs = std::filesystem;
using sugarlog::DataFile;
using sugarlog::TestTable;

// A temporary folder holding a data file of 5000 tests, removed at the end.
class FullLogbook {
 public:
  FullLogbook() {
    std::string bytes;
    for (int i = 0; i < TestTable::kCapacity; ++i) {
      bytes += "\"" + std::to_string(10 + i % 18) + "/0" + std::to_string(1 + i % 9) +
               "/25\",\"08:05\",\"07.5\",\"apres le repas " + std::to_string(i) + "\"\r\n";
    }
    if (platform::write_file_atomic(folder_ / DataFile::kFileName, bytes)) std::abort();
  }
  const fs::path& folder() const { return folder_; }

 private:
  platform::ScratchFolder scratch_{"sugarlog-bench"};
  const fs::path& folder_ = scratch_.path();
};

void BM_LoadFiveThousandTests(benchmark::State& state) {
  FullLogbook logbook;
  DataFile data(logbook.folder());
  TestTable table;
  for (auto _ : state) {
    const auto outcome = data.Recuperer(table, ".");
    if (outcome.error || table.Nb_Tests != TestTable::kCapacity) std::abort();
  }
}
BENCHMARK(BM_LoadFiveThousandTests)->Unit(benchmark::kMillisecond);

void BM_SaveFiveThousandTests(benchmark::State& state) {
  FullLogbook logbook;
  DataFile data(logbook.folder());
  TestTable table;
  if (data.Recuperer(table, ".").error) std::abort();
  sugarlog::UnitState units;
  for (auto _ : state) {
    if (data.Sauvegarder(table, sugarlog::kMmolL, units, "/", 2026)) std::abort();
  }
}
BENCHMARK(BM_SaveFiveThousandTests)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
