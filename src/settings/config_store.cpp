#include "settings/config_store.h"

#include <system_error>

#include "platform/message_sink.h"
#include "platform/save_failure.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/ini_section.h"
#include "settings/key_function_value.h"
#include "settings/setting_limits.h"

namespace gm {

namespace {

constexpr std::u16string_view kShareDataSection = u"ShareData";
constexpr std::u16string_view kColorSuffixes[kColorComponents] = {u"_R", u"_G", u"_B"};
constexpr int kLedTypeEnableKeys = kLedTypeCount;  // LED_TYPE_SW_EN0..9

UserMessage MissingSettingsFileMessage(bool fromFactory) {
  return SameInBothLanguages(fromFactory ? u"Error：ConfigReset.ini文件不存在!"
                                         : u"Error：Config.ini文件不存在!");
}

UserMessage MalformedKeyValueMessage() { return SameInBothLanguages(u"加载ini错误！"); }

bool IsConfigIndex(int configuration) {
  return configuration >= 0 && configuration < kConfigCount;
}

std::u16string ConfigSectionName(int configuration) {
  return IndexedKey(u"Config", configuration);
}

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

void LoadKeys(const IniSectionReader& config, int c) {
  for (int i = 0; i < kMaxKeys; ++i) {
    const KeyFunctionValue value =
        ParseKeyFunctionValue(config.Text(IndexedKey(u"K", i), kKeyFunctionBuffer));
    if (value.tooManyCommas) ShowUserMessage(MalformedKeyValueMessage());
    g_keyFunction[c][i] = KeyFunctionOnLoad(value.function);
    g_keyParam[c][i] = value.param;
    g_keyMacroMode[c][i] = config.Number(IndexedKey(u"LEFT_MAC", i), kShortValueBuffer);
    g_ledReactEnable[c][i] = config.Number(IndexedKey(u"LED_REACT_EN", i), kShortValueBuffer);
    g_ledReactType[c][i] = config.Number(IndexedKey(u"LED_REACT_TYPE", i), kShortValueBuffer);
  }
  g_wheelStatus = config.Number(u"WHEEL_STATUS", kShortValueBuffer);
}

void LoadDpiLevels(const IniSectionReader& share) {
  g_dpiLevel = DpiLevelOnLoad(share.Number(u"DPI_LEVEL", kShortValueBuffer));
  for (int j = 0; j < kDpiLevelCount; ++j) {
    g_dpiValue[j] =
        DpiStepOnLoad(LowByte(share.Number(IndexedKey(u"DPI_SET", j), kMediumValueBuffer)));
    g_dpiEnable[j] = share.Number(IndexedKey(u"DPI_SET_EN", j), kMediumValueBuffer) != 0 ? 1 : 0;
    for (int n = 0; n < kColorComponents; ++n) {
      g_dpiRgb[j][n] = ColorComponentOnLoad(
          share.Number(IndexedKey(u"DPI", j, kColorSuffixes[n]), kMediumValueBuffer));
    }
  }
}

void LoadUserColors(const IniSectionReader& share) {
  for (int k = 0; k < kUserColorCount; ++k) {
    int32_t rgb[kColorComponents] = {};
    for (int n = 0; n < kColorComponents; ++n) {
      rgb[n] = ColorComponentOnLoad(
          share.Number(IndexedKey(u"LED_USER", k, kColorSuffixes[n]), kMediumValueBuffer));
      g_ledUserRgb[k][n] = rgb[n];
    }
    g_ledUserColor[k] = DisplayColorOf(rgb[0], rgb[1], rgb[2]);
  }
  const uint8_t mask = LowByte(share.Number(u"CYC_7COL_EN", kShortValueBuffer));
  g_cycleColorMask = mask;
  for (int k = 0; k < kUserColorCount; ++k) g_cycleColorEnable[k] = (mask >> k) & 1;
}

void LoadLighting(const IniSectionReader& share) {
  g_ledType = LowByte(share.Number(u"LED_TYPE", kShortValueBuffer));
  for (int k = 0; k < kLedTypeEnableKeys; ++k) {
    g_ledTypeEnable[k] = share.Number(IndexedKey(u"LED_TYPE_SW_EN", k), kShortValueBuffer);
  }
  g_ledCycleTime = LedCycleTimeOnLoad(LowByte(share.Number(u"LED_CYCTIME", kShortValueBuffer)));
  g_ledUserColorEnable = share.Number(u"LED_USER_COLER_EN", kShortValueBuffer);
  g_ledSingleColor = share.Number(u"LED_FEATURE_SCOLOR", kShortValueBuffer);
  g_ledDirection = LedDirectionOnLoad(share.Number(u"LED_FEATURE_DIREC", kShortValueBuffer));
  g_ledSymmetry = share.Number(u"LED_FEATURE_SYMMETRY", kShortValueBuffer);
  g_ledBrightness = LedBrightnessOnLoad(share.Number(u"LED_BRIGHT", kShortValueBuffer));
  LoadUserColors(share);
}

void LoadSpeedsAndRate(const IniSectionReader& share) {
  g_pointerSpeed = WindowsSpeedOnLoad(LowByte(share.Number(u"DPI_SPEED", kShortValueBuffer)));
  g_wheelSpeed = WindowsSpeedOnLoad(LowByte(share.Number(u"WHEEL_SPEED", kShortValueBuffer)));
  const uint8_t rate = UsbRateOnLoad(LowByte(share.Number(u"USB_SPEED", kShortValueBuffer)));
  g_usbRate = rate;
  g_usbRateCode = UsbRateCodeOf(rate);
  g_fireTime = FireTimeOnLoad(share.Number(u"FIRE_TIME", kShortValueBuffer));
}

void SaveKeys(IniSectionWriter& config, int c) {
  for (int i = 0; i < kMaxKeys; ++i) {
    config.Text(IndexedKey(u"K", i), FormatKeyFunctionValue(g_keyFunction[c][i], g_keyParam[c][i]));
    config.Number(IndexedKey(u"LED_REACT_EN", i), g_ledReactEnable[c][i]);
    config.Number(IndexedKey(u"LEFT_MAC", i), g_keyMacroMode[c][i]);
    config.Number(IndexedKey(u"LED_REACT_TYPE", i), g_ledReactType[c][i]);
  }
  config.Number(u"WHEEL_STATUS", g_wheelStatus);
}

void SaveShareData(IniSectionWriter& share) {
  const uint8_t cycleTime = g_ledCycleTime;
  share.Number(u"DPI_LEVEL", g_dpiLevel);
  share.Number(u"LED_USER_COLER_EN", g_ledUserColorEnable);
  share.Number(u"CYC_7COL_EN", g_cycleColorMask);
  for (int j = 0; j < kDpiLevelCount; ++j) {
    share.Number(IndexedKey(u"DPI_SET", j), g_dpiValue[j]);
    share.Number(IndexedKey(u"DPI_SET_EN", j), g_dpiEnable[j] != 0 ? 1 : 0);
    for (int n = 0; n < kColorComponents; ++n) {
      share.Number(IndexedKey(u"DPI", j, kColorSuffixes[n]), g_dpiRgb[j][n]);
    }
  }
  for (int k = 0; k < kUserColorCount; ++k) {
    for (int n = 0; n < kColorComponents; ++n) {
      share.Number(IndexedKey(u"LED_USER", k, kColorSuffixes[n]), g_ledUserRgb[k][n]);
    }
  }
  share.Number(u"LED_TYPE", g_ledType);
  for (int k = 0; k < kLedTypeEnableKeys; ++k) {
    share.Number(IndexedKey(u"LED_TYPE_SW_EN", k), g_ledTypeEnable[k]);
  }
  share.Number(u"LED_CYC_TIME", cycleTime);  // a second name for LED_CYCTIME; never read
  share.Number(u"LED_FEATURE_SCOLOR", g_ledSingleColor);
  share.Number(u"LED_FEATURE_SYMMETRY", g_ledSymmetry);
  share.Number(u"LED_FEATURE_DIREC", g_ledDirection);
  share.Number(u"LED_BRIGHT", g_ledBrightness);
  share.Number(u"LED_CYCTIME", cycleTime);
  share.Number(u"DPI_SPEED", g_pointerSpeed);
  share.Number(u"WHEEL_SPEED", g_wheelSpeed);
  share.Number(u"USB_SPEED", g_usbRate);
  share.Number(u"FIRE_TIME", g_fireTime);
}

}  // namespace

bool LoadConfigSection(const std::filesystem::path& folder, int configuration, bool fromFactory) {
  if (!IsConfigIndex(configuration)) return false;
  const std::filesystem::path file =
      folder / (fromFactory ? kFactorySettingsFileName : kSettingsFileName);
  if (!FileExists(file)) {
    ShowUserMessage(MissingSettingsFileMessage(fromFactory));
    return false;
  }
  LoadKeys(IniSectionReader(file, ConfigSectionName(configuration)), configuration);
  const IniSectionReader share(file, std::u16string(kShareDataSection));
  LoadDpiLevels(share);
  LoadLighting(share);
  LoadSpeedsAndRate(share);
  return true;
}

namespace {

// Sets section Config<configuration> and the whole of ShareData in the batch.
void SetConfigSection(ProfileWriteBatch& batch, int configuration) {
  IniSectionWriter config(batch, ConfigSectionName(configuration));
  SaveKeys(config, configuration);
  IniSectionWriter share(batch, std::u16string(kShareDataSection));
  SaveShareData(share);
}

}  // namespace

bool SaveConfigSection(const std::filesystem::path& file, int configuration) {
  if (!IsConfigIndex(configuration)) return false;
  const SaveFailureReport report;
  ProfileWriteBatch batch(file);
  SetConfigSection(batch, configuration);
  return batch.Write();
}

bool SaveConfigSections(const std::filesystem::path& file) {
  const SaveFailureReport report;
  ProfileWriteBatch batch(file);
  for (int c = 0; c < kConfigCount; ++c) SetConfigSection(batch, c);
  return batch.Write();
}

bool SaveDpiLevel(const std::filesystem::path& file) {
  const SaveFailureReport report;
  ProfileWriteBatch batch(file);
  IniSectionWriter share(batch, std::u16string(kShareDataSection));
  share.Number(u"DPI_LEVEL", g_dpiLevel);
  return batch.Write();
}

}  // namespace gm
