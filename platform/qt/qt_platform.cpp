#include "platform/qt/qt_platform.h"

namespace platform_qt {

QtPlatform::QtPlatform()
    : renderer_(program_),
      printer_(renderer_),
      dialogs_(renderer_, printer_, program_),
      http_([this](std::function<void()> handler) { renderer_.post(std::move(handler)); }) {}

QtPlatform::~QtPlatform() = default;

platform::Platform QtPlatform::platform() {
  return platform::Platform{dialogs_,  clock_,   locale_,        settings_, shell_,  printer_,
                            surfaces_, program_, *probe_in_use_, http_,     browser_};
}

}  // namespace platform_qt
