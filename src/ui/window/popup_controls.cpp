#include "ui/window/popup_controls.h"

#include <QWidget>

#include "ui/controls/program_messages.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"

namespace gm {

void PopupControls::Run(const InputAction& action, QWidget& window) {
  switch (action.kind) {
    case InputActionKind::kClosePopupMenu: CloseMainWindowPopup(); break;
    case InputActionKind::kOpenKeyMenu:
    case InputActionKind::kOpenLedModeMenu: {
      auto* target = dynamic_cast<ProgramMessageTarget*>(&window);
      if (target == nullptr) break;
      if (action.kind == InputActionKind::kOpenKeyMenu) {
        OpenKeyMenu(window, *target, action.element);
      } else {
        OpenLedModeMenu(window, *target, action.element);
      }
      break;
    }
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
