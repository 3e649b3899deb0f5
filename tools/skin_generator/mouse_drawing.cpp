#include "mouse_drawing.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "element_painter.h"
#include "skin_geometry.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

using skin::Color;

constexpr qreal kBadgeRadius = 9.0;
constexpr int kLeaderApproach = 18;  // level run of a leader line before its card

// Outline of the body, front (the buttons) at the top.
QPainterPath BodyPath() {
  const qreal cx = kMouseCentre.x();
  QPainterPath path;
  path.moveTo(cx, 124);
  path.cubicTo(cx + 60, 124, cx + 82, 150, cx + 86, 200);
  path.cubicTo(cx + 92, 260, cx + 100, 330, cx + 98, 390);
  path.cubicTo(cx + 96, 460, cx + 60, 496, cx, 496);
  path.cubicTo(cx - 60, 496, cx - 96, 460, cx - 98, 390);
  path.cubicTo(cx - 100, 330, cx - 92, 260, cx - 86, 200);
  path.cubicTo(cx - 82, 150, cx - 60, 124, cx, 124);
  path.closeSubpath();
  return path;
}

// The two main buttons: the front of the body down to the seam.
QPainterPath ButtonPath(bool left) {
  const qreal cx = kMouseCentre.x();
  const qreal side = left ? -1.0 : 1.0;
  QPainterPath path;
  path.moveTo(cx + side * 2, 126);
  path.cubicTo(cx + side * 58, 126, cx + side * 80, 152, cx + side * 84, 200);
  path.cubicTo(cx + side * 87, 232, cx + side * 89, 256, cx + side * 90, 276);
  path.quadTo(cx + side * 46, 292, cx + side * 2, 290);
  path.closeSubpath();
  return path;
}

void DrawBody(QPainter& painter) {
  const QPainterPath body = BodyPath();
  // Shadow under the mouse.
  QRadialGradient shadow(QPointF(kMouseCentre.x(), 500), 130);
  shadow.setColorAt(0.0, QColor(0, 0, 0, 150));
  shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shadow);
  painter.drawEllipse(QPointF(kMouseCentre.x(), 500), 130, 26);
  // Lighting strip around the body.
  QPen strip(Color(skin::kHighlight), 5.0);
  QColor stripColor = Color(skin::kHighlight);
  stripColor.setAlpha(70);
  strip.setColor(stripColor);
  painter.setPen(strip);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(body);
  // Shell.
  QLinearGradient shell(QPointF(kMouseCentre.x() - 100, 0), QPointF(kMouseCentre.x() + 100, 0));
  shell.setColorAt(0.0, QColor(34, 36, 40));
  shell.setColorAt(0.45, QColor(58, 62, 68));
  shell.setColorAt(1.0, QColor(30, 32, 36));
  painter.setPen(QPen(QColor(96, 104, 114), 1.4));
  painter.setBrush(shell);
  painter.drawPath(body);
  // Buttons, slightly lighter than the palm.
  for (const bool left : {true, false}) {
    QLinearGradient face(QPointF(0, 126), QPointF(0, 290));
    face.setColorAt(0.0, QColor(70, 75, 82));
    face.setColorAt(1.0, QColor(50, 54, 60));
    painter.setPen(QPen(QColor(20, 21, 24), 1.6));
    painter.setBrush(face);
    painter.drawPath(ButtonPath(left));
  }
  // Palm emblem: a chevron in the accent colour.
  QPen chevron(Color(skin::kHighlight), 3.0);
  chevron.setCapStyle(Qt::RoundCap);
  chevron.setJoinStyle(Qt::RoundJoin);
  painter.setPen(chevron);
  const qreal cx = kMouseCentre.x();
  QPolygonF mark;
  mark << QPointF(cx - 18, 392) << QPointF(cx, 410) << QPointF(cx + 18, 392);
  painter.drawPolyline(mark);
  QPolygonF mark2;
  mark2 << QPointF(cx - 12, 412) << QPointF(cx, 424) << QPointF(cx + 12, 412);
  chevron.setWidthF(2.0);
  chevron.setColor(Color(skin::kMenuTeal));
  painter.setPen(chevron);
  painter.drawPolyline(mark2);
}

void DrawSmallKey(QPainter& painter, const QRect& shape, bool round) {
  QLinearGradient face(shape.topLeft(), shape.bottomLeft());
  face.setColorAt(0.0, QColor(92, 98, 106));
  face.setColorAt(1.0, QColor(56, 60, 66));
  painter.setPen(QPen(QColor(16, 17, 19), 1.2));
  painter.setBrush(face);
  if (round) {
    painter.drawEllipse(QRectF(shape));
  } else {
    const qreal radius = std::min(shape.width(), shape.height()) / 2.0;
    painter.drawRoundedRect(QRectF(shape), radius, radius);
  }
}

void DrawWheel(QPainter& painter, const QRect& wheel) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(14, 15, 17));
  painter.drawRoundedRect(QRectF(wheel).adjusted(-4, -5, 4, 5), 6, 6);
  QLinearGradient tyre(wheel.topLeft(), wheel.bottomLeft());
  tyre.setColorAt(0.0, QColor(50, 54, 60));
  tyre.setColorAt(0.5, QColor(110, 118, 128));
  tyre.setColorAt(1.0, QColor(50, 54, 60));
  painter.setBrush(tyre);
  painter.drawRoundedRect(QRectF(wheel), 6, 6);
  painter.setPen(QPen(QColor(30, 32, 36), 1.0));
  for (int y = wheel.top() + 5; y < wheel.bottom() - 2; y += 5) {
    painter.drawLine(QPointF(wheel.left() + 3, y + 0.5), QPointF(wheel.right() - 2, y + 0.5));
  }
  QColor glow = Color(skin::kHighlight);
  glow.setAlpha(160);
  painter.setPen(QPen(glow, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(wheel).adjusted(-4, -5, 4, 5), 6, 6);
}

void DrawLeader(QPainter& painter, const MouseKey& key) {
  const Element* button = FindElement(MainElements(), role::kFirstKeyButton + key.key);
  if (button == nullptr) {
    return;
  }
  const bool cardOnLeft = button->rect.center().x() < kMouseCentre.x();
  const qreal anchorX = cardOnLeft ? button->rect.right() + 1.0 : button->rect.left();
  const qreal anchorY = button->rect.top() + button->rect.height() / 2.0;
  const qreal direction = cardOnLeft ? -1.0 : 1.0;
  QPolygonF line;
  line << QPointF(key.badge.x() + direction * kBadgeRadius, key.badge.y())
       << QPointF(key.bendX, key.badge.y())
       << QPointF(anchorX - direction * kLeaderApproach, anchorY) << QPointF(anchorX, anchorY);
  QPen pen(Color(skin::kLeaderLine), 1.2);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(line);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Color(skin::kHighlight));
  painter.drawEllipse(QPointF(anchorX - direction * 2.5, anchorY), 2.5, 2.5);
}

}  // namespace

void DrawMouseWithLeaders(QPainter& painter, const QFont& uiFont) {
  painter.save();
  skin::PrepareAntialiased(painter);
  DrawBody(painter);
  for (const MouseKey& key : MouseKeys()) {
    switch (key.key) {
      case 0:
      case 1:
        break;  // the main buttons are part of the body
      case 2:
        DrawWheel(painter, key.shape);
        break;
      case 8:
        DrawSmallKey(painter, key.shape, true);
        break;
      default:
        DrawSmallKey(painter, key.shape, false);
        break;
    }
  }
  for (const MouseKey& key : MouseKeys()) {
    DrawLeader(painter, key);
  }
  for (const MouseKey& key : MouseKeys()) {
    DrawKeyBadge(painter, key.badge, kBadgeRadius, key.key + 1, ButtonState::Normal, uiFont);
  }
  painter.restore();
}

}  // namespace gm::skingen
