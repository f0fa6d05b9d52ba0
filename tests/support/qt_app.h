// The one QApplication of a Qt test program, on the offscreen platform unless
// another is chosen.
#pragma once

#include <QApplication>
#include <cstdlib>

namespace plamor::testing {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "plamor-test";
  static char* argv[] = {name, nullptr};
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QApplication app(argc, argv);
  return app;
}

}  // namespace plamor::testing
