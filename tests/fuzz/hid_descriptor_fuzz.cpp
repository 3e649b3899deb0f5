// Feeds arbitrary bytes to the report-descriptor reader: it must neither crash nor read out
// of bounds, and whatever it returns must keep its own limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/hid_report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const gm::HidDescriptorParseResult result =
      gm::ParseHidReportDescriptor(std::span<const uint8_t>(data, size));
  // Each collection takes at least a Collection and an End Collection item of one byte.
  if (result.collections.size() > size / 2) std::abort();
  for (const gm::HidTopLevelCollection& collection : result.collections) {
    for (uint16_t length : {collection.inputReportByteLength, collection.outputReportByteLength,
                            collection.featureReportByteLength}) {
      if (length > gm::kMaxHidReportByteLength) std::abort();
    }
  }
  return 0;
}
