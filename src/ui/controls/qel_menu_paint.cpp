// Measure and draw rules of CQelMenu's items.
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "ui/controls/qel_menu.h"

namespace gm {

namespace {

// Fills the rectangle from (x, y) to (x + cx, y + cy), whichever way round.
void FillSolid(QPainter& painter, int x, int y, int cx, int cy, const QColor& color) {
  const int left = std::min(x, x + cx);
  const int top = std::min(y, y + cy);
  const int width = std::abs(cx);
  const int height = std::abs(cy);
  if (width > 0 && height > 0) painter.fillRect(QRect(left, top, width, height), color);
}

// A 3-D frame: top and left lines in topLeft, then right and bottom lines in bottomRight,
// in that order (on a rectangle one pixel high the bottom line covers the top one).
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
  const int x = rect.x();
  const int y = rect.y();
  const int cx = rect.width();
  const int cy = rect.height();
  FillSolid(painter, x, y, cx - 1, 1, topLeft);
  FillSolid(painter, x, y, 1, cy - 1, topLeft);
  FillSolid(painter, x + cx, y, -1, cy, bottomRight);
  FillSolid(painter, x, y + cy, cx, -1, bottomRight);
}

int GradientStep(int from, int to, int height) {
  // Single precision, truncated toward zero.
  return static_cast<int>(static_cast<float>(to - from) / static_cast<float>(height));
}

}  // namespace

std::vector<QColor> MenuGradientRows(int height, const QColor& from, const QColor& to) {
  std::vector<QColor> rows;
  if (height < 1) return rows;
  const int stepR = GradientStep(from.red(), to.red(), height);
  const int stepG = GradientStep(from.green(), to.green(), height);
  const int stepB = GradientStep(from.blue(), to.blue(), height);
  rows.reserve(static_cast<size_t>(height));
  for (int k = 0; k < height; ++k) {
    rows.emplace_back((from.red() + stepR * k) & 0xFF, (from.green() + stepG * k) & 0xFF,
                      (from.blue() + stepB * k) & 0xFF);
  }
  return rows;
}

QSize CQelMenu::MeasureItem(const MenuItemRecord& record) {
  const int height = record.id == kMenuSeparatorId ? kMenuSeparatorHeight : kMenuItemHeight;
  return {kMenuCharWidth * static_cast<int>(record.text.size()), height};
}

void CQelMenu::DrawItem(QPainter& painter, const QRect& rect, const MenuItemRecord& record,
                        bool selected) {
  painter.setPen(kMenuTextColor);
  if (record.id == kMenuSeparatorId) {
    Draw3dRect(painter, rect.adjusted(kMenuSeparatorIndent, 0, 0, 0), kMenuSeparatorTopLeft,
               kMenuSeparatorBottomRight);
    return;
  }
  FillItemBackground(painter, rect, kMenuGradientFrom, kMenuGradientTo, selected);
  DrawItemText(painter, record.text, rect);
}

void CQelMenu::FillItemBackground(QPainter& painter, QRect rect, const QColor& from,
                                  const QColor& to, bool selected) {
  if (!selected) {
    painter.fillRect(rect, kMenuBandColor);
    return;
  }
  // A one-pixel frame round the whole item, the gradient inside it.
  const QPen pen = painter.pen();
  painter.setPen(kMenuSelectedFrame);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.setPen(pen);
  const QRect inner = rect.adjusted(1, 1, -1, -1);
  if (inner.width() < 1) return;
  const std::vector<QColor> rows = MenuGradientRows(inner.height(), from, to);
  for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
    painter.fillRect(QRect(inner.left(), inner.top() + k, inner.width(), 1),
                     rows[static_cast<size_t>(k)]);
  }
}

void CQelMenu::DrawItemText(QPainter& painter, const QString& text, QRect rect) {
  rect.setLeft(rect.left() + kMenuTextIndent);
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine |
                             Qt::TextShowMnemonic,
                   text);
}

}  // namespace gm
