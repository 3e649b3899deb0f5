#include "default_settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_function.h"

namespace gm::datagen {

namespace {

// ---- Key functions by name. The mouse performs 1..22 itself; their captions are the keys
// page's FUN_STRING texts.
constexpr int32_t kLeftButton = 1;
constexpr int32_t kRightButton = 2;
constexpr int32_t kMiddleButton = 3;
constexpr int32_t kForward = 4;
constexpr int32_t kBack = 5;
constexpr int32_t kDpiCycle = 6;
constexpr int32_t kDpiUp = 16;
constexpr int32_t kDpiDown = 17;
constexpr int32_t kNextConfig = 19;  // the first configuration key: on to the next one
// Multimedia keys: the host sends consumer usage code - 23.
constexpr int32_t kVolumeUp = 26;
constexpr int32_t kVolumeDown = 27;
constexpr int32_t kPreviousTrack = 28;
constexpr int32_t kNextTrack = 29;
constexpr int32_t kPlayPause = 31;
// Built-in macros: code - 33 is the macro's place in constMacro.dat (data/builtin_macros.txt).
constexpr int32_t kCopy = 33;
constexpr int32_t kPaste = 34;
constexpr int32_t kUndo = 36;
constexpr int32_t kDoubleClick = 38;
constexpr int32_t kSwitchWindow = 40;
// A keyboard key: the parameter is its HID keyboard usage.
constexpr uint8_t kUsageR = 0x15;

struct KeyAssignment {
  int32_t function;
  uint8_t param = 0;
};

struct ConfigurationDefaults {
  std::u16string_view nameCn;  // at most 14 units each (read with a 15-unit buffer)
  std::u16string_view nameEn;
  std::array<KeyAssignment, kMaxKeys> keys;
};

// Keys 0..8 of the nine-key mouse: left, right and middle button, forward and back on the
// side, DPI up and down behind the wheel, the DPI loop key and the next-configuration key on
// top. Every configuration keeps the three main buttons and the configuration key, so each
// one can be left with the mouse alone.
constexpr std::array<ConfigurationDefaults, kConfigCount> kConfigurations{{
    {u"标准", u"Standard",
     {{{kLeftButton}, {kRightButton}, {kMiddleButton}, {kForward}, {kBack}, {kDpiUp},
       {kDpiDown}, {kDpiCycle}, {kNextConfig}}}},
    {u"多媒体", u"Multimedia",
     {{{kLeftButton}, {kRightButton}, {kMiddleButton}, {kVolumeUp}, {kVolumeDown},
       {kNextTrack}, {kPreviousTrack}, {kPlayPause}, {kNextConfig}}}},
    {u"办公", u"Office",
     {{{kLeftButton}, {kRightButton}, {kMiddleButton}, {kCopy}, {kPaste}, {kUndo},
       {kSwitchWindow}, {kDoubleClick}, {kNextConfig}}}},
    {u"游戏", u"Game",
     {{{kLeftButton}, {kRightButton}, {kMiddleButton}, {kForward}, {kBack}, {kDpiUp},
       {kDpiDown}, {kKeyboardKeyFunction, kUsageR}, {kNextConfig}}}},
}};

constexpr int32_t kStartConfiguration = 0;
constexpr int32_t kEnglishInterface = 1;
constexpr std::u16string_view kProductNameCn = u"GMouse G9";
constexpr std::u16string_view kProductNameEn = u"GMouse G9";
constexpr std::size_t kMaxConfigNameUnits = 14;
constexpr std::size_t kMaxProductNameUnits = 49;

// ---- Shared block.
struct Rgb {
  int32_t red, green, blue;  // 0 (full intensity) .. 15 (off)
};
constexpr int32_t kOn = 0;
constexpr int32_t kHalf = 7;
constexpr int32_t kOff = 15;
constexpr Rgb kRed{kOn, kOff, kOff};
constexpr Rgb kOrange{kOn, kHalf, kOff};
constexpr Rgb kYellow{kOn, kOn, kOff};
constexpr Rgb kGreen{kOff, kOn, kOff};
constexpr Rgb kCyan{kOff, kOn, kOn};
constexpr Rgb kBlue{kOff, kOff, kOn};
constexpr Rgb kPurple{kHalf, kOff, kOn};
constexpr Rgb kMagenta{kOn, kOff, kOn};

struct DpiLevelDefaults {
  uint8_t step;  // slider step 0..16: 2 = 400, 4 = 800, 7 = 1600, 11 = 2400, 13 = 3200 CPI...
  Rgb color;
};
constexpr std::array<DpiLevelDefaults, kDpiLevelCount> kDpiLevels{{
    {2, kRed}, {4, kGreen}, {7, kBlue}, {11, kYellow}, {13, kCyan}, {15, kMagenta},
}};
constexpr int32_t kStartDpiLevel = 2;  // 1600 CPI

// The seven user colours, a rainbow, all in the colour cycle.
constexpr std::array<Rgb, kUserColorCount> kUserColors{
    {kRed, kOrange, kYellow, kGreen, kCyan, kBlue, kPurple}};
constexpr uint8_t kAllUserColorsCycle = 0x7F;

constexpr uint8_t kLedMode = 1;            // the first entry of the lighting-mode menu
constexpr int32_t kLedModeInCycle = 1;     // every mode takes part in the mode cycle
constexpr uint8_t kLedSpeed = 3;           // 0..5
constexpr int32_t kLedBrightness = 0;      // 0 brightest .. 6
constexpr uint8_t kPointerSpeed = 5;       // the desktop's middle pointer speed (10 of 20)
constexpr uint8_t kWheelSpeed = 2;         // three lines per notch
constexpr uint8_t kReportRate = 3;         // 1000 reports a second (rate code 0, 1 ms ticks)
constexpr int32_t kFireTime = 50;

void SetSharedBlock() {
  g_dpiLevel = kStartDpiLevel;
  for (int j = 0; j < kDpiLevelCount; ++j) {
    g_dpiValue[j] = kDpiLevels[j].step;
    g_dpiEnable[j] = 1;
    g_dpiRgb[j][0] = kDpiLevels[j].color.red;
    g_dpiRgb[j][1] = kDpiLevels[j].color.green;
    g_dpiRgb[j][2] = kDpiLevels[j].color.blue;
  }
  g_ledType = kLedMode;
  for (auto& enable : g_ledTypeEnable) enable = kLedModeInCycle;
  g_ledCycleTime = kLedSpeed;
  g_ledUserColorEnable = 0;
  g_ledSingleColor = 0;
  g_ledDirection = 0;
  g_ledSymmetry = 0;
  g_ledBrightness = kLedBrightness;
  for (int k = 0; k < kUserColorCount; ++k) {
    g_ledUserRgb[k][0] = kUserColors[k].red;
    g_ledUserRgb[k][1] = kUserColors[k].green;
    g_ledUserRgb[k][2] = kUserColors[k].blue;
    g_ledUserColor[k] = DisplayColorOf(kUserColors[k].red, kUserColors[k].green,
                                       kUserColors[k].blue);
    g_cycleColorEnable[k] = (kAllUserColorsCycle >> k) & 1;
  }
  g_cycleColorMask = kAllUserColorsCycle;
  g_pointerSpeed = kPointerSpeed;
  g_wheelSpeed = kWheelSpeed;
  g_usbRate = kReportRate;
  g_usbRateCode = UsbRateCodeOf(kReportRate);
  g_fireTime = kFireTime;
  g_wheelStatus = 0;
}

void SetConfigurations() {
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < kMaxKeys; ++k) {
      g_keyFunction[c][k] = kConfigurations[c].keys[k].function;
      g_keyParam[c][k] = kConfigurations[c].keys[k].param;
      g_keyMacroMode[c][k] = 0;
      g_ledReactEnable[c][k] = 0;
      g_ledReactType[c][k] = 0;
    }
  }
}

std::u16string Key(std::u16string_view prefix, int number, std::u16string_view suffix = u"") {
  return std::u16string(prefix) + DecimalText(number) + std::u16string(suffix);
}

class SettingsFileWriter {
 public:
  SettingsFileWriter(const std::filesystem::path& file, Diagnostics& diagnostics)
      : file_(file), diagnostics_(diagnostics) {}

  void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!WritePrivateProfileStringW(section, key, value, file_)) {
      diagnostics_.Error(file_.string() + ": could not write " + ToUtf8(section) + "/" +
                         ToUtf8(key));
    }
  }
  void Write(std::u16string_view section, std::u16string_view key, int64_t value) {
    Write(section, key, DecimalText(value));
  }

 private:
  const std::filesystem::path& file_;
  Diagnostics& diagnostics_;
};

void CheckNames(const std::filesystem::path& file, Diagnostics& diagnostics) {
  for (const auto& config : kConfigurations) {
    if (config.nameCn.size() > kMaxConfigNameUnits || config.nameEn.size() > kMaxConfigNameUnits) {
      diagnostics.Error(file.string() + ": a configuration name is longer than 14 units");
    }
  }
  if (kProductNameCn.size() > kMaxProductNameUnits ||
      kProductNameEn.size() > kMaxProductNameUnits) {
    diagnostics.Error(file.string() + ": a product name is longer than 49 units");
  }
}

}  // namespace

void WriteSettingsFile(const std::filesystem::path& file, Diagnostics& diagnostics) {
  CheckNames(file, diagnostics);
  std::error_code ec;
  std::filesystem::remove(file, ec);
  if (ec) {
    diagnostics.Error(file.string() + ": cannot replace the file: " + ec.message());
    return;
  }
  SettingsFileWriter out(file, diagnostics);

  out.Write(u"Init", u"CurConfig", kStartConfiguration);
  out.Write(u"Init", u"VER_SEL", kEnglishInterface);
  out.Write(u"Init", u"ConfigNum", kConfigCount);
  for (int c = 0; c < kConfigCount; ++c) {
    out.Write(u"Init", Key(u"ConfigName", c + 1), kConfigurations[c].nameCn);
  }
  for (int c = 0; c < kConfigCount; ++c) {
    out.Write(u"Init", Key(u"ConfigName", c + 1, u"_EN"), kConfigurations[c].nameEn);
  }

  out.Write(u"PRODUCTNAME", u"PRODUCTNAME_CN", kProductNameCn);
  out.Write(u"PRODUCTNAME", u"PRODUCTNAME_EN", kProductNameEn);
  out.Write(u"KEYNUM", u"KeyNum", kMaxKeys);
  // Key k sits at device position k + 1; the key names count from 1.
  for (int i = 1; i <= kMaxKeys; ++i) out.Write(u"KEYMAP", Key(u"K", i, u"_MAP"), i);
  // The factory function of each key in the first configuration.
  for (int i = 1; i <= kMaxKeys; ++i) {
    out.Write(u"KEY_UIFC", Key(u"K", i, u"_INIT_VAL"), kConfigurations[0].keys[i - 1].function);
  }

  ResetSettingsToStartValues();
  SetConfigurations();
  SetSharedBlock();
  for (int c = 0; c < kConfigCount; ++c) {
    if (!SaveConfigSection(file, c)) {
      diagnostics.Error(file.string() + ": could not write configuration " + std::to_string(c));
    }
  }
}

}  // namespace gm::datagen
