#include "page_painter.h"

#include <QLinearGradient>
#include <QPainter>

#include "mouse_drawing.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

using skin::Color;

constexpr int kHeaderHeight = 48;
constexpr QRect kContentPanel{12, 100, 856, 508};
constexpr int kFooterTop = 608;
constexpr int kPanelTitleHeight = 32;
constexpr QRgb kGroupFill = qRgb(25, 26, 29);
constexpr QRgb kGroupTitleFill = qRgb(19, 20, 22);
constexpr QRgb kGreyVeil = qRgba(16, 17, 19, 190);

void DrawFrame(QPainter& painter) {
  const QPainterPath shape = WindowShape();
  QLinearGradient gradient(0, 0, 0, kPageHeight);
  gradient.setColorAt(0.0, Color(skin::kWindowTop));
  gradient.setColorAt(1.0, Color(skin::kWindowBottom));
  painter.fillPath(shape, gradient);
  painter.save();
  painter.setClipPath(shape);
  // Header band with a thin accent under it.
  painter.fillRect(QRect(0, 0, kPageWidth, kHeaderHeight), Color(skin::kHeaderBand));
  QLinearGradient accent(0, 0, kPageWidth, 0);
  accent.setColorAt(0.0, Color(skin::kHighlight));
  accent.setColorAt(0.35, Color(skin::kMenuTeal));
  accent.setColorAt(1.0, Color(skin::kHeaderBand));
  painter.fillRect(QRect(0, kHeaderHeight - 2, kPageWidth, 2), accent);
  // Footer band.
  painter.fillRect(QRect(0, kFooterTop + 2, kPageWidth, kPageHeight - kFooterTop),
                   Color(skin::kHeaderBand).lighter(110));
  painter.restore();
  // Content panel under the tabs.
  painter.save();
  painter.setPen(QPen(Color(skin::kPanelEdge), 1.0));
  painter.setBrush(Color(skin::kPanelFill));
  painter.drawRect(QRectF(kContentPanel).adjusted(0.5, 0.5, -0.5, -0.5));
  painter.restore();
  // Outline of the window.
  painter.save();
  skin::PrepareAntialiased(painter);
  painter.setPen(QPen(Color(skin::kWindowEdge), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(shape);
  painter.restore();
}

// The program's emblem at the left of the header: a stylised mouse in the accent colour.
void DrawEmblem(QPainter& painter) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box(20, 11, 20, 26);
  QLinearGradient fill(box.topLeft(), box.bottomRight());
  fill.setColorAt(0.0, Color(skin::kHighlight));
  fill.setColorAt(1.0, Color(skin::kMenuTeal));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(box, 10, 10);
  painter.setPen(QPen(Color(skin::kHeaderBand), 1.6));
  painter.drawLine(QPointF(box.center().x(), box.top() + 1),
                   QPointF(box.center().x(), box.top() + 10));
  painter.drawLine(QPointF(box.left() + 1, box.top() + 10),
                   QPointF(box.right() - 1, box.top() + 10));
  painter.restore();
}

void DrawGroupPanel(QPainter& painter, const Panel& panel) {
  painter.save();
  skin::PrepareAntialiased(painter);
  const QRectF box = QRectF(panel.rect).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(Color(skin::kPanelEdge), 1.0));
  painter.setBrush(Color(kGroupFill));
  painter.drawRoundedRect(box, 6, 6);
  if (panel.titleStrip) {
    QPainterPath strip;
    strip.addRoundedRect(box, 6, 6);
    QPainterPath top;
    top.addRect(QRectF(box.left(), box.top(), box.width(), kPanelTitleHeight));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Color(kGroupTitleFill));
    painter.drawPath(strip.intersected(top));
    painter.fillRect(QRectF(box.left() + 1, box.top() + kPanelTitleHeight, box.width() - 2, 1),
                     Color(skin::kPanelEdge));
    painter.fillRect(QRectF(box.left() + 1, box.top() + 8, 3, kPanelTitleHeight - 16),
                     Color(skin::kHighlight));
  }
  painter.restore();
}

// The key number beside each per-key response switch: in the key-response mode the names
// beside the switches are replaced by the effects, and the numbers still tell the keys.
void DrawReactionBadges(QPainter& painter, const QFont& uiFont) {
  constexpr int kBadgeGap = 18;
  constexpr qreal kBadgeRadius = 9.0;
  for (int key = 0; key < role::kKeyCount; ++key) {
    const Element* toggle = FindElement(LightingElements(), role::kFirstReaction + key);
    if (toggle == nullptr) {
      continue;
    }
    const QPointF centre(toggle->rect.left() - kBadgeGap,
                         toggle->rect.top() + toggle->rect.height() / 2.0);
    DrawKeyBadge(painter, centre, kBadgeRadius, key + 1, ButtonState::Normal, uiFont);
  }
}

// Everything of the page that does not change with the state.
void DrawPageBackground(QPainter& painter, Page page, const QFont& uiFont) {
  DrawFrame(painter);
  DrawEmblem(painter);
  for (const Panel& panel : PagePanels(page)) {
    DrawGroupPanel(painter, panel);
  }
  for (const ControlPlace& place : MainEditPlaces()) {
    painter.fillRect(place.rect, Color(skin::kPanelEdge));
  }
  if (page == Page::kKeys) {
    DrawMouseWithLeaders(painter, uiFont);
  }
  if (page == Page::kLighting) {
    DrawReactionBadges(painter, uiFont);
  }
  if (page == Page::kMacro) {
    for (const ControlPlace& place : MacroEditPlaces()) {
      DrawControlPlace(painter, place);
    }
    for (const ControlPlace& place : MacroListPlaces()) {
      DrawControlPlace(painter, place);
    }
  }
}

}  // namespace

QPainterPath WindowShape() {
  const qreal c = kWindowChamfer;
  const qreal w = kPageWidth;
  const qreal h = kPageHeight;
  QPainterPath path;
  path.moveTo(c, 0);
  path.lineTo(w - c, 0);
  path.lineTo(w, c);
  path.lineTo(w, h - c);
  path.lineTo(w - c, h);
  path.lineTo(c, h);
  path.lineTo(0, h - c);
  path.lineTo(0, c);
  path.closeSubpath();
  return path;
}

QImage DrawPage(Page page, ButtonState state, const QFont& uiFont) {
  QImage image = skin::NewCanvas(kPageWidth, kPageHeight, skin::kWindowBottom);
  QPainter painter(&image);
  DrawPageBackground(painter, page, uiFont);
  // The header, tab and configuration buttons are on every page.
  if (page != Page::kKeys) {
    for (const Element& element : MainElements()) {
      if (element.number < kSharedMainElements) {
        DrawElement(painter, element, state, uiFont);
      }
    }
  }
  for (const Element& element : PageElements(page)) {
    DrawElement(painter, element, state, uiFont);
  }
  return image;
}

QImage DrawLightingGreyed(const QImage& lightingNormal) {
  QImage image = lightingNormal.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&image);
  skin::PrepareAntialiased(painter);
  for (const Element& element : LightingElements()) {
    // The covers, and the inward direction button that most lighting modes do not offer.
    if (element.look != Look::kCover && element.number != role::kInwardDirection) {
      continue;
    }
    const QRect& r = element.rect;
    painter.save();
    painter.setClipRect(r);
    painter.fillRect(r, QColor::fromRgba(kGreyVeil));
    QPen hatch(QColor(255, 255, 255, 9), 5.0);
    painter.setPen(hatch);
    for (int x = r.left() - r.height(); x < r.right(); x += 22) {
      painter.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    }
    painter.restore();
  }
  return image;
}

QImage DrawWindowMask() {
  QImage mask(kPageWidth, kPageHeight, QImage::Format_RGB32);
  mask.fill(Color(skin::kMaskOutside));
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillPath(WindowShape(), Color(skin::kMaskInside));
  return mask;
}

}  // namespace gm::skingen
