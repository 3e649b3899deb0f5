#include "device/hid_interface_list.h"

#include <algorithm>

#include "device/hid_report_descriptor.h"

namespace gm {
namespace {

constexpr std::string_view kHidrawNodePrefix = "hidraw";
constexpr std::string_view kHidrawClassFolder = "/sys/class/hidraw";
constexpr std::string_view kReportDescriptorFile = "device/report_descriptor";

HidCollectionInfo InfoOf(const HidEnumeratedInterface& interface) {
  HidCollectionInfo info;
  info.path = interface.path;
  info.vendorId = interface.vendorId;
  info.productId = interface.productId;
  return info;
}

void AddCollectionsFromDescriptor(const HidEnumeratedInterface& first,
                                  const std::vector<HidTopLevelCollection>& collections,
                                  std::vector<HidCollectionInfo>& out) {
  for (const HidTopLevelCollection& collection : collections) {
    HidCollectionInfo info = InfoOf(first);
    info.usagePage = collection.usagePage;
    info.usage = collection.usage;
    info.inputReportByteLength = collection.inputReportByteLength;
    info.featureReportByteLength = collection.featureReportByteLength;
    out.push_back(std::move(info));
  }
}

void AddCollectionsFromPlatform(std::span<const HidEnumeratedInterface> interfaces,
                                const std::string& path, std::vector<HidCollectionInfo>& out) {
  const std::size_t firstOfPath = out.size();
  for (const HidEnumeratedInterface& interface : interfaces) {
    if (interface.path != path) continue;
    const bool known = std::any_of(
        out.begin() + static_cast<std::ptrdiff_t>(firstOfPath), out.end(),
        [&](const HidCollectionInfo& info) {
          return info.usagePage == interface.usagePage && info.usage == interface.usage;
        });
    if (known) continue;
    HidCollectionInfo info = InfoOf(interface);
    info.usagePage = interface.usagePage;
    info.usage = interface.usage;
    out.push_back(std::move(info));
  }
}

}  // namespace

std::vector<HidCollectionInfo> CollectionsOfInterfaces(
    std::span<const HidEnumeratedInterface> interfaces,
    const HidReportDescriptorSource& readDescriptor) {
  std::vector<HidCollectionInfo> out;
  std::vector<std::string> seenPaths;
  for (const HidEnumeratedInterface& interface : interfaces) {
    if (std::find(seenPaths.begin(), seenPaths.end(), interface.path) != seenPaths.end()) continue;
    seenPaths.push_back(interface.path);

    std::vector<HidTopLevelCollection> parsed;
    if (const std::optional<std::vector<uint8_t>> descriptor = readDescriptor(interface.path)) {
      parsed = ParseHidReportDescriptor(*descriptor).collections;
    }
    if (!parsed.empty()) {
      AddCollectionsFromDescriptor(interface, parsed, out);
    } else {
      AddCollectionsFromPlatform(interfaces, interface.path, out);
    }
  }
  return out;
}

std::optional<std::filesystem::path> HidrawReportDescriptorFile(std::string_view devicePath) {
  const std::size_t slash = devicePath.rfind('/');
  const std::string_view node =
      slash == std::string_view::npos ? devicePath : devicePath.substr(slash + 1);
  if (node.size() <= kHidrawNodePrefix.size() || !node.starts_with(kHidrawNodePrefix)) {
    return std::nullopt;
  }
  const std::string_view number = node.substr(kHidrawNodePrefix.size());
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::filesystem::path(kHidrawClassFolder) / node / kReportDescriptorFile;
}

}  // namespace gm
