#include "device/device_link.h"

#include <gtest/gtest.h>

#include <future>
#include <stop_token>
#include <thread>

#include "device/consumer_usage.h"
#include "device_link_fixture.h"
#include "fake_hid_transport.h"

namespace gm {
namespace {

using std::chrono::milliseconds;
using test::FakeHidTransport;
using test::MouseCollection;
using test::SentReport;

class DeviceLinkTest : public test::DeviceLinkFixture {
 protected:
  // Opens a mouse whose two collections come from the fake transport.
  void OpenFakeMouse() {
    transport_.collections = {MouseCollection("/dev/hidraw3", kInputCollectionUsagePage),
                              MouseCollection("/dev/hidraw3", kFeatureCollectionUsagePage)};
    ASSERT_TRUE(OpenDevice(transport_));
    ASSERT_TRUE(HasWriteConnection());
  }
  int InputReadsBegun() {
    std::lock_guard lock(transport_.log->mutex);
    return transport_.log->inputReads;
  }
  std::vector<SentReport> Sent() {
    std::lock_guard lock(transport_.log->mutex);
    return transport_.log->sent;
  }

  FakeHidTransport transport_{sleeper_};
};

// ---- Block writes, byte for byte ---------------------------------------------------------

TEST_F(DeviceLinkTest, OneByteBlockIsStageCommitIdleWithTheirPauses) {
  OpenFakeMouse();
  const uint8_t value = 0x63;
  ASSERT_TRUE(WriteDeviceMemory(1, &value, 1));
  const std::vector<SentReport> expected = {
      {{0x07, 0x18, 0x03, 0x00, 0x01, 0x00, 0x63, 0x00, 0x00}, milliseconds(0)},
      {{0x07, 0x18, 0x09, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, milliseconds(4)},
      {{0x07, 0x18, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, milliseconds(6)},
  };
  EXPECT_EQ(Sent(), expected);
  EXPECT_EQ(sleeper_.Pauses(), (std::vector<milliseconds>{milliseconds(4), milliseconds(2)}));
}

TEST_F(DeviceLinkTest, EightByteBlockStagesEveryByteWithItsIndex) {
  OpenFakeMouse();
  const std::array<uint8_t, 8> data = {0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87};
  ASSERT_TRUE(WriteDeviceMemory(0x0128, data));
  const std::vector<SentReport> sent = Sent();
  ASSERT_EQ(sent.size(), 10u);
  for (uint8_t i = 0; i < 8; ++i) {
    EXPECT_EQ(sent[i].bytes,
              (std::vector<uint8_t>{0x07, 0x18, 0x03, i, 0x28, 0x01, data[i], 0x07, 0x00}));
    EXPECT_EQ(sent[i].at, milliseconds(0));
  }
  EXPECT_EQ(sent[8].bytes,
            (std::vector<uint8_t>{0x07, 0x18, 0x09, 0x00, 0x28, 0x01, 0x00, 0x07, 0x00}));
  EXPECT_EQ(sent[8].at, milliseconds(4));
  EXPECT_EQ(sent[9].bytes,
            (std::vector<uint8_t>{0x07, 0x18, 0x00, 0x00, 0x28, 0x01, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[9].at, milliseconds(6));
}

TEST_F(DeviceLinkTest, BlocksThatCannotBeEncodedSendNothing) {
  OpenFakeMouse();
  const std::array<uint8_t, kMaxBlockLength + 1> data{};
  EXPECT_FALSE(WriteDeviceMemory(0x10, data.data(), 0));
  EXPECT_FALSE(WriteDeviceMemory(0x10, data.data(), -3));
  EXPECT_FALSE(WriteDeviceMemory(0x10, data.data(), kMaxBlockLength + 1));
  EXPECT_FALSE(WriteDeviceMemory(0x10, data));  // one byte too many, passed as a span
  EXPECT_FALSE(WriteDeviceMemory(-1, data.data(), 1));
  EXPECT_FALSE(WriteDeviceMemory(0x10000, data.data(), 1));
  EXPECT_FALSE(WriteDeviceMemory(0x10, nullptr, 1));
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(WriteDeviceMemory(0xFFFF, data.data(), kMaxBlockLength));
}

TEST_F(DeviceLinkTest, AFailedStageReportIsNeverCommitted) {
  OpenFakeMouse();
  transport_.log->failSetFeatureAt = 1;  // the second stage report, every time it is tried
  transport_.log->failSetFeatureCount = kReportSendAttempts;
  const std::array<uint8_t, 4> data = {1, 2, 3, 4};
  EXPECT_FALSE(WriteDeviceMemory(0x40, data));
  const std::vector<SentReport> sent = Sent();
  // The first stage report, the second one tried in vain, then the idle report.
  ASSERT_EQ(sent.size(), 1u + kReportSendAttempts + 1u);
  EXPECT_EQ(sent.back().bytes[2], kMemoryIdle);
}

// ---- Reading back --------------------------------------------------------------------------

TEST_F(DeviceLinkTest, ReadingAByteIsOneExchangeWithItsPauses) {
  OpenFakeMouse();
  transport_.log->reply = {0x07, 0x5A, 0, 0, 0, 0, 0x0C, 0x03, 0x99};
  EXPECT_EQ(ReadDeviceByte(0x76), std::optional<uint8_t>(0x5A));
  const std::vector<SentReport> expected = {
      {{0x07, 0x18, 0x03, 0x00, 0x76, 0x00, 0x00, 0x00, 0x00}, milliseconds(0)},
      {{0x07, 0x18, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00, 0x00}, milliseconds(4)},
      {{0x07, 0x18, 0x05, 0x00, 0x76, 0x00, 0x00, 0x00, 0x00}, milliseconds(4)},
      // The last reply stays in the buffer: its byte 8 goes out with the next command.
      {{0x07, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x99}, milliseconds(8)},
  };
  EXPECT_EQ(Sent(), expected);
  EXPECT_EQ(transport_.log->readBacks, std::vector<milliseconds>{milliseconds(6)});
}

TEST_F(DeviceLinkTest, ShortCommandsKeepTheBytesOfTheLastReply) {
  OpenFakeMouse();
  transport_.log->reply = {0x07, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  const std::optional<FeatureReply> reply = ReadFeatureReply();
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->length, test::kFakeReportLength);
  ASSERT_TRUE(SendConsumerKey(ConsumerUsageOf(3)));
  ASSERT_TRUE(SendLeavingNotice());
  const std::vector<SentReport> sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].bytes,
            (std::vector<uint8_t>{0x07, 0x17, 0x00, 0xE9, 0x44, 0x55, 0x66, 0x77, 0x88}));
  EXPECT_EQ(sent[1].bytes,
            (std::vector<uint8_t>{0x07, 0x20, 0x00, 0x00, 0x44, 0x55, 0x66, 0x77, 0x88}));
}

TEST_F(DeviceLinkTest, AFailedReadBackIsReportedNotTakenFromTheBuffer) {
  OpenFakeMouse();
  transport_.log->reply.clear();  // the fake refuses every read-back
  EXPECT_FALSE(ReadFeatureReply().has_value());
  EXPECT_FALSE(ReadDeviceByte(0x76).has_value());
}

TEST_F(DeviceLinkTest, CommandsCarryTheirBytes) {
  OpenFakeMouse();
  ASSERT_TRUE(SendFinalCommit());
  ASSERT_TRUE(SendRead(0x1234));
  ASSERT_TRUE(SendConsumerKey(0x0223));
  const std::vector<SentReport> sent = Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].bytes, (std::vector<uint8_t>{0x07, 0x18, 0x10, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(sent[1].bytes, (std::vector<uint8_t>{0x07, 0x18, 0x05, 0, 0x34, 0x12, 0, 0, 0}));
  EXPECT_EQ(sent[2].bytes, (std::vector<uint8_t>{0x07, 0x17, 0x02, 0x23, 0x34, 0x12, 0, 0, 0}));
}

// ---- Finding the mouse ---------------------------------------------------------------------

TEST_F(DeviceLinkTest, InputCollectionFirstOpensBothAndStopsAtThePair) {
  transport_.collections = {
      MouseCollection("/dev/hidraw1", kInputCollectionUsagePage),
      MouseCollection("/dev/hidraw2", kFeatureCollectionUsagePage),
      MouseCollection("/dev/hidraw9", kInputCollectionUsagePage),  // never reached
  };
  EXPECT_TRUE(OpenDevice(transport_));
  EXPECT_EQ(transport_.opened, (std::vector<std::pair<std::string, HidAccess>>{
                                   {"/dev/hidraw1", HidAccess::kRead},
                                   {"/dev/hidraw2", HidAccess::kWrite}}));
  EXPECT_TRUE(HasReadConnection());
  EXPECT_TRUE(HasWriteConnection());
  EXPECT_TRUE(IsOurDevice("/dev/hidraw2"));
}

TEST_F(DeviceLinkTest, FeatureCollectionFirstOpensBothAndStopsAtThePair) {
  transport_.collections = {
      MouseCollection("/dev/hidraw2", kFeatureCollectionUsagePage),
      MouseCollection("/dev/hidraw1", kInputCollectionUsagePage),
      MouseCollection("/dev/hidraw9", kFeatureCollectionUsagePage),  // never reached
  };
  EXPECT_TRUE(OpenDevice(transport_));
  EXPECT_EQ(transport_.opened, (std::vector<std::pair<std::string, HidAccess>>{
                                   {"/dev/hidraw2", HidAccess::kWrite},
                                   {"/dev/hidraw1", HidAccess::kRead}}));
  EXPECT_TRUE(HasReadConnection());
  EXPECT_TRUE(HasWriteConnection());
  std::lock_guard lock(g_featureReportMutex);
  EXPECT_EQ(g_capsWrite.path, "/dev/hidraw2");
}

TEST_F(DeviceLinkTest, OtherDevicesAndOtherCollectionsAreIgnored) {
  HidCollectionInfo otherVendor = MouseCollection("/dev/hidraw0", kFeatureCollectionUsagePage);
  otherVendor.vendorId = 0x046D;
  HidCollectionInfo otherProduct = MouseCollection("/dev/hidraw1", kInputCollectionUsagePage);
  otherProduct.productId = 0x0002;
  transport_.collections = {otherVendor, otherProduct};
  EXPECT_FALSE(OpenDevice(transport_));
  EXPECT_TRUE(transport_.opened.empty());
  EXPECT_FALSE(IsOurDevice("/dev/hidraw0"));

  // The ids alone make the mouse found, even when none of its collections is one we use.
  transport_.collections = {otherVendor, MouseCollection("/dev/hidraw5", 0x0001, 2),
                            MouseCollection("/dev/hidraw5", kInputCollectionUsagePage, 2)};
  EXPECT_TRUE(OpenDevice(transport_));
  EXPECT_TRUE(transport_.opened.empty());
  EXPECT_FALSE(HasWriteConnection());
  EXPECT_TRUE(IsOurDevice("/dev/hidraw5"));
}

TEST_F(DeviceLinkTest, OnlyTheFirstHundredEntriesAreSearched) {
  HidCollectionInfo other = MouseCollection("/dev/other", kInputCollectionUsagePage);
  other.vendorId = 0x1234;
  transport_.collections.assign(kMaxEnumeratedInterfaces, other);
  transport_.collections.push_back(MouseCollection("/dev/late", kFeatureCollectionUsagePage));
  EXPECT_FALSE(OpenDevice(transport_));
  transport_.collections.erase(transport_.collections.begin());
  EXPECT_TRUE(OpenDevice(transport_));
}

TEST_F(DeviceLinkTest, FailedOpensCountAsMetButLeaveNoConnection) {
  transport_.openFails = true;
  transport_.collections = {MouseCollection("/dev/a", kInputCollectionUsagePage),
                            MouseCollection("/dev/a", kFeatureCollectionUsagePage),
                            MouseCollection("/dev/b", kInputCollectionUsagePage)};
  EXPECT_TRUE(OpenDevice(transport_));
  EXPECT_EQ(transport_.opened.size(), 2u);
  EXPECT_FALSE(HasReadConnection());
  EXPECT_FALSE(HasWriteConnection());
  EXPECT_FALSE(SendLeavingNotice());
}

TEST_F(DeviceLinkTest, TheSearchKeepsWhyTheMouseCouldNotBeOpened) {
  struct Case {
    bool listed;
    bool openFails;
    HidOpenError openError;
    DeviceOpenOutcome expected;
  };
  const Case cases[] = {
      {false, false, HidOpenError::kNone, DeviceOpenOutcome::kNotFound},
      {true, false, HidOpenError::kNone, DeviceOpenOutcome::kOpened},
      {true, true, HidOpenError::kPermissionDenied, DeviceOpenOutcome::kPermissionDenied},
      {true, true, HidOpenError::kUnavailable, DeviceOpenOutcome::kOpenFailed},
  };
  for (const Case& c : cases) {
    transport_.collections.clear();
    if (c.listed) {
      transport_.collections = {MouseCollection("/dev/a", kInputCollectionUsagePage),
                                MouseCollection("/dev/a", kFeatureCollectionUsagePage)};
    }
    transport_.openFails = c.openFails;
    transport_.openError = c.openError;
    const DeviceOpenResult result = OpenDevice(transport_);
    EXPECT_EQ(result.outcome, c.expected) << static_cast<int>(c.expected);
    EXPECT_EQ(static_cast<bool>(result), c.listed) << "found whether or not it opened";
  }
}

TEST_F(DeviceLinkTest, FeatureReportsTooShortOrTooLongAreNotOpened) {
  for (uint16_t length : {uint16_t{7}, uint16_t{kReportBufferSize + 1}}) {
    HidCollectionInfo feature = MouseCollection("/dev/f", kFeatureCollectionUsagePage);
    feature.featureReportByteLength = length;
    transport_.collections = {feature};
    transport_.opened.clear();
    EXPECT_TRUE(OpenDevice(transport_));
    EXPECT_TRUE(transport_.opened.empty());
    EXPECT_FALSE(HasWriteConnection());
  }
}

TEST_F(DeviceLinkTest, ASecondSearchReplacesTheConnectionsOfTheFirst) {
  OpenFakeMouse();
  transport_.collections = {MouseCollection("/dev/hidraw7", kFeatureCollectionUsagePage)};
  transport_.opened.clear();
  EXPECT_TRUE(OpenDevice(transport_));
  EXPECT_FALSE(HasReadConnection());  // the old input connection is not kept
  EXPECT_TRUE(HasWriteConnection());
  EXPECT_TRUE(IsOurDevice("/dev/hidraw7"));
  EXPECT_FALSE(IsOurDevice("/dev/hidraw3"));
}

// A read without a limit on a mouse that sends nothing ends at once when the reader is asked
// to stop, and when the connection it waits on is closed or replaced; a reader waiting for a
// connection wakes when the mouse is opened.
TEST_F(DeviceLinkTest, AWaitingReadEndsOnStopCloseOrReopen) {
  enum class End { kStop, kClose, kReopen };
  int readsBefore = 0;
  for (End end : {End::kStop, End::kClose, End::kReopen}) {
    OpenFakeMouse();
    std::stop_source stop;
    std::future<int> reader = std::async(std::launch::async, [&] {
      std::array<uint8_t, 16> input{};
      return ReadInputReport(input, -1, stop.get_token());
    });
    // Once the read has begun, its connection and the ways to end it are taken.
    while (InputReadsBegun() == readsBefore) std::this_thread::yield();
    ++readsBefore;
    EXPECT_EQ(reader.wait_for(milliseconds(20)), std::future_status::timeout);
    const uint64_t changes = InputConnectionChanges();
    switch (end) {
      case End::kStop: stop.request_stop(); break;
      case End::kClose: CloseDevice(); break;
      case End::kReopen: OpenFakeMouse(); break;
    }
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(reader.get(), 0);
    EXPECT_EQ(InputConnectionChanges() != changes, end != End::kStop);
  }
  CloseDevice();
  const uint64_t closed = InputConnectionChanges();
  CloseDevice();  // nothing open: no change, no reader woken
  EXPECT_EQ(InputConnectionChanges(), closed);
  std::future<void> waiter = std::async(std::launch::async, [closed] {
    WaitForInputConnectionChange(closed, std::chrono::hours(1), {});
  });
  OpenFakeMouse();
  ASSERT_EQ(waiter.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

TEST_F(DeviceLinkTest, DevicePathMatchesWithoutRegardToCase) {
  transport_.collections = {
      MouseCollection("\\\\?\\hid#vid_1209&pid_0001#7&1a2b&0&0000", kFeatureCollectionUsagePage)};
  ASSERT_TRUE(OpenDevice(transport_));
  EXPECT_TRUE(IsOurDevice("\\\\?\\HID#VID_1209&PID_0001#7&1A2B&0&0000"));
  EXPECT_FALSE(IsOurDevice("\\\\?\\HID#VID_1209&PID_0001#7&1A2B&0&0001"));
  EXPECT_FALSE(IsOurDevice("\\\\?\\HID#VID_1209&PID_0001#7&1A2B&0&000"));
  EXPECT_FALSE(IsOurDevice(""));
}

TEST_F(DeviceLinkTest, NothingMatchesBeforeAnyMouseWasFound) {
  EXPECT_FALSE(IsOurDevice(""));
  EXPECT_FALSE(IsOurDevice("/dev/hidraw0"));
}

// ---- Without a mouse -----------------------------------------------------------------------

TEST_F(DeviceLinkTest, EverySenderFailsCleanlyWithoutAMouse) {
  const uint8_t value = 1;
  EXPECT_FALSE(WriteDeviceMemory(1, &value, 1));
  EXPECT_FALSE(SendStage(0, 1, 1, 0));
  EXPECT_FALSE(SendCommit(1, 0));
  EXPECT_FALSE(SendIdle(1));
  EXPECT_FALSE(SendRead(0x76));
  EXPECT_FALSE(SendFinalCommit());
  EXPECT_FALSE(SendConsumerKey(0x0E2));
  EXPECT_FALSE(SendLeavingNotice());
  EXPECT_FALSE(ReadFeatureReply().has_value());
  EXPECT_FALSE(ReadDeviceByte(0x76).has_value());
  std::array<uint8_t, 16> input{};
  EXPECT_EQ(ReadInputReport(input, 10), -1);
  EXPECT_EQ(sleeper_.Total(), milliseconds(0));
}

// ---- Consumer usages -----------------------------------------------------------------------

TEST(ConsumerUsage, TableAndOutOfRangeIndices) {
  EXPECT_EQ(ConsumerUsageOf(0), 0x223);
  EXPECT_EQ(ConsumerUsageOf(9), 0x192);
  EXPECT_EQ(ConsumerUsageOf(10), 0x0B7);
  EXPECT_EQ(ConsumerUsageOf(11), 0);
  EXPECT_EQ(ConsumerUsageOf(233), 0);
  EXPECT_EQ(ConsumerUsageOf(255), 0);
}

}  // namespace
}  // namespace gm
