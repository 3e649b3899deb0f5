// The main window's handlers of the program's own messages.
#include "ui/window/main_dialog.h"

namespace gm {

void CQEL_GMouseDlg::OnProgramMessage(ProgramMessage message, intptr_t wParam, intptr_t lParam) {
  switch (message) {
    case ProgramMessage::kOpenKeyCapture: OnOpenKeyCapture(); break;
    case ProgramMessage::kButtonKeyCaptured: OnKeyCaptured(); break;
    case ProgramMessage::kStepKeyCaptured: OnStepKeyCaptured(); break;
    case ProgramMessage::kListEditCommitted: OnListEditCommitted(wParam, lParam); break;
    case ProgramMessage::kLedStepMode:
    case ProgramMessage::kLedStepColour: OnLedParamChanged(); break;
    // The tray icon calls the window directly; the recoil list and the in-place edit talk to
    // their own dialog and list box.
    case ProgramMessage::kTrayNotify:
    case ProgramMessage::kGunSelected:
    case ProgramMessage::kEditEnd: break;
  }
}

}  // namespace gm
