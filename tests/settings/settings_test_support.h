#pragma once
// Shared by the settings tests: the process state reset, a data folder with its paths
// installed, messages recorded; a realistic config.ini; a snapshot of every setting.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "support/temp_dir.h"

namespace gm::test {

class SettingsFolderTest : public ::testing::Test {
 protected:
  SettingsFolderTest() {
    ResetProcessState();
    SetDataPaths(dir_.path(), false);
    std::filesystem::create_directories(g_configFolder);
  }
  ~SettingsFolderTest() override { ResetProcessState(); }

  void WriteConfigIni(std::string_view text) const { WriteFileBytes(g_configIniPath, text); }
  void WriteFactoryIni(std::string_view text) const {
    WriteFileBytes(g_configFolder / "configReset.ini", text);
  }
  static std::string Read(std::u16string_view section, std::u16string_view key,
                          const std::filesystem::path& file = g_configIniPath) {
    return ToUtf8(GetPrivateProfileStringW(section, key, u"<missing>", 300, file));
  }

  TempDir dir_;
  MessageRecorder messages_;
};

// A config.ini as the maker ships it, with every key of every section and values that differ
// between configurations and keys. `variant` shifts the values, so two files differ.
inline std::string RealisticConfigIni(int variant = 0) {
  auto n = [](int v) { return std::to_string(v); };
  std::string s = "\xEF\xBB\xBF[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\nConfigNum=4\r\n";
  for (int i = 1; i <= 4; ++i) {
    s += "ConfigName" + n(i) + "=配置" + n(i) + "\r\nConfigName" + n(i) + "_EN=Profile " + n(i) +
         "\r\n";
  }
  s += "[PRODUCTNAME]\r\nPRODUCTNAME_CN=游戏鼠标 G9\r\nPRODUCTNAME_EN=Gaming Mouse G9\r\n";
  s += "[KEYNUM]\r\nKeyNum=7\r\n[KEYMAP]\r\n";
  for (int i = 1; i <= 7; ++i) s += "K" + n(i) + "_MAP=" + n(i) + "\r\n";
  const char* functions[4][kMaxKeys] = {
      {"1", "2", "3", "4", "5", "6", "19", "42,4", "0"},
      {"1", "2", "42,44", "257", "16", "513", "23", "33", "0"},
      {"1", "2", "50", "42,225", "17", "256", "20", "12", "0"},
      {"1", "3", "2", "28", "6", "769", "21", "42,41", "0"}};
  for (int c = 0; c < kConfigCount; ++c) {
    s += "\r\n[Config" + n(c) + "]\r\n";
    for (int i = 0; i < kMaxKeys; ++i) {
      s += "K" + n(i) + "=" + functions[c][i] + "\r\n";
      s += "LED_REACT_EN" + n(i) + "=" + n((i + c + variant) % 2) + "\r\n";
      s += "LEFT_MAC" + n(i) + "=" + n(i == 5 ? 1 : 0) + "\r\n";
      s += "LED_REACT_TYPE" + n(i) + "=" + n((i * c + variant) % 4) + "\r\n";
    }
    s += "WHEEL_STATUS=" + n((c + variant) % 2) + "\r\n";
  }
  s += "\r\n[ShareData]\r\nDPI_LEVEL=" + n(2 + variant) + "\r\nLED_USER_COLER_EN=1\r\n";
  s += "CYC_7COL_EN=" + n(109 - variant) + "\r\n";
  for (int j = 0; j < kDpiLevelCount; ++j) {
    s += "DPI_SET" + n(j) + "=" + n(2 + 3 * j - variant) + "\r\nDPI_SET_EN" + n(j) + "=" +
         n(j == 3 ? 0 : 1) + "\r\n";
    s += "DPI" + n(j) + "_R=" + n(15 - 2 * j) + "\r\nDPI" + n(j) + "_G=" + n(j + variant) +
         "\r\nDPI" + n(j) + "_B=" + n(3 * j % 16) + "\r\n";
  }
  for (int k = 0; k < kUserColorCount; ++k) {
    s += "LED_USER" + n(k) + "_R=" + n(2 * k) + "\r\nLED_USER" + n(k) + "_G=" + n(15 - k) +
         "\r\nLED_USER" + n(k) + "_B=" + n((5 * k + variant) % 16) + "\r\n";
  }
  s += "LED_TYPE=3\r\n";
  for (int k = 0; k < kLedTypeCount; ++k)
    s += "LED_TYPE_SW_EN" + n(k) + "=" + n(k % 3 ? 1 : 0) + "\r\n";
  s += "LED_CYC_TIME=4\r\nLED_FEATURE_SCOLOR=2\r\nLED_FEATURE_SYMMETRY=1\r\n";
  s += "LED_FEATURE_DIREC=" + n(2 + variant) + "\r\nLED_BRIGHT=3\r\nLED_CYCTIME=" + n(4 - variant) +
       "\r\n";
  s += "DPI_SPEED=6\r\nWHEEL_SPEED=3\r\nUSB_SPEED=" + n(2 + variant) + "\r\nFIRE_TIME=" +
       n(120 + variant) + "\r\n";
  return s;
}

// Every setting global by name, so a failed comparison names the fields that differ.
inline std::map<std::string, std::string> SettingsSnapshot() {
  std::map<std::string, std::string> all;
  auto put = [&](const std::string& name, auto value) {
    all[name] = std::to_string(static_cast<long long>(value));
  };
  auto at = [](const char* name, int a, int b = -1) {
    std::string s = std::string(name) + "[" + std::to_string(a) + "]";
    return b < 0 ? s : s + "[" + std::to_string(b) + "]";
  };
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      put(at("function", c, k), g_keyFunction[c][k].load());
      put(at("macroMode", c, k), g_keyMacroMode[c][k].load());
      put(at("reactEnable", c, k), g_ledReactEnable[c][k].load());
      put(at("reactType", c, k), g_ledReactType[c][k].load());
    }
    for (int k = 0; k < kKeyParamStride; ++k) put(at("param", c, k), g_keyParam[c][k].load());
    all[at("name", c)] = ToUtf8(g_configNames[c]);
  }
  for (int j = 0; j < kDpiLevelCount; ++j) {
    put(at("dpiValue", j), g_dpiValue[j].load());
    put(at("dpiEnable", j), g_dpiEnable[j].load());
    for (int n = 0; n < kColorComponents; ++n) put(at("dpiRgb", j, n), g_dpiRgb[j][n].load());
  }
  for (int k = 0; k < kLedTypeCount; ++k) put(at("ledTypeEnable", k), g_ledTypeEnable[k].load());
  for (int k = 0; k < kUserColorCount; ++k) {
    for (int n = 0; n < kColorComponents; ++n) put(at("userRgb", k, n), g_ledUserRgb[k][n].load());
    put(at("userColor", k), g_ledUserColor[k].load());
    put(at("cycleEnable", k), g_cycleColorEnable[k].load());
  }
  put("curConfig", g_curConfig.load());
  put("dpiLevel", g_dpiLevel.load());
  put("wheelStatus", g_wheelStatus.load());
  put("ledType", g_ledType.load());
  put("ledCycleTime", g_ledCycleTime.load());
  put("userColorEnable", g_ledUserColorEnable.load());
  put("singleColor", g_ledSingleColor.load());
  put("direction", g_ledDirection.load());
  put("symmetry", g_ledSymmetry.load());
  put("brightness", g_ledBrightness.load());
  put("cycleMask", g_cycleColorMask.load());
  put("pointerSpeed", g_pointerSpeed.load());
  put("wheelSpeed", g_wheelSpeed.load());
  put("usbRate", g_usbRate.load());
  put("usbRateCode", g_usbRateCode.load());
  put("fireTime", g_fireTime.load());
  put("isEnglish", g_isEnglish.load());
  return all;
}

inline bool LoadAllConfigurations() {
  bool ok = true;
  for (int c = 0; c < kConfigCount; ++c) ok = LoadConfigSection(g_configFolder, c, false) && ok;
  return ok;
}

}  // namespace gm::test
