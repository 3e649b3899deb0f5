#include "device/virtual_mouse.h"

#include <cstdlib>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device_link_fixture.h"
#include "support/temp_dir.h"

namespace gm {
namespace {

using std::chrono::milliseconds;

class VirtualMouseTest : public test::DeviceLinkFixture {
 protected:
  void OpenMouse() { ASSERT_TRUE(OpenDevice(mouse_)); }

  VirtualMouse mouse_;
};

TEST_F(VirtualMouseTest, ListsItsTwoCollectionsWithLengthsFromItsDescriptor) {
  const std::vector<HidCollectionInfo> collections = mouse_.Enumerate();
  ASSERT_EQ(collections.size(), 2u);
  EXPECT_EQ(collections[0].usagePage, kInputCollectionUsagePage);
  EXPECT_EQ(collections[0].inputReportByteLength, 9);
  EXPECT_EQ(collections[0].featureReportByteLength, 0);
  EXPECT_EQ(collections[1].usagePage, kFeatureCollectionUsagePage);
  EXPECT_EQ(collections[1].featureReportByteLength, 9);
  for (const HidCollectionInfo& info : collections) {
    EXPECT_EQ(info.path, kVirtualMousePath);
    EXPECT_EQ(info.vendorId, g_vendorId);
    EXPECT_EQ(info.productId, g_productId);
    EXPECT_EQ(info.usage, 1);
  }
  EXPECT_EQ(mouse_.Open("virtual:other", HidAccess::kWrite).connection, nullptr);
}

TEST_F(VirtualMouseTest, WrittenBlocksReadBackByteForByte) {
  OpenMouse();
  const std::array<uint8_t, 8> block = {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03, 0x04};
  ASSERT_TRUE(WriteDeviceMemory(0x0128, block));
  const uint8_t single = 0x63;
  ASSERT_TRUE(WriteDeviceMemory(0x3FFF, &single, 1));  // last byte of the memory
  EXPECT_EQ(mouse_.CommitCount(), 2);
  for (size_t i = 0; i < block.size(); ++i) {
    EXPECT_EQ(ReadDeviceByte(static_cast<int32_t>(0x0128 + i)), block[i]) << i;
  }
  EXPECT_EQ(ReadDeviceByte(0x3FFF), single);
  EXPECT_EQ(mouse_.MemoryByte(0x0127), 0);
  EXPECT_EQ(mouse_.MemoryByte(0x0130), 0);
  // The read exchange stages a zero but never commits it.
  EXPECT_EQ(mouse_.MemoryByte(0x0128), 0xDE);
  EXPECT_EQ(mouse_.CommitCount(), 2);
}

TEST_F(VirtualMouseTest, CommitWritesOnlyTheStagedBytesOfItsOwnBlock) {
  OpenMouse();
  const std::array<uint8_t, 3> first = {0x11, 0x22, 0x33};
  ASSERT_TRUE(WriteDeviceMemory(0x200, first));
  ASSERT_TRUE(SendStage(0, 0x200, 0xAA, 2));
  ASSERT_TRUE(SendStage(2, 0x200, 0xCC, 2));
  ASSERT_TRUE(SendStage(5, 0x200, 0xEE, 2));  // beyond the block: ignored
  ASSERT_TRUE(SendCommit(0x200, 2));
  EXPECT_EQ(mouse_.MemoryByte(0x200), 0xAA);
  EXPECT_EQ(mouse_.MemoryByte(0x201), 0x22);
  EXPECT_EQ(mouse_.MemoryByte(0x202), 0xCC);
  EXPECT_EQ(mouse_.MemoryByte(0x205), 0x00);

  // A commit for another block, or after the idle report, writes nothing.
  ASSERT_TRUE(SendStage(0, 0x300, 0x77, 0));
  ASSERT_TRUE(SendCommit(0x301, 0));
  ASSERT_TRUE(SendStage(0, 0x300, 0x77, 0));
  ASSERT_TRUE(SendIdle(0x300));
  ASSERT_TRUE(SendCommit(0x300, 0));
  EXPECT_EQ(mouse_.MemoryByte(0x300), 0);
  EXPECT_EQ(mouse_.MemoryByte(0x301), 0);
  // A block reaching past the memory keeps the bytes that fit.
  const std::array<uint8_t, 2> edge = {0x5A, 0x5B};
  ASSERT_TRUE(WriteDeviceMemory(static_cast<int32_t>(kVirtualMouseMemorySize) - 1, edge));
  EXPECT_EQ(mouse_.MemoryByte(static_cast<int32_t>(kVirtualMouseMemorySize) - 1), 0x5A);
}

TEST_F(VirtualMouseTest, ReplyCarriesConfigurationMemorySizeAndNibble) {
  OpenMouse();
  mouse_.SetActiveConfiguration(2);
  mouse_.SetLargeMacroMemory(true);
  mouse_.SetDeviceNibble(0x1A);
  std::optional<FeatureReply> reply = ReadFeatureReply();
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->StatusByte(), 0x0A);
  EXPECT_EQ(reply->ActiveConfiguration(), 2);
  EXPECT_EQ(reply->MacroMemoryLimit(), 0xFF8);
  EXPECT_EQ(reply->DeviceNibble(), 0x0A);

  mouse_.SetLargeMacroMemory(false);
  mouse_.InjectConfigurationSwitch(3);
  reply = ReadFeatureReply();
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->StatusByte(), 0x0C);
  EXPECT_EQ(reply->ActiveConfiguration(), 3);
  EXPECT_EQ(reply->MacroMemoryLimit(), 0x7F8);
  std::array<uint8_t, 16> input{};
  ASSERT_EQ(ReadInputReport(input, 100), 9);
  EXPECT_EQ(input[0], kInputReportId);
  EXPECT_EQ(input[1], kEventConfigurationSwitch);
}

TEST_F(VirtualMouseTest, RecordsCommandsAndRefusesMalformedReports) {
  OpenMouse();
  ASSERT_TRUE(SendConsumerKey(0x0CD));
  ASSERT_TRUE(SendFinalCommit());
  ASSERT_TRUE(SendLeavingNotice());
  EXPECT_EQ(mouse_.ConsumerUsages(), std::vector<uint16_t>{0x0CD});
  EXPECT_EQ(mouse_.FinalCommitCount(), 1);
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(mouse_.FeatureReportCount(), 3u);

  std::unique_ptr<HidConnection> raw = mouse_.Open(kVirtualMousePath, HidAccess::kWrite).connection;
  const std::array<uint8_t, 4> tooShort = {0x07, 0x20, 0, 0};
  EXPECT_FALSE(raw->SetFeature(tooShort));
  std::array<uint8_t, 9> wrongId = {0x06, 0x20};
  EXPECT_FALSE(raw->SetFeature(wrongId));
  EXPECT_FALSE(raw->GetFeature(wrongId));
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(mouse_.FeatureReportCount(), 5u);
}

TEST_F(VirtualMouseTest, InputReportsArriveInOrderOrTimeOut) {
  OpenMouse();
  mouse_.InjectInput(std::array<uint8_t, 3>{0x06, 0xF1, 0x01});
  mouse_.InjectInput(std::array<uint8_t, 12>{0x06, 0xF2, 0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  std::array<uint8_t, 16> input{};
  ASSERT_EQ(ReadInputReport(input, 100), 9);
  EXPECT_EQ(input[1], 0xF1);
  EXPECT_EQ(input[2], 0x01);
  EXPECT_EQ(input[3], 0x00);
  ASSERT_EQ(ReadInputReport(input, 100), 9);  // cut to the input report length
  EXPECT_EQ(input[1], 0xF2);
  EXPECT_EQ(input[8], 6);
  EXPECT_EQ(ReadInputReport(input, 10), 0);
}

// ---- Unplugging --------------------------------------------------------------------------

TEST_F(VirtualMouseTest, UnplugWakesABlockedReaderAndFailsEverySender) {
  OpenMouse();
  std::future<int> reader = std::async(std::launch::async, [] {
    std::array<uint8_t, 16> input{};
    return ReadInputReport(input, 10000);
  });
  std::this_thread::sleep_for(milliseconds(20));
  mouse_.Unplug();
  ASSERT_EQ(reader.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(reader.get(), -1);

  const std::array<uint8_t, 2> data = {1, 2};
  EXPECT_FALSE(WriteDeviceMemory(0x10, data));
  EXPECT_FALSE(SendConsumerKey(0x0E9));
  EXPECT_FALSE(SendLeavingNotice());
  EXPECT_FALSE(SendFinalCommit());
  EXPECT_FALSE(ReadFeatureReply().has_value());
  EXPECT_FALSE(ReadDeviceByte(0x10).has_value());
  EXPECT_EQ(mouse_.MemoryByte(0x10), 0);
  EXPECT_TRUE(mouse_.Enumerate().empty());
  EXPECT_FALSE(OpenDevice(mouse_));
  EXPECT_FALSE(HasWriteConnection());
}

TEST_F(VirtualMouseTest, ConnectionsOutliveTheMouseAndFail) {
  std::unique_ptr<HidConnection> connection;
  {
    VirtualMouse shortLived;
    connection = shortLived.Open(kVirtualMousePath, HidAccess::kWrite).connection;
    ASSERT_NE(connection, nullptr);
  }
  std::array<uint8_t, 9> report = {0x07, 0x20};
  EXPECT_FALSE(connection->SetFeature(report));
  EXPECT_EQ(connection->ReadInput(report, 1000, {}), -1);
}

// ---- Threads -------------------------------------------------------------------------------

// Two writers fill their own regions block by block while a third thread keeps asking for the
// active configuration; every block must arrive whole and every reply must be a real reply.
TEST_F(VirtualMouseTest, ConcurrentWritersAndReadersNeverMixTheirReports) {
  OpenMouse();
  mouse_.SetActiveConfiguration(2);
  constexpr int kBlocks = 150;
  constexpr int32_t kRegionA = 0x0400;
  constexpr int32_t kRegionB = 0x1400;
  const auto pattern = [](int writer, int block, int i) {
    return static_cast<uint8_t>(writer * 0x80 + block * 7 + i * 13 + 1);
  };
  const auto writer = [&](int id, int32_t region) {
    for (int block = 0; block < kBlocks; ++block) {
      std::array<uint8_t, 8> data{};
      for (int i = 0; i < 8; ++i) data[i] = pattern(id, block, i);
      EXPECT_TRUE(WriteDeviceMemory(region + block * 8, data));
    }
  };
  std::atomic<bool> writing{true};
  std::atomic<int> badReplies{0};
  std::thread a(writer, 0, kRegionA);
  std::thread b(writer, 1, kRegionB);
  std::thread reader([&] {
    while (writing) {
      const std::optional<FeatureReply> reply = ReadFeatureReply();
      if (!reply || reply->ActiveConfiguration() != 2 || reply->bytes[0] != kFeatureReportId) {
        ++badReplies;
      }
    }
  });
  a.join();
  b.join();
  writing = false;
  reader.join();

  EXPECT_EQ(badReplies, 0);
  EXPECT_EQ(mouse_.CommitCount(), 2 * kBlocks);
  const std::vector<uint8_t> memory = mouse_.Memory();
  for (int block = 0; block < kBlocks; ++block) {
    for (int i = 0; i < 8; ++i) {
      ASSERT_EQ(memory[kRegionA + block * 8 + i], pattern(0, block, i)) << block << ' ' << i;
      ASSERT_EQ(memory[kRegionB + block * 8 + i], pattern(1, block, i)) << block << ' ' << i;
    }
  }
  EXPECT_EQ(sleeper_.Total(), milliseconds(2 * kBlocks * 6));
}

TEST_F(VirtualMouseTest, ClosingWhileOtherThreadsSendIsSafe) {
  OpenMouse();
  std::atomic<bool> running{true};
  std::atomic<int> failures{0};
  std::thread sender([&] {
    const std::array<uint8_t, 4> data = {9, 8, 7, 6};
    while (running) {
      if (!WriteDeviceMemory(0x40, data)) ++failures;
      std::array<uint8_t, 16> input{};
      ReadInputReport(input, 0);
    }
  });
  std::this_thread::sleep_for(milliseconds(20));
  CloseDevice();
  std::this_thread::sleep_for(milliseconds(20));
  running = false;
  sender.join();
  EXPECT_GT(failures, 0);
  EXPECT_FALSE(SendLeavingNotice());
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 0);
}

// ---- Diagnostics ---------------------------------------------------------------------------

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { unsetenv(name_); }

 private:
  const char* name_;
};

TEST_F(VirtualMouseTest, LogsReportsAndDumpsItsMemory) {
  test::TempDir dir;
  const std::filesystem::path log = dir / "reports.log";
  const std::filesystem::path dump = dir / "memory.bin";
  {
    ScopedEnvironment logVariable(kVirtualLogVariable, log.string());
    ScopedEnvironment dumpVariable(kVirtualDumpVariable, dump.string());
    VirtualMouse mouse;
    ASSERT_TRUE(OpenDevice(mouse));
    const uint8_t value = 0x2A;
    ASSERT_TRUE(WriteDeviceMemory(1, &value, 1));
    ASSERT_TRUE(ReadFeatureReply().has_value());
    mouse.InjectInput(std::array<uint8_t, 2>{0x06, 0x03});
    std::array<uint8_t, 16> input{};
    ASSERT_EQ(ReadInputReport(input, 100), 9);
    CloseDevice();
  }
  const std::string text = test::ReadFileBytes(log);
  EXPECT_NE(text.find(" SET 07 18 03 00 01 00 2A 00 00\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" SET 07 18 09 00 01 00 00 00 00\n"), std::string::npos);
  EXPECT_NE(text.find(" GET 07 00 00 00 00 00 00 00 00\n"), std::string::npos);
  EXPECT_NE(text.find(" IN 06 03 00 00 00 00 00 00 00\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);

  const std::string memory = test::ReadFileBytes(dump);
  ASSERT_EQ(memory.size(), kVirtualMouseMemorySize);
  EXPECT_EQ(memory[1], 0x2A);
  EXPECT_EQ(memory[0], 0);
}

TEST_F(VirtualMouseTest, KeepsCountsAndARecentWindowWhileTheLogKeepsEveryReport) {
  test::TempDir dir;
  const std::filesystem::path log = dir / "reports.log";
  ScopedEnvironment logVariable(kVirtualLogVariable, log.string());
  VirtualMouse mouse;
  std::unique_ptr<HidConnection> raw = mouse.Open(kVirtualMousePath, HidAccess::kWrite).connection;
  ASSERT_NE(raw, nullptr);
  // More reports than the window holds (a few downloads' worth); each names its number in its
  // address bytes.
  const size_t total = kRecentFeatureReports + 1500;
  for (size_t number = 0; number < total; ++number) {
    const FeatureCommand stage = StageCommand(0, static_cast<int32_t>(number), 0x55, 0);
    std::vector<uint8_t> report(mouse.FeatureReportLength(), 0);
    std::copy_n(stage.bytes.begin(), stage.length, report.begin());
    ASSERT_TRUE(raw->SetFeature(report));
  }
  const auto numberOf = [](const std::vector<uint8_t>& report) {
    return static_cast<size_t>(AddressOf(report.at(4), report.at(5)));
  };
  EXPECT_EQ(mouse.FeatureReportCount(), total);
  const auto window = mouse.RecentFeatureReports();
  ASSERT_EQ(window.size(), kRecentFeatureReports) << "older reports are only counted";
  EXPECT_EQ(numberOf(window.front()), total - kRecentFeatureReports);
  EXPECT_EQ(numberOf(window.back()), total - 1);
  const auto lastThree = mouse.RecentFeatureReports(total - 3);
  ASSERT_EQ(lastThree.size(), 3u);
  EXPECT_EQ(numberOf(lastThree.front()), total - 3);
  EXPECT_TRUE(mouse.RecentFeatureReports(total).empty());

  const std::string text = test::ReadFileBytes(log);
  EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), total)
      << "the log on disk keeps the whole run";

  // Consumer keys are kept the same way: the last ones.
  OpenMouse();
  for (uint16_t usage = 0; usage < kRecentConsumerKeys + 2; ++usage) {
    ASSERT_TRUE(SendConsumerKey(usage));
  }
  const std::vector<uint16_t> keys = mouse_.ConsumerUsages();
  ASSERT_EQ(keys.size(), kRecentConsumerKeys);
  EXPECT_EQ(mouse_.ConsumerKeyCount(), kRecentConsumerKeys + 2);
  EXPECT_EQ(keys.front(), 2);
  EXPECT_EQ(keys.back(), kRecentConsumerKeys + 1);
}

}  // namespace
}  // namespace gm
