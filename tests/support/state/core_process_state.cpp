#include "device/apply_settings.h"
#include "device/apply_tables.h"
#include "device/device_link.h"
#include "device/device_threads.h"
#include "device/sleeper.h"
#include "editor/macro_editor_state.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/process_state.h"

namespace gm::test {

void ResetCoreProcessState() {
  ResetDeviceLink();
  SetDeviceSleeper(nullptr);
  ResetDeviceThreadFlags();
  ResetApplyTables();
  ResetApplyLightingState();
  ResetMacroRecordTables();
  ResetMacroNameTables();
  ResetMacroGroupNames();
  ResetMacroEditorState();
  ResetSettingsToStartValues();
  ResetInterfaceLanguage();
  ResetKeyMap();
  ResetDataPaths();
}

}  // namespace gm::test
