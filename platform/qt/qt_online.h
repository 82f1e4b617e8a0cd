#pragma once
// The online services on Qt: the system's ping as the reachability probe and web pages in the
// desktop's browser (downloads through Qt Network: qt_http.h).
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

#include "platform/core/services.h"

class QProcess;
class QTemporaryDir;

namespace platform_qt {

// Runs ping without a shell and without waiting for it, its output (both channels, in the C
// locale) going to a file in a folder of its own that only this user can read. A ping that is
// missing or cannot start means no report, so the check reads that as no answer.
class QtPingProbe : public platform::ReachabilityProbe {
 public:
  // program: the ping program, found on the PATH when it is not a path.
  explicit QtPingProbe(QString program = QStringLiteral("ping"));
  ~QtPingProbe() override;
  bool start(const std::string& host) override;
  std::optional<std::string> output() override;
  void finish() override;

  // One echo request, answered within three seconds, names not looked up in reverse.
  static QStringList arguments(const QString& host);
  // Where the running probe's report goes (empty when none runs).
  const QString& report_path() const { return output_path_; }

 private:
  QString program_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<QProcess> process_;
  QString output_path_;
};

// http and https addresses in the desktop's browser (through the desktop's URL opener).
class QtWebBrowser : public platform::WebBrowser {
 public:
  platform::BrowserOutcome open_page(const std::string& url) override;
};

// The address a browser may be given: absolute http or https with a host; nothing otherwise.
std::optional<QUrl> web_page_url(const std::string& url);

}  // namespace platform_qt
