#pragma once
// How the keys of the four configurations reach the mouse: each key's device key code and its
// two host flags (DPI key, configuration key), and the same facts re-indexed by the device
// position the key map gives each key. The mouse knows positions 1..14; positions 1..12 also
// carry the key's lighting reaction in the key bytes of the settings blocks.

#include <array>
#include <cstdint>

#include "device/apply_macro_catalog.h"
#include "device/apply_snapshot.h"
#include "device/apply_tables.h"

namespace gm {

inline constexpr int kFirstDevicePosition = 1;  // position p is at index p - 1

struct KeyDeviceEntry {
  uint8_t deviceCode = 0;
  bool dpiKey = false;     // device code 0x06, 0x0B or 0x0C
  bool configKey = false;  // functions 19..22
  bool operator==(const KeyDeviceEntry&) const = default;
};

template <typename T, int N>
using PerConfiguration = std::array<std::array<T, N>, kConfigCount>;

// Index p - 1 holds what the key at position p has; zero where no key has the position.
struct PositionTables {
  PerConfiguration<uint8_t, kDevicePositions> keyCode{};
  PerConfiguration<int32_t, kDevicePositions> function{};
  PerConfiguration<uint8_t, kDevicePositions> param{};
  PerConfiguration<int32_t, kKeyBytePositions> ledEnable{};  // E
  PerConfiguration<uint8_t, kKeyBytePositions> ledType{};    // T, the low byte of the type
};

struct KeyMapping {
  PerConfiguration<KeyDeviceEntry, kMaxKeys> keys{};  // keys from the key count on stay zero
  PositionTables positions;
};

// The device key code of a key function: 0x14 for 18, 0x0E for the keyboard key 42, the macro
// code for a macro (from its record's whole play-mode byte, its kind and the key's LEFT_MAC),
// 0x0F for multimedia keys, the code itself for 0..6, 0x15 for 15, 0x17 / 0x19 / 0x1A / 0x00
// for the configuration keys 19..22, code - 5 for the rest of 7..17. A macro function without
// a record in the catalog, a negative function and a recoil reference from 70 on give 0.
uint8_t KeyDeviceCodeOf(int32_t function, int32_t leftMac, const MacroCatalog& macros);

// Maps keys 0 .. keyCount - 1 of every configuration (the snapshot's functions are taken as
// they stand: dangling references must already be 0). A key whose position lies outside
// 1..14 reaches no position; when two keys share a position, the later key holds it.
KeyMapping MapKeysToDevice(const ApplySettingsSnapshot& snapshot, const MacroCatalog& macros);

}  // namespace gm
