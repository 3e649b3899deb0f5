#include "ui/pages/popup_choices.h"

#include <cstddef>
#include <span>

#include "macros/led_step_entry.h"
#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"
#include "macros/recoil_macro_names.h"
#include "ui/pages/led_modes.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_state.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

constexpr uint32_t kLastPlainFunctionRow = 6;  // rows 1..6 assign functions 1..6

// First function of a family's row 1, minus one: the function of row i is base + i.
constexpr int32_t kFamilyBaseRow7 = 11;
constexpr int32_t kFamilyBaseRow8 = 22;
constexpr int32_t kFamilyBaseRow10 = 32;
constexpr int32_t kFamilyBaseRow11 = 18;
constexpr int32_t kFamilyBaseRecoil = kFirstRecoilFunction - 1;

constexpr int32_t kMacroModePlain = 0;
constexpr int32_t kMacroModeLeftButton = 1;

struct SelectedKey {
  int config;
  int key;
};

// The key whose list is open, when it names an entry of the key tables.
std::optional<SelectedKey> Selected() {
  const auto config = CurConfigIndex();
  const int key = g_selKey - static_cast<int>(kMainFirstKeyButton);
  if (!config || key < 0 || key >= kMaxKeys) return std::nullopt;
  return SelectedKey{*config, key};
}

void Assign(int32_t function, int32_t macroMode) {
  const auto selected = Selected();
  if (!selected) return;
  g_keyFunction[selected->config][selected->key] = function;
  g_keyMacroMode[selected->config][selected->key] = macroMode;
}

PopupOutcome ClosesAllAfterPick() {
  return PopupOutcome{.close = true, .closeAllLevels = true, .repaintOwner = true};
}

}  // namespace

PopupOutcome ReleaseInKeyList(uint32_t row) {
  if (row >= 1 && row <= kLastPlainFunctionRow) {
    Assign(static_cast<int32_t>(row), kMacroModePlain);
    return PopupOutcome{.close = true, .repaintOwner = true};
  }
  if (row == kKeyboardKeyRow) {
    if (const auto selected = Selected()) {
      auto& param = g_keyParam[selected->config][selected->key];
      if (param.load() == 0) param = kDefaultKeyboardUsage;
    }
    return PopupOutcome{.close = true, .notice = PopupNotice::kOpenKeyCapture};
  }
  return {};  // a family row (its second-level list acts) or no row: the list stays open
}

PopupOutcome ReleaseInLedModeList(uint32_t row) {
  const std::span<const uint8_t> modes = LedModesInList();
  if (row >= 1 && row <= modes.size()) g_ledType = modes[row - 1];
  return PopupOutcome{.close = true, .repaintOwner = true};
}

PopupOutcome ReleaseInLedStepList(PopupKind kind, uint32_t row, const LedStepTarget& target) {
  if (kind == PopupKind::kLedStepModes) {
    if (row < 1 || row > std::size(kLedStepModeOfRow)) return {};
    if (!SetLedStepFirstEntry(target.macro, target.block, LedEntryByte::kMode,
                              kLedStepModeOfRow[row - 1])) {
      return PopupOutcome{.close = true};  // a step without a block of its own: nothing to set
    }
    return PopupOutcome{.close = true,
                        .notice = PopupNotice::kLedStepMode,
                        .value = static_cast<intptr_t>(row - 1)};
  }
  if (kind == PopupKind::kLedStepColors) {
    if (row < 1 || row > std::size(kLedStepColorOfRow)) return {};
    const uint8_t color = kLedStepColorOfRow[row - 1];
    if (!SetLedStepFirstEntry(target.macro, target.block, LedEntryByte::kColor, color)) {
      return PopupOutcome{.close = true};
    }
    return PopupOutcome{.close = true, .notice = PopupNotice::kLedStepColor, .value = color};
  }
  return {};
}

PopupOutcome ReleaseInRecoilList(uint32_t row, int16_t& curGun) {
  const int count = RecoilMacroCount();
  if (row < 1 || row > static_cast<uint32_t>(count)) return {};
  const auto picked = static_cast<int16_t>(row - 1);
  if (picked == curGun) return PopupOutcome{.close = true};
  const int16_t before = curGun;
  curGun = picked;
  return PopupOutcome{.close = true, .notice = PopupNotice::kGunSelected, .value = before};
}

PopupOutcome ReleaseInFamilyList(uint32_t parentRow, uint32_t row) {
  if (ListsMacroGroups(parentRow)) return {};  // the chooser acts
  const auto rows = FamilyRows(parentRow).size();
  if (row < 1 || row > rows) return {};  // the line below the last row: no row
  int32_t base = 0;
  int32_t macroMode = kMacroModePlain;
  switch (parentRow) {
    case 7: base = kFamilyBaseRow7; break;
    case 8: base = kFamilyBaseRow8; break;
    case 10: base = kFamilyBaseRow10; break;
    case 11: base = kFamilyBaseRow11; break;
    case kRecoilFamilyRow:
      base = kFamilyBaseRecoil;
      macroMode = kMacroModeLeftButton;
      break;
    default: return {};
  }
  Assign(base + static_cast<int32_t>(row), macroMode);
  g_subMenuChosen = 1;
  return ClosesAllAfterPick();
}

PopupOutcome ReleaseInChooser(uint32_t parentRow, uint32_t groupRow, uint32_t row) {
  const int groupCount = g_macroGroupCount;
  if (ListsMacroGroups(parentRow) && groupRow >= 1 &&
      groupRow <= static_cast<uint32_t>(groupCount) && groupRow <= kMaxMacroGroups) {
    const int group = static_cast<int>(groupRow) - 1;
    if (row >= 1 && row <= static_cast<uint32_t>(UsableMacroCount(group))) {
      Assign(UserMacroCode(group, static_cast<int>(row) - 1),
             parentRow == kMacroKeyRow ? kMacroModeLeftButton : kMacroModePlain);
    }
  }
  return ClosesAllAfterPick();
}

}  // namespace gm
