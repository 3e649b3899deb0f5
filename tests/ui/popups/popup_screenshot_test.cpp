// A picture of every pop-up list over the main window in both languages, left in
// <build>/screenshots (popup_<list>_<lang>.png) for a person to look at. The test checks what
// needs no eyes: every list lies on the picture and carries its rows' texts.

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <string>
#include <vector>

#include "macros/macro_record.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/popups/mac_sel_menu_dlg.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/popups/sub_menu_dlg.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

constexpr int kKey = 0;  // Key1: its list opens below it

void MoveOver(QWidget& widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton,
                   QGuiApplication::mouseButtons(), Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

QPoint RowCentre(const PopupListWindow& list, uint32_t row) {
  return QPoint(list.Rows().width / 2,
                static_cast<int>(row - 1) * list.Rows().rowHeight + list.Rows().rowHeight / 2);
}

// Pixels of a list's picture that are neither its background nor its hovered band: its texts.
int TextPixels(PopupListWindow& list) {
  const QImage frame = list.ComposeFrame();
  int bright = 0;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb p = frame.pixel(x, y);
      if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) ++bright;
    }
  }
  return bright;
}

class PopupScreenshots : public MainDialogTest {
 protected:
  // The main window with the given lists drawn over it where they stand on the screen.
  void Save(CQEL_GMouseDlg& dialog, const std::vector<PopupListWindow*>& lists,
            const std::string& name, bool english, bool withTexts = true) {
    const QPoint origin = dialog.mapToGlobal(QPoint(0, 0));
    QRect canvas = dialog.rect();
    for (PopupListWindow* list : lists) {
      ASSERT_NE(list, nullptr) << name;
      canvas |= list->geometry().translated(-origin);
    }
    QImage shot(canvas.size(), QImage::Format_ARGB32);
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    painter.drawImage(-canvas.topLeft(), dialog.grab().toImage());
    for (PopupListWindow* list : lists) {
      if (withTexts) {
        EXPECT_GT(TextPixels(*list), 20) << name << ": the rows carry their texts";
      }
      const QImage frame = list->ComposeFrame();
      painter.drawImage(list->geometry().topLeft() - origin - canvas.topLeft(), frame,
                        QRect(QPoint(0, 0), list->size()));
    }
    painter.end();
    const std::string file = "popup_" + name + (english ? "_en" : "_cn") + ".png";
    EXPECT_TRUE(shot.save(QString::fromStdString((ScreenshotDir() / file).string())));
  }

  CMenuDlg& OpenKeyList(CQEL_GMouseDlg& dialog) {
    const QPoint at = CentreOf(dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey]);
    MoveOver(dialog, at);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    CMenuDlg* list = MainWindowPopup();
    EXPECT_NE(list, nullptr);
    return *list;
  }
};

TEST_F(PopupScreenshots, EveryListOverTheWindowInBothLanguages) {
  std::filesystem::create_directories(ScreenshotDir());
  CQEL_GMouseDlg& dialog = StartDialog();
  for (const bool english : {true, false}) {
    ClickMain(dialog, english ? kMainEnglish : kMainChinese);
    ClickMain(dialog, kMainTabKeys);

    // The key list with each family's second level; the macro groups with a chooser.
    for (uint32_t row = kFirstFamilyRow; row <= kLastFamilyRow; ++row) {
      CMenuDlg& list = OpenKeyList(dialog);
      MoveOver(list, RowCentre(list, row));
      CSubMenuDlg* family = list.SubMenu();
      std::vector<PopupListWindow*> shown{&list, family};
      if (family != nullptr && ListsMacroGroups(row)) {
        MoveOver(*family, RowCentre(*family, 1));
        shown.push_back(family->Chooser());
      }
      Save(dialog, shown, "key_row" + std::to_string(row), english);
    }
    CMenuDlg& held = OpenKeyList(dialog);
    MoveOver(held, RowCentre(held, kKeyboardKeyRow));
    QTest::mousePress(&held, Qt::LeftButton, Qt::NoModifier, RowCentre(held, kKeyboardKeyRow));
    Save(dialog, {&held}, "key_row14_held", english);
    QTest::mouseRelease(&held, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));  // outside
    CloseMainWindowPopup();

    ClickMain(dialog, kMainTabLighting);
    const QPoint modeButton = CentreOf(dialog.Layout().m_ledRects[kLedModeMenuButton]);
    MoveOver(dialog, modeButton);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, modeButton);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, modeButton);
    CMenuDlg* modes = MainWindowPopup();
    ASSERT_NE(modes, nullptr);
    MoveOver(*modes, RowCentre(*modes, 2));
    Save(dialog, {modes}, "led_mode", english);
    CloseMainWindowPopup();

    ClickMain(dialog, kMainTabMacro);
    const QPoint stepListAt = dialog.mapToGlobal(QPoint(g_skinWidth / 2, g_skinHeight / 3));
    for (const PopupKind kind : {PopupKind::kLedStepModes, PopupKind::kLedStepColors}) {
      CMenuDlg* step = OpenLedStepMenu(kind, {0, 0}, dialog, stepListAt);
      ASSERT_NE(step, nullptr);
      MoveOver(*step, RowCentre(*step, 1));
      if (kind == PopupKind::kLedStepModes) {
        Save(dialog, {step}, "led_step_mode", english);
      } else {
        Save(dialog, {step}, "led_step_colour", english, /*withTexts=*/false);  // swatches
      }
      CloseMainWindowPopup();
    }

    int16_t curGun = 0;
    CMenuDlg* recoil = OpenRecoilMenu(dialog, dialog.mapToGlobal(QPoint(60, 80)), curGun);
    ASSERT_NE(recoil, nullptr);
    EXPECT_EQ(recoil->Rows().rows, std::min<int>(g_gunMacroCount, kMacrosPerGroup));
    MoveOver(*recoil, RowCentre(*recoil, 3));
    Save(dialog, {recoil}, "recoil", english);
    CloseRecoilMenu();
  }
  ClickMain(dialog, kMainTabKeys);
}

}  // namespace
}  // namespace gm::test
