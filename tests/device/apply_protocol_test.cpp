// The reports an Apply sends, with the pauses between them, on a scripted transport.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "apply_test_support.h"
#include "fake_hid_transport.h"
#include "platform/private_profile.h"

namespace gm {
namespace {

using std::chrono::milliseconds;
using test::FakeHidTransport;
using test::MouseCollection;
using test::SentReport;

using Bytes = std::vector<uint8_t>;

class ApplyProtocolTest : public test::ApplyTest {
 protected:
  // Replaces the virtual mouse by the scripted transport, which answers every read-back
  // with `valueByte` in byte 1 and `statusByte` in byte 6.
  void UseScriptedMouse(uint8_t valueByte, uint8_t statusByte) {
    CloseDevice();
    transport_.collections = {MouseCollection("/dev/hidraw5", kInputCollectionUsagePage),
                              MouseCollection("/dev/hidraw5", kFeatureCollectionUsagePage)};
    transport_.log->reply = {0x07, valueByte, 0, 0, 0, 0, statusByte, 0, 0};
    ASSERT_TRUE(OpenDevice(transport_));
  }
  std::vector<SentReport> Sent() {
    std::lock_guard lock(transport_.log->mutex);
    return transport_.log->sent;
  }
  std::vector<milliseconds> ReadBacks() {
    std::lock_guard lock(transport_.log->mutex);
    return transport_.log->readBacks;
  }
  // The first eight bytes (bytes 8.. carry whatever the report buffer holds).
  static Bytes Head(const SentReport& report) {
    return Bytes(report.bytes.begin(), report.bytes.begin() + 8);
  }
  // Addresses of the commits, in order.
  std::vector<int> CommitAddresses() {
    std::vector<int> addresses;
    for (const SentReport& r : Sent()) {
      if (r.bytes[1] == 0x18 && r.bytes[2] == 0x09) {
        addresses.push_back(r.bytes[4] + 256 * r.bytes[5]);
      }
    }
    return addresses;
  }

  FakeHidTransport transport_{sleeper_};
};

TEST_F(ApplyProtocolTest, ConfigurationByteIsReadModifiedAndWrittenInOneExchange) {
  UseScriptedMouse(0xA9, 0x00);
  g_curConfig = 2;
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  const std::vector<SentReport> sent = Sent();
  const auto first = std::find_if(sent.begin(), sent.end(), [](const SentReport& r) {
    return r.bytes[2] == 0x03 && r.bytes[4] == 0x76;
  });
  ASSERT_NE(first, sent.end());
  const size_t i = static_cast<size_t>(first - sent.begin());
  ASSERT_GT(i, 0u);
  ASSERT_GT(sent.size(), i + 16);
  // Before it: the idle report that ends the block at 0x68.
  EXPECT_EQ(Head(sent[i - 1]), (Bytes{0x07, 0x18, 0x00, 0x00, 0x68, 0x00, 0x00, 0x00}));
  const milliseconds t = sent[i].at;
  EXPECT_EQ(t, sent[i - 1].at);
  EXPECT_EQ(Head(sent[i]), (Bytes{0x07, 0x18, 0x03, 0x00, 0x76, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Head(sent[i + 1]), (Bytes{0x07, 0x18, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[i + 1].at, t + milliseconds(4));
  EXPECT_EQ(Head(sent[i + 2]), (Bytes{0x07, 0x18, 0x05, 0x00, 0x76, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[i + 2].at, t + milliseconds(4));
  // The read-back comes 2 ms after the read command, the idle report at 0 2 ms later.
  const std::vector<milliseconds> readBacks = ReadBacks();
  ASSERT_EQ(readBacks.size(), 2u);  // the macro memory size, then 0x76
  EXPECT_EQ(readBacks[0], milliseconds(0));
  EXPECT_EQ(readBacks[1], t + milliseconds(6));
  EXPECT_EQ(Head(sent[i + 3]), (Bytes{0x07, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[i + 3].at, t + milliseconds(8));
  // Then the block at 0x70 with (0xA9 AND 0xFC) | 2 at index 6.
  for (uint8_t j = 0; j < 8; ++j) {
    const uint8_t value = j == 6 ? 0xAA : 0x00;
    EXPECT_EQ(Head(sent[i + 4 + j]), (Bytes{0x07, 0x18, 0x03, j, 0x70, 0x00, value, 0x07}));
  }
  EXPECT_EQ(Head(sent[i + 12]), (Bytes{0x07, 0x18, 0x09, 0x00, 0x70, 0x00, 0x00, 0x07}));
}

TEST_F(ApplyProtocolTest, BlocksGoOutInMemoryOrderAndEndWithTheFinalCommit) {
  UseScriptedMouse(0x00, 0x02);
  SetKeyMap({1});
  SetKey(0, 0, 42, 0x04);
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  std::vector<int> expected = {0x01};
  for (int a = 0x08; a <= 0x78; a += 8) expected.push_back(a);
  for (int a = 0xA0; a <= 0x2C8; a += 8) expected.push_back(a);
  expected.push_back(0x400);  // the keyboard key's image
  EXPECT_EQ(CommitAddresses(), expected);

  const std::vector<SentReport> sent = Sent();
  ASSERT_GE(sent.size(), 2u);
  const SentReport& commit = sent[sent.size() - 2];
  const SentReport& idle = sent.back();
  EXPECT_EQ(Head(commit), (Bytes{0x07, 0x18, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Head(idle), (Bytes{0x07, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(idle.at, commit.at + milliseconds(20));
  // Every block costs 4 + 2 ms, the read of 0x76 8 ms, the final commit 20 ms.
  EXPECT_EQ(sleeper_.Total(), milliseconds(6 * static_cast<int>(expected.size()) + 8 + 20));
}

TEST_F(ApplyProtocolTest, WithoutAConnectionNothingIsWritten) {
  CloseDevice();
  g_pointerSpeed = 3;
  ASSERT_EQ(Apply(), ApplyResult::kNoDevice);
  EXPECT_EQ(sleeper_.Total(), milliseconds(0));
  EXPECT_EQ(mouse_.FeatureReportCount(), 0u);
  EXPECT_FALSE(std::filesystem::exists(g_configIniPath));
  EXPECT_TRUE(system_.pointerSpeedsSet.empty());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ApplyProtocolTest, FailedReadBackOfTheMemorySizeEndsBeforeAnyWriteButKeepsTheSettings) {
  UseScriptedMouse(0x00, 0x00);
  transport_.log->reply.clear();  // every read-back fails
  g_keyFunction[0][0] = 24;
  ASSERT_EQ(Apply(), ApplyResult::kMouseNotFullyWritten);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(ToUtf8(GetPrivateProfileStringW(u"Config0", u"K0", u"<missing>", 10, g_configIniPath)),
            "24");
}

TEST_F(ApplyProtocolTest, MouseThatStopsTakingReportsEndsTheDownloadButKeepsTheSettings) {
  UseScriptedMouse(0x00, 0x00);
  transport_.log->failSetFeatureAt = 30;
  transport_.log->failSetFeatureCount = 1000;
  g_keyFunction[0][0] = 24;
  ASSERT_EQ(Apply(), ApplyResult::kMouseNotFullyWritten);
  for (const SentReport& r : Sent()) EXPECT_NE(r.bytes[2], 0x10) << "no final commit";
  EXPECT_LT(Sent().size(), 40u);
  EXPECT_EQ(ToUtf8(GetPrivateProfileStringW(u"Config0", u"K0", u"<missing>", 10, g_configIniPath)),
            "24");
  EXPECT_TRUE(system_.pointerSpeedsSet.empty()) << "only the mouse's settings are kept";
}

}  // namespace
}  // namespace gm
