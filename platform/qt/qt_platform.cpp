#include "platform/qt/qt_platform.h"

#include "platform/qt/modules.h"

namespace platform_qt {
namespace {

// Where no download was wired in: each one fails, answered as an event of its own like a real
// one.
class NoDownloads : public platform::HttpClient {
 public:
  explicit NoDownloads(Renderer& renderer) : renderer_(renderer) {}
  void get(const std::string&, std::size_t, std::function<void(std::string body)> done) override {
    renderer_.post([done = std::move(done)] { done({}); });
  }

 private:
  Renderer& renderer_;
};

}  // namespace

QtPlatform::QtPlatform(const QString& modules_folder)
    : modules_folder_(modules_folder),
      renderer_(program_),
      printer_(renderer_, modules_folder + u'/' + QLatin1StringView(kPrintingModule)),
      dialogs_(renderer_, printer_, program_),
      http_(std::make_unique<NoDownloads>(renderer_)) {}

QtPlatform::~QtPlatform() = default;

platform::Platform QtPlatform::platform() {
  return platform::Platform{dialogs_,  clock_,   locale_,        settings_, shell_,  printer_,
                            surfaces_, program_, *probe_in_use_, *http_,    browser_};
}

}  // namespace platform_qt
