#include "element_painter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

#include "ui_font.h"

namespace gm::skingen {
namespace {

using skin::Color;

constexpr int kBarTrackHeight = 8;
constexpr int kKeyBadgeRadius = 10;
constexpr int kKeyBadgeInset = 15;   // badge centre from the key button's left edge
constexpr int kDropArrowWidth = 24;  // arrow zone at the right of a drop button
constexpr int kRecordDotInset = 18;  // record dot centre from the button's left edge

QRectF Inner(const QRect& rect, qreal inset) {
  return QRectF(rect).adjusted(inset, inset, -inset, -inset);
}

void DrawGlyphBackground(QPainter& painter, const QRect& rect, ButtonState state, bool danger) {
  if (state == ButtonState::Normal) {
    return;
  }
  painter.save();
  skin::PrepareAntialiased(painter);
  QColor fill = Color(state == ButtonState::Over ? skin::kOverBottom : skin::kDownBottom);
  QColor edge = Color(state == ButtonState::Over ? skin::kOverEdge : skin::kDownEdge);
  if (danger) {
    fill = state == ButtonState::Over ? Color(skin::kDanger) : Color(skin::kDanger).darker(150);
    edge = Color(skin::kDanger).lighter(130);
  }
  painter.setPen(QPen(edge, 1.2));
  painter.setBrush(fill);
  painter.drawRoundedRect(Inner(rect, 1.0), 5, 5);
  painter.restore();
}

QPen GlyphPen(ButtonState state, qreal width = 2.0) {
  const QColor color = state == ButtonState::Normal ? Color(skin::kGlyph)
                        : state == ButtonState::Over ? Color(skin::kGlyphOver)
                                                     : Color(skin::kTextWhite);
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void DrawGlyphButton(QPainter& painter, const Element& element, ButtonState state) {
  const QRect& r = element.rect;
  DrawGlyphBackground(painter, r, state, element.look == Look::kGlyphClose &&
                                             state != ButtonState::Normal);
  painter.save();
  skin::PrepareAntialiased(painter);
  QPen pen = GlyphPen(state);
  if (element.look == Look::kGlyphClose && state != ButtonState::Normal) {
    pen.setColor(Color(skin::kTextWhite));
  }
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QPointF c = QRectF(r).center();
  switch (element.look) {
    case Look::kGlyphMinimise:
      painter.drawLine(QPointF(c.x() - 6, c.y() + 5), QPointF(c.x() + 6, c.y() + 5));
      break;
    case Look::kGlyphClose:
      painter.drawLine(QPointF(c.x() - 5.5, c.y() - 5.5), QPointF(c.x() + 5.5, c.y() + 5.5));
      painter.drawLine(QPointF(c.x() + 5.5, c.y() - 5.5), QPointF(c.x() - 5.5, c.y() + 5.5));
      break;
    case Look::kGlyphHide: {  // an arrow going down into a tray
      painter.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() + 2));
      painter.drawLine(QPointF(c.x() - 4, c.y() - 2), QPointF(c.x(), c.y() + 2));
      painter.drawLine(QPointF(c.x() + 4, c.y() - 2), QPointF(c.x(), c.y() + 2));
      QPainterPath tray;
      tray.moveTo(c.x() - 7, c.y() + 1);
      tray.lineTo(c.x() - 7, c.y() + 6);
      tray.lineTo(c.x() + 7, c.y() + 6);
      tray.lineTo(c.x() + 7, c.y() + 1);
      painter.drawPath(tray);
      break;
    }
    case Look::kGlyphWeb: {  // a globe
      pen.setWidthF(1.5);
      painter.setPen(pen);
      const qreal radius = 7.5;
      painter.drawEllipse(c, radius, radius);
      painter.drawEllipse(c, radius * 0.42, radius);
      painter.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
      painter.drawLine(QPointF(c.x() - radius * 0.85, c.y() - 3.5),
                       QPointF(c.x() + radius * 0.85, c.y() - 3.5));
      painter.drawLine(QPointF(c.x() - radius * 0.85, c.y() + 3.5),
                       QPointF(c.x() + radius * 0.85, c.y() + 3.5));
      break;
    }
    default:
      break;
  }
  painter.restore();
}

void DrawAccentButton(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = Inner(rect, 0.5);
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  if (state == ButtonState::Normal) {
    gradient.setColorAt(0.0, QColor(0, 140, 178));
    gradient.setColorAt(1.0, QColor(0, 92, 118));
    painter.setPen(QPen(Color(skin::kDownEdge), 1.0));
  } else if (state == ButtonState::Over) {
    gradient.setColorAt(0.0, QColor(20, 206, 255));
    gradient.setColorAt(1.0, QColor(0, 140, 178));
    painter.setPen(QPen(Color(skin::kOverEdge), 2.0));
  } else {
    gradient.setColorAt(0.0, QColor(0, 56, 72));
    gradient.setColorAt(1.0, QColor(0, 92, 118));
    painter.setPen(QPen(Color(skin::kDownEdge).darker(130), 1.0));
  }
  painter.setBrush(gradient);
  painter.drawRoundedRect(box, 5, 5);
  if (state == ButtonState::Down) {
    painter.setPen(QPen(QColor(0, 0, 0, 120), 2.0));
    painter.drawLine(QPointF(box.left() + 5, box.top() + 2),
                     QPointF(box.right() - 5, box.top() + 2));
  } else {
    painter.setPen(QPen(QColor(255, 255, 255, state == ButtonState::Over ? 110 : 60), 1.0));
    painter.drawLine(QPointF(box.left() + 5, box.top() + 1.5),
                     QPointF(box.right() - 5, box.top() + 1.5));
  }
  painter.restore();
}

void DrawTab(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = QRectF(rect).adjusted(0.5, 0.5, -0.5, 0);
  QPainterPath path;
  const qreal radius = 6;
  path.moveTo(box.bottomLeft());
  path.lineTo(box.left(), box.top() + radius);
  path.quadTo(box.topLeft(), QPointF(box.left() + radius, box.top()));
  path.lineTo(box.right() - radius, box.top());
  path.quadTo(box.topRight(), QPointF(box.right(), box.top() + radius));
  path.lineTo(box.bottomRight());
  if (state == ButtonState::Normal) {
    painter.setPen(QPen(Color(skin::kPanelEdge), 1.0));
    painter.setBrush(Color(skin::kHeaderBand).lighter(125));
    painter.drawPath(path);
  } else if (state == ButtonState::Over) {
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0.0, Color(skin::kOverTop));
    gradient.setColorAt(1.0, Color(skin::kOverBottom));
    painter.setPen(QPen(Color(skin::kOverEdge), 1.2));
    painter.setBrush(gradient);
    painter.drawPath(path);
  } else {  // the current page: joined to the content panel, lit top edge
    painter.setPen(QPen(Color(skin::kPanelEdge), 1.0));
    painter.setBrush(Color(skin::kPanelFill));
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(box.left() + 1, box.bottom() - 1, box.width() - 2, 3),
                     Color(skin::kPanelFill));
    QLinearGradient glow(box.topLeft(), box.topRight());
    glow.setColorAt(0.0, Color(skin::kMenuTeal));
    glow.setColorAt(0.5, Color(skin::kHighlight));
    glow.setColorAt(1.0, Color(skin::kMenuTeal));
    painter.setBrush(glow);
    painter.drawRoundedRect(QRectF(box.left() + 3, box.top() + 1, box.width() - 6, 3), 1.5, 1.5);
  }
  painter.restore();
}

// Darkens the face of a button inside its edge, so that a light coloured text the program
// writes on it stands out.
void DarkenFace(QPainter& painter, const QRect& rect, int alpha) {
  painter.save();
  skin::PrepareAntialiased(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, alpha));
  painter.drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5), skin::kCornerRadius,
                          skin::kCornerRadius);
  painter.restore();
}

// A pressed key button shows the hovered key's text colour (a light cyan): its teal face is
// darkened under it.
constexpr int kKeyDownDarken = 150;
// The hovered record button shows "录制" in the highlight blue.
constexpr int kRecordOverDarken = 90;

void DrawKeyButton(QPainter& painter, const Element& element, ButtonState state,
                   const QFont& uiFont) {
  skin::DrawBevelButton(painter, element.rect, state);
  if (state == ButtonState::Down) DarkenFace(painter, element.rect, kKeyDownDarken);
  const QRect& r = element.rect;
  DrawKeyBadge(painter, QPointF(r.left() + kKeyBadgeInset, r.top() + r.height() / 2.0),
               kKeyBadgeRadius, element.detail + 1, state, uiFont);
  // A small arrow at the right: the button opens a list.
  painter.save();
  skin::PrepareAntialiased(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(state == ButtonState::Normal ? Color(skin::kLeaderLine)
                                                : Color(skin::kTextWhite));
  const QPointF tip(r.right() - 9, r.top() + r.height() / 2.0 + 2.5);
  QPolygonF arrow;
  arrow << QPointF(tip.x() - 4, tip.y() - 4) << QPointF(tip.x() + 4, tip.y() - 4) << tip;
  painter.drawPolygon(arrow);
  painter.restore();
}

void DrawKeyLabel(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  const QRect line(rect.left(), rect.bottom() - 1, rect.width(), 2);
  if (state == ButtonState::Normal) {
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), Color(skin::kRecessEdge));
  } else if (state == ButtonState::Over) {
    QColor band = Color(skin::kOverBottom);
    band.setAlpha(140);
    painter.fillRect(rect, band);
    painter.fillRect(line, Color(skin::kOverEdge));
  } else {
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    gradient.setColorAt(0.0, Color(skin::kMenuTeal));
    gradient.setColorAt(1.0, QColor(0, 70, 90));
    painter.fillRect(rect, gradient);
    painter.fillRect(line, Color(skin::kHighlight));
    painter.fillRect(QRect(rect.left(), rect.top(), 3, rect.height()), Color(skin::kOverEdge));
  }
  painter.restore();
}

void DrawCheckBox(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = Inner(rect, 1.5);
  if (state == ButtonState::Down) {
    painter.setPen(QPen(Color(skin::kDownEdge), 1.2));
    painter.setBrush(Color(skin::kHighlight));
    painter.drawRoundedRect(box, 4, 4);
    QPen tick(Color(skin::kRecessFill), 2.4);
    tick.setCapStyle(Qt::RoundCap);
    tick.setJoinStyle(Qt::RoundJoin);
    painter.setPen(tick);
    QPolygonF mark;
    mark << QPointF(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52)
         << QPointF(box.left() + box.width() * 0.43, box.top() + box.height() * 0.72)
         << QPointF(box.left() + box.width() * 0.78, box.top() + box.height() * 0.30);
    painter.drawPolyline(mark);
  } else {
    painter.setPen(QPen(Color(state == ButtonState::Over ? skin::kOverEdge : skin::kButtonEdge),
                        state == ButtonState::Over ? 1.6 : 1.2));
    painter.setBrush(Color(state == ButtonState::Over ? skin::kOverBottom : skin::kRecessFill));
    painter.drawRoundedRect(box, 4, 4);
  }
  painter.restore();
}

void DrawSwitch(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = Inner(rect, 1.0);
  const qreal radius = box.height() / 2.0;
  const bool on = state == ButtonState::Down;
  painter.setPen(QPen(Color(on ? skin::kDownEdge
                              : state == ButtonState::Over ? skin::kOverEdge
                                                           : skin::kButtonEdge),
                      1.2));
  painter.setBrush(Color(on ? skin::kMenuTeal : skin::kRecessFill));
  painter.drawRoundedRect(box, radius, radius);
  const qreal knobRadius = radius - 3;
  const QPointF centre(on ? box.right() - radius : box.left() + radius, box.center().y());
  painter.setPen(Qt::NoPen);
  painter.setBrush(on ? Color(skin::kTextWhite)
                      : state == ButtonState::Over ? Color(skin::kOverEdge)
                                                   : Color(skin::kLeaderLine));
  painter.drawEllipse(centre, knobRadius, knobRadius);
  painter.restore();
}

void DrawSwatch(QPainter& painter, const Element& element, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QColor color = CycleColor(element.detail);
  const QRectF box = Inner(element.rect, 3.0);
  if (state == ButtonState::Down) {  // lit: the colour glows
    QRadialGradient glow(QRectF(element.rect).center(), element.rect.width() / 2.0);
    QColor halo = color;
    halo.setAlpha(150);
    glow.setColorAt(0.6, halo);
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(element.rect));
    painter.setPen(QPen(color.lighter(150), 1.5));
    painter.setBrush(color);
    painter.drawRoundedRect(box.adjusted(2, 2, -2, -2), 6, 6);
  } else {
    QColor dim = color;
    dim.setHsv(color.hsvHue() < 0 ? 0 : color.hsvHue(), color.hsvSaturation() * 2 / 3,
               color.value() / 3);
    painter.setPen(QPen(Color(state == ButtonState::Over ? skin::kOverEdge : skin::kPanelEdge),
                        1.2));
    painter.setBrush(dim);
    painter.drawRoundedRect(box.adjusted(2, 2, -2, -2), 6, 6);
  }
  painter.restore();
}

void DrawBarElement(QPainter& painter, const QRect& rect, ButtonState state) {
  const int top = rect.top() + (rect.height() - kBarTrackHeight) / 2;
  skin::DrawBar(painter, QRect(rect.left(), top, rect.width(), kBarTrackHeight), state);
}

// The slider: a flat band (so the knob image can hide the filled part beyond its handle),
// and a tick under every one of the 17 positions, at the centre of the knob's handle.
void DrawSlider(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int length = SliderLength(rect);
  const int bandTop = rect.top() + kSliderBandTop;
  const QRect band(rect.left(), bandTop, length, kSliderBandHeight);
  if (state == ButtonState::Down) {
    QLinearGradient fill(band.topLeft(), band.topRight());
    fill.setColorAt(0.0, Color(skin::kBarFillStart));
    fill.setColorAt(1.0, Color(skin::kBarFillEnd));
    painter.fillRect(band, fill);
    painter.fillRect(QRect(band.left(), band.top(), band.width(), 1), Color(skin::kDownEdge));
  } else {
    painter.fillRect(band, Color(skin::kRecessFill));
    painter.fillRect(QRect(band.left(), band.top(), band.width(), 1), Color(skin::kRecessEdge));
    painter.fillRect(QRect(band.left(), band.bottom(), band.width(), 1),
                     Color(skin::kRecessEdge));
    if (state == ButtonState::Over) {  // glow just outside the band
      QColor glow = Color(skin::kOverEdge);
      glow.setAlpha(200);
      painter.fillRect(QRect(band.left(), band.top() - 2, band.width(), 2), glow);
      painter.fillRect(QRect(band.left(), band.bottom() + 1, band.width(), 2), glow);
    }
  }
  const int step = rect.width() / kSliderSteps;
  const int handleCentre = kSliderHandleWidth / 2;
  for (int position = 0; position < kSliderPositions; ++position) {
    const bool major = position % 4 == 0 || position == kSliderPositions - 1;
    const int x = rect.left() + position * step + handleCentre - 1;
    const int tickTop = bandTop + kSliderBandHeight + 5;
    const QColor color = state == ButtonState::Down   ? Color(skin::kHighlight)
                          : state == ButtonState::Over ? Color(skin::kOverEdge)
                                                       : Color(skin::kLeaderLine);
    painter.fillRect(QRect(x, tickTop, 2, major ? 8 : 5), color);
  }
  painter.restore();
}

void DrawDropButton(QPainter& painter, const QRect& rect, ButtonState state) {
  skin::DrawBevelButton(painter, rect, state);
  painter.save();
  skin::PrepareAntialiased(painter);
  const qreal separator = rect.right() - kDropArrowWidth;
  painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
  painter.drawLine(QPointF(separator + 0.5, rect.top() + 7),
                   QPointF(separator + 0.5, rect.bottom() - 6));
  painter.setPen(QPen(QColor(255, 255, 255, 30), 1.0));
  painter.drawLine(QPointF(separator + 1.5, rect.top() + 7),
                   QPointF(separator + 1.5, rect.bottom() - 6));
  const QPointF centre(rect.right() - kDropArrowWidth / 2.0 + 1, rect.top() + rect.height() / 2.0);
  painter.setPen(GlyphPen(state, 2.0));
  painter.drawLine(QPointF(centre.x() - 4.5, centre.y() - 2),
                   QPointF(centre.x(), centre.y() + 2.5));
  painter.drawLine(QPointF(centre.x() + 4.5, centre.y() - 2),
                   QPointF(centre.x(), centre.y() + 2.5));
  painter.restore();
}

void DrawRecordButton(QPainter& painter, const QRect& rect, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = Inner(rect, 0.5);
  const QPointF dot(rect.left() + kRecordDotInset, rect.top() + rect.height() / 2.0);
  if (state == ButtonState::Down) {  // recording: dark face, red frame, glowing dot
    painter.setPen(QPen(QColor(230, 40, 40), 2.0));
    painter.setBrush(QColor(40, 14, 16));
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), skin::kCornerRadius,
                            skin::kCornerRadius);
    QRadialGradient glow(dot, 11);
    glow.setColorAt(0.0, QColor(255, 80, 80, 220));
    glow.setColorAt(1.0, QColor(255, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(dot, 11, 11);
    painter.setBrush(QColor(255, 40, 40));
    painter.drawEllipse(dot, 6, 6);
  } else {
    skin::DrawBevelButton(painter, rect, state);
    if (state == ButtonState::Over) DarkenFace(painter, rect, kRecordOverDarken);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
    painter.setBrush(state == ButtonState::Over ? QColor(240, 50, 50) : QColor(150, 36, 40));
    painter.drawEllipse(dot, 6, 6);
  }
  painter.restore();
}

}  // namespace

QColor CycleColor(int index) {
  static const std::array<QColor, 7> kColors{QColor(255, 0, 0),   QColor(255, 143, 0),
                                             QColor(255, 255, 0), QColor(0, 255, 0),
                                             QColor(0, 255, 255), QColor(0, 0, 255),
                                             QColor(143, 0, 255)};
  return kColors[static_cast<std::size_t>(index) % kColors.size()];
}

int SliderLength(const QRect& slider) {
  return (slider.width() / kSliderSteps) * kSliderPositions;
}

void DrawKeyBadge(QPainter& painter, QPointF centre, qreal radius, int number,
                  ButtonState state, const QFont& uiFont) {
  painter.save();
  skin::PrepareAntialiased(painter);
  QColor fill = Color(skin::kRecessFill);
  QColor edge = Color(skin::kButtonEdge);
  QColor digit = Color(skin::kGlyph);
  if (state == ButtonState::Over) {
    edge = Color(skin::kOverEdge);
    digit = Color(skin::kOverEdge);
  } else if (state == ButtonState::Down) {
    fill = Color(skin::kHighlight);
    edge = Color(skin::kTextWhite);
    digit = Color(skin::kRecessFill);
  }
  painter.setPen(QPen(edge, 1.4));
  painter.setBrush(fill);
  painter.drawEllipse(centre, radius, radius);
  painter.setFont(BadgeFont(uiFont, static_cast<int>(radius * 1.25)));
  painter.setPen(digit);
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  painter.drawText(box.translated(0, -0.5), Qt::AlignCenter, QString::number(number));
  painter.restore();
}

// A flat plate: light with a grey edge, lighter cyan with the hover edge when hovered, dark
// with the accent edge when selected.
void DrawValueChip(QPainter& painter, const QRect& area, ButtonState state) {
  painter.save();
  skin::PrepareAntialiased(painter);
  QRgb fill = skin::kChipFill;
  QRgb edge = skin::kChipEdge;
  qreal width = 1.0;
  if (state == ButtonState::Over) {
    fill = skin::kChipOverFill;
    edge = skin::kOverEdge;
    width = 1.6;
  } else if (state == ButtonState::Down) {
    fill = skin::kChipDownFill;
    edge = skin::kDownEdge;
    width = 2.0;
  }
  painter.setPen(QPen(Color(edge), width));
  painter.setBrush(Color(fill));
  painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), skin::kCornerRadius,
                          skin::kCornerRadius);
  painter.restore();
}

void DrawElement(QPainter& painter, const Element& element, ButtonState state,
                 const QFont& uiFont) {
  switch (element.look) {
    case Look::kHeading:
    case Look::kText:
    case Look::kCover:
      return;  // the program writes the text; covers exist only in led_null.jpg
    case Look::kPushButton:
    case Look::kToggleButton:
      skin::DrawBevelButton(painter, element.rect, state);
      return;
    case Look::kAccentButton:
      DrawAccentButton(painter, element.rect, state);
      return;
    case Look::kTab:
      DrawTab(painter, element.rect, state);
      return;
    case Look::kGlyphMinimise:
    case Look::kGlyphHide:
    case Look::kGlyphClose:
    case Look::kGlyphWeb:
      DrawGlyphButton(painter, element, state);
      return;
    case Look::kKeyButton:
      DrawKeyButton(painter, element, state, uiFont);
      return;
    case Look::kKeyLabel:
      DrawKeyLabel(painter, element.rect, state);
      return;
    case Look::kCheckBox:
      DrawCheckBox(painter, element.rect, state);
      return;
    case Look::kRadioDot:
      skin::DrawCheckDot(painter, QRectF(element.rect).center(), element.rect.width() / 2.0 - 2,
                         state == ButtonState::Down, state == ButtonState::Over);
      return;
    case Look::kSwitch:
      DrawSwitch(painter, element.rect, state);
      return;
    case Look::kColorSwatch:
      DrawSwatch(painter, element, state);
      return;
    case Look::kBar:
      DrawBarElement(painter, element.rect, state);
      return;
    case Look::kDpiSlider:
      DrawSlider(painter, element.rect, state);
      return;
    case Look::kDropButton:
      DrawDropButton(painter, element.rect, state);
      return;
    case Look::kRecordButton:
      DrawRecordButton(painter, element.rect, state);
      return;
    case Look::kValueChip:
      DrawValueChip(painter, element.rect, state);
      return;
  }
}

void DrawControlPlace(QPainter& painter, const ControlPlace& place) {
  if (place.isList) {
    skin::DrawRecess(painter, place.rect.adjusted(-2, -2, 2, 2), 4, skin::kListBackground);
    painter.fillRect(place.rect, Color(skin::kListBackground));
    return;
  }
  if (place.rect.height() <= 4) {  // a rule under a heading
    QLinearGradient rule(place.rect.topLeft(), place.rect.topRight());
    rule.setColorAt(0.0, Color(skin::kMenuTeal));
    rule.setColorAt(1.0, Color(skin::kPanelEdge));
    painter.fillRect(place.rect, rule);
    return;
  }
  skin::DrawRecess(painter, place.rect.adjusted(-2, -2, 2, 2), 4, skin::kEditBackground);
  painter.fillRect(place.rect, Color(skin::kEditBackground));
}

}  // namespace gm::skingen
