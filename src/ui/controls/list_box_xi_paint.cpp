// Row drawing and row height of CListBoxXI.
#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

#include "ui/controls/list_box_xi.h"

namespace gm {

namespace {

const QColor kRowColor{0x16, 0x16, 0x16};
const QColor kSelectedRowColor{0x5D, 0x5D, 0x5D};
const QColor kRowTextColor{255, 255, 255};
const QColor kSelectedRowTextColor{0, 216, 255};

// Image indices that move rows: macro rows of the macro list, delay rows of the step list.
constexpr int kClosedFolderImage = 0;
constexpr int kOpenFolderImage = 1;
constexpr int kMacroImage = 2;
constexpr int kDelayImage = 0;

constexpr int kMacroRowIndent = 10;
constexpr int kDelayRowIndent = 30;
constexpr int kIconMargin = 2;       // icon from the row's top-left corner
constexpr int kIconTextGap = 4;      // text starts this far after the icon's left edge + width
constexpr int kRowHeightIconPad = 4;
constexpr int kMacroTextShift = 10;
constexpr int kFolderTextShift = 5;
constexpr int kStepTextShift = 5;

class RowDelegate : public QStyledItemDelegate {
 public:
  explicit RowDelegate(CListBoxXI& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    list_.DrawItem(*painter, option.rect, index.row(),
                   option.state.testFlag(QStyle::State_Selected));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {1, list_.MeasureItem()};
  }

 private:
  CListBoxXI& list_;
};

}  // namespace

void CListBoxXI::InstallRowDelegate() { setItemDelegate(new RowDelegate(*this)); }

int CListBoxXI::MeasureItem() const {
  return std::max(QFontMetrics(font()).height(), iconHeight_ + kRowHeightIconPad);
}

void CListBoxXI::UpdateRowHeight() {
  if (count() > 0) doItemsLayout();
}

int CListBoxXI::RowIndent(int image) const {
  if (controlId_ == kMacroListId && image == kMacroImage) return kMacroRowIndent;
  if (controlId_ == kStepListId && image == kDelayImage) return kDelayRowIndent;
  return 0;
}

int CListBoxXI::TextShift(int image) const {
  if (controlId_ == kMacroListId) {
    if (image == kMacroImage) return kMacroTextShift;
    if (image == kClosedFolderImage || image == kOpenFolderImage) return kFolderTextShift;
  } else if (controlId_ == kStepListId && image != kDelayImage) {
    return kStepTextShift;
  }
  return 0;
}

void CListBoxXI::DrawItem(QPainter& painter, const QRect& rect, int row, bool selected) const {
  if (row < 0 || row >= count()) return;
  const int image = GetItemImage(row);
  painter.fillRect(rect, selected ? kSelectedRowColor : kRowColor);

  const int left = rect.left() + RowIndent(image);
  int textLeft = left;
  if (imageList_ != nullptr) {
    if (const QPixmap* icon = imageList_->Icon(image)) {
      painter.drawPixmap(QRect(left + kIconMargin, rect.top() + kIconMargin, iconWidth_,
                               iconHeight_),
                         *icon);
      textLeft = left + iconWidth_ + kIconTextGap;
    }
    textLeft += TextShift(image);
  }

  const QRect textRect(textLeft, rect.top(), std::max(0, rect.right() + 1 - textLeft),
                       rect.height());
  painter.setFont(font());
  painter.setPen(selected ? kSelectedRowTextColor : kRowTextColor);
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, GetText(row));
}

}  // namespace gm
