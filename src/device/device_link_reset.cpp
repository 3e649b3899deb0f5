#include <mutex>

#include "device/device_link.h"

namespace gm {

void ResetDeviceLink() {
  CloseDevice();
  g_deviceFound = false;
  {
    std::lock_guard lock(g_featureReportMutex);
    g_featureReport.fill(0);
    g_capsWrite = {};
  }
  std::lock_guard lock(g_deviceStateMutex);
  g_capsRead = {};
  g_devicePath.clear();
}

}  // namespace gm
