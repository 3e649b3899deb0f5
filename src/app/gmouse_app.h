#pragma once
// The application object: the program's folder, the single-instance rule, the choice of the
// mouse, and the main window's run. A second copy of the program asks the running one to show
// its window and ends, saying so on standard output (kAlreadyRunningNote).

#include <filesystem>

namespace gm {

// The one line a second copy prints before it ends.
inline constexpr char kAlreadyRunningNote[] = "already running: showed its window\n";

// The process's exit status. An exit from the window or the tray, SIGTERM, SIGINT or SIGHUP
// (each ends the program as "Exit Driver" does, after a running Apply) and the removal of the
// mouse end it with kExitNormal, as does a second copy.
inline constexpr int kExitNormal = 0;
// Start-up ended the program (no mouse, the mouse not permitted, a layout file missing); the
// message the user saw also goes to standard error.
inline constexpr int kExitStartFailed = 1;
// GMOUSE_DEVICE names no device; standard error names the valid values.
inline constexpr int kExitUnknownDevice = 2;

class CQEL_GMouseApp {
 public:
  // Records the program's folder (the Qt application object must exist).
  CQEL_GMouseApp();

  // Runs the program to its end; the process's exit code.
  int InitInstance();
};

}  // namespace gm
