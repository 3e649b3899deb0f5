#include "ui/window/window_page_controls.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <utility>

#include "editor/macro_editor_state.h"
#include "editor/macro_list_selection.h"
#include "macros/macro_play_mode.h"
#include "macros/macro_record.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/page_input.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/window/main_dialog.h"

namespace gm {

namespace {

const UserMessage& SelectMacroMessage() {
  static const UserMessage message{u"请选择一个宏", u"Please select a macro"};
  return message;
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

WindowPageControls::WindowPageControls(MacroGroupFileChooser chooseGroupFile,
                                       ContextMenuRunner runMenu)
    : chooseGroupFile_(std::move(chooseGroupFile)), runMenu_(std::move(runMenu)),
      menus_(Shell()) {}

WindowPageControls::~WindowPageControls() {
  // Whatever the going controls still signal finds no page.
  menus_.Attach(nullptr);
  macro_.reset();
}

MacroPageShell WindowPageControls::Shell() {
  MacroPageShell shell;
  shell.runMenu = [this](std::span<const MenuItemSpec> items, QPoint screenPos) {
    return window_ != nullptr && runMenu_ ? runMenu_(items, *window_, screenPos) : 0;
  };
  shell.chooseGroupFile = [this](bool import) -> std::optional<std::filesystem::path> {
    if (!chooseGroupFile_) return std::nullopt;
    return chooseGroupFile_(import ? MacroGroupFileChoice::kImport : MacroGroupFileChoice::kExport,
                            window_);
  };
  shell.captureStepKey = [this](uint8_t keyCode, const std::u16string& keyName) {
    g_capturedKeyCode = keyCode;
    g_capturedKeyName = keyName;
    if (auto* dialog = dynamic_cast<CQEL_GMouseDlg*>(window_)) dialog->OpenStepKeyCapture();
  };
  shell.openLedStepList = [this](PopupKind kind, const LedStepTarget& step, QPoint topLeft) {
    auto* main = qobject_cast<CQEL_GMouseDlg*>(window_);
    if (main == nullptr) return;
    CMenuDlg* list = OpenLedStepMenu(kind, step, *main, topLeft);
    QObject::connect(list, &CMenuDlg::ledStepModePicked, main,
                     &CQEL_GMouseDlg::OnLedParamChanged);
    QObject::connect(list, &CMenuDlg::ledStepColorPicked, main,
                     &CQEL_GMouseDlg::OnLedParamChanged);
  };
  return shell;
}

void WindowPageControls::Run(const InputAction& action, QWidget& window) {
  window_ = &window;
  switch (action.kind) {
    case InputActionKind::kClosePopupMenu:
    case InputActionKind::kOpenKeyMenu:
    case InputActionKind::kOpenLedModeMenu:
    case InputActionKind::kMacroRecoilEditor: popups_.Run(action, window); break;
    case InputActionKind::kCreateMacroControls: CreateMacroPage(window); break;
    case InputActionKind::kDestroyMacroControls:
      // A recording ends before the lists it shows its steps in go away.
      if (onMacroControlsDestroyed) onMacroControlsDestroyed();
      if (macro_) macro_->Destroy();
      break;
    case InputActionKind::kEndMacroListEdits:
      if (macro_) macro_->EndEdits();
      break;
    case InputActionKind::kTakeMacroListSelection: {
      const CListBoxXI* list = macro_ ? macro_->MacroList() : nullptr;
      TakeMacroListSelection(list != nullptr ? list->GetCurSel() : -1);
      break;
    }
    case InputActionKind::kMacroRecord:
      if (onRecord) onRecord(action, window);
      break;
    case InputActionKind::kMacroInsertMenu: OpenInsertMenu(action.element); break;
    case InputActionKind::kMacroPlayMode: SetPlayMode(action.playMode); break;
    default: break;
  }
}

void WindowPageControls::CloseKeyPopupAfterChoice() { popups_.CloseKeyPopupAfterChoice(); }

// ---- Lifetime -----------------------------------------------------------------------------------

void WindowPageControls::CreateMacroPage(QWidget& window) {
  if (!macro_) {
    MacroPageHooks hooks;
    hooks.closePopup = [] { CloseMainWindowPopup(); };
    hooks.macroListSelection = [this] {
      if (onMacroListSelection) onMacroListSelection();
    };
    macro_ = std::make_unique<MacroPageControls>(window, std::move(hooks));
    menus_.Attach(macro_.get());
    macro_->LoadImageLists(g_skinsFolder);
  }
  if (macro_->Exists()) return;
  macro_->Create(g_isEnglish != 0);
  menus_.ConnectLists();
  macro_->FillMacroList();
  if (IsMacroListMacroRow(g_macroListSel)) macro_->RefreshStepList(g_curMacro);
}

void WindowPageControls::RefillMacroPageAfterLanguageSwitch(bool toEnglish) {
  if (!macro_ || !macro_->Exists()) return;
  macro_->SetLanguageFont(toEnglish);
  // The parameters shown belong to a step of the language left.
  macro_->ParamList()->ResetContent();
  if (toEnglish) {
    macro_->StepList()->ResetContent();
    g_macroListSel = 0;
    macro_->FillMacroList();
    return;
  }
  macro_->FillMacroList();
  // The row keeps its place but may now belong to another group than the one just opened.
  macro_->CarryOut(MakeMacroListRowCurrent({MacroRowPick::kLanguageSwitch, g_macroListSel, {}},
                                           g_groupExpanded));
}

// ---- Macro page elements ------------------------------------------------------------------------

void WindowPageControls::OpenInsertMenu(const SkinRect& element) {
  if (!macro_ || !macro_->Exists() || window_ == nullptr) return;
  if (!IsMacroListMacroRow(g_macroListSel)) {
    if (IsMacroListGroupRow(g_macroListSel)) ShowUserMessage(SelectMacroMessage());
    return;
  }
  if (g_macroEditMenuOpen != 0) {
    g_macroEditMenuOpen = 0;
    return;
  }
  CListBoxXI* steps = macro_->StepList();
  g_stepMenuRow = steps->GetCurSel();
  window_->raise();
  window_->activateWindow();
  const QPoint at = window_->mapToGlobal(QPoint(element.x + element.width, element.y));
  g_macroEditMenuOpen = 1;
  steps->SetCurSel(g_stepMenuRow);
  const int command = menus_.ShowMenu(ContextMenuKind::kMacroEdit, at);
  // The menu is closed again (the command, if any, clears the mark too).
  g_macroEditMenuOpen = 0;
  if (command != 0) menus_.RunMenuCommand(command);
}

void WindowPageControls::SetPlayMode(uint8_t mode) {
  if (!macro_ || !macro_->Exists()) return;
  // Only the macro whose steps are shown takes a play mode.
  if (!IsMacroListMacroRow(g_macroListSel)) return;
  const auto repeatCount = SetEditorPlayMode(g_curMacro, mode);
  if (!repeatCount) return;  // a locked group
  // The edit's change handler writes the record with its new mode.
  if (mode == kPlayModeRepeat) {
    macro_->EnableRepeatEdit(true);
    macro_->SetRepeatEditText(QString::number(*repeatCount));
  } else {
    macro_->EnableRepeatEdit(false);
    macro_->SetRepeatEditText(QStringLiteral("1"));
  }
}

// ---- Messages of the lists ----------------------------------------------------------------------

void WindowPageControls::OnStepKeyCaptured() { menus_.OnStepKeyCaptured(g_capturedKeyCode); }

void WindowPageControls::OnLedParamChanged() {
  if (macro_ && macro_->Exists()) macro_->OnLedParamChanged();
}

}  // namespace gm
