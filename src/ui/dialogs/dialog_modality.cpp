#include "ui/dialogs/dialog_modality.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "ui/popups/window_placement.h"

namespace gm {

void MakeWindowModal(QDialog& dialog) {
  dialog.setWindowModality(dialog.parentWidget() != nullptr ? Qt::WindowModal
                                                            : Qt::ApplicationModal);
}

QWidget* MessageBoxOwner() {
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = ProgramMainWindow();
  // A box over a hidden or minimised window could stay out of sight with it.
  if (owner == nullptr || !owner->isVisible() || owner->isMinimized()) return nullptr;
  return owner;
}

void RaiseModalDialogsOver(const QWidget& window) {
  // From the top modal dialog down through the windows it opened over, to `window`.
  std::vector<QWidget*> dialogs;
  for (QWidget* w = QApplication::activeModalWidget(); w != nullptr && w != &window;) {
    dialogs.push_back(w);
    QWidget* parent = w->parentWidget();
    w = parent != nullptr ? parent->window() : nullptr;
    if (w == nullptr) return;  // the dialogs run over another window, or over none
  }
  std::reverse(dialogs.begin(), dialogs.end());
  for (QWidget* dialog : dialogs) {
    dialog->showNormal();  // also out of the minimised state the window manager gave it
    dialog->raise();
  }
  if (!dialogs.empty()) dialogs.back()->activateWindow();
}

}  // namespace gm
