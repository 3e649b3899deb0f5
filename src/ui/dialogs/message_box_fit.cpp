#include "ui/dialogs/message_box_fit.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>

#include <algorithm>

#include "ui/popups/window_placement.h"

namespace gm {

int MessageBoxTitleWidth(const QString& title) {
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);  // as most window managers draw titles
  return QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarButtonsRoom;
}

void FitMessageBox(QMessageBox& box) {
  // The box takes its width from its contents as it shows: as wide as its text needs, wrapped
  // where Qt wraps long texts. The title's floor goes to the button row, which spans the whole
  // box: a floor on the text's label would keep the label from growing with its text and cut
  // the text at the title's width.
  if (auto* buttons = box.findChild<QDialogButtonBox*>()) {
    int besides = 0;
    if (const QLayout* layout = box.layout()) {
      const QMargins margins = layout->contentsMargins();
      besides = margins.left() + margins.right();
    }
    buttons->setMinimumWidth(
        std::max(buttons->minimumWidth(), MessageBoxTitleWidth(box.windowTitle()) - besides));
  }
  CentreOverMainWindow(box);
}

}  // namespace gm
