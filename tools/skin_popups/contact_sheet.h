#pragma once
// The contact sheet: every generated image on one page, with its element rectangles outlined
// and numbered, and previews of the pop-ups as the program composes them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace gm::popups {

struct SheetOutline {
  QRect rect;
  QString label;
  QColor color;
};

struct SheetItem {
  QString title;
  QImage image;
  std::vector<SheetOutline> outlines;
};

struct SheetSection {
  QString heading;
  std::vector<SheetItem> items;
};

QImage ComposeContactSheet(const std::vector<SheetSection>& sections, const QFont& font);

}  // namespace gm::popups
