// What the user's selections and double clicks in the macro page's lists do.
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "editor/macro_editor_state.h"
#include "editor/macro_list_selection.h"
#include "editor/macro_page_access.h"
#include "editor/step_rows.h"
#include "platform/text.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/ui_state.h"

namespace gm {

namespace {

// Closes the open skinned pop-up list, as a selection in a list does.
void ClosePopup(const MacroPageHooks& hooks) {
  if (g_popupOpened == 0) return;
  if (hooks.closePopup) hooks.closePopup();
  g_popupOpened = 0;
}

}  // namespace

void MacroPageControls::OnSelChangeMacroList() {
  if (macroList_ == nullptr) return;
  if (hooks_.macroListSelection) hooks_.macroListSelection();
  // A selection in the macro list ends a running recording without storing it.
  if (g_isRecording != 0) {
    g_isRecording = 0;
    if (hooks_.endRecordingHook) hooks_.endRecordingHook();
  }
  CarryOut(MakeMacroListRowCurrent(
      {MacroRowPick::kClick, macroList_->GetCurSel(), repeatEdit_->text().toStdU16String()},
      g_groupExpanded));
}

void MacroPageControls::OnDblClkMacroList() {
  if (macroList_ == nullptr) return;
  const int sel = macroList_->GetCurSel();
  if (sel < 0) return;
  // As a right click on the row: the row's context menu opens.
  const QPoint centre = macroList_->visualItemRect(macroList_->item(sel)).center();
  QMouseEvent release(QEvent::MouseButtonRelease, centre,
                      macroList_->viewport()->mapToGlobal(centre), Qt::RightButton,
                      Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(macroList_->viewport(), &release);
}

void MacroPageControls::OnSelChangeStepList() {
  if (stepList_ == nullptr) return;
  ClosePopup(hooks_);
  const int row = stepList_->GetCurSel();
  const int step = row < 0 ? -1 : StepOfRow(row) & 0xFF;
  if (step >= 0 && step < kMaxMacroSteps) {
    const MacroRecord record = ReadEditorMacro(g_curMacro);
    if (record.code[step] == kStepLighting) {
      g_ledStepAction = record.action[step];
      g_selLedBlock = LowByte(record.xy[step].x);
      AddLedStepLines(g_selLedBlock);
      return;
    }
  }
  paramList_->ResetContent();
}

void MacroPageControls::OnSelChangeParamList() {
  if (paramList_ == nullptr) return;
  g_paramListSel = paramList_->GetCurSel();
  ClosePopup(hooks_);
}

void MacroPageControls::OnDblClkParamList() {
  if (paramList_ == nullptr) return;
  const int row = paramList_->GetCurSel();
  if (row <= 0) return;
  // A double click edits in place a row of place 0 or the time row, row 0 (the entry count)
  // excepted.
  const int place = row % kParamRowsPerEntry;
  if (place == 0 || place == kParamTimeRow) paramList_->OnChar(kBeginEditChar);
}

void MacroPageControls::OnLedParamChanged() { AddLedStepLines(g_selLedBlock); }

}  // namespace gm
