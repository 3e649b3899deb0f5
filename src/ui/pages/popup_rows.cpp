#include "ui/pages/popup_rows.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"
#include "macros/recoil_macro_names.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/led_modes.h"
#include "ui/skin/skin_layout.h"

namespace gm {
namespace {

// The key list's fixed rows, English / Chinese.
constexpr char16_t kRecoilRowEn[] = u"PUBG";
constexpr char16_t kRecoilRowCn[] = u"绝地求生专用压枪";
constexpr char16_t kMacroKeyRowEn[] = u"Convert K1 to a macro";
constexpr char16_t kMacroKeyRowCn[] = u"按键 1 指派为宏";
constexpr char16_t kKeyboardKeyRowText[] = u"按键组";  // both languages

// The lighting-step mode list offers the step modes 0, 1, 3 (the names table keeps its own
// order).
constexpr std::array<std::size_t, kLedStepModeRows> kStepModeNameOfRow{0, 1, 3};

// Second-level families: the first function caption shown and the number of rows.
struct Family {
  uint32_t row;
  int firstCaption;  // FUN_STRING entry of row 1
  int rows;
};
constexpr std::array<Family, 4> kCaptionFamilies{{
    {7, 12, 7},   // "12".."18"
    {8, 23, 10},  // "23".."32", multimedia keys
    {10, 33, 8},  // "33".."40", built-in macros
    {11, 19, 3},  // "19".."21", configuration keys
}};

// Rows below the key list's top where a family's list starts, for the families with a fixed
// number of rows.
constexpr int32_t kOffsetRow7 = 4;
constexpr int32_t kOffsetRow8 = 1;
constexpr int32_t kOffsetRow10 = 3;
constexpr int32_t kOffsetRow11 = 8;

bool IsEnglish() { return g_isEnglish.load() != 0; }

int GroupCount() { return std::clamp(g_macroGroupCount, 0, kMaxMacroGroups); }

std::u16string FunString(int index) {
  return index >= 0 && static_cast<std::size_t>(index) < g_funStrings.size()
             ? g_funStrings[static_cast<std::size_t>(index)]
             : std::u16string();
}

std::vector<std::u16string> GroupNames() {
  return std::vector<std::u16string>(g_macroGroupNames, g_macroGroupNames + GroupCount());
}

int32_t CentredHalf(int32_t space, int32_t size) { return (space - size) / 2; }

}  // namespace

std::vector<PopupRow> TextRows(const std::vector<std::u16string>& texts) {
  std::vector<PopupRow> rows;
  rows.reserve(texts.size());
  for (const auto& text : texts) rows.push_back(PopupRow{text, std::nullopt});
  return rows;
}

std::optional<PopupKind> PopupKindOf(int menuKind) {
  switch (menuKind) {
    case 1: return PopupKind::kKeyFunctions;
    case 4: return PopupKind::kLedModes;
    case 6: return PopupKind::kLedStepModes;
    case 7: return PopupKind::kLedStepColors;
    case 9: return PopupKind::kRecoilMacros;
    default: return std::nullopt;
  }
}

PopupImageNames PopupImagesOf(PopupKind kind) {
  if (kind == PopupKind::kKeyFunctions) {
    return {"menu1_mask.jpg", "menu1_normal.jpg", "menu1_over.jpg", "menu1_down.jpg"};
  }
  return kPlainListImages;
}

RowGeometry PopupGeometry(PopupKind kind, int32_t maskWidth, int32_t maskHeight,
                          int recoilCount) {
  RowGeometry g;
  g.width = std::max(maskWidth, 0);
  const int32_t divisor = kind == PopupKind::kLedModes ? kLedModeRowDivisor : kMaskRowDivisor;
  g.rowHeight = std::max(maskHeight, 0) / divisor;
  switch (kind) {
    case PopupKind::kKeyFunctions: g.rows = kKeyListRows; break;
    case PopupKind::kLedModes: g.rows = static_cast<int32_t>(LedModesInList().size()); break;
    case PopupKind::kLedStepModes: g.rows = kLedStepModeRows; break;
    case PopupKind::kLedStepColors: g.rows = kLedStepColorRows; break;
    case PopupKind::kRecoilMacros: g.rows = std::clamp(recoilCount, 0, kMacrosPerGroup); break;
  }
  return g;
}

RowGeometry ListGeometry(int32_t maskWidth, int32_t maskHeight, int rows) {
  return RowGeometry{std::max(maskWidth, 0), std::max(maskHeight, 0) / kMaskRowDivisor,
                     std::max(rows, 0)};
}

uint32_t RowAt(const RowGeometry& geometry, int32_t x, int32_t y) {
  if (geometry.rowHeight <= 0 || x < 0 || x >= geometry.width || y < 0) return kNoRow;
  const int64_t row = int64_t{y} / geometry.rowHeight + 1;
  return row <= geometry.rows ? static_cast<uint32_t>(row) : kNoRow;
}

std::vector<PopupRow> PopupRows(PopupKind kind) {
  const bool english = IsEnglish();
  switch (kind) {
    case PopupKind::kKeyFunctions: {
      std::vector<std::u16string> texts;
      for (int row = 1; row <= 11; ++row) texts.push_back(FunString(row));
      texts.emplace_back(english ? kRecoilRowEn : kRecoilRowCn);
      texts.emplace_back(english ? kMacroKeyRowEn : kMacroKeyRowCn);
      texts.emplace_back(kKeyboardKeyRowText);
      return TextRows(texts);
    }
    case PopupKind::kLedModes: {
      std::vector<std::u16string> texts;
      for (const uint8_t mode : LedModesInList()) {
        texts.push_back(mode < g_ledModeNames.size() ? g_ledModeNames[mode] : std::u16string());
      }
      return TextRows(texts);
    }
    case PopupKind::kLedStepModes: {
      std::vector<std::u16string> texts;
      for (const std::size_t name : kStepModeNameOfRow) texts.push_back(g_ledStepModeNames[name]);
      return TextRows(texts);
    }
    case PopupKind::kLedStepColors: {
      std::vector<PopupRow> rows;
      for (int i = 0; i < kLedStepColorRows; ++i) {
        rows.push_back(PopupRow{{}, g_ledUserColor[i].load()});
      }
      return rows;
    }
    case PopupKind::kRecoilMacros: return TextRows(RecoilMacroNames());
  }
  return {};
}

std::vector<std::u16string> FamilyRows(uint32_t parentRow) {
  for (const Family& family : kCaptionFamilies) {
    if (family.row != parentRow) continue;
    std::vector<std::u16string> texts;
    for (int i = 0; i < family.rows; ++i) texts.push_back(FunString(family.firstCaption + i));
    return texts;
  }
  if (ListsMacroGroups(parentRow)) return GroupNames();
  if (parentRow == kRecoilFamilyRow) return RecoilMacroNames();
  return {};
}

int32_t FamilyListOffsetRows(uint32_t parentRow) {
  switch (parentRow) {
    case 7: return kOffsetRow7;
    case 8: return kOffsetRow8;
    case kUserMacroRow: return static_cast<int32_t>(kUserMacroRow) - GroupCount();
    case 10: return kOffsetRow10;
    case 11: return kOffsetRow11;
    case kRecoilFamilyRow:
      return static_cast<int32_t>(kRecoilFamilyRow) -
             RecoilMacroCount();
    case kMacroKeyRow: return static_cast<int32_t>(kMacroKeyRow) - GroupCount();
    default: return 0;
  }
}

std::vector<std::u16string> ChooserRows(uint32_t groupRow) {
  if (groupRow < 1 || groupRow > static_cast<uint32_t>(GroupCount())) return {};
  const int group = static_cast<int>(groupRow) - 1;
  const int count = UsableMacroCount(group);
  const auto* first = g_macroNames + group * kMacrosPerGroup;
  return std::vector<std::u16string>(first, first + count);
}

RowTextPlace RowTextPosition(const RowGeometry& geometry, uint32_t row, int32_t textWidth,
                             int32_t textHeight) {
  const int64_t top = (int64_t{row} - 1) * geometry.rowHeight;
  return RowTextPlace{CentredHalf(geometry.width, textWidth),
                      static_cast<int32_t>(top + CentredHalf(geometry.rowHeight, textHeight))};
}

std::optional<RowTextPlace> ChooserTextPosition(const RowGeometry& geometry, uint32_t row,
                                                int32_t textWidth, int32_t textHeight) {
  // (width - text width) as an unsigned value: a negative difference becomes a half of
  // about 2^31, far right of the window.
  const uint32_t xHalf =
      static_cast<uint32_t>(static_cast<int64_t>(geometry.width) - textWidth) / 2u;
  if (xHalf > static_cast<uint32_t>(geometry.width)) return std::nullopt;
  RowTextPlace place = RowTextPosition(geometry, row, textWidth, textHeight);
  place.x = static_cast<int32_t>(xHalf);
  return place;
}

}  // namespace gm
