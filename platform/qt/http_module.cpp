#include "platform/qt/http_module.h"

#include "platform/qt/modules.h"

namespace platform_qt {

ModuleHttpClient::ModuleHttpClient(PostToWindow post, QString module_path, int timeout_ms)
    : post_(std::move(post)), module_path_(std::move(module_path)), timeout_ms_(timeout_ms) {}

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
  const auto make = reinterpret_cast<MakeHttpClient>(
      load_module_entry(module_path_, kMakeHttpClient, "downloads are"));
  if (make) client_.reset(make(post_, timeout_ms_));
  return client_.get();
}

}  // namespace platform_qt
