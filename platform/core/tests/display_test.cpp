#include "platform/core/display.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Case {
  const char* what;
  std::map<std::string, std::string, std::less<>> environment;
  std::vector<std::string> arguments;
  bool available;
};

TEST(Display, FoundWhereTheChosenPlatformLooksForIt) {
  const std::vector<Case> cases = {
      {"nothing set", {}, {}, false},
      {"an empty DISPLAY", {{"DISPLAY", ""}}, {}, false},
      {"X11", {{"DISPLAY", ":0"}}, {}, true},
      {"Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
      {"-display on the command line", {}, {"-display", ":1"}, true},
      {"--display on the command line", {}, {"--display", ":1"}, true},
      {"-display without its value", {}, {"-display"}, false},
      {"offscreen needs no display", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
      {"minimal with options", {{"QT_QPA_PLATFORM", "minimal:enable_fonts"}}, {}, true},
      {"xcb without DISPLAY", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, {}, false},
      {"xcb with DISPLAY", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":0"}}, {}, true},
      {"wayland without its socket",
       {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}},
       {},
       false},
      {"a list falls back", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, {}, true},
      {"a list of none", {{"QT_QPA_PLATFORM", "wayland-egl;xcb"}}, {}, false},
      {"an empty QT_QPA_PLATFORM", {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ":0"}}, {}, true},
      {"-platform wins over the variable",
       {{"QT_QPA_PLATFORM", "xcb"}},
       {"-platform", "offscreen"},
       true},
      {"-platform xcb wins too", {{"QT_QPA_PLATFORM", "offscreen"}}, {"-platform", "xcb"}, false},
      {"options after -- are no options", {}, {"--", "-platform", "offscreen"}, false},
  };
  for (const Case& c : cases) {
    const platform::Environment environment = [&c](std::string_view name) {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? std::nullopt
                                          : std::optional<std::string>(found->second);
    };
    EXPECT_EQ(platform::display_available(c.arguments, environment), c.available) << c.what;
  }
}

}  // namespace
