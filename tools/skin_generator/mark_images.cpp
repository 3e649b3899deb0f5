#include "mark_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <string>
#include <tuple>

#include "skin_geometry.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

using skin::Color;

constexpr int kListIconSize = 16;
constexpr int kAppIconSize = 256;
constexpr QRgb kKeyUpColor = qRgb(255, 160, 60);
constexpr QRgb kLightColor = qRgb(255, 220, 80);
constexpr QRgb kDpiColor = qRgb(200, 130, 255);
constexpr QRgb kFolderColor = qRgb(230, 186, 90);

QPen RoundPen(const QColor& color, qreal width) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QImage DrawIcon(int size, const std::function<void(QPainter&)>& draw) {
  QImage image = skin::NewTransparentCanvas(size, size);
  QPainter painter(&image);
  skin::PrepareAntialiased(painter);
  draw(painter);
  return image;
}

void Folder(QPainter& p, bool open) {
  const QColor color = Color(kFolderColor);
  p.setPen(RoundPen(color.darker(160), 1.0));
  p.setBrush(color.darker(125));
  QPainterPath back;
  back.moveTo(1.5, 13.5);
  back.lineTo(1.5, 3.5);
  back.lineTo(6, 3.5);
  back.lineTo(7.5, 5);
  back.lineTo(13.5, 5);
  back.lineTo(13.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(color);
  QPainterPath front;
  if (open) {
    front.moveTo(1.5, 13.5);
    front.lineTo(4, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(13, 13.5);
  } else {
    front.moveTo(1.5, 13.5);
    front.lineTo(1.5, 6.5);
    front.lineTo(13.5, 6.5);
    front.lineTo(13.5, 13.5);
  }
  front.closeSubpath();
  p.drawPath(front);
}

void MacroDocument(QPainter& p) {
  p.setPen(RoundPen(Color(skin::kHighlight), 1.2));
  p.setBrush(QColor(20, 40, 50));
  p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 2, 2);
  p.setPen(RoundPen(Color(skin::kTextWhite), 1.2));
  for (const qreal y : {5.0, 8.0, 11.0}) {
    p.drawLine(QPointF(5, y), QPointF(y == 11.0 ? 8.5 : 11, y));
  }
}

void Clock(QPainter& p) {
  p.setPen(RoundPen(Color(skin::kHighlight), 1.3));
  p.setBrush(QColor(20, 40, 50));
  p.drawEllipse(QPointF(8, 8), 6.2, 6.2);
  p.setPen(RoundPen(Color(skin::kTextWhite), 1.3));
  p.drawLine(QPointF(8, 8), QPointF(8, 4.2));
  p.drawLine(QPointF(8, 8), QPointF(10.8, 9.6));
}

void KeyArrow(QPainter& p, bool down) {
  const QColor color = down ? Color(skin::kHighlight) : Color(kKeyUpColor);
  p.setPen(RoundPen(color.darker(140), 1.0));
  p.setBrush(QColor(48, 52, 58));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 8), 2, 2);
  p.setPen(RoundPen(color, 1.8));
  const qreal tipY = down ? 10.0 : 1.5;
  const qreal tailY = down ? 1.5 : 10.0;
  p.drawLine(QPointF(8, tailY), QPointF(8, tipY));
  const qreal wing = down ? -3.2 : 3.2;
  p.drawLine(QPointF(8, tipY), QPointF(5, tipY + wing));
  p.drawLine(QPointF(8, tipY), QPointF(11, tipY + wing));
}

void MoveArrows(QPainter& p) {
  p.setPen(RoundPen(Color(skin::kTextWhite), 1.4));
  p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  for (const auto& [tip, a, b] :
       {std::tuple{QPointF(8, 1.5), QPointF(6, 3.5), QPointF(10, 3.5)},
        std::tuple{QPointF(8, 14.5), QPointF(6, 12.5), QPointF(10, 12.5)},
        std::tuple{QPointF(1.5, 8), QPointF(3.5, 6), QPointF(3.5, 10)},
        std::tuple{QPointF(14.5, 8), QPointF(12.5, 6), QPointF(12.5, 10)}}) {
    p.drawLine(tip, a);
    p.drawLine(tip, b);
  }
}

void Bulb(QPainter& p) {
  const QColor color = Color(kLightColor);
  p.setPen(RoundPen(color.darker(150), 1.0));
  p.setBrush(color);
  p.drawEllipse(QPointF(8, 6.5), 4.8, 4.8);
  p.setBrush(QColor(160, 166, 176));
  p.drawRoundedRect(QRectF(5.5, 11, 5, 3.5), 1, 1);
}

void Gauge(QPainter& p) {
  const QColor color = Color(kDpiColor);
  p.setPen(RoundPen(color, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(1.5, 3, 13, 13), 0, 180 * 16);
  p.setPen(RoundPen(Color(skin::kTextWhite), 1.6));
  p.drawLine(QPointF(8, 9.5), QPointF(11.5, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(Color(skin::kTextWhite));
  p.drawEllipse(QPointF(8, 9.5), 1.6, 1.6);
}

void AppIcon(QPainter& p) {
  const qreal s = kAppIconSize;
  QLinearGradient back(0, 0, 0, s);
  back.setColorAt(0.0, Color(skin::kWindowTop));
  back.setColorAt(1.0, Color(skin::kHeaderBand));
  p.setPen(QPen(Color(skin::kHighlight), s / 40));
  p.setBrush(back);
  p.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.2, s * 0.2);
  // A mouse seen from above.
  const QRectF body(s * 0.3, s * 0.16, s * 0.4, s * 0.68);
  QLinearGradient shell(body.topLeft(), body.topRight());
  shell.setColorAt(0.0, QColor(0, 120, 153));
  shell.setColorAt(0.5, Color(skin::kHighlight));
  shell.setColorAt(1.0, QColor(0, 120, 153));
  p.setPen(QPen(Color(skin::kTextHover), s / 64));
  p.setBrush(shell);
  p.drawRoundedRect(body, body.width() / 2, body.width() / 2);
  p.setPen(QPen(Color(skin::kHeaderBand), s / 40));
  p.drawLine(QPointF(body.center().x(), body.top()),
             QPointF(body.center().x(), body.top() + body.height() * 0.38));
  p.drawLine(QPointF(body.left(), body.top() + body.height() * 0.38),
             QPointF(body.right(), body.top() + body.height() * 0.38));
  p.setPen(Qt::NoPen);
  p.setBrush(Color(skin::kHeaderBand));
  p.drawRoundedRect(QRectF(body.center().x() - s * 0.03, body.top() + body.height() * 0.1, s * 0.06,
                           body.height() * 0.16),
                    s * 0.03, s * 0.03);
}

}  // namespace

QImage DrawSliderKnob() {
  QImage knob = skin::NewTransparentCanvas(kSliderKnobSize.width(), kSliderKnobSize.height());
  QPainter painter(&knob);
  // Right part: the empty track, exactly as the page draws it, over the band rows only.
  const int bandRow = kSliderBandTop - kSliderKnobDown;
  const QRect cover(kSliderHandleWidth, bandRow, kSliderKnobSize.width() - kSliderHandleWidth,
                    kSliderBandHeight);
  painter.fillRect(cover, Color(skin::kRecessFill));
  painter.fillRect(QRect(cover.left(), cover.top(), cover.width(), 1), Color(skin::kRecessEdge));
  painter.fillRect(QRect(cover.left(), cover.bottom(), cover.width(), 1),
                   Color(skin::kRecessEdge));
  // Left part: the handle.
  skin::PrepareAntialiased(painter);
  const QRectF handle(0.5, 0.5, kSliderHandleWidth - 1.0, kSliderKnobSize.height() - 1.0);
  QLinearGradient face(handle.topLeft(), handle.topRight());
  face.setColorAt(0.0, Color(skin::kTextWhite));
  face.setColorAt(1.0, Color(skin::kTextHover));
  painter.setPen(QPen(QColor(0, 60, 80), 1.0));
  painter.setBrush(face);
  painter.drawRoundedRect(handle, 3, 3);
  return knob;
}

QImage DrawLeftMacroMark() {
  QImage mark = skin::NewTransparentCanvas(kKeyMarkSize.width(), kKeyMarkSize.height());
  QPainter p(&mark);
  skin::PrepareAntialiased(p);
  const QRectF pill(0.75, 0.75, mark.width() - 1.5, mark.height() - 1.5);
  QColor back = Color(skin::kRecessFill);
  back.setAlpha(235);
  p.setPen(QPen(Color(skin::kHighlight), 1.5));
  p.setBrush(back);
  p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
  // A mouse with its left button lit.
  const QRectF mouse(14, 5, 14, 20);
  p.setPen(QPen(Color(skin::kTextWhite), 1.3));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(mouse, 7, 7);
  QPainterPath leftButton;
  leftButton.moveTo(mouse.center().x(), mouse.top() + 0.5);
  leftButton.arcTo(QRectF(mouse.left(), mouse.top(), 14, 14), 90, 90);
  leftButton.lineTo(mouse.left(), mouse.top() + 8);
  leftButton.lineTo(mouse.center().x(), mouse.top() + 8);
  leftButton.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Color(skin::kTextHover));
  p.drawPath(leftButton);
  // An arrow.
  p.setPen(RoundPen(Color(skin::kHighlight), 2.0));
  p.drawLine(QPointF(38, 15), QPointF(54, 15));
  p.drawLine(QPointF(54, 15), QPointF(49, 10));
  p.drawLine(QPointF(54, 15), QPointF(49, 20));
  // Macro steps: a column of dots and bars.
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row) {
    const qreal y = 8.5 + row * 6.5;
    p.setBrush(Color(skin::kHighlight));
    p.drawEllipse(QPointF(66, y), 2, 2);
    p.setBrush(Color(skin::kTextWhite));
    p.drawRoundedRect(QRectF(71, y - 1.5, row == 1 ? 16 : 24, 3), 1.5, 1.5);
  }
  // A loop: the macro repeats while the button is held.
  p.setPen(RoundPen(Color(skin::kTextHover), 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(98, 7, 16, 16), 60 * 16, 280 * 16);
  p.drawLine(QPointF(114, 9.5), QPointF(110.5, 12.5));
  p.drawLine(QPointF(114, 9.5), QPointF(114.5, 14));
  return mark;
}

std::vector<NamedIcon> DrawIcons() {
  std::vector<NamedIcon> icons;
  icons.push_back({"icons/icon_159.png", DrawIcon(kAppIconSize, AppIcon)});
  const auto add = [&icons](int resource, const std::function<void(QPainter&)>& draw) {
    icons.push_back({"icons/icon_" + std::to_string(resource) + ".png",
                     DrawIcon(kListIconSize, draw)});
  };
  add(169, [](QPainter& p) { Folder(p, false); });
  add(170, [](QPainter& p) { Folder(p, true); });
  add(171, MacroDocument);
  add(172, Clock);
  add(173, [](QPainter& p) { KeyArrow(p, true); });
  add(174, [](QPainter& p) { KeyArrow(p, false); });
  add(175, MoveArrows);
  add(178, Bulb);
  add(182, Gauge);
  return icons;
}

}  // namespace gm::skingen
