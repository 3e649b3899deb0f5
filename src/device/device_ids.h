#pragma once
// USB identity of the supported mouse and of the two vendor-defined collections it exposes.

#include <cstdint>
#include <string>

namespace gm {

struct HidCollectionInfo;

// USB vendor id and product id of the supported mouse. The udev rule
// (res/udev/70-gmouse.rules) names the same two values.
inline constexpr int32_t g_vendorId = 0x1209;
inline constexpr int32_t g_productId = 0x0001;
// The same ids in the 16-bit form the USB descriptors and the HID interfaces carry.
inline constexpr uint16_t kMouseVendorId = static_cast<uint16_t>(g_vendorId);
inline constexpr uint16_t kMouseProductId = static_cast<uint16_t>(g_productId);
static_assert(kMouseVendorId == g_vendorId && kMouseProductId == g_productId,
              "USB ids are 16-bit values");

// True when an interface carries the mouse's vendor and product ids.
bool HasMouseIds(const HidCollectionInfo& info);

// The web page of the ids ("https://pid.codes/VVVV/PPPP/", four upper-case hex digits each),
// opened from the window's header.
std::string MouseIdsWebPage();

// The input collection carries input report 6 (the mouse's events).
inline constexpr uint16_t kInputCollectionUsagePage = 0xFF00;
inline constexpr uint16_t kInputCollectionUsage = 1;
// The feature collection carries feature report 7 (commands, memory writes, read-back).
inline constexpr uint16_t kFeatureCollectionUsagePage = 0xFF01;
inline constexpr uint16_t kFeatureCollectionUsage = 1;

}  // namespace gm
