// An Apply that the mouse cuts short (pulled out, or a report refused every time it is tried)
// still keeps the user's settings in config.ini; a report refused once is sent again.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "apply_test_support.h"
#include "device/device_link.h"
#include "platform/private_profile.h"
#include "settings/key_function.h"

namespace gm {
namespace {

std::string ReadIni(const char16_t* section, const char16_t* key) {
  return ToUtf8(GetPrivateProfileStringW(section, key, u"<missing>", 64, g_configIniPath));
}

class ApplyCutShortTest : public test::ApplyTest {
 protected:
  // Settings the user changed since the last save: one key in each configuration and a
  // shared value, with a macro so the download runs into the images.
  void EditSettings() {
    AddGroup(u"Alpha", {test::MakeLongMacro(40, 20)});
    SetKeyMap({1, 2});
    for (int c = 0; c < kConfigCount; ++c) SetKey(c, 0, UserMacroCode(0, 0));
    SetKey(2, 1, 24);
    g_fireTime = 77;
    g_pointerSpeed = 4;
  }
  void ExpectEditsSaved() {
    EXPECT_EQ(ReadIni(u"Config2", u"K1"), "24");
    EXPECT_EQ(ReadIni(u"Config3", u"K0"), std::to_string(UserMacroCode(0, 0)));
    EXPECT_EQ(ReadIni(u"ShareData", u"FIRE_TIME"), "77");
    EXPECT_EQ(ReadIni(u"Init", u"CurConfig"), "0");
  }
};

// Reports numbered from the first one the mouse receives in this run.
struct CutShort {
  const char* name;
  size_t atReport;
  bool unplug;  // else the report is refused every time it is tried
};

TEST_F(ApplyCutShortTest, MouseGoneOrRefusingMidDownloadKeepsTheEditedSettings) {
  // In the settings blocks, in the descriptor table, in the macro images.
  const CutShort cases[] = {
      {"unplugged in the settings", 40, true},     {"refused in the settings", 40, false},
      {"unplugged in the descriptors", 400, true}, {"refused in the images", 920, false},
  };
  for (const CutShort& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualMouse mouse;
    ASSERT_TRUE(OpenDevice(mouse));
    std::filesystem::remove(g_configIniPath);
    EditSettings();
    if (c.unplug) {
      mouse.UnplugAtFeatureReport(c.atReport);
    } else {
      mouse.RefuseFeatureReports(c.atReport, kReportSendAttempts);
    }
    system_.pointerSpeedsSet.clear();

    EXPECT_EQ(Apply(), ApplyResult::kMouseNotFullyWritten);
    EXPECT_GE(mouse.FeatureReportCount(), c.atReport) << "cut where it was meant to";
    EXPECT_EQ(mouse.FinalCommitCount(), 0);
    ExpectEditsSaved();
    EXPECT_TRUE(system_.pointerSpeedsSet.empty());
    EXPECT_TRUE(messages_.messages().empty()) << "the caller tells the user";
    CloseDevice();
  }
}

TEST_F(ApplyCutShortTest, AReportRefusedOnceIsSentAgainAndTheMouseGetsEverything) {
  EditSettings();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);  // the undisturbed download, on mouse_
  const std::vector<uint8_t> expected = mouse_.Memory();

  ResetApplyLightingState();  // the same lighting byte as the first run
  VirtualMouse refusing;
  ASSERT_TRUE(OpenDevice(refusing));
  refusing.RefuseFeatureReports(500, kReportSendAttempts - 1);
  EXPECT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(refusing.FinalCommitCount(), 1);
  EXPECT_EQ(refusing.Memory(), expected);
  CloseDevice();
}

}  // namespace
}  // namespace gm
