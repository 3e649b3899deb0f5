#include "device/device_threads.h"

#include <time.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "device/consumer_usage.h"
#include "device_threads_test_support.h"

namespace gm {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;
using test::WaitUntil;

class DeviceThreadsTest : public test::DeviceDataFolderTest {
 protected:
  void SetUp() override {
    DeviceDataFolderTest::SetUp();
    OpenMouse();
    StartWorkers();
  }

  // A press of key 3 (position 4, function 24 in every configuration): once its consumer key
  // went out, every report injected before it has been handled. A press that arrives while an
  // earlier one still waits for the key action thread is dropped, so it is sent again until
  // one gets through.
  static constexpr uint16_t kSentinelUsage = ConsumerUsageOf(1);
  void InjectSentinelAndWait() {
    const size_t before = mouse_.ConsumerKeyCount();
    for (int attempt = 0; attempt < 50; ++attempt) {
      Inject({6, 0xF4, 0x01});
      if (WaitUntil([&] { return mouse_.ConsumerKeyCount() > before; }, milliseconds(200))) {
        return;
      }
    }
    FAIL() << "the sentinel press never came through";
  }
  // The consumer usages sent, without the sentinel's.
  std::vector<uint16_t> UsagesBesideSentinel() const {
    std::vector<uint16_t> out;
    for (uint16_t usage : mouse_.ConsumerUsages()) {
      if (usage != kSentinelUsage) out.push_back(usage);
    }
    return out;
  }

  std::vector<std::vector<uint8_t>> ConsumerKeyReports() const {
    std::vector<std::vector<uint8_t>> out;
    for (const auto& report : mouse_.RecentFeatureReports()) {
      if (report.size() > 1 && report[1] == kCommandConsumerKey) out.push_back(report);
    }
    return out;
  }
};

// ---- Key events -------------------------------------------------------------------------

TEST_F(DeviceThreadsTest, MultimediaKeyPressSendsItsConsumerUsage) {
  g_keyFunction[0][0] = 23;  // key 0 at position 1: AC Home
  Inject({6, 0xF1, 0x01});
  ASSERT_TRUE(WaitUntil([&] { return !ConsumerKeyReports().empty(); }));
  const std::vector<uint8_t> report = ConsumerKeyReports().front();
  EXPECT_EQ((std::vector<uint8_t>(report.begin(), report.begin() + 4)),
            (std::vector<uint8_t>{0x07, 0x17, 0x02, 0x23}));
  // The press is handled once.
  InjectSentinelAndWait();
  EXPECT_EQ(UsagesBesideSentinel(), (std::vector<uint16_t>{0x223}));
}

TEST_F(DeviceThreadsTest, ReleaseAndKeysWithoutHostFunctionSendNothing) {
  g_keyFunction[0][0] = 23;
  Inject({6, 0xF1, 0x80});  // release of the multimedia key
  Inject({6, 0xF5, 0x01});  // key 4: a mouse button, nothing for the host
  Inject({6, 0xF9, 0x01});  // a position no key has
  InjectSentinelAndWait();
  EXPECT_TRUE(UsagesBesideSentinel().empty());
}

TEST_F(DeviceThreadsTest, DpiReleaseTakesLevelZeroAndSavesIt) {
  g_dpiKeyFlag[0][0] = 1;
  g_dpiLevel = 4;
  Inject({6, 0xF1, 0x80});
  ASSERT_TRUE(WaitUntil([] { return g_dpiLevel == 0; }));
  ASSERT_TRUE(
      WaitUntil([&] { return ReadIni(u"ShareData", u"DPI_LEVEL", g_configIniPath) == "0"; }));
  EXPECT_GE(repaints_, 1);
  EXPECT_TRUE(mouse_.ConsumerUsages().empty());
}

TEST_F(DeviceThreadsTest, DpiPressShowsAndSavesTheNewLevel) {
  g_dpiKeyFlag[0][1] = 1;  // key 1 at position 2
  Inject({6, 0xF2, 0x83});
  ASSERT_TRUE(
      WaitUntil([&] { return ReadIni(u"ShareData", u"DPI_LEVEL", g_configIniPath) == "3"; }));
  EXPECT_EQ(g_dpiLevel, 3);
  EXPECT_GE(repaints_, 1);
}

TEST_F(DeviceThreadsTest, DpiChangeOfAKeyWithoutDpiFlagKeepsTheLevel) {
  g_dpiLevel = 4;
  Inject({6, 0xF2, 0x83});
  InjectSentinelAndWait();
  EXPECT_EQ(g_dpiLevel, 4);
  EXPECT_EQ(ReadIni(u"ShareData", u"DPI_LEVEL", g_configIniPath), "4");
}

TEST_F(DeviceThreadsTest, DpiEventWhilePressWaitsKeepsThePressOnItsOwnKey) {
  // Handled directly, without the threads, so that both events land in one pass.
  StopWorkers();
  g_dpiKeyFlag[0][1] = 1;
  HandleInputReport(std::vector<uint8_t>{6, 0xF4, 0x01}, {});  // press of key 3 (function 24)
  HandleInputReport(std::vector<uint8_t>{6, 0xF2, 0x82}, {});  // DPI release of key 1
  RunKeyActionPass({});
  EXPECT_EQ(mouse_.ConsumerUsages(), (std::vector<uint16_t>{ConsumerUsageOf(1)}));
  EXPECT_EQ(g_dpiLevel, 2);
  EXPECT_EQ(g_dpiChangePending, 0);
  EXPECT_EQ(g_keyEventPending, 0);
}

TEST_F(DeviceThreadsTest, PressArrivingWhileNoneWaitsIsNeverLost) {
  // The key action thread runs its passes back to back; every press is injected only once the
  // previous one has been taken, so none may be dropped, not even one that lands between a
  // pass's look at the flag and the end of that pass.
  StopWorkers();
  g_keyFunction[0][0] = 23;
  constexpr int kPresses = 3000;
  std::atomic<bool> done{false};
  std::thread keyAction([&] {
    while (!done) RunKeyActionPass({});
  });
  for (int i = 0; i < kPresses; ++i) {
    while (g_keyEventPending != 0) std::this_thread::yield();
    HandleInputReport(std::vector<uint8_t>{6, 0xF1, 0x01}, {});
  }
  while (g_keyEventPending != 0) std::this_thread::yield();
  done = true;
  keyAction.join();
  EXPECT_EQ(mouse_.ConsumerKeyCount(), static_cast<size_t>(kPresses));
}

// ---- Configurations ---------------------------------------------------------------------

TEST_F(DeviceThreadsTest, ConfigurationSwitchOnTheMouseIsSavedLoadedAndShown) {
  g_keyFunction[2][2] = 0;  // changed in memory, reloaded from the file below
  mouse_.InjectConfigurationSwitch(2);
  ASSERT_TRUE(WaitUntil([] { return g_curConfig == 2 && g_keyFunction[2][2] == 26; }));
  ASSERT_TRUE(WaitUntil([&] { return repaints_ >= 1; }));
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig", g_configIniPath), "2");
}

TEST_F(DeviceThreadsTest, ConfigurationKeyReadsTheConfigurationBackAndUsesItsFunction) {
  g_cfgSwitchKeyFlag[0][2] = 1;  // key 2 (position 3) switches configuration in config 0
  mouse_.SetActiveConfiguration(3);
  Inject({6, 0xF3, 0x01});
  // In configuration 3 key 2 is the multimedia function 27 (entry 4).
  ASSERT_TRUE(WaitUntil([&] { return !mouse_.ConsumerUsages().empty(); }));
  EXPECT_EQ(mouse_.ConsumerUsages().front(), ConsumerUsageOf(4));
  EXPECT_EQ(g_curConfig, 3);
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig", g_configIniPath), "3");
}

TEST_F(DeviceThreadsTest, FailedReadBackLeavesTheConfigurationAlone) {
  StopWorkers();
  CloseDevice();
  g_curConfig = 1;
  EXPECT_FALSE(ReReadActiveConfiguration({}));
  EXPECT_EQ(g_curConfig, 1);
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig", g_configIniPath), "0");
}

// ---- Reports that are not events --------------------------------------------------------

TEST_F(DeviceThreadsTest, ReportsWithAnotherIdOrTooShortChangeNothing) {
  g_keyFunction[0][0] = 23;
  g_dpiKeyFlag[0][0] = 1;
  g_dpiLevel = 4;
  mouse_.SetActiveConfiguration(2);
  const size_t before = mouse_.FeatureReportCount();
  for (uint8_t code : {uint8_t{0xF1}, uint8_t{3}, uint8_t{1}, uint8_t{2}, uint8_t{0}}) {
    Inject({5, code, 0x81});
    Inject({7, code, 0x81});
  }
  StopWorkers();
  HandleInputReport(std::vector<uint8_t>{6, 3}, {});  // shorter than an event
  StartWorkers();
  InjectSentinelAndWait();
  ASSERT_EQ(mouse_.RecentFeatureReports(before).size(), mouse_.FeatureReportCount() - before);
  for (const auto& report : mouse_.RecentFeatureReports(before)) {
    EXPECT_EQ(report[1], kCommandConsumerKey);  // the sentinel's only
  }
  EXPECT_TRUE(UsagesBesideSentinel().empty());
  EXPECT_EQ(g_curConfig, 0);
  EXPECT_EQ(g_dpiLevel, 4);
  EXPECT_EQ(g_recoilDirection, 0);
  EXPECT_EQ(ReadIni(u"Init", u"CurConfig", g_configIniPath), "0");
  EXPECT_EQ(repaints_, 0);
}

// ---- Idle and lifetime ------------------------------------------------------------------

// While nothing arrives both threads sleep: the reader in one read without a limit, the key
// action thread without a single pass. Each report then costs one read and, when it leaves a
// flag, one key action pass.
TEST_F(DeviceThreadsTest, IdleThreadsMakeNoPassesAndEachReportTakesOne) {
  g_keyFunction[0][0] = 23;
  g_dpiKeyFlag[0][1] = 1;
  ASSERT_TRUE(WaitUntil([&] { return mouse_.InputReadsMade().count == 1; }));
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(mouse_.InputReadsMade().count, 1);
  EXPECT_EQ(mouse_.InputReadsMade().longestWaitMs, -1);
  EXPECT_EQ(workers_->PassesMade().reads, 0u);
  EXPECT_EQ(workers_->PassesMade().keyActions, 0u);

  // report, consumer usages sent, DPI level, key action passes (0: no flag left)
  struct Step {
    std::vector<uint8_t> report;
    size_t usages;
    int dpiLevel;
    uint64_t keyActions;
  };
  const Step steps[] = {
      {{6, 0xF1, 0x01}, 1, 4, 1},  // press of the multimedia key
      {{6, 0xF1, 0x80}, 1, 4, 2},  // its release (a DPI event of a key without the DPI flag)
      {{6, 0xF0, 0x00}, 1, 4, 2},  // an event without meaning: no flag, no pass
      {{6, 0xF1, 0x01}, 2, 4, 3},  // a second press
      {{6, 0xF2, 0x82}, 2, 2, 4},  // DPI key: level 2
      {{6, 0xF1, 0x01}, 3, 2, 5},  // and a third
  };
  g_dpiLevel = 4;
  uint64_t reads = 0;
  for (const Step& step : steps) {
    Inject(step.report);
    ++reads;
    // Settled once the reader waits in its next read and the key action pass is done.
    ASSERT_TRUE(WaitUntil([&] {
      return mouse_.InputReadsMade().count == static_cast<int>(reads) + 1 &&
             workers_->PassesMade().keyActions == step.keyActions &&
             mouse_.ConsumerKeyCount() == step.usages;
    })) << reads;
    EXPECT_EQ(g_dpiLevel, step.dpiLevel) << reads;
  }
  std::this_thread::sleep_for(milliseconds(50));
  EXPECT_EQ(workers_->PassesMade().reads, reads);
  EXPECT_EQ(workers_->PassesMade().keyActions, steps[std::size(steps) - 1].keyActions);
  EXPECT_EQ(mouse_.InputReadsMade().count, static_cast<int>(reads) + 1);
}

// A stop reaches the reader in its wait without a limit and the key action thread in its
// wait for a flag: both end without a report coming.
TEST_F(DeviceThreadsTest, StopEndsTheThreadsWhileTheyWait) {
  ASSERT_TRUE(WaitUntil([&] { return mouse_.InputReadsMade().count == 1; }));
  workers_->Stop();
  EXPECT_FALSE(workers_->Running());
  EXPECT_EQ(mouse_.InputReadsMade().longestWaitMs, -1);
  EXPECT_EQ(workers_->PassesMade().reads, 1u);  // the read the stop cut short
}

TEST_F(DeviceThreadsTest, UnpluggedMouseLeavesTheThreadsIdleAndStoppable) {
  g_keyFunction[0][0] = 23;
  mouse_.Unplug();
  Inject({6, 0xF1, 0x01});  // never delivered
  ASSERT_TRUE(WaitUntil([&] { return workers_->PassesMade().reads == 1; }));
  const auto before = steady_clock::now();
  std::this_thread::sleep_for(milliseconds(200));
  const auto waited = steady_clock::now() - before;
  // After the failed read the reader waits for another connection and tries again only after
  // kFailedReadRetryPause: a spinning thread would read thousands of times.
  EXPECT_LE(workers_->PassesMade().reads, 2 + waited / kFailedReadRetryPause);
  EXPECT_TRUE(workers_->Running());
  workers_->Stop();
  EXPECT_FALSE(workers_->Running());
  EXPECT_TRUE(mouse_.ConsumerUsages().empty());
  EXPECT_EQ(workers_->PassesMade().keyActions, 0u);
}

// The reader waiting on a connection lets go of it when the mouse is closed, and reads from
// the next one as soon as the mouse is opened again.
TEST_F(DeviceThreadsTest, ReaderFollowsTheMouseClosedAndOpenedAgain) {
  ASSERT_TRUE(WaitUntil([&] { return mouse_.InputReadsMade().count == 1; }));
  CloseDevice();
  // The cut read returns, the next finds no connection and waits for one.
  ASSERT_TRUE(WaitUntil([&] { return workers_->PassesMade().reads == 2; }));
  OpenMouse();
  ASSERT_TRUE(WaitUntil([&] { return mouse_.InputReadsMade().count == 2; }));
  InjectSentinelAndWait();
  EXPECT_EQ(workers_->PassesMade().reads, 3u);
}

TEST_F(DeviceThreadsTest, WorkersWithoutAMouseIdleAndStartAgain) {
  StopWorkers();
  CloseDevice();
  StartWorkers();
  std::this_thread::sleep_for(milliseconds(50));
  StopWorkers();
  OpenMouse();
  StartWorkers();
  workers_->Start();  // already running: nothing more starts
  InjectSentinelAndWait();
  // Destroying the owner stops and joins both threads.
  workers_.reset();
  const size_t sent = mouse_.ConsumerKeyCount();
  Inject({6, 0xF4, 0x01});
  std::this_thread::sleep_for(milliseconds(30));
  EXPECT_EQ(mouse_.ConsumerKeyCount(), sent);
}

}  // namespace
}  // namespace gm
