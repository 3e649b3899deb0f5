// Apply while a device thread switches the configuration and sends its own reports.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "apply_test_support.h"

namespace gm {
namespace {

class ApplyConcurrencyTest : public test::ApplyTest {};

TEST_F(ApplyConcurrencyTest, ImageStaysConsistentWhileTheConfigurationFlips) {
  AddGroup(u"Alpha", {test::MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 1}})});
  SetKeyMap({1, 2});
  for (int c = 0; c < 4; ++c) {
    SetKey(c, 0, 256);
    SetKey(c, 1, 23);
  }
  std::atomic<bool> done{false};
  std::atomic<int> consumerKeys{0};
  std::thread deviceThread([&] {
    for (int i = 0; !done.load(); ++i) {
      g_curConfig = i % 2;
      g_dpiLevel = i % 6;
      if (SendConsumerKey(0x0E9)) ++consumerKeys;
      (void)ReadFeatureReply();
    }
  });
  // Apply starts once the thread is sending, however quickly Apply then ends.
  while (consumerKeys.load() == 0) std::this_thread::yield();
  const ApplyResult result = Apply();
  done = true;
  deviceThread.join();
  ASSERT_EQ(result, ApplyResult::kCompleted);

  // 0x01 and 0x76 name the same configuration, whichever it was when Apply began.
  const uint8_t active = mouse_.MemoryByte(0x01);
  const uint8_t configurationByte = mouse_.MemoryByte(0x76);
  EXPECT_EQ(active, ((configurationByte & 3) << 5) + 3);
  // Every block was committed whole: 14 settings blocks, 0x70, 0x78, 70 descriptor blocks
  // and the macro image.
  EXPECT_EQ(mouse_.CommitCount(), 14 + 2 + 70 + 1);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x01, 0x00, 0x81, 0x04}));
}

TEST_F(ApplyConcurrencyTest, GroupListIsReadUnderTheLockItIsWrittenUnder) {
  // The window reloads the group list under g_macroTablesMutex (a language switch does);
  // Apply, which may run on another thread, reads it under the same lock. (A ThreadSanitizer
  // build reports the race otherwise.)
  AddGroup(u"Alpha", {test::MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 1}})});
  SetKeyMap({1});
  SetKey(0, 0, 256);
  g_macroListExists = true;
  g_macroListEntries = {{kMacroListMacroRow, 0, 0}};
  g_macroListSel = 0;
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_macros[0] = test::MakeMacro(u"A", 0, 1, {{0x04, kActionPress, 1}});
    g_macroCount = 1;
    g_curMacroGroup = 0;
  }
  std::atomic<bool> done{false};
  std::thread window([&] {
    while (!done) {
      std::lock_guard lock(g_macroTablesMutex);
      g_macroGroupNames[0] = u"Alpha";
      g_macroGroupCount = 1;
      g_groupMacroCount[0] = 1;
      g_macroDir = std::filesystem::path(g_macroDir);
    }
  });
  ApplyResult result = ApplyResult::kNoDevice;
  for (int run = 0; run < 3; ++run) result = Apply(SelectedListMacro());
  done = true;
  window.join();
  EXPECT_EQ(result, ApplyResult::kCompleted);
  EXPECT_EQ(MemoryRange(0x400, 4), (std::vector<uint8_t>{0x01, 0x00, 0x81, 0x04}));
}

}  // namespace
}  // namespace gm
