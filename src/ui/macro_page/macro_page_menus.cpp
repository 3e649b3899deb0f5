#include "ui/macro_page/macro_page_menus.h"

#include <QListWidget>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "editor/macro_editor_state.h"
#include "editor/macro_group_commands.h"
#include "editor/macro_list_edit.h"
#include "editor/macro_list_selection.h"
#include "editor/macro_page_access.h"
#include "editor/macro_step_commands.h"
#include "editor/step_rows.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "settings/config_settings.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/popup_choices.h"
#include "ui/pages/ui_state.h"

namespace gm {

namespace {

// The row under pos (the list's viewport), or -1 when pos lies below the last row or
// outside the list.
int RowAt(const QListWidget& list, QPoint pos) {
  if (!list.viewport()->rect().contains(pos)) return -1;
  const QModelIndex index = list.indexAt(pos);
  return index.isValid() ? index.row() : -1;
}

// The macro of the selected macro-list row, or g_curMacro when that is no macro row.
int EditMacroOf(const CListBoxXI& macroList) {
  const MacroListEntry* entry = MacroListEntryAt(macroList.GetCurSel());
  if (entry == nullptr || entry->kind != kMacroListMacroRow) return g_curMacro;
  return std::min<int>(entry->macro, kMacrosPerGroup - 1);
}

std::optional<StepInsertCommand> InsertCommandOf(int id) {
  switch (id) {
    case kCmdInsertLeftDownAfter: return StepInsertCommand::kLeftDownAfter;
    case kCmdInsertLeftUpAfter: return StepInsertCommand::kLeftUpAfter;
    case kCmdInsertRightDownAfter: return StepInsertCommand::kRightDownAfter;
    case kCmdInsertRightUpAfter: return StepInsertCommand::kRightUpAfter;
    case kCmdInsertMidDownAfterCn: return StepInsertCommand::kMidDownAfterCn;
    case kCmdInsertMidUpAfterCn: return StepInsertCommand::kMidUpAfterCn;
    case kCmdInsertMidDownAfter: return StepInsertCommand::kMidDownAfterEn;
    case kCmdInsertMidUpAfter: return StepInsertCommand::kMidUpAfterEn;
    case kCmdInsertLeftDownBefore: return StepInsertCommand::kLeftDownBefore;
    case kCmdInsertLeftUpBefore: return StepInsertCommand::kLeftUpBefore;
    case kCmdInsertRightDownBefore: return StepInsertCommand::kRightDownBefore;
    case kCmdInsertRightUpBefore: return StepInsertCommand::kRightUpBefore;
    case kCmdInsertCpiSet: return StepInsertCommand::kCpiSet;
    case kCmdInsertCpiReset: return StepInsertCommand::kCpiReset;
    case kCmdInsertLed: return StepInsertCommand::kLed;
    case kCmdInsertDelay: return StepInsertCommand::kDelay;
    case kCmdInsertMoveXmYm: return StepInsertCommand::kMoveXMinusYMinus;
    case kCmdInsertMoveXmYp: return StepInsertCommand::kMoveXMinusYPlus;
    case kCmdInsertMoveXpYm: return StepInsertCommand::kMoveXPlusYMinus;
    case kCmdInsertMoveXpYp: return StepInsertCommand::kMoveXPlusYPlus;
    default: return std::nullopt;
  }
}

}  // namespace

MacroPageMenus::MacroPageMenus(MacroPageShell shell) : shell_(std::move(shell)) {}

bool MacroPageMenus::PageShown() const { return page_ != nullptr && page_->Exists(); }

void MacroPageMenus::ConnectLists() {
  // The connections go with the lists: Destroy disconnects each list from the page's object.
  QObject::connect(page_->MacroList(), &CListBoxXI::rightButtonUp, page_,
                   [this](QPoint pos) { OnMacroListRightButton(pos); });
  QObject::connect(page_->StepList(), &CListBoxXI::rightButtonUp, page_,
                   [this](QPoint pos) { OnStepListRightButton(pos); });
  QObject::connect(page_->ParamList(), &CListBoxXI::rightButtonUp, page_,
                   [this](QPoint pos) { OnParamListRightButton(pos); });
  QObject::connect(page_->MacroList(), &CListBoxXI::editCommitted, page_,
                   [this](int row) { OnListEditCommitted(EditedList::kMacroList, row); });
  QObject::connect(page_->StepList(), &CListBoxXI::editCommitted, page_,
                   [this](int row) { OnListEditCommitted(EditedList::kStepList, row); });
  QObject::connect(page_->ParamList(), &CListBoxXI::editCommitted, page_,
                   [this](int row) { OnListEditCommitted(EditedList::kParamList, row); });
}

int MacroPageMenus::ShowMenu(ContextMenuKind kind, QPoint screenPos) {
  const ContextMenu& menu = ContextMenuOf(kind, g_isEnglish != 0);
  return shell_.runMenu ? shell_.runMenu(menu.items, screenPos) : 0;
}

// ---- Right clicks -------------------------------------------------------------------------------

void MacroPageMenus::OnStepListRightButton(QPoint pos) {
  if (!PageShown() || g_isRecording != 0) return;
  CListBoxXI* steps = page_->StepList();
  const int row = RowAt(*steps, pos);
  if (row < 0) return;
  steps->SetCurSel(row);
  g_stepListSel = g_stepMenuRow = row;
  const int command = ShowMenu(ContextMenuKind::kKeyValue, steps->viewport()->mapToGlobal(pos));
  if (command != 0) RunMenuCommand(command);
}

void MacroPageMenus::OnMacroListRightButton(QPoint pos) {
  if (!PageShown() || g_isRecording != 0) return;
  CListBoxXI* list = page_->MacroList();
  const int row = RowAt(*list, pos);
  if (list->count() > 0 && row < 0) return;
  // The row becomes the current one before its command runs.
  CarryOut(MakeMacroListRowCurrent({MacroRowPick::kRightClick, row, {}}, g_groupExpanded));
  const ContextMenuKind kind =
      IsMacroListMacroRow(row) ? ContextMenuKind::kMacroItem : ContextMenuKind::kMacroList;
  const int command = ShowMenu(kind, list->viewport()->mapToGlobal(pos));
  if (command != 0) RunMenuCommand(command);
}

void MacroPageMenus::OnParamListRightButton(QPoint pos) {
  if (!PageShown() || g_isRecording != 0) return;
  CListBoxXI* params = page_->ParamList();
  const int stepRow = page_->StepList()->GetCurSel();
  if (stepRow < 0 || params->count() == 0) return;
  const int step = StepOfRow(stepRow) & 0xFF;
  if (step >= kMaxMacroSteps || ReadEditorMacro(g_curMacro).code[step] != kStepLighting) return;
  const int row = RowAt(*params, pos);
  if (row < 0) return;
  params->SetCurSel(row);
  g_paramListSel = row;
  const int place = row % kParamRowsPerEntry;
  PopupKind kind{};
  if (place == kParamModeRow) {
    kind = PopupKind::kLedStepModes;
  } else if (place == kParamColorRow && !LightModeDefinesColors(g_ledEntryMode)) {
    kind = PopupKind::kLedStepColors;
  } else {
    return;
  }
  if (!shell_.openLedStepList) return;
  const QPoint screen = params->viewport()->mapToGlobal(pos);
  const QPoint listLeft = params->mapToGlobal(QPoint(0, 0));
  shell_.openLedStepList(kind, LedStepTarget{g_curMacro, g_selLedBlock},
                         QPoint(listLeft.x(), screen.y()));
}

// ---- Commands -----------------------------------------------------------------------------------

void MacroPageMenus::RunMenuCommand(int id) {
  if (!PageShown()) return;
  const bool recording = g_isRecording != 0;
  if (const auto insert = InsertCommandOf(id)) {
    CarryOut(InsertStepCommand(*insert, g_stepMenuRow, recording));
    return;
  }
  CListBoxXI* macroList = page_->MacroList();
  switch (id) {
    case kCmdDeleteStep: CarryOut(DeleteStepCommand(g_stepMenuRow, recording)); break;
    case kCmdDeleteStepValue:
      CarryOut(DeleteStepValueCommand(page_->StepList()->GetCurSel(), g_stepMenuRow, recording));
      break;
    case kCmdModifyStep: ModifyStep(); break;
    case kCmdNewMacroGroup: CarryOut(NewMacroGroup(g_groupExpanded)); break;
    case kCmdNewMacro: CarryOut(NewMacro(macroList->GetCurSel(), g_groupExpanded)); break;
    case kCmdDeleteMacroGroup:
      CarryOut(DeleteMacroGroup(macroList->GetCurSel(), g_groupExpanded));
      break;
    case kCmdDeleteMacro: CarryOut(DeleteMacro(macroList->GetCurSel(), recording)); break;
    case kCmdResetAllMacroGroups: CarryOut(ResetAllMacroGroups(g_groupExpanded)); break;
    case kCmdRenameGroup:
    case kCmdRenameMacro: macroList->OnChar(kBeginEditChar); break;
    case kCmdImportMacroGroup: ImportGroup(); break;
    case kCmdExportMacroGroup: ExportGroup(/*locked=*/false); break;
    case kCmdExportMacroGroupEncrypted: ExportGroup(/*locked=*/true); break;
    default: break;  // the middle-button "before" items do nothing
  }
}

void MacroPageMenus::ModifyStep() {
  CListBoxXI* steps = page_->StepList();
  const int row = steps->GetCurSel();
  const StepModifyDecision decision = DecideStepModify(row, steps->count(), g_isRecording != 0);
  switch (decision.action) {
    case StepModifyAction::kNothing: break;
    case StepModifyAction::kEditInPlace: steps->OnChar(kBeginEditChar); break;
    case StepModifyAction::kCaptureKey: {
      const int step = StepOfRow(row);
      const uint8_t keyCode =
          step >= 0 && step < kMaxMacroSteps ? ReadEditorMacro(g_curMacro).code[step] : 0;
      if (shell_.captureStepKey) shell_.captureStepKey(keyCode, decision.keyName);
      break;
    }
  }
}

void MacroPageMenus::ImportGroup() {
  if (g_macroGroupCount >= kMaxMacroGroups) {
    // Refused before the file dialog, as the command itself refuses it.
    CarryOut(ImportMacroGroup({}, g_groupExpanded));
    return;
  }
  const auto chosen = shell_.chooseGroupFile ? shell_.chooseGroupFile(/*import=*/true)
                                             : std::nullopt;
  if (chosen) CarryOut(ImportMacroGroup(*chosen, g_groupExpanded));
}

void MacroPageMenus::ExportGroup(bool locked) {
  if (g_macroGroupCount <= 0) {
    CarryOut(ExportMacroGroup({}, locked));  // "Error!" without groups
    return;
  }
  const auto chosen = shell_.chooseGroupFile ? shell_.chooseGroupFile(/*import=*/false)
                                             : std::nullopt;
  if (chosen) CarryOut(ExportMacroGroup(*chosen, locked));
}

// ---- Edits and key capture ----------------------------------------------------------------------

void MacroPageMenus::OnListEditCommitted(EditedList list, int row) {
  if (!PageShown()) return;
  CListBoxXI* macroList = page_->MacroList();
  CListBoxXI* steps = page_->StepList();
  CListBoxXI* params = page_->ParamList();
  const CListBoxXI* edited = list == EditedList::kMacroList  ? macroList
                             : list == EditedList::kStepList ? steps
                                                             : params;
  ListEditCommit commit;
  commit.list = list;
  commit.row = row;
  commit.text = edited->GetText(commit.row).toStdU16String();
  commit.stepListSelection = steps->GetCurSel();
  commit.paramListSelection = params->GetCurSel();
  commit.editMacro = EditMacroOf(*macroList);
  g_stepMenuRow = commit.stepListSelection;
  CarryOut(CommitListEdit(commit), commit.list == EditedList::kMacroList ? commit.row : -1);
  // A group row shows no steps, whatever macro was edited last.
  if (commit.list == EditedList::kMacroList && !IsMacroListMacroRow(macroList->GetCurSel())) {
    steps->ResetContent();
  }
}

void MacroPageMenus::OnStepKeyCaptured(uint8_t keyCode) {
  if (!PageShown()) return;
  CarryOut(StoreCapturedStepKey(g_stepListSel, EditMacroOf(*page_->MacroList()), keyCode));
}

// ---- Outcomes -----------------------------------------------------------------------------------

void MacroPageMenus::CarryOut(const MacroCommandOutcome& outcome, int editedRow) {
  page_->CarryOut(outcome, editedRow);
}

}  // namespace gm
