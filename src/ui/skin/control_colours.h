#pragma once
// Colours of the real controls the window places on its pages: the edit boxes draw white text
// on black, the list boxes sit on dark grey. Every control the pages create takes its colours
// from here.

#include <QColor>

class QWidget;

namespace gm {

inline const QColor kEditTextColor{255, 255, 255};
inline const QColor kEditBackgroundColor{0, 0, 0};
inline const QColor kListBackgroundColor{22, 22, 22};

enum class ControlKind { kEdit, kListBox };

// Sets the control's palette (and, for an edit, its text colour) for its kind; the control
// fills its background itself.
void ApplyControlColors(QWidget& control, ControlKind kind);

}  // namespace gm
