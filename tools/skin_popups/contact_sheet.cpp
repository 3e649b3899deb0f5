#include "contact_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace gm::popups {
namespace {

constexpr int kSheetWidth = 1600;
constexpr int kMargin = 20;
constexpr int kGap = 18;
constexpr int kTitleGap = 4;
constexpr int kHeadingGap = 10;
constexpr QRgb kSheetBackground = qRgb(118, 122, 128);
constexpr QRgb kSheetText = qRgb(255, 255, 255);
constexpr QRgb kHeadingText = qRgb(255, 236, 140);
constexpr int kLabelPadding = 2;

struct Placement {
  const SheetItem* item;
  QPoint origin;  // top-left of the image
};

struct SectionPlan {
  const SheetSection* section;
  int headingTop;
  std::vector<Placement> placements;
};

// Flows the items of each section from left to right, wrapping at the sheet width.
std::vector<SectionPlan> Plan(const std::vector<SheetSection>& sections, const QFontMetrics& fm,
                              int& sheetHeight) {
  std::vector<SectionPlan> plans;
  const int titleHeight = fm.height() + kTitleGap;
  int y = kMargin;
  for (const SheetSection& section : sections) {
    SectionPlan plan{&section, y, {}};
    y += fm.height() + kHeadingGap;
    int x = kMargin;
    int rowHeight = 0;
    for (const SheetItem& item : section.items) {
      const int width = std::max(item.image.width(), fm.horizontalAdvance(item.title));
      if (x > kMargin && x + width > kSheetWidth - kMargin) {
        x = kMargin;
        y += rowHeight + kGap;
        rowHeight = 0;
      }
      plan.placements.push_back({&item, QPoint(x, y + titleHeight)});
      x += width + kGap;
      rowHeight = std::max(rowHeight, titleHeight + item.image.height());
    }
    y += rowHeight + kGap * 2;
    plans.push_back(std::move(plan));
  }
  sheetHeight = y;
  return plans;
}

void DrawOutline(QPainter& painter, const QPoint& origin, const SheetOutline& outline,
                 const QFontMetrics& fm) {
  const QRect r = outline.rect.translated(origin);
  painter.setPen(QPen(outline.color, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  if (outline.label.isEmpty()) return;
  const QRect tag(r.left(), r.top(), fm.horizontalAdvance(outline.label) + 2 * kLabelPadding,
                  fm.height());
  painter.fillRect(tag, outline.color);
  painter.setPen(Qt::black);
  painter.drawText(tag, Qt::AlignCenter, outline.label);
}

}  // namespace

QImage ComposeContactSheet(const std::vector<SheetSection>& sections, const QFont& font) {
  QFont small = font;
  const QFontMetrics fm(small);
  int height = 0;
  const std::vector<SectionPlan> plans = Plan(sections, fm, height);

  QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
  sheet.fill(QColor::fromRgb(kSheetBackground));
  QPainter painter(&sheet);
  painter.setFont(small);
  for (const SectionPlan& plan : plans) {
    painter.setPen(QColor::fromRgb(kHeadingText));
    painter.drawText(QPoint(kMargin, plan.headingTop + fm.ascent()), plan.section->heading);
    for (const Placement& placement : plan.placements) {
      painter.setPen(QColor::fromRgb(kSheetText));
      painter.drawText(QPoint(placement.origin.x(),
                              placement.origin.y() - kTitleGap - fm.descent()),
                       placement.item->title);
      painter.drawImage(placement.origin, placement.item->image);
      for (const SheetOutline& outline : placement.item->outlines) {
        DrawOutline(painter, placement.origin, outline, fm);
      }
    }
  }
  return sheet;
}

}  // namespace gm::popups
