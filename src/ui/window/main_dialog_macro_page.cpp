// The main window's handlers of the macro page's messages: they go to the page controls,
// which own the page's lists.
#include "ui/dialogs/dialog_get_key.h"
#include "ui/window/main_dialog.h"

namespace gm {

void CQEL_GMouseDlg::OnStepKeyCaptured() {
  if (controls_) controls_->OnStepKeyCaptured();
  ResetCapturedKey();
}

void CQEL_GMouseDlg::OnLedParamChanged() {
  if (controls_) controls_->OnLedParamChanged();
}

}  // namespace gm
