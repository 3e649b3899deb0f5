#pragma once
// The page controls of the main window that open and close the skinned pop-up lists: the
// key-function list of a key button, the lighting-mode list, and the closing of the open list
// by a press elsewhere in the window or after a second-level choice. The macro page's control
// kinds are left undone here.
//
// User-interface thread only.

#include "ui/window/page_controls.h"

namespace gm {

class PopupControls : public PageControls {
 public:
  // The key list's request for the key-capture dialog goes to window when it is the main
  // window (CQEL_GMouseDlg).
  void Run(const InputAction& action, QWidget& window) override;
  void CloseKeyPopupAfterChoice() override;
  void RefillMacroPageAfterLanguageSwitch(bool toEnglish) override;
};

}  // namespace gm
