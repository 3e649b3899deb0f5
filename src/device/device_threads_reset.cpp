#include "device/device_threads.h"

namespace gm {

void ResetDeviceThreadFlags() {
  g_keyEventPending = 0;
  g_lastKeyEventCode = 0;
  g_dpiChangePending = 0;
  g_recoilDirection = 0;
  g_lastDpiKeyEvent = 0;
}

}  // namespace gm
