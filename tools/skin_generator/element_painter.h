#pragma once
// Draws one page element in one of its three states. The normal, over and down page images
// are the same page drawn with every element in the normal, over or down state; the program
// copies an element's rectangle from the over or down image to show it hovered, pressed or
// selected, so everything an element shows in a state lies inside its rectangle.

#include <QColor>
#include <QFont>
#include <QPainter>

#include "skin_geometry.h"
#include "skin_palette.h"

namespace gm::skingen {

using skin::ButtonState;

void DrawElement(QPainter& painter, const Element& element, ButtonState state,
                 const QFont& uiFont);

// The place of a real control (edit box, list box) or a static strip of the layout.
void DrawControlPlace(QPainter& painter, const ControlPlace& place);

// The seven cycle colours of the lighting page as the factory settings give them.
QColor CycleColor(int index);

// A round badge with a key number (1..9).
void DrawKeyBadge(QPainter& painter, QPointF centre, qreal radius, int number,
                  ButtonState state, const QFont& uiFont);

// Rows of the DPI slider element and the slider's visible length (17 steps).
int SliderLength(const QRect& slider);

}  // namespace gm::skingen
