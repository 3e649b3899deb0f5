#include "settings/key_map.h"

#include "platform/text.h"
#include "settings/ini_section.h"
#include "settings/paths.h"
#include "settings/setting_limits.h"

namespace gm {

std::u16string g_productNameCn;
std::u16string g_productNameEn;
std::atomic<int32_t> g_keyCount;
std::atomic<uint8_t> g_keyMap[kMaxKeys];

static_assert(kMaxKeys <= 16, "a KeySet holds one bit per key");

void ResetKeyMap() {
  g_productNameCn.clear();
  g_productNameEn.clear();
  g_keyCount = 0;
  for (auto& position : g_keyMap) position = kNoKeyPosition;
}

void LoadKeyMapIni() {
  const IniSectionReader productName(g_configIniPath, u"PRODUCTNAME");
  g_productNameCn = productName.Text(u"PRODUCTNAME_CN", kProductNameBuffer);
  g_productNameEn = productName.Text(u"PRODUCTNAME_EN", kProductNameBuffer);

  const int32_t keyCount = KeyCountOnLoad(
      IniSectionReader(g_configIniPath, u"KEYNUM").Number(u"KeyNum", kNameValueBuffer));
  g_keyCount = keyCount;

  // The map's key names count from 1: K1_MAP is key 0.
  const IniSectionReader keyMap(g_configIniPath, u"KEYMAP");
  for (int k = 0; k < kMaxKeys; ++k) {
    g_keyMap[k] = k < keyCount
                      ? KeyPositionOnLoad(LowByte(keyMap.Number(IndexedKey(u"K", k + 1, u"_MAP"),
                                                                kNameValueBuffer)))
                      : kNoKeyPosition;
  }
}

int UsableKeyCount() { return KeyCountOnLoad(g_keyCount.load()); }

KeySet KeysOfEventCode(int32_t eventCode) {
  KeySet keys = 0;
  const int count = UsableKeyCount();
  for (int k = 0; k < count; ++k) {
    const uint8_t position = g_keyMap[k];
    if (position != kNoKeyPosition && kKeyEventCodeBase + position == eventCode) {
      keys = static_cast<KeySet>(keys | (1u << k));
    }
  }
  return keys;
}

}  // namespace gm
