#pragma once
// The size and place of the program's message boxes: wide enough for the window manager's
// title bar to show the whole title as well as for the text, and centred over the main window
// on its screen.
//
// User-interface thread only.

class QMessageBox;

namespace gm {

// Room a title bar needs beside its title: the window manager's icon and buttons.
inline constexpr int kTitleBarButtonsRoom = 120;

// Call before the box shows, with its title and text set.
void FitMessageBox(QMessageBox& box);

}  // namespace gm
