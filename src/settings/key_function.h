#pragma once
// Key-function codes: the signed integer stored per configuration and key that says what a
// mouse key does. Small codes are functions the mouse performs itself, 23..32 multimedia keys
// the host sends, 33..49 built-in macros (42 is a keyboard key instead, its HID usage in the
// key parameter), 50.. recoil macros and from 256 the user's macros as
// (group + 1) * 256 + index. Every function here accepts any int: codes that name nothing
// classify as nothing, and no table is read outside its bounds.

#include <array>
#include <cstdint>
#include <optional>

#include "settings/key_function_value.h"  // kKeyboardKeyFunction (42)

namespace gm {

// ---- Code ranges.
inline constexpr int32_t kKeyFunctionNone = 0;

// Functions the mouse performs itself; their names are the keys page's FUN_STRING entries.
inline constexpr int32_t kFirstDeviceFunction = 1;
inline constexpr int32_t kLastDeviceFunction = 22;

// DPI keys: after such a key's report the host takes the DPI level from the report.
inline constexpr std::array<int32_t, 3> kDpiKeyFunctions{6, 16, 17};

// Configuration keys: after such a key's report the host reads the active configuration back.
// 22 has no device function of its own.
inline constexpr int32_t kFirstConfigKeyFunction = 19;
inline constexpr int32_t kLastConfigKeyFunction = 22;

// Multimedia keys: the host sends consumer usage n = code - 23.
inline constexpr int32_t kFirstMultimediaFunction = 23;
inline constexpr int32_t kLastMultimediaFunction = 32;
inline constexpr int kMultimediaConsumerUsageCount = 11;  // entry 10 (Stop) has no code

// Built-in macros: macro code - 33 of the built-in table, except the keyboard key 42.
inline constexpr int32_t kFirstBuiltInMacroFunction = 33;
inline constexpr int32_t kLastBuiltInMacroFunction = 49;

// Recoil macros: macro code - 50 of the recoil table (20 records). Codes up to 255 are read as
// recoil references too; those from 70 name a record the table can never hold.
inline constexpr int kRecoilMacroSlots = 20;
inline constexpr int32_t kFirstRecoilFunction = 50;
inline constexpr int32_t kLastRecoilFunction = kFirstRecoilFunction + kRecoilMacroSlots - 1;
inline constexpr int32_t kLastRecoilReference = 255;

// User macros: (group + 1) * 256 + index, group 0..11, index 0..19.
inline constexpr int32_t kUserMacroGroupStride = 256;
inline constexpr int kUserMacroGroupSlots = 12;
inline constexpr int kUserMacroSlotsPerGroup = 20;
inline constexpr int32_t kFirstUserMacroFunction = kUserMacroGroupStride;
inline constexpr int32_t kLastUserMacroFunction =
    kUserMacroGroupSlots * kUserMacroGroupStride + kUserMacroSlotsPerGroup - 1;
static_assert(kLastUserMacroFunction == 3091);

// ---- Classification.
bool IsDpiKeyFunction(int32_t code);
bool IsConfigKeyFunction(int32_t code);
bool IsMultimediaFunction(int32_t code);
bool IsBuiltInMacroCode(int32_t code);  // 33..49 except 42
bool IsRecoilCode(int32_t code);        // 50..255, whether or not the record exists
bool IsUserMacroCode(int32_t code);     // 256 and up, whether or not the macro exists
// A code whose device key code depends on a macro record: built-in, recoil or user macro.
bool IsMacroFunction(int32_t code);

// Index into the built-in table (code - 33) or the recoil table (code - 50); -1 for a code of
// another kind. The recoil index can lie beyond the loaded table; callers test it.
int BuiltInMacroIndex(int32_t code);
int RecoilMacroIndex(int32_t code);

// ---- User macro codes.
// The code of macro `index` of group `group`; kKeyFunctionNone when either lies outside the
// group tables (group 0..11, index 0..19).
int32_t UserMacroCode(int group, int index);
// Group (code / 256 - 1) and index (code mod 256) of a user macro code, -1 for any other code.
// They may lie beyond the tables for a hand-edited code; callers test them.
int UserMacroGroup(int32_t code);
int UserMacroIndex(int32_t code);

// ---- Device key codes: what the download writes for a key.
inline constexpr uint8_t kDeviceCodeNone = 0x00;
inline constexpr uint8_t kDeviceCodeKeyboardKey = 0x0E;
inline constexpr uint8_t kDeviceCodeMultimedia = 0x0F;
inline constexpr uint8_t kDeviceCodeMacro = 0x0D;
inline constexpr uint8_t kDeviceCodeUserMacroModeTwo = 0x0E;
inline constexpr uint8_t kDeviceCodeLeftButtonMacro = 0x1E;
inline constexpr uint8_t kDeviceCodeLeftButtonMacroModeTwo = 0x1F;
// The whole mode byte of a macro record that selects the "mode two" device codes.
inline constexpr uint8_t kMacroModeByteTwo = 2;
// Device codes of the DPI keys; a key with one of these is flagged as a DPI key.
inline constexpr std::array<uint8_t, 3> kDpiDeviceCodes{0x06, 0x0B, 0x0C};

// Device key codes of the codes 0..32, by code.
inline constexpr std::array<uint8_t, kLastMultimediaFunction + 1> kDeviceKeyCodeOfFunction{
    0x00,                                // 0: no function
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06,  // 1..6
    0x02, 0x03, 0x04, 0x05, 0x06,        // 7..11: not offered by the menus
    0x07, 0x08, 0x09, 0x15, 0x0B, 0x0C,  // 12..17
    0x14,                                // 18
    0x17, 0x19, 0x1A, 0x00,              // 19..22: configuration keys
    0x0F, 0x0F, 0x0F, 0x0F, 0x0F,        // 23..32: multimedia keys
    0x0F, 0x0F, 0x0F, 0x0F, 0x0F,
};

// The device key code of a code that needs no macro record: the table above, 0x0E for the
// keyboard key, 0x00 for a negative code and for recoil references from 70 on. std::nullopt
// for a macro code whose record decides (use MacroDeviceCode).
std::optional<uint8_t> FixedDeviceKeyCode(int32_t code);

// The device key code of a macro code from the record's whole mode byte and the key's
// LEFT_MAC (any non-zero value binds the macro as a left-button macro):
//   recoil macro, or any macro bound to the left button: 0x1F for mode byte 2, else 0x1E;
//   user macro, not bound:                               0x0E for mode byte 2, else 0x0D;
//   built-in macro, not bound:                           0x0D.
// A recoil reference from 70 on and every code that is not a macro give 0x00.
uint8_t MacroDeviceCode(int32_t code, uint8_t modeByte, int32_t leftMac);

// The device key code of any code (the record's mode byte matters only for macro codes).
uint8_t DeviceKeyCode(int32_t code, uint8_t modeByte, int32_t leftMac);

bool IsDpiDeviceCode(uint8_t deviceCode);

// ---- Multimedia keys.
// HID consumer usage of multimedia entry n (n = code - 23); 0 for n outside 0..10.
uint16_t MultimediaConsumerUsage(int n);

// ---- The key menu.
inline constexpr int kKeyMenuEntryCount = 14;
inline constexpr int kKeyMenuFirstDirectEntry = 1;   // entries 1..6 assign codes 1..6
inline constexpr int kKeyMenuLastDirectEntry = 6;
inline constexpr int kKeyMenuDeviceFunctionsEntry = 7;
inline constexpr int kKeyMenuMultimediaEntry = 8;
inline constexpr int kKeyMenuUserMacroEntry = 9;
inline constexpr int kKeyMenuBuiltInMacroEntry = 10;
inline constexpr int kKeyMenuConfigKeyEntry = 11;
inline constexpr int kKeyMenuRecoilEntry = 12;
inline constexpr int kKeyMenuLeftButtonMacroEntry = 13;
inline constexpr int kKeyMenuKeyboardKeyEntry = 14;

// A pick in the key menu: the entry (1..14), the 1-based row of its second-level list, and for
// the two user-macro entries (9 and 13) the 1-based macro of the group chosen by subEntry.
struct KeyMenuPick {
  int entry = 0;
  int subEntry = 0;
  int macroEntry = 0;
};

struct KeyAssignment {
  int32_t code = kKeyFunctionNone;
  int32_t leftMac = 0;
  bool operator==(const KeyAssignment&) const = default;
};

// What a pick assigns to the key, given its present LEFT_MAC:
//   entries 1..6: code = entry, LEFT_MAC 0;
//   entries 7, 8, 10, 11, row s: code s + 11 (s 1..7), s + 22 (1..10), s + 32 (1..8),
//     s + 18 (1..3), LEFT_MAC 0;
//   entry 12, row s (1..20): recoil code 49 + s, LEFT_MAC 1;
//   entries 9 and 13, group g (1..12), macro m (1..20): g * 256 + m - 1, LEFT_MAC 0 from
//     entry 9 and 1 from entry 13;
//   entry 14: the keyboard key 42 (its usage comes from key capture), LEFT_MAC unchanged.
// std::nullopt for an entry or row outside these lists: the pick assigns nothing.
std::optional<KeyAssignment> AssignFromKeyMenu(const KeyMenuPick& pick, int32_t currentLeftMac);

// Key capture opens on the key's parameter; an unset parameter (0) becomes the A key first.
inline constexpr uint8_t kCaptureDefaultUsage = 4;
constexpr uint8_t KeyParamForCapture(uint8_t param) {
  return param == 0 ? kCaptureDefaultUsage : param;
}

}  // namespace gm
