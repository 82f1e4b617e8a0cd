#pragma once
// Downloads through a module of their own (built from qt_http.cpp), loaded at the first download:
// a program that downloads now and then neither links nor loads Qt Network, and the libraries it
// brings, when it starts.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/services.h"

namespace platform_qt {

// Hands a handler to the window's event loop.
using PostToWindow = std::function<void(std::function<void()>)>;

// The module's one entry point, by that name: a new client whose answers go through post.
using MakeHttpClient = platform::HttpClient* (*)(const PostToWindow& post, int timeout_ms);
inline constexpr const char* kMakeHttpClient = "make_http_client";

class ModuleHttpClient : public platform::HttpClient {
 public:
  // module_path: the module's file. Every download fails, and one line on standard error says
  // why, when it cannot be loaded.
  ModuleHttpClient(PostToWindow post, QString module_path, int timeout_ms = 10000);
  ~ModuleHttpClient() override;
  void get(const std::string& url, std::size_t max_bytes,
           std::function<void(std::string body)> done) override;

 private:
  platform::HttpClient* loaded();

  PostToWindow post_;
  QString module_path_;
  int timeout_ms_;
  bool tried_ = false;
  std::unique_ptr<platform::HttpClient> client_;
};

}  // namespace platform_qt
