#pragma once
// The HID consumer usages (Consumer page) of the ten multimedia key functions and the Stop key.

#include <array>
#include <cstdint>

namespace gm {

inline constexpr std::array<uint16_t, 11> kConsumerUsages = {
    0x223,  // 0 AC Home
    0x183,  // 1 AL Consumer Control Configuration
    0x18A,  // 2 AL Email Reader
    0x0E9,  // 3 Volume Increment
    0x0EA,  // 4 Volume Decrement
    0x0B6,  // 5 Scan Previous Track
    0x0B5,  // 6 Scan Next Track
    0x0E2,  // 7 Mute
    0x0CD,  // 8 Play/Pause
    0x192,  // 9 AL Calculator
    0x0B7,  // 10 Stop
};

// The consumer usage of multimedia entry index; 0 for any index beyond the table.
constexpr uint16_t ConsumerUsageOf(uint8_t index) {
  return index < kConsumerUsages.size() ? kConsumerUsages[index] : uint16_t{0};
}

}  // namespace gm
