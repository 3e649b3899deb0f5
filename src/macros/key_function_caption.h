#pragma once
// The text a key button of the keys page shows for the key's function.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gm {

// Captions longer than this many UTF-16 units are cut and end in "...".
inline constexpr size_t kCaptionMaxUnits = 11;

// The name of macro `index` of user macro group `group`, or std::nullopt when that macro does
// not exist (the group or index lies beyond the loaded groups).
using UserMacroNameLookup = std::function<std::optional<std::u16string>(int group, int index)>;

// Where the caption's texts come from.
struct KeyCaptionSources {
  // The keys page's FUN_STRING texts indexed by function code (entry 0 is empty).
  std::span<const std::u16string> funStrings;
  // Names of the recoil macros and how many are loaded.
  std::span<const std::u16string> recoilNames;
  int recoilCount = 0;
  UserMacroNameLookup userMacroName;
};

// The caption of a key with function `code`, parameter `param` and LEFT_MAC `leftMac`, already
// cut by CutCaption:
//   code 42 (keyboard key): the keys-page name of the HID usage `param`;
//   other codes below 48: FUN_STRING entry `code` (nothing when the table has no such entry);
//   recoil codes 50..255: "[C] : " (English) or "【指】: " (Chinese) and the recoil macro's
//     name; nothing when the code lies beyond the loaded recoil macros;
//   user macro codes: "【指】:" when LEFT_MAC is non-zero, "【普】:" when it is 0, in both
//     languages, and the macro's name; nothing when the group or index lies beyond the tables
//     or the lookup does not know the macro;
//   48, 49 and negative codes: nothing.
std::u16string KeyFunctionCaption(int32_t code, uint8_t param, int32_t leftMac, bool isEnglish,
                                  const KeyCaptionSources& sources);

// A caption of up to 11 units is kept; a longer one becomes its first 11 units and "...". A
// surrogate pair is never split: when the 11th unit starts a pair, the cut falls before it.
std::u16string CutCaption(std::u16string_view caption);

}  // namespace gm
