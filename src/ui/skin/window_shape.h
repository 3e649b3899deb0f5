#pragma once
// The shape of the main window, cut out of the mask image main_mask.jpg: a mask pixel whose
// red, green and blue are each greater than 100 lies outside the window, every other pixel
// inside. The same cut-out, with the places of the real controls XOR-ed in, gives the two
// repaint regions of hover changes: g_regionMain (every page but the macro page) and
// g_regionMacro (the macro page). Because the combination is XOR, a control rectangle over
// light mask pixels adds those pixels back into its repaint region.

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QSize>

#include <filesystem>
#include <span>

#include "ui/skin/skin_rect.h"

namespace gm {

// A mask component above this value is light.
inline constexpr int kMaskLightThreshold = 100;

// The repaint regions, set by ComputeWindowShape and kept until the process ends
// (user-interface thread only).
extern QRegion g_regionMain;
extern QRegion g_regionMacro;
// The size of the mask image, which is the size of every page image (0 x 0 before the shape is
// computed).
extern int g_skinWidth;
extern int g_skinHeight;

// Both regions empty and the skin size 0 x 0 (their start values).
void ResetWindowShape();

constexpr bool IsOutsideMaskPixel(QRgb pixel) {
  return qRed(pixel) > kMaskLightThreshold && qGreen(pixel) > kMaskLightThreshold &&
         qBlue(pixel) > kMaskLightThreshold;
}

// The dark pixels of the mask as a region: one rectangle per run of dark pixels in a row,
// equal neighbouring rows merged into one band. A null mask gives an empty region.
QRegion MaskInsideRegion(const QImage& mask);

// base XOR each control rectangle (left, top, right, bottom). A rectangle given with its
// edges the wrong way round counts with them swapped; each is clipped to bounds first, since
// nothing outside the window is ever painted.
QRegion XorControlRects(QRegion base, std::span<const ControlRect> rects, const QRect& bounds);

// The size a window has without a usable mask: the dialog's own size, 680 x 451 dialog units
// at the standard 1.5 x 1.625 pixels per unit of its 8-point font.
inline constexpr QSize kDialogTemplateSize{1020, 733};

// Computes the window's shape from the mask image at maskPath and sets g_skinWidth,
// g_skinHeight, g_regionMain (shape XOR g_controlRects 0..3) and g_regionMacro (shape XOR
// g_controlRects 4..9); returns the window region. A missing or unreadable mask gives a
// rectangular window of fallbackSize (the page picture's size, see FallbackWindowSize),
// which then also serves as g_skinWidth x g_skinHeight.
QRegion ComputeWindowShape(const std::filesystem::path& maskPath, const QSize& fallbackSize);

// The size of the keys page's normal picture in the skins folder (read from the file's
// header), or kDialogTemplateSize when that picture cannot be read either.
QSize FallbackWindowSize();

}  // namespace gm
