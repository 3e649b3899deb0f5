#include "ui/popups/mac_sel_menu_dlg.h"

#include "ui/pages/popup_choices.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/sub_menu_dlg.h"

namespace gm {

MacSelMenuDlg::MacSelMenuDlg(uint32_t groupRow, CSubMenuDlg& groupList)
    : PopupListWindow(groupList, kChooserImages, /*heldImage=*/false),
      groupRow_(groupRow),
      groupList_(&groupList) {
  const QSize mask = PopupMaskSize(kChooserImages.mask);
  SetRows(ListGeometry(mask.width(), mask.height(),
                       static_cast<int>(ChooserRows(groupRow).size())));
}

MacSelMenuDlg::~MacSelMenuDlg() = default;

std::vector<PopupRow> MacSelMenuDlg::CurrentRows() const {
  return TextRows(ChooserRows(groupRow_));
}

std::optional<RowTextPlace> MacSelMenuDlg::TextPlace(uint32_t row, int32_t textWidth,
                                                     int32_t textHeight) const {
  return ChooserTextPosition(Rows(), row, textWidth, textHeight);
}

void MacSelMenuDlg::Released(uint32_t row) {
  CMenuDlg& keyList = groupList_->KeyList();
  const PopupOutcome outcome = ReleaseInChooser(groupList_->ParentRow(), groupRow_, row);
  if (outcome.repaintOwner && keyList.Owner() != nullptr) keyList.Owner()->update();
  if (outcome.closeAllLevels) keyList.CloseList();
}

}  // namespace gm
