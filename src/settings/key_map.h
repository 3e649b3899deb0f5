#pragma once
// The model facts of config.ini, read once at start-up: the product name per language, the
// number of programmable keys and the device position of each key. The program never writes
// them.

#include <atomic>
#include <cstdint>
#include <string>

#include "settings/config_settings.h"

namespace gm {

// The mouse reports the key at device position p with event code kKeyEventCodeBase + p.
inline constexpr int32_t kKeyEventCodeBase = 240;

// User-interface thread only; at most 49 characters each.
extern std::u16string g_productNameCn;
extern std::u16string g_productNameEn;
// Number of programmable keys, 0..9; keys 0 .. g_keyCount - 1 exist.
extern std::atomic<int32_t> g_keyCount;
// g_keyCount bounded to 0..kMaxKeys (KeyCountOnLoad): every walk over the keys goes through
// it, so a count stored from anywhere never indexes a key table out of its bounds.
int UsableKeyCount();
// Device position of key k, 1..9, or kNoKeyPosition (0) for a key the mouse never reports.
extern std::atomic<uint8_t> g_keyMap[kMaxKeys];

// Empty product names, no keys, no positions: the start values.
void ResetKeyMap();

// Reads PRODUCTNAME, KEYNUM and KEYMAP of g_configIniPath. Everything not in the file (all of
// it when the file is missing, which the configuration loader reports) reads as empty or 0.
// A key count outside 0..9 is brought into that range; a position outside 1..9 leaves the key
// without a position.
void LoadKeyMapIni();

// Bit k is set for every existing key k whose position the event code names; two keys that
// share a position are both set. 0 when no key matches.
using KeySet = uint16_t;
KeySet KeysOfEventCode(int32_t eventCode);

}  // namespace gm
