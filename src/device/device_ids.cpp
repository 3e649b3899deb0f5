#include "device/device_ids.h"

#include <cstdio>

namespace gm {

std::string MouseIdsWebPage() {
  char page[sizeof "https://pid.codes/FFFF/FFFF/"];
  std::snprintf(page, sizeof page, "https://pid.codes/%04X/%04X/", unsigned{kMouseVendorId},
                unsigned{kMouseProductId});
  return page;
}

}  // namespace gm
