#include "settings/key_function.h"

#include <climits>

#include <gtest/gtest.h>

#include "settings/config_settings.h"

namespace gm {
namespace {

constexpr int32_t kHugeCodes[] = {INT_MIN, -1, 3092, 0x10000, INT_MAX};

TEST(UserMacroCode, EncodesFirstAndLastMacroOfTheGroups) {
  EXPECT_EQ(UserMacroCode(0, 0), 256);
  EXPECT_EQ(UserMacroCode(11, 19), 3091);
  EXPECT_EQ(UserMacroGroup(256), 0);
  EXPECT_EQ(UserMacroIndex(256), 0);
  EXPECT_EQ(UserMacroGroup(3091), 11);
  EXPECT_EQ(UserMacroIndex(3091), 19);
}

TEST(UserMacroCode, RoundTripsEveryGroupAndIndex) {
  for (int g = 0; g < kUserMacroGroupSlots; ++g) {
    for (int m = 0; m < kUserMacroSlotsPerGroup; ++m) {
      const int32_t code = UserMacroCode(g, m);
      ASSERT_TRUE(IsUserMacroCode(code));
      EXPECT_EQ(UserMacroGroup(code), g);
      EXPECT_EQ(UserMacroIndex(code), m);
    }
  }
}

TEST(UserMacroCode, OutOfRangeGroupOrIndexGivesNoFunction) {
  for (auto [g, m] : {std::pair{-1, 0}, {12, 0}, {0, -1}, {0, 20}, {INT_MAX, 0}, {0, INT_MAX},
                      {INT_MIN, INT_MIN}}) {
    EXPECT_EQ(UserMacroCode(g, m), kKeyFunctionNone) << g << "," << m;
  }
}

TEST(UserMacroCode, DecodingOtherCodesGivesMinusOneAndNeverOverflows) {
  for (int32_t code : {INT_MIN, -256, -1, 0, 42, 255}) {
    EXPECT_FALSE(IsUserMacroCode(code));
    EXPECT_EQ(UserMacroGroup(code), -1);
    EXPECT_EQ(UserMacroIndex(code), -1);
  }
  // Hand-edited codes beyond the tables decode to a group the caller must test.
  EXPECT_EQ(UserMacroGroup(INT_MAX), INT_MAX / 256 - 1);
  EXPECT_EQ(UserMacroIndex(INT_MAX), 255);
  EXPECT_EQ(UserMacroIndex(256 + 20), 20);
}

TEST(KeyFunctionClasses, BoundariesOfEachRange) {
  EXPECT_TRUE(IsDpiKeyFunction(6));
  EXPECT_TRUE(IsDpiKeyFunction(16));
  EXPECT_TRUE(IsDpiKeyFunction(17));
  EXPECT_FALSE(IsDpiKeyFunction(11));  // its device code is 6, but no menu offers it
  EXPECT_FALSE(IsDpiKeyFunction(18));

  EXPECT_FALSE(IsConfigKeyFunction(18));
  EXPECT_TRUE(IsConfigKeyFunction(19));
  EXPECT_TRUE(IsConfigKeyFunction(22));
  EXPECT_FALSE(IsConfigKeyFunction(23));

  EXPECT_FALSE(IsMultimediaFunction(22));
  EXPECT_TRUE(IsMultimediaFunction(23));
  EXPECT_TRUE(IsMultimediaFunction(32));
  EXPECT_FALSE(IsMultimediaFunction(33));

  EXPECT_FALSE(IsBuiltInMacroCode(32));
  EXPECT_TRUE(IsBuiltInMacroCode(33));
  EXPECT_FALSE(IsBuiltInMacroCode(42));
  EXPECT_TRUE(IsBuiltInMacroCode(49));
  EXPECT_FALSE(IsBuiltInMacroCode(50));
  EXPECT_EQ(BuiltInMacroIndex(33), 0);
  EXPECT_EQ(BuiltInMacroIndex(43), 10);
  EXPECT_EQ(BuiltInMacroIndex(42), -1);

  EXPECT_FALSE(IsRecoilCode(49));
  EXPECT_TRUE(IsRecoilCode(50));
  EXPECT_TRUE(IsRecoilCode(255));
  EXPECT_FALSE(IsRecoilCode(256));
  EXPECT_EQ(RecoilMacroIndex(50), 0);
  EXPECT_EQ(RecoilMacroIndex(69), 19);
  EXPECT_EQ(RecoilMacroIndex(256), -1);

  EXPECT_FALSE(IsMacroFunction(42));
  EXPECT_TRUE(IsMacroFunction(3091));
}

TEST(KeyFunctionClasses, NegativeAndHugeCodesAreHandledWithoutFault) {
  for (int32_t code : {INT_MIN, -1}) {
    EXPECT_FALSE(IsDpiKeyFunction(code));
    EXPECT_FALSE(IsConfigKeyFunction(code));
    EXPECT_FALSE(IsMultimediaFunction(code));
    EXPECT_FALSE(IsBuiltInMacroCode(code));
    EXPECT_FALSE(IsRecoilCode(code));
    EXPECT_FALSE(IsMacroFunction(code));
    EXPECT_EQ(BuiltInMacroIndex(code), -1);
    EXPECT_EQ(RecoilMacroIndex(code), -1);
  }
  for (int32_t code : kHugeCodes) {
    (void)DeviceKeyCode(code, 2, 1);
    (void)FixedDeviceKeyCode(code);
  }
}

TEST(DeviceKeyCodes, FixedCodesOfTheNonMacroFunctions) {
  const uint8_t expected[33] = {
      0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x02, 0x03, 0x04, 0x05,
      0x06, 0x07, 0x08, 0x09, 0x15, 0x0B, 0x0C, 0x14, 0x17, 0x19, 0x1A,
      0x00, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F,
  };
  for (int32_t code = 0; code <= 32; ++code) {
    EXPECT_EQ(FixedDeviceKeyCode(code), expected[code]) << code;
    // The mode byte and LEFT_MAC play no part for these.
    EXPECT_EQ(DeviceKeyCode(code, 2, 1), expected[code]) << code;
  }
  EXPECT_EQ(FixedDeviceKeyCode(42), 0x0E);
  EXPECT_EQ(DeviceKeyCode(42, 2, 1), 0x0E);
}

TEST(DeviceKeyCodes, DpiKeysAreTheFunctionsWhoseDeviceCodeIsADpiCode) {
  for (int32_t code : kDpiKeyFunctions) EXPECT_TRUE(IsDpiDeviceCode(DeviceKeyCode(code, 0, 0)));
  EXPECT_FALSE(IsDpiDeviceCode(DeviceKeyCode(5, 0, 0)));
  EXPECT_FALSE(IsDpiDeviceCode(0x0D));
}

TEST(DeviceKeyCodes, MacroCodesByModeByteAndLeftMac) {
  EXPECT_EQ(FixedDeviceKeyCode(33), std::nullopt);
  EXPECT_EQ(FixedDeviceKeyCode(50), std::nullopt);
  EXPECT_EQ(FixedDeviceKeyCode(256), std::nullopt);

  // Recoil macros are left-button macros whatever LEFT_MAC says.
  EXPECT_EQ(MacroDeviceCode(50, 2, 0), 0x1F);
  EXPECT_EQ(MacroDeviceCode(69, 1, 0), 0x1E);
  // Any macro bound to the left button.
  EXPECT_EQ(MacroDeviceCode(256, 2, 1), 0x1F);
  EXPECT_EQ(MacroDeviceCode(33, 0, 1), 0x1E);
  EXPECT_EQ(MacroDeviceCode(33, 2, 1), 0x1F);
  // Plain user macros.
  EXPECT_EQ(MacroDeviceCode(3091, 2, 0), 0x0E);
  EXPECT_EQ(MacroDeviceCode(256, 0, 0), 0x0D);
  // Plain built-in macros ignore the mode byte.
  EXPECT_EQ(MacroDeviceCode(33, 2, 0), 0x0D);
  EXPECT_EQ(MacroDeviceCode(49, 1, 0), 0x0D);
  // The whole byte decides: 2 with a high bit set is not mode two.
  EXPECT_EQ(MacroDeviceCode(256, 0x82, 0), 0x0D);
  // A hand-edited LEFT_MAC other than 0 binds the macro to the left button.
  EXPECT_EQ(MacroDeviceCode(256, 0, 7), 0x1E);
}

TEST(DeviceKeyCodes, ReferencesThatCanNameNothingGiveNoFunction) {
  for (int32_t code : {70, 100, 255}) {
    EXPECT_EQ(FixedDeviceKeyCode(code), 0x00) << code;
    EXPECT_EQ(MacroDeviceCode(code, 2, 1), 0x00) << code;
  }
  for (int32_t code : {INT_MIN, -1, 5, 42}) EXPECT_EQ(MacroDeviceCode(code, 2, 1), 0x00);
  EXPECT_EQ(FixedDeviceKeyCode(-1), 0x00);
  EXPECT_EQ(FixedDeviceKeyCode(INT_MIN), 0x00);
  EXPECT_EQ(DeviceKeyCode(INT_MAX, 0, 0), 0x0D);  // a user macro code; Apply tests it exists
}

TEST(MultimediaConsumerUsage, ElevenEntriesAndZeroBeyond) {
  const uint16_t expected[] = {0x223, 0x183, 0x18A, 0x0E9, 0x0EA, 0x0B6,
                               0x0B5, 0x0E2, 0x0CD, 0x192, 0x0B7};
  for (int n = 0; n < 11; ++n) EXPECT_EQ(MultimediaConsumerUsage(n), expected[n]) << n;
  for (int n : {INT_MIN, -1, 11, 19, 255, INT_MAX}) EXPECT_EQ(MultimediaConsumerUsage(n), 0) << n;
}

TEST(KeyMenu, EntriesAndRowsAssignTheirCodes) {
  for (int e = 1; e <= 6; ++e) EXPECT_EQ(AssignFromKeyMenu({e}, 1), (KeyAssignment{e, 0}));
  EXPECT_EQ(AssignFromKeyMenu({7, 1}, 1), (KeyAssignment{12, 0}));
  EXPECT_EQ(AssignFromKeyMenu({7, 7}, 1), (KeyAssignment{18, 0}));
  EXPECT_EQ(AssignFromKeyMenu({8, 1}, 1), (KeyAssignment{23, 0}));
  EXPECT_EQ(AssignFromKeyMenu({8, 10}, 1), (KeyAssignment{32, 0}));
  EXPECT_EQ(AssignFromKeyMenu({10, 1}, 1), (KeyAssignment{33, 0}));
  EXPECT_EQ(AssignFromKeyMenu({10, 8}, 1), (KeyAssignment{40, 0}));
  EXPECT_EQ(AssignFromKeyMenu({11, 1}, 1), (KeyAssignment{19, 0}));
  EXPECT_EQ(AssignFromKeyMenu({11, 3}, 1), (KeyAssignment{21, 0}));
  EXPECT_EQ(AssignFromKeyMenu({12, 1}, 0), (KeyAssignment{50, 1}));
  EXPECT_EQ(AssignFromKeyMenu({12, 20}, 0), (KeyAssignment{69, 1}));
  EXPECT_EQ(AssignFromKeyMenu({9, 1, 1}, 1), (KeyAssignment{256, 0}));
  EXPECT_EQ(AssignFromKeyMenu({13, 12, 20}, 0), (KeyAssignment{3091, 1}));
}

TEST(KeyMenu, LeftMacFollowsTheLastPick) {
  int32_t leftMac = 0;
  auto pick = [&](KeyMenuPick p) {
    const auto a = AssignFromKeyMenu(p, leftMac);
    EXPECT_TRUE(a.has_value());
    if (a) leftMac = a->leftMac;
    return a ? a->code : -1;
  };
  EXPECT_EQ(pick({12, 3}), 52);
  EXPECT_EQ(leftMac, 1);
  EXPECT_EQ(pick({14}), 42);  // a keyboard key keeps the binding
  EXPECT_EQ(leftMac, 1);
  EXPECT_EQ(pick({11, 2}), 20);  // any function of entries 1..11 clears it
  EXPECT_EQ(leftMac, 0);
  EXPECT_EQ(pick({14}), 42);
  EXPECT_EQ(leftMac, 0);
  EXPECT_EQ(pick({13, 2, 5}), 2 * 256 + 4);
  EXPECT_EQ(leftMac, 1);
  EXPECT_EQ(pick({3}), 3);
  EXPECT_EQ(leftMac, 0);
}

TEST(KeyMenu, PicksOutsideTheListsAssignNothing) {
  const KeyMenuPick bad[] = {
      {0},         {15},          {-1},         {INT_MIN},   {INT_MAX},   {7, 0},
      {7, 8},      {8, 11},       {10, 9},      {11, 4},     {12, 0},     {12, 21},
      {9, 0, 1},   {9, 13, 1},    {9, 1, 0},    {13, 1, 21}, {12, INT_MIN},
      {9, INT_MIN, INT_MIN},      {13, INT_MAX, INT_MAX},    {8, INT_MAX},
  };
  for (const auto& p : bad) {
    EXPECT_EQ(AssignFromKeyMenu(p, 1), std::nullopt)
        << p.entry << "/" << p.subEntry << "/" << p.macroEntry;
  }
}

TEST(KeyMenu, CaptureOpensOnTheAKeyWhenNoKeyIsSet) {
  EXPECT_EQ(KeyParamForCapture(0), 4);
  EXPECT_EQ(KeyParamForCapture(0x2C), 0x2C);
}

TEST(ConfigSettingsGlobals, StartValuesAreZeroExceptFireTime) {
  g_keyFunction[2][8] = 3091;
  g_dpiValue[5] = 16;
  g_fireTime = 120;
  g_configNames[3] = u"name";
  ResetSettingsToStartValues();
  for (const auto& row : g_keyFunction) {
    for (const auto& f : row) EXPECT_EQ(f.load(), 0);
  }
  for (const auto& v : g_dpiValue) EXPECT_EQ(v.load(), 0);
  EXPECT_EQ(g_fireTime.load(), 50);
  EXPECT_TRUE(g_configNames[3].empty());
}

TEST(ConfigSettingsGlobals, UserColorDisplayComponentsAreInverted) {
  const ColorRef c = DisplayColorOf(0, 15, 8);
  EXPECT_EQ(c & 0xFF, 255u);
  EXPECT_EQ((c >> 8) & 0xFF, 15u);
  EXPECT_EQ((c >> 16) & 0xFF, 127u);
  EXPECT_EQ(c >> 24, 0u);
}

}  // namespace
}  // namespace gm
