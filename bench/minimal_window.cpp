// The yardstick of bench/startup.sh: the smallest window of the programs' kind, a main window
// with a menu bar and a label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()
      ->addMenu(QStringLiteral("&File"))
      ->addAction(QStringLiteral("&Quit"), &app, &QApplication::quit);
  window.setCentralWidget(new QLabel(QStringLiteral("A minimal window")));
  window.resize(480, 320);
  window.show();
  return QApplication::exec();
}
