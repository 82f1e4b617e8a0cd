// links: sugarlog_app platform_qt_testing
// The report for the doctor of the largest logbook over 90 days, written as a PDF file.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/large_logbook.h"
#include "bench/qt_benchmarks.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/app/report_pdf.h"

namespace {

void BM_ReportPdfOf5000Tests(benchmark::State& state) {
  const sugarlog::TestTable table = bench_data::ninety_day_logbook(bench_data::kBenchToday);
  sugarlog::ReportRequest request;
  request.period = sugarlog::last_days(bench_data::kBenchToday, 90);
  request.printed = bench_data::kBenchToday;
  request.name = "Jane Doe";
  platform::ScratchFolder folder("bench-report");
  for (auto _ : state) {
    if (sugarlog_app::write_report_pdf(folder / "report.pdf", table, request, 2026,
                                       QPageSize::A4)) {
      state.SkipWithError("the report was not written");
    }
  }
}
BENCHMARK(BM_ReportPdfOf5000Tests)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::run_qt_benchmarks(argc, argv);
}
