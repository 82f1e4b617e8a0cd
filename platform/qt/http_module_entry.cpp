// The entry point of the downloads module (see http_module.h).
#include <type_traits>

#include "platform/qt/http_module.h"
#include "platform/qt/qt_http.h"

extern "C" Q_DECL_EXPORT platform::HttpClient* make_http_client(
    const platform_qt::PostToWindow& post, int timeout_ms) {
  return new platform_qt::QtHttpClient(post, timeout_ms);
}

// The signature the loader expects, checked where the entry point is defined.
static_assert(std::is_same_v<decltype(&make_http_client), platform_qt::MakeHttpClient>);
