#include "sugarlog/app/stats_windows.h"

namespace sugarlog_app {

// Not built yet: the menus that open them do not exist so far.
void show_statistics_window(sugarlog::Fenetre&) {}
void show_report_dialog(sugarlog::Fenetre&) {}

}  // namespace sugarlog_app
