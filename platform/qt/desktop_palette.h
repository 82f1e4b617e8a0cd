#pragma once
// The desktop's colours behind the system-colour codes of the form model, so that a window or
// chart drawn in "button face" or "window text" looks right in a light, dark or high-contrast
// theme. Explicit RGB colours are never touched.
#include <QPalette>

#include "platform/core/colour.h"

namespace platform_qt {

// The system colours a palette gives, index by index.
platform::SystemColours system_colours_of(const QPalette& palette);

// Makes the codes stand for the application palette's colours from now on.
void follow_desktop_palette();

}  // namespace platform_qt
