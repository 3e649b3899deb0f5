#pragma once
// The page images: window frame, header, tabs, footer and the page's groups as background,
// every element of the page drawn in one state on top.

#include <QFont>
#include <QImage>
#include <QPainterPath>

#include "element_painter.h"
#include "skin_geometry.h"

namespace gm::skingen {

// The window's outline: a rectangle with its corners cut diagonally.
QPainterPath WindowShape();

// The page with every element in `state` (normal, over or down image).
QImage DrawPage(Page page, ButtonState state, const QFont& uiFont);

// led_null.jpg: the lighting page's normal image with its covered groups and the inward
// direction button greyed out.
QImage DrawLightingGreyed(const QImage& lightingNormal);

// main_mask.jpg: black inside the window, white outside.
QImage DrawWindowMask();

}  // namespace gm::skingen
