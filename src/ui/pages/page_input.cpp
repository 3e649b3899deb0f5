#include "ui/pages/page_input.h"

#include <array>

#include "ui/pages/dpi_slider_input.h"
#include "ui/pages/element_roles.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input_pages.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

// A move repaints the macro page's region on the macro page and the main region elsewhere.
RepaintArea MoveRepaintArea(uint8_t page) {
  return page == kPageMacro ? RepaintArea::kMacroRegion : RepaintArea::kMainRegion;
}

// A press or release repaints the keys page's and the macro page's regions, and the whole
// window on the other pages (their bars and slider are drawn over the whole image).
RepaintArea PressRepaintArea(uint8_t page) {
  switch (page) {
    case kPageKeys: return RepaintArea::kMainRegion;
    case kPageMacro: return RepaintArea::kMacroRegion;
    default: return RepaintArea::kWholeWindow;
  }
}

// While recording, only Record, minimise, close and empty space (no main and no macro
// element) take clicks; everything else would disturb the recording.
bool RefusedWhileRecording() {
  if (g_isRecording.load() == 0) return false;
  if (g_hoverMacro == kMacRecord) return false;
  if (g_hoverMain == kMainMinimise || g_hoverMain == kMainClose) return false;
  return g_hoverMain != kNoElement || g_hoverMacro != kNoElement;
}

bool AnyElementHovered() {
  return g_hoverMain != kNoElement || g_hoverLed != kNoElement ||
         g_hoverAdvanced != kNoElement || g_hoverMacro != kNoElement;
}

bool IsTab(uint32_t mainElement) {
  return mainElement >= kMainTabKeys && mainElement <= kMainTabLighting;
}

// A tab of another page switches to it. Leaving the macro page destroys its controls;
// entering it creates them; entering the lighting page starts its repaint thread unless it
// still runs.
void PressTab(uint32_t tab, InputResult& result) {
  const auto target = static_cast<uint8_t>(tab - kMainTabKeys);
  const uint8_t page = g_curPage.load();
  if (target == page) return;
  if (page == kPageMacro) result.Add(InputActionKind::kDestroyMacroControls);
  g_curPage = target;
  if (target == kPageMacro) result.Add(InputActionKind::kCreateMacroControls);
  if (target == kPageLighting) {
    int notRunning = 0;
    if (g_ledPreviewRunning.compare_exchange_strong(notRunning, 1)) {
      result.Add(InputActionKind::kStartLedPreview);
    }
  }
}

// The hovered element of the page's own table (the main table on the keys page).
uint32_t OwnTableHover(uint8_t page) {
  switch (page) {
    case kPageAdvanced: return g_hoverAdvanced;
    case kPageMacro: return g_hoverMacro;
    case kPageLighting: return g_hoverLed;
    default: return g_hoverMain;
  }
}

// Stores the elements under `point` as the hovered ones, hit-testing all four tables whatever
// the page (the main table with 45 elements on the keys page and 20 elsewhere), and asks for
// the page's repaint when one changed (at once unless only the macro table's did).
void HoverAt(const SkinLayout& layout, WindowPoint point, InputResult& result) {
  const uint8_t page = g_curPage.load();
  const int mainCount = page == kPageKeys ? kMainHitCountKeysPage : kMainHitCountOtherPages;
  struct TableHover {
    uint32_t& hover;
    uint32_t& previous;
    uint32_t hit;
    bool paintAtOnce;
  };
  const std::array<TableHover, 4> tables{{
      {g_hoverMain, g_prevHoverMain, HitTestRects(point, layout.m_mainRects, mainCount), true},
      {g_hoverLed, g_prevHoverLed, HitTestRects(point, layout.m_ledRects, kLedHitCount), true},
      {g_hoverAdvanced, g_prevHoverAdvanced,
       HitTestRects(point, layout.m_advRects, kAdvHitCount), true},
      {g_hoverMacro, g_prevHoverMacro, HitTestRects(point, layout.m_macRects, kMacHitCount),
       false},
  }};
  for (const TableHover& t : tables) {
    t.hover = t.hit;
    if (t.hit != t.previous) {
      result.RepaintAlso(MoveRepaintArea(page), t.paintAtOnce);
      t.previous = t.hit;
    }
  }
}

void AddRefusedMessage(InputResult& result) {
  result.Add(InputAction{.kind = InputActionKind::kShowMessage,
                         .message = RecordingRefusedMessage()});
}

}  // namespace

UserMessage RecordingRefusedMessage() { return UserMessage{u"录制中", u"Recording"}; }

InputResult OnMouseMove(const SkinLayout& layout, WindowPoint point) {
  InputResult result;
  if (g_sliderDragging != 0) {
    SetDpiSliderFromPoint(point.x);
    result.RepaintAlso(RepaintArea::kWholeWindow, false);
  }

  HoverAt(layout, point, result);
  return result;
}

InputResult OnLButtonDown(const SkinLayout& layout, WindowPoint point) {
  const uint8_t startPage = g_curPage.load();
  InputResult result;
  // The press acts on what lies under it now: the last move may be long past (a dialog, list
  // or message box closed under a pointer that has not moved since).
  HoverAt(layout, point, result);
  if (startPage == kPageMacro) result.Add(InputActionKind::kEndMacroListEdits);
  if (RefusedWhileRecording()) {
    AddRefusedMessage(result);  // a refused press changes nothing else
    return result;
  }

  g_pressedMain = g_hoverMain;
  if (AnyElementHovered()) {
    g_mousePressed = 1;
    result.RepaintAlso(PressRepaintArea(startPage), false);
  }
  result.Add(InputActionKind::kClosePopupMenu);

  if (IsTab(g_hoverMain)) {
    PressTab(g_hoverMain, result);
  } else {
    switch (startPage) {
      case kPageKeys: PressOnKeysPage(layout, result); break;
      case kPageAdvanced: PressOnAdvancedPage(layout, point, result); break;
      case kPageMacro: PressOnMacroPage(layout, result); break;
      case kPageLighting: PressOnLightingPage(layout, point, result); break;
      default: break;
    }
  }

  // Headings, texts and decorations count as empty space: the window moves from any of them.
  const uint8_t page = g_curPage.load();
  if (!OwnElementIsControl(page, OwnTableHover(page)) &&
      !MainElementIsControl(page, g_hoverMain)) {
    result.Add(InputAction{.kind = InputActionKind::kStartWindowDrag, .point = point});
  }
  result.RepaintAlso(PressRepaintArea(page), true);
  return result;
}

InputResult OnLButtonUp(const SkinLayout& layout, WindowPoint point) {
  InputResult result;
  HoverAt(layout, point, result);
  if (RefusedWhileRecording()) {
    AddRefusedMessage(result);  // a refused release changes nothing else
    return result;
  }
  g_mousePressed = 0;
  // A button acts on a click, not on a drag (from the slider, say) that ends over it.
  const bool pressedHere = g_pressedMain == g_hoverMain;
  g_pressedMain = kNoElement;
  if (pressedHere) ReleaseOnHeaderButton(result);
  result.RepaintAlso(PressRepaintArea(g_curPage.load()), false);
  g_sliderDragging = 0;
  return result;
}

InputResult OnRButtonUp(const SkinLayout& layout, WindowPoint point) {
  InputResult result;
  if (InWindowTitleArea(layout, g_curPage.load(), point)) {
    result.Add(InputAction{.kind = InputActionKind::kShowWindowMenu, .point = point});
  }
  return result;
}

}  // namespace gm
