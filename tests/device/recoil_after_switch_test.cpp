// A recoil nudge after the mouse switched configuration goes into the mouse when the new
// configuration's first key plays the same macro from the same slot, and only then.

#include <gtest/gtest.h>

#include "apply_test_support.h"
#include "device/recoil_adjust.h"
#include "settings/key_function.h"

namespace gm {
namespace {

constexpr int kMoveYOffset = 6;  // header 2 bytes, then t, F6, x (2 bytes), y

class RecoilAfterSwitchTest : public test::ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    AddGroup(u"Rifles", {test::MakeMacro(u"Spray", 0, 1, {{kStepMove, 6, 10, 0, 5}}),
                         test::MakeMacro(u"Burst", 0, 1, {{kStepMove, 6, 10, 0, 9}})});
    g_curMacroGroup = -1;  // the group is not open in the editor
    SetKeyMap({1});
    SetKey(0, 0, UserMacroCode(0, 0));
    SetKey(1, 0, UserMacroCode(0, 1));
    SetKey(2, 0, UserMacroCode(0, 0));  // the same macro as configuration 0
    SetKey(3, 0, 0);
    g_curConfig = 0;
    ASSERT_EQ(Apply(), ApplyResult::kCompleted);
    slot_ = g_recoilMacroAddr;
    ASSERT_EQ(mouse_.MemoryByte(slot_ + kMoveYOffset), 5);
  }

  int32_t slot_ = 0;
};

TEST_F(RecoilAfterSwitchTest, NudgeReachesTheMouseOnlyWhereTheSlotHoldsTheMacro) {
  g_curConfig = 2;  // switched on the mouse: the first key plays Spray from the same slot
  EXPECT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kWritten);
  EXPECT_EQ(mouse_.MemoryByte(slot_ + kMoveYOffset), 6);

  g_curConfig = 1;  // Burst has a slot of its own, which Apply did not record for nudges
  const size_t reports = mouse_.FeatureReportCount();
  EXPECT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kSlotHoldsAnotherMacro);
  EXPECT_EQ(mouse_.FeatureReportCount(), reports);

  // Configuration 3 now holds Spray in the settings but not in the mouse (no Apply since).
  g_curConfig = 3;
  SetKey(3, 0, UserMacroCode(0, 0));
  EXPECT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kSlotHoldsAnotherMacro);
  EXPECT_EQ(mouse_.FeatureReportCount(), reports);
}

}  // namespace
}  // namespace gm
