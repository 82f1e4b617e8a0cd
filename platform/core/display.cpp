#include "platform/core/display.h"

#include <cstdlib>

namespace platform {
namespace {

// The value after a Qt option ("-platform xcb", also spelt with two dashes), if given.
std::optional<std::string> qt_option(const std::vector<std::string>& arguments,
                                     std::string_view name) {
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") break;
    std::string_view bare = argument;
    if (bare.starts_with("--")) bare.remove_prefix(1);
    if (bare.starts_with('-') && bare.substr(1) == name) return arguments[i + 1];
  }
  return std::nullopt;
}

std::vector<std::string_view> platform_names(std::string_view list) {
  std::vector<std::string_view> names;
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    std::string_view entry = list.substr(0, end);
    names.push_back(entry.substr(0, entry.find(':')));  // "xcb:option=value"
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return names;
}

}  // namespace

std::optional<std::string> process_environment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

bool display_available(const std::vector<std::string>& arguments, const Environment& environment) {
  const auto set = [&](std::string_view name) {
    const std::optional<std::string> value = environment(name);
    return value && !value->empty();
  };
  const bool x11 = set("DISPLAY") || qt_option(arguments, "display");
  const bool wayland = set("WAYLAND_DISPLAY");
  std::string chosen = qt_option(arguments, "platform").value_or("");
  if (chosen.empty()) chosen = environment("QT_QPA_PLATFORM").value_or("");
  bool named = false;
  for (const std::string_view name : platform_names(chosen)) {
    if (name.empty()) continue;
    named = true;
    if (name == "xcb") {
      if (x11) return true;
    } else if (name.starts_with("wayland")) {
      if (wayland) return true;
    } else {
      return true;  // a platform that opens its own output
    }
  }
  return !named && (x11 || wayland);
}

}  // namespace platform
