#include "ui/popups/sub_menu_dlg.h"

#include "macros/macro_group_names.h"
#include "ui/pages/menu_placement.h"
#include "ui/pages/popup_choices.h"
#include "ui/popups/mac_sel_menu_dlg.h"
#include "ui/popups/menu_dlg.h"

namespace gm {
namespace {

// The chooser is opened in a window of this size; its rows cut it.
constexpr QSize kChooserWindow{300, 400};

}  // namespace

CSubMenuDlg::CSubMenuDlg(uint32_t parentRow, CMenuDlg& keyList)
    : PopupListWindow(keyList, ListsMacroGroups(parentRow) ? kGroupListImages : kPlainListImages,
                      /*heldImage=*/true),
      parentRow_(parentRow),
      keyList_(&keyList) {
  setWindowTitle(QStringLiteral("SubMenuDlg"));
  const QSize mask = PopupMaskSize(kPlainListImages.mask);
  SetRows(ListGeometry(mask.width(), mask.height(),
                       static_cast<int>(FamilyRows(parentRow).size())));
}

CSubMenuDlg::~CSubMenuDlg() = default;

MacSelMenuDlg* CSubMenuDlg::Chooser() const {
  return chooser_ && !chooser_->Closing() ? chooser_.data() : nullptr;
}

std::vector<PopupRow> CSubMenuDlg::CurrentRows() const {
  return TextRows(FamilyRows(parentRow_));
}

void CSubMenuDlg::HoverChanged() {
  if (!ListsMacroGroups(parentRow_)) return;
  // Only a group row replaces the chooser; the line below the last group keeps it.
  if (Hover() == kNoRow || Hover() > static_cast<uint32_t>(g_macroGroupCount)) return;
  if (chooser_) chooser_->CloseList();
  auto* chooser = new MacSelMenuDlg(Hover(), *this);
  chooser_ = chooser;
  const QPoint topLeft = mapToGlobal(QPoint(0, 0));
  const WindowPoint at = PlaceMacroChooser({topLeft.x(), topLeft.y()}, Rows().width,
                                           Rows().rowHeight, Hover(), chooser->ListHeight());
  chooser->ShowAt(QPoint(at.x, at.y), kChooserWindow);
}

void CSubMenuDlg::Released(uint32_t row) {
  const PopupOutcome outcome = ReleaseInFamilyList(parentRow_, row);
  if (outcome.repaintOwner && keyList_->Owner() != nullptr) keyList_->Owner()->update();
  // Closing the key list closes this list and its chooser with it.
  if (outcome.closeAllLevels) keyList_->CloseList();
}

}  // namespace gm
