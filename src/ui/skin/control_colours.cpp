#include "ui/skin/control_colours.h"

#include <QPalette>
#include <QWidget>

namespace gm {

void ApplyControlColours(QWidget& control, ControlKind kind) {
  QPalette palette = control.palette();
  switch (kind) {
    case ControlKind::kEdit:
      palette.setColor(QPalette::Base, kEditBackgroundColour);
      palette.setColor(QPalette::Window, kEditBackgroundColour);
      palette.setColor(QPalette::Text, kEditTextColour);
      palette.setColor(QPalette::WindowText, kEditTextColour);
      break;
    case ControlKind::kListBox:
      palette.setColor(QPalette::Base, kListBackgroundColour);
      palette.setColor(QPalette::Window, kListBackgroundColour);
      break;
  }
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace gm
