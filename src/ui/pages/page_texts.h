#pragma once
// The texts of the pages: captions of the elements and the labels that show settings, each
// with its colour and its place. PageTextOf decides what element index i of a page shows;
// PaintPageTexts measures and draws them.

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstdint>
#include <string>

#include "ui/skin/skin_layout.h"
#include "ui/skin/skin_rect.h"

namespace gm {

// Text colours (0xAARRGGBB).
inline constexpr QRgb kTextWhite = 0xFFFFFFFF;
inline constexpr QRgb kTextHoveredKey = 0xFF01FFF6;   // (1, 255, 246)
inline constexpr QRgb kTextHighlight = 0xFF07BCFF;    // (7, 188, 255)
inline constexpr QRgb kTextRecording = 0xFFFF0000;    // (255, 0, 0)
inline constexpr QRgb kTextDpiLevel = 0xFF595959;     // (89, 89, 89)

enum class TextAlign {
  kCentre,  // centred in the box, then moved by xShift
  kLeft,    // at the box's left edge + xShift, vertically centred
};

// One text of a page: what to draw, in which colour, placed in which box.
struct PageText {
  std::u16string text;
  QRgb color = kTextWhite;
  SkinRect box;
  TextAlign align = TextAlign::kCentre;
  int32_t xShift = 0;
};

// How many texts a page draws: 45 keys, 103 advanced, 40 macro, 123 lighting; 0 for another
// page. Index i < 20 is main-table element i on every page; from 20 the keys page goes on in
// the main table and the others in their own table at i - 20.
int PageTextCount(uint8_t page);

// Text i of a page from the layout, the settings and the macro tables.
PageText PageTextOf(const SkinLayout& layout, uint8_t page, int index);

// Where a text of the given size starts (its top left corner). Centring truncates each half
// toward zero: x = left + (width - text width) / 2, and the same for y.
QPoint TextPosition(const PageText& text, const QSize& textSize);

// A text is drawn only when its position has x > 0 or y > 0, which skips every element whose
// rectangle is all zero.
constexpr bool IsTextShown(const QPoint& position) {
  return position.x() > 0 || position.y() > 0;
}

// Some of a text of the given size placed at `position` lies inside the image. A text wholly
// outside draws nothing and is not handed to the painter, whose own coordinates could not
// hold a place near the int limit. Computed without overflow for any values.
bool TextMeetsImage(const QPoint& position, const QSize& textSize, const QSize& imageSize);

// The label of key button `key` (0..8) in the current configuration and language: the key
// function caption, cut to 11 characters and "...". Empty for a key or configuration outside
// the tables.
std::u16string KeyButtonCaption(int key);

// The DPI shown for a device DPI code: 1..10 -> 200..2000 in steps of 200, 12 -> 2400, then
// 3200, 4000, 4800, 5600, 6400, 7200, 8000, 8800 for 13..20; any other code -> 200.
int32_t DpiNumberOfCode(uint8_t code);

// Draws every text of the page onto dest in the page-text font of the current language, with
// a transparent background.
void PaintPageTexts(QImage& dest, const SkinLayout& layout, uint8_t page);

}  // namespace gm
