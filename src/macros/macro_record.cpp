#include "macros/macro_record.h"

#include <algorithm>
#include <cstring>

namespace gm {

MacroRecord g_macros[kMacrosPerGroup + 1];
int16_t g_macroCount;
MacroRecord g_constMacros[kMacrosPerGroup];
int16_t g_constMacroCount;
MacroRecord g_gunMacros[kMacrosPerGroup];
int16_t g_gunMacroCount;
std::u16string g_gunNames[kMacrosPerGroup];
MacroRecord g_playMacro;

int g_curMacroGroup;
int g_curMacro;
std::atomic<uint8_t> g_datVersion;
uint32_t g_groupEncrypted;
std::recursive_mutex g_macroTablesMutex;

std::u16string MacroNameOf(const MacroRecord& record) {
  const char16_t* begin = record.name;
  const char16_t* end = std::find(begin, begin + kMacroNameUnits, u'\0');
  return std::u16string(begin, end);
}

void SetMacroName(MacroRecord& record, std::u16string_view name) {
  std::memset(record.name, 0, sizeof record.name);
  const size_t n = std::min<size_t>(name.size(), kMacroNameUnits);
  std::copy_n(name.begin(), n, record.name);
}

namespace {

const MacroLedBlock* BlockOfStep(const MacroRecord& record, int step, uint8_t code,
                                 const MacroLedBlock (&blocks)[kMacroBlockCount]) {
  if (step < 0 || step >= UsableStepCount(record) || record.code[step] != code) return nullptr;
  const int index = record.xy[step].x;
  return IsUsableBlockIndex(index) ? &blocks[index] : nullptr;
}

// Bits that choosing mode 0 keeps (bit 2 and bits 4-7), and that modes 1 and 2 keep (3-7).
constexpr uint8_t kKeptByRepeatMode = 0xF4;
constexpr uint8_t kKeptByDeviceModes = 0xF8;

}  // namespace

const MacroLedBlock* LedBlockOfStep(const MacroRecord& record, int step) {
  return BlockOfStep(record, step, kStepLighting, record.ledBlocks);
}

const MacroLedBlock* FbBlockOfStep(const MacroRecord& record, int step) {
  return BlockOfStep(record, step, kStepBlock, record.fbBlocks);
}

void ChoosePlayMode(MacroRecord& record, uint8_t mode) {
  if (mode == kPlayModeRepeat) {
    record.playMode = static_cast<uint8_t>(record.playMode & kKeptByRepeatMode);
  } else if (mode == kPlayModeDevice1 || mode == kPlayModeDevice2) {
    record.playMode = static_cast<uint8_t>((record.playMode & kKeptByDeviceModes) + mode);
    record.repeatCount = 1;
  }
}

void ClearMacroRecord(MacroRecord* table, uint8_t index) {
  if (table == nullptr || index > kMacroTemplateIndex) return;
  MacroRecord& r = table[index];
  const uint8_t strengthEnabled = r.strengthEnabled;
  const uint8_t strength = r.strength;
  uint8_t reserved[4];
  std::memcpy(reserved, r.reserved, sizeof reserved);
  std::memset(&r, 0, sizeof r);
  r.strengthEnabled = strengthEnabled;
  r.strength = strength;
  std::memcpy(r.reserved, reserved, sizeof reserved);
}

void ResetMacroRecordTables() {
  std::lock_guard lock(g_macroTablesMutex);
  for (auto& record : g_macros) record = MacroRecord{};
  g_macroCount = 0;
  for (auto& record : g_constMacros) record = MacroRecord{};
  g_constMacroCount = 0;
  for (auto& record : g_gunMacros) record = MacroRecord{};
  g_gunMacroCount = 0;
  for (auto& name : g_gunNames) name.clear();
  g_playMacro = MacroRecord{};
  g_curMacroGroup = 0;
  g_curMacro = 0;
  g_datVersion = 0;
  g_groupEncrypted = 0;
}

}  // namespace gm
