// links: sugarlog_window
// The logbook's chart on the form model, without Qt: one redraw of the largest logbook in each
// view (clearing, titles, plotting and summary), one cursor step, one view switch.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/large_logbook.h"
#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/window/fenetre.h"

namespace {

namespace fs = std::filesystem;

struct Logbook {
  Logbook() {
    fs::create_directories(scratch.path() / "program");
    fs::create_directories(scratch.path() / "config");
    bench_data::write_large_logbook(scratch.path() / "program", bench_data::kBenchToday);
    fake.clock.set(bench_data::kBenchToday);
    window = std::make_unique<sugarlog::Fenetre>(fake.platform(), scratch.path() / "program",
                                                 scratch.path() / "config");
    window->Form_Load();
  }
  platform::ScratchFolder scratch{"sugarlog-chart-bench"};
  platform::FakePlatform fake;
  std::unique_ptr<sugarlog::Fenetre> window;
};

// 0 Day/Week, 1 Week/Month, 2 Month/Year.
void choose_view(sugarlog::Fenetre& w, int view) {
  if (view == 1) w.Menu_Mois->user_clicks();
  if (view == 2) w.Menu_Annee->user_clicks();
}

void BM_Redraw(benchmark::State& state) {
  Logbook book;
  sugarlog::Fenetre& w = *book.window;
  choose_view(w, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    w.Mois_Sem();
    benchmark::DoNotOptimize(w.frame.Prochaine_Ligne);
  }
  state.counters["lines"] = w.frame.Prochaine_Ligne - 1;
}
BENCHMARK(BM_Redraw)->Arg(0)->Arg(1)->Arg(2)->ArgName("view")->Unit(benchmark::kMicrosecond);

// A step back and a step forward again, as the arrows of the scroll bar make them.
void BM_CursorStepBackAndForth(benchmark::State& state) {
  Logbook book;
  sugarlog::Fenetre& w = *book.window;
  choose_view(w, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const int step = w.Curseur.small_change;
    w.Curseur.set_value(w.Curseur.value() - step);
    w.Curseur.set_value(w.Curseur.value() + w.Curseur.small_change);
  }
  state.counters["lines"] = w.frame.Prochaine_Ligne - 1;
}
BENCHMARK(BM_CursorStepBackAndForth)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("view")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
