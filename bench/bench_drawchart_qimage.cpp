// links: pulsewise_engine platform_qt_testing
// The whole biorhythm and comparison charts drawn on a 4K picture (3840 x 2160 pixels at 96 DPI),
// the largest picture the chart window can get.
#include <benchmark/benchmark.h>

#include "platform/core/date.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/testing/test_app.h"
#include "pulsewise/engine/chart.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kWidth = 3840 * kTwipsPerPixel;
constexpr double kHeight = 2160 * kTwipsPerPixel;

pulsewise::ChartState state_for(std::int16_t charttype) {
  pulsewise::ChartState state;
  state.charttype = charttype;
  state.chartdate = platform::date_serial(2024, 6, 15);
  state.birthdate = platform::date_serial(1970, 3, 21);
  state.birthname = "Alexandra Example";
  state.birthdate2 = platform::date_serial(1982, 11, 2);
  state.birthname2 = "Benjamin Example";
  state.showaverage = pulsewise::kOn;
  state.weekseparators = pulsewise::kOn;
  state.todaymarker = pulsewise::kOn;
  return state;
}

void draw(benchmark::State& bench, std::int16_t charttype) {
  platform_qt::QImageSurface picture(kWidth, kHeight, 96.0);
  platform_qt::QImageSurface window_font(1500, 1500, 96.0);
  const pulsewise::ChartState state = state_for(charttype);
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
  const auto app = platform_qt::testing::make_app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
