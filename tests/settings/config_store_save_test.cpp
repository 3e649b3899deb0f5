#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "settings/config_store.h"
#include "settings_test_support.h"

namespace gm::test {
namespace {

using ConfigSaveTest = SettingsFolderTest;

bool SaveAllConfigurations(const std::filesystem::path& file) {
  bool ok = true;
  for (int c = 0; c < kConfigCount; ++c) ok = SaveConfigSection(file, c) && ok;
  return ok;
}

// Key names of one section in file order.
std::vector<std::string> KeysOfSection(const std::string& text, const std::string& section) {
  std::vector<std::string> keys;
  std::istringstream lines(text);
  bool inSection = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[" + section + "]";
    } else if (inSection && line.find('=') != std::string::npos) {
      keys.push_back(line.substr(0, line.find('=')));
    }
  }
  return keys;
}

TEST_F(ConfigSaveTest, SavedSettingsLoadBackIdentically) {
  TempDir source;
  const auto sourceFolder = source.path() / "";
  WriteFileBytes(sourceFolder / "config.ini", RealisticConfigIni());
  auto loadFrom = [](const std::filesystem::path& folder) {
    ResetSettingsToStartValues();
    for (int c = 0; c < kConfigCount; ++c) ASSERT_TRUE(LoadConfigSection(folder, c, false));
  };
  loadFrom(sourceFolder);
  const auto loaded = SettingsSnapshot();
  ResetSettingsToStartValues();
  ASSERT_NE(SettingsSnapshot(), loaded);

  // Over a settings file that holds other values, and into a file that does not exist yet
  // (which shows that every key the loader reads is also saved).
  WriteConfigIni(RealisticConfigIni(1));
  TempDir fresh;
  for (const auto& target : {g_configFolder, fresh.path() / ""}) {
    loadFrom(sourceFolder);
    ASSERT_TRUE(SaveAllConfigurations(target / "config.ini"));
    loadFrom(target);
    EXPECT_EQ(SettingsSnapshot(), loaded) << target;
  }
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(Read(u"KEYMAP", u"K7_MAP"), "7");  // other sections stay
}

TEST_F(ConfigSaveTest, WritesKeyValuesAndFlagsInTheirStoredForm) {
  WriteConfigIni("[Config0]\nK0=300,1\nK1=42,225\n[ShareData]\nDPI_SET_EN0=7\n");
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));
  g_ledCycleTime = 3;
  g_dpiEnable[1] = 9;
  ASSERT_TRUE(SaveConfigSection(g_configIniPath, 0));

  EXPECT_EQ(Read(u"Config0", u"K0"), "300");  // a non-keyboard parameter is not kept
  EXPECT_EQ(Read(u"Config0", u"K1"), "42,225");
  EXPECT_EQ(Read(u"ShareData", u"DPI_SET_EN0"), "1");
  EXPECT_EQ(Read(u"ShareData", u"DPI_SET_EN1"), "1");
  EXPECT_EQ(Read(u"ShareData", u"LED_CYCTIME"), "3");
  EXPECT_EQ(Read(u"ShareData", u"LED_CYC_TIME"), "3");
}

TEST_F(ConfigSaveTest, NewFileGetsItsKeysInWriteOrder) {
  ASSERT_TRUE(SaveConfigSection(g_configIniPath, 2));
  const std::string text = ReadFileBytes(g_configIniPath);

  std::vector<std::string> config;
  for (int i = 0; i < kMaxKeys; ++i) {
    for (const char* key : {"K", "LED_REACT_EN", "LEFT_MAC", "LED_REACT_TYPE"}) {
      config.push_back(key + std::to_string(i));
    }
  }
  config.push_back("WHEEL_STATUS");
  EXPECT_EQ(KeysOfSection(text, "Config2"), config);

  std::vector<std::string> share = {"DPI_LEVEL", "LED_USER_COLER_EN", "CYC_7COL_EN"};
  for (int j = 0; j < kDpiLevelCount; ++j) {
    const std::string n = std::to_string(j);
    for (const std::string& key : {"DPI_SET" + n, "DPI_SET_EN" + n, "DPI" + n + "_R",
                                  "DPI" + n + "_G", "DPI" + n + "_B"}) {
      share.push_back(key);
    }
  }
  for (int k = 0; k < kUserColorCount; ++k) {
    for (const char* c : {"_R", "_G", "_B"}) share.push_back("LED_USER" + std::to_string(k) + c);
  }
  share.push_back("LED_TYPE");
  for (int k = 0; k < kLedTypeCount; ++k) share.push_back("LED_TYPE_SW_EN" + std::to_string(k));
  for (const char* key : {"LED_CYC_TIME", "LED_FEATURE_SCOLOR", "LED_FEATURE_SYMMETRY",
                          "LED_FEATURE_DIREC", "LED_BRIGHT", "LED_CYCTIME", "DPI_SPEED",
                          "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME"}) {
    share.push_back(key);
  }
  EXPECT_EQ(KeysOfSection(text, "ShareData"), share);
}

TEST_F(ConfigSaveTest, DpiLevelSaveWritesOnlyTheLevel) {
  WriteConfigIni(RealisticConfigIni());
  const std::string before = Read(u"ShareData", u"DPI_SET0");
  g_dpiLevel = 4;
  g_dpiValue[0] = 15;
  ASSERT_TRUE(SaveDpiLevel(g_configIniPath));
  EXPECT_EQ(Read(u"ShareData", u"DPI_LEVEL"), "4");
  EXPECT_EQ(Read(u"ShareData", u"DPI_SET0"), before);
}

TEST_F(ConfigSaveTest, ReportsAFileThatCannotBeWritten) {
  const auto missingFolder = dir_ / "no such folder" / "config.ini";
  EXPECT_FALSE(SaveConfigSection(missingFolder, 0));
  EXPECT_FALSE(SaveDpiLevel(missingFolder));
  EXPECT_FALSE(SaveCurConfig(missingFolder));
  EXPECT_FALSE(std::filesystem::exists(missingFolder));
}

}  // namespace
}  // namespace gm::test
