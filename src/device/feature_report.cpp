#include "device/feature_report.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace gm {

void ComposeCommand(std::span<uint8_t> report, const FeatureCommand& command) {
  assert(report.size() >= command.length);
  std::copy_n(command.bytes.begin(), std::min(command.length, report.size()), report.begin());
}

MemoryCommandReport DecodeMemoryCommand(std::span<const uint8_t> report) {
  MemoryCommandReport decoded{};
  assert(report.size() >= sizeof(decoded));
  std::memcpy(&decoded, report.data(), std::min(sizeof(decoded), report.size()));
  return decoded;
}

}  // namespace gm
