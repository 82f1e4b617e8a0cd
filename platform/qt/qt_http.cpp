#include "platform/qt/qt_http.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace platform_qt {

QtHttpClient::QtHttpClient(Post post, int timeout_ms)
    : post_(std::move(post)), timeout_ms_(timeout_ms) {}

QtHttpClient::~QtHttpClient() {
  // Downloads still on their way answer no one: their handlers may belong to a window that is
  // already gone.
  for (QNetworkReply* reply : manager_.findChildren<QNetworkReply*>()) {
    reply->disconnect();
    reply->abort();
  }
}

void QtHttpClient::get(const std::string& url, std::size_t max_bytes,
                       std::function<void(std::string body)> done) {
  QNetworkRequest request{QUrl(QString::fromStdString(url), QUrl::StrictMode)};
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  QNetworkReply* reply = manager_.get(request);

  struct Download {
    QByteArray body;
    bool failed = false;
  };
  auto download = std::make_shared<Download>();
  auto* clock = new QTimer(reply);
  clock->setSingleShot(true);
  QObject::connect(clock, &QTimer::timeout, reply, [reply, download] {
    download->failed = true;
    reply->abort();
  });
  clock->start(timeout_ms_);
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, download, max_bytes] {
    if (download->failed) return;
    download->body += reply->readAll();
    if (static_cast<std::size_t>(download->body.size()) > max_bytes) {
      download->failed = true;
      reply->abort();
    }
  });
  QObject::connect(
      reply, &QNetworkReply::finished, reply,
      [this, reply, download, max_bytes, done = std::move(done)]() mutable {
        if (!download->failed) download->body += reply->readAll();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool good = !download->failed && reply->error() == QNetworkReply::NoError &&
                          status >= 200 && status < 300 &&
                          static_cast<std::size_t>(download->body.size()) <= max_bytes;
        std::string body = good ? download->body.toStdString() : std::string();
        reply->deleteLater();
        post_([done = std::move(done), body = std::move(body)] { done(body); });
      });
}

}  // namespace platform_qt
