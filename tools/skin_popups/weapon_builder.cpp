#include "weapon_builder.h"

#include <QPainterPathStroker>

namespace gm::popups {
namespace {

constexpr qreal kGuardThickness = 1.6;
constexpr qreal kRailHeight = 2.4;
constexpr qreal kRailToothPitch = 3.0;

}  // namespace

QPainterPath& WeaponBuilder::PathOf(Material m) {
  switch (m) {
    case Material::kPolymer:
      return polymer_;
    case Material::kWood:
      return wood_;
    case Material::kMetal:
      break;
  }
  return metal_;
}

const QPainterPath& WeaponBuilder::Parts(Material m) const {
  switch (m) {
    case Material::kPolymer:
      return polymer_;
    case Material::kWood:
      return wood_;
    case Material::kMetal:
      break;
  }
  return metal_;
}

WeaponBuilder& WeaponBuilder::Box(Material m, qreal x, qreal y, qreal w, qreal h, qreal radius) {
  QPainterPath part;
  part.addRoundedRect(QRectF(x, y, w, h), radius, radius);
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::Polygon(Material m, std::initializer_list<QPointF> points) {
  QPainterPath part;
  bool first = true;
  for (const QPointF& p : points) {
    if (first) {
      part.moveTo(p);
      first = false;
    } else {
      part.lineTo(p);
    }
  }
  part.closeSubpath();
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::Tube(Material m, qreal x0, qreal x1, qreal y, qreal radius) {
  return Box(m, x0, y - radius, x1 - x0, 2 * radius, radius * 0.6);
}

WeaponBuilder& WeaponBuilder::Disc(Material m, qreal cx, qreal cy, qreal radius) {
  QPainterPath part;
  part.addEllipse(QPointF(cx, cy), radius, radius);
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::Ellipse(Material m, const QRectF& bounds) {
  QPainterPath part;
  part.addEllipse(bounds);
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::Grip(Material m, qreal x, qreal y, qreal length, qreal width,
                                   qreal rake) {
  QPainterPath part;
  part.moveTo(x, y);
  part.lineTo(x - rake, y + length);
  part.quadTo(x - rake - width * 0.5, y + length + width * 0.35, x - rake - width, y + length);
  part.lineTo(x - width - rake * 0.15, y);
  part.closeSubpath();
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::Magazine(Material m, qreal x, qreal y, qreal width, qreal length,
                                       qreal sweep) {
  QPainterPath part;
  part.moveTo(x, y);
  part.quadTo(x + sweep * 0.25, y + length * 0.55, x + sweep, y + length);
  part.lineTo(x + sweep - width, y + length - sweep * 0.12);
  part.quadTo(x - width + sweep * 0.2, y + length * 0.5, x - width, y);
  part.closeSubpath();
  PathOf(m) = PathOf(m).united(part);
  return *this;
}

WeaponBuilder& WeaponBuilder::TriggerGuard(qreal x0, qreal x1, qreal y, qreal depth) {
  QPainterPath loop;
  loop.moveTo(x0, y);
  loop.quadTo(x0 + (x1 - x0) * 0.1, y + depth, x0 + (x1 - x0) * 0.5, y + depth);
  loop.lineTo(x1, y + depth * 0.9);
  loop.lineTo(x1, y);
  QPainterPathStroker stroker;
  stroker.setWidth(kGuardThickness);
  stroker.setCapStyle(Qt::RoundCap);
  metal_ = metal_.united(stroker.createStroke(loop));
  return *this;
}

WeaponBuilder& WeaponBuilder::Rail(qreal x0, qreal x1, qreal y) {
  Box(Material::kMetal, x0, y, x1 - x0, kRailHeight, 0.4);
  for (qreal x = x0 + kRailToothPitch / 2; x < x1 - 1.0; x += kRailToothPitch) {
    Seam(x, y, x, y + kRailHeight * 0.6);
  }
  return *this;
}

WeaponBuilder& WeaponBuilder::Slot(qreal x, qreal y, qreal w, qreal h, qreal radius) {
  holes_.addRoundedRect(QRectF(x, y, w, h), radius, radius);
  return *this;
}

WeaponBuilder& WeaponBuilder::Hole(const QPainterPath& path) {
  holes_.addPath(path);
  return *this;
}

WeaponBuilder& WeaponBuilder::Seam(qreal x0, qreal y0, qreal x1, qreal y1) {
  details_.push_back({QPointF(x0, y0), QPointF(x1, y1)});
  return *this;
}

WeaponBuilder& WeaponBuilder::Vents(qreal x0, qreal x1, qreal y, qreal h, int n) {
  if (n <= 0) return *this;
  const qreal pitch = (x1 - x0) / n;
  for (int i = 0; i < n; ++i) {
    Slot(x0 + i * pitch + pitch * 0.2, y, pitch * 0.6, h, pitch * 0.3);
  }
  return *this;
}

QPainterPath WeaponBuilder::Silhouette() const {
  QPainterPath all = metal_.united(polymer_).united(wood_);
  return all.subtracted(holes_);
}

}  // namespace gm::popups
