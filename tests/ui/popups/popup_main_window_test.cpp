// The pop-up lists opened from the main window: a key button's list and the lighting-mode
// list, closed by a press elsewhere, the key's caption after a pick, the repaint after a
// second-level pick, and the end of the program while a list is open.

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_texts.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/popups/sub_menu_dlg.h"
#include "ui/skin/window_shape.h"
#include "ui/widget_input.h"

namespace gm::test {
namespace {

constexpr int kKey = 2;  // Key3, at the top right of the keys page

// A list that was closed: destroyed already, or about to be.
bool Closed(const QPointer<PopupListWindow>& list) { return list.isNull() || list->Closing(); }

QPoint RowCentre(const PopupListWindow& list, uint32_t row) {
  return QPoint(list.Rows().width / 2,
                static_cast<int>(row - 1) * list.Rows().rowHeight + list.Rows().rowHeight / 2);
}

class PopupMainWindowTest : public MainDialogTest {
 protected:
  CMenuDlg& OpenKeyList(CQEL_GMouseDlg& dialog, int key = kKey) {
    Press(dialog, CentreOf(dialog.Layout().m_mainRects[kMainFirstKeyButton + key]));
    CMenuDlg* list = MainWindowPopup();
    EXPECT_NE(list, nullptr);
    EXPECT_TRUE(list != nullptr && list->isVisible());
    return *list;
  }
  int32_t Function(int key = kKey) const {
    return g_keyFunction[g_curConfig.load()][key].load();
  }
};

TEST_F(PopupMainWindowTest, AKeyButtonOpensItsListAndAPressElsewhereClosesIt) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const SkinRect button = dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey];
  // The window stands where the list fits on the screen below its button.
  dialog.move(dialog.screen()->geometry().topLeft() - QPoint(button.x / 2, 0));
  CMenuDlg& list = OpenKeyList(dialog);
  const QPointer<PopupListWindow> listWatch(&list);
  EXPECT_EQ(list.Kind(), PopupKind::kKeyFunctions);
  EXPECT_EQ(g_selKey, static_cast<int>(kMainFirstKeyButton) + kKey);
  EXPECT_EQ(list.geometry().topLeft(),
            dialog.mapToGlobal(QPoint(button.x + 1, button.y + button.height)));

  // Another key button replaces the list; a press on no element closes it.
  CMenuDlg& second = OpenKeyList(dialog, 0);
  const QPointer<PopupListWindow> secondWatch(&second);
  EXPECT_TRUE(Closed(listWatch));
  Press(dialog, QPoint(1, g_skinHeight / 2));
  EXPECT_TRUE(Closed(secondWatch));
  EXPECT_EQ(MainWindowPopup(), nullptr);
}

TEST_F(PopupMainWindowTest, APickShowsTheNewFunctionOnTheKeyAtOnce) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CMenuDlg& list = OpenKeyList(dialog);
  QApplication::processEvents();
  const QImage before = dialog.LastFrame().copy();
  const uint64_t paints = dialog.PaintCount();
  Press(list, RowCentre(list, 5));
  EXPECT_EQ(Function(), 5);
  ASSERT_FALSE(g_funStrings[5].empty());
  EXPECT_EQ(KeyButtonCaption(kKey).substr(0, 11), g_funStrings[5].substr(0, 11));
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.PaintCount() > paints; }, kUiWaitMs));
  const SkinRect button = dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey];
  const QRect area(button.x, button.y, button.width, button.height);
  EXPECT_NE(dialog.LastFrame().copy(area), before.copy(area)) << "the caption is drawn anew";
  EXPECT_EQ(MainWindowPopup(), nullptr);
}

TEST_F(PopupMainWindowTest, ASecondLevelPickClosesTheKeyListAndTheNextPaintClearsTheRequest) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CMenuDlg& list = OpenKeyList(dialog);
  MoveOver(list, RowCentre(list, 11));
  CSubMenuDlg* configs = list.SubMenu();
  ASSERT_NE(configs, nullptr);
  Press(*configs, RowCentre(*configs, 2));
  EXPECT_EQ(Function(), 20);
  EXPECT_EQ(g_keyMacroMode[g_curConfig.load()][kKey].load(), 0);
  EXPECT_EQ(MainWindowPopup(), nullptr);
  ASSERT_TRUE(QTest::qWaitFor([] { return g_subMenuChosen == 0; }, kUiWaitMs));
}

TEST_F(PopupMainWindowTest, TheLightingModeListSetsTheModeAndClosesOnAnyRelease) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ClickMain(dialog, kMainTabLighting);
  const SkinRect button = dialog.Layout().m_ledRects[kLedModeMenuButton];
  Press(dialog, CentreOf(button));
  CMenuDlg* list = MainWindowPopup();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Kind(), PopupKind::kLedModes);
  EXPECT_EQ(list->geometry().topLeft(),
            dialog.mapToGlobal(QPoint(button.x, button.y + button.height)));
  EXPECT_EQ(list->height(), 3 * list->Rows().rowHeight);
  Press(*list, RowCentre(*list, 2));
  EXPECT_EQ(g_ledType.load(), kLedModeKeyResponse);
  EXPECT_EQ(MainWindowPopup(), nullptr);
}

TEST_F(PopupMainWindowTest, ExitFromTheTrayClosesAnOpenListAndSendsTheLeavingNoticeOnce) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CMenuDlg& list = OpenKeyList(dialog);
  const QPointer<PopupListWindow> listWatch(&list);
  MoveOver(list, RowCentre(list, 9));
  ASSERT_NE(list.SubMenu(), nullptr);
  dialog.OnExitDriver();
  EXPECT_TRUE(Closed(listWatch));
  EXPECT_EQ(MainWindowPopup(), nullptr);
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(finishedCount_, 1);
  dialog.OnExitDriver();
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
}

}  // namespace
}  // namespace gm::test
