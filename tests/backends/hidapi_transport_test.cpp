// Why the hidraw transport could not open a node: a node without the udev rule's permissions
// is told apart from one that is not there.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "backends/linux/hidapi_transport.h"
#include "support/temp_dir.h"

namespace gm {
namespace {

constexpr uid_t kUnprivilegedId = 65534;  // nobody

TEST(HidapiTransportTest, ANodeThisUserMayNotOpenGivesPermissionDenied) {
  test::TempDir dir;
  const std::filesystem::path node = dir.path() / "hidraw7";
  std::ofstream(node) << "not a device";
  std::filesystem::permissions(node, std::filesystem::perms::none);

  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // root opens any node: the open is tried as an unprivileged user.
        if (geteuid() == 0 && (setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0)) {
          std::_Exit(2);
        }
        HidapiTransport transport;
        const HidOpenResult opened = transport.Open(node.string(), HidAccess::kWrite);
        const bool denied =
            opened.connection == nullptr && opened.error == HidOpenError::kPermissionDenied;
        std::_Exit(denied ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(HidapiTransportTest, AMissingNodeIsUnavailableNotAPermissionProblem) {
  test::TempDir dir;
  HidapiTransport transport;
  const HidOpenResult opened = transport.Open((dir.path() / "hidraw9").string(), HidAccess::kRead);
  EXPECT_EQ(opened.connection, nullptr);
  EXPECT_EQ(opened.error, HidOpenError::kUnavailable);
}

}  // namespace
}  // namespace gm
