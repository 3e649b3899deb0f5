#include "ui/popups/popup_menus.h"

#include <QPointer>
#include <QWidget>

#include "ui/pages/menu_placement.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/window_placement.h"

namespace gm {
namespace {

QPointer<CMenuDlg>& MainSlot() {
  static QPointer<CMenuDlg> slot;
  return slot;
}

QPointer<CMenuDlg>& RecoilSlot() {
  static QPointer<CMenuDlg> slot;
  return slot;
}

CMenuDlg* Live(const QPointer<CMenuDlg>& slot) {
  return slot && !slot->Closing() ? slot.data() : nullptr;
}

void CloseSlot(QPointer<CMenuDlg>& slot) {
  if (slot) slot->CloseList();
  slot = nullptr;
}

// The bottom of the screen the window is on (the screen height for the first screen).
int32_t ScreenBottom(const QWidget& window) {
  const ScreenArea area = ScreenAreaOf(window);
  return area.y + area.height;
}

WindowPoint OriginOf(const QWidget& window) {
  const QPoint origin = window.mapToGlobal(QPoint(0, 0));
  return WindowPoint{origin.x(), origin.y()};
}

// A new list of the main window, replacing the open one.
CMenuDlg* NewMainWindowList(PopupKind kind, QWidget& mainWindow) {
  CloseMainWindowPopup();
  g_menuKind = static_cast<int>(kind);
  g_popupOpened = 1;
  auto* list = new CMenuDlg(kind, mainWindow);
  MainSlot() = list;
  return list;
}

}  // namespace

CMenuDlg* MainWindowPopup() { return Live(MainSlot()); }

void CloseMainWindowPopup() { CloseSlot(MainSlot()); }

CMenuDlg* OpenKeyMenu(QWidget& mainWindow, const SkinRect& button) {
  CMenuDlg* list = NewMainWindowList(PopupKind::kKeyFunctions, mainWindow);
  const MenuPlacement at =
      PlaceKeyMenu(button, OriginOf(mainWindow), list->GetMenuHeight(), ScreenBottom(mainWindow));
  list->ShowAt(QPoint(at.x, at.y), QSize(at.width, at.height));
  return list;
}

CMenuDlg* OpenLedModeMenu(QWidget& mainWindow, const SkinRect& button) {
  CMenuDlg* list = NewMainWindowList(PopupKind::kLedModes, mainWindow);
  const MenuPlacement at = PlaceLedModeMenu(button, OriginOf(mainWindow));
  list->ShowAt(QPoint(at.x, at.y), QSize(at.width, at.height));
  return list;
}

CMenuDlg* OpenLedStepMenu(PopupKind kind, const LedStepTarget& step, QWidget& mainWindow,
                          QPoint screenTopLeft) {
  if (kind != PopupKind::kLedStepModes && kind != PopupKind::kLedStepColors) return nullptr;
  CMenuDlg* list = NewMainWindowList(kind, mainWindow);
  list->SetLedStepTarget(step);
  list->ShowAt(screenTopLeft, QSize(list->Rows().width, kStepListWindowHeight));
  return list;
}

CMenuDlg* OpenRecoilMenu(QWidget& parentDialog, QPoint screenTopLeft, int16_t& curGun) {
  CloseRecoilMenu();
  g_menuKind = static_cast<int>(PopupKind::kRecoilMacros);
  auto* list = new CMenuDlg(PopupKind::kRecoilMacros, parentDialog);
  list->SetRecoilSelection(curGun);
  RecoilSlot() = list;
  list->ShowAt(screenTopLeft, QSize(kRecoilListWindowWidth, kRecoilListWindowHeight));
  return list;
}

CMenuDlg* RecoilPopup() { return Live(RecoilSlot()); }

void CloseRecoilMenu() { CloseSlot(RecoilSlot()); }

}  // namespace gm
