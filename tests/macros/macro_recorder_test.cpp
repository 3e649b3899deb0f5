#include "macros/macro_recorder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace gm {
namespace {

constexpr uint8_t kVkA = 'A';
constexpr uint8_t kVkB = 'B';
constexpr uint8_t kUsageA = 4;
constexpr uint8_t kUsageB = 5;
constexpr uint16_t kTemplateDelay = 777;  // what the record held before recording

KeyEvent Press(uint8_t vk) { return {KeyEventKind::kPress, false, 0, vk}; }
KeyEvent Release(uint8_t vk) { return {KeyEventKind::kRelease, false, 0, vk}; }

class MacroRecorderTest : public ::testing::Test {
 protected:
  MacroRecorderTest() : recorder_([this] { return now_; }) {
    std::memset(&record_, 0, sizeof record_);
    for (uint16_t& d : record_.delayMs) d = kTemplateDelay;
    recorder_.Begin();
  }

  RecordedKeyResult At(int64_t time, const KeyEvent& event) {
    now_ = time;
    return recorder_.Feed(event, record_).result;
  }

  int64_t now_ = 0;
  MacroRecorder recorder_;
  MacroRecord record_;
};

TEST_F(MacroRecorderTest, TwoKeysGiveFourStepsWithTheirDelaysAndTheLastTwenty) {
  EXPECT_EQ(At(1000, Press(kVkA)), RecordedKeyResult::kStored);
  EXPECT_EQ(record_.delayMs[0], kTemplateDelay);  // set once the second key arrives
  EXPECT_EQ(At(1100, Release(kVkA)), RecordedKeyResult::kStored);
  EXPECT_EQ(At(1350, Press(kVkB)), RecordedKeyResult::kStored);
  EXPECT_EQ(At(1400, Release(kVkB)), RecordedKeyResult::kStored);

  ASSERT_EQ(recorder_.StepCount(), 4);
  const uint8_t codes[] = {kUsageA, kUsageA, kUsageB, kUsageB};
  const uint8_t actions[] = {kActionPress, kActionRelease, kActionPress, kActionRelease};
  const uint16_t delays[] = {100, 250, 50, kLastRecordedStepDelayMs};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(record_.code[i], codes[i]) << i;
    EXPECT_EQ(record_.action[i], actions[i]) << i;
    EXPECT_EQ(record_.delayMs[i], delays[i]) << i;
  }
  EXPECT_EQ(record_.delayMs[4], kTemplateDelay);
  EXPECT_EQ(record_.stepCount, 0);  // the caller sets it at the end
}

TEST_F(MacroRecorderTest, AutoRepeatRecordsOneDown) {
  At(0, Press(kVkA));
  KeyEvent repeat = Press(kVkA);
  repeat.autoRepeat = true;
  EXPECT_EQ(At(30, repeat), RecordedKeyResult::kRepeated);
  EXPECT_EQ(At(60, repeat), RecordedKeyResult::kRepeated);
  EXPECT_EQ(At(90, Release(kVkA)), RecordedKeyResult::kStored);
  EXPECT_EQ(recorder_.StepCount(), 2);
  EXPECT_EQ(record_.delayMs[0], 90);  // from the first press, not from a repeat
}

TEST_F(MacroRecorderTest, AutoRepeatOfAKeyHeldUnderAnotherIsNoNewPress) {
  At(0, Press(kVkA));
  At(10, Press(kVkB));
  KeyEvent repeat = Press(kVkA);
  repeat.autoRepeat = true;
  EXPECT_EQ(At(20, repeat), RecordedKeyResult::kRepeated);
  EXPECT_EQ(recorder_.StepCount(), 2);
}

TEST_F(MacroRecorderTest, APressOfAKeyStillHeldIsNoNewPressAndFreesItsPlaceOnRelease) {
  // A capture that does not mark repeats: A down, B down, A down, B up, A up, eight times; a
  // chord of three keys must still be recorded whole afterwards.
  for (int round = 0; round < kMaxHeldKeys; ++round) {
    At(0, Press(kVkA));
    At(0, Press(kVkB));
    ASSERT_EQ(At(0, Press(kVkA)), RecordedKeyResult::kRepeated) << round;
    At(0, Release(kVkB));
    At(0, Release(kVkA));
    ASSERT_EQ(recorder_.HeldKeyCount(), 0) << round;
  }
  for (uint8_t vk : {'C', 'D', 'E'}) EXPECT_EQ(At(0, Press(vk)), RecordedKeyResult::kStored);
  EXPECT_EQ(recorder_.StepCount(), 4 * kMaxHeldKeys + 3);
}

TEST_F(MacroRecorderTest, ReleaseOfAKeyHeldBeforeTheRecordingRecordsNothing) {
  EXPECT_EQ(At(0, Release(kVkB)), RecordedKeyResult::kIgnored);
  EXPECT_EQ(recorder_.StepCount(), 0);
  // The dropped release is not "the last key": a later press and release still count.
  EXPECT_EQ(At(10, Press(kVkB)), RecordedKeyResult::kStored);
  EXPECT_EQ(At(20, Release(kVkB)), RecordedKeyResult::kStored);
}

TEST_F(MacroRecorderTest, The111thStepShowsTheLimitAndIsNotStored) {
  for (int i = 0; i < kMaxRecordedSteps / 2; ++i) {
    const auto vk = static_cast<uint8_t>('A' + i % 8);
    ASSERT_EQ(At(i, Press(vk)), RecordedKeyResult::kStored) << i;
    ASSERT_EQ(At(i, Release(vk)), RecordedKeyResult::kStored) << i;
  }
  ASSERT_EQ(recorder_.StepCount(), kMaxRecordedSteps);
  const MacroRecord before = record_;
  EXPECT_EQ(At(500, Press(kVkA)), RecordedKeyResult::kLimitReached);
  EXPECT_EQ(At(600, Release(kVkA)), RecordedKeyResult::kLimitReached);
  EXPECT_EQ(recorder_.StepCount(), kMaxRecordedSteps);
  EXPECT_EQ(std::memcmp(&before, &record_, sizeof record_), 0);
  EXPECT_EQ(RecordingLimitMessage(), SameInBothLanguages(u"More than limit!"));
}

TEST_F(MacroRecorderTest, The56thKeyDownAndItsReleaseAreDroppedSilently) {
  // 54 taps of A and a 55th press held: 109 steps, 55 downs.
  for (int i = 0; i < kMaxRecordedKeyDowns; ++i) {
    ASSERT_EQ(At(i, Press(kVkA)), RecordedKeyResult::kStored);
    if (i + 1 < kMaxRecordedKeyDowns) {
      ASSERT_EQ(At(i, Release(kVkA)), RecordedKeyResult::kStored);
    }
  }
  ASSERT_EQ(recorder_.KeyDownCount(), kMaxRecordedKeyDowns);
  const int steps = recorder_.StepCount();  // 109: A still held
  EXPECT_EQ(At(900, Press(kVkB)), RecordedKeyResult::kIgnored);
  EXPECT_EQ(At(910, Release(kVkB)), RecordedKeyResult::kIgnored);
  EXPECT_EQ(recorder_.StepCount(), steps);
  // The held key's release is still recorded, and its delay counts from the last stored key.
  EXPECT_EQ(At(950, Release(kVkA)), RecordedKeyResult::kStored);
  EXPECT_EQ(record_.delayMs[steps - 1], 950 - (kMaxRecordedKeyDowns - 1));
}

TEST_F(MacroRecorderTest, ANinthHeldKeyAndItsReleaseAreDropped) {
  for (int i = 0; i < kMaxHeldKeys; ++i) {
    ASSERT_EQ(At(i, Press(static_cast<uint8_t>('A' + i))), RecordedKeyResult::kStored);
  }
  EXPECT_EQ(At(20, Press('Z')), RecordedKeyResult::kIgnored);
  EXPECT_EQ(At(30, Release('Z')), RecordedKeyResult::kIgnored);
  // Releasing one held key frees a place in the middle; later keys move up.
  EXPECT_EQ(At(40, Release('C')), RecordedKeyResult::kStored);
  EXPECT_EQ(recorder_.HeldKeyCount(), kMaxHeldKeys - 1);
  EXPECT_EQ(At(50, Press('Z')), RecordedKeyResult::kStored);
  EXPECT_EQ(At(60, Release('H')), RecordedKeyResult::kStored);
  EXPECT_EQ(At(70, Release('C')), RecordedKeyResult::kIgnored);
}

struct DelayCase {
  const char* what;
  int64_t first;
  int64_t second;
  uint16_t delay;
};

class MacroRecorderDelayTest : public MacroRecorderTest,
                               public ::testing::WithParamInterface<DelayCase> {};

TEST_P(MacroRecorderDelayTest, DelayBetweenTwoKeys) {
  At(GetParam().first, Press(kVkA));
  At(GetParam().second, Release(kVkA));
  EXPECT_EQ(record_.delayMs[0], GetParam().delay) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Clock, MacroRecorderDelayTest,
    ::testing::Values(DelayCase{"past a day of the clock", 86399900, 86400100, 200},
                      DelayCase{"a clock behind the last key", 5000, 4999, 0},
                      DelayCase{"capped", 0, 70000, 65535},
                      DelayCase{"just below the cap", 0, 65535, 65535},
                      DelayCase{"same millisecond", 5000, 5000, 0}));

TEST_F(MacroRecorderTest, BeginForgetsTheLastKeyAndTheHeldKeysOfTheRecordingBefore) {
  At(0, Press(kVkA));  // still held when the recording ends
  recorder_.Begin();
  EXPECT_EQ(At(10, Release(kVkA)), RecordedKeyResult::kIgnored);
  EXPECT_EQ(At(20, Press(kVkA)), RecordedKeyResult::kStored);
  EXPECT_EQ(recorder_.StepCount(), 1);
}

}  // namespace
}  // namespace gm
