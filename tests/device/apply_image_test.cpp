// The memory image a full Apply leaves in the virtual mouse, compared byte for byte with an
// image written out by hand from the mouse's memory layout.

#include <gtest/gtest.h>

#include <vector>

#include "apply_test_support.h"
#include "platform/private_profile.h"

namespace gm {
namespace {

using test::MakeMacro;

class ApplyImageTest : public test::ApplyTest {
 protected:
  // Four configurations over nine keys at positions 2, 1, 3..9 (keys 0 and 1 swapped), bound
  // to every kind of function, two user macros, two built-in macros and a recoil macro.
  void SetUpFullSettings() {
    SetKeyMap({2, 1, 3, 4, 5, 6, 7, 8, 9});
    g_curConfig = 3;

    // User macros (group "Alpha"): 256 and 257.
    MacroRecord a =
        MakeMacro(u"A", 0x00, 3, {{0x04, kActionPress, 10}, {0x04, kActionRelease, 20}});
    a.strengthEnabled = 1;
    a.strength = 20;
    MacroRecord b = MakeMacro(u"B", 0x02, 1, {{0x05, kActionPress, 50}});
    b.strength = 7;
    AddGroup(u"Alpha", {a, b});
    // Built-in macros 33 and 34; recoil macro 50.
    g_constMacros[0] = MakeMacro(u"C0", 0x00, 2, {{0x06, kActionPress, 4}});
    g_constMacros[1] = MakeMacro(u"C1", 0x04, 1, {{0x07, kActionRelease, 0}});
    g_constMacroCount = 2;
    g_gunMacros[0] = MakeMacro(u"G0", 0x09, 1, {{kStepMove, kActionMoveXPlusYPlus, 40, 1, 5}});
    g_gunMacros[0].strengthEnabled = 1;
    g_gunMacros[0].strength = 30;
    g_gunMacroCount = 1;

    // function, param, LEFT_MAC, LED reaction enable, type
    SetKey(0, 0, 1, 0, 0, 1, 0);
    SetKey(0, 1, 6);
    SetKey(0, 2, 19, 0, 0, 0, 1);
    SetKey(0, 3, 42, 0x04);
    SetKey(0, 4, 23);
    SetKey(0, 5, 256);
    SetKey(0, 6, 33);
    SetKey(0, 7, 50, 0, 1);
    SetKey(0, 8, 18);

    SetKey(1, 0, 2);
    SetKey(1, 1, 3);
    SetKey(1, 2, 42, 0x2C);
    SetKey(1, 3, 257);
    SetKey(1, 4, 16, 0, 0, 1, 1);
    SetKey(1, 5, 0);
    SetKey(1, 6, 15);
    SetKey(1, 7, 12);
    SetKey(1, 8, 22);

    SetKey(2, 0, 4);
    SetKey(2, 1, 5);
    SetKey(2, 2, 24);
    SetKey(2, 3, 256, 0, 1);
    SetKey(2, 4, 17);
    SetKey(2, 5, 13);
    SetKey(2, 6, 20);
    SetKey(2, 7, 21);
    SetKey(2, 8, 14, 0, 0, 1, 2);

    SetKey(3, 0, 1);
    SetKey(3, 1, 256, 0, 0, 1, 3);
    SetKey(3, 2, 42, 0x29);
    SetKey(3, 3, 50, 0, 1);
    SetKey(3, 4, 34);
    SetKey(3, 5, 9);

    const uint8_t dpi[6] = {0, 3, 9, 10, 15, 16};
    const uint8_t enable[6] = {1, 0, 1, 1, 1, 1};
    for (int j = 0; j < 6; ++j) {
      g_dpiValue[j] = dpi[j];
      g_dpiEnable[j] = enable[j];
      g_dpiRgb[j][0] = j;
      g_dpiRgb[j][1] = j + 6;
      g_dpiRgb[j][2] = 15 - j;
    }
    g_dpiLevel = 2;
    g_wheelStatus = 1;
    g_fireTime = 300;
    g_ledType = 1;
    g_ledCycleTime = 3;
    const int cycle[7] = {1, 0, 1, 1, 0, 0, 1};
    for (int k = 0; k < 7; ++k) g_cycleColorEnable[k] = cycle[k];
    g_ledUserColorEnable = 1;
    g_ledSymmetry = 1;
    g_ledDirection = 2;
    g_ledBrightness = 3;
    g_deviceInitNibble = 5;
    g_usbRate = 2;
    g_usbRateCode = 1;  // ticks of 2 ms
    g_pointerSpeed = 6;
    g_wheelSpeed = 3;

    // The mouse holds 0xA9 at 0x76; bits 2..7 must survive.
    const uint8_t held = 0xA9;
    ASSERT_TRUE(WriteDeviceMemory(0x76, &held, 1));
  }

  // Addresses 0x00..0x7F as the table of the memory layout gives them for these settings.
  static std::vector<uint8_t> ExpectedSettingsArea() {
    return {
        // 0x00: active configuration 3 at 0x01: (3 << 5) + 3
        0x00, 0x63, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        // 0x08: configuration 0, positions 1..8 (position 2 with reaction E = 1, 3 with T = 1)
        0x06, 0x21, 0x57, 0x0E, 0x0F, 0x0D, 0x0D, 0x1E,
        // 0x10: position 9, 0, 0, DPI high bits, wheel status, DPI code pairs
        0x14, 0x00, 0x00, 0x30, 0x01, 0x14, 0xAC, 0x12,
        // 0x18: 0x08 | level 2, enables of levels 0..3, fire time 300 / 8, lighting byte,
        // colour byte, rate code, 0
        0x0A, 0x0D, 0x25, 0x00, 0x93, 0xD1, 0x01, 0x00,
        // 0x20: DPI colours
        0x00, 0x06, 0x0F, 0x01, 0x07, 0x0E, 0x02, 0x08,
        0x0D, 0x03, 0x09, 0x0C, 0x04, 0x0A, 0x0B, 0x05,
        0x0B, 0x0A, 0x07, 0x30, 0x00, 0x00, 0x00, 0x00,
        // 0x38: symmetry, direction and device nibble; positions 10..12 of configuration 0;
        // brightness
        0x00, 0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0x30,
        // 0x40: 0xFC, configuration 1 positions 1..4
        0x00, 0x00, 0x00, 0xFC, 0x03, 0x02, 0x0E, 0x0E,
        // 0x48: configuration 1 positions 5..12 (position 5 with E = 1, T = 1)
        0x6B, 0x00, 0x15, 0x07, 0x00, 0x00, 0x00, 0x00,
        // 0x50: configuration 2 positions 1..8
        0x05, 0x04, 0x0F, 0x1E, 0x0C, 0x08, 0x19, 0x1A,
        // 0x58: configuration 2 positions 9..12 (position 9 with E = 1, T = 2)
        0xA9, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        // 0x60: configuration 3 positions 1..8 (position 1 with E = 1, T = 3)
        0xED, 0x01, 0x0E, 0x1E, 0x0D, 0x04, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        // 0x70: configuration byte at 0x76: (0xA9 AND 0xFC) | 3
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xAB, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
  }

  // 0xA0..0x2CF: ten bytes per configuration and slot.
  static std::vector<uint8_t> ExpectedDescriptorTable() {
    std::vector<uint8_t> table(560, 0);
    auto put = [&](int c, int s, std::vector<uint8_t> record) {
      std::copy(record.begin(), record.end(), table.begin() + 10 * (14 * c + s));
    };
    const std::vector<uint8_t> userA = {0x01, 0x02, 0x00, 0x00, 0x00, 0x08, 0x04, 0x00, 0x94, 0x00};
    const std::vector<uint8_t> recoil = {0x01, 0x01, 0x00, 0x00, 0x00,
                                         0x18, 0x84, 0x40, 0x9E, 0x00};
    put(0, 3, {0x01, 0x01, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00});  // key 0x04 at 0x400
    put(0, 4, {0x01, 0x00, 0x00, 0x23, 0x02, 0x08, 0x04, 0x00, 0x00, 0x00});  // Home, N 0, 0x408
    put(0, 5, userA);                                                          // 0x408
    put(0, 6, {0x01, 0x01, 0x00, 0xB7, 0x00, 0x10, 0x04, 0x00, 0x00, 0x00});  // built-in 0
    put(0, 7, recoil);                                                         // 0x418, B and D
    put(1, 2, {0x01, 0x01, 0x2C, 0x00, 0x00, 0x20, 0x04, 0x00, 0x00, 0x00});  // key 0x2C
    put(1, 3, {0x01, 0x81, 0x00, 0x00, 0x00, 0x28, 0x04, 0x00, 0x07, 0x00});  // mode 2: A
    put(2, 2, {0x01, 0x00, 0x00, 0x83, 0x01, 0x30, 0x04, 0x00, 0x00, 0x00});  // 0x183, N 0
    put(2, 3, userA);                                                          // shared
    put(3, 0, userA);                                                          // shared
    put(3, 2, {0x01, 0x01, 0x29, 0x00, 0x00, 0x30, 0x04, 0x00, 0x00, 0x00});  // key 0x29
    put(3, 3, recoil);                                                         // shared
    put(3, 4, {0x01, 0x01, 0x00, 0x00, 0x00, 0x38, 0x44, 0x00, 0x00, 0x00});  // built-in 1: C
    return table;
  }

  // 0x400..0x43F: the images in slot order.
  static std::vector<uint8_t> ExpectedImages() {
    return {
        0x01, 0x00, 0x80, 0x04, 0x00, 0x00, 0x00, 0x00,  // 0x400 keyboard key 0x04
        0x03, 0x00, 0x85, 0x04, 0x0A, 0x04, 0x00, 0x00,  // 0x408 user macro A, 3 times
        0x02, 0x00, 0x82, 0x06, 0x00, 0x00, 0x00, 0x00,  // 0x410 built-in 0
        0x01, 0x00, 0x14, 0xF6, 0x01, 0x00, 0x05, 0x00,  // 0x418 recoil move X+5.. Y+
        0x01, 0x00, 0x80, 0x2C, 0x00, 0x00, 0x00, 0x00,  // 0x420 keyboard key 0x2C
        0x01, 0x00, 0x99, 0x05, 0x00, 0x00, 0x00, 0x00,  // 0x428 user macro B, mode 2
        0x01, 0x00, 0x80, 0x29, 0x00, 0x00, 0x00, 0x00,  // 0x430 keyboard key 0x29
        0x01, 0x00, 0x01, 0x07, 0x00, 0x00, 0x00, 0x00,  // 0x438 built-in 1
    };
  }
};

TEST_F(ApplyImageTest, FullSettingsGiveTheHandWrittenImage) {
  SetUpFullSettings();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_TRUE(messages_.messages().empty());

  const std::vector<uint8_t> memory = mouse_.Memory();
  const std::vector<uint8_t> settings = ExpectedSettingsArea();
  for (size_t a = 0; a < settings.size(); ++a) {
    EXPECT_EQ(memory[a], settings[a]) << "settings byte 0x" << std::hex << a;
  }
  for (size_t a = 0x80; a < 0xA0; ++a) EXPECT_EQ(memory[a], 0) << std::hex << a;
  const std::vector<uint8_t> table = ExpectedDescriptorTable();
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(memory[0xA0 + i], table[i])
        << "descriptor " << i / 10 << " byte " << i % 10;
  }
  for (size_t a = 0x2D0; a < 0x400; ++a) EXPECT_EQ(memory[a], 0) << std::hex << a;
  const std::vector<uint8_t> images = ExpectedImages();
  for (size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(memory[0x400 + i], images[i]) << "image byte 0x" << std::hex << 0x400 + i;
  }
  for (size_t a = 0x440; a < memory.size(); ++a) ASSERT_EQ(memory[a], 0) << std::hex << a;

  EXPECT_EQ(mouse_.FinalCommitCount(), 1);
  EXPECT_EQ(g_macroTimeUnit.load(), 2);
}

TEST_F(ApplyImageTest, LeavesTablesForTheDeviceThreads) {
  SetUpFullSettings();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  // DPI keys: functions 6, 16, 17; configuration keys: 19..22.
  for (int c = 0; c < 4; ++c) {
    for (int k = 0; k < 9; ++k) {
      const bool dpi = (c == 0 && k == 1) || (c == 1 && k == 4) || (c == 2 && k == 4);
      const bool config =
          (c == 0 && k == 2) || (c == 1 && k == 8) || (c == 2 && (k == 6 || k == 7));
      EXPECT_EQ(g_dpiKeyFlag[c][k].load(), dpi ? 1 : 0) << c << "," << k;
      EXPECT_EQ(g_cfgSwitchKeyFlag[c][k].load(), config ? 1 : 0) << c << "," << k;
    }
  }
  EXPECT_EQ(g_devKeyCode[3][1].load(), 0x0D);
  EXPECT_EQ(g_posKeyCode[3][0].load(), 0x0D);  // key 1 sits at position 1
  EXPECT_EQ(g_slotCode[3][0].load(), 256);
  EXPECT_EQ(g_slotMacroAddr[3][0].load(), 0x408);
  EXPECT_EQ(g_slotMacroAddr[0][4].load(), 0x408);  // the multimedia key took no room
  EXPECT_EQ(g_posLedEnable[3][0].load(), 1);
  EXPECT_EQ(g_posLedType[3][0].load(), 3);

  // Position 1 of configuration 3 (the current one) holds the user macro A.
  EXPECT_EQ(g_recoilMacroAddr.load(), 0x408);
  EXPECT_EQ(g_recoilMacroLen.load(), 8);
  EXPECT_EQ(g_recoilMacroConfig.load(), 3);
  EXPECT_EQ(g_recoilMacroFunction.load(), 256);
}

TEST_F(ApplyImageTest, SavesConfigurationsAndSetsTheDesktop) {
  SetUpFullSettings();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);

  auto read = [](const char16_t* section, const char16_t* key) {
    return ToUtf8(GetPrivateProfileStringW(section, key, u"<missing>", 300, g_configIniPath));
  };
  EXPECT_EQ(read(u"Init", u"CurConfig"), "3");
  EXPECT_EQ(read(u"Config0", u"K3"), "42,4");
  EXPECT_EQ(read(u"Config1", u"K3"), "257");  // configuration 1 is saved like the others
  EXPECT_EQ(read(u"Config3", u"K1"), "256");
  EXPECT_EQ(read(u"ShareData", u"CYC_7COL_EN"), "77");  // colours 0, 2, 3 and 6 packed
  EXPECT_EQ(g_cycleColorMask.load(), 0x4D);

  EXPECT_EQ(system_.pointerSpeedsSet, std::vector<int>{12});
  EXPECT_EQ(system_.wheelLinesSet, std::vector<int>{4});
}

TEST_F(ApplyImageTest, SecondApplyRewritesTheSameImage) {
  SetUpFullSettings();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  const std::vector<uint8_t> first = mouse_.Memory();
  ASSERT_EQ(Apply(), ApplyResult::kCompleted);
  EXPECT_EQ(mouse_.Memory(), first);
  EXPECT_EQ(mouse_.FinalCommitCount(), 2);
}

}  // namespace
}  // namespace gm
