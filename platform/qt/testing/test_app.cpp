#include "platform/qt/testing/test_app.h"

namespace platform_qt::testing {

std::unique_ptr<QApplication> make_app(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  auto application = std::make_unique<QApplication>(argc, argv);
  application->setQuitOnLastWindowClosed(false);
  return application;
}

}  // namespace platform_qt::testing
