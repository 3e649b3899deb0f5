// The pop-up lists of the main window as a desktop list behaves: press, drag and release
// picks through every level, Esc closing the innermost list, every list on the screen, and
// message boxes wide enough for their title and centred over the main window.

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "macros/recoil_macro_names.h"
#include "main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/window/mac_sel_menu_dlg.h"
#include "ui/window/menu_dlg.h"
#include "ui/window/message_box_fit.h"
#include "ui/window/popup_menus.h"
#include "ui/window/sub_menu_dlg.h"
#include "widget_input.h"

namespace gm::test {
namespace {

constexpr int kKey = 0;

bool Closed(const QPointer<PopupListWindow>& list) { return list.isNull() || list->Closing(); }

QPoint ScreenRowCentre(const PopupListWindow& list, uint32_t row) {
  const RowGeometry& g = list.Rows();
  return list.mapToGlobal(
      QPoint(g.width / 2, static_cast<int>(row - 1) * g.rowHeight + g.rowHeight / 2));
}

// The button held since a press in `pressedIn`: Qt hands the moves and the release to that
// window wherever the pointer is.
void HeldMove(QWidget& pressedIn, QPoint screen) {
  QMouseEvent move(QEvent::MouseMove, pressedIn.mapFromGlobal(screen), screen, Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&pressedIn, &move);
}

void ReleaseAt(QWidget& pressedIn, QPoint screen) {
  QMouseEvent release(QEvent::MouseButtonRelease, pressedIn.mapFromGlobal(screen), screen,
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&pressedIn, &release);
}

class PopupPointerTest : public MainDialogTest {
 protected:
  // Presses key kKey's button and keeps the button held: its list opens.
  CMenuDlg* PressKeyButton(CQEL_GMouseDlg& dialog) {
    const QPoint at = CentreOf(dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey]);
    MoveOver(dialog, at);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    return MainWindowPopup();
  }
  int32_t Function() const { return g_keyFunction[g_curConfig.load()][kKey].load(); }
  int32_t MacroMode() const { return g_keyMacroMode[g_curConfig.load()][kKey].load(); }
};

// The list of a level: 0 the key list, 1 its second-level list, 2 the macro chooser.
PopupListWindow* Level(CMenuDlg& keyList, int level) {
  CSubMenuDlg* family = keyList.SubMenu();
  if (level == 0) return &keyList;
  if (family == nullptr) return nullptr;
  if (level == 1) return family;
  return family->Chooser();
}

TEST_F(PopupPointerTest, PressDragAndReleasePicksOnEveryLevelOfTheKeyList) {
  struct Step { int level; uint32_t row; };
  struct Case {
    const char* what;
    bool pressInKeyList;  // the press on the first step's row instead of on the key button
    std::vector<Step> path;
    int32_t function, macroMode;
  };
  const std::vector<Case> cases = {
      {"a key-list row", false, {{0, 5}}, 5, 0},
      {"a multimedia key", false, {{0, 8}, {1, 1}}, 23, 0},
      {"a recoil macro", false, {{0, 12}, {1, 3}}, 52, 1},
      {"a group's macro in the chooser", false, {{0, 13}, {1, 1}, {2, 1}}, 256, 1},
      {"from a key-list row on into its family", true, {{0, 8}, {1, 2}}, 24, 0},
  };
  CQEL_GMouseDlg& dialog = StartDialog();
  for (const Case& c : cases) {
    g_keyFunction[g_curConfig.load()][kKey] = 0;
    CMenuDlg* keyList = PressKeyButton(dialog);
    ASSERT_NE(keyList, nullptr) << c.what;
    QWidget* pressedIn = &dialog;
    QPoint at;
    for (const Step& step : c.path) {
      PopupListWindow* list = Level(*keyList, step.level);
      ASSERT_NE(list, nullptr) << c.what << " level " << step.level;
      at = ScreenRowCentre(*list, step.row);
      if (pressedIn == &dialog && c.pressInKeyList) {
        ReleaseAt(dialog, dialog.mapToGlobal(QPoint(0, 0)));  // the key button's click ends
        MoveOver(*list, list->mapFromGlobal(at));
        QTest::mousePress(list, Qt::LeftButton, Qt::NoModifier, list->mapFromGlobal(at));
        pressedIn = list;
        continue;
      }
      HeldMove(*pressedIn, at);
      EXPECT_EQ(list->Hover(), step.row) << c.what << ": hover follows the held pointer";
    }
    ReleaseAt(*pressedIn, at);
    EXPECT_EQ(Function(), c.function) << c.what;
    EXPECT_EQ(MacroMode(), c.macroMode) << c.what;
    EXPECT_EQ(MainWindowPopup(), nullptr) << c.what << ": a pick closes every level";
    QApplication::processEvents();
  }
}

TEST_F(PopupPointerTest, AReleaseOnNoRowChangesNothingAndClickThenClickStillPicks) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_keyFunction[g_curConfig.load()][kKey] = 0;
  CMenuDlg* keyList = PressKeyButton(dialog);
  ASSERT_NE(keyList, nullptr);
  HeldMove(dialog, ScreenRowCentre(*keyList, 3));
  const QPoint offList = keyList->geometry().topLeft() - QPoint(5, 5);
  HeldMove(dialog, offList);
  ReleaseAt(dialog, offList);
  EXPECT_EQ(Function(), 0);
  ASSERT_EQ(MainWindowPopup(), keyList) << "the list stays open";

  Press(*keyList, keyList->mapFromGlobal(ScreenRowCentre(*keyList, 4)));
  EXPECT_EQ(Function(), 4);
}

TEST_F(PopupPointerTest, EscClosesTheInnermostListFirst) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CMenuDlg* keyList = PressKeyButton(dialog);
  ASSERT_NE(keyList, nullptr);
  ReleaseAt(dialog, dialog.mapToGlobal(QPoint(0, 0)));
  MoveOver(*keyList, keyList->mapFromGlobal(ScreenRowCentre(*keyList, 9)));
  CSubMenuDlg* groups = keyList->SubMenu();
  ASSERT_NE(groups, nullptr);
  MoveOver(*groups, groups->mapFromGlobal(ScreenRowCentre(*groups, 1)));
  const QPointer<PopupListWindow> chooser(groups->Chooser());
  const QPointer<PopupListWindow> family(groups);
  ASSERT_FALSE(chooser.isNull());

  const int32_t before = Function();
  const std::vector<QPointer<PopupListWindow>> inOrder = {chooser, family, keyList};
  for (std::size_t i = 0; i < inOrder.size(); ++i) {
    QTest::keyClick(&dialog, Qt::Key_Escape);
    for (std::size_t j = 0; j < inOrder.size(); ++j) {
      EXPECT_EQ(Closed(inOrder[j]), j <= i) << "after Esc " << i + 1 << ", list " << j;
    }
  }
  EXPECT_EQ(MainWindowPopup(), nullptr);
  EXPECT_EQ(Function(), before);
}

TEST_F(PopupPointerTest, TheRecoilListOfAKeyListAtTheScreenTopMovesDownOntoIt) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ASSERT_EQ(RecoilMacroCount(), 20) << "the shipped recoil macros";
  const QRect screen = dialog.screen()->geometry();
  const SkinRect button = dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey];
  // The key list opens 10 pixels below the screen's top.
  dialog.move(dialog.pos() - dialog.mapToGlobal(QPoint(0, 0)) +
              QPoint(screen.x() + 10, screen.y() + 10 - button.y - button.height));
  CMenuDlg* keyList = PressKeyButton(dialog);
  ASSERT_NE(keyList, nullptr);
  ASSERT_EQ(keyList->geometry().top(), screen.y() + 10);
  HeldMove(dialog, ScreenRowCentre(*keyList, 12));
  const CSubMenuDlg* recoil = keyList->SubMenu();
  ASSERT_NE(recoil, nullptr);
  EXPECT_EQ(recoil->geometry().top(), screen.y()) << "12 - 20 rows above: moved just onto it";
  EXPECT_EQ(recoil->geometry().left(), keyList->geometry().right() + 1) << "x fits as it is";
  ReleaseAt(dialog, dialog.mapToGlobal(QPoint(0, 0)));
}

TEST_F(PopupPointerTest, AMessageBoxShowsItsWholeTitleCentredOverTheMainWindow) {
  CQEL_GMouseDlg& dialog = StartDialog();
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("A title longer than its text"),
                  QStringLiteral("More than limit!"), QMessageBox::Ok);
  FitMessageBox(box);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);
  EXPECT_GE(box.width(),
            QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsRoom);
  const QPoint mainCentre = dialog.mapToGlobal(dialog.rect().center());
  const QPoint boxCentre = box.mapToGlobal(box.rect().center());
  EXPECT_LE((boxCentre - mainCentre).manhattanLength(), 2)
      << "box centred at " << boxCentre.x() << "," << boxCentre.y();
}

}  // namespace
}  // namespace gm::test
