#pragma once
// Turns the platform's list of HID interfaces into one entry per top-level collection. The
// platform may list one interface several times (once per collection it knows of); each
// interface is read once, by its path, and its report descriptor decides the collections.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_transport.h"

namespace gm {

// One row of the platform's HID enumeration, with the usage the platform itself found.
struct HidEnumeratedInterface {
  std::string path;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
};

// Reads the report descriptor of the interface at a path; nullopt when it cannot be read.
using HidReportDescriptorSource =
    std::function<std::optional<std::vector<uint8_t>>(const std::string& path)>;

// Interfaces come out in the order their paths first appear. An interface whose descriptor
// cannot be read, or holds no complete top-level collection, is listed with the platform's own
// usages (each distinct pair once) and report lengths of 0. A descriptor that breaks off after
// complete collections gives those collections.
std::vector<HidCollectionInfo> CollectionsOfInterfaces(
    std::span<const HidEnumeratedInterface> interfaces,
    const HidReportDescriptorSource& readDescriptor);

// The sysfs file with the report descriptor of a hidraw device node:
// "/dev/hidraw3" -> "/sys/class/hidraw/hidraw3/device/report_descriptor". nullopt for any path
// whose last part is not "hidraw" followed by digits only.
std::optional<std::filesystem::path> HidrawReportDescriptorFile(std::string_view devicePath);

}  // namespace gm
