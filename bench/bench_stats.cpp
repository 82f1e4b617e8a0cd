// links: sugarlog_report
// The statistics of the largest logbook over 90 days, and the layout and drawing of its report
// on a recording surface (the PDF itself is measured beside the program, with Qt).
#include <benchmark/benchmark.h>

#include "bench/large_logbook.h"
#include "platform/core/testing/recording_surface.h"
#include "sugarlog/report/report.h"

namespace {

const sugarlog::TestTable& logbook() {
  static const sugarlog::TestTable table = bench_data::ninety_day_logbook(bench_data::kBenchToday);
  return table;
}

void BM_StatisticsOf5000Tests(benchmark::State& state) {
  const sugarlog::Period period = sugarlog::last_days(bench_data::kBenchToday, 90);
  for (auto _ : state) {
    const auto tests = sugarlog::tests_in_period(logbook(), period, sugarlog::kMmolL, ".", 2026);
    const auto stats = sugarlog::compute_statistics(tests, period, sugarlog::kMmolL, {});
    benchmark::DoNotOptimize(sugarlog::statistics_view(stats, 0, "."));
    if (stats.count != sugarlog::TestTable::kCapacity) state.SkipWithError("tests left out");
  }
}
BENCHMARK(BM_StatisticsOf5000Tests)->Unit(benchmark::kMillisecond);

void BM_ReportPagesOf5000Tests(benchmark::State& state) {
  sugarlog::ReportRequest request;
  request.period = sugarlog::last_days(bench_data::kBenchToday, 90);
  request.printed = bench_data::kBenchToday;
  for (auto _ : state) {
    platform::RecordingSurface page(11906, 16838);
    const sugarlog::Report report(logbook(), request, 2026, page);
    for (int i = 0; i < report.page_count(); ++i) {
      page.forget();
      report.draw_page(i, page);
    }
    state.counters["pages"] = report.page_count();
  }
}
BENCHMARK(BM_ReportPagesOf5000Tests)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
