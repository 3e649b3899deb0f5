#pragma once
// ui/pages: the four pages without widgets: input handling, painting, texts and state.
//
// The main window's mouse input. Its pages have no buttons of their own: every move and click
// is matched against the page element tables, and the element under the pointer decides what a
// press does. The handlers update the hovered elements (ui_state.h), change the settings
// globals in place (nothing reaches the mouse before Apply) and return what the window must do
// with the window system; the window runs the actions in order and then repaints.
//
// User-interface thread only.

#include "platform/message_sink.h"
#include "ui/pages/hit_test.h"
#include "ui/pages/input_result.h"
#include "ui/skin/skin_layout.h"

namespace gm {

// Mouse move: follows a DPI slider drag, then hit-tests all four tables whatever the page
// (the main table with 45 elements on the keys page and 20 elsewhere) and asks for a repaint
// of the page when a table's hovered element changed (at once unless only the macro table's
// changed).
InputResult OnMouseMove(const SkinLayout& layout, WindowPoint point);

// Left button down: first the elements under the press become the hovered ones, as a move
// there would make them (the last move may be stale: a dialog, list or message box closed
// under a resting pointer); then the recording guard, the pressed state, the tabs, the element
// of the current page, and the window drag from any spot that is no control.
InputResult OnLButtonDown(const SkinLayout& layout, WindowPoint point);

// Left button up: hit-tests its own position as a press does, then the recording guard, then
// the header buttons (every page); ends a slider drag.
InputResult OnLButtonUp(const SkinLayout& layout, WindowPoint point);

// Right button up: over the window's title area (the strip above the tabs, off the controls)
// it opens the window menu, as a right click on a title bar does.
InputResult OnRButtonUp(const SkinLayout& layout, WindowPoint point);

// Run by the window for kTakeMacroListSelection with the macro list's current row (negative
// when none): g_macroListSel = that row (0 when none); g_curMacro = the row's macro, 0 on a
// group row or a row the list entries do not have.
void TakeMacroListSelection(int listSelection);

// Shown when a click is refused while a macro is being recorded.
UserMessage RecordingRefusedMessage();

}  // namespace gm
