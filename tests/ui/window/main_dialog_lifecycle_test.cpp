// The window's life: hiding, closing, the tray menu's exit, unplugging the mouse, the keys
// that must not close it, and the language switch.

#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>

#include "ui/controls/context_menus.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/page_elements.h"
#include "ui/window/tray_icon.h"

namespace gm::test {
namespace {

TEST_F(MainDialogTest, HeaderCloseSendsTheLeavingNoticeOnceHoweverOftenTheEndIsAskedFor) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ClickMain(dialog, kMainClose);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(finishedCount_, 1);
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Tray().Added());
  EXPECT_FALSE(dialog.DeviceThreadsRunning());

  dialog.OnClose();
  dialog.OnExitDriver();
  dialog.close();
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(finishedCount_, 1);
}

TEST_F(MainDialogTest, TheTrayMenusExitEndsTheProgramWithTheNotice) {
  CQEL_GMouseDlg& dialog = StartDialog();
  dialog.Tray().RunMenuCommand(kCmdExitDriverEn);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
}

TEST_F(MainDialogTest, ExitWhileAModalDialogRunsEndsTheDialogFirst) {
  CQEL_GMouseDlg& dialog = StartDialog();
  QDialog modal(&dialog);  // stands in for the recoil editor
  QTimer::singleShot(50, &dialog, [&] { dialog.Tray().RunMenuCommand(kCmdExitDriverCn); });
  EXPECT_EQ(modal.exec(), QDialog::Rejected) << "the dialog's own loop ended";
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
}

TEST_F(MainDialogTest, AClosedWindowEndsTheProgramLikeHeaderClose) {
  CQEL_GMouseDlg& dialog = StartDialog();
  dialog.close();  // asked for by the program, not by the window manager
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
}

TEST_F(MainDialogTest, UnpluggingTheMouseEndsTheProgramWithoutALeavingNotice) {
  CQEL_GMouseDlg& dialog = StartDialog();
  // Another device going away changes nothing.
  EXPECT_TRUE(monitor_->Fire(DeviceChange::kRemoval, "/dev/hidraw9"));
  QApplication::processEvents();
  EXPECT_FALSE(dialog.Ended());

  ASSERT_TRUE(monitor_->UnplugVirtualMouse(mouse_));
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Ended(); }, kUiWaitMs));
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 0);
  EXPECT_FALSE(dialog.Tray().Added());
  EXPECT_FALSE(dialog.DeviceThreadsRunning());
  EXPECT_FALSE(g_deviceFound.load());
}

TEST_F(MainDialogTest, TheMouseArrivingWhileNotFoundIsOpenedAgain) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CloseDevice();
  g_deviceFound = false;
  ASSERT_TRUE(monitor_->Fire(DeviceChange::kArrival, kVirtualMousePath));
  ASSERT_TRUE(QTest::qWaitFor([] { return g_deviceFound.load(); }, kUiWaitMs));
  EXPECT_TRUE(HasWriteConnection());
  EXPECT_FALSE(dialog.Ended());
}

TEST_F(MainDialogTest, HideWithoutANotificationAreaMinimisesSoTheWindowIsNotLost) {
  CQEL_GMouseDlg& dialog = StartDialog();
  ASSERT_FALSE(dialog.Tray().Shown());
  ClickMain(dialog, kMainHide);
  EXPECT_TRUE(dialog.isMinimized());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 0);

  dialog.Tray().RunMenuCommand(kCmdShowWindowEn);
  EXPECT_FALSE(dialog.isMinimized());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(MainDialogTest, AltF4HidesAndEscapeOrEnterDoNothing) {
  CQEL_GMouseDlg& dialog = StartDialog();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  QTest::keyClick(&dialog, Qt::Key_Return);
  QTest::keyClick(&dialog, Qt::Key_Enter);
  EXPECT_FALSE(dialog.isMinimized());
  EXPECT_FALSE(dialog.Ended());

  QTest::keyClick(&dialog, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(dialog.isMinimized());
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 0);
}

// ---- Language switch ----------------------------------------------------------------------------

TEST_F(MainDialogTest, SwitchingLanguageReloadsTitleCaptionsMenusAndNames) {
  WriteIni(u"PRODUCTNAME", u"PRODUCTNAME_CN", u"鼠标九");
  WriteIni(u"PRODUCTNAME", u"PRODUCTNAME_EN", u"Mouse Nine");
  CQEL_GMouseDlg& dialog = StartDialog();
  ASSERT_EQ(g_isEnglish.load(), 1);
  const auto englishCaptions = dialog.Layout().m_mainCaptions;

  ClickMain(dialog, kMainChinese);
  EXPECT_EQ(g_isEnglish.load(), 0);
  EXPECT_EQ(ReadIni(u"Init", u"VER_SEL"), u"0");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("鼠标九"));
  EXPECT_NE(dialog.Layout().m_mainCaptions, englishCaptions);
  EXPECT_EQ(g_trayMenu->items[1].text, u"关闭驱动");
  EXPECT_EQ(g_ledModeNames[2], u"常亮");
  EXPECT_EQ(g_macroDir, appDir_ / "skins" / "INI_CN" / "macro" / "");

  ClickMain(dialog, kMainEnglish);
  EXPECT_EQ(ReadIni(u"Init", u"VER_SEL"), u"1");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Mouse Nine"));
  EXPECT_EQ(dialog.Layout().m_mainCaptions, englishCaptions);
  EXPECT_EQ(g_trayMenu->items[1].text, u"Exit Driver");

  // The language already in force reloads all the same.
  ClickMain(dialog, kMainEnglish);
  EXPECT_EQ(dialog.Layout().m_mainCaptions, englishCaptions);
  EXPECT_FALSE(dialog.Ended());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MainDialogTest, ALanguageWithoutItsLayoutFilesEndsTheProgramButKeepsTheChoice) {
  CQEL_GMouseDlg& dialog = StartDialog();
  std::filesystem::remove(appDir_ / "skins" / "INI_CN" / "skin_color.ini");
  ClickMain(dialog, kMainChinese);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(ReadIni(u"Init", u"VER_SEL"), u"0") << "the next start comes up in Chinese";
  ASSERT_FALSE(messages_.messages().empty());
  EXPECT_EQ(messages_.messages().front().chinese, u"找不到配置文件");
}

}  // namespace
}  // namespace gm::test
