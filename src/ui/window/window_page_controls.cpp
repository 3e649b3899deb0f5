#include "ui/window/window_page_controls.h"

#include <QWidget>

#include <cstddef>
#include <utility>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_play_mode.h"
#include "macros/macro_record.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/page_input.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/popup_menus.h"

namespace gm {

namespace {

const UserMessage& SelectMacroMessage() {
  static const UserMessage message{u"请选择一个宏", u"Please select a macro"};
  return message;
}

}  // namespace

WindowPageControls::WindowPageControls(MacroGroupFileChooser chooseGroupFile,
                                       ContextMenuRunner runMenu)
    : chooseGroupFile_(std::move(chooseGroupFile)), runMenu_(std::move(runMenu)) {}

WindowPageControls::~WindowPageControls() { macro_.reset(); }

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
    macro_->LoadImageLists(g_skinsFolder);
  }
  if (macro_->Exists()) return;
  macro_->Create(g_isEnglish != 0);
  ConnectListMenus();
  macro_->FillMacroList();
  if (IsMacroListMacroRow(g_macroListSel)) macro_->RefreshStepList(g_curMacro);
}

void WindowPageControls::ConnectListMenus() {
  // The connections go with the lists: Destroy disconnects each list from the page's object.
  MacroPageControls* page = macro_.get();
  QObject::connect(page->MacroList(), &CListBoxXI::rightButtonUp, page,
                   [this](QPoint pos) { OnMacroListRightButton(pos); });
  QObject::connect(page->StepList(), &CListBoxXI::rightButtonUp, page,
                   [this](QPoint pos) { OnStepListRightButton(pos); });
  QObject::connect(page->ParamList(), &CListBoxXI::rightButtonUp, page,
                   [this](QPoint pos) { OnParamListRightButton(pos); });
  QObject::connect(page->MacroList(), &CListBoxXI::editCommitted, page,
                   [this](int row) { OnListEditCommitted(EditedList::kMacroList, row); });
  QObject::connect(page->StepList(), &CListBoxXI::editCommitted, page,
                   [this](int row) { OnListEditCommitted(EditedList::kStepList, row); });
  QObject::connect(page->ParamList(), &CListBoxXI::editCommitted, page,
                   [this](int row) { OnListEditCommitted(EditedList::kParamList, row); });
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
  OpenGroupOfSelectedRow();
  if (IsMacroListMacroRow(g_macroListSel)) macro_->RefreshStepList(g_curMacro);
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
  const int command = ShowMenu(ContextMenuKind::kMacroEdit, at);
  // The menu is closed again (the command, if any, clears the mark too).
  g_macroEditMenuOpen = 0;
  if (command != 0) RunMenuCommand(command);
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

void WindowPageControls::OnLedParamChanged() {
  if (macro_ && macro_->Exists()) macro_->OnLedParamChanged();
}

}  // namespace gm
