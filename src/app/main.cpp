// The program: the mouse's configuration window.

#include <QApplication>

#include "app/gmouse_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The window stays in the notification area when it is hidden; only an explicit exit ends
  // the program.
  QApplication::setQuitOnLastWindowClosed(false);
  gm::CQEL_GMouseApp theApp;
  return theApp.InitInstance();
}
