// links: pulsewise_engine
// Full redraws of both chart types at the size of a 4K screen (3840 x 2160 pixels at 15 twips a
// pixel), with every curve, the today marker and the week separators on.
#include <benchmark/benchmark.h>

#include "platform/core/surface.h"
#include "platform/core/testing/recording_surface.h"
#include "pulsewise/engine/chart.h"
#include "pulsewise/engine/sample_chart.h"

namespace {

void draw_on_recording_surface(benchmark::State& bench, std::int16_t charttype) {
  const pulsewise::ChartState state = pulsewise::busiest_chart(charttype);
  platform::RecordingSurface picture(pulsewise::k4KWidth, pulsewise::k4KHeight);
  for (auto _ : bench) {
    picture.forget();
    pulsewise::drawchart(state, picture, picture, "dd/MM/yyyy");
    benchmark::DoNotOptimize(picture.ops().data());
  }
  bench.counters["ops"] = static_cast<double>(picture.ops().size());
}

void BM_BiorhythmChart_Recording(benchmark::State& bench) {
  draw_on_recording_surface(bench, 0);
}
void BM_ComparisonChart_Recording(benchmark::State& bench) {
  draw_on_recording_surface(bench, 1);
}

}  // namespace

BENCHMARK(BM_BiorhythmChart_Recording)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComparisonChart_Recording)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
