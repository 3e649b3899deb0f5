#pragma once
// The application object: the program's folder, the single-instance rule, the choice of the
// mouse, and the main window's run. A second copy of the program asks the running one to show
// its window and ends.

#include <filesystem>

namespace gm {

class CQEL_GMouseApp {
 public:
  // Records the program's folder (the Qt application object must exist).
  CQEL_GMouseApp();

  // Runs the program to its end; the process's exit code.
  int InitInstance();
};

}  // namespace gm
