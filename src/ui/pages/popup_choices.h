#pragma once
// What a left-button release in a skinned pop-up list does. Each function stores the choice
// in the settings or the macro tables itself and returns what the windows must do: close
// lists, tell their owner, show the change. User-interface thread only.
//
// The key lists act on the selected key: key g_selKey - 20 of configuration g_curConfig. A
// selected key or configuration outside the tables stores nothing (the lists still close).

#include <cstdint>

#include "macros/macro_record.h"
#include "settings/key_function.h"
#include "ui/pages/popup_rows.h"

namespace gm {

// What a list tells its owner.
enum class PopupNotice : uint8_t {
  kNone,
  kOpenKeyCapture,  // to the main window, after the list's handler: run the key-capture dialog
  kLedStepMode,     // to the main window: value = the picked row - 1
  kLedStepColor,   // to the main window: value = the colour stored
  kGunSelected,     // to the recoil dialog: value = the recoil macro shown before
};

struct PopupOutcome {
  bool close = false;         // this list closes
  bool closeAllLevels = false;  // every key list closes (a pick in a second or third level)
  bool repaintOwner = false;  // the window that opened the first level shows the change
  PopupNotice notice = PopupNotice::kNone;
  intptr_t value = 0;

  bool operator==(const PopupOutcome&) const = default;
};

// Where a lighting-step list stores its choice: a block of a record of the open group.
struct LedStepTarget {
  int macro = 0;  // index into g_macros (g_curMacro)
  int block = 0;  // lighting block of the step (its x)
};

// The values the lighting-step lists store, by row (rows 4 and 5 of the mode list and 5..7
// of the colour list lie outside their windows).
inline constexpr uint8_t kLedStepModeOfRow[5] = {kLightModeSingleBreath, kLightModeConstantly,
                                                 kLightModeNeon, kLightModeNeon,
                                                 kLightModeAmbilight};
inline constexpr uint8_t kLedStepColorOfRow[7] = {1, 3, 5, 7, 5, 6, 7};
// The usage the keyboard-key row gives a key that has none yet (the A key).
inline constexpr uint8_t kDefaultKeyboardUsage = 4;

// Key list (kind 1): rows 1..6 assign functions 1..6 (plain), row 14 opens key capture; rows
// 7..13 and releases outside every row do nothing and the list stays open.
PopupOutcome ReleaseInKeyList(uint32_t row);
// Lighting-mode list (kind 4): a row sets g_ledType to its mode (LedModesInList); it always
// closes.
PopupOutcome ReleaseInLedModeList(uint32_t row);
// Lighting-step mode (kind 6) and colour (kind 7) lists. A step whose block lies outside the
// record's five (a lighting step inserted at the limit has none) closes the list unchanged.
PopupOutcome ReleaseInLedStepList(PopupKind kind, uint32_t row, const LedStepTarget& target);
// Recoil list (kind 9): curGun is the recoil dialog's shown macro (g_curGun).
PopupOutcome ReleaseInRecoilList(uint32_t row, int16_t& curGun);

// The second-level list of family row parentRow: a release on one of its rows assigns the
// family's function and sets g_subMenuChosen; on a group list (rows 9, 13) or outside every
// row nothing happens and the lists stay open.
PopupOutcome ReleaseInFamilyList(uint32_t parentRow, uint32_t row);
// The macro chooser of group row groupRow under parent row 9 or 13: macro row `row` of an
// existing group assigns that macro; every release closes all levels.
PopupOutcome ReleaseInChooser(uint32_t parentRow, uint32_t groupRow, uint32_t row);

}  // namespace gm
