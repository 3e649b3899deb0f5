#include "device/apply_snapshot.h"

#include <algorithm>

#include "device/apply_tables.h"
#include "settings/key_map.h"

namespace gm {

ApplySettingsSnapshot TakeApplySettingsSnapshot() {
  ApplySettingsSnapshot s;
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      KeySettingsSnapshot& key = s.keys[c][k];
      key.function = g_keyFunction[c][k].load();
      key.param = g_keyParam[c][k].load();
      key.leftMac = g_keyMacroMode[c][k].load();
      key.ledReactEnable = g_ledReactEnable[c][k].load();
      key.ledReactType = g_ledReactType[c][k].load();
    }
  }
  s.keyCount = UsableKeyCount();
  for (int k = 0; k < kMaxKeys; ++k) s.keyMap[k] = g_keyMap[k].load();

  s.curConfig = g_curConfig.load();
  s.dpiLevel = g_dpiLevel.load();
  for (int j = 0; j < kDpiLevelCount; ++j) {
    s.dpiValue[j] = g_dpiValue[j].load();
    s.dpiEnable[j] = g_dpiEnable[j].load();
    for (int n = 0; n < kColorComponents; ++n) s.dpiRgb[j][n] = g_dpiRgb[j][n].load();
  }
  s.wheelStatus = g_wheelStatus.load();

  s.ledType = g_ledType.load();
  s.ledCycleTime = g_ledCycleTime.load();
  s.ledUserColorEnable = g_ledUserColorEnable.load();
  s.ledDirection = g_ledDirection.load();
  s.ledSymmetry = g_ledSymmetry.load();
  s.ledBrightness = g_ledBrightness.load();
  for (int k = 0; k < kUserColorCount; ++k) s.cycleColorEnable[k] = g_cycleColorEnable[k].load();

  s.pointerSpeed = g_pointerSpeed.load();
  s.wheelSpeed = g_wheelSpeed.load();
  s.usbRateCode = g_usbRateCode.load();
  s.fireTime = g_fireTime.load();

  s.deviceInitNibble = g_deviceInitNibble.load();
  return s;
}

}  // namespace gm
