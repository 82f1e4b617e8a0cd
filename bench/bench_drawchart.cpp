// links: pulsewise_engine
// Full redraws of both chart types at the size of a 4K screen (3840 x 2160 pixels at 15 twips a
// pixel), with every curve, the today marker and the week separators on.
#include <benchmark/benchmark.h>

#include "platform/core/date.h"
#include "platform/core/surface.h"
#include "pulsewise/engine/chart.h"

namespace {

constexpr double kWidth = 3840 * 15;
constexpr double kHeight = 2160 * 15;

pulsewise::ChartState busiest_chart(std::int16_t charttype) {
  pulsewise::ChartState state;
  state.charttype = charttype;
  state.chartdate = platform::date_serial(2024, 6, 1);
  state.birthdate = platform::date_serial(1970, 3, 15);
  state.birthname = "First person";
  state.birthdate2 = platform::date_serial(1982, 11, 2);
  state.birthname2 = "Second person";
  state.showaverage = pulsewise::kOn;
  state.weekseparators = pulsewise::kOn;
  state.todaymarker = pulsewise::kOn;
  return state;
}

void draw_on_recording_surface(benchmark::State& bench, std::int16_t charttype) {
  const pulsewise::ChartState state = busiest_chart(charttype);
  platform::RecordingSurface picture(kWidth, kHeight);
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
