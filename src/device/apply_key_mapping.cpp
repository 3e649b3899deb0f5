#include "device/apply_key_mapping.h"

#include "settings/key_function.h"

namespace gm {

uint8_t KeyDeviceCodeOf(int32_t function, int32_t leftMac, const MacroCatalog& macros) {
  if (const auto fixed = FixedDeviceKeyCode(function)) return *fixed;
  const auto macro = macros.find(function);
  if (macro == macros.end()) return kDeviceCodeNone;
  return MacroDeviceCode(function, macro->second.record.playMode, leftMac);
}

KeyMapping MapKeysToDevice(const ApplySettingsSnapshot& snapshot, const MacroCatalog& macros) {
  KeyMapping mapping;
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < snapshot.keyCount && k < kMaxKeys; ++k) {
      const KeySettingsSnapshot& key = snapshot.keys[c][k];
      KeyDeviceEntry& entry = mapping.keys[c][k];
      entry.deviceCode = KeyDeviceCodeOf(key.function, key.leftMac, macros);
      entry.dpiKey = IsDpiDeviceCode(entry.deviceCode);
      entry.configKey = IsConfigKeyFunction(key.function);

      const int position = snapshot.keyMap[k];
      if (position < kFirstDevicePosition || position > kDevicePositions) continue;
      const int index = position - kFirstDevicePosition;
      PositionTables& at = mapping.positions;
      at.keyCode[c][index] = entry.deviceCode;
      at.function[c][index] = key.function;
      at.param[c][index] = key.param;
      if (index < kKeyBytePositions) {
        at.ledEnable[c][index] = key.ledReactEnable;
        at.ledType[c][index] = static_cast<uint8_t>(key.ledReactType & 0xFF);
      }
    }
  }
  return mapping;
}

}  // namespace gm
