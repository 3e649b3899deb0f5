#include "settings/key_map.h"

#include <gtest/gtest.h>

#include "settings_test_support.h"

namespace gm::test {
namespace {

using KeyMapTest = SettingsFolderTest;

constexpr KeySet Keys(std::initializer_list<int> keys) {
  KeySet set = 0;
  for (int k : keys) set = static_cast<KeySet>(set | (1u << k));
  return set;
}

TEST_F(KeyMapTest, PlacesKeysAtTheirPositions) {
  WriteConfigIni(
      "[KEYNUM]\nKeyNum=6\n[KEYMAP]\nK1_MAP=1\nK2_MAP=2\nK3_MAP=3\nK4_MAP=4\nK5_MAP=5\nK6_MAP=6\n"
      "K7_MAP=7\n[KEY_UIFC]\nK1_INIT_VAL=1\n");
  LoadKeyMapIni();
  EXPECT_EQ(g_keyCount, 6);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(g_keyMap[k], k + 1);
  EXPECT_EQ(g_keyMap[6], 0);  // beyond the key count
  EXPECT_EQ(KeysOfEventCode(243), Keys({2}));
  EXPECT_EQ(KeysOfEventCode(247), 0);
  EXPECT_EQ(KeysOfEventCode(240), 0);
}

TEST_F(KeyMapTest, SwappedAndSharedPositions) {
  WriteConfigIni("[KEYNUM]\nKeyNum=4\n[KEYMAP]\nK1_MAP=2\nK2_MAP=1\nK3_MAP=5\nK4_MAP=5\n");
  LoadKeyMapIni();
  EXPECT_EQ(g_keyMap[0], 2);
  EXPECT_EQ(KeysOfEventCode(241), Keys({1}));
  EXPECT_EQ(KeysOfEventCode(242), Keys({0}));
  EXPECT_EQ(KeysOfEventCode(245), Keys({2, 3}));
}

TEST_F(KeyMapTest, KeyCountAndPositionsStayWithinTheTables) {
  std::string file = "[KEYNUM]\nKeyNum=40\n[KEYMAP]\n";
  const char* positions[kMaxKeys] = {"0", "200", "257", "-1", "9", "10", "x", "3", "4"};
  for (int i = 0; i < kMaxKeys; ++i)
    file += "K" + std::to_string(i + 1) + "_MAP=" + positions[i] + "\n";
  file += "K10_MAP=6\n";
  WriteConfigIni(file);
  LoadKeyMapIni();
  EXPECT_EQ(g_keyCount, kMaxKeys);
  const uint8_t expected[kMaxKeys] = {0, 0, 1, 0, 9, 0, 0, 3, 4};  // 257: low byte 1
  for (int k = 0; k < kMaxKeys; ++k) EXPECT_EQ(g_keyMap[k], expected[k]) << "key " << k;
  EXPECT_EQ(KeysOfEventCode(240), 0);  // keys without a position never match
  EXPECT_EQ(KeysOfEventCode(241), Keys({2}));
  EXPECT_EQ(KeysOfEventCode(246), 0);

  WriteConfigIni("[KEYNUM]\nKeyNum=-3\n[KEYMAP]\nK1_MAP=1\n");
  LoadKeyMapIni();
  EXPECT_EQ(g_keyCount, 0);
  EXPECT_EQ(g_keyMap[0], 0);
  EXPECT_EQ(KeysOfEventCode(241), 0);
}

// g_keyCount is a plain atomic that anyone may store to; every walk over the keys bounds it.
TEST_F(KeyMapTest, UsableKeyCountBoundsAStoredCount) {
  const struct {
    int32_t stored;
    int usable;
  } cases[] = {{-1, 0},   {0, 0}, {5, 5}, {kMaxKeys, kMaxKeys}, {kMaxKeys + 1, kMaxKeys},
               {1000, kMaxKeys}};
  for (const auto& c : cases) {
    g_keyCount = c.stored;
    EXPECT_EQ(UsableKeyCount(), c.usable) << "stored " << c.stored;
  }
  for (auto& position : g_keyMap) position = 1;
  g_keyCount = 1000;
  EXPECT_EQ(KeysOfEventCode(kKeyEventCodeBase + 1), (1u << kMaxKeys) - 1);
  for (auto& position : g_keyMap) position = 0;
  g_keyCount = 0;
}

TEST_F(KeyMapTest, ProductNamesAreCutTo49Characters) {
  const std::string sixty(60, 'N');
  WriteConfigIni("[PRODUCTNAME]\nPRODUCTNAME_CN=游戏鼠标\nPRODUCTNAME_EN=" + sixty + "\n");
  LoadKeyMapIni();
  EXPECT_EQ(g_productNameCn, u"游戏鼠标");
  EXPECT_EQ(g_productNameEn, std::u16string(49, u'N'));
}

TEST_F(KeyMapTest, MissingFileLeavesNoKeysAndNoNames) {
  WriteConfigIni("[PRODUCTNAME]\nPRODUCTNAME_EN=Mouse\n[KEYNUM]\nKeyNum=2\n[KEYMAP]\nK1_MAP=1\n");
  LoadKeyMapIni();
  std::filesystem::remove(g_configIniPath);
  LoadKeyMapIni();
  EXPECT_EQ(g_productNameEn, u"");
  EXPECT_EQ(g_keyCount, 0);
  EXPECT_EQ(g_keyMap[0], 0);
  EXPECT_EQ(KeysOfEventCode(241), 0);
  EXPECT_TRUE(messages_.messages().empty());  // the configuration loader reports it
}

}  // namespace
}  // namespace gm::test
