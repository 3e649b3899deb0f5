// The mouse's ids are written down in the code once; the udev rule that opens the mouse to the
// user and the ids' web page must name the same ones.

#include "device/device_ids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace gm::test {
namespace {

std::string HexId(uint16_t id) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", unsigned{id});
  return text;
}

TEST(MouseIdsTest, TheUdevRuleMatchesTheMouseTheProgramLooksFor) {
  const std::filesystem::path rule =
      std::filesystem::path(GMOUSE_SOURCE_DIR) / "res" / "udev" / "70-gmouse.rules";
  std::ifstream in(rule);
  ASSERT_TRUE(in) << rule;
  std::stringstream text;
  text << in.rdbuf();
  const std::string match = "ATTRS{idVendor}==\"" + HexId(kMouseVendorId) +
                            "\", ATTRS{idProduct}==\"" + HexId(kMouseProductId) + "\"";
  EXPECT_NE(text.str().find(match), std::string::npos) << "the rule does not name " << match;
}

TEST(MouseIdsTest, TheWebPageNamesTheIdsInFourHexDigits) {
  EXPECT_EQ(MouseIdsWebPage(), "https://pid.codes/1209/0001/");
}

}  // namespace
}  // namespace gm::test
