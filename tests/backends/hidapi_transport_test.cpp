// The hidraw transport: why it could not open a node (a node without the udev rule's
// permissions is told apart from one that is not there or is no hidraw node), and the read
// that waits on a node until data, a hang-up or a stop request, shown on a pipe.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "backends/linux/fd_read_wait.h"
#include "backends/linux/hidapi_transport.h"
#include "support/rename_hook.h"
#include "support/temp_dir.h"

namespace gm {
namespace {

TEST(HidapiTransportTest, ANodeThisUserMayNotOpenGivesPermissionDenied) {
  test::TempDir dir;
  const std::filesystem::path node = dir.path() / "hidraw7";
  std::ofstream(node) << "not a device";
  std::filesystem::permissions(node, std::filesystem::perms::none);

  // root opens any node: the open is tried as an unprivileged user.
  EXPECT_EQ(
      test::ExitStatusOfChild(
          [&] {
            const HidOpenResult opened = HidapiTransport().Open(node.string(), HidAccess::kWrite);
            return opened.connection == nullptr && opened.error == HidOpenError::kPermissionDenied;
          },
          true),
      0);
}

// A node that is not there, and a file that is no hidraw node: unavailable, not a permission
// problem.
TEST(HidapiTransportTest, AMissingNodeOrAFileThatIsNoNodeIsUnavailable) {
  test::TempDir dir;
  test::WriteFileBytes(dir / "hidraw3", "not a device");
  for (const char* name : {"hidraw9", "hidraw3"}) {
    SCOPED_TRACE(name);
    const HidOpenResult opened = HidapiTransport().Open((dir / name).string(), HidAccess::kRead);
    EXPECT_EQ(opened.connection, nullptr);
    EXPECT_EQ(opened.error, HidOpenError::kUnavailable);
  }
}

// ---- Waiting for input ---------------------------------------------------------------------

// A non-blocking pipe stands in for the node: its reader end polls like one.
class FdReadWaitTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::pipe2(ends_, O_NONBLOCK | O_CLOEXEC), 0); }
  void TearDown() override {
    for (int fd : ends_) {
      if (fd >= 0) ::close(fd);
    }
  }
  void Write(std::initializer_list<uint8_t> bytes) {
    const std::vector<uint8_t> data(bytes);
    ASSERT_EQ(::write(ends_[1], data.data(), data.size()), static_cast<ssize_t>(data.size()));
  }
  void CloseWriter() {
    ::close(ends_[1]);
    ends_[1] = -1;
  }
  int reader() const { return ends_[0]; }

  int ends_[2] = {-1, -1};
  std::array<uint8_t, 8> buffer_{};
};

TEST_F(FdReadWaitTest, DataWaitingIsReadAtOnceAndAnEmptyNodeTimesOut) {
  Write({6, 0xF1, 0x01});
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, -1, {}), 3);
  EXPECT_EQ(buffer_[1], 0xF1);
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, 0, {}), 0);
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, 5, {}), 0);
}

TEST_F(FdReadWaitTest, AStopEndsAWaitWithoutLimitAndLeavesTheData) {
  std::stop_source stop;
  std::future<int> waiting = std::async(std::launch::async, [&] {
    return ReadWhenReadable(reader(), buffer_, -1, stop.get_token());
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let it reach poll()
  stop.request_stop();
  ASSERT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(waiting.get(), 0);
  // A stop requested before the read: nothing is taken from the node.
  Write({6, 3});
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, -1, stop.get_token()), 0);
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, -1, {}), 2);
}

TEST_F(FdReadWaitTest, DataArrivingWakesTheWaitAndAHangUpEndsIt) {
  std::future<int> waiting = std::async(std::launch::async, [&] {
    std::array<uint8_t, 8> report{};
    return ReadWhenReadable(reader(), report, -1, {});
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  Write({6, 1, 0});
  ASSERT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(waiting.get(), 3);
  // A node whose device went away (here: the writer closed) fails the read.
  CloseWriter();
  EXPECT_EQ(ReadWhenReadable(reader(), buffer_, -1, {}), -1);
  EXPECT_EQ(ReadWhenReadable(-1, buffer_, 0, {}), -1);
}

}  // namespace
}  // namespace gm
