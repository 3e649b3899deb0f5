// The main window's handlers of the program's own messages.
#include "ui/window/main_dialog.h"

namespace gm {

void CQEL_GMouseDlg::OnProgramMessage(ProgramMessage message, intptr_t, intptr_t) {
  switch (message) {
    case ProgramMessage::kOpenKeyCapture: OnOpenKeyCapture(); break;
    case ProgramMessage::kButtonKeyCaptured: OnKeyCaptured(); break;
    case ProgramMessage::kStepKeyCaptured: OnStepKeyCaptured(); break;
    case ProgramMessage::kLedStepMode:
    case ProgramMessage::kLedStepColour: OnLedParamChanged(); break;
    // The tray icon calls the window directly; the recoil list talks to its own dialog.
    case ProgramMessage::kTrayNotify:
    case ProgramMessage::kGunSelected: break;
  }
}

}  // namespace gm
