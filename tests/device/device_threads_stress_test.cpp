// The worker threads, the recoil adjustment and Apply at the same time: the mouse keeps sending
// configuration switches, key events and recoil requests while Apply runs on the test thread.
// Run in the ThreadSanitizer build, this is the check that they share nothing unguarded.

#include <atomic>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "device/apply_settings.h"
#include "device/system_mouse_settings.h"
#include "device_threads_test_support.h"
#include "editor/macro_editor_state.h"
#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"

namespace gm {
namespace {

using test::FileStep;
using test::MacroLine;
using test::WaitUntil;

class QuietDesktop final : public SystemMouseSettings {
 public:
  std::optional<int> GetPointerSpeed() override { return 10; }
  bool SetPointerSpeed(int) override { return true; }
  std::optional<int> GetWheelScrollLines() override { return 3; }
  bool SetWheelScrollLines(int) override { return true; }
};

class DeviceThreadsStressTest : public test::DeviceDataFolderTest {
 protected:
  void SetUp() override {
    DeviceDataFolderTest::SetUp();
    // Configurations 0 and 1 play the open group's macro on the first key, 2 another group's.
    WriteConfigIni({"257", "257", "513", "0"});
    WriteGroupList({"Rifles", "Pistols"});
    const std::vector<FileStep> spray = {{kActionMoveXPlusYPlus, kStepMove, 1, 15, 8},
                                         {kActionPress, 65, 0, 0, 3},
                                         {kActionRelease, 65, 0, 0, 3},
                                         {kActionMoveXMinusYPlus, kStepMove, 2, 5, 8}};
    rifles_ = WriteGroupFile("Rifles", 2,
                             {MacroLine("Other", 0, 1, {}), MacroLine("Spray", 0, 3, spray)});
    WriteGroupFile("Pistols", 2, {MacroLine("Tap", 2, 1, spray), MacroLine("Burst", 0, 2, spray)});
    {
      std::lock_guard lock(g_macroTablesMutex);
      g_macroGroupNames[0] = u"Rifles";
      g_macroGroupNames[1] = u"Pistols";
      g_macroGroupCount = 2;
      g_curMacroGroup = 0;
      LoadMacroFile(rifles_);
    }
    // The macro page shows Spray selected, so Apply saves it from the editor's table.
    g_macroListExists = true;
    g_macroListEntries = {{kMacroListMacroRow, 0, 1}};
    g_macroListSel = 0;
    OpenMouse();
  }

  std::filesystem::path rifles_;
};

TEST_F(DeviceThreadsStressTest, MouseEventsDuringTwoAppliesLeaveEverythingConsistent) {
  StartWorkers();
  std::atomic<bool> stop{false};
  std::atomic<int> fired{0};
  std::thread mouseUser([&] {
    for (int i = 0; !stop; ++i) {
      const auto n = static_cast<uint8_t>(i);
      switch (i % 7) {
        case 0: mouse_.InjectConfigurationSwitch(i / 7 % kConfigCount); break;
        case 1: Inject({6, static_cast<uint8_t>(0xF1 + n % 5), 0x01}); break;  // press
        case 2: Inject({6, 0xF2, static_cast<uint8_t>(0x80 | (n % 6))}); break;  // DPI key
        case 3: Inject({6, 0x01, 0}); break;                                    // recoil up
        case 4: Inject({6, 0x02, 0}); break;                                    // recoil down
        case 5: Inject({6, 0x00, 0}); break;                                    // repeat
        default: Inject({6, 0xF3, 0x01}); break;                                // config key
      }
      ++fired;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });

  ASSERT_TRUE(WaitUntil([&] { return fired > 20; }));
  QuietDesktop desktop;
  const ApplyResult first = ApplySettingsToDevice(desktop, SelectedListMacro());
  const ApplyResult second = ApplySettingsToDevice(desktop, SelectedListMacro());
  ASSERT_TRUE(WaitUntil([&] { return fired > 200; }));
  stop = true;
  mouseUser.join();
  StopWorkers();

  EXPECT_EQ(first, ApplyResult::kCompleted);
  EXPECT_EQ(second, ApplyResult::kCompleted);
  EXPECT_GE(g_curConfig, 0);
  EXPECT_LT(g_curConfig, kConfigCount);
  EXPECT_GE(g_dpiLevel, 0);
  EXPECT_LE(g_dpiLevel, 7);
  // The recoil macro is still whole and its moves stayed within 0..30.
  const MacroRecord spray = LoadGroupMacro(0, 1);
  EXPECT_EQ(MacroNameOf(spray), u"Spray");
  ASSERT_EQ(spray.stepCount, 4);
  EXPECT_LE(spray.xy[0].y, 30);
  EXPECT_LE(spray.xy[3].y, 30);
  EXPECT_EQ(spray.code[1], 0x04);
  EXPECT_EQ(ReadIni(u"Macros", u"macroNum", rifles_), "2");
}

}  // namespace
}  // namespace gm
