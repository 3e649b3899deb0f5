#pragma once
// The in-place edit of a CListBoxXI row. It tells its list when typing ends, with
// editEnded: Enter (on release) commits, Esc (on release) cancels, and losing
// the focus commits. A focus loss to a pop-up menu (its own context menu included) is none:
// the user is still editing. The list closes the edit; the edit never closes itself.
//
// Texts are limited to kListEditMaxUnits UTF-16 units, what a macro or group name keeps, and
// never end in half a surrogate pair. User-interface thread only.

#include <QLineEdit>

#include "macros/macro_record.h"

namespace gm {

// A name field holds kMacroNameUnits units with its terminating zero.
inline constexpr int kListEditMaxUnits = kMacroNameUnits - 1;

class CEditHelper : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditHelper(QWidget* parent);

 signals:
  // Typing ended: commit true keeps the text, false cancels.
  void editEnded(bool commit);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace gm
