#pragma once
// The input that reaches the open pop-up lists from outside them, as a desktop list takes it:
// - press, drag and release: while the left button is held, the moves and the release over a
//   list go to that list, whichever window the press began in (the window that has the
//   pointer). Hover follows the pointer, a release on a row acts as a click on it does, a
//   release on no row changes nothing; the window the press began in sees neither.
// - Esc in a list's owner window (or in a list) closes the innermost open list only.
// - The program losing the focus to another program (a click outside all its windows)
//   closes every list; nothing is chosen.
//
// The lists enter themselves as they open and leave as they close; the newest open list is
// the innermost (a second-level list over its key list, a chooser over its group list).
//
// User-interface thread only.

#include <QPoint>

class QWidget;

namespace gm {

class PopupListWindow;

void PopupListOpened(PopupListWindow& list);
void PopupListClosed(PopupListWindow& list);

// The innermost open, shown list whose window holds the screen point, or null.
PopupListWindow* PopupListAt(QPoint screenPoint);
// The innermost open, shown list, or null.
PopupListWindow* InnermostPopupList();
// The window a list belongs to: the first window up its openers that is no list (the main
// window, or the recoil dialog); null for a list without one.
QWidget* PopupOwnerWindow(const PopupListWindow& list);

}  // namespace gm
