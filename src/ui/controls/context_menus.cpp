#include "ui/controls/context_menus.h"

#include <array>

#include "ui/controls/qel_menu.h"

namespace gm {

const ContextMenu* g_macroListMenu = nullptr;
const ContextMenu* g_macroItemMenu = nullptr;
const ContextMenu* g_keyValueMenu = nullptr;
const ContextMenu* g_macroEditMenu = nullptr;
const ContextMenu* g_trayMenu = nullptr;

namespace {

// Resource numbers of the menus, English and Chinese.
constexpr int kMacroListMenuEn = 191;
constexpr int kMacroListMenuCn = 165;
constexpr int kMacroItemMenuEn = 192;
constexpr int kMacroItemMenuCn = 166;
constexpr int kKeyValueMenuEn = 193;
constexpr int kKeyValueMenuCn = 167;
constexpr int kMacroEditMenuEn = 190;
constexpr int kMacroEditMenuCn = 161;
constexpr int kTrayMenuEn = 157;
constexpr int kTrayMenuCn = 162;

// ---- Macro list --------------------------------------------------------------------------------
constexpr std::array<MenuItemSpec, 8> kMacroListItemsEn{{
    {u"New macro group  ", kCmdNewMacroGroup},
    {u"New macro  ", kCmdNewMacro},
    {u"Delete macro group  ", kCmdDeleteMacroGroup},
    {u"Reset all macro groups  ", kCmdResetAllMacroGroups},
    {u"Rename  ", kCmdRenameGroup},
    {u"Import macro group  ", kCmdImportMacroGroup},
    {u"Export macro group  ", kCmdExportMacroGroup},
    {u"Export macro group encryption", kCmdExportMacroGroupEncrypted},
}};
constexpr std::array<MenuItemSpec, 8> kMacroListItemsCn{{
    {u"新建宏组", kCmdNewMacroGroup},
    {u"新建宏", kCmdNewMacro},
    {u"删除宏组", kCmdDeleteMacroGroup},
    {u"重置所有宏组   ", kCmdResetAllMacroGroups},
    {u"重命名", kCmdRenameGroup},
    {u"导入宏组", kCmdImportMacroGroup},
    {u"导出宏组", kCmdExportMacroGroup},
    {u"导出宏组 加密   ", kCmdExportMacroGroupEncrypted},
}};

// ---- Macro item, key value ----------------------------------------------------------------------
constexpr std::array<MenuItemSpec, 2> kMacroItemItemsEn{{
    {u"Rename  ", kCmdRenameMacro},
    {u"Delete", kCmdDeleteMacro},
}};
constexpr std::array<MenuItemSpec, 2> kMacroItemItemsCn{{
    {u"重命名  ", kCmdRenameMacro},
    {u"删除", kCmdDeleteMacro},
}};
constexpr std::array<MenuItemSpec, 2> kKeyValueItemsEn{{
    {u"Modify  ", kCmdModifyStep},
    {u"Delete", kCmdDeleteStepValue},
}};
constexpr std::array<MenuItemSpec, 2> kKeyValueItemsCn{{
    {u"修改  ", kCmdModifyStep},
    {u"删除", kCmdDeleteStepValue},
}};

// ---- Macro edit, English ------------------------------------------------------------------------
constexpr std::array<MenuItemSpec, 2> kLeftBeforeEn{{
    {u"Down    ", kCmdInsertLeftDownBefore}, {u"Up   ", kCmdInsertLeftUpBefore}}};
constexpr std::array<MenuItemSpec, 2> kRightBeforeEn{{
    {u"Down   ", kCmdInsertRightDownBefore}, {u"Up   ", kCmdInsertRightUpBefore}}};
constexpr std::array<MenuItemSpec, 2> kMidBeforeEn{{
    {u"Down   ", kCmdInsertMidDownBefore}, {u"Up   ", kCmdInsertMidUpBefore}}};
constexpr std::array<MenuItemSpec, 3> kInsertBeforeEn{{
    {u"Left button   ", kSubmenuItemId, kLeftBeforeEn},
    {u"Right button   ", kSubmenuItemId, kRightBeforeEn},
    {u"Middle button   ", kSubmenuItemId, kMidBeforeEn},
}};
constexpr std::array<MenuItemSpec, 2> kLeftAfterEn{{
    {u"Down   ", kCmdInsertLeftDownAfter}, {u"Up   ", kCmdInsertLeftUpAfter}}};
constexpr std::array<MenuItemSpec, 2> kRightAfterEn{{
    {u"Down   ", kCmdInsertRightDownAfter}, {u"Up   ", kCmdInsertRightUpAfter}}};
constexpr std::array<MenuItemSpec, 2> kMidAfterEn{{
    {u"Down   ", kCmdInsertMidDownAfter}, {u"Up   ", kCmdInsertMidUpAfter}}};
constexpr std::array<MenuItemSpec, 3> kInsertAfterEn{{
    {u"Left button   ", kSubmenuItemId, kLeftAfterEn},
    {u"Right button   ", kSubmenuItemId, kRightAfterEn},
    {u"Mid button   ", kSubmenuItemId, kMidAfterEn},
}};
constexpr std::array<MenuItemSpec, 4> kInsertXyEn{{
    {u"X-,Y-", kCmdInsertMoveXmYm},
    {u"X-,Y+", kCmdInsertMoveXmYp},
    {u"X+,Y-", kCmdInsertMoveXpYm},
    {u"X+,Y+", kCmdInsertMoveXpYp},
}};
constexpr std::array<MenuItemSpec, 2> kInsertCpiEn{{
    {u"Set CPI", kCmdInsertCpiSet}, {u"Reset CPI", kCmdInsertCpiReset}}};
constexpr std::array<MenuItemSpec, 7> kMacroEditItemsEn{{
    {u"Insert before item     ", kSubmenuItemId, kInsertBeforeEn},
    {u"Insert after item", kSubmenuItemId, kInsertAfterEn},
    {u"Insert XY    ", kSubmenuItemId, kInsertXyEn},
    {u"Insert CPI", kSubmenuItemId, kInsertCpiEn},
    {u"Insert LED", kCmdInsertLed},
    {u"Insert [delay]", kCmdInsertDelay},
    {u"Delete option", kCmdDeleteStep},
}};

// ---- Macro edit, Chinese ------------------------------------------------------------------------
constexpr std::array<MenuItemSpec, 2> kLeftBeforeCn{{
    {u"向下   ", kCmdInsertLeftDownBefore}, {u"向上   ", kCmdInsertLeftUpBefore}}};
constexpr std::array<MenuItemSpec, 2> kRightBeforeCn{{
    {u"向下   ", kCmdInsertRightDownBefore}, {u"向上   ", kCmdInsertRightUpBefore}}};
constexpr std::array<MenuItemSpec, 2> kMidBeforeCn{{
    {u"向下   ", kCmdInsertMidDownBefore}, {u"向上   ", kCmdInsertMidUpBefore}}};
constexpr std::array<MenuItemSpec, 3> kInsertBeforeCn{{
    {u"左键   ", kSubmenuItemId, kLeftBeforeCn},
    {u"右键   ", kSubmenuItemId, kRightBeforeCn},
    {u"中键   ", kSubmenuItemId, kMidBeforeCn},
}};
constexpr std::array<MenuItemSpec, 2> kLeftAfterCn{{
    {u"向下  ", kCmdInsertLeftDownAfter}, {u"向上", kCmdInsertLeftUpAfter}}};
constexpr std::array<MenuItemSpec, 2> kRightAfterCn{{
    {u"向下   ", kCmdInsertRightDownAfter}, {u"向上", kCmdInsertRightUpAfter}}};
constexpr std::array<MenuItemSpec, 2> kMidAfterCn{{
    {u"向下   ", kCmdInsertMidDownAfterCn}, {u"向上   ", kCmdInsertMidUpAfterCn}}};
constexpr std::array<MenuItemSpec, 3> kInsertAfterCn{{
    {u"左键   ", kSubmenuItemId, kLeftAfterCn},
    {u"右键   ", kSubmenuItemId, kRightAfterCn},
    {u"中键   ", kSubmenuItemId, kMidAfterCn},
}};
constexpr std::array<MenuItemSpec, 4> kInsertXyCn{{
    {u"X负,Y负   ", kCmdInsertMoveXmYm},
    {u"X负,Y正   ", kCmdInsertMoveXmYp},
    {u"X正,Y负   ", kCmdInsertMoveXpYm},
    {u"X正,Y正   ", kCmdInsertMoveXpYp},
}};
constexpr std::array<MenuItemSpec, 2> kInsertCpiCn{{
    {u"设定CPI", kCmdInsertCpiSet}, {u"返回CPI至执行前", kCmdInsertCpiReset}}};
constexpr std::array<MenuItemSpec, 7> kMacroEditItemsCn{{
    {u"项前插入    ", kSubmenuItemId, kInsertBeforeCn},
    {u"项后插入", kSubmenuItemId, kInsertAfterCn},
    {u"插入弹道修正     ", kSubmenuItemId, kInsertXyCn},
    {u"插入CPI", kSubmenuItemId, kInsertCpiCn},
    {u"插入LED", kCmdInsertLed},
    {u"插入[延迟]", kCmdInsertDelay},
    {u"删除选项", kCmdDeleteStep},
}};

// ---- Notification area --------------------------------------------------------------------------
constexpr std::array<MenuItemSpec, 2> kTrayItemsEn{{
    {u"Show Window", kCmdShowWindowEn}, {u"Exit Driver", kCmdExitDriverEn}}};
constexpr std::array<MenuItemSpec, 2> kTrayItemsCn{{
    {u"显示窗口   ", kCmdShowWindowCn}, {u"关闭驱动", kCmdExitDriverCn}}};

// Indexed by ContextMenuKind.
constexpr std::array<ContextMenu, 5> kMenusEn{{
    {kMacroListMenuEn, u"宏列表下拉", kMacroListItemsEn},
    {kMacroItemMenuEn, u"宏", kMacroItemItemsEn},
    {kKeyValueMenuEn, u"Key值", kKeyValueItemsEn},
    {kMacroEditMenuEn, u"宏编辑", kMacroEditItemsEn},
    {kTrayMenuEn, u"Menu_Tray", kTrayItemsEn},
}};
constexpr std::array<ContextMenu, 5> kMenusCn{{
    {kMacroListMenuCn, u"宏列表下拉", kMacroListItemsCn},
    {kMacroItemMenuCn, u"宏", kMacroItemItemsCn},
    {kKeyValueMenuCn, u"Key值", kKeyValueItemsCn},
    {kMacroEditMenuCn, u"宏编辑", kMacroEditItemsCn},
    {kTrayMenuCn, u"托盘菜单", kTrayItemsCn},
}};

}  // namespace

const ContextMenu& ContextMenuOf(ContextMenuKind kind, bool isEnglish) {
  const auto& menus = isEnglish ? kMenusEn : kMenusCn;
  return menus[static_cast<std::size_t>(kind)];
}

void LoadContextMenus(bool isEnglish) {
  g_macroListMenu = &ContextMenuOf(ContextMenuKind::kMacroList, isEnglish);
  g_macroItemMenu = &ContextMenuOf(ContextMenuKind::kMacroItem, isEnglish);
  g_keyValueMenu = &ContextMenuOf(ContextMenuKind::kKeyValue, isEnglish);
  g_macroEditMenu = &ContextMenuOf(ContextMenuKind::kMacroEdit, isEnglish);
  g_trayMenu = &ContextMenuOf(ContextMenuKind::kTray, isEnglish);
}

TrayCommand TrayCommandOf(int commandId) {
  switch (commandId) {
    case kCmdShowWindowEn:
    case kCmdShowWindowCn: return TrayCommand::kShowWindow;
    case kCmdExitDriverEn:
    case kCmdExitDriverCn: return TrayCommand::kExitDriver;
    default: return TrayCommand::kNone;
  }
}

QMenu* BuildQMenu(std::span<const MenuItemSpec> items, QWidget* parent) {
  auto* menu = new CQelMenu(parent);
  menu->Load(items);
  return menu;
}

void ResetContextMenus() {
  g_macroListMenu = nullptr;
  g_macroItemMenu = nullptr;
  g_keyValueMenu = nullptr;
  g_macroEditMenu = nullptr;
  g_trayMenu = nullptr;
}

}  // namespace gm
