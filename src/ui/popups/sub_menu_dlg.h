#pragma once
// CSubMenuDlg: the second-level list of a family row (7..13) of the key-function list, beside
// it. A pick on one of its rows assigns the family's function to the selected key and closes
// every level; the main window then repaints (and drops the key list, g_subMenuChosen). The
// lists of rows 9 and 13 show the macro groups: hovering a group opens its macro chooser
// (MacSelMenuDlg), and a release on a group does nothing.
//
// User-interface thread only.

#include <QPointer>

#include <cstdint>

#include "ui/popups/popup_list_window.h"

namespace gm {

class CMenuDlg;
class MacSelMenuDlg;

class CSubMenuDlg : public PopupListWindow {
  Q_OBJECT

 public:
  // parentRow: the hovered row of keyList that this list belongs to.
  CSubMenuDlg(uint32_t parentRow, CMenuDlg& keyList);
  ~CSubMenuDlg() override;

  uint32_t ParentRow() const { return parentRow_; }
  CMenuDlg& KeyList() const { return *keyList_; }
  // The open macro chooser, or null.
  MacSelMenuDlg* Chooser() const;

 protected:
  int32_t VisibleHeight() const override { return Rows().HeightWithLine(); }
  std::vector<PopupRow> CurrentRows() const override;
  void HoverChanged() override;
  void Released(uint32_t row) override;

 private:
  uint32_t parentRow_;
  CMenuDlg* keyList_;  // the parent; outlives this list
  QPointer<MacSelMenuDlg> chooser_;
};

}  // namespace gm
