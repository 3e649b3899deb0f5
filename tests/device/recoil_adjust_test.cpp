#include "device/recoil_adjust.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/macro_image.h"
#include "device_threads_test_support.h"
#include "macros/macro_tables.h"

namespace gm {
namespace {

using Bytes = std::vector<uint8_t>;
using test::FileStep;
using test::LineStepY;
using test::MacroLine;
using test::WaitUntil;

// ---- The reduced image -------------------------------------------------------------------

struct Step {
  uint8_t code;
  uint8_t action;
  uint16_t x;
  uint16_t y;
  uint16_t delayMs;
};

MacroRecord RecordOf(const std::vector<Step>& steps, uint8_t playMode = 0, uint16_t repeat = 1) {
  MacroRecord r{};
  r.playMode = playMode;
  r.repeatCount = repeat;
  r.stepCount = static_cast<uint16_t>(steps.size());
  for (size_t i = 0; i < steps.size(); ++i) {
    r.code[i] = steps[i].code;
    r.action[i] = steps[i].action;
    r.xy[i] = {steps[i].x, steps[i].y};
    r.delayMs[i] = steps[i].delayMs;
    if (steps[i].code == kStepMove) ++r.countF6;
  }
  return r;
}

TEST(EncodeRecoilImageTest, DelaysBecomeOneTickFieldWithoutCapOrExtensionPairs) {
  const MacroRecord r = RecordOf({{0x04, kActionPress, 0, 0, 300},
                                  {0x04, kActionRelease, 0, 0, 0},
                                  {0x00, kActionNone, 0, 0, 20000},
                                  {0x05, kActionPress, 0, 0, 7}},
                                 0, 3);
  EXPECT_EQ(EncodeRecoilImage(r, 1), (Bytes{0x03, 0x00, 0xFF, 0x04, 0x01, 0x04, 0x7F, 0x00,
                                            0x87, 0x05}));
  // Tick 4: 300 ms are 75 ticks, 7 ms one tick, 20000 ms still only 127; a tick length of 0
  // counts as 1.
  EXPECT_EQ(EncodeRecoilImage(r, 4), (Bytes{0x03, 0x00, 0xCB, 0x04, 0x01, 0x04, 0x7F, 0x00,
                                            0x81, 0x05}));
  EXPECT_EQ(EncodeRecoilImage(r, 0), EncodeRecoilImage(r, 1));
}

TEST(EncodeRecoilImageTest, ShortModeTwoMacroIsNotRepeatedAndPlaysOnce) {
  const MacroRecord r = RecordOf({{0x04, kActionPress, 0, 0, 3}, {0x04, kActionRelease, 0, 0, 5}},
                                 kPlayModeDevice2, 9);
  EXPECT_EQ(EncodeRecoilImage(r, 1), (Bytes{0x01, 0x00, 0x83, 0x04, 0x05, 0x04}));
}

TEST(EncodeRecoilImageTest, MovesAndDpiStepsAsInTheFullImage) {
  const MacroRecord r = RecordOf({{kStepMove, kActionMoveXMinusYPlus, 5, 7, 1},
                                  {kStepMove, kActionMoveXPlusYMinus, 1, 2, 2},
                                  {kStepDpi, kActionDpiSet, 4, 0, 10}});
  EXPECT_EQ(EncodeRecoilImage(r, 1), (Bytes{0x01, 0x00, 0x01, 0xF6, 0xFB, 0xFF, 0x07, 0x00,
                                            0x02, 0xF6, 0x01, 0x00, 0xFE, 0xFF,
                                            0x8A, 0xF8, 0x04, 0x00}));
}

TEST(EncodeRecoilImageTest, LightingStepsAreKeyStepsWithoutPieces) {
  MacroRecord r = RecordOf({{kStepLighting, kActionLight1, 0, 0, 4},
                            {kStepLighting, kActionPress, 0, 0, 4},
                            {kStepLighting, kActionRelease, 0, 0, 6}});
  r.countF9 = 3;
  r.ledBlocks[0].length = 1;
  EXPECT_EQ(EncodeRecoilImage(r, 1), (Bytes{0x01, 0x00, 0x84, 0xF9, 0x06, 0xF9}));
}

TEST(EncodeRecoilImageTest, StepCountBeyondTheRecordIsBounded) {
  MacroRecord r = RecordOf({});
  r.stepCount = 60000;
  for (int i = 0; i < kMaxMacroSteps; ++i) {
    r.code[i] = 0x04;
    r.action[i] = kActionPress;
  }
  EXPECT_EQ(EncodeRecoilImage(r, 1).size(), 2u + 2u * kMaxMacroSteps);
}

TEST(NudgeRecoilMovesTest, MovesStayWithinZeroToThirty) {
  MacroRecord r = RecordOf({{kStepMove, kActionMoveXPlusYPlus, 3, 29, 1},
                            {kStepMove, kActionMoveXPlusYPlus, 3, 30, 1},
                            {kStepMove, kActionMoveXPlusYPlus, 3, 45, 1},
                            {kStepMove, kActionMoveXPlusYPlus, 3, 0, 1},
                            {0x04, kActionPress, 0, 9, 1}});
  r.code[5] = kStepMove;  // beyond stepCount
  r.xy[5].y = 9;
  NudgeRecoilMoves(r, true);
  EXPECT_EQ((std::vector<int>{r.xy[0].y, r.xy[1].y, r.xy[2].y, r.xy[3].y, r.xy[4].y, r.xy[5].y}),
            (std::vector<int>{30, 30, 45, 1, 9, 9}));
  NudgeRecoilMoves(r, false);
  NudgeRecoilMoves(r, false);
  EXPECT_EQ((std::vector<int>{r.xy[0].y, r.xy[1].y, r.xy[2].y, r.xy[3].y, r.xy[4].y}),
            (std::vector<int>{28, 28, 43, 0, 9}));
  EXPECT_EQ(r.xy[0].x, 3);
}

// ---- Adjusting the first key's macro ------------------------------------------------------

constexpr int32_t kSprayFunction = 257;  // group 0, macro 1
constexpr int32_t kSlotAddress = 0x0400;
constexpr int kVkA = 65;                 // the A key in a macro file

// The recoil macro: two moves, a key press and release, a third move.
std::string SprayLine(int y0 = 28, int y4 = 0) {
  return MacroLine("Spray", 0, 2,
                   {{kActionMoveXPlusYPlus, kStepMove, 0, y0, 10},
                    {kActionMoveXMinusYPlus, kStepMove, 2, 31, 300},
                    {kActionPress, kVkA, 0, 0, 0},
                    {kActionRelease, kVkA, 0, 0, 5},
                    {kActionMoveXPlusYPlus, kStepMove, 0, y4, 2}});
}

// Its image after one nudge up, tick 1.
const Bytes kSprayUpImage = {0x02, 0x00,                                // plays twice
                             0x0A, 0xF6, 0x00, 0x00, 0x1D, 0x00,        // y 28 -> 29
                             0x7F, 0xF6, 0xFE, 0xFF, 0x1F, 0x00,        // y 31 stays
                             0x81, 0x04, 0x05, 0x04,                    // A press, release
                             0x02, 0xF6, 0x00, 0x00, 0x01, 0x00};       // y 0 -> 1

class RecoilAdjustTest : public test::DeviceDataFolderTest {
 protected:
  void SetUp() override {
    DeviceDataFolderTest::SetUp();
    WriteConfigIni({std::to_string(kSprayFunction), "0", "0", "0"});
    WriteGroupList({"Rifles", "Pistols"});
    rifles_ = WriteGroupFile("Rifles", 2, {MacroLine("Other", 0, 1, {}), SprayLine()});
    OpenMouse();
    g_curMacroGroup = 1;  // another group is open in the editor
  }

  // Fills device memory from the slot on with a marker, so untouched bytes show.
  void MarkMemory(int32_t from, int bytes) {
    const Bytes marker(8, 0xEE);
    for (int offset = 0; offset < bytes; offset += 8) {
      ASSERT_TRUE(WriteDeviceMemory(from + offset, marker.data(), 8));
    }
  }
  Bytes Memory(int32_t from, int bytes) const {
    Bytes out;
    for (int i = 0; i < bytes; ++i) out.push_back(mouse_.MemoryByte(from + i));
    return out;
  }
  size_t ReportCount() const { return mouse_.FeatureReportCount(); }

  std::filesystem::path rifles_;
};

TEST_F(RecoilAdjustTest, WritesTheImageIntoItsSlotZeroFilledWithoutFinalCommit) {
  MarkMemory(kSlotAddress, 48);
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  const int commits = mouse_.CommitCount();
  const RecoilAdjustResult result = AdjustRecoilMacro(true);
  EXPECT_EQ(result.outcome, RecoilAdjustOutcome::kAdjusted);
  EXPECT_EQ(result.slot, RecoilSlotWrite::kWritten);
  EXPECT_TRUE(result.saved);

  Bytes expected = kSprayUpImage;
  expected.resize(40, 0);
  expected.resize(48, 0xEE);  // the next slot is not touched
  EXPECT_EQ(Memory(kSlotAddress, 48), expected);
  EXPECT_EQ(mouse_.CommitCount() - commits, 5);  // blocks of 8
  EXPECT_EQ(mouse_.FinalCommitCount(), 0);

  const std::u16string line = ReadMacroKey(rifles_, 1);
  EXPECT_EQ(LineStepY(line, 0), 29);
  EXPECT_EQ(LineStepY(line, 1), 31);
  EXPECT_EQ(LineStepY(line, 4), 1);
}

TEST_F(RecoilAdjustTest, LastBlockHoldsTheRemainderAndTheTickUnitApplies) {
  MarkMemory(kSlotAddress, 32);
  RecordRecoilSlot(kSlotAddress, 27, 0, kSprayFunction);
  g_macroTimeUnit = 2;
  ASSERT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kWritten);
  Bytes expected = kSprayUpImage;
  expected[2] = 0x05;   // 10 ms in 2 ms ticks
  expected[16] = 0x02;  // 5 ms: two ticks
  expected[18] = 0x01;  // 2 ms
  expected.resize(27, 0);
  expected.resize(32, 0xEE);
  EXPECT_EQ(Memory(kSlotAddress, 32), expected);
  // The last block is three bytes long.
  const auto reports = mouse_.RecentFeatureReports();
  const auto lastStage = std::find_if(reports.rbegin(), reports.rend(), [](const auto& r) {
    return r[1] == kCommandMemory && r[2] == kMemoryStage;
  });
  ASSERT_NE(lastStage, reports.rend());
  EXPECT_EQ((*lastStage)[7], 2);
  EXPECT_EQ(AddressOf((*lastStage)[4], (*lastStage)[5]), kSlotAddress + 24);
}

TEST_F(RecoilAdjustTest, SlotOfAnotherMacroOrNoSlotIsNotWrittenButTheFileIsSaved) {
  struct Case {
    int32_t length;
    int32_t configuration;
    int32_t function;
    RecoilSlotWrite expected;
  };
  const Case cases[] = {
      {0, -1, 0, RecoilSlotWrite::kNoSlot},                             // no Apply yet
      {40, 1, kSprayFunction, RecoilSlotWrite::kSlotHoldsAnotherMacro},  // other configuration
      {40, 0, kSprayFunction + 1, RecoilSlotWrite::kSlotHoldsAnotherMacro},  // key changed
      {23, 0, kSprayFunction, RecoilSlotWrite::kImageLongerThanSlot},  // one byte too short
  };
  int expectedY = 28;
  for (const Case& c : cases) {
    RecordRecoilSlot(kSlotAddress, c.length, c.configuration, c.function);
    const size_t reports = ReportCount();
    const RecoilAdjustResult result = AdjustRecoilMacro(true);
    EXPECT_EQ(result.slot, c.expected) << c.length << " " << c.configuration;
    EXPECT_EQ(ReportCount(), reports);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(LineStepY(ReadMacroKey(rifles_, 1), 0), std::min(++expectedY, 30));
  }
  // An image exactly as long as the slot is written.
  RecordRecoilSlot(kSlotAddress, 24, 0, kSprayFunction);
  EXPECT_EQ(AdjustRecoilMacro(false).slot, RecoilSlotWrite::kWritten);
}

TEST_F(RecoilAdjustTest, SlotLengthBeyondTheAllocationCapStopsAtTheCap) {
  MarkMemory(kSlotAddress + kMacroImageAllocationCap, 8);
  RecordRecoilSlot(kSlotAddress, kMacroImageAllocationCap + 100, 0, kSprayFunction);
  ASSERT_EQ(AdjustRecoilMacro(true).slot, RecoilSlotWrite::kWritten);
  EXPECT_EQ(Memory(kSlotAddress + kMacroImageAllocationCap, 8), Bytes(8, 0xEE));
  EXPECT_EQ(mouse_.MemoryByte(kSlotAddress + kMacroImageAllocationCap - 1), 0);
}

TEST_F(RecoilAdjustTest, WaitsWhileApplyHoldsTheSlot) {
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  std::unique_lock applyRunning(g_recoilSlotMutex);
  std::thread reportThread([] { AdjustRecoilMacro(true); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReportCount(), 0u);
  applyRunning.unlock();
  reportThread.join();
  EXPECT_EQ(Memory(kSlotAddress, 8), Bytes(kSprayUpImage.begin(), kSprayUpImage.begin() + 8));
}

TEST_F(RecoilAdjustTest, UnpluggedMouseReportsTheFailedWriteAndStillSaves) {
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  mouse_.Unplug();
  const RecoilAdjustResult result = AdjustRecoilMacro(true);
  EXPECT_EQ(result.slot, RecoilSlotWrite::kWriteFailed);
  EXPECT_TRUE(result.saved);
}

TEST_F(RecoilAdjustTest, RecoilBuiltInAndDeviceFunctionsAreNeverAdjusted) {
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  const std::string before = test::ReadFileBytes(rifles_);
  for (int32_t function : {0, 23, 33, 42, 50, 255}) {
    g_keyFunction[0][0] = function;
    RecordRecoilSlot(kSlotAddress, 40, 0, function);
    EXPECT_EQ(AdjustRecoilMacro(true).outcome, RecoilAdjustOutcome::kNotUserMacro) << function;
  }
  EXPECT_EQ(ReportCount(), 0u);
  EXPECT_EQ(test::ReadFileBytes(rifles_), before);
}

TEST_F(RecoilAdjustTest, MissingMacroIsNeitherWrittenNorSaved) {
  WriteGroupList({"Rifles", "Pistols", "Missing"});
  const std::string before = test::ReadFileBytes(rifles_);
  // Macro 2 of a two-macro group, a group without file, a group beyond the list, an index
  // beyond the 20 a group holds.
  for (int32_t function : {258, 3 * 256 + 0, 4 * 256 + 0, 256 + 25}) {
    g_keyFunction[0][0] = function;
    RecordRecoilSlot(kSlotAddress, 40, 0, function);
    EXPECT_EQ(AdjustRecoilMacro(true).outcome, RecoilAdjustOutcome::kMacroNotFound) << function;
  }
  EXPECT_EQ(ReportCount(), 0u);
  EXPECT_EQ(test::ReadFileBytes(rifles_), before);
  EXPECT_FALSE(std::filesystem::exists(g_macroDir / "Missing.dat"));
}

TEST_F(RecoilAdjustTest, OpenGroupGetsTheRecordInTheEditorAndItsMacroCountSaved) {
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacroGroup = 0;
    g_macroCount = 3;  // the editor holds a third macro not yet in the file
    g_macros[1] = MacroRecord{};
  }
  ASSERT_EQ(AdjustRecoilMacro(true).outcome, RecoilAdjustOutcome::kAdjusted);
  {
    std::lock_guard lock(g_macroTablesMutex);
    EXPECT_EQ(MacroNameOf(g_macros[1]), u"Spray");
    EXPECT_EQ(g_macros[1].xy[0].y, 29);
    EXPECT_EQ(g_macros[1].code[2], 0x04);
  }
  EXPECT_EQ(ReadIni(u"Macros", u"macroNum", rifles_), "3");
  EXPECT_EQ(LineStepY(ReadMacroKey(rifles_, 1), 0), 29);
}

TEST_F(RecoilAdjustTest, OtherGroupGetsOnlyItsLineAndTheEditorStaysAlone) {
  {
    std::lock_guard lock(g_macroTablesMutex);
    g_macroCount = 5;
    SetMacroName(g_macros[1], u"Editor");
  }
  const std::u16string line0 = ReadMacroKey(rifles_, 0);
  ASSERT_EQ(AdjustRecoilMacro(true).outcome, RecoilAdjustOutcome::kAdjusted);
  EXPECT_EQ(ReadIni(u"Macros", u"macroNum", rifles_), "2");
  EXPECT_EQ(ReadIni(u"Init", u"DAT_VER", rifles_), "3");
  EXPECT_EQ(ReadMacroKey(rifles_, 0), line0);
  EXPECT_EQ(ReadMacroKey(rifles_, 1), BuildMacroLine(LoadGroupMacro(0, 1)));
  EXPECT_EQ(LineStepY(ReadMacroKey(rifles_, 1), 0), 29);
  std::lock_guard lock(g_macroTablesMutex);
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"Editor");
}

TEST_F(RecoilAdjustTest, OlderLayoutFileKeepsItsOtherMacrosReadable) {
  const std::vector<FileStep> steps = {{kActionPress, kVkA, 0, 0, 40},
                                       {kActionRelease, kVkA, 0, 0, 9}};
  WriteGroupFile(
      "Rifles", 2,
      {MacroLine("Old", 0, 1, steps, kMacroHeaderV2), MacroLine("Spray", 0, 1, {}, kMacroHeaderV2)},
      "2");
  ASSERT_EQ(AdjustRecoilMacro(true).outcome, RecoilAdjustOutcome::kAdjusted);
  EXPECT_EQ(ReadIni(u"Init", u"DAT_VER", rifles_), "3");
  const MacroRecord old = LoadGroupMacro(0, 0);
  EXPECT_EQ(MacroNameOf(old), u"Old");
  ASSERT_EQ(old.stepCount, 2);
  EXPECT_EQ(old.code[0], 0x04);
  EXPECT_EQ(old.delayMs[0], 40);
  EXPECT_EQ(old.action[1], kActionRelease);
  EXPECT_EQ(old.delayMs[1], 9);
}

// ---- Through the report thread -------------------------------------------------------------

TEST_F(RecoilAdjustTest, RecoilRequestsFromTheMouseNudgeAndRepeat) {
  WriteGroupFile("Rifles", 2, {MacroLine("Other", 0, 1, {}), SprayLine(20, 29)});
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  StartWorkers();
  const auto yOf = [&](int step) { return LineStepY(ReadMacroKey(rifles_, 1), step); };
  Inject({6, 0x01, 0});
  Inject({6, 0x01, 0});
  Inject({6, 0x00, 0});  // repeats the last nudge: up
  ASSERT_TRUE(WaitUntil([&] { return yOf(0) == 23; })) << yOf(0);
  EXPECT_EQ(yOf(4), 30);
  EXPECT_EQ(g_recoilDirection, 1);
  Inject({6, 0x02, 0});
  ASSERT_TRUE(WaitUntil([&] { return yOf(0) == 22; })) << yOf(0);
  EXPECT_EQ(yOf(4), 29);
  EXPECT_EQ(g_recoilDirection, 0);
  Inject({6, 0x42, 0});  // repeats: down
  ASSERT_TRUE(WaitUntil([&] { return yOf(0) == 21; })) << yOf(0);
  StopWorkers();
  EXPECT_EQ(mouse_.MemoryByte(kSlotAddress + 6), 21);  // y of the first move in the mouse
  EXPECT_EQ(mouse_.FinalCommitCount(), 0);
}

TEST_F(RecoilAdjustTest, KeysAreHandledWhileARecoilRequestWaitsForApply) {
  RecordRecoilSlot(kSlotAddress, 40, 0, kSprayFunction);
  StartWorkers();
  std::unique_lock applyRunning(g_recoilSlotMutex);  // as Apply holds it for its whole run
  Inject({6, 0x01, 0});     // recoil up: waits for Apply
  Inject({6, 0xF4, 0x01});  // press of key 3, a multimedia key
  EXPECT_TRUE(WaitUntil([&] { return !mouse_.ConsumerUsages().empty(); }))
      << "the report thread went on reading";
  EXPECT_EQ(LineStepY(ReadMacroKey(rifles_, 1), 0), 28) << "the nudge waits";
  applyRunning.unlock();
  EXPECT_TRUE(WaitUntil([&] { return LineStepY(ReadMacroKey(rifles_, 1), 0) == 29; }));
  EXPECT_TRUE(WaitUntil([&] { return mouse_.MemoryByte(kSlotAddress + 6) == 29; }));
}

}  // namespace
}  // namespace gm
