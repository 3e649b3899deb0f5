// The macro page's context menus: which menu a right click opens, the commands of the menus,
// and what the window does with their outcomes.
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <optional>

#include "editor/macro_editor_state.h"
#include "editor/macro_group_commands.h"
#include "editor/macro_list_edit.h"
#include "editor/macro_page_access.h"
#include "editor/macro_step_commands.h"
#include "editor/step_rows.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "settings/config_settings.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/popup_choices.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/window/main_dialog.h"
#include "ui/window/window_page_controls.h"

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

int RunContextMenu(std::span<const MenuItemSpec> items, QWidget& window, QPoint screenPos) {
  QPointer<QMenu> menu = BuildQMenu(items, &window);
  // The click that closes the menu elsewhere is not passed on to the window: it would open
  // the macro-edit menu again from its element.
  menu->setAttribute(Qt::WA_NoMouseReplay);
  const QAction* chosen = menu->exec(screenPos);
  const int command = chosen != nullptr ? chosen->data().toInt() : 0;
  delete menu.data();
  return command;
}

int WindowPageControls::ShowMenu(ContextMenuKind kind, QPoint screenPos) {
  if (window_ == nullptr) return 0;
  const ContextMenu& menu = ContextMenuOf(kind, g_isEnglish != 0);
  return runMenu_ ? runMenu_(menu.items, *window_, screenPos) : 0;
}

// ---- Right clicks -------------------------------------------------------------------------------

void WindowPageControls::OnStepListRightButton(QPoint pos) {
  if (!macro_ || !macro_->Exists() || g_isRecording != 0) return;
  CListBoxXI* steps = macro_->StepList();
  const int row = RowAt(*steps, pos);
  if (row < 0) return;
  steps->SetCurSel(row);
  g_stepListSel = g_stepMenuRow = row;
  const int command = ShowMenu(ContextMenuKind::kKeyValue, steps->viewport()->mapToGlobal(pos));
  if (command != 0) RunMenuCommand(command);
}

void WindowPageControls::OnMacroListRightButton(QPoint pos) {
  if (!macro_ || !macro_->Exists() || g_isRecording != 0) return;
  CListBoxXI* list = macro_->MacroList();
  const bool empty = list->count() == 0;
  const int row = RowAt(*list, pos);
  if (!empty && row < 0) return;
  g_macroListSel = row;
  list->SetCurSel(row);
  const MacroListEntry* entry = MacroListEntryAt(row);
  const bool macroRow = entry != nullptr && entry->kind == kMacroListMacroRow;
  // The row becomes the current one before its command runs.
  if (entry != nullptr) {
    const MacroListEntry current = *entry;
    if (current.group != g_curMacroGroup) SelectEditorGroup(current.group, true);
    macro_->ParamList()->ResetContent();
    if (macroRow) {
      g_curMacro = current.macro;
      macro_->RefreshStepList(g_curMacro);
    } else {
      g_curMacro = 0;
      macro_->StepList()->ResetContent();
    }
  }
  const ContextMenuKind kind = macroRow ? ContextMenuKind::kMacroItem : ContextMenuKind::kMacroList;
  const int command = ShowMenu(kind, list->viewport()->mapToGlobal(pos));
  if (command != 0) RunMenuCommand(command);
}

void WindowPageControls::OnParamListRightButton(QPoint pos) {
  if (!macro_ || !macro_->Exists() || g_isRecording != 0 || window_ == nullptr) return;
  CListBoxXI* params = macro_->ParamList();
  const int stepRow = macro_->StepList()->GetCurSel();
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
  } else if (place == kParamColourRow && !LightModeDefinesColours(g_ledEntryMode)) {
    kind = PopupKind::kLedStepColours;
  } else {
    return;
  }
  auto* main = qobject_cast<CQEL_GMouseDlg*>(window_);
  if (main == nullptr) return;
  const QPoint screen = params->viewport()->mapToGlobal(pos);
  const QPoint listLeft = params->mapToGlobal(QPoint(0, 0));
  CMenuDlg* list = OpenLedStepMenu(kind, LedStepTarget{g_curMacro, g_selLedBlock}, *main,
                                   QPoint(listLeft.x(), screen.y()));
  QObject::connect(list, &CMenuDlg::ledStepModePicked, main, &CQEL_GMouseDlg::OnLedParamChanged);
  QObject::connect(list, &CMenuDlg::ledStepColourPicked, main,
                   &CQEL_GMouseDlg::OnLedParamChanged);
}

// ---- Commands -----------------------------------------------------------------------------------

void WindowPageControls::RunMenuCommand(int id) {
  if (!macro_ || !macro_->Exists()) return;
  const bool recording = g_isRecording != 0;
  if (const auto insert = InsertCommandOf(id)) {
    CarryOut(InsertStepCommand(*insert, g_stepMenuRow, recording));
    return;
  }
  CListBoxXI* macroList = macro_->MacroList();
  switch (id) {
    case kCmdDeleteStep: CarryOut(DeleteStepCommand(g_stepMenuRow, recording)); break;
    case kCmdDeleteStepValue:
      CarryOut(DeleteStepValueCommand(macro_->StepList()->GetCurSel(), g_stepMenuRow, recording));
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

void WindowPageControls::ModifyStep() {
  CListBoxXI* steps = macro_->StepList();
  const int row = steps->GetCurSel();
  const StepModifyDecision decision = DecideStepModify(row, steps->count(), g_isRecording != 0);
  switch (decision.action) {
    case StepModifyAction::kNothing: break;
    case StepModifyAction::kEditInPlace: steps->OnChar(kBeginEditChar); break;
    case StepModifyAction::kCaptureKey: {
      const int step = StepOfRow(row);
      g_capturedKeyCode =
          step >= 0 && step < kMaxMacroSteps ? ReadEditorMacro(g_curMacro).code[step] : 0;
      g_capturedKeyName = decision.keyName;
      if (auto* dialog = dynamic_cast<CQEL_GMouseDlg*>(window_)) dialog->OpenStepKeyCapture();
      break;
    }
  }
}

void WindowPageControls::ImportGroup() {
  if (g_macroGroupCount >= kMaxMacroGroups) {
    // Refused before the file dialog, as the command itself refuses it.
    CarryOut(ImportMacroGroup({}, g_groupExpanded));
    return;
  }
  const auto chosen = chooseGroupFile_ ? chooseGroupFile_(MacroGroupFileChoice::kImport, window_)
                                       : std::nullopt;
  if (chosen) CarryOut(ImportMacroGroup(*chosen, g_groupExpanded));
}

void WindowPageControls::ExportGroup(bool locked) {
  if (g_macroGroupCount <= 0) {
    CarryOut(ExportMacroGroup({}, locked));  // "Error!" without groups
    return;
  }
  const auto chosen = chooseGroupFile_ ? chooseGroupFile_(MacroGroupFileChoice::kExport, window_)
                                       : std::nullopt;
  if (chosen) CarryOut(ExportMacroGroup(*chosen, locked));
}

// ---- Edits and key capture ----------------------------------------------------------------------

void WindowPageControls::OnListEditCommitted(EditedList list, int row) {
  if (!macro_ || !macro_->Exists()) return;
  CListBoxXI* macroList = macro_->MacroList();
  CListBoxXI* steps = macro_->StepList();
  CListBoxXI* params = macro_->ParamList();
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

void WindowPageControls::OnStepKeyCaptured() {
  if (!macro_ || !macro_->Exists()) return;
  CarryOut(StoreCapturedStepKey(g_stepListSel, EditMacroOf(*macro_->MacroList()),
                                g_capturedKeyCode));
}

// ---- Outcomes -----------------------------------------------------------------------------------

void WindowPageControls::CarryOut(const MacroCommandOutcome& outcome, int editedRow) {
  ShowOutcomeMessages(outcome);
  if (!macro_ || !macro_->Exists()) return;  // a message box may outlast the page
  CListBoxXI* macroList = macro_->MacroList();
  if (outcome.restoreMacroListRowText && editedRow >= 0 && editedRow < macroList->count()) {
    const int image = macroList->GetItemImage(editedRow);
    macroList->DeleteString(editedRow);
    macroList->InsertItem(editedRow, QString::fromStdU16String(*outcome.restoreMacroListRowText),
                          image);
    macroList->SetCurSel(editedRow);
  }
  if (outcome.clearStepList) macro_->StepList()->ResetContent();
  if (outcome.clearParamList) macro_->ParamList()->ResetContent();
  if (outcome.disableRepeatEdit) {
    macro_->EnableRepeatEdit(false);
    macro_->SetRepeatEditText(QStringLiteral("1"));
  }
  if (outcome.fillMacroList) macro_->FillMacroList();
  if (outcome.refreshStepListOf) macro_->RefreshStepList(*outcome.refreshStepListOf);
  if (outcome.refreshParamListOf) {
    macro_->AddLedStepLines(*outcome.refreshParamListOf);
    macro_->ParamList()->SetCurSel(outcome.paramListRow);
  }
}

}  // namespace gm
