// links: pulsewise_app platform_qt_testing
// The biorhythm program on Qt (offscreen) in a 1920 x 1080-pixel window (28800 x 16200 twips at
// 96 DPI): start-up to the first drawn chart, and one day step as the user makes it.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>

#include "bench/qt_benchmarks.h"
#include "platform/qt/qt_services.h"
#include "pulsewise/app/pulsewise_program.h"

namespace {

void store_full_hd_window(const QString& folder) {
  platform_qt::IniSettingsStore store(folder);
  store.set("Hollowmere", "Pulsewise", "Chart width", " 28800");
  store.set("Hollowmere", "Pulsewise", "Chart height", " 16200");
  store.set("Hollowmere", "Pulsewise", "Chart X", " 15");
  store.set("Hollowmere", "Pulsewise", "Chart Y", " 15");
  store.set("Hollowmere", "Pulsewise", "Average", "-1");
  store.set("Hollowmere", "Pulsewise", "Week separators", "-1");
  store.set("Hollowmere", "Pulsewise", "Today marker", "-1");
  store.flush();
}

// Construct, read the settings, lay out and draw, show, copy to the widgets and paint.
void BM_StartUpToFirstChart(benchmark::State& bench) {
  for (auto _ : bench) {
    auto program = std::make_unique<pulsewise::Program>();
    program->start();
    program->renderer().refresh();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(program->window().Picture1.image_serial());
    bench.PauseTiming();
    program.reset();
    QCoreApplication::processEvents();
    bench.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstChart)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Next day": the handler and its redraw, the copy to the widgets and the repaint.
void BM_DayStep(benchmark::State& bench) {
  pulsewise::Program program;
  program.start();
  QCoreApplication::processEvents();
  pulsewise::Form1& window = program.window();
  for (auto _ : bench) {
    window.MenuGoTomorrow_Click();
    program.renderer().refresh();
    QCoreApplication::processEvents();
  }
  bench.counters["picture_px"] = window.Picture1.width() / 15;
}
BENCHMARK(BM_DayStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  return bench::run_qt_benchmarks(argc, argv, [&] { store_full_hd_window(config.path()); });
}
