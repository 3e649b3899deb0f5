#pragma once
// CMenuDlg: the skinned pop-up list of one kind (PopupKind): the key functions of a key
// button, the lighting mode, a lighting step's mode or colour, the recoil macros. A release
// on a row stores the choice (popup_choices.h) and tells the list's owner through the list's
// signals, which whoever opens the list connects.
//
// While a family row (7..13) of the key list is hovered, its second-level list (CSubMenuDlg)
// stands beside it; hovering another row replaces or closes it.
//
// User-interface thread only.

#include <QPointer>

#include <cstdint>

#include "ui/pages/popup_choices.h"
#include "ui/popups/popup_list_window.h"

namespace gm {

class CSubMenuDlg;

class CMenuDlg : public PopupListWindow {
  Q_OBJECT

 public:
  // opener: the window the list stands over and whose child it is (the main window, or the
  // recoil dialog for the recoil list).
  CMenuDlg(PopupKind kind, QWidget& opener);
  ~CMenuDlg() override;

  PopupKind Kind() const { return kind_; }
  // The height the list shows: row height x rows.
  int GetMenuHeight() const { return Rows().RowsHeight(); }
  // Kinds 6 and 7: the lighting block the choice goes into.
  void SetLedStepTarget(const LedStepTarget& target) { ledStep_ = target; }
  // Kind 9: the recoil dialog's shown macro, changed by a pick (g_curGun).
  void SetRecoilSelection(int16_t& curGun) { curGun_ = &curGun; }

  QWidget* Owner() const { return owner_; }
  // The open second-level list, or null.
  CSubMenuDlg* SubMenu() const;

 signals:
  // Each is emitted after the choice is stored and before the list closes.
  // The key list's keyboard-key row: the owner runs the key-capture dialog. Connect it queued,
  // so that the dialog runs after the list's handler has returned.
  void keyCaptureRequested();
  // A lighting step's mode list stored a mode: row, the picked row - 1.
  void ledStepModePicked(int row);
  // A lighting step's colour list stored colour.
  void ledStepColorPicked(int color);
  // The recoil list set the dialog's shown macro to the pick; previous: the one shown before.
  void gunSelected(int previous);

 protected:
  std::vector<PopupRow> CurrentRows() const override;
  void HoverChanged() override;
  void Released(uint32_t row) override;

 private:
  void CloseSubMenu();
  void Carry(const PopupOutcome& outcome);

  PopupKind kind_;
  QPointer<QWidget> owner_;
  LedStepTarget ledStep_{};
  int16_t* curGun_ = nullptr;
  QPointer<CSubMenuDlg> subMenu_;
};

}  // namespace gm
