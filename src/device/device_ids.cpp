#include "device/device_ids.h"

#include <cstdio>

#include "device/hid_transport.h"

namespace gm {

bool HasMouseIds(const HidCollectionInfo& info) {
  return info.vendorId == g_vendorId && info.productId == g_productId;
}

std::string MouseIdsWebPage() {
  char page[sizeof "https://pid.codes/FFFF/FFFF/"];
  std::snprintf(page, sizeof page, "https://pid.codes/%04X/%04X/", unsigned{kMouseVendorId},
                unsigned{kMouseProductId});
  return page;
}

}  // namespace gm
