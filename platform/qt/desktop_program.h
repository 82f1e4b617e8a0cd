#pragma once
// The first steps of a desktop program, the same for both: --help and --version answered before
// the window system is touched (they work without a display), the QApplication, the refusal of
// arguments nobody took, and the names the desktop knows the program by (application name and
// version, launcher, window icon).
#include <QIcon>
#include <QLocale>
#include <QString>
#include <functional>

#include "platform/core/command_line.h"

namespace platform_qt {

struct DesktopIdentity {
  platform::ProgramIdentity program;
  // The launcher's name without ".desktop", also the name of the installed icon.
  QString desktop_id;
  // The window icon: an SVG file or Qt resource.
  QString icon;
};

// Answers the command line, makes the QApplication, introduces the program to the desktop and
// returns what body returns (body runs the windows and the event loop).
int run_desktop_program(int& argc, char** argv, const DesktopIdentity& identity,
                        const std::function<int()>& body);

// Needs a QApplication: application name (the command, which is also the X11 window class),
// version, desktop file name, and the window icon of every window once the event loop runs.
void introduce_to_desktop(const DesktopIdentity& identity);

// An SVG listing the sizes window lists and task bars ask for, each drawn when first asked;
// null when it can't be read.
QIcon icon_from_svg(const QString& path);

// Qt's own texts (standard buttons, the colour, file and print dialogs) in the language of the
// locale, from the translations installed with Qt. Replaces those loaded before; false when
// none are installed for that language (Qt's built-in English stays).
bool load_qt_translations(const QLocale& locale);

}  // namespace platform_qt
