#pragma once
// The main() of every benchmark program that needs a Qt application: offscreen, its platform
// warnings hushed, made before the benchmarks are read from the command line.
#include <benchmark/benchmark.h>

#include <functional>

#include "platform/qt/testing/test_app.h"

namespace bench {

// Runs the registered benchmarks; prepare runs once the application exists.
inline int run_qt_benchmarks(int argc, char** argv, const std::function<void()>& prepare = {}) {
  platform_qt::testing::hush_offscreen_warnings();
  const auto app = platform_qt::testing::make_app(argc, argv);
  if (prepare) prepare();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
