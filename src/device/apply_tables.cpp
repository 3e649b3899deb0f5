#include "device/apply_tables.h"

#include "device/apply_key_mapping.h"
#include "device/apply_slots.h"

namespace gm {

std::atomic<uint8_t> g_devKeyCode[kConfigCount][kMaxKeys];
std::atomic<uint8_t> g_posKeyCode[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_posLedEnable[kConfigCount][kKeyBytePositions];
std::atomic<uint8_t> g_posLedType[kConfigCount][kKeyBytePositions];
std::atomic<int32_t> g_slotCode[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_slotMacroAddr[kConfigCount][kDevicePositions];
std::atomic<int32_t> g_dpiKeyFlag[kConfigCount][kMaxKeys];
std::atomic<int32_t> g_cfgSwitchKeyFlag[kConfigCount][kMaxKeys];

std::atomic<int32_t> g_recoilMacroAddr;
std::atomic<int32_t> g_recoilMacroLen;
std::atomic<int32_t> g_recoilMacroConfig{kNoRecoilConfig};
std::atomic<int32_t> g_recoilMacroFunction;

std::atomic<int32_t> g_macroTimeUnit{1};
std::atomic<uint8_t> g_deviceInitNibble;

namespace {

template <typename T, typename U, std::size_t N>
void StoreRow(std::atomic<T> (&row)[N], const std::array<U, N>& values) {
  for (std::size_t i = 0; i < N; ++i) row[i] = values[i];
}

}  // namespace

void ResetApplyTables() {
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      g_devKeyCode[c][k] = 0;
      g_dpiKeyFlag[c][k] = 0;
      g_cfgSwitchKeyFlag[c][k] = 0;
    }
    for (int s = 0; s < kDevicePositions; ++s) {
      g_posKeyCode[c][s] = 0;
      g_slotCode[c][s] = 0;
      g_slotMacroAddr[c][s] = 0;
    }
    for (int s = 0; s < kKeyBytePositions; ++s) {
      g_posLedEnable[c][s] = 0;
      g_posLedType[c][s] = 0;
    }
  }
  g_recoilMacroAddr = 0;
  g_recoilMacroLen = 0;
  g_recoilMacroConfig = kNoRecoilConfig;
  g_recoilMacroFunction = 0;
  g_macroTimeUnit = 1;
  g_deviceInitNibble = 0;
}

void PublishKeyMapping(const KeyMapping& mapping) {
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      const KeyDeviceEntry& key = mapping.keys[c][k];
      g_devKeyCode[c][k] = key.deviceCode;
      g_dpiKeyFlag[c][k] = key.dpiKey ? 1 : 0;
      g_cfgSwitchKeyFlag[c][k] = key.configKey ? 1 : 0;
    }
    const PositionTables& at = mapping.positions;
    StoreRow(g_posKeyCode[c], at.keyCode[c]);
    StoreRow(g_posLedEnable[c], at.ledEnable[c]);
    StoreRow(g_posLedType[c], at.ledType[c]);
  }
}

void PublishSlotFunctions(const PositionTables& positions) {
  for (int c = 0; c < kConfigCount; ++c) StoreRow(g_slotCode[c], positions.function[c]);
}

void CloseRecoilSlot() { g_recoilMacroConfig = kNoRecoilConfig; }

void PublishSlotAddresses(const SlotPlan& plan) {
  for (int c = 0; c < kConfigCount; ++c) StoreRow(g_slotMacroAddr[c], plan.addresses[c]);
  if (plan.firstKeyImageBytes) g_recoilMacroLen = *plan.firstKeyImageBytes;
}

void RecordRecoilSlot(int32_t address, int32_t function) {
  g_recoilMacroAddr = address;
  g_recoilMacroFunction = function;
}

void OpenRecoilSlot(int32_t config) { g_recoilMacroConfig = config; }

}  // namespace gm
