// links: sugarlog_app platform_qt_testing
// The tests window on the largest logbook (offscreen): opening it up to its first paint, and a
// sort by a column with the repaint that follows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <filesystem>

#include "bench/qt_benchmarks.h"
#include "platform/qt/qt_services.h"
#include "sugarlog/app/bench/large_logbook_app.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/app/tests_window.h"

namespace {

struct App : LargeLogbookApp {
  App() : LargeLogbookApp("sugarlog-tests-window-bench") {}
};

void BM_OpenTestsWindowToFirstPaint(benchmark::State& state) {
  App app;
  for (auto _ : state) {
    sugarlog_app::TestsWindow window(app.program->window(), app.window);
    window.show();
    window.view().viewport()->repaint();
    benchmark::DoNotOptimize(window.model().rowCount());
    state.PauseTiming();
    window.hide();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenTestsWindowToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_SortTestsWindow(benchmark::State& state) {
  App app;
  sugarlog_app::TestsWindow window(app.program->window(), app.window);
  window.show();
  QCoreApplication::processEvents();
  bool ascending = true;
  for (auto _ : state) {
    window.view().sortByColumn(static_cast<int>(state.range(0)),
                               ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    window.view().viewport()->repaint();
    ascending = !ascending;
  }
}
BENCHMARK(BM_SortTestsWindow)
    ->Arg(sugarlog_app::TestsModel::kDate)
    ->Arg(sugarlog_app::TestsModel::kLevel)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::run_qt_benchmarks(argc, argv);
}
