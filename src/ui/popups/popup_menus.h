#pragma once
// Opening and closing the skinned pop-up lists. The main window has at most one open list of
// its own (the key-function list, the lighting-mode list or a lighting-step list): opening
// another closes it first, and a press anywhere in the main window closes it
// (CloseMainWindowPopup). The recoil dialog has its recoil list in a slot of its own.
//
// User-interface thread only.

#include <QPoint>

#include <cstdint>

#include "ui/pages/popup_choices.h"
#include "ui/skin/skin_rect.h"

class QWidget;

namespace gm {

class CMenuDlg;

// Lighting-step lists and the recoil list are opened in windows this tall.
inline constexpr int kStepListWindowHeight = 360;
inline constexpr int kRecoilListWindowWidth = 160;
inline constexpr int kRecoilListWindowHeight = 360;

// The lists are returned for their opener to connect their signals (CMenuDlg).

// The main window's open list, or null.
CMenuDlg* MainWindowPopup();
// Closes the main window's list with its second-level list and chooser.
void CloseMainWindowPopup();

// The key-function list of key button `button` (window coordinates of mainWindow), for key
// g_selKey: below the button, or above it when it would pass the bottom of the screen.
CMenuDlg* OpenKeyMenu(QWidget& mainWindow, const SkinRect& button);
// The lighting-mode list below the lighting page's mode button.
CMenuDlg* OpenLedModeMenu(QWidget& mainWindow, const SkinRect& button);
// The mode (kLedStepModes) or colour (kLedStepColors) list of a macro's lighting step, with
// its top left corner at screenTopLeft; the pick goes into step's block and is signalled
// (ledStepModePicked / ledStepColorPicked). Null for another kind.
CMenuDlg* OpenLedStepMenu(PopupKind kind, const LedStepTarget& step, QWidget& mainWindow,
                          QPoint screenTopLeft);

// The recoil dialog's list of recoil macros at screenTopLeft (just below its name field), a
// child of parentDialog. A pick of another macro sets curGun (the dialog's g_curGun) and
// signals gunSelected with the index shown before; a pick of the shown one just closes.
// An open recoil list is closed first.
CMenuDlg* OpenRecoilMenu(QWidget& parentDialog, QPoint screenTopLeft, int16_t& curGun);
CMenuDlg* RecoilPopup();
void CloseRecoilMenu();

}  // namespace gm
