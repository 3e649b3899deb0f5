#include "macros/key_codes.h"

#include <array>
#include <optional>
#include <string_view>

#include "platform/text.h"
#include "settings/config_settings.h"

namespace gm {

namespace {

// A regular run of keys: consecutive usages map to consecutive virtual keys.
enum class RangeNaming : uint8_t {
  kVirtualKeyCharacter,  // the name is the character whose code is the virtual key ("A", "7")
  kNumbered,             // the name is a prefix and a running number ("F13", "NUMPAD4")
};

struct KeyCodeRange {
  uint8_t firstUsage;
  uint8_t lastUsage;
  uint8_t firstVk;
  RangeNaming naming;
  std::u16string_view prefix;
  int firstNumber;
};

constexpr std::array<KeyCodeRange, 5> kKeyCodeRanges{{
    {4, 29, 65, RangeNaming::kVirtualKeyCharacter, u"", 0},   // A..Z
    {30, 38, 49, RangeNaming::kVirtualKeyCharacter, u"", 0},  // 1..9
    {58, 69, 112, RangeNaming::kNumbered, u"F", 1},           // F1..F12
    {89, 97, 97, RangeNaming::kNumbered, u"NUMPAD", 1},       // keypad 1..9
    {104, 115, 124, RangeNaming::kNumbered, u"F", 13},        // F13..F24
}};

// Virtual key of a row that has a name but no conversion.
constexpr uint8_t kNoVirtualKey = 0;

// A key outside the regular runs. Sorted by usage.
struct KeyCodeRow {
  uint8_t usage;
  uint8_t vk;
  std::u16string_view name;
};

constexpr std::array<KeyCodeRow, 53> kKeyCodeRows{{
    {39, 48, u"0"},
    {40, 13, u"RETURN"},
    {41, 27, u"ESCAPE"},
    {42, 8, u"BACKSPACE"},
    {43, 9, u"TAB"},
    {44, 32, u"SPACE"},
    {45, 189, u"-"},
    {46, 187, u"+"},
    {47, 219, u"[{"},
    {48, 221, u"]}"},
    {49, 220, u"\\|"},
    {51, 186, u";:"},
    {52, 222, u" ' "},
    {53, 192, u"`~"},
    {54, 188, u","},
    {55, 190, u"."},
    {56, 191, u"/?"},
    {57, 20, u"CAPITAL"},
    {70, 44, u"SNAPSHOT"},
    {71, 145, u"SCROLL"},
    {72, 19, u"PAUSE"},
    {73, 45, u"INSERT"},
    {74, 36, u"HOME"},
    {75, 33, u"PRIOR"},
    {76, 46, u"DELETE"},
    {77, 35, u"END"},
    {78, 34, u"NEXT"},
    {79, 39, u"RIGHT"},
    {80, 37, u"LEFT"},
    {81, 40, u"DOWN"},
    {82, 38, u"UP"},
    {83, 144, u"NUMLOCK"},
    {84, 111, u"DIVIDE"},
    {85, 106, u"MULTIPLY"},
    {86, 109, u"SUBTRACT"},
    {87, 107, u"ADD"},
    {98, 96, u"NUMPAD0"},
    {99, 110, u"DECIMAL"},
    {101, 93, u"APPS"},
    {116, 43, u"EXECUTE"},
    {117, 47, u"HELP"},
    {118, kNoVirtualKey, u"MENU"},
    {119, 41, u"SELECT"},
    {156, 12, u"CLEAR"},
    {159, 108, u"SEPARATOR"},
    {224, 162, u"LCONTROL"},
    {225, 160, u"LSHIFT"},
    {226, 164, u"LMENU"},
    {227, 91, u"LWIN"},
    {228, 163, u"RCONTROL"},
    {229, 161, u"RSHIFT"},
    {230, 165, u"RMENU"},
    {231, 92, u"RWIN"},
}};

// Mouse buttons: their step codes in memory and their codes in macro files.
struct MouseButtonCodes {
  uint8_t usage;
  uint8_t fileCode;
};
constexpr uint8_t kUsageLeftButton = 0xF1;
constexpr uint8_t kUsageMiddleButton = 0xF2;
constexpr uint8_t kUsageRightButton = 0xF3;
constexpr uint8_t kFileLeftButton = 240;
constexpr uint8_t kFileRightButton = 241;
constexpr uint8_t kFileMiddleButton = 242;
constexpr std::array<MouseButtonCodes, 3> kMouseButtons{{
    {kUsageLeftButton, kFileLeftButton},
    {kUsageMiddleButton, kFileMiddleButton},
    {kUsageRightButton, kFileRightButton},
}};

// The Chinese keyboard layout delivers keypad multiply on one more virtual key.
constexpr uint8_t kChineseExtraMultiplyVk = 223;
constexpr uint8_t kKeypadMultiplyUsage = 85;

// The capture dialog converts only the virtual keys up to this one.
constexpr uint8_t kLastCaptureVk = 222;

// Backspace carries a shorter name on the keys page and in the capture dialog.
constexpr uint8_t kBackspaceUsage = 42;
constexpr std::u16string_view kShortBackspaceName = u"BACK";

constexpr std::u16string_view kStepListFallbackName = u"Unkown";
constexpr std::u16string_view kPageFallbackName = u"NON-AVAILABLE";

// ---- Compile-time proof that the two conversions are exact inverses on every listed pair:
// no usage and no virtual key is claimed twice, and nothing collides with the mouse codes.

constexpr bool UsageInRange(uint8_t usage, const KeyCodeRange& r) {
  return usage >= r.firstUsage && usage <= r.lastUsage;
}
constexpr uint8_t LastVkOf(const KeyCodeRange& r) {
  return static_cast<uint8_t>(r.firstVk + (r.lastUsage - r.firstUsage));
}
constexpr bool VkInRange(uint8_t vk, const KeyCodeRange& r) {
  return vk >= r.firstVk && vk <= LastVkOf(r);
}
constexpr bool IsMouseCode(uint8_t code) {
  for (const auto& b : kMouseButtons) {
    if (code == b.usage || code == b.fileCode) return true;
  }
  return false;
}

constexpr bool TablesAreConsistent() {
  for (size_t i = 0; i < kKeyCodeRanges.size(); ++i) {
    const auto& r = kKeyCodeRanges[i];
    if (r.lastUsage < r.firstUsage || LastVkOf(r) < r.firstVk) return false;
    for (size_t j = i + 1; j < kKeyCodeRanges.size(); ++j) {
      const auto& o = kKeyCodeRanges[j];
      if (UsageInRange(o.firstUsage, r) || UsageInRange(r.firstUsage, o)) return false;
      if (VkInRange(o.firstVk, r) || VkInRange(r.firstVk, o)) return false;
    }
    if (IsMouseCode(r.firstUsage) || IsMouseCode(r.lastUsage)) return false;
  }
  for (size_t i = 0; i < kKeyCodeRows.size(); ++i) {
    const auto& row = kKeyCodeRows[i];
    if (row.name.empty() || IsMouseCode(row.usage) || IsMouseCode(row.vk)) return false;
    if (i > 0 && kKeyCodeRows[i - 1].usage >= row.usage) return false;
    for (const auto& r : kKeyCodeRanges) {
      if (UsageInRange(row.usage, r)) return false;
      if (row.vk != kNoVirtualKey && VkInRange(row.vk, r)) return false;
    }
    if (row.vk == kNoVirtualKey) continue;
    if (row.vk == kChineseExtraMultiplyVk) return false;
    for (size_t j = i + 1; j < kKeyCodeRows.size(); ++j) {
      if (kKeyCodeRows[j].vk == row.vk) return false;
    }
  }
  return true;
}
static_assert(TablesAreConsistent());

// ---- Lookups.

constexpr const KeyCodeRange* RangeOfUsage(uint8_t usage) {
  for (const auto& r : kKeyCodeRanges) {
    if (UsageInRange(usage, r)) return &r;
  }
  return nullptr;
}

constexpr const KeyCodeRange* RangeOfVk(uint8_t vk) {
  for (const auto& r : kKeyCodeRanges) {
    if (VkInRange(vk, r)) return &r;
  }
  return nullptr;
}

constexpr const KeyCodeRow* RowOfUsage(uint8_t usage) {
  for (const auto& row : kKeyCodeRows) {
    if (row.usage == usage) return &row;
  }
  return nullptr;
}

constexpr const KeyCodeRow* RowOfVk(uint8_t vk) {
  if (vk == kNoVirtualKey) return nullptr;
  for (const auto& row : kKeyCodeRows) {
    if (row.vk == vk) return &row;
  }
  return nullptr;
}

bool IsEnglish() { return g_isEnglish.load() != 0; }

// The mapping every virtual-key reader shares: regular runs, the table, the file mouse codes.
uint8_t BaseVkToHidUsage(uint8_t vk) {
  if (const auto* r = RangeOfVk(vk)) {
    return static_cast<uint8_t>(r->firstUsage + (vk - r->firstVk));
  }
  if (const auto* row = RowOfVk(vk)) return row->usage;
  for (const auto& b : kMouseButtons) {
    if (b.fileCode == vk) return b.usage;
  }
  return vk;
}

// The name of a keyboard key from the regular runs and the table; nothing for other codes.
std::optional<std::u16string> KeyboardKeyName(uint8_t usage) {
  if (const auto* r = RangeOfUsage(usage)) {
    const int offset = usage - r->firstUsage;
    if (r->naming == RangeNaming::kVirtualKeyCharacter) {
      return std::u16string(1, static_cast<char16_t>(r->firstVk + offset));
    }
    return std::u16string(r->prefix) + DecimalText(r->firstNumber + offset);
  }
  if (const auto* row = RowOfUsage(usage)) return std::u16string(row->name);
  return std::nullopt;
}

}  // namespace

uint8_t HidUsageToVk(uint8_t usage) {
  if (const auto* r = RangeOfUsage(usage)) {
    return static_cast<uint8_t>(r->firstVk + (usage - r->firstUsage));
  }
  if (const auto* row = RowOfUsage(usage); row != nullptr && row->vk != kNoVirtualKey) {
    return row->vk;
  }
  for (const auto& b : kMouseButtons) {
    if (b.usage == usage) return b.fileCode;
  }
  return usage;
}

uint8_t VkToHidUsage(uint8_t vk) {
  if (vk == kChineseExtraMultiplyVk && !IsEnglish()) return kKeypadMultiplyUsage;
  return BaseVkToHidUsage(vk);
}

uint8_t CaptureVkToHidUsage(uint8_t vk) {
  if (vk > kLastCaptureVk) return vk;
  return BaseVkToHidUsage(vk);
}

std::u16string KeyNameOfUsage(uint8_t usage) {
  switch (usage) {
    case kUsageLeftButton: return IsEnglish() ? u"L-KEY" : u"左键";
    case kUsageMiddleButton: return IsEnglish() ? u"M-KEY" : u"中键";
    case kUsageRightButton: return IsEnglish() ? u"R-KEY" : u"右键";
    default: break;
  }
  return KeyboardKeyName(usage).value_or(std::u16string(kStepListFallbackName));
}

std::u16string KeyNameOfUsageForPage(uint8_t usage) {
  // The keys page names the mouse buttons by their file codes, in both languages.
  switch (usage) {
    case kBackspaceUsage: return std::u16string(kShortBackspaceName);
    case kFileLeftButton: return u"L-KEY";
    case kFileRightButton: return u"R-KEY";
    case kFileMiddleButton: return u"M-KEY";
    default: break;
  }
  return KeyboardKeyName(usage).value_or(std::u16string(kPageFallbackName));
}

std::u16string KeyNameOfUsageForCapture(uint8_t usage) {
  if (usage == kBackspaceUsage) return std::u16string(kShortBackspaceName);
  return KeyboardKeyName(usage).value_or(std::u16string(kPageFallbackName));
}

}  // namespace gm
