#include "menu_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

#include "skin_generator/skin_palette.h"

namespace gm::popups {
namespace {

using skin::Color;

// Body of a list: the menu teal, a touch darker toward the edges.
constexpr QRgb kBodyEdgeShade = qRgb(0, 104, 134);
constexpr QRgb kBodyBorder = qRgb(0, 70, 92);
constexpr QRgb kRowSeparator = qRgb(0, 98, 126);
constexpr QRgb kGroupBreakDark = qRgb(0, 58, 76);
constexpr QRgb kGroupBreakLight = qRgb(40, 160, 190);
// Hovered row: a dark band under the cyan hover text, with a cyan bar on its left.
constexpr QRgb kOverBandLeft = qRgb(12, 46, 60);
constexpr QRgb kOverBandRight = qRgb(20, 70, 88);
// Held row: darker still, with the highlight blue as its bar.
constexpr QRgb kDownBandLeft = qRgb(6, 26, 36);
constexpr QRgb kDownBandRight = qRgb(10, 44, 58);
constexpr int kAccentBarWidth = 3;
constexpr int kSeparatorInset = 10;
constexpr int kArrowRightMargin = 12;
constexpr qreal kArrowHalfHeight = 3.5;
constexpr qreal kArrowDepth = 3.5;
constexpr int kArrowAlphaNormal = 170;

void FillHorizontalGradient(QPainter& painter, const QRect& area, QRgb edge, QRgb centre) {
  QLinearGradient gradient(area.topLeft(), area.topRight());
  gradient.setColorAt(0.0, Color(edge));
  gradient.setColorAt(0.5, Color(centre));
  gradient.setColorAt(1.0, Color(edge));
  painter.fillRect(area, gradient);
}

void DrawBody(QPainter& painter, const MenuSkin& menu, int height) {
  const QRect area(0, 0, menu.width, height);
  FillHorizontalGradient(painter, area, kBodyEdgeShade, skin::kMenuTeal);
  painter.setPen(Color(kBodyBorder));
  painter.drawLine(0, 0, 0, height - 1);
  painter.drawLine(menu.width - 1, 0, menu.width - 1, height - 1);
  painter.drawLine(0, 0, menu.width - 1, 0);
}

void DrawBand(QPainter& painter, const QRect& band, MenuImage which) {
  const bool held = which == MenuImage::kDown;
  QLinearGradient gradient(band.topLeft(), band.topRight());
  gradient.setColorAt(0.0, Color(held ? kDownBandLeft : kOverBandLeft));
  gradient.setColorAt(1.0, Color(held ? kDownBandRight : kOverBandRight));
  painter.fillRect(band, gradient);
  painter.fillRect(QRect(band.left(), band.top(), kAccentBarWidth, band.height()),
                   Color(held ? skin::kHighlight : skin::kOverEdge));
}

// A line under each row, and a two-tone break above the rows that start a new group.
void DrawSeparators(QPainter& painter, const MenuSkin& menu) {
  for (int row = 1; row <= menu.imageRows; ++row) {
    const int bottom = row * menu.rowHeight - 1;
    painter.setPen(Color(kRowSeparator));
    painter.drawLine(kSeparatorInset, bottom, menu.width - 1 - kSeparatorInset, bottom);
  }
  for (const int row : menu.groupBreaks) {
    const int top = (row - 1) * menu.rowHeight;
    painter.setPen(Color(kGroupBreakDark));
    painter.drawLine(1, top - 1, menu.width - 2, top - 1);
    painter.setPen(Color(kGroupBreakLight));
    painter.drawLine(1, top, menu.width - 2, top);
  }
}

void DrawSubmenuArrow(QPainter& painter, const MenuSkin& menu, int row, MenuImage which) {
  const qreal centreY = (row - 1) * menu.rowHeight + (menu.rowHeight - 1) / 2.0;
  const qreal tipX = menu.width - kArrowRightMargin;
  QPainterPath arrow;
  arrow.moveTo(tipX - kArrowDepth, centreY - kArrowHalfHeight);
  arrow.lineTo(tipX, centreY);
  arrow.lineTo(tipX - kArrowDepth, centreY + kArrowHalfHeight);
  QColor color = Color(skin::kTextWhite);
  if (which == MenuImage::kNormal) {
    color.setAlpha(kArrowAlphaNormal);
  } else if (which == MenuImage::kOver) {
    color = Color(skin::kTextHover);
  }
  painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(arrow);
}

}  // namespace

QImage DrawMenuImage(const MenuSkin& menu, MenuImage which) {
  const int height = ImageHeight(menu);
  QImage image = skin::NewCanvas(menu.width, height, skin::kMenuTeal);
  QPainter painter(&image);
  DrawBody(painter, menu, height);
  if (which != MenuImage::kNormal) {
    // Every row carries the band, so whichever row the program copies is lit the same way.
    DrawBand(painter, QRect(0, 0, menu.width, height), which);
  }
  if (menu.rowAligned) {
    DrawSeparators(painter, menu);
    skin::PrepareAntialiased(painter);
    for (const int row : menu.submenuRows) DrawSubmenuArrow(painter, menu, row, which);
  }
  return image;
}

QImage DrawMenuMask(const MenuSkin& menu) {
  return skin::NewCanvas(menu.width, MaskHeight(menu), skin::kMaskInside);
}

}  // namespace gm::popups
