#include "ui/popups/menu_dlg.h"

#include "macros/macro_tables.h"
#include "macros/recoil_macro_names.h"
#include "ui/pages/menu_placement.h"
#include "ui/popups/sub_menu_dlg.h"

namespace gm {
namespace {

// The second-level list is opened in a window of this size; its rows cut it.
constexpr QSize kFamilyListWindow{300, 400};

}  // namespace

CMenuDlg::CMenuDlg(PopupKind kind, QWidget& opener)
    : PopupListWindow(opener, PopupImagesOf(kind), /*heldImage=*/true),
      kind_(kind),
      owner_(&opener) {
  setWindowTitle(QStringLiteral("MainMenuDlg"));
  const QSize mask = PopupMaskSize(PopupImagesOf(kind).mask);
  SetRows(PopupGeometry(kind, mask.width(), mask.height(),
                        RecoilMacroCount()));
  // The key captions and the second-level lists show the group files as they are now.
  LoadMacroNames();
}

CMenuDlg::~CMenuDlg() = default;

CSubMenuDlg* CMenuDlg::SubMenu() const {
  return subMenu_ && !subMenu_->Closing() ? subMenu_.data() : nullptr;
}

std::vector<PopupRow> CMenuDlg::CurrentRows() const { return PopupRows(kind_); }

void CMenuDlg::CloseSubMenu() {
  if (subMenu_) subMenu_->CloseList();
  subMenu_ = nullptr;
}

void CMenuDlg::HoverChanged() {
  if (kind_ != PopupKind::kKeyFunctions) return;
  CloseSubMenu();
  if (!IsFamilyRow(Hover())) return;
  auto* list = new CSubMenuDlg(Hover(), *this);
  subMenu_ = list;
  const QPoint topLeft = mapToGlobal(QPoint(0, 0));
  const WindowPoint at =
      PlaceFamilyList({topLeft.x(), topLeft.y()}, Rows().width, Rows().rowHeight,
                      FamilyListOffsetRows(Hover()));
  list->ShowAt(QPoint(at.x, at.y), kFamilyListWindow);
}

void CMenuDlg::Released(uint32_t row) {
  switch (kind_) {
    case PopupKind::kKeyFunctions: Carry(ReleaseInKeyList(row)); break;
    case PopupKind::kLedModes: Carry(ReleaseInLedModeList(row)); break;
    case PopupKind::kLedStepModes:
    case PopupKind::kLedStepColors: Carry(ReleaseInLedStepList(kind_, row, ledStep_)); break;
    case PopupKind::kRecoilMacros:
      if (curGun_ != nullptr) Carry(ReleaseInRecoilList(row, *curGun_));
      break;
  }
}

void CMenuDlg::Carry(const PopupOutcome& outcome) {
  // The owner hears of the choice before the list goes, as it did while the list was open.
  switch (outcome.notice) {
    case PopupNotice::kNone: break;
    case PopupNotice::kOpenKeyCapture:
      if (owner_) emit keyCaptureRequested();
      break;
    case PopupNotice::kLedStepMode:
      emit ledStepModePicked(static_cast<int>(outcome.value));
      break;
    case PopupNotice::kLedStepColor:
      emit ledStepColorPicked(static_cast<int>(outcome.value));
      break;
    case PopupNotice::kGunSelected: emit gunSelected(static_cast<int>(outcome.value)); break;
  }
  if (outcome.repaintOwner && owner_) owner_->update();
  if (outcome.close || outcome.closeAllLevels) CloseList();
}

}  // namespace gm
