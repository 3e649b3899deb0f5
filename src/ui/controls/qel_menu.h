#pragma once
// The program's context menus with every item drawn by the program: white text on a teal band,
// a blue-to-cyan gradient under the selected item, a red/blue line for a separator. Items are
// 8 pixels wide per character of their text (trailing blanks included) and 20 pixels high; a
// separator is 1 pixel high.
//
// A CQelMenu is built from a menu table (menu_items.h): Load converts the tree, depth first,
// into records (text, command index, id) and Qt items; each command item's action keeps its
// command id as data(). The records of one menu, submenus included, are at most
// kMenuRecordCount; items beyond that are left out and Load reports it.
//
// User-interface thread only.

#include <QColor>
#include <QMenu>
#include <QString>

#include <array>
#include <span>
#include <vector>

#include "ui/controls/menu_items.h"

class QPainter;
class QStyle;

namespace gm {

inline constexpr int kMenuRecordCount = 50;
inline constexpr int kMenuSeparatorId = 0;

// Item geometry.
inline constexpr int kMenuCharWidth = 8;
inline constexpr int kMenuItemHeight = 20;
inline constexpr int kMenuSeparatorHeight = 1;
inline constexpr int kMenuSeparatorIndent = 25;
inline constexpr int kMenuTextIndent = 10;
// The menu adds a check-mark column to the width each item asks for, as the system menus do
// for items drawn by their owner.
inline constexpr int kMenuCheckMarkWidth = 12;

// Item colours.
inline const QColor kMenuTextColor{255, 255, 255};
inline const QColor kMenuBandColor{0, 120, 153};
inline const QColor kMenuGradientFrom{0, 0, 255};
inline const QColor kMenuGradientTo{0, 255, 255};
inline const QColor kMenuSeparatorTopLeft{255, 0, 0};
inline const QColor kMenuSeparatorBottomRight{0, 0, 255};
inline const QColor kMenuSelectedFrame{0, 0, 0};

struct MenuItemRecord {
  QString text;
  int commandIndex = 0;  // running number among the commands converted by this menu
  int id = 0;            // command id; kMenuSeparatorId; kSubmenuItemId
};

// The colours of the rows of a selected item's gradient, top to bottom, inside its one-pixel
// frame of height `height`: per component, step = (to - from) / height in single precision
// truncated toward zero, row k = (from + step * k) mod 256. No rows for a height below 1.
std::vector<QColor> MenuGradientRows(int height, const QColor& from, const QColor& to);

class CQelMenu : public QMenu {
  Q_OBJECT

 public:
  explicit CQelMenu(QWidget* parent = nullptr);
  ~CQelMenu() override;

  // Replaces the items by the tree `items`: the records start again at 0, command indices go
  // on counting. False when the tree has more than kMenuRecordCount items (the rest is left
  // out).
  bool Load(std::span<const MenuItemSpec> items);

  int ItemCount() const { return itemCount_; }
  int CommandCount() const { return commandCount_; }
  const MenuItemRecord& Record(int index) const { return records_.at(static_cast<size_t>(index)); }
  // The record of an item of this menu or one of its submenus; nullptr for another action.
  const MenuItemRecord* RecordOf(const QAction* action) const;

  // ---- Measure and draw rules ------------------------------------------------------------------
  static QSize MeasureItem(const MenuItemRecord& record);
  // Draws one item into rect with the painter's font.
  static void DrawItem(QPainter& painter, const QRect& rect, const MenuItemRecord& record,
                       bool selected);
  static void FillItemBackground(QPainter& painter, QRect rect, const QColor& from,
                                 const QColor& to, bool selected);
  static void DrawItemText(QPainter& painter, const QString& text, QRect rect);

 private:
  // Converts items into menu (this menu or a submenu of it), depth first.
  bool MakeOwnerDraw(QMenu& menu, std::span<const MenuItemSpec> items);
  void RemoveItems();

  std::array<MenuItemRecord, kMenuRecordCount> records_{};
  int itemCount_ = 0;
  int commandCount_ = 0;
  QStyle* style_ = nullptr;  // draws this menu and its submenus; a child of this menu
};

}  // namespace gm
