#pragma once
// Whether a window can be tried at all. Qt ends a program with an abort (and a core dump) when
// its platform finds no display; asking first lets the program say so in one line and exit.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads one environment variable; nullopt when it is not set.
using Environment = std::function<std::optional<std::string>(std::string_view name)>;

// The process's own environment.
std::optional<std::string> process_environment(std::string_view name);

// True when the window system Qt will pick has its display: the platform named by the
// "-platform" argument, else by QT_QPA_PLATFORM (a list such as "wayland;xcb" is tried in order),
// else the desktop's own, X11 (DISPLAY or a "-display" argument) or Wayland (WAYLAND_DISPLAY).
// Platforms that need no display server (offscreen, minimal, vnc, eglfs, ...) are left to Qt.
bool display_available(const std::vector<std::string>& arguments, const Environment& environment);

}  // namespace platform
