#pragma once
// The size and place of the program's message boxes: as wide as the text needs (long texts
// wrapped as Qt wraps them), at least as wide as the window manager's title bar needs to show
// the whole title, and centred over the main window on its screen.
//
// User-interface thread only.

class QMessageBox;
class QString;

namespace gm {

// Room a title bar needs beside its title: the window manager's icon and buttons.
inline constexpr int kTitleBarButtonsRoom = 120;

// The width a box needs for the window manager to show the whole title.
int MessageBoxTitleWidth(const QString& title);

// Call before the box shows, with its title and text set.
void FitMessageBox(QMessageBox& box);

}  // namespace gm
