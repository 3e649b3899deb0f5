#pragma once
// The five context menus of the program, in English and in Chinese: the macro-list menu, the
// macro-item menu, the step (key value) menu, the macro-edit menu and the notification-area
// menu. Each menu is a tree of items (ui/controls/menu_items.h).
//
// LoadContextMenus points the five process-wide menus at the tables of a language; the tables
// themselves are constant data. User-interface thread only.

#include <cstdint>
#include <span>
#include <string_view>

#include "ui/controls/menu_items.h"

class QMenu;
class QWidget;

namespace gm {

// One loaded menu: the resource it stands for, its top item (never shown) and the items of its
// first submenu, which is the menu shown.
struct ContextMenu {
  int resourceId = 0;
  std::u16string_view topItem;
  std::span<const MenuItemSpec> items;
};

enum class ContextMenuKind : uint8_t { kMacroList, kMacroItem, kKeyValue, kMacroEdit, kTray };

// ---- Command ids ------------------------------------------------------------------------------
// Notification-area menu.
inline constexpr int kCmdShowWindowEn = 32801;
inline constexpr int kCmdShowWindowCn = 32837;
inline constexpr int kCmdExitDriverEn = 32800;
inline constexpr int kCmdExitDriverCn = 32838;
// Macro-list menu.
inline constexpr int kCmdNewMacroGroup = 32852;
inline constexpr int kCmdNewMacro = 32853;
inline constexpr int kCmdDeleteMacroGroup = 32854;
inline constexpr int kCmdResetAllMacroGroups = 32855;
inline constexpr int kCmdRenameGroup = 32856;
inline constexpr int kCmdImportMacroGroup = 32857;
inline constexpr int kCmdExportMacroGroup = 32858;
inline constexpr int kCmdExportMacroGroupEncrypted = 32865;
// Macro-item menu.
inline constexpr int kCmdRenameMacro = 32859;
inline constexpr int kCmdDeleteMacro = 32860;
// Key-value (step) menu.
inline constexpr int kCmdModifyStep = 32861;
inline constexpr int kCmdDeleteStepValue = 32862;
// Macro-edit menu.
inline constexpr int kCmdInsertLeftDownBefore = 32807;
inline constexpr int kCmdInsertLeftUpBefore = 32808;
inline constexpr int kCmdInsertRightDownBefore = 32809;
inline constexpr int kCmdInsertRightUpBefore = 32810;
inline constexpr int kCmdInsertMidDownBefore = 32811;  // no handler: does nothing
inline constexpr int kCmdInsertMidUpBefore = 32812;    // no handler: does nothing
inline constexpr int kCmdInsertLeftDownAfter = 32813;
inline constexpr int kCmdInsertLeftUpAfter = 32814;
inline constexpr int kCmdInsertRightDownAfter = 32815;
inline constexpr int kCmdInsertRightUpAfter = 32816;
inline constexpr int kCmdInsertMidDownAfterCn = 32847;
inline constexpr int kCmdInsertMidUpAfterCn = 32848;
inline constexpr int kCmdInsertMidDownAfter = 32850;
inline constexpr int kCmdInsertMidUpAfter = 32851;
inline constexpr int kCmdInsertMoveXmYm = 32791;
inline constexpr int kCmdInsertMoveXmYp = 32792;
inline constexpr int kCmdInsertMoveXpYm = 32793;
inline constexpr int kCmdInsertMoveXpYp = 32794;
inline constexpr int kCmdInsertCpiSet = 32797;
inline constexpr int kCmdInsertCpiReset = 32798;
inline constexpr int kCmdInsertLed = 32799;
inline constexpr int kCmdInsertDelay = 32803;
inline constexpr int kCmdDeleteStep = 32806;

// The menu of a kind in a language (English when isEnglish).
const ContextMenu& ContextMenuOf(ContextMenuKind kind, bool isEnglish);

// The five menus of the current language (set by LoadContextMenus; null before).
extern const ContextMenu* g_macroListMenu;
extern const ContextMenu* g_macroItemMenu;
extern const ContextMenu* g_keyValueMenu;
extern const ContextMenu* g_macroEditMenu;
extern const ContextMenu* g_trayMenu;

// Gives the five menus the language's tables, in the order macro list, macro item, key value,
// macro edit, notification area.
void LoadContextMenus(bool isEnglish);

// No menus (null, the start values).
void ResetContextMenus();

// What a command of the notification-area menu asks for.
enum class TrayCommand : uint8_t { kNone, kShowWindow, kExitDriver };
TrayCommand TrayCommandOf(int commandId);

// Builds the menu of the items (submenus included), every item drawn by the program
// (CQelMenu); each command's action has its command id as data(). The menu belongs to parent.
QMenu* BuildQMenu(std::span<const MenuItemSpec> items, QWidget* parent);

}  // namespace gm
