#pragma once
// USB identity of the supported mouse and of the two vendor-defined collections it exposes.

#include <cstdint>

namespace gm {

// USB vendor id and product id of the supported mouse.
inline constexpr int32_t g_vendorId = 0x1209;
inline constexpr int32_t g_productId = 0x0001;

// The input collection carries input report 6 (the mouse's events).
inline constexpr uint16_t kInputCollectionUsagePage = 0xFF00;
inline constexpr uint16_t kInputCollectionUsage = 1;
// The feature collection carries feature report 7 (commands, memory writes, read-back).
inline constexpr uint16_t kFeatureCollectionUsagePage = 0xFF01;
inline constexpr uint16_t kFeatureCollectionUsage = 1;

}  // namespace gm
