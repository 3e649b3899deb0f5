#pragma once
// The macro page's menus: which context menu a right click on one of the page's three lists
// opens, the lighting step's mode and colour lists of the parameter list, the commands of the
// menus (the window's macro-edit menu runs them too) and the lists' committed in-place edits.
// Every command changes the macro tables and files through the macro editor's commands
// (editor/macro_*_commands.h, editor/macro_list_edit.h) and then carries out what they
// return: their messages go to the message sink, the lists are rebuilt, so that after a
// command the lists, the tables and the files agree.
//
// What needs the window around the page (running a menu, the file dialogs, the key-capture
// dialog, the skinned lists) comes in through MacroPageShell.
//
// User-interface thread only.

#include <QPoint>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "editor/macro_command_outcome.h"
#include "editor/macro_list_edit.h"
#include "ui/controls/context_menus.h"
#include "ui/pages/popup_choices.h"

namespace gm {

class MacroPageControls;

// What the menus ask of the window around the page. An empty one does nothing: no command
// chosen, no file chosen, no dialog, no list.
struct MacroPageShell {
  // Shows a menu's items at a screen point and waits: the chosen command id, or 0.
  std::function<int(std::span<const MenuItemSpec> items, QPoint screenPos)> runMenu;
  // The macro group file to import from (import) or to export to; nothing when cancelled.
  std::function<std::optional<std::filesystem::path>(bool import)> chooseGroupFile;
  // "Modify" on a key step: the key-capture dialog in step mode, preset with the step's key;
  // its OK comes back as OnStepKeyCaptured.
  std::function<void(uint8_t keyCode, const std::u16string& keyName)> captureStepKey;
  // The lighting step's mode or colour list (kind) at screenTopLeft, its pick stored into
  // step; a pick comes back as the page's OnLedParamChanged.
  std::function<void(PopupKind kind, const LedStepTarget& step, QPoint screenTopLeft)>
      openLedStepList;
};

class MacroPageMenus {
 public:
  explicit MacroPageMenus(MacroPageShell shell);

  // The page's controls the menus work on; set once they are made (null: none).
  void Attach(MacroPageControls* page) { page_ = page; }
  // The attached page's lists: their right-button releases open the menus, their committed
  // edits are stored. Call after each Create of the page.
  void ConnectLists();

  // A right-button release at pos (in the list's viewport) over one of the three lists.
  void OnMacroListRightButton(QPoint pos);
  void OnStepListRightButton(QPoint pos);
  void OnParamListRightButton(QPoint pos);
  // Shows the menu of kind in the current language: the chosen command id, or 0.
  int ShowMenu(ContextMenuKind kind, QPoint screenPos);
  // Runs a command of the macro page's menus.
  void RunMenuCommand(int commandId);
  // The key-capture dialog's OK in step mode: keyCode goes into the selected step.
  void OnStepKeyCaptured(uint8_t keyCode);

 private:
  bool PageShown() const;
  // An in-place edit of row in list was committed (macro_list_edit.h stores it).
  void OnListEditCommitted(EditedList list, int row);
  void ModifyStep();
  void ImportGroup();
  void ExportGroup(bool locked);
  // The page carries out the outcome (MacroPageControls::CarryOut).
  void CarryOut(const MacroCommandOutcome& outcome, int editedRow = -1);

  MacroPageShell shell_;
  MacroPageControls* page_ = nullptr;
};

}  // namespace gm
