#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"

namespace platform_qt {

std::optional<QUrl> shell_target(const std::string& path_or_url) {
  const QString text = to_qstring(path_or_url).trimmed();
  if (text.isEmpty()) return std::nullopt;
  static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
  const QRegularExpressionMatch match = scheme.match(text);
  if (!match.hasMatch()) return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
  const QString name = match.captured(1).toLower();
  if (name == u"http" || name == u"https") {
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
    return url;
  }
  if (name == u"file") {
    const QUrl url(text, QUrl::StrictMode);
    // Only this machine's files: no host, or localhost.
    const QString host = url.host().toLower();
    if (!url.isValid() || !url.isLocalFile() || !(host.isEmpty() || host == u"localhost")) {
      return std::nullopt;
    }
    return url;
  }
  return std::nullopt;
}

void QtShell::open(const std::string& path_or_url) {
  if (const auto url = shell_target(path_or_url)) QDesktopServices::openUrl(*url);
}

}  // namespace platform_qt
