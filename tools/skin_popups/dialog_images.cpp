#include "dialog_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

#include "skin_generator/skin_palette.h"

namespace gm::popups {
namespace {

using skin::ButtonState;
using skin::Color;

constexpr int kGlyphHalf = 5;          // half size of the close cross and back chevron
constexpr qreal kGlyphPen = 1.8;
constexpr int kGlyphBoxRadius = 4;
constexpr QRgb kDangerDown = qRgb(150, 28, 34);
constexpr int kTitleAccentInset = 12;
constexpr int kWellFrame = 2;          // frame drawn just outside a picture or edit place
constexpr int kEditFrame = 3;
constexpr int kIndicatorLeft = 14;     // play-mode lamp, from the button's left edge
constexpr qreal kIndicatorRadius = 4.0;
constexpr int kLampHaloAlpha = 90;
constexpr int kDropArrowHalf = 5;
constexpr int kFooterGap = 10;         // space between the footer line and the buttons
constexpr int kFieldRadius = 3;

ButtonState StateOf(DialogImage which) {
  switch (which) {
    case DialogImage::kOver:
      return ButtonState::Over;
    case DialogImage::kDown:
      return ButtonState::Down;
    case DialogImage::kNormal:
      break;
  }
  return ButtonState::Normal;
}

void DrawTitleBand(QPainter& painter, const DialogSkin& dialog) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF window = QRectF(0, 0, dialog.size.width(), dialog.size.height())
                            .adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shape;
  shape.addRoundedRect(window, skin::kWindowRadius, skin::kWindowRadius);
  QPainterPath band;
  band.addRect(QRectF(0, 0, dialog.size.width(), dialog.titleBandHeight));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Color(skin::kHeaderBand));
  painter.drawPath(shape.intersected(band));
  // A highlight line under the band, fading out toward both ends.
  QLinearGradient accent(0, 0, dialog.size.width(), 0);
  QColor clear = Color(skin::kHighlight);
  clear.setAlpha(0);
  accent.setColorAt(0.0, clear);
  accent.setColorAt(0.5, Color(skin::kHighlight));
  accent.setColorAt(1.0, clear);
  painter.setPen(QPen(QBrush(accent), 1.0));
  painter.drawLine(QPointF(kTitleAccentInset, dialog.titleBandHeight - 0.5),
                   QPointF(dialog.size.width() - kTitleAccentInset, dialog.titleBandHeight - 0.5));
  painter.restore();
}

// A footer line above the push buttons of the bottom row, when there are any.
void DrawFooterLine(QPainter& painter, const DialogSkin& dialog) {
  int top = dialog.size.height();
  for (const PopupElement& element : dialog.buttons) {
    if (element.look == ElementLook::kPushButton) top = std::min(top, element.rect.top());
  }
  if (top >= dialog.size.height() || top < dialog.size.height() / 2) return;
  painter.setPen(Color(skin::kPanelEdge));
  painter.drawLine(kTitleAccentInset, top - kFooterGap, dialog.size.width() - kTitleAccentInset,
                   top - kFooterGap);
}

void DrawGlyphBox(QPainter& painter, const QRect& area, QRgb fill) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(Color(fill));
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), kGlyphBoxRadius,
                          kGlyphBoxRadius);
}

void DrawCloseGlyph(QPainter& painter, const QRect& area, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  if (state != ButtonState::Normal) {
    DrawGlyphBox(painter, area, state == ButtonState::Over ? skin::kDanger : kDangerDown);
  }
  const QPointF c = QRectF(area).center();
  painter.setPen(QPen(Color(state == ButtonState::Normal ? skin::kGlyph : skin::kTextWhite),
                      kGlyphPen, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(c + QPointF(-kGlyphHalf, -kGlyphHalf), c + QPointF(kGlyphHalf, kGlyphHalf));
  painter.drawLine(c + QPointF(-kGlyphHalf, kGlyphHalf), c + QPointF(kGlyphHalf, -kGlyphHalf));
  painter.restore();
}

void DrawChevron(QPainter& painter, const QPointF& a, const QPointF& tip, const QPointF& b,
                 QRgb color) {
  QPainterPath path;
  path.moveTo(a);
  path.lineTo(tip);
  path.lineTo(b);
  painter.setPen(QPen(Color(color), kGlyphPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

void DrawBackGlyph(QPainter& painter, const QRect& area, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  QRgb glyph = skin::kGlyph;
  if (state == ButtonState::Over) {
    DrawGlyphBox(painter, area, skin::kOverBottom);
    glyph = skin::kGlyphOver;
  } else if (state == ButtonState::Down) {
    DrawGlyphBox(painter, area, skin::kDownBottom);
    glyph = skin::kTextWhite;
  }
  const QPointF c = QRectF(area).center();
  const qreal half = kGlyphHalf;
  DrawChevron(painter, c + QPointF(half / 2, -half), c + QPointF(-half / 2, 0),
              c + QPointF(half / 2, half), glyph);
  painter.restore();
}

void DrawDropButton(QPainter& painter, const QRect& area, ButtonState state) {
  skin::DrawBevelButton(painter, area, state);
  painter.save();
  skin::PrepareAntialiased(painter);
  const QPointF c = QRectF(area).center();
  const qreal half = kDropArrowHalf;
  DrawChevron(painter, c + QPointF(-half, -half / 2), c + QPointF(0, half / 2),
              c + QPointF(half, -half / 2),
              state == ButtonState::Over ? skin::kGlyphOver : skin::kTextWhite);
  painter.restore();
}

// A play-mode button carries a lamp at its left: dark when off, cyan-ringed under the mouse,
// lit on the selected (down) button.
void DrawToggleButton(QPainter& painter, const QRect& area, ButtonState state) {
  skin::DrawBevelButton(painter, area, state);
  painter.save();
  skin::PrepareAntialiased(painter);
  const QPointF lamp(area.left() + kIndicatorLeft, QRectF(area).center().y());
  if (state == ButtonState::Down) {
    QColor halo = Color(skin::kTextHover);
    halo.setAlpha(kLampHaloAlpha);
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(lamp, kIndicatorRadius + 2, kIndicatorRadius + 2);
    painter.setPen(QPen(Color(skin::kTextWhite), 1.2));
    painter.setBrush(Color(skin::kTextHover));
  } else {
    painter.setPen(QPen(Color(state == ButtonState::Over ? skin::kOverEdge : skin::kButtonEdge),
                        1.4));
    painter.setBrush(Color(skin::kRecessFill));
  }
  painter.drawEllipse(lamp, kIndicatorRadius, kIndicatorRadius);
  painter.restore();
}

void DrawValueField(QPainter& painter, const QRect& area, ButtonState state) {
  skin::DrawRecess(painter, area, kFieldRadius, skin::kRecessFill);
  if (state == ButtonState::Normal) return;
  painter.save();
  skin::PrepareAntialiased(painter);
  painter.setPen(QPen(Color(state == ButtonState::Over ? skin::kOverEdge : skin::kDownEdge), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), kFieldRadius,
                          kFieldRadius);
  painter.restore();
}

// The picture covers the element exactly, so its frame lies just outside and its inside is
// the colour the pictures are painted on.
void DrawPictureWell(QPainter& painter, const QRect& area) {
  skin::DrawRecess(painter, area.adjusted(-kWellFrame, -kWellFrame, kWellFrame, kWellFrame),
                   kFieldRadius + 1);
  painter.fillRect(area, Color(skin::kRecessFill));
}

void DrawEditPlace(QPainter& painter, const QRect& area) {
  skin::DrawRecess(painter, area.adjusted(-kEditFrame, -kEditFrame, kEditFrame, kEditFrame),
                   kFieldRadius, skin::kEditBackground);
  painter.fillRect(area, Color(skin::kEditBackground));
}

void DrawElement(QPainter& painter, const PopupElement& element, ButtonState state) {
  switch (element.look) {
    case ElementLook::kPushButton:
      skin::DrawBevelButton(painter, element.rect, state);
      break;
    case ElementLook::kToggleButton:
      DrawToggleButton(painter, element.rect, state);
      break;
    case ElementLook::kCloseGlyph:
      DrawCloseGlyph(painter, element.rect, state);
      break;
    case ElementLook::kBackGlyph:
      DrawBackGlyph(painter, element.rect, state);
      break;
    case ElementLook::kDropGlyph:
      DrawDropButton(painter, element.rect, state);
      break;
    case ElementLook::kValueField:
      DrawValueField(painter, element.rect, state);
      break;
    case ElementLook::kPictureWell:
      DrawPictureWell(painter, element.rect);
      break;
    case ElementLook::kEditPlace:
      DrawEditPlace(painter, element.rect);
      break;
    case ElementLook::kTitle:
    case ElementLook::kLabel:
      break;  // captions only: the surface shows through
  }
}

}  // namespace

QImage DrawDialogImage(const DialogSkin& dialog, DialogImage which) {
  QImage image = skin::NewCanvas(dialog.size.width(), dialog.size.height(), skin::kMaskOutside);
  QPainter painter(&image);
  const QRect window(QPoint(0, 0), dialog.size);
  skin::DrawWindowBackground(painter, window);
  DrawTitleBand(painter, dialog);
  DrawFooterLine(painter, dialog);
  for (const QRect& panel : dialog.panels) skin::DrawPanel(painter, panel);
  for (const PopupElement& edit : dialog.edits) DrawElement(painter, edit, ButtonState::Normal);
  const ButtonState state = StateOf(which);
  for (const PopupElement& element : dialog.buttons) DrawElement(painter, element, state);
  return image;
}

QImage DrawDialogMask(const DialogSkin& dialog) {
  return skin::MakeRoundedMask(dialog.size.width(), dialog.size.height(),
                               QRect(QPoint(0, 0), dialog.size));
}

}  // namespace gm::popups
