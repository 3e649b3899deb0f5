#include "weapon_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>

#include "skin_generator/skin_palette.h"
#include "weapon_catalog.h"

namespace gm::popups {
namespace {

using skin::Color;

constexpr int kMargin = 12;        // free space around the weapon
constexpr int kGridPitch = 12;     // faint grid of the background
constexpr int kGridAlpha = 14;
constexpr int kGlowAlpha = 46;
constexpr QRgb kBackTop = qRgb(24, 26, 30);
constexpr QRgb kBackBottom = qRgb(12, 13, 15);

struct MaterialColors {
  QRgb top;
  QRgb bottom;
};
constexpr MaterialColors kMetal{qRgb(184, 192, 202), qRgb(92, 98, 108)};
constexpr MaterialColors kPolymer{qRgb(104, 110, 120), qRgb(48, 52, 58)};
constexpr MaterialColors kWood{qRgb(176, 118, 70), qRgb(100, 60, 32)};
constexpr QRgb kDetail = qRgb(22, 24, 28);
constexpr int kRimAlpha = 150;
constexpr int kShadowAlpha = 70;
constexpr qreal kRimWidth = 1.1;     // in pixels
constexpr qreal kDetailWidth = 0.9;  // in pixels

void DrawBackground(QPainter& painter, QSize size) {
  const QRect area(QPoint(0, 0), size);
  QLinearGradient fade(area.topLeft(), area.bottomLeft());
  fade.setColorAt(0.0, Color(kBackTop));
  fade.setColorAt(1.0, Color(kBackBottom));
  painter.fillRect(area, fade);
  QColor grid = Color(skin::kHighlight);
  grid.setAlpha(kGridAlpha);
  painter.setPen(QPen(grid, 1.0));
  for (int x = kGridPitch / 2; x < size.width(); x += kGridPitch) {
    painter.drawLine(x, 0, x, size.height() - 1);
  }
  for (int y = kGridPitch / 2; y < size.height(); y += kGridPitch) {
    painter.drawLine(0, y, size.width() - 1, y);
  }
  QRadialGradient glow(QRectF(area).center(), size.width() * 0.5);
  QColor centre = Color(skin::kHighlight);
  centre.setAlpha(kGlowAlpha);
  QColor clear = centre;
  clear.setAlpha(0);
  glow.setColorAt(0.0, centre);
  glow.setColorAt(1.0, clear);
  painter.fillRect(area, glow);
}

// Scale and placement that fit the weapon's silhouette into the picture, centred.
QTransform FitTransform(const QRectF& bounds, QSize size) {
  const qreal scale = std::min((size.width() - 2.0 * kMargin) / bounds.width(),
                               (size.height() - 2.0 * kMargin) / bounds.height());
  const qreal dx = (size.width() - bounds.width() * scale) / 2.0 - bounds.left() * scale;
  const qreal dy = (size.height() - bounds.height() * scale) / 2.0 - bounds.top() * scale;
  return QTransform(scale, 0, 0, scale, dx, dy);
}

void FillMaterial(QPainter& painter, const QPainterPath& parts, const QPainterPath& holes,
                  const MaterialColors& colors, const QTransform& fit) {
  if (parts.isEmpty()) return;
  const QPainterPath shape = fit.map(parts.subtracted(holes));
  const QRectF box = shape.boundingRect();
  QLinearGradient shade(box.topLeft(), box.bottomLeft());
  shade.setColorAt(0.0, Color(colors.top));
  shade.setColorAt(1.0, Color(colors.bottom));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawPath(shape);
}

}  // namespace

QImage DrawWeaponPicture(const recoil::RecoilWeapon& weapon, QSize size) {
  QImage image = skin::NewCanvas(size.width(), size.height(), kBackBottom);
  QPainter painter(&image);
  skin::PrepareAntialiased(painter);
  DrawBackground(painter, size);

  const WeaponBuilder built = BuildWeapon(weapon.nameEn, weapon.kind);
  const QPainterPath silhouette = built.Silhouette();
  const QTransform fit = FitTransform(silhouette.boundingRect(), size);
  const QPainterPath holes = built.Holes();
  // A soft shadow below and behind the weapon lifts it off the grid.
  QColor shadow(0, 0, 0, kShadowAlpha);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shadow);
  for (const QPointF offset : {QPointF(1.5, 2.5), QPointF(3.0, 5.0)}) {
    painter.drawPath(fit.map(silhouette).translated(offset));
  }
  // Furniture first, metal over it, so the receiver and barrel sit on top of stocks and grips.
  FillMaterial(painter, built.Parts(Material::kWood), holes, kWood, fit);
  FillMaterial(painter, built.Parts(Material::kPolymer), holes, kPolymer, fit);
  FillMaterial(painter, built.Parts(Material::kMetal), holes, kMetal, fit);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Color(kDetail), kDetailWidth, Qt::SolidLine, Qt::RoundCap));
  for (const DetailLine& line : built.Details()) {
    painter.drawLine(fit.map(line.from), fit.map(line.to));
  }
  QColor rim = Color(skin::kHighlight);
  rim.setAlpha(kRimAlpha);
  painter.setPen(QPen(rim, kRimWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(fit.map(silhouette));
  return image;
}

}  // namespace gm::popups
