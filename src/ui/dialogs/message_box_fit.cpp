#include "ui/dialogs/message_box_fit.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>

#include <algorithm>

#include "ui/popups/window_placement.h"

namespace gm {

void FitMessageBox(QMessageBox& box) {
  // The box takes its width from its contents as it shows: the text's label is made at least
  // as wide as the title bar needs.
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);  // as most window managers draw titles
  const int titleWidth =
      QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsRoom;
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int besides = 0;
    if (const QLayout* layout = box.layout()) {
      const QMargins margins = layout->contentsMargins();
      besides = margins.left() + margins.right();
    }
    label->setMinimumWidth(std::max(label->minimumWidth(), titleWidth - besides));
  }
  CentreOverMainWindow(box);
}

}  // namespace gm
