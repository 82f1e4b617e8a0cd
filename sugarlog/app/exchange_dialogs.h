#pragma once
// File > Export and File > Import: the period and file to write, the file to read, the questions
// a file can leave open, and the summary before anything changes.
#include "sugarlog/window/fenetre.h"

class QWidget;

namespace sugarlog_app {

void run_export_dialog(sugarlog::Fenetre& window, QWidget* parent);
void run_import_dialog(sugarlog::Fenetre& window, QWidget* parent);

}  // namespace sugarlog_app
