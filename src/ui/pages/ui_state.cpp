#include "ui/pages/ui_state.h"

namespace gm {

std::atomic<uint8_t> g_curPage{kPageKeys};
uint32_t g_hoverMain = kNoElement;
uint32_t g_hoverLed = kNoElement;
uint32_t g_hoverAdvanced = kNoElement;
uint32_t g_hoverMacro = kNoElement;
uint32_t g_prevHoverMain = kNoElement;
uint32_t g_prevHoverLed = kNoElement;
uint32_t g_prevHoverAdvanced = kNoElement;
uint32_t g_prevHoverMacro = kNoElement;
uint8_t g_mousePressed = 0;
uint32_t g_pressedMain = kNoElement;
int g_sliderDragging = 0;
int g_selKey = 0;
uint8_t g_popupOpened = 0;
int g_menuKind = 0;
uint8_t g_subMenuChosen = 0;
std::atomic<int> g_isRecording{0};
int g_startHidden = 0;
std::atomic<int> g_ledPreviewRunning{0};

void ResetUiState() {
  g_curPage = kPageKeys;
  g_hoverMain = g_hoverLed = g_hoverAdvanced = g_hoverMacro = kNoElement;
  g_prevHoverMain = g_prevHoverLed = g_prevHoverAdvanced = g_prevHoverMacro = kNoElement;
  g_mousePressed = 0;
  g_pressedMain = kNoElement;
  g_sliderDragging = 0;
  g_selKey = 0;
  g_popupOpened = 0;
  g_menuKind = 0;
  g_subMenuChosen = 0;
  g_isRecording = 0;
  g_startHidden = 0;
  g_ledPreviewRunning = 0;
}

}  // namespace gm
