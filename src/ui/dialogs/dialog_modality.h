#pragma once
// How the program's dialogs and message boxes block: each one blocks the window it opens over
// (and whatever that window blocks), never the rest of the program. The notification-area
// icon and its menu, which belong to no window, so answer while a dialog is open: "Show
// Window" brings the window up with its dialogs, "Exit Driver" ends them and then the program.
//
// User-interface thread only.

class QDialog;
class QWidget;

namespace gm {

// Makes `dialog` modal to the window it opens over (its parent's window). A dialog without a
// parent has no window to belong to and blocks the whole program. Call before it runs.
void MakeWindowModal(QDialog& dialog);

// The window a message box opens over: the top dialog that runs modally, else the program's
// main window; null when that window is not on the screen (hidden or minimised), where a box
// over it could stay out of sight with it (the box then blocks the whole program).
QWidget* MessageBoxOwner();

// The dialogs that run modally over `window` (a dialog over a dialog over it included) are
// shown and raised from the lowest to the top, and the top one takes the focus. Call after
// `window` itself was brought up; nothing happens when no dialog runs over it.
void RaiseModalDialogsOver(const QWidget& window);

}  // namespace gm
