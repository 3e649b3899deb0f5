#include <gtest/gtest.h>

#include "settings/config_store.h"
#include "settings_test_support.h"

namespace gm::test {
namespace {

using ConfigLoadTest = SettingsFolderTest;

const std::u16string kMalformedKeyValue = u"加载ini错误！";

TEST_F(ConfigLoadTest, ReadsKeyValuesByTheCommaRulesAndReportsThreeCommas) {
  WriteConfigIni(
      "[Config1]\nK0=42,4\nK1=42\nK2=,7\nK3=300,1\nK4=42,4,5\nK5=1,2,3,4\nK6=42,300\n"
      "K7=-5,3\nK8=5000\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 1, false));

  const int32_t functions[kMaxKeys] = {42, 42, 0, 300, 42, 1, 42, 0, 5000};
  const uint8_t params[kMaxKeys] = {4, 0, 7, 1, 4, 2, 44, 3, 0};
  for (int k = 0; k < kMaxKeys; ++k) {
    EXPECT_EQ(g_keyFunction[1][k], functions[k]) << "key " << k;
    EXPECT_EQ(g_keyParam[1][k], params[k]) << "key " << k;
  }
  ASSERT_EQ(messages_.messages().size(), 1u);  // only 1,2,3,4
  EXPECT_EQ(messages_.messages()[0], SameInBothLanguages(kMalformedKeyValue));
}

TEST_F(ConfigLoadTest, WheelStatusFollowsTheLastLoadedConfiguration) {
  WriteConfigIni("[Config2]\nWHEEL_STATUS=1\n[Config3]\nWHEEL_STATUS=0\n");
  ASSERT_TRUE(LoadAllConfigurations());
  EXPECT_EQ(g_wheelStatus, 0);
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 2, false));  // the mouse switched to 2
  EXPECT_EQ(g_wheelStatus, 1);
}

TEST_F(ConfigLoadTest, ConvertsSharedValuesAsStored) {
  WriteConfigIni(
      "[ShareData]\nDPI_SET0=260\nDPI_SET1=300\nDPI_SET_EN0=7\nDPI_SET_EN1=0\nCYC_7COL_EN=5\n"
      "LED_USER0_R=0\nLED_USER0_G=15\nLED_USER0_B=8\nUSB_SPEED=1\nFIRE_TIME=0123456\n"
      "LED_TYPE=263\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));

  EXPECT_EQ(g_dpiValue[0], 4);   // low byte of 260
  EXPECT_EQ(g_dpiValue[1], 16);  // low byte 44, then the slider's end
  EXPECT_EQ(g_dpiEnable[0], 1);
  EXPECT_EQ(g_dpiEnable[1], 0);
  EXPECT_EQ(g_cycleColorMask, 5);
  const int32_t cycleFlags[kUserColorCount] = {1, 0, 1, 0, 0, 0, 0};
  for (int k = 0; k < kUserColorCount; ++k) EXPECT_EQ(g_cycleColorEnable[k], cycleFlags[k]);
  EXPECT_EQ(g_ledUserColor[0], 0x7F0FFFu);  // red 255, green 15, blue 127
  EXPECT_EQ(g_usbRate, 1);
  EXPECT_EQ(g_usbRateCode, 3);
  EXPECT_EQ(g_fireTime, 123);  // buffer of 5 keeps "0123"
  EXPECT_EQ(g_ledType, 7);
}

TEST_F(ConfigLoadTest, MissingKeysLoadZeroEvenForTheFireTime) {
  WriteConfigIni("[Other]\nx=1\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));
  EXPECT_EQ(g_fireTime, 0);
  EXPECT_EQ(g_usbRate, 0);
  EXPECT_EQ(g_usbRateCode, 7);
  EXPECT_EQ(g_ledUserColor[3], 0xFFFFFFu);
}

TEST_F(ConfigLoadTest, BringsOutOfRangeValuesIntoRange) {
  WriteConfigIni(
      "[Config0]\nK0=-1\n[ShareData]\nDPI_LEVEL=7\nDPI0_R=16\nDPI0_G=-3\nDPI0_B=15\n"
      "LED_USER6_R=99\nLED_USER6_G=-1\nLED_USER6_B=4\nLED_BRIGHT=9\nLED_FEATURE_DIREC=-2\n"
      "LED_CYCTIME=200\nDPI_SPEED=50\nWHEEL_SPEED=0\nUSB_SPEED=9\nFIRE_TIME=12345\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));

  EXPECT_EQ(g_keyFunction[0][0], 0);
  EXPECT_EQ(g_dpiLevel, 0);
  EXPECT_EQ(g_dpiRgb[0][0], 15);
  EXPECT_EQ(g_dpiRgb[0][1], 0);
  EXPECT_EQ(g_dpiRgb[0][2], 15);
  EXPECT_EQ(g_ledUserRgb[6][0], 15);
  EXPECT_EQ(g_ledUserRgb[6][1], 0);
  EXPECT_EQ(g_ledUserColor[6], DisplayColorOf(15, 0, 4));
  EXPECT_EQ(g_ledBrightness, 6);
  EXPECT_EQ(g_ledDirection, 0);
  EXPECT_EQ(g_ledCycleTime, 5);
  EXPECT_EQ(g_pointerSpeed, 10);
  EXPECT_EQ(g_wheelSpeed, 0);
  EXPECT_EQ(g_usbRate, 0);       // the choice rate 9 already meant: code 7
  EXPECT_EQ(g_usbRateCode, 7);
  EXPECT_EQ(g_fireTime, 300);    // "1234" after the buffer, then the fire time's limit

  WriteConfigIni("[ShareData]\nDPI_LEVEL=-1\nLED_BRIGHT=-4\nLED_FEATURE_DIREC=8\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));
  EXPECT_EQ(g_dpiLevel, 0);
  EXPECT_EQ(g_ledBrightness, 0);
  EXPECT_EQ(g_ledDirection, 3);
}

TEST_F(ConfigLoadTest, MissingFileIsReportedAndChangesNothing) {
  g_keyFunction[0][0] = 5;
  g_dpiValue[2] = 9;
  g_fireTime = 77;
  const auto before = SettingsSnapshot();

  EXPECT_FALSE(LoadConfigSection(g_configFolder, 0, false));
  EXPECT_FALSE(LoadConfigSection(g_configFolder, 1, true));
  EXPECT_EQ(SettingsSnapshot(), before);
  const std::vector<UserMessage> expected = {
      SameInBothLanguages(u"Error：Config.ini文件不存在!"),
      SameInBothLanguages(u"Error：ConfigReset.ini文件不存在!")};
  EXPECT_EQ(messages_.messages(), expected);
}

TEST_F(ConfigLoadTest, RefusesAConfigurationOutsideTheTables) {
  WriteConfigIni(RealisticConfigIni());
  const auto before = SettingsSnapshot();
  EXPECT_FALSE(LoadConfigSection(g_configFolder, 4, false));
  EXPECT_FALSE(LoadConfigSection(g_configFolder, -1, false));
  EXPECT_FALSE(SaveConfigSection(g_configIniPath, 4));
  EXPECT_EQ(SettingsSnapshot(), before);
}

TEST_F(ConfigLoadTest, InitSectionSelectsConfigurationAndLanguage) {
  struct Case {
    const char* curConfig;
    const char* verSel;
    int32_t expectedConfig;
    uint8_t expectedEnglish;
  };
  const Case cases[] = {{"2", "1", 2, 1}, {"7", "256", 0, 0}, {"-1", "0", 0, 0}, {"", "", 0, 0},
                        {"3", "257", 3, 1}};
  for (const auto& c : cases) {
    WriteConfigIni(std::string("[Init]\nCurConfig=") + c.curConfig + "\nVER_SEL=" + c.verSel +
                   "\nConfigNum=4\n");
    const InitSection init = LoadInitSection(g_configIniPath);
    EXPECT_EQ(init.curConfig, c.expectedConfig) << c.curConfig;
    EXPECT_EQ(g_curConfig, c.expectedConfig) << c.curConfig;
    EXPECT_EQ(g_isEnglish, c.expectedEnglish) << c.verSel;
    EXPECT_EQ(init.configNum, 4);
  }
}

TEST_F(ConfigLoadTest, ConfigurationNamesByLanguageCutToFourteenCharacters) {
  WriteConfigIni(
      "[Init]\nConfigName1=办公\nConfigName2=游戏\nConfigName4=ABCDEFGHIJKLMNOPQ\n"
      "ConfigName1_EN=Office\nConfigName3_EN=Shooter\n");
  LoadConfigNames(g_configIniPath, false);
  EXPECT_EQ(g_configNames[0], u"办公");
  EXPECT_EQ(g_configNames[1], u"游戏");
  EXPECT_EQ(g_configNames[2], u"");
  EXPECT_EQ(g_configNames[3], u"ABCDEFGHIJKLMN");
  LoadConfigNames(g_configIniPath, true);
  EXPECT_EQ(g_configNames[0], u"Office");
  EXPECT_EQ(g_configNames[2], u"Shooter");
  EXPECT_EQ(g_configNames[3], u"");
}

TEST_F(ConfigLoadTest, InitWritersStoreConfigurationAndLanguage) {
  WriteConfigIni(RealisticConfigIni());
  g_curConfig = 3;
  EXPECT_TRUE(SaveCurConfig(g_configIniPath));
  EXPECT_TRUE(SaveLanguage(g_configIniPath, false));
  EXPECT_EQ(Read(u"Init", u"CurConfig"), "3");
  EXPECT_EQ(Read(u"Init", u"VER_SEL"), "0");
  EXPECT_TRUE(SaveLanguage(g_configIniPath, true));
  EXPECT_EQ(Read(u"Init", u"VER_SEL"), "1");
  EXPECT_EQ(LoadInitSection(g_configIniPath).curConfig, 3);
}

}  // namespace
}  // namespace gm::test
