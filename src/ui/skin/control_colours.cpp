#include "ui/skin/control_colours.h"

#include <QPalette>
#include <QWidget>

namespace gm {

void ApplyControlColors(QWidget& control, ControlKind kind) {
  QPalette palette = control.palette();
  switch (kind) {
    case ControlKind::kEdit:
      palette.setColor(QPalette::Base, kEditBackgroundColor);
      palette.setColor(QPalette::Window, kEditBackgroundColor);
      palette.setColor(QPalette::Text, kEditTextColor);
      palette.setColor(QPalette::WindowText, kEditTextColor);
      break;
    case ControlKind::kListBox:
      palette.setColor(QPalette::Base, kListBackgroundColor);
      palette.setColor(QPalette::Window, kListBackgroundColor);
      break;
  }
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace gm
