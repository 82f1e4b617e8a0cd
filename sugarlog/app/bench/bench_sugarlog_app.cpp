// links: sugarlog_app platform_qt_testing
// The logbook's chart in the real window at its normal size (offscreen), with the largest
// logbook: a cursor step and a view switch from the widget that takes them to the repainted
// pixels, and a mouse move over a full Month/Year chart.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <cstdio>
#include <filesystem>

#include "bench/qt_benchmarks.h"
#include "platform/qt/qt_services.h"
#include "sugarlog/app/bench/large_logbook_app.h"
#include "sugarlog/app/sugarlog_app.h"

namespace {

struct App : LargeLogbookApp {
  App() : LargeLogbookApp("sugarlog-app-bench") {}
};

const char* const kViews[] = {"&Day/Week", "&Week/Month", "&Month/Year"};

// One arrow step of the scroll bar, back and then forward again: each is a move the handler
// redraws for.
void BM_CursorStep(benchmark::State& state) {
  App app;
  app.action(kViews[state.range(0)])->trigger();
  App::settle();
  auto* bar = app.window->findChild<QScrollBar*>("Curseur");
  bool back = true;
  for (auto _ : state) {
    bar->triggerAction(back ? QAbstractSlider::SliderSingleStepSub
                            : QAbstractSlider::SliderSingleStepAdd);
    App::settle();
    back = !back;
  }
  state.counters["lines"] = app.program->window().frame.Prochaine_Ligne - 1;
}
BENCHMARK(BM_CursorStep)->Arg(0)->Arg(1)->Arg(2)->ArgName("view")->Unit(benchmark::kMillisecond);

// From the History menu, to the view and back to Day/Week: each switch is measured.
void BM_ViewSwitch(benchmark::State& state) {
  App app;
  QAction* to = app.action(kViews[state.range(0)]);
  QAction* day_week = app.action(kViews[0]);
  bool there = false;
  for (auto _ : state) {
    (there ? day_week : to)->trigger();
    App::settle();
    there = !there;
  }
}
BENCHMARK(BM_ViewSwitch)->Arg(1)->Arg(2)->ArgName("view")->Unit(benchmark::kMillisecond);

// The mouse moving over a chart of a year of tests, thousands of lines.
void BM_MouseMoveOverYearChart(benchmark::State& state) {
  App app;
  app.action(kViews[2])->trigger();
  App::settle();
  QWidget* chart = app.window->findChild<QWidget*>("Graphique");
  int x = 10;
  for (auto _ : state) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 20), chart->mapToGlobal(QPointF(x, 20)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
    App::settle();
    x = x == 10 ? 11 : 10;
  }
  state.counters["lines"] = app.program->window().frame.Prochaine_Ligne - 1;
}
BENCHMARK(BM_MouseMoveOverYearChart)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::run_qt_benchmarks(argc, argv);
}
