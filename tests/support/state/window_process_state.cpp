// ResetProcessState of the test programs built with the window: the core's families, then the
// window's.

#include "support/process_state.h"
#include "ui/controls/context_menus.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/window_shape.h"

namespace gm::test {

void ResetProcessState() {
  ResetCoreProcessState();
  ResetUiState();
  ResetSkinLayoutGlobals();
  ResetLedModeNames();
  ResetWindowShape();
  ResetContextMenus();
  ResetRecoilDialogGlobals();
  ResetCapturedKey();
}

}  // namespace gm::test
