#pragma once
// The one application object Qt needs for event loops, sockets and D-Bus in the tests. Made
// on first use and kept to the end of the test program; tests that need it call this first.

#include <QApplication>

namespace gm::test {

inline void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace gm::test
