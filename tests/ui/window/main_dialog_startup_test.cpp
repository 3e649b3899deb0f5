// Start-up of the main window: what it loads, the no-mouse and missing-file exits, the
// start-hidden option and the messages it shows once.

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <ostream>

#include "device/apply_tables.h"
#include "macros/macro_group_names.h"
#include "settings/key_map.h"
#include "ui/controls/context_menus.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/led_mode_names.h"
#include "ui/skin/window_shape.h"
#include "ui/window/start_hidden.h"
#include "ui/window/tray_icon.h"

namespace gm::test {
namespace {

int CountOf(const std::vector<UserMessage>& messages, const std::u16string& english) {
  return static_cast<int>(
      std::count_if(messages.begin(), messages.end(),
                    [&](const UserMessage& m) { return m.english == english; }));
}

TEST_F(MainDialogTest, StartUpLoadsEverythingAndOpensTheMouse) {
  WriteIni(u"PRODUCTNAME", u"PRODUCTNAME_EN", u"Test Mouse EN");
  WriteIni(u"Init", u"CurConfig", u"2");
  mouse_.SetDeviceNibble(0x0B);
  CQEL_GMouseDlg& dialog = MakeDialog();

  ASSERT_TRUE(dialog.OnInitDialog());
  EXPECT_TRUE(messages_.messages().empty()) << ToUtf8(messages_.messages().front().english);
  EXPECT_TRUE(dialog.DeviceThreadsRunning());
  EXPECT_TRUE(g_deviceFound.load());
  EXPECT_EQ(g_deviceInitNibble.load(), 0x0B) << "read from report 7 at start-up";

  // Settings of config.ini: the language (VER_SEL=1), the configuration, the product name.
  EXPECT_EQ(g_isEnglish.load(), 1);
  EXPECT_EQ(g_curConfig.load(), 2);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Test Mouse EN"));
  EXPECT_EQ(g_keyCount.load(), 9);
  EXPECT_EQ(g_macroDir, appDir_ / "skins" / "INI_EN" / "macro" / "");

  // Layouts, names, menus and the window's shape.
  EXPECT_GT(dialog.Layout().m_mainRects[3].width, 0) << "the Apply button has its place";
  EXPECT_EQ(g_ledModeNames[0], u"DPI breath");
  ASSERT_NE(g_trayMenu, nullptr);
  EXPECT_EQ(g_trayMenu->items[0].text, u"Show Window");
  EXPECT_GT(g_skinWidth, 0);
  EXPECT_EQ(dialog.size(), QSize(g_skinWidth, g_skinHeight));
  EXPECT_FALSE(dialog.mask().isEmpty());
  EXPECT_GT(g_macroGroupCount, 0);

  EXPECT_TRUE(dialog.Tray().Added());
  EXPECT_FALSE(dialog.Tray().Shown()) << "no notification area in the test's display";
  EXPECT_EQ(finishedCount_, 0);
  EXPECT_EQ(g_startHidden, 0);
}

TEST_F(MainDialogTest, WithoutTheMouseItAsksForItAndEndsWithoutAnIcon) {
  WriteIni(u"PRODUCTNAME", u"PRODUCTNAME_EN", u"G9");
  WriteIni(u"PRODUCTNAME", u"PRODUCTNAME_CN", u"鼠标");
  mouse_.Unplug();
  CQEL_GMouseDlg& dialog = MakeDialog();

  EXPECT_FALSE(dialog.OnInitDialog());
  const auto shown = messages_.messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].english, u"Please plug-in【G9】USB KeyBoard");
  EXPECT_EQ(shown[0].chinese, u"请插入【鼠标】USB键盘");
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(finishedCount_, 1);
  EXPECT_FALSE(dialog.Tray().Added());
  EXPECT_FALSE(dialog.DeviceThreadsRunning()) << "the program ends: its threads are stopped";
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 0);
}

TEST_F(MainDialogTest, AMissingLayoutFileEndsStartUpAfterItsMessage) {
  std::filesystem::remove(appDir_ / "skins" / "INI_EN" / "skin_advance_en.ini");
  CQEL_GMouseDlg& dialog = MakeDialog();

  EXPECT_FALSE(dialog.OnInitDialog());
  const auto shown = messages_.messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].english, u"找不到配置文件");
  EXPECT_TRUE(dialog.Ended());
  EXPECT_FALSE(dialog.Tray().Added());
  EXPECT_FALSE(g_deviceFound.load()) << "the mouse is opened after the layouts";
}

TEST_F(MainDialogTest, AMissingSettingsFileIsReportedOnceNotOncePerConfiguration) {
  std::filesystem::remove(ConfigIni());
  // Without config.ini the language is Chinese, which has its own layout files.
  CQEL_GMouseDlg& dialog = MakeDialog();

  ASSERT_TRUE(dialog.OnInitDialog());
  const auto shown = messages_.messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].english, u"Error：Config.ini文件不存在!");
  EXPECT_EQ(g_isEnglish.load(), 0);
  EXPECT_EQ(dialog.windowTitle(), QString()) << "no product name without the file";

  // The factory reset reads its file for four configurations too.
  messages_.clear();
  const QPoint reset = CentreOf(dialog.Layout().m_mainRects[16]);
  std::filesystem::remove(appDir_ / "skins" / "config" / "configReset.ini");
  dialog.show();
  QTest::mouseMove(&dialog, reset);
  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, reset);
  QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, reset);
  EXPECT_EQ(CountOf(messages_.messages(), u"Error：ConfigReset.ini文件不存在!"), 1)
      << "the factory file read for four configurations is reported once";
  EXPECT_EQ(messages_.messages().size(), 1u);
}

// ---- -HIDE ------------------------------------------------------------------------------------

struct CommandLineCase {
  const char16_t* commandLine;
  bool startsHidden;

  friend void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << '"' << ToUtf8(c.commandLine) << '"';
  }
};

class StartHiddenTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(StartHiddenTest, TheFourCharactersAfterTheLastHyphenDecide) {
  EXPECT_EQ(CommandLineStartsHidden(GetParam().commandLine), GetParam().startsHidden)
      << ToUtf8(GetParam().commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, StartHiddenTest,
    ::testing::Values(CommandLineCase{u"/opt/gmouse/gmouse -HIDE", true},
                      CommandLineCase{u"/opt/gmouse/gmouse -hide", false},    // case matters
                      CommandLineCase{u"/opt/gmouse/gmouse -HIDEAWAY", true},  // four compared
                      CommandLineCase{u"/opt/gmouse/gmouse -HIDE -x", false},  // last hyphen
                      CommandLineCase{u"HIDEME", true},  // no hyphen: its own first four
                      CommandLineCase{u"gmouse", false},
                      CommandLineCase{u"/opt/g-mouse/gmouse", false},  // hyphen in the path
                      CommandLineCase{u"/opt/my-HIDEout/gmouse", true},
                      CommandLineCase{u"/opt/gmouse/gmouse -HID", false},  // cut at the end
                      CommandLineCase{u"/opt/gmouse/gmouse -", false},
                      CommandLineCase{u"", false}));

TEST(JoinCommandLineTest, JoinsTheArgumentsWithBlanks) {
  EXPECT_EQ(JoinCommandLine({QStringLiteral("/opt/gmouse"), QStringLiteral("-HIDE")}),
            u"/opt/gmouse -HIDE");
  EXPECT_TRUE(CommandLineStartsHidden(
      JoinCommandLine({QStringLiteral("/opt/gmouse"), QStringLiteral("-HIDE")})));
}

TEST_F(MainDialogTest, StartedWithHideTheWindowShowsMinimisedNotHidden) {
  CQEL_GMouseDlg& dialog = MakeDialog({QStringLiteral("gmouse"), QStringLiteral("-HIDE")});
  ASSERT_TRUE(dialog.OnInitDialog());
  EXPECT_EQ(g_startHidden, 1);
  dialog.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isMinimized(); }, kUiWaitMs));
  EXPECT_TRUE(dialog.isVisible()) << "minimised in the task bar, not hidden";
  EXPECT_EQ(g_startHidden, 0) << "only the first show minimises";

  dialog.RestoreWindow();
  QApplication::processEvents();
  EXPECT_FALSE(dialog.isMinimized());
}

TEST_F(MainDialogTest, StartedWithoutHideTheWindowStaysNormal) {
  CQEL_GMouseDlg& dialog = StartDialog({QStringLiteral("gmouse"), QStringLiteral("-hide")});
  QTest::qWait(50);
  EXPECT_FALSE(dialog.isMinimized());
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace gm::test
