#pragma once
// The pop-ups and real controls the pages open inside the main window: the key-function and
// lighting-mode lists, the macro page's lists and repeat-count edit, macro recording and its
// insert menu, the play modes and the recoil editor. The main window hands every input action
// of these kinds to its PageControls, in the order the input handlers returned them; a window
// without one leaves those actions undone.

#include <cstdint>

#include "ui/pages/input_result.h"

class QWidget;

namespace gm {

class PageControls {
 public:
  virtual ~PageControls() = default;

  // Runs one action of the kinds listed by HandledByPageControls; window is the main window.
  virtual void Run(const InputAction& action, QWidget& window) = 0;
  // The painter was asked to drop the key pop-up after a second-level choice (keys page).
  virtual void CloseKeyPopupAfterChoice() = 0;
  // The language was switched while the macro page is shown: refill its lists (the macro
  // groups, names and current group's macros of the new language are loaded).
  virtual void RefillMacroPageAfterLanguageSwitch(bool toEnglish) = 0;

  // The window's messages for the macro page's lists, passed on as they arrive: the key
  // capture of a step ended with OK, a lighting step's mode or colour was picked. Nothing by
  // default.
  virtual void OnStepKeyCaptured() {}
  virtual void OnLedParamChanged() {}
};

// True for the action kinds a PageControls runs.
constexpr bool HandledByPageControls(InputActionKind kind) {
  switch (kind) {
    case InputActionKind::kEndMacroListEdits:
    case InputActionKind::kClosePopupMenu:
    case InputActionKind::kDestroyMacroControls:
    case InputActionKind::kCreateMacroControls:
    case InputActionKind::kOpenKeyMenu:
    case InputActionKind::kOpenLedModeMenu:
    case InputActionKind::kTakeMacroListSelection:
    case InputActionKind::kMacroRecord:
    case InputActionKind::kMacroInsertMenu:
    case InputActionKind::kMacroPlayMode:
    case InputActionKind::kMacroRecoilEditor: return true;
    default: return false;
  }
}

}  // namespace gm
