#include "platform/qt/desktop_palette.h"

#include <QApplication>

#include "platform/qt/text.h"

namespace platform_qt {

platform::SystemColours system_colours_of(const QPalette& palette) {
  const auto at = [&palette](QPalette::ColorRole role,
                             QPalette::ColorGroup group = QPalette::Active) {
    return from_qcolor(palette.color(group, role));
  };
  platform::SystemColours colours = platform::default_system_colours();
  colours[0] = at(QPalette::Button);                           // scroll bar
  colours[2] = at(QPalette::Highlight);                        // active title bar
  colours[3] = at(QPalette::Window);                           // inactive title bar
  colours[4] = at(QPalette::Window);                           // menu bar
  colours[5] = at(QPalette::Base);                             // window background
  colours[6] = at(QPalette::Shadow);                           // window frame
  colours[7] = at(QPalette::WindowText);                       // menu text
  colours[8] = at(QPalette::Text);                             // window text
  colours[9] = at(QPalette::HighlightedText);                  // title bar text
  colours[10] = at(QPalette::Mid);                             // active border
  colours[11] = at(QPalette::Midlight);                        // inactive border
  colours[12] = at(QPalette::Mid);                             // application workspace
  colours[13] = at(QPalette::Highlight);                       // highlight
  colours[14] = at(QPalette::HighlightedText);                 // highlighted text
  colours[15] = at(QPalette::Button);                          // button face
  colours[16] = at(QPalette::Dark);                            // button shadow
  colours[17] = at(QPalette::Text, QPalette::Disabled);        // disabled text
  colours[18] = at(QPalette::ButtonText);                      // button text
  colours[19] = at(QPalette::WindowText, QPalette::Inactive);  // inactive title bar text
  colours[20] = at(QPalette::Light);                           // button highlight
  colours[21] = at(QPalette::Shadow);                          // button dark shadow
  colours[22] = at(QPalette::Midlight);                        // button light shadow
  colours[23] = at(QPalette::ToolTipText);                     // tooltip text
  colours[24] = at(QPalette::ToolTipBase);                     // tooltip background
  return colours;
}

void follow_desktop_palette() {
  platform::set_system_colours(system_colours_of(QApplication::palette()));
}

}  // namespace platform_qt
