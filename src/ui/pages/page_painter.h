#pragma once
// Composition of one page of the main window, off-screen: the page's normal picture, the
// hovered or pressed elements copied 1:1 from the over or down picture at the same place, the
// page's state marks, the header buttons, then the texts. The window shows the result with
// one copy, so it never flickers between layers.
//
// Everything drawn comes from the current page (g_curPage), the hover values, g_mousePressed,
// the settings and the macro tables; the pictures come from g_skinsFolder through a
// SkinImages cache.

#include <QImage>

#include <cstdint>
#include <span>

#include "ui/skin/skin_images.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/skin_rect.h"

namespace gm {

// Shown in place of a page picture whose file is missing or cannot be decoded.
inline constexpr QRgb kMissingPictureFill = 0xFF202020;

// The pictures of one page, below the skins folder.
struct PagePictureNames {
  const char* normal;
  const char* over;
  const char* down;
};
// The page's file names, or nullptr names for a page outside 0..3.
PagePictureNames PagePictureNamesOf(uint8_t page);

inline constexpr const char* kLedNullPicture = "led_null.jpg";
inline constexpr const char* kSliderKnobPicture = "moveRect.png";
inline constexpr const char* kMacroKeyMarkEnglish = "zhi_en.png";
inline constexpr const char* kMacroKeyMarkChinese = "zhi_cn.png";

// The element table of a page (main, advanced, macro, lighting); empty outside 0..3.
std::span<const SkinRect> PageTable(const SkinLayout& layout, uint8_t page);
// The hovered element of a page's table (g_hoverMain, g_hoverAdvanced, g_hoverMacro,
// g_hoverLed); kNoElement outside 0..3.
uint32_t PageHover(uint8_t page);

// Composes page g_curPage into target. The target takes the size of the page's normal picture
// (its buffer is reused from paint to paint when the size stays); without that picture it is
// g_skinWidth x g_skinHeight in kMissingPictureFill. It is drawn at 96 dots per inch, the
// resolution the skins are made for, so the 10-point text font is the same size on any
// screen. False, with the target untouched, for a page outside 0..3 or when there is no size
// at all to paint.
bool PaintPage(QImage& target, const SkinLayout& layout, SkinImages& images);

// Copies the rectangle from source to the same place of dest, 1:1. The copy is clipped to
// both images, so negative, empty or oversized rectangles copy only what lies inside (or
// nothing). A null source fills the clipped rectangle with kMissingPictureFill instead. dest
// must be in kSkinImageFormat; a source in another format is converted for the copy.
void BlitRect(QImage& dest, const QImage& source, const SkinRect& rect);

// BlitRect of element index of table; an index outside the table copies nothing.
void BlitSkinRect(QImage& dest, const QImage& source, std::span<const SkinRect> table,
                  int64_t index);

// The same element with its width replaced (the cut bars and the slider fill).
void BlitSkinRectWidth(QImage& dest, const QImage& source, std::span<const SkinRect> table,
                       int64_t index, int64_t width);

// Draws a mark with its per-pixel alpha over dest with its top left corner at (x, y). A null
// mark, or one wholly outside dest, draws nothing.
void DrawMark(QImage& dest, const QImage& mark, int x, int y);

// The page's state: the hovered element, then the page's own elements (see the .cpp).
void DrawMainElement(QImage& dest, const QImage& over, const QImage& down,
                     const SkinLayout& layout, uint8_t page, SkinImages& images);

// Main-table elements 0..19: the current configuration's button, the current page's tab
// (currentTab = 6 + page), the current language's button, the hovered header button.
void DrawSkinButtons(QImage& dest, const QImage& over, const QImage& down,
                     const SkinLayout& layout, uint32_t currentTab);

// The DPI slider on the advanced page: the filled part is (value + 1) steps wide from the
// slider's x; the knob's top left corner lies 16 pixels left of the fill's end and 12 below
// the slider's top.
inline constexpr int32_t kSliderKnobBackOffset = 16;
inline constexpr int32_t kSliderKnobDownOffset = 12;
// Where the macro-key mark of the keys page goes.
inline constexpr int32_t kMacroKeyMarkX = 378;
inline constexpr int32_t kMacroKeyMarkY = 535;

}  // namespace gm
