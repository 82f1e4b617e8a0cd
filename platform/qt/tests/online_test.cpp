// The online services on this machine only: downloads from a server on 127.0.0.1, ping of
// 127.0.0.1 when ping is installed, and the addresses the browser may be given.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "platform/qt/http_module.h"
#include "platform/qt/modules.h"
#include "platform/qt/qt_http.h"
#include "platform/qt/qt_online.h"
#include "platform/qt/testing/test_app.h"

namespace platform_qt {
namespace {

// A small HTTP server: answers each request for a known path with its status and body, and
// never answers the path "/silent". Records every request it read.
class LocalServer {
 public:
  struct Reply {
    int status;
    QByteArray body;
  };

  LocalServer() {
    testing::app();
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
      }
    });
  }

  std::string url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(server_.serverPort())
        .arg(path)
        .toStdString();
  }

  std::map<QString, Reply> replies;
  QList<QByteArray> requests;

 private:
  void read(QTcpSocket* socket) {
    QByteArray& pending = pending_[socket];
    pending += socket->readAll();
    if (!pending.contains("\r\n\r\n")) return;
    requests.append(pending);
    const QString path = QString::fromLatin1(pending.split(' ').value(1));
    pending.clear();
    if (path == u"/silent") return;
    const auto found = replies.find(path);
    const Reply reply = found == replies.end() ? Reply{404, "<!DOCTYPE html>gone"} : found->second;
    socket->write("HTTP/1.1 " + QByteArray::number(reply.status) +
                  " X\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                  QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" +
                  reply.body);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> pending_;
};

// Runs a download to its end (bounded in time) and gives its body.
std::optional<std::string> download(platform::HttpClient& http, const std::string& url,
                                    std::size_t max) {
  std::optional<std::string> body;
  bool inside_get = true;
  http.get(url, max, [&](std::string answer) {
    EXPECT_FALSE(inside_get) << "the answer must come as an event of its own";
    body = std::move(answer);
  });
  inside_get = false;
  QElapsedTimer clock;
  clock.start();
  while (!body && clock.elapsed() < 5000) QTest::qWait(10);
  return body;
}

QtHttpClient::Post later() {
  return [](std::function<void()> handler) { QTimer::singleShot(0, std::move(handler)); };
}

TEST(QtHttpClient, DownloadsFromTheNetworkWithinTheirLimits) {
  LocalServer server;
  const QByteArray site = "\"Text\",\"http://www.example.com\",\"png\"\r\n";
  const QByteArray picture =
      QByteArray("\x89PNG\r\n\x1a\n\0\0\0binary", 16) + QByteArray(3000, 'p');
  server.replies[QStringLiteral("/sl/url_a.txt")] = {200, site};
  server.replies[QStringLiteral("/sl/img_a3.png")] = {200, picture};
  server.replies[QStringLiteral("/big")] = {200, QByteArray(2049, 'b')};
  server.replies[QStringLiteral("/exact")] = {200, QByteArray(2048, 'e')};
  server.replies[QStringLiteral("/error")] = {500, "Internal error"};
  QtHttpClient http(later());

  EXPECT_EQ(download(http, server.url("/sl/url_a.txt"), 65536), site.toStdString());
  EXPECT_EQ(download(http, server.url("/sl/img_a3.png"), 4 << 20), picture.toStdString());
  EXPECT_EQ(download(http, server.url("/exact"), 2048), std::string(2048, 'e'));
  EXPECT_EQ(download(http, server.url("/big"), 2048), "");
  EXPECT_EQ(download(http, server.url("/missing"), 65536), "");  // a 404 page is no body
  EXPECT_EQ(download(http, server.url("/error"), 65536), "");
  EXPECT_EQ(download(http, "http://127.0.0.1:1/refused", 65536), "");
  ASSERT_FALSE(server.requests.isEmpty());
  EXPECT_TRUE(server.requests.front().toLower().contains("cache-control: no-cache"));
}

TEST(QtHttpClient, AServerThatNeverAnswersCountsAsAFailureInBoundedTime) {
  LocalServer server;
  QtHttpClient http(later(), 300);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(download(http, server.url("/silent"), 65536), "");
  EXPECT_LT(clock.elapsed(), 3000);
}

TEST(QtHttpClient, ADownloadStillRunningWhenTheClientGoesAnswersNoOne) {
  LocalServer server;
  bool answered = false;
  {
    QtHttpClient http(later());
    http.get(server.url("/silent"), 100, [&](std::string) { answered = true; });
    QTest::qWait(50);
  }
  QTest::qWait(50);
  EXPECT_FALSE(answered);
}

TEST(ModuleHttpClient, DownloadsThroughTheModuleLoadedAtTheFirstDownload) {
  LocalServer server;
  server.replies[QStringLiteral("/a")] = {200, "first"};
  server.replies[QStringLiteral("/b")] = {200, "second"};
  ModuleHttpClient http(later(),
                        QStringLiteral(MODULES_FOLDER "/") + QLatin1StringView(kDownloadsModule));
  EXPECT_EQ(download(http, server.url("/a"), 100), "first");
  EXPECT_EQ(download(http, server.url("/b"), 100), "second");
  EXPECT_EQ(download(http, server.url("/b"), 3), "");
}

TEST(ModuleHttpClient, WithoutItsModuleEveryDownloadFailsAsAnEventOfItsOwn) {
  LocalServer server;
  server.replies[QStringLiteral("/a")] = {200, "first"};
  ModuleHttpClient http(later(), QStringLiteral("/nonexistent/downloads.so"));
  EXPECT_EQ(download(http, server.url("/a"), 100), "");
  EXPECT_EQ(download(http, server.url("/a"), 100), "");
  EXPECT_TRUE(server.requests.isEmpty());
}

TEST(QtPingProbe, AMissingPingOrAHostLikeAnOptionMeansNoReport) {
  QtPingProbe missing(QStringLiteral("/nonexistent/ping"));
  EXPECT_FALSE(missing.start("127.0.0.1"));
  EXPECT_EQ(missing.output(), std::nullopt);
  QtPingProbe probe;
  EXPECT_FALSE(probe.start("-f"));
  EXPECT_FALSE(probe.start(""));
  EXPECT_EQ(QtPingProbe::arguments(QStringLiteral("h")),
            (QStringList{"-n", "-c", "1", "-w", "3", "h"}));
}

TEST(QtPingProbe, PingsThisMachineIntoAPrivateFolderRemovedWhenFinished) {
  if (QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty()) {
    GTEST_SKIP() << "ping is not installed";
  }
  testing::app();
  QtPingProbe probe;
  ASSERT_TRUE(probe.start("127.0.0.1"));
  const QString report = probe.report_path();
  const QString folder = QFileInfo(report).absolutePath();
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  QElapsedTimer clock;
  clock.start();
  std::string seen;
  while (clock.elapsed() < 5000) {
    seen = probe.output().value_or("");
    if (seen.find("statistics") != std::string::npos) break;
    QTest::qWait(50);
  }
  if (seen.find("not permitted") != std::string::npos) GTEST_SKIP() << seen;
  EXPECT_NE(seen.find("bytes from 127.0.0.1"), std::string::npos) << seen;
  probe.finish();
  EXPECT_FALSE(QFileInfo::exists(folder));
  EXPECT_EQ(probe.output(), std::nullopt);
}

TEST(QtWebBrowser, OnlyWebAddressesAreOpened) {
  for (const char* good : {"http://www.example.com", "https://www.example.com/a?b=c"}) {
    EXPECT_TRUE(web_page_url(good).has_value()) << good;
  }
  for (const char* bad : {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)",
                          "www.example.com", "http://", "ftp://example.com/x"}) {
    EXPECT_FALSE(web_page_url(bad).has_value()) << bad;
  }
  testing::app();
  EXPECT_EQ(QtWebBrowser().open_page("file:///etc/passwd"), platform::BrowserOutcome::Failed);
}

}  // namespace
}  // namespace platform_qt
