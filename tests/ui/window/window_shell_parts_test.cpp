// The pieces of the window's shell on their own: message boxes from any thread, the once-per-
// text rule, the menus of both languages and the lighting page's repaint thread.

#include <gtest/gtest.h>

#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <future>
#include <thread>

#include "settings/config_settings.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "ui/controls/context_menus.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/window/led_preview_thread.h"
#include "ui/window/message_forwarder.h"
#include "ui/window/qt_message_sink.h"

namespace gm::test {
namespace {

constexpr int kWaitMs = 5000;

// ---- Messages ------------------------------------------------------------------------------

TEST(QtMessageSinkTest, AMessageFromAnotherThreadIsShownOnTheUserInterfaceThread) {
  EnsureQtApplication();
  ResetProcessState();
  g_isEnglish = 1;
  QStringList shown;
  bool onUiThread = true;
  QtMessageSink sink([&](const QString& text) {
    onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    shown.push_back(text);
  });

  std::thread worker([&] { sink.ShowMessage(UserMessage{u"错误", u"Error!"}); });
  worker.join();
  EXPECT_TRUE(shown.isEmpty()) << "the sender does not wait for the box";
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, kWaitMs));
  EXPECT_TRUE(onUiThread);

  g_isEnglish = 0;  // shown in the language current when the box shows
  sink.ShowMessage(UserMessage{u"错误", u"Error!"});
  EXPECT_EQ(shown, QStringList({QStringLiteral("Error!"), QStringLiteral("错误")}));
  ResetProcessState();
}

TEST(MessageForwarderTest, RepeatsAreDroppedOnlyInsideAOncePerTextWindow) {
  MessageRecorder target;
  MessageForwarder forwarder(&target);
  const UserMessage missing = SameInBothLanguages(u"Can't find the file.");
  const UserMessage other = SameInBothLanguages(u"Error!");

  forwarder.ShowMessage(missing);
  forwarder.ShowMessage(missing);
  EXPECT_EQ(target.messages().size(), 2u) << "outside a window every message passes";

  target.clear();
  {
    MessageForwarder::OncePerText once(forwarder);
    for (int i = 0; i < 4; ++i) forwarder.ShowMessage(missing);
    forwarder.ShowMessage(other);
    forwarder.ShowMessage(missing);
  }
  EXPECT_EQ(target.englishTexts(),
            (std::vector<std::u16string>{u"Can't find the file.", u"Error!"}));

  target.clear();
  {
    MessageForwarder::OncePerText once(forwarder);
    forwarder.ShowMessage(missing);
  }
  EXPECT_EQ(target.messages().size(), 1u) << "a new window starts empty";
}

// ---- Menus ------------------------------------------------------------------------------------

// Both languages have menus of the same shape; the ids differ only where the middle button's
// "insert after" items have their own ids in the Chinese menu.
void ExpectSameShape(std::span<const MenuItemSpec> en, std::span<const MenuItemSpec> cn,
                     int& differingIds) {
  ASSERT_EQ(en.size(), cn.size());
  for (std::size_t i = 0; i < en.size(); ++i) {
    if (en[i].id != cn[i].id) ++differingIds;
    ExpectSameShape(en[i].children, cn[i].children, differingIds);
  }
}

TEST(ContextMenusTest, BothLanguagesHaveTheSameMenusApartFromTheMiddleButtonIds) {
  int differingIds = 0;
  for (const auto kind : {ContextMenuKind::kMacroList, ContextMenuKind::kMacroItem,
                          ContextMenuKind::kKeyValue, ContextMenuKind::kMacroEdit}) {
    ExpectSameShape(ContextMenuOf(kind, true).items, ContextMenuOf(kind, false).items,
                    differingIds);
  }
  EXPECT_EQ(differingIds, 2);
  const auto& after = ContextMenuOf(ContextMenuKind::kMacroEdit, false).items[1].children[2];
  EXPECT_EQ(after.children[0].id, kCmdInsertMidDownAfterCn);
  EXPECT_EQ(after.children[1].id, kCmdInsertMidUpAfterCn);
}

TEST(ContextMenusTest, TheTrayMenuOfEachLanguageShowsAndExits) {
  for (const bool english : {true, false}) {
    LoadContextMenus(english);
    ASSERT_NE(g_trayMenu, nullptr);
    ASSERT_EQ(g_trayMenu->items.size(), 2u);
    EXPECT_EQ(TrayCommandOf(g_trayMenu->items[0].id), TrayCommand::kShowWindow);
    EXPECT_EQ(TrayCommandOf(g_trayMenu->items[1].id), TrayCommand::kExitDriver);
  }
  EXPECT_EQ(g_trayMenu->items[0].text, u"显示窗口   ") << "trailing blanks are kept";
  EXPECT_EQ(TrayCommandOf(kCmdDeleteStep), TrayCommand::kNone);
}

// ---- Process reset ------------------------------------------------------------------------------

// What a test left in the dialogs' globals reaches no later test.
TEST(ProcessResetTest, TheCapturedKeyAndTheRecoilIndexStartOver) {
  g_capturedKeyCode = 0x1E;
  g_capturedKeyName = u"1";
  g_curGun = 3;
  ResetProcessState();
  EXPECT_EQ(g_capturedKeyCode, 0);
  EXPECT_TRUE(g_capturedKeyName.empty());
  EXPECT_EQ(g_curGun, 0);
}

// ---- Lighting page repaint thread ---------------------------------------------------------------

TEST(LedPreviewThreadTest, TheWaitFollowsTheSpeedAndIsBounded) {
  EXPECT_EQ(LedPreviewInterval(0).count(), 1200);
  EXPECT_EQ(LedPreviewInterval(5).count(), 200);
  EXPECT_EQ(LedPreviewInterval(6).count(), 200);
  EXPECT_EQ(LedPreviewInterval(255).count(), 200);
}

TEST(LedPreviewThreadTest, RepaintsWhileTheLightingPageShowsAndEndsAfterIt) {
  ResetProcessState();
  g_ledCycleTime = 5;
  g_curPage = kPageLighting;
  std::atomic<int> repaints{0};
  LedPreviewThread preview([&] { ++repaints; });
  preview.Start();
  EXPECT_EQ(g_ledPreviewRunning.load(), 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (repaints.load() < 3 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_GE(repaints.load(), 3);

  g_curPage = kPageKeys;
  const auto ended = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (g_ledPreviewRunning.load() != 0 && std::chrono::steady_clock::now() < ended) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(g_ledPreviewRunning.load(), 0) << "the thread ends on its own after the page";
  ResetProcessState();
}

// Stop wakes the thread from a wait far longer than the test waits for Stop to return, and no
// repaint follows the stop.
TEST(LedPreviewThreadTest, StopEndsTheWaitAtOnce) {
  EnsureQtApplication();
  ResetProcessState();
  g_curPage = kPageLighting;
  constexpr std::chrono::milliseconds kLongWait(12 * kWaitMs);
  std::atomic<int> repaints{0};
  std::atomic<int> waits{0};
  const auto longWait = [&] {
    ++waits;
    return kLongWait;
  };
  LedPreviewThread preview([&] { ++repaints; }, longWait);
  preview.Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return waits.load() == 1; }, kWaitMs));
  auto stopped = std::async(std::launch::async, [&] { preview.Stop(); });
  EXPECT_EQ(stopped.wait_for(std::chrono::milliseconds(kWaitMs)), std::future_status::ready);
  stopped.wait();
  EXPECT_EQ(repaints.load(), 1);
  EXPECT_EQ(waits.load(), 1);
  EXPECT_EQ(g_ledPreviewRunning.load(), 0);
  ResetProcessState();
}

}  // namespace
}  // namespace gm::test
