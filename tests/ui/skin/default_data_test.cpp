// The factory data that the build lays into the program's data folder: every file exists in
// both language folders, reads back through the program's own readers with its records
// intact, keeps the invariants the device encoder and the editor rely on, and config.ini and
// configReset.ini hold the same settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../../../tools/data_generator/recoil_weapons.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_function.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/process_state.h"
#include "support/temp_dir.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kAppDir = GMOUSE_APP_DIR;
constexpr bool kLanguageFlags[] = {true, false};

// Limits of the data the program itself produces.
constexpr int kMaxEditorDelayMs = 10000;
constexpr int kMaxEditorDistance = 100;
constexpr int kConstMacroKeptSteps = 50;  // constMacro.dat is read with a short buffer
constexpr int kMinShotMs = 40;            // 1500 rounds a minute
constexpr int kMaxShotMs = 200;           // 300 rounds a minute
constexpr int kMinStrength = 1;
constexpr int kMaxStrength = 99;

constexpr uint8_t kUsageC = 0x06;
constexpr uint8_t kUsageLeftControl = 0xE0;

std::string Where(const MacroRecord& r) { return "macro \"" + ToUtf8(MacroNameOf(r)) + "\""; }

bool IsPressReleaseCode(uint8_t code) {
  return (code >= kStepFirstKeyUsage && code <= kStepLastKeyUsage) || code == kStepLeftButton ||
         code == kStepMiddleButton || code == kStepRightButton;
}

// The record invariants: counters equal the steps of their kind and keep their limits,
// lighting steps use blocks 0, 1, 2... in step order with a filled block, every step is one
// the editor can show, and no key or button is left held when the macro ends.
void ExpectUsableMacro(const MacroRecord& r) {
  SCOPED_TRACE(Where(r));
  EXPECT_FALSE(MacroNameOf(r).empty());
  ASSERT_GE(r.stepCount, 1);
  ASSERT_LE(r.stepCount, kMaxMacroSteps);
  const uint8_t mode = r.playMode & kPlayModeMask;
  EXPECT_NE(mode, 3);
  if (mode == kPlayModeRepeat) {
    EXPECT_GE(r.repeatCount, 1);
  } else {
    EXPECT_EQ(r.repeatCount, 1);
  }

  std::map<uint8_t, int> perCode;
  std::set<uint8_t> held;
  for (int s = 0; s < r.stepCount; ++s) {
    SCOPED_TRACE("step " + std::to_string(s));
    const uint8_t code = r.code[s];
    ++perCode[code];
    EXPECT_LE(r.delayMs[s], kMaxEditorDelayMs);
    if (IsPressReleaseCode(code)) {
      if (r.action[s] == kActionPress) {
        EXPECT_TRUE(held.insert(code).second) << "pressed twice";
      } else {
        EXPECT_EQ(r.action[s], kActionRelease);
        EXPECT_EQ(held.erase(code), 1u) << "released while not held";
      }
    } else if (code == kStepMove) {
      EXPECT_GE(r.action[s], kActionMoveXMinusYMinus);
      EXPECT_LE(r.action[s], kActionMoveXPlusYPlus);
      EXPECT_LE(r.xy[s].x, kMaxEditorDistance);
      EXPECT_LE(r.xy[s].y, kMaxEditorDistance);
    } else if (code == kStepDpi) {
      EXPECT_TRUE(r.action[s] == kActionDpiSet || r.action[s] == kActionDpiRestore);
    } else if (code == kStepLighting) {
      EXPECT_GE(r.action[s], kActionLight0);
      EXPECT_LE(r.action[s], kActionLight2);
      ASSERT_EQ(r.xy[s].x, perCode[code] - 1) << "lighting blocks out of step order";
      const MacroLedBlock* block = LedBlockOfStep(r, s);
      ASSERT_NE(block, nullptr);
      EXPECT_GE(block->length, 1);
      EXPECT_LE(block->length, kMaxSpecialSteps);
    } else {
      EXPECT_EQ(code, kStepPause) << "a step kind no generator writes";
    }
  }
  EXPECT_TRUE(held.empty()) << "a key or button is held when the macro ends";
  EXPECT_EQ(r.countF6, perCode[kStepMove]);
  EXPECT_EQ(r.countF7, perCode[kStepCounted]);
  EXPECT_EQ(r.countF8, perCode[kStepDpi]);
  EXPECT_EQ(r.countFA, perCode[kStepMultimedia]);
  EXPECT_EQ(r.countF9, perCode[kStepLighting]);
  EXPECT_EQ(r.countFB, perCode[kStepBlock]);
  EXPECT_LE(r.countF6, kMaxMoveSteps);
  EXPECT_LE(r.countF8, kMaxSpecialSteps);
  EXPECT_LE(r.countF9, kMaxSpecialSteps);
}

// A record without its name, to compare the two languages' copies of one macro.
MacroRecord Unnamed(MacroRecord r) {
  SetMacroName(r, u"");
  return r;
}

bool SameBytes(const MacroRecord& a, const MacroRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<fs::path> FileNamesIn(const fs::path& folder) {
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class DefaultDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProcessState();
    UseLanguage(true);
  }
  void TearDown() override {
    EXPECT_TRUE(messages_.messages().empty()) << "a reader complained";
    ResetProcessState();
  }

  static void UseLanguage(bool english) {
    g_isEnglish = english ? 1 : 0;
    SetDataPaths(kAppDir, english);
  }

  // The groups of the current language's macro folder, each read with the group reader.
  struct LoadedGroup {
    std::u16string name;
    std::vector<MacroRecord> macros;
  };
  static std::vector<LoadedGroup> LoadGroups() {
    LoadMacroGroups();
    std::vector<LoadedGroup> groups;
    for (int g = 0; g < g_macroGroupCount; ++g) {
      EXPECT_TRUE(OpenMacroGroupFile(static_cast<uint8_t>(g), true));
      EXPECT_EQ(g_datVersion, kMacroDatVersion);
      EXPECT_EQ(g_groupEncrypted, 0u) << "factory groups stay editable";
      groups.push_back({g_macroGroupNames[g], {g_macros, g_macros + g_macroCount}});
    }
    return groups;
  }

  MessageRecorder messages_;
};

// ---- Files and folders.

TEST_F(DefaultDataTest, EveryFileExistsInBothLanguageFolders) {
  for (const char* name : {"config.ini", "configReset.ini", "constMacro.dat", "PUBG_EN.dat",
                           "PUBG_CN.dat"}) {
    EXPECT_TRUE(fs::is_regular_file(g_configFolder / name)) << name;
  }
  std::vector<std::size_t> groupCounts;
  for (bool english : kLanguageFlags) {
    UseLanguage(english);
    SCOPED_TRACE(LanguageFolderName(english));
    for (const fs::path& folder : {g_macroDir, g_macroResetDir}) {
      EXPECT_TRUE(fs::is_regular_file(folder / kMacroGroupListFileName)) << folder;
    }
    const auto groups = LoadGroups();
    EXPECT_FALSE(groups.empty());
    for (const auto& group : groups) {
      const fs::path file = ToUtf8(group.name) + ".dat";
      EXPECT_TRUE(fs::is_regular_file(g_macroDir / file)) << file;
      EXPECT_TRUE(fs::is_regular_file(g_macroResetDir / file)) << file;
    }
    groupCounts.push_back(groups.size());
  }
  EXPECT_EQ(groupCounts.front(), groupCounts.back());
}

TEST_F(DefaultDataTest, TheFactoryMacroFolderIsAnExactCopyOfTheMacroFolder) {
  for (bool english : kLanguageFlags) {
    UseLanguage(english);
    SCOPED_TRACE(LanguageFolderName(english));
    const auto names = FileNamesIn(g_macroDir);
    ASSERT_EQ(names, FileNamesIn(g_macroResetDir));
    for (const auto& name : names) {
      EXPECT_EQ(ReadFileBytes(g_macroDir / name), ReadFileBytes(g_macroResetDir / name)) << name;
    }
  }
}

// ---- Macro groups.

TEST_F(DefaultDataTest, GroupMacrosReadBackWholeAndUsable) {
  for (bool english : kLanguageFlags) {
    UseLanguage(english);
    SCOPED_TRACE(LanguageFolderName(english));
    const auto listBefore = ReadFileBytes(g_macroDir / kMacroGroupListFileName);
    const auto groups = LoadGroups();
    // No listed group was missing: the reader dropped nothing and left the list file alone.
    EXPECT_EQ(ReadFileBytes(g_macroDir / kMacroGroupListFileName), listBefore);
    LoadMacroNames();
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
      SCOPED_TRACE(ToUtf8(groups[g].name));
      const auto& macros = groups[g].macros;
      EXPECT_GE(macros.size(), 1u);
      EXPECT_LE(macros.size(), static_cast<std::size_t>(kMacrosPerGroup));
      ASSERT_EQ(g_groupMacroCount[g], macros.size());
      std::set<std::u16string> names;
      for (int m = 0; m < static_cast<int>(macros.size()); ++m) {
        ExpectUsableMacro(macros[m]);
        EXPECT_TRUE(names.insert(MacroNameOf(macros[m])).second) << "two macros of one name";
        EXPECT_EQ(g_macroNames[g * kMacrosPerGroup + m], MacroNameOf(macros[m]));
        // The device threads fetch single macros with their own reader; it sees the same.
        EXPECT_TRUE(SameBytes(LoadGroupMacro(g, m), macros[m]));
      }
    }
  }
}

TEST_F(DefaultDataTest, BothLanguagesHoldTheSameMacrosUnderTheirOwnNames) {
  UseLanguage(true);
  const auto english = LoadGroups();
  UseLanguage(false);
  const auto chinese = LoadGroups();
  ASSERT_EQ(english.size(), chinese.size());
  for (std::size_t g = 0; g < english.size(); ++g) {
    EXPECT_NE(english[g].name, chinese[g].name);
    ASSERT_EQ(english[g].macros.size(), chinese[g].macros.size());
    for (std::size_t m = 0; m < english[g].macros.size(); ++m) {
      EXPECT_TRUE(SameBytes(Unnamed(english[g].macros[m]), Unnamed(chinese[g].macros[m])))
          << Where(english[g].macros[m]);
    }
  }
}

TEST_F(DefaultDataTest, LightingStepsOfTheExamplesUseTheirOwnNumberedBlocks) {
  int lightingSteps = 0;
  for (const auto& group : LoadGroups()) {
    for (const MacroRecord& r : group.macros) {
      for (int s = 0; s < r.stepCount; ++s) {
        if (r.code[s] != kStepLighting) continue;
        ++lightingSteps;
        EXPECT_EQ(r.xy[s].y, 0);
        EXPECT_NE(r.ledBlocks[r.xy[s].x].entries[0][2], 0) << "a light entry without a time";
      }
    }
  }
  EXPECT_GE(lightingSteps, 2) << "the examples show a macro with more than one lighting step";
}

// ---- Built-in macros.

TEST_F(DefaultDataTest, BuiltInMacrosSurviveTheirShortReadBuffer) {
  const fs::path file = g_configFolder / "constMacro.dat";
  LoadConstMacros(file);
  // The key menu offers built-in macros 0..7; functions up to 49 reach macro 16.
  ASSERT_GE(g_constMacroCount, 8);
  ASSERT_LE(g_constMacroCount, kLastBuiltInMacroFunction - kFirstBuiltInMacroFunction + 1);
  EXPECT_EQ(g_datVersion, kMacroDatVersion);

  // The whole-line reader sees exactly what the built-in reader keeps: nothing lies beyond
  // step 49 or in the lighting blocks, which the short buffer would cut off.
  LoadMacroFile(file);
  ASSERT_EQ(g_macroCount, g_constMacroCount);
  std::set<std::u16string> names;
  for (int i = 0; i < g_constMacroCount; ++i) {
    const MacroRecord& r = g_constMacros[i];
    ExpectUsableMacro(r);
    EXPECT_LE(r.stepCount, kConstMacroKeptSteps);
    EXPECT_EQ(r.countF9, 0);
    EXPECT_TRUE(SameBytes(r, g_macros[i])) << Where(r);
    EXPECT_TRUE(names.insert(MacroNameOf(r)).second);
    // Apply plays built-in macros with their repeat count as the header.
    EXPECT_EQ(r.playMode & kPlayModeMask, kPlayModeRepeat) << Where(r);
  }
}

TEST_F(DefaultDataTest, TheFirstBuiltInMacroCopiesWithControlC) {
  LoadConstMacros(g_configFolder / "constMacro.dat");
  ASSERT_GE(g_constMacroCount, 1);
  const MacroRecord& copy = g_constMacros[0];
  EXPECT_EQ(MacroNameOf(copy), u"Copy");
  ASSERT_EQ(copy.stepCount, 4);
  const std::array<std::pair<uint8_t, uint8_t>, 4> expected{{
      {kUsageLeftControl, kActionPress},
      {kUsageC, kActionPress},
      {kUsageC, kActionRelease},
      {kUsageLeftControl, kActionRelease},
  }};
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(copy.code[s], expected[s].first) << s;
    EXPECT_EQ(copy.action[s], expected[s].second) << s;
  }
}

// ---- Recoil macros.

TEST_F(DefaultDataTest, RecoilMacrosFollowTheWeaponTableInBothLanguages) {
  std::vector<MacroRecord> byLanguage[2];
  for (bool english : kLanguageFlags) {
    UseLanguage(english);
    SCOPED_TRACE(LanguageFolderName(english));
    g_gunMacroCount = 0;
    LoadGunMacros();
    ASSERT_EQ(g_gunMacroCount, static_cast<int16_t>(recoil::kRecoilWeaponCount));
    EXPECT_EQ(g_datVersion, kMacroDatVersion);
    for (std::size_t i = 0; i < recoil::kRecoilWeaponCount; ++i) {
      const auto& weapon = recoil::kRecoilWeapons[i];
      EXPECT_EQ(g_gunNames[i], english ? weapon.nameEn : weapon.nameCn);
      EXPECT_EQ(MacroNameOf(g_gunMacros[i]), g_gunNames[i]);
      // The recoil dialog shows picture <index + 1>.jpg for macro <index>.
      EXPECT_EQ(weapon.stem, std::to_string(i + 1));
      byLanguage[english ? 0 : 1].push_back(g_gunMacros[i]);
    }
  }
  for (std::size_t i = 0; i < recoil::kRecoilWeaponCount; ++i) {
    EXPECT_TRUE(SameBytes(Unnamed(byLanguage[0][i]), Unnamed(byLanguage[1][i]))) << i;
  }
}

TEST_F(DefaultDataTest, RecoilMacrosPullDownOncePerShotInTheMousesOwnMode) {
  LoadGunMacros();
  ASSERT_GT(g_gunMacroCount, 0);
  for (int i = 0; i < g_gunMacroCount; ++i) {
    const MacroRecord& r = g_gunMacros[i];
    SCOPED_TRACE(Where(r));
    ExpectUsableMacro(r);
    // The whole mode byte is 2: the device code of a recoil macro depends on it.
    EXPECT_EQ(r.playMode, kPlayModeDevice2);
    EXPECT_EQ(r.repeatCount, 1);
    EXPECT_EQ(r.strengthEnabled, 1);
    EXPECT_GE(r.strength, kMinStrength);
    EXPECT_LE(r.strength, kMaxStrength);
    // The recoil dialog edits the delays of steps 0 and 1 as one value.
    ASSERT_GE(r.stepCount, 2);
    EXPECT_EQ(r.delayMs[0], r.delayMs[1]);
    EXPECT_EQ(r.countF6, r.stepCount);
    for (int s = 0; s < r.stepCount; ++s) {
      EXPECT_EQ(r.code[s], kStepMove) << s;
      EXPECT_EQ(r.action[s], kActionMoveXMinusYPlus) << s;
      EXPECT_EQ(r.xy[s].x, 0) << s;
      // The dialog shows the first non-zero y as the strength and saves the strength into
      // every non-zero y, so they agree from the start.
      EXPECT_EQ(r.xy[s].y, r.strength) << s;
      EXPECT_GE(r.delayMs[s], kMinShotMs) << s;
      EXPECT_LE(r.delayMs[s], kMaxShotMs) << s;
    }
  }
}

TEST_F(DefaultDataTest, EveryRecoilMacroHasItsWeaponPicture) {
  LoadGunMacros();
  for (int i = 0; i < g_gunMacroCount; ++i) {
    const fs::path picture = g_skinsFolder / "Gun" / (std::to_string(i + 1) + ".jpg");
    EXPECT_TRUE(fs::is_regular_file(picture)) << picture;
  }
}

// ---- Settings.

TEST_F(DefaultDataTest, ModelFactsAndInitSectionLoad) {
  LoadKeyMapIni();
  EXPECT_FALSE(g_productNameCn.empty());
  EXPECT_FALSE(g_productNameEn.empty());
  EXPECT_LE(g_productNameEn.size(), 49u);
  ASSERT_EQ(g_keyCount, kMaxKeys);
  std::set<int> positions;
  for (int k = 0; k < kMaxKeys; ++k) {
    EXPECT_EQ(g_keyMap[k], k + 1);
    positions.insert(g_keyMap[k]);
  }
  EXPECT_EQ(positions.size(), static_cast<std::size_t>(kMaxKeys)) << "two keys share a position";

  const InitSection init = LoadInitSection(g_configIniPath);
  EXPECT_EQ(init.curConfig, 0);
  EXPECT_EQ(init.isEnglish, 1);
  EXPECT_EQ(init.configNum, kConfigCount);

  for (bool english : kLanguageFlags) {
    LoadConfigNames(g_configIniPath, english);
    std::set<std::u16string> names;
    for (const auto& name : g_configNames) {
      EXPECT_FALSE(name.empty());
      EXPECT_LE(name.size(), 14u);
      names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kConfigCount));
  }
}

struct ExpectedKey {
  int32_t function;
  uint8_t param;
};
// Standard, multimedia, office and game layouts of the nine keys.
constexpr ExpectedKey kExpectedKeys[kConfigCount][kMaxKeys] = {
    {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {16, 0}, {17, 0}, {6, 0}, {19, 0}},
    {{1, 0}, {2, 0}, {3, 0}, {26, 0}, {27, 0}, {29, 0}, {28, 0}, {31, 0}, {19, 0}},
    {{1, 0}, {2, 0}, {3, 0}, {33, 0}, {34, 0}, {36, 0}, {40, 0}, {38, 0}, {19, 0}},
    {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {16, 0}, {17, 0}, {42, 0x15}, {19, 0}},
};

TEST_F(DefaultDataTest, ConfigurationsLoadWithTheirKeyLayouts) {
  LoadConstMacros(g_configFolder / "constMacro.dat");
  for (int c = 0; c < kConfigCount; ++c) {
    SCOPED_TRACE("configuration " + std::to_string(c));
    ASSERT_TRUE(LoadConfigSection(g_configFolder, c, false));
    bool hasConfigKey = false;
    for (int k = 0; k < kMaxKeys; ++k) {
      const int32_t function = g_keyFunction[c][k];
      EXPECT_EQ(function, kExpectedKeys[c][k].function) << "key " << k;
      EXPECT_EQ(g_keyParam[c][k], kExpectedKeys[c][k].param) << "key " << k;
      EXPECT_EQ(g_keyMacroMode[c][k], 0);
      hasConfigKey = hasConfigKey || IsConfigKeyFunction(function);
      if (IsBuiltInMacroCode(function)) {
        EXPECT_LT(BuiltInMacroIndex(function), g_constMacroCount) << "key " << k;
      }
    }
    // Every configuration can be left with the mouse's own keys.
    EXPECT_TRUE(hasConfigKey);
  }
  EXPECT_EQ(MacroNameOf(g_constMacros[BuiltInMacroIndex(33)]), u"Copy");
  EXPECT_EQ(MacroNameOf(g_constMacros[BuiltInMacroIndex(40)]), u"Switch window");
}

TEST_F(DefaultDataTest, SharedBlockLoadsWithRisingDpiLevels) {
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));
  EXPECT_EQ(g_dpiLevel, 2);
  for (int j = 0; j < kDpiLevelCount; ++j) {
    SCOPED_TRACE("DPI level " + std::to_string(j));
    EXPECT_EQ(g_dpiEnable[j], 1);
    EXPECT_LE(g_dpiValue[j], kDpiMaxStep);
    if (j > 0) {
      EXPECT_GT(g_dpiValue[j], g_dpiValue[j - 1]);
    }
    bool lit = false;
    for (int n = 0; n < kColorComponents; ++n) lit = lit || g_dpiRgb[j][n] < kColorComponentMax;
    EXPECT_TRUE(lit) << "a DPI level without a colour";
  }
  EXPECT_EQ(g_ledType, 1);
  EXPECT_EQ(g_ledCycleTime, 3);
  EXPECT_EQ(g_cycleColorMask, 0x7F);
  EXPECT_EQ(g_pointerSpeed, 5);
  EXPECT_EQ(g_wheelSpeed, 2);
  EXPECT_EQ(g_usbRate, 3);
  EXPECT_EQ(g_usbRateCode, 0);
  EXPECT_EQ(g_fireTime, 50);
  EXPECT_EQ(g_wheelStatus, 0);
}

// Every setting one configuration load fills, for comparing two files.
struct LoadedSettings {
  std::vector<int64_t> values;
  bool operator==(const LoadedSettings&) const = default;
};

LoadedSettings Snapshot(int c) {
  LoadedSettings s;
  auto add = [&s](int64_t v) { s.values.push_back(v); };
  for (int k = 0; k < kMaxKeys; ++k) {
    add(g_keyFunction[c][k]);
    add(g_keyParam[c][k]);
    add(g_keyMacroMode[c][k]);
    add(g_ledReactEnable[c][k]);
    add(g_ledReactType[c][k]);
  }
  add(g_wheelStatus);
  add(g_dpiLevel);
  for (int j = 0; j < kDpiLevelCount; ++j) {
    add(g_dpiValue[j]);
    add(g_dpiEnable[j]);
    for (int n = 0; n < kColorComponents; ++n) add(g_dpiRgb[j][n]);
  }
  add(g_ledType);
  for (const auto& enable : g_ledTypeEnable) add(enable);
  add(g_ledCycleTime);
  add(g_ledUserColorEnable);
  add(g_ledSingleColor);
  add(g_ledDirection);
  add(g_ledSymmetry);
  add(g_ledBrightness);
  for (int k = 0; k < kUserColorCount; ++k) {
    for (int n = 0; n < kColorComponents; ++n) add(g_ledUserRgb[k][n]);
  }
  add(g_cycleColorMask);
  add(g_pointerSpeed);
  add(g_wheelSpeed);
  add(g_usbRate);
  add(g_fireTime);
  return s;
}

TEST_F(DefaultDataTest, TheFactoryFileHoldsTheSameSettingsAsConfigIni) {
  for (int c = 0; c < kConfigCount; ++c) {
    SCOPED_TRACE("configuration " + std::to_string(c));
    ResetSettingsToStartValues();
    ASSERT_TRUE(LoadConfigSection(g_configFolder, c, false));
    const LoadedSettings current = Snapshot(c);
    ResetSettingsToStartValues();
    ASSERT_TRUE(LoadConfigSection(g_configFolder, c, true));
    EXPECT_EQ(Snapshot(c), current);
  }
}

TEST_F(DefaultDataTest, TheFactoryFileHoldsTheSameModelFacts) {
  LoadKeyMapIni();
  const std::u16string productCn = g_productNameCn;
  const std::u16string productEn = g_productNameEn;
  const int32_t keyCount = g_keyCount;
  std::array<uint8_t, kMaxKeys> keyMap{};
  for (int k = 0; k < kMaxKeys; ++k) keyMap[k] = g_keyMap[k];

  // The key map reader reads g_configIniPath; point it at a copy of the factory file.
  TempDir folder;
  fs::copy_file(g_configFolder / kFactorySettingsFileName, folder / kSettingsFileName);
  g_configIniPath = folder / kSettingsFileName;
  ResetSettingsToStartValues();
  LoadKeyMapIni();
  EXPECT_EQ(g_productNameCn, productCn);
  EXPECT_EQ(g_productNameEn, productEn);
  EXPECT_EQ(g_keyCount, keyCount);
  for (int k = 0; k < kMaxKeys; ++k) EXPECT_EQ(g_keyMap[k], keyMap[k]) << k;
  const InitSection init = LoadInitSection(g_configIniPath);
  EXPECT_EQ(init.curConfig, 0);
  EXPECT_EQ(init.configNum, kConfigCount);
}

}  // namespace
}  // namespace gm::test
