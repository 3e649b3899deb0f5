#include "ui/controls/qel_menu.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace gm {

namespace {

// The action property that holds the index of the item's record.
constexpr char kRecordProperty[] = "gmMenuRecord";

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Lays out and draws the items of one CQelMenu tree by its rules; the rest of the menu (panel,
// frame, margins) is reduced to the teal band.
class QelMenuStyle : public QProxyStyle {
 public:
  explicit QelMenuStyle(const CQelMenu& owner) : owner_(owner) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth:
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth: return 0;
      default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr) {
      return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    // The option carries the item's text and kind, which is all the measure rule reads.
    MenuItemRecord record;
    record.text = item->text;
    record.id = item->menuItemType == QStyleOptionMenuItem::Separator ? kMenuSeparatorId
                : item->menuItemType == QStyleOptionMenuItem::SubMenu ? kSubmenuItemId
                                                                       : 1;
    QSize measured = CQelMenu::MeasureItem(record);
    measured.rwidth() += kMenuCheckMarkWidth;
    return measured;
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item != nullptr) {
      const auto* menu = qobject_cast<const QMenu*>(widget);
      const QAction* action = menu == nullptr ? nullptr : menu->actionAt(item->rect.center());
      const MenuItemRecord* record = action == nullptr ? nullptr : owner_.RecordOf(action);
      if (record == nullptr) return;  // not an item of this tree
      painter->save();
      CQelMenu::DrawItem(*painter, item->rect, *record, item->state.testFlag(State_Selected));
      painter->restore();
      return;
    }
    if (element == CE_MenuEmptyArea) {
      painter->fillRect(option->rect, kMenuBandColor);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelMenu) {
      painter->fillRect(option->rect, kMenuBandColor);
      return;
    }
    if (element == PE_FrameMenu) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

 private:
  const CQelMenu& owner_;
};

}  // namespace

CQelMenu::CQelMenu(QWidget* parent) : QMenu(parent) {
  style_ = new QelMenuStyle(*this);
  style_->setParent(this);
  setStyle(style_);
}

CQelMenu::~CQelMenu() {
  // The submenus use this menu's style: they go first.
  RemoveItems();
  setStyle(nullptr);
}

void CQelMenu::RemoveItems() {
  clear();
  qDeleteAll(findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
}

bool CQelMenu::Load(std::span<const MenuItemSpec> items) {
  RemoveItems();
  itemCount_ = 0;
  return MakeOwnerDraw(*this, items);
}

bool CQelMenu::MakeOwnerDraw(QMenu& menu, std::span<const MenuItemSpec> items) {
  for (const MenuItemSpec& spec : items) {
    if (itemCount_ >= kMenuRecordCount) return false;
    const int index = itemCount_++;
    MenuItemRecord& record = records_[static_cast<size_t>(index)];
    record.text = ToQString(spec.text);
    record.id = spec.id;
    if (spec.id > 0) record.commandIndex = commandCount_++;

    QAction* action = nullptr;
    QMenu* submenu = nullptr;
    if (spec.id == kSubmenuItemId) {
      submenu = new QMenu(record.text, &menu);
      submenu->setStyle(style_);
      action = menu.addMenu(submenu);
    } else if (spec.id == kMenuSeparatorId) {
      action = menu.addSeparator();
    } else {
      action = menu.addAction(record.text);
      action->setData(spec.id);
    }
    action->setProperty(kRecordProperty, index);
    if (submenu != nullptr && !MakeOwnerDraw(*submenu, spec.children)) return false;
  }
  return true;
}

const MenuItemRecord* CQelMenu::RecordOf(const QAction* action) const {
  bool ok = false;
  const int index = action->property(kRecordProperty).toInt(&ok);
  if (!ok || index < 0 || index >= itemCount_) return nullptr;
  return &records_[static_cast<size_t>(index)];
}

}  // namespace gm
