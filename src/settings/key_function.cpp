#include "settings/key_function.h"

#include <algorithm>

namespace gm {

namespace {

// HID consumer usages (Consumer page) of the multimedia entries, by n = code - 23.
constexpr std::array<uint16_t, kMultimediaConsumerUsageCount> kMultimediaConsumerUsages{
    0x223,  // AC Home
    0x183,  // AL Consumer Control Configuration
    0x18A,  // AL Email Reader
    0x0E9,  // Volume Increment
    0x0EA,  // Volume Decrement
    0x0B6,  // Scan Previous Track
    0x0B5,  // Scan Next Track
    0x0E2,  // Mute
    0x0CD,  // Play/Pause
    0x192,  // AL Calculator
    0x0B7,  // Stop
};

// The key menu's entries that open a list of functions: row s assigns s + codeOffset.
struct FunctionListEntry {
  int entry;
  int rows;
  int32_t codeOffset;
};
constexpr std::array<FunctionListEntry, 4> kFunctionListEntries{{
    {kKeyMenuDeviceFunctionsEntry, 7, 11},   // 12..18
    {kKeyMenuMultimediaEntry, 10, 22},       // 23..32
    {kKeyMenuBuiltInMacroEntry, 8, 32},      // 33..40
    {kKeyMenuConfigKeyEntry, 3, 18},         // 19..21
}};

constexpr int32_t kLeftMacPlain = 0;
constexpr int32_t kLeftMacLeftButton = 1;

constexpr bool InRange(int64_t value, int64_t first, int64_t last) {
  return value >= first && value <= last;
}

}  // namespace

bool IsDpiKeyFunction(int32_t code) {
  return std::find(kDpiKeyFunctions.begin(), kDpiKeyFunctions.end(), code) !=
         kDpiKeyFunctions.end();
}

bool IsConfigKeyFunction(int32_t code) {
  return InRange(code, kFirstConfigKeyFunction, kLastConfigKeyFunction);
}

bool IsMultimediaFunction(int32_t code) {
  return InRange(code, kFirstMultimediaFunction, kLastMultimediaFunction);
}

bool IsBuiltInMacroCode(int32_t code) {
  return InRange(code, kFirstBuiltInMacroFunction, kLastBuiltInMacroFunction) &&
         code != kKeyboardKeyFunction;
}

bool IsRecoilCode(int32_t code) {
  return InRange(code, kFirstRecoilFunction, kLastRecoilReference);
}

bool IsUserMacroCode(int32_t code) { return code >= kFirstUserMacroFunction; }

bool IsMacroFunction(int32_t code) {
  return IsBuiltInMacroCode(code) || IsRecoilCode(code) || IsUserMacroCode(code);
}

int BuiltInMacroIndex(int32_t code) {
  return IsBuiltInMacroCode(code) ? code - kFirstBuiltInMacroFunction : -1;
}

int RecoilMacroIndex(int32_t code) {
  return IsRecoilCode(code) ? code - kFirstRecoilFunction : -1;
}

int32_t UserMacroCode(int group, int index) {
  if (!InRange(group, 0, kUserMacroGroupSlots - 1) ||
      !InRange(index, 0, kUserMacroSlotsPerGroup - 1)) {
    return kKeyFunctionNone;
  }
  return (group + 1) * kUserMacroGroupStride + index;
}

int UserMacroGroup(int32_t code) {
  return IsUserMacroCode(code) ? code / kUserMacroGroupStride - 1 : -1;
}

int UserMacroIndex(int32_t code) {
  return IsUserMacroCode(code) ? code % kUserMacroGroupStride : -1;
}

std::optional<uint8_t> FixedDeviceKeyCode(int32_t code) {
  if (code < 0) return kDeviceCodeNone;
  if (code < static_cast<int32_t>(kDeviceKeyCodeOfFunction.size())) {
    return kDeviceKeyCodeOfFunction[static_cast<size_t>(code)];
  }
  if (code == kKeyboardKeyFunction) return kDeviceCodeKeyboardKey;
  if (InRange(code, kLastRecoilFunction + 1, kLastRecoilReference)) return kDeviceCodeNone;
  return std::nullopt;
}

uint8_t MacroDeviceCode(int32_t code, uint8_t modeByte, int32_t leftMac) {
  if (!IsMacroFunction(code)) return kDeviceCodeNone;
  // No recoil record can exist from 70 on; such a key has no function.
  if (IsRecoilCode(code) && code > kLastRecoilFunction) return kDeviceCodeNone;
  const bool modeTwo = modeByte == kMacroModeByteTwo;
  if (IsRecoilCode(code) || leftMac != kLeftMacPlain) {
    return modeTwo ? kDeviceCodeLeftButtonMacroModeTwo : kDeviceCodeLeftButtonMacro;
  }
  if (IsUserMacroCode(code)) return modeTwo ? kDeviceCodeUserMacroModeTwo : kDeviceCodeMacro;
  return kDeviceCodeMacro;
}

uint8_t DeviceKeyCode(int32_t code, uint8_t modeByte, int32_t leftMac) {
  if (const auto fixed = FixedDeviceKeyCode(code)) return *fixed;
  return MacroDeviceCode(code, modeByte, leftMac);
}

bool IsDpiDeviceCode(uint8_t deviceCode) {
  return std::find(kDpiDeviceCodes.begin(), kDpiDeviceCodes.end(), deviceCode) !=
         kDpiDeviceCodes.end();
}

uint16_t MultimediaConsumerUsage(int n) {
  if (!InRange(n, 0, kMultimediaConsumerUsageCount - 1)) return 0;
  return kMultimediaConsumerUsages[static_cast<size_t>(n)];
}

std::optional<KeyAssignment> AssignFromKeyMenu(const KeyMenuPick& pick, int32_t currentLeftMac) {
  const int entry = pick.entry;
  const int s = pick.subEntry;
  if (InRange(entry, kKeyMenuFirstDirectEntry, kKeyMenuLastDirectEntry)) {
    return KeyAssignment{entry, kLeftMacPlain};
  }
  for (const auto& list : kFunctionListEntries) {
    if (list.entry != entry) continue;
    if (!InRange(s, 1, list.rows)) return std::nullopt;
    return KeyAssignment{s + list.codeOffset, kLeftMacPlain};
  }
  switch (entry) {
    case kKeyMenuRecoilEntry:
      if (!InRange(s, 1, kRecoilMacroSlots)) return std::nullopt;
      return KeyAssignment{kFirstRecoilFunction + s - 1, kLeftMacLeftButton};
    case kKeyMenuUserMacroEntry:
    case kKeyMenuLeftButtonMacroEntry: {
      // Rows are 1-based: group row g and macro row m name group g - 1, macro m - 1.
      if (!InRange(s, 1, kUserMacroGroupSlots) ||
          !InRange(pick.macroEntry, 1, kUserMacroSlotsPerGroup)) {
        return std::nullopt;
      }
      const int32_t leftMac =
          entry == kKeyMenuLeftButtonMacroEntry ? kLeftMacLeftButton : kLeftMacPlain;
      return KeyAssignment{UserMacroCode(s - 1, pick.macroEntry - 1), leftMac};
    }
    case kKeyMenuKeyboardKeyEntry:
      return KeyAssignment{kKeyboardKeyFunction, currentLeftMac};
    default:
      return std::nullopt;
  }
}

}  // namespace gm
