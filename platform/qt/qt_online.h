#pragma once
// The online services on Qt: the system's ping as the reachability probe, downloads through Qt
// Network, and web pages in the desktop's browser.
#include <QNetworkAccessManager>
#include <QString>
#include <QStringList>
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

// GET through Qt Network: always from the network, a whole download bounded in time, bodies
// bounded in size. The answer goes to the handler through post, so it runs as an event of the
// window and never while another handler runs.
class QtHttpClient : public platform::HttpClient {
 public:
  using Post = std::function<void(std::function<void()>)>;
  explicit QtHttpClient(Post post, int timeout_ms = 10000);
  ~QtHttpClient() override;
  void get(const std::string& url, std::size_t max_bytes,
           std::function<void(std::string body)> done) override;

 private:
  Post post_;
  int timeout_ms_;
  QNetworkAccessManager manager_;
};

// http and https addresses in the desktop's browser (through the desktop's URL opener).
class QtWebBrowser : public platform::WebBrowser {
 public:
  platform::BrowserOutcome open_page(const std::string& url) override;
};

// The address a browser may be given: absolute http or https with a host; nothing otherwise.
std::optional<QUrl> web_page_url(const std::string& url);

}  // namespace platform_qt
