// The application of a GoogleTest program, kept apart from make_app so that benchmark programs
// need nothing of GoogleTest.
#include <gtest/gtest.h>

#include "platform/qt/testing/test_app.h"

namespace platform_qt::testing {
namespace {

int argc = 1;
char program_name[] = "qt_tests";
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
  if (!application) application = make_app(argc, argv);
  return *application;
}

}  // namespace platform_qt::testing
