#pragma once
// The device nibble the mouse reports once the connection is open; Apply sends it back
// (g_deviceInitNibble, device/apply_tables.h).

#include <chrono>

namespace gm {

inline constexpr std::chrono::milliseconds kPauseBeforeInitNibbleRead{5};

// Pauses kPauseBeforeInitNibbleRead (through DeviceSleeper), reads feature report 7 back and
// keeps the low nibble of reply byte 7 in g_deviceInitNibble. When the read fails, the nibble
// comes from whatever byte 7 of the report buffer holds (read under g_featureReportMutex).
void ReadDeviceInitNibble();

}  // namespace gm
