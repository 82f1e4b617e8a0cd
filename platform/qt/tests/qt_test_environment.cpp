#include "platform/qt/tests/qt_test_environment.h"

#include <gtest/gtest.h>

#include <memory>

namespace platform_qt::testing {
namespace {

int argc = 1;
char program_name[] = "platform_qt_tests";
char* argv[] = {program_name, nullptr};
std::unique_ptr<QApplication> application;

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app(); }
  void TearDown() override { application.reset(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QApplication& app() {
  if (!application) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QApplication>(argc, argv);
    application->setQuitOnLastWindowClosed(false);
  }
  return *application;
}

}  // namespace platform_qt::testing
