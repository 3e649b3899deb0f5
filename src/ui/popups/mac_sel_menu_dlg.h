#pragma once
// MacSelMenuDlg: the macros of one group, beside the group list of the key-function list's
// rows 9 and 13; its bottom edge meets the bottom of the hovered group row. A release on a
// macro assigns it to the selected key (plain under row 9, as a left-button macro under row
// 13); any release closes every level. A group without macros gives a list 0 high.
//
// User-interface thread only.

#include <cstdint>

#include "ui/popups/popup_list_window.h"

namespace gm {

class CSubMenuDlg;

class MacSelMenuDlg : public PopupListWindow {
  Q_OBJECT

 public:
  // groupRow: the hovered row (1-based) of groupList.
  MacSelMenuDlg(uint32_t groupRow, CSubMenuDlg& groupList);
  ~MacSelMenuDlg() override;

  uint32_t GroupRow() const { return groupRow_; }
  // Rows x row height + 1, or 0 without macros.
  int32_t ListHeight() const { return Rows().HeightWithLine(); }
  // The release handler, also for a list 0 high that no pointer can reach.
  void Release(uint32_t row) { Released(row); }

 protected:
  int32_t VisibleHeight() const override { return Rows().HeightWithLine(); }
  std::vector<PopupRow> CurrentRows() const override;
  std::optional<RowTextPlace> TextPlace(uint32_t row, int32_t textWidth,
                                        int32_t textHeight) const override;
  void Released(uint32_t row) override;

 private:
  uint32_t groupRow_;
  CSubMenuDlg* groupList_;  // the parent; outlives this list
};

}  // namespace gm
