#pragma once
// The per-page parts of the main window's button handlers (page_input.cpp dispatches to them).
// Each acts on the hovered element of its table, changes the settings in place and adds the
// window actions it needs to the result.

#include "ui/pages/hit_test.h"
#include "ui/pages/input_result.h"
#include "ui/skin/skin_layout.h"

namespace gm {

// Keys page, by g_hoverMain: key buttons open the key-function list; the wheel switch.
void PressOnKeysPage(const SkinLayout& layout, InputResult& result);

// DPI and advanced page, by g_hoverAdvanced; `point` is the click (bars and slider).
void PressOnAdvancedPage(const SkinLayout& layout, WindowPoint point, InputResult& result);

// Lighting page, by g_hoverLed; `point` is the click (speed and brightness bars).
void PressOnLightingPage(const SkinLayout& layout, WindowPoint point, InputResult& result);

// Macro page, by g_hoverMacro (tabs excluded by the caller).
void PressOnMacroPage(const SkinLayout& layout, InputResult& result);

// Release over a header, configuration or settings-file button (every page), by g_hoverMain.
void ReleaseOnHeaderButton(InputResult& result);

// Switches DPI level `level` (0..5) on or off; the last enabled level cannot be switched off,
// and switching off the current level makes the next enabled one current.
void ToggleDpiLevelEnable(int level);

}  // namespace gm
