// links: pulsewise_engine platform_qt_testing
// The whole biorhythm and comparison charts drawn on a 4K picture (3840 x 2160 pixels at 96 DPI),
// the largest picture the chart window can get.
#include <benchmark/benchmark.h>

#include "bench/qt_benchmarks.h"
#include "platform/qt/image_surface.h"
#include "pulsewise/engine/chart.h"
#include "pulsewise/engine/sample_chart.h"

namespace {

void draw(benchmark::State& bench, std::int16_t charttype) {
  platform_qt::QImageSurface picture(pulsewise::k4KWidth, pulsewise::k4KHeight, 96.0);
  platform_qt::QImageSurface window_font(1500, 1500, 96.0);
  const pulsewise::ChartState state = pulsewise::busiest_chart(charttype);
  for (auto _ : bench) {
    pulsewise::drawchart(state, picture, window_font, "dd/MM/yyyy");
    // Finish the drawing as showing the picture would.
    benchmark::DoNotOptimize(picture.image().constBits());
  }
}

void BM_BiorhythmChart4K(benchmark::State& bench) {
  draw(bench, 0);
}
void BM_ComparisonChart4K(benchmark::State& bench) {
  draw(bench, 1);
}

BENCHMARK(BM_BiorhythmChart4K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComparisonChart4K)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::run_qt_benchmarks(argc, argv);
}
