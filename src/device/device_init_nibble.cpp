#include "device/device_init_nibble.h"

#include <mutex>

#include "device/apply_tables.h"
#include "device/device_link.h"
#include "device/feature_report.h"
#include "device/sleeper.h"

namespace gm {

void ReadDeviceInitNibble() {
  DeviceSleeper().SleepFor(kPauseBeforeInitNibbleRead);
  if (const auto reply = ReadFeatureReply()) {
    g_deviceInitNibble = reply->DeviceNibble();
    return;
  }
  std::lock_guard lock(g_featureReportMutex);
  g_deviceInitNibble = DeviceNibbleOf(g_featureReport[kReplyDeviceByte]);
}

}  // namespace gm
