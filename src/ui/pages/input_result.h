#pragma once
// What the main window must do after one of its mouse handlers ran: which area to repaint and
// an ordered list of actions that need the window system (menus, dialogs, controls, the
// window's own state). The input handlers change the settings and window-state globals
// themselves; the window executes the result in order, then the repaint.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_sink.h"
#include "ui/pages/hit_test.h"
#include "ui/skin/skin_rect.h"

namespace gm {

enum class RepaintArea : uint8_t {
  kNone,
  kMainRegion,   // g_regionMain: the window's shape without the configuration-name boxes
  kMacroRegion,  // g_regionMacro: the macro page without its real controls
  kWholeWindow,  // the whole client area
};

struct Repaint {
  RepaintArea area = RepaintArea::kNone;
  bool updateNow = false;  // paint at once (repaint) instead of at the next idle one (update)

  bool operator==(const Repaint&) const = default;
};

enum class InputActionKind : uint8_t {
  kShowMessage,            // message: a message box
  kEndMacroListEdits,      // end the in-place edit of the macro page's three lists, if any
  kClosePopupMenu,         // destroy the main window's open pop-up list, if any
  kDestroyMacroControls,   // the repeat-count edit and the three lists of the macro page
  kCreateMacroControls,    // create them, fill the macro list and, when g_macroListSel is a
                           // macro row, show the steps of g_curMacro
  kStartLedPreview,        // start the lighting page's repaint thread (g_ledPreviewRunning set)
  kOpenKeyMenu,            // element: the key button g_selKey; list kind g_menuKind, placed
                           // with PlaceKeyMenu
  kOpenLedModeMenu,        // element: the lighting-mode button; placed with PlaceLedModeMenu
  kTakeMacroListSelection, // read the macro list's current row, pass it to
                           // TakeMacroListSelection; comes before the macro element actions
  kMacroRecord,            // start or stop recording (element: Record)
  kMacroInsertMenu,        // open the step-insert menu (element: Insert)
  kMacroPlayMode,          // playMode: set the play mode of the current macro
  kMacroRecoilEditor,      // run the recoil editor modally
  kStartWindowDrag,        // point: the user may move the window by dragging from this
                           // point; the move starts once the pointer moves with the button
                           // held, so a quick click never starts one
  kShowWindowMenu,         // point: the window menu (restore, minimise, close, About) there
  kMinimise,
  kCloseProgram,           // minimise, hide, then end the program as the window's close does
  kHideToTray,             // minimise and hide; the program stays in the notification area
  kApply,                  // write the settings to the mouse
  kSwitchToChinese,
  kSwitchToEnglish,
  kImportSettings,         // ask for a file, then ImportConfigFile
  kExportSettings,         // ask for a file, then ExportConfigFile
  kResetSettings,          // ResetConfigFile
  kOpenWebPage,            // open MouseIdsWebPage() in the browser
};

struct InputAction {
  InputActionKind kind{};
  SkinRect element{};      // kOpenKeyMenu, kOpenLedModeMenu, kMacroRecord, kMacroInsertMenu
  WindowPoint point{};     // kStartWindowDrag
  uint8_t playMode = 0;    // kMacroPlayMode
  UserMessage message{};   // kShowMessage

  bool operator==(const InputAction&) const = default;
};

struct InputResult {
  Repaint repaint{};
  std::vector<InputAction> actions;

  void Add(InputActionKind kind) { actions.push_back(InputAction{.kind = kind}); }
  void Add(InputAction action) { actions.push_back(std::move(action)); }
  // Adds an area to the repaint: the same area stays, two different areas become the whole
  // window. updateNow is kept once asked for.
  void RepaintAlso(RepaintArea area, bool updateNow);

  bool Has(InputActionKind kind) const;
  const InputAction* Find(InputActionKind kind) const;
  std::vector<InputActionKind> Kinds() const;
};

}  // namespace gm
