#pragma once
// The application object: the program's folder, the single-instance rule, the choice of the
// mouse, and the main window's run. A second copy of the program asks the running one to show
// its window and ends, saying so on standard output (kAlreadyRunningNote).

#include <filesystem>

namespace gm {

// The one line a second copy prints before it ends.
inline constexpr char kAlreadyRunningNote[] = "already running: showed its window\n";

class CQEL_GMouseApp {
 public:
  // Records the program's folder (the Qt application object must exist).
  CQEL_GMouseApp();

  // Runs the program to its end; the process's exit code.
  int InitInstance();
};

}  // namespace gm
