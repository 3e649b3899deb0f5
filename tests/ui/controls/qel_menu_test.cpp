// The owner-drawn context menus: item geometry, the selected item's gradient arithmetic, what
// each kind of item draws, the conversion of the menu tables, and the menus as shown.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>

#include "ui/controls/context_menus.h"
#include "ui/controls/qel_menu.h"
#include "ui/qt_app_for_tests.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kScreenshotDir =
    fs::path(GMOUSE_APP_DIR).parent_path().parent_path() / "screenshots";

TEST(QelMenuGeometry, EightPixelsPerCharacterTwentyHighSeparatorsOne) {
  struct Case {
    const char* what;
    MenuItemRecord record;
    QSize size;
  } const cases[] = {
      {"trailing blanks count", {QStringLiteral("Rename  "), 0, 32859}, {64, 20}},
      {"Chinese characters count one each", {QStringLiteral("删除"), 0, 32860}, {16, 20}},
      {"submenu item like a command", {QStringLiteral("Insert XY    "), 0, -1}, {104, 20}},
      {"empty text", {QString(), 0, 32806}, {0, 20}},
      {"separator", {QString(), 0, 0}, {0, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(CQelMenu::MeasureItem(c.record), c.size) << c.what;
}

TEST(QelMenuGradient, IntegerStepsTruncatedPerComponent) {
  struct Case {
    const char* what;
    int height;
    QColor from, to;
    QColor first, second, last;
  } const cases[] = {
      {"20-pixel item: green steps by 14", 18, {0, 0, 255}, {0, 255, 255},
       {0, 0, 255}, {0, 14, 255}, {0, 238, 255}},
      {"exact division", 17, {0, 0, 255}, {0, 255, 255}, {0, 0, 255}, {0, 15, 255},
       {0, 240, 255}},
      {"taller than 255: plain blue", 300, {0, 0, 255}, {0, 255, 255}, {0, 0, 255},
       {0, 0, 255}, {0, 0, 255}},
      {"falling components truncate toward zero", 18, {255, 255, 0}, {0, 0, 0},
       {255, 255, 0}, {241, 241, 0}, {17, 17, 0}},
      {"one row", 1, {10, 20, 30}, {200, 100, 0}, {10, 20, 30}, {10, 20, 30}, {10, 20, 30}},
  };
  for (const Case& c : cases) {
    const std::vector<QColor> rows = MenuGradientRows(c.height, c.from, c.to);
    ASSERT_EQ(rows.size(), static_cast<size_t>(c.height)) << c.what;
    EXPECT_EQ(rows.front(), c.first) << c.what;
    EXPECT_EQ(rows[rows.size() > 1 ? 1 : 0], c.second) << c.what;
    EXPECT_EQ(rows.back(), c.last) << c.what;
  }
  EXPECT_TRUE(MenuGradientRows(0, Qt::blue, Qt::cyan).empty());
  EXPECT_TRUE(MenuGradientRows(-2, Qt::blue, Qt::cyan).empty());
}

QImage DrawOne(const MenuItemRecord& record, bool selected, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  CQelMenu::DrawItem(painter, image.rect(), record, selected);
  return image;
}

TEST(QelMenuDrawing, EachKindOfItem) {
  EnsureQtApplication();
  const MenuItemRecord command{QStringLiteral("Delete"), 0, 32860};
  const MenuItemRecord submenu{QStringLiteral("Insert CPI"), 0, -1};

  for (const MenuItemRecord& record : {command, submenu}) {
    const QImage plain = DrawOne(record, false, {120, 20});
    EXPECT_EQ(plain.pixelColor(0, 0), kMenuBandColor);
    EXPECT_EQ(plain.pixelColor(119, 19), kMenuBandColor);
    EXPECT_EQ(plain.pixelColor(5, 10), kMenuBandColor);  // text starts 10 pixels in

    const QImage selected = DrawOne(record, true, {120, 20});
    EXPECT_EQ(selected.pixelColor(0, 0), kMenuSelectedFrame);
    EXPECT_EQ(selected.pixelColor(119, 19), kMenuSelectedFrame);
    EXPECT_EQ(selected.pixelColor(3, 1), QColor(0, 0, 255));
    EXPECT_EQ(selected.pixelColor(3, 18), QColor(0, 238, 255));
    EXPECT_EQ(selected.pixelColor(118, 2), QColor(0, 14, 255));
  }

  // A separator draws only its frame, from 25 pixels on; one pixel high, its bottom line is
  // drawn last and covers the top one.
  const MenuItemRecord separator{QString(), 0, 0};
  const QImage line = DrawOne(separator, false, {100, 1});
  EXPECT_EQ(line.pixelColor(24, 0), QColor(Qt::magenta));
  EXPECT_EQ(line.pixelColor(25, 0), kMenuSeparatorBottomRight);
  EXPECT_EQ(line.pixelColor(99, 0), kMenuSeparatorBottomRight);
  const QImage frame = DrawOne(separator, true, {100, 4});
  EXPECT_EQ(frame.pixelColor(24, 0), QColor(Qt::magenta));
  EXPECT_EQ(frame.pixelColor(40, 0), kMenuSeparatorTopLeft);
  EXPECT_EQ(frame.pixelColor(25, 2), kMenuSeparatorTopLeft);
  EXPECT_EQ(frame.pixelColor(99, 2), kMenuSeparatorBottomRight);
  EXPECT_EQ(frame.pixelColor(40, 3), kMenuSeparatorBottomRight);
  EXPECT_EQ(frame.pixelColor(40, 2), QColor(Qt::magenta));
}

TEST(QelMenuConversion, RecordsPerItemCommandIndicesKeepCounting) {
  EnsureQtApplication();
  const ContextMenu& edit = ContextMenuOf(ContextMenuKind::kMacroEdit, true);
  CQelMenu menu;
  ASSERT_TRUE(menu.Load(edit.items));
  // 7 top items, 3 + 6 under each insert menu, 4 moves, 2 DPI items.
  EXPECT_EQ(menu.ItemCount(), 31);
  EXPECT_EQ(menu.CommandCount(), 21);
  // Depth first: the first submenu's first submenu follows its parent.
  EXPECT_EQ(menu.Record(0).id, kSubmenuItemId);
  EXPECT_EQ(menu.Record(1).text, QStringLiteral("Left button   "));
  EXPECT_EQ(menu.Record(2).id, kCmdInsertLeftDownBefore);
  EXPECT_EQ(menu.Record(2).commandIndex, 0);
  EXPECT_EQ(menu.Record(30).id, kCmdDeleteStep);
  EXPECT_EQ(menu.Record(30).commandIndex, 20);

  // The shown items carry their command ids and records.
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 7);
  EXPECT_EQ(actions[4]->data().toInt(), kCmdInsertLed);
  EXPECT_EQ(menu.RecordOf(actions[4])->text, QStringLiteral("Insert LED"));
  ASSERT_NE(actions[0]->menu(), nullptr);
  EXPECT_EQ(menu.RecordOf(actions[0]->menu()->actions()[2])->text,
            QStringLiteral("Middle button   "));

  // Loading again (a language switch) starts at record 0; command indices go on.
  ASSERT_TRUE(menu.Load(ContextMenuOf(ContextMenuKind::kMacroEdit, false).items));
  EXPECT_EQ(menu.ItemCount(), 31);
  EXPECT_EQ(menu.Record(2).commandIndex, 21);
  EXPECT_EQ(menu.Record(1).text, QStringLiteral("左键   "));
  EXPECT_EQ(menu.actions().size(), 7);
}

TEST(QelMenuConversion, MoreItemsThanRecordsAreLeftOut) {
  EnsureQtApplication();
  std::vector<MenuItemSpec> many(kMenuRecordCount + 3, MenuItemSpec{u"x", 1});
  CQelMenu menu;
  EXPECT_FALSE(menu.Load(many));
  EXPECT_EQ(menu.ItemCount(), kMenuRecordCount);
  EXPECT_EQ(menu.actions().size(), kMenuRecordCount);
}

// The menus as Qt lays them out and shows them; the shots land in the build's screenshots.
TEST(QelMenuShown, ItemsTakeTheMeasuredSizes) {
  EnsureQtApplication();
  fs::create_directories(kScreenshotDir);
  std::unique_ptr<QMenu> item(BuildQMenu(ContextMenuOf(ContextMenuKind::kMacroItem, true).items,
                                         nullptr));
  const QList<QAction*> actions = item->actions();
  ASSERT_EQ(actions.size(), 2);
  const int width = 8 * 8 + kMenuCheckMarkWidth;  // "Rename  "
  EXPECT_EQ(item->actionGeometry(actions[0]), QRect(0, 0, width, 20));
  EXPECT_EQ(item->actionGeometry(actions[1]), QRect(0, 20, width, 20));
  EXPECT_EQ(item->sizeHint(), QSize(width, 40));

  for (const bool english : {true, false}) {
    std::unique_ptr<QMenu> edit(
        BuildQMenu(ContextMenuOf(ContextMenuKind::kMacroEdit, english).items, nullptr));
    edit->popup(QPoint(0, 0));
    edit->setActiveAction(edit->actions()[2]);
    QMenu* sub = edit->actions()[2]->menu();
    sub->popup(QPoint(edit->width(), 40));
    sub->setActiveAction(sub->actions()[1]);
    QImage shot(edit->width() + 200, std::max(edit->height(), 40 + sub->height() + 60),
                QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    {
      QPainter painter(&shot);
      painter.drawPixmap(0, 0, edit->grab());
      painter.drawPixmap(edit->width(), 40, sub->grab());
      std::unique_ptr<QMenu> tray(
          BuildQMenu(ContextMenuOf(ContextMenuKind::kTray, english).items, nullptr));
      tray->popup(QPoint(0, 0));
      tray->setActiveAction(tray->actions()[0]);
      painter.drawPixmap(edit->width(), 40 + sub->height() + 10, tray->grab());
      tray->hide();
    }
    const std::string name = std::string("menu_macro_edit_") + (english ? "en" : "cn") + ".png";
    EXPECT_TRUE(shot.save(QString::fromStdString((kScreenshotDir / name).string())));
    sub->hide();
    edit->hide();
  }
}

}  // namespace
}  // namespace gm::test
