// The header, configuration and settings-file buttons of the main window, acted on when the
// left button is released over them (every page).

#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

// Hiding keeps the DPI level the mouse last reported and drops every change not yet applied:
// the level goes to the file, then the current configuration is read back from it. A failed
// write is not reported (the level then comes back as the file has it); a missing file has
// been reported by the load, which then changes nothing.
void KeepDpiLevelAndDropUnappliedChanges() {
  SaveDpiLevel(g_configIniPath);
  LoadConfigSection(g_configFolder, g_curConfig.load(), /*fromFactory=*/false);
}

}  // namespace

void ReleaseOnHeaderButton(InputResult& result) {
  const uint32_t h = g_hoverMain;
  switch (h) {
    case kMainMinimise:
      g_hoverMain = kNoElement;
      result.Add(InputActionKind::kMinimise);
      return;
    case kMainClose:
      g_hoverMain = kNoElement;
      result.Add(InputActionKind::kCloseProgram);
      return;
    case kMainHide:
      g_hoverMain = kNoElement;
      KeepDpiLevelAndDropUnappliedChanges();
      result.Add(InputActionKind::kHideToTray);
      return;
    case kMainApply: result.Add(InputActionKind::kApply); return;
    case kMainChinese: result.Add(InputActionKind::kSwitchToChinese); return;
    case kMainEnglish: result.Add(InputActionKind::kSwitchToEnglish); return;
    case kMainImport: result.Add(InputActionKind::kImportSettings); return;
    case kMainExport: result.Add(InputActionKind::kExportSettings); return;
    case kMainReset: result.Add(InputActionKind::kResetSettings); return;
    case kMainWebPage: result.Add(InputActionKind::kOpenWebPage); return;
    default: break;
  }
  if (h >= kMainFirstConfig && h <= kMainLastConfig) {
    // Shown at once; Apply writes it to the file and the mouse.
    g_curConfig = static_cast<int32_t>(h - kMainFirstConfig);
  }
}

}  // namespace gm
