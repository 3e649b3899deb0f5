#pragma once
// State of the main window shared by its painter, its input handlers and the window itself.
// The user-interface thread owns it; the few fields another thread reads are atomics.

#include <atomic>
#include <cstdint>

namespace gm {

inline constexpr uint32_t kNoElement = 255;  // hover value: no element under the pointer

enum Page : uint8_t { kPageKeys = 0, kPageAdvanced = 1, kPageMacro = 2, kPageLighting = 3 };

extern std::atomic<uint8_t> g_curPage;  // read by the lighting preview thread

// Hovered element of each table and the value at the previous mouse move.
extern uint32_t g_hoverMain;
extern uint32_t g_hoverLed;
extern uint32_t g_hoverAdvanced;
extern uint32_t g_hoverMacro;
extern uint32_t g_prevHoverMain;
extern uint32_t g_prevHoverLed;
extern uint32_t g_prevHoverAdvanced;
extern uint32_t g_prevHoverMacro;

extern uint8_t g_mousePressed;   // the left button went down over an element
// The main-table element the left button went down on (kNoElement: none, or no press); a
// header button acts on release only over this same element.
extern uint32_t g_pressedMain;
extern int g_sliderDragging;     // the DPI slider is being dragged
extern int g_selKey;             // key button (20..28) whose pop-up menu is open
extern uint8_t g_popupOpened;    // a key or lighting-mode menu was opened from the window
extern int g_menuKind;           // list kind of the open pop-up menu
extern uint8_t g_subMenuChosen;  // set by the second-level key pop-up; cleared by painting
extern std::atomic<int> g_isRecording;  // a macro is being recorded
extern int g_startHidden;        // -HIDE: minimise at the first background erase
extern std::atomic<int> g_ledPreviewRunning;

// Back to the values at start (tests).
void ResetUiState();

}  // namespace gm
