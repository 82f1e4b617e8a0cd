#include "platform/qt/testing/test_app.h"

#include <QKeyEvent>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace platform_qt::testing {

std::unique_ptr<QApplication> make_app(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  auto application = std::make_unique<QApplication>(argc, argv);
  application->setQuitOnLastWindowClosed(false);
  return application;
}

void hush_offscreen_warnings() {
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && !message.contains("raise()")) {
      std::fprintf(stderr, "%s\n", qPrintable(message));
    }
  });
}

bool library_loaded(const char* name) {
  std::ifstream maps("/proc/self/maps");
  const std::string all((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  return all.find(name) != std::string::npos;
}

void type_text(QWidget* widget, const QString& text) {
  for (char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &release);
  }
}

}  // namespace platform_qt::testing
