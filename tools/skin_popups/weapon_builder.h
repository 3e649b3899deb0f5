#pragma once
// Building blocks of the weapon silhouettes. A weapon is drawn in its own units with the bore
// line at y = 0, the butt on the left and the muzzle on the right (negative y is up); parts
// of one material are collected into one path, and the picture painter scales the whole
// weapon into its frame.

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <initializer_list>
#include <vector>

namespace gm::popups {

enum class Material { kMetal, kPolymer, kWood };

// Lines drawn over the silhouette: seams, vents, rail teeth.
struct DetailLine {
  QPointF from;
  QPointF to;
};

class WeaponBuilder {
 public:
  // Rectangle with rounded corners; x, y is the top-left corner.
  WeaponBuilder& Box(Material m, qreal x, qreal y, qreal w, qreal h, qreal radius = 1.0);
  // Closed polygon.
  WeaponBuilder& Polygon(Material m, std::initializer_list<QPointF> points);
  // Round tube along the x axis at height y.
  WeaponBuilder& Tube(Material m, qreal x0, qreal x1, qreal y, qreal radius);
  WeaponBuilder& Disc(Material m, qreal cx, qreal cy, qreal radius);
  WeaponBuilder& Ellipse(Material m, const QRectF& bounds);
  // Pistol grip hanging from (x, y): its top front corner; slanted back by `rake` over `length`.
  WeaponBuilder& Grip(Material m, qreal x, qreal y, qreal length, qreal width, qreal rake);
  // Magazine hanging from (x, y) (top front corner), `width` wide, `length` long, its lower
  // end swept forward by `sweep` (a curved magazine) or back for a negative value.
  WeaponBuilder& Magazine(Material m, qreal x, qreal y, qreal width, qreal length, qreal sweep);
  // A trigger guard: a thin loop from (x0, y) to (x1, y) dipping `depth` below.
  WeaponBuilder& TriggerGuard(qreal x0, qreal x1, qreal y, qreal depth);
  // A Picatinny rail from x0 to x1 whose top is at y: a strip with teeth.
  WeaponBuilder& Rail(qreal x0, qreal x1, qreal y);
  // Slots cut through the silhouette (vents, stock holes): drawn as dark openings.
  WeaponBuilder& Slot(qreal x, qreal y, qreal w, qreal h, qreal radius);
  WeaponBuilder& Hole(const QPainterPath& path);
  WeaponBuilder& Seam(qreal x0, qreal y0, qreal x1, qreal y1);
  // A row of n vent slots between x0 and x1, each h high, starting at y.
  WeaponBuilder& Vents(qreal x0, qreal x1, qreal y, qreal h, int n);

  const QPainterPath& Parts(Material m) const;
  QPainterPath Holes() const { return holes_; }
  const std::vector<DetailLine>& Details() const { return details_; }
  // Everything of every material, holes cut out.
  QPainterPath Silhouette() const;

 private:
  QPainterPath& PathOf(Material m);

  QPainterPath metal_;
  QPainterPath polymer_;
  QPainterPath wood_;
  QPainterPath holes_;
  std::vector<DetailLine> details_;
};

}  // namespace gm::popups
