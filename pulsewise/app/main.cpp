#include <QApplication>

#include "pulsewise/app/pulsewise_program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Pulsewise");
  pulsewise::Program program;
  program.start();
  return QApplication::exec();
}
