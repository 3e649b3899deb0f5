#include "editor/macro_page_rows.h"

#include <iterator>

#include "macros/key_codes.h"
#include "platform/text.h"

namespace gm {

namespace {

constexpr char16_t kDelayIndent[] = u"    ";
constexpr char16_t kDelayUnit[] = u"ms";

// CPI shown for each DPI level code 0..15; 16 and above show 800.
constexpr const char16_t* kDpiTexts[] = {
    u"800",  u"200",  u"400",  u"600",  u"800",  u"1000", u"1200", u"1600",
    u"1600", u"2000", u"2000", u"2400", u"2400", u"3200", u"4000", u"4800",
};
constexpr const char16_t* kDefaultDpiText = u"800";

std::u16string MoveText(uint8_t action, uint16_t x, uint16_t y) {
  const char16_t* xSign = nullptr;
  const char16_t* ySign = nullptr;
  switch (action) {
    case kActionMoveXMinusYMinus: xSign = u"-"; ySign = u"-"; break;
    case kActionMoveXMinusYPlus: xSign = u"-"; ySign = u"+"; break;
    case kActionMoveXPlusYMinus: xSign = u"+"; ySign = u"-"; break;
    case kActionMoveXPlusYPlus: xSign = u"+"; ySign = u"+"; break;
    default: return u"[X]:eeror,[Y]:eeror";
  }
  return u"[X" + std::u16string(xSign) + u"]:" + DecimalText(x) + u",[Y" + ySign + u"]:" +
         DecimalText(y);
}

std::u16string LedText(uint8_t action, uint16_t x) {
  switch (action) {
    case kActionLight0: return u"[LED0]:LED-" + DecimalText(x) + u" Data";
    case kActionLight1: return u"[LED1]:LED-" + DecimalText(x) + u" Data";
    case kActionLight2: return u"[LED2]:LED-" + DecimalText(x) + u" Data";
    default: return u"[LED0/1/2]:error";
  }
}

std::u16string DpiText(uint8_t action, uint16_t x) {
  switch (action) {
    case kActionDpiSet: return DpiRowText(x);
    case kActionDpiRestore: return u"[DPI]:返回执行前的值";
    default: return u"[DPI]:状态Error";
  }
}

// "Colour<n>" with the renamings the list shows: 7 as 4, 5 as 3, 3 as 2.
std::u16string ColorName(uint8_t color) {
  switch (color) {
    case 7: return u"Colour4";
    case 5: return u"Colour3";
    case 3: return u"Colour2";
    default: return u"Colour" + DecimalText(color);
  }
}

}  // namespace

MacroListRows BuildMacroListRows(const MacroGroupListing& listing, const uint32_t* expanded) {
  MacroListRows rows;
  size_t counted = 0;
  for (const auto& group : listing.groups) counted += 1 + group.macroNames.size();
  rows.entries.assign(counted, MacroListEntry{kMacroListUnshownRow, 0, kNoMacroOnRow});
  rows.shown.reserve(counted);
  for (size_t g = 0; g < listing.groups.size(); ++g) {
    const auto& group = listing.groups[g];
    const bool open = expanded[g] != 0;
    const auto groupIndex = static_cast<uint8_t>(g);
    rows.entries[rows.shown.size()] = {kMacroListGroupRow, groupIndex, kNoMacroOnRow};
    rows.shown.push_back({group.name, open ? kImageOpenGroup : kImageClosedGroup});
    if (!open) continue;
    for (size_t i = 0; i < group.macroNames.size(); ++i) {
      rows.entries[rows.shown.size()] = {kMacroListMacroRow, groupIndex,
                                         static_cast<uint8_t>(i)};
      rows.shown.push_back({group.macroNames[i], kImageMacro});
    }
  }
  return rows;
}

std::u16string DelayRowText(uint16_t delayMs) {
  return kDelayIndent + DecimalText(delayMs) + kDelayUnit;
}

std::u16string DpiRowText(uint16_t level) {
  const char16_t* cpi = level < std::size(kDpiTexts) ? kDpiTexts[level] : kDefaultDpiText;
  return u"[DPI]:" + std::u16string(cpi) + u" ";
}

StepRowText StepRowOf(uint8_t code, uint8_t action, uint16_t x, uint16_t y) {
  switch (code) {
    case kStepMove: return {{MoveText(action, x, y), kImageMove}};
    case kStepDpi: return {{DpiText(action, x), kImageDpi}};
    case kStepLighting: return {{LedText(action, x), kImageLighting}};
    case kStepPause: return {{u"[Delay]", kImageDelay}};
    default: break;
  }
  std::u16string name = KeyNameOfUsage(code);
  if (action == kActionPress) return {{std::move(name), kImageKeyDown}, KeyRowKind::kKeyDown};
  if (action == kActionRelease) return {{std::move(name), kImageKeyUp}, KeyRowKind::kKeyUp};
  return {{std::move(name), kImageDelay}};
}

std::vector<std::u16string> LedParamRowTexts(MacroLedBlock& block, uint16_t& entryMode,
                                             const std::u16string* stepModeNames,
                                             const std::u16string& optionName) {
  std::vector<std::u16string> rows;
  uint8_t(&entry)[kLedEntryBytes] = block.entries[0];
  uint8_t& mode = LedEntryAt(entry, LedEntryByte::kMode);
  uint8_t& color = LedEntryAt(entry, LedEntryByte::kColor);
  entryMode = mode;
  rows.push_back(u"[LEN    ]: " + DecimalText(block.length));
  if (block.length < 1) return rows;

  std::u16string modeName;
  switch (mode) {
    case kLightModeSingleBreath: modeName = stepModeNames[0]; break;
    case kLightModeConstantly: modeName = stepModeNames[1]; break;
    case kLightModeCometTail: modeName = stepModeNames[2]; break;
    case kLightModeNeon: modeName = stepModeNames[3]; break;
    case kLightModeCycleBreath: modeName = optionName; break;
    default: modeName = stepModeNames[4]; break;
  }
  if (modeName == u"Ambilight" || modeName == u"流光溢彩") {
    mode = kLightModeAmbilight;
    entryMode = kLightModeAmbilight;
  }
  rows.push_back(u"[Mode ]: " + modeName);

  if (LightModeDefinesColors(entryMode)) {
    rows.push_back(u"[Colour]: Define");
  } else {
    if (color == 0) color = 1;
    rows.push_back(u"[Colour]: " + ColorName(color));
  }
  rows.push_back(u"[Time   ]: " + DecimalText(LedEntryAt(entry, LedEntryByte::kTime)) + u"*122 ms");
  return rows;
}

}  // namespace gm
