#include "platform/qt/http_module.h"

#include <QCoreApplication>
#include <QLibrary>
#include <cstdio>

namespace platform_qt {

ModuleHttpClient::ModuleHttpClient(PostToWindow post, QString module_path, int timeout_ms)
    : post_(std::move(post)), module_path_(std::move(module_path)), timeout_ms_(timeout_ms) {}

// The module stays loaded to the end of the run: the client it made is gone by now, but Qt
// Network may still hold threads and storage of its own.
ModuleHttpClient::~ModuleHttpClient() = default;

void ModuleHttpClient::get(const std::string& url, std::size_t max_bytes,
                           std::function<void(std::string body)> done) {
  if (platform::HttpClient* http = loaded()) {
    http->get(url, max_bytes, std::move(done));
    return;
  }
  post_([done = std::move(done)] { done(std::string()); });
}

platform::HttpClient* ModuleHttpClient::loaded() {
  if (tried_) return client_.get();
  tried_ = true;
  QLibrary module(module_path_);
  const auto make = reinterpret_cast<MakeHttpClient>(module.resolve(kMakeHttpClient));
  if (make) {
    client_.reset(make(post_, timeout_ms_));
  } else {
    std::fprintf(stderr, "%s: downloads are unavailable: %s\n",
                 qUtf8Printable(QCoreApplication::applicationName()),
                 qUtf8Printable(module.errorString()));
  }
  return client_.get();
}

}  // namespace platform_qt
