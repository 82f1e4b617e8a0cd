#pragma once
// Downloads through Qt Network, in a library of their own: a program loads them as a module at
// its first download (http_module.h); the tests link them.
#include <QNetworkAccessManager>
#include <functional>
#include <string>

#include "platform/core/services.h"
#include "platform/qt/http_module.h"

namespace platform_qt {

// GET through Qt Network: always from the network, a whole download bounded in time, bodies
// bounded in size. The answer goes to the handler through post, so it runs as an event of the
// window and never while another handler runs.
class QtHttpClient : public platform::HttpClient {
 public:
  using Post = PostToWindow;
  explicit QtHttpClient(Post post, int timeout_ms = 10000);
  ~QtHttpClient() override;
  void get(const std::string& url, std::size_t max_bytes,
           std::function<void(std::string body)> done) override;

 private:
  Post post_;
  int timeout_ms_;
  QNetworkAccessManager manager_;
};

}  // namespace platform_qt
