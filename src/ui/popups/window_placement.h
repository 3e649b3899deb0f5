#pragma once
// Where the program's own pop-up windows go on the screen: wholly on the screen of the window
// they belong to, and dialogs centred over the main window.
//
// User-interface thread only.

#include <QPoint>
#include <QSize>

#include "ui/pages/menu_placement.h"

class QDialog;
class QWidget;

namespace gm {

// The area of the screen `window` is on (the first screen when it is on none); empty without
// a screen.
ScreenArea ScreenAreaOf(const QWidget& window);

// topLeft moved just enough that a window of `size` lies on the screen of `window`
// (KeepOnScreen); unchanged without a screen.
QPoint KeepOnScreenOf(const QWidget& window, QPoint topLeft, QSize size);

// The program's main window, or null while there is none.
QWidget* ProgramMainWindow();

// Places `dialog` centred over the shown main window and on its screen each time the dialog
// is shown, also once the dialog has sized itself to its contents (message boxes do so as
// they show). Without a shown main window the dialog goes where Qt puts it.
void CentreOverMainWindow(QDialog& dialog);

}  // namespace gm
