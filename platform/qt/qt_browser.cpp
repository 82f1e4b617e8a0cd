#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

#include "platform/qt/qt_online.h"
#include "platform/qt/text.h"

namespace platform_qt {

std::optional<QUrl> web_page_url(const std::string& url) {
  const QUrl parsed(to_qstring(url), QUrl::StrictMode);
  const QString scheme = parsed.scheme().toLower();
  if (!parsed.isValid() || (scheme != u"http" && scheme != u"https") || parsed.host().isEmpty()) {
    return std::nullopt;
  }
  return parsed;
}

platform::BrowserOutcome QtWebBrowser::open_page(const std::string& url) {
  const std::optional<QUrl> page = web_page_url(url);
  if (!page) return platform::BrowserOutcome::Failed;
  // The desktop opens web pages through xdg-open, or the browser its settings name.
  const bool any_browser = !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
                           !qEnvironmentVariableIsEmpty("BROWSER") ||
                           !qEnvironmentVariableIsEmpty("DEFAULT_BROWSER");
  if (!any_browser) return platform::BrowserOutcome::NoBrowser;
  return QDesktopServices::openUrl(*page) ? platform::BrowserOutcome::Opened
                                          : platform::BrowserOutcome::Failed;
}

}  // namespace platform_qt
