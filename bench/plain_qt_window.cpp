// The plain Qt program the toolbox's start is measured against: the toolbox main window's
// contents by hand (plain_main_window.cpp), shown, and the event loop run.
#include <QApplication>

#include "bench/plain_main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  QPushButton* buttons[4];
  bench::FillPlainMainWindow(window, buttons);
  window.show();
  return application.exec();
}
