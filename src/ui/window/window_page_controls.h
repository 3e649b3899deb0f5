#pragma once
// The main window's page controls: the skinned pop-up lists (PopupControls) and the macro
// page with its repeat-count edit, its three lists and their menus (MacroPageMenus, given
// the window's menu runner, file dialogs, key-capture dialog and skinned lists).
//
// Recording is not done here: kMacroRecord goes to onRecord, onMacroListSelection hears
// every user selection in the macro list (a selection ends a recording) and
// onMacroControlsDestroyed hears the page's controls go (which ends one too).
//
// User-interface thread only.

#include <QPoint>

#include <functional>
#include <memory>
#include <span>

#include "ui/controls/context_menus.h"
#include "ui/dialogs/macro_group_file_dialog.h"
#include "ui/macro_page/macro_page_menus.h"
#include "ui/window/page_controls.h"
#include "ui/window/popup_controls.h"

class QWidget;

namespace gm {

class MacroPageControls;

// Shows a context menu's items at a screen point and waits for the user: the chosen command
// id, or 0 when the menu was closed without one.
using ContextMenuRunner =
    std::function<int(std::span<const MenuItemSpec> items, QWidget& window, QPoint screenPos)>;

// The program's menus (CQelMenu), run modally.
int RunContextMenu(std::span<const MenuItemSpec> items, QWidget& window, QPoint screenPos);

class WindowPageControls : public PageControls {
 public:
  explicit WindowPageControls(MacroGroupFileChooser chooseGroupFile = ChooseMacroGroupFile,
                              ContextMenuRunner runMenu = RunContextMenu);
  // The macro page's controls go first; an in-place edit still running is committed.
  ~WindowPageControls() override;

  void Run(const InputAction& action, QWidget& window) override;
  void CloseKeyPopupAfterChoice() override;
  void RefillMacroPageAfterLanguageSwitch(bool toEnglish) override;
  void OnStepKeyCaptured() override;
  void OnLedParamChanged() override;

  // Record (element 4 of the macro page): start or stop a recording.
  std::function<void(const InputAction&, QWidget&)> onRecord;
  // The user picked a row of the macro list; runs before the list's own handler.
  std::function<void()> onMacroListSelection;
  // The macro page's controls are about to be destroyed (the page is left); a recording
  // still running ends without storing.
  std::function<void()> onMacroControlsDestroyed;

  // The macro page's controls; null before the page was first shown.
  MacroPageControls* MacroPage() const { return macro_.get(); }
  MacroPageMenus& Menus() { return menus_; }

 private:
  void CreateMacroPage(QWidget& window);
  void OpenInsertMenu(const SkinRect& element);
  void SetPlayMode(uint8_t mode);
  MacroPageShell Shell();

  PopupControls popups_;
  MacroGroupFileChooser chooseGroupFile_;
  ContextMenuRunner runMenu_;
  QWidget* window_ = nullptr;
  std::unique_ptr<MacroPageControls> macro_;
  MacroPageMenus menus_;
};

}  // namespace gm
