#include "ui/window/popup_controls.h"

#include <QWidget>

#include "ui/dialogs/dialog_gun.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/window/main_dialog.h"

namespace gm {

void PopupControls::Run(const InputAction& action, QWidget& window) {
  switch (action.kind) {
    case InputActionKind::kClosePopupMenu: CloseMainWindowPopup(); break;
    case InputActionKind::kOpenKeyMenu: {
      CMenuDlg* list = OpenKeyMenu(window, action.element);
      // The capture dialog runs after the list's release has been handled and the list closed.
      if (auto* main = qobject_cast<CQEL_GMouseDlg*>(&window)) {
        QObject::connect(list, &CMenuDlg::keyCaptureRequested, main,
                         &CQEL_GMouseDlg::OnOpenKeyCapture, Qt::QueuedConnection);
      }
      break;
    }
    case InputActionKind::kOpenLedModeMenu: OpenLedModeMenu(window, action.element); break;
    case InputActionKind::kMacroRecoilEditor: OpenRecoilDialog(window); break;
    default: break;  // the macro page's controls
  }
}

void PopupControls::CloseKeyPopupAfterChoice() {
  const CMenuDlg* list = MainWindowPopup();
  if (list != nullptr && list->Kind() == PopupKind::kKeyFunctions) CloseMainWindowPopup();
}

void PopupControls::RefillMacroPageAfterLanguageSwitch(bool /*toEnglish*/) {}

}  // namespace gm
