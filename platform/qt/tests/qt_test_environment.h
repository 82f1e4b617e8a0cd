#pragma once
// One QApplication for every test of this executable (offscreen unless told otherwise).
#include <QApplication>

namespace platform_qt::testing {

QApplication& app();

}  // namespace platform_qt::testing
