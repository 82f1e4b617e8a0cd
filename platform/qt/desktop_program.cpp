#include "platform/qt/desktop_program.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDBusConnection>
#include <QLibraryInfo>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/core/display.h"
#include "platform/core/version.h"
#include "platform/qt/pictures.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

constexpr const char* kNoDisplay = "cannot open a window: no display";

// While the QApplication is made, a platform that fails after all (a display that went away, a
// server that refuses us) would end the program with an abort and a core dump: it ends with the
// same one line as a missing display instead.
class PlatformFailureGuard {
 public:
  explicit PlatformFailureGuard(std::string_view command) {
    command_ = command;
    previous_ = qInstallMessageHandler(&PlatformFailureGuard::handle);
  }
  ~PlatformFailureGuard() { qInstallMessageHandler(previous_); }
  PlatformFailureGuard(const PlatformFailureGuard&) = delete;
  PlatformFailureGuard& operator=(const PlatformFailureGuard&) = delete;

 private:
  static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
      if (previous_) previous_(type, context, message);
      return;
    }
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(command_.size()), command_.data(),
                 kNoDisplay);
    std::fflush(stderr);
    std::_Exit(1);
  }

  static inline std::string_view command_;
  static inline QtMessageHandler previous_ = nullptr;
};

}  // namespace

int run_desktop_program(int& argc, char** argv, const DesktopIdentity& identity,
                        const std::function<int()>& body) {
  if (const auto done = platform::answer_command_line(platform::arguments_of(argc, argv),
                                                      identity.program, std::cout)) {
    return *done;
  }
  if (!platform::display_available(platform::arguments_of(argc, argv),
                                   platform::process_environment)) {
    std::cerr << identity.program.command << ": " << kNoDisplay << '\n';
    return 1;
  }
  // Reading the font configuration and the font caches is the longest single step before the first
  // text can be drawn; it needs nothing from Qt, so the other core does it while Qt connects to
  // the display. Qt then finds it done.
  std::thread font_configuration([] { FcInit(); });
  std::optional<PlatformFailureGuard> guard(std::in_place, identity.program.command);
  // Menu bars stay in their windows (FormWindow), so Qt need not ask the desktop whether it shows
  // menus of its own: a question that waits on the session bus.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication app(argc, argv);  // takes the window system's own options out of argv
  guard.reset();
  // Screen readers are reached through the session bus, connected when the first control is
  // described to them; connecting (to a bus started on demand, when there is none yet) can take a
  // while, so it starts now, while the window is built.
  const std::jthread session_bus([] { QDBusConnection::sessionBus(); });
  font_configuration.join();
  if (const auto refused = platform::refuse_arguments(platform::arguments_of(argc, argv),
                                                      identity.program, std::cerr)) {
    return *refused;
  }
  introduce_to_desktop(identity);
  return body();
}

void introduce_to_desktop(const DesktopIdentity& identity) {
  QApplication::setApplicationName(to_qstring(identity.program.command));
  QApplication::setApplicationVersion(to_qstring(platform::kVersion));
  QGuiApplication::setDesktopFileName(identity.desktop_id);
  // Given once the event loop runs: the first window opens without waiting for its icon to be
  // drawn at every size a window list may ask for, and takes it a moment later.
  QTimer::singleShot(0, qApp, [path = identity.icon] {
    const QIcon icon = icon_from_svg(path);
    if (!icon.isNull()) QApplication::setWindowIcon(icon);
  });
}

QIcon icon_from_svg(const QString& path) {
  auto picture = std::make_shared<SvgPicture>(path);
  if (!picture->valid()) return {};
  return svg_icon(
      std::move(picture),
      {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}});
}

bool load_qt_translations(const QLocale& locale) {
  // One translator for the whole run, owned by the application.
  static QPointer<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace platform_qt
