#pragma once
// The Qt application of a test or benchmark program, set up the same way everywhere: on the
// offscreen platform unless QT_QPA_PLATFORM names another, and running on when its last window
// closes, since the tests open and close windows one after another.
#include <QApplication>
#include <memory>

namespace platform_qt::testing {

// For a program with its own main(); argc must outlive the application.
std::unique_ptr<QApplication> make_app(int& argc, char** argv);

// For benchmarks: the offscreen platform warns on every raise() of a shown window, and the
// figures need no such noise; other warnings still go to standard error.
void hush_offscreen_warnings();

// For GoogleTest programs: the one application of the run, made on first use and destroyed when
// the tests end, before anything static.
QApplication& app();

// Types a text into a widget one character at a time, as a keyboard would: a key press and a
// release per character, any script (QTest's own typing knows only ASCII).
void type_text(QWidget* widget, const QString& text);

// Whether a library whose file name holds name is loaded in this process.
bool library_loaded(const char* name);

}  // namespace platform_qt::testing
