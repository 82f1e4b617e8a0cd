#pragma once
// The statistics window and the report dialog of the logbook.
namespace sugarlog {
class Fenetre;
}

namespace sugarlog_app {

void show_statistics_window(sugarlog::Fenetre& window);
void show_report_dialog(sugarlog::Fenetre& window);

}  // namespace sugarlog_app
