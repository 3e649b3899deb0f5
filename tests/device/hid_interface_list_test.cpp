#include "device/hid_interface_list.h"

#include <map>

#include <gtest/gtest.h>

namespace gm {
namespace {

using Bytes = std::vector<uint8_t>;

// Input report 6 (8 bytes with the id) in 0xFF00/1, feature report 7 (8 bytes) in 0xFF01/1.
const Bytes kMouseVendorDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0,
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,
};
// A plain boot mouse, one collection without report ids: 3-byte input report.
const Bytes kBootMouseDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x95, 0x03,
    0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30,
    0x09, 0x31, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0,
};

HidReportDescriptorSource FromTable(std::map<std::string, Bytes> table) {
  return [table = std::move(table)](const std::string& path) -> std::optional<Bytes> {
    const auto found = table.find(path);
    if (found == table.end()) return std::nullopt;
    return found->second;
  };
}

TEST(CollectionsOfInterfaces, OneEntryPerCollectionWhateverTheRowsPerInterface) {
  // The platform lists the vendor interface once per collection, between the rows of another.
  const std::vector<HidEnumeratedInterface> rows = {
      {"/dev/hidraw1", 0x1209, 0x0001, 0xFF00, 1},
      {"/dev/hidraw0", 0x1209, 0x0001, 0x0001, 2},
      {"/dev/hidraw1", 0x1209, 0x0001, 0xFF01, 1},
  };
  const auto infos = CollectionsOfInterfaces(
      rows, FromTable({{"/dev/hidraw1", kMouseVendorDescriptor},
                       {"/dev/hidraw0", kBootMouseDescriptor}}));
  ASSERT_EQ(infos.size(), 3u);
  EXPECT_EQ(infos[0].path, "/dev/hidraw1");
  EXPECT_EQ(infos[0].usagePage, 0xFF00);
  EXPECT_EQ(infos[0].inputReportByteLength, 8);
  EXPECT_EQ(infos[0].featureReportByteLength, 0);
  EXPECT_EQ(infos[1].path, "/dev/hidraw1");
  EXPECT_EQ(infos[1].usagePage, 0xFF01);
  EXPECT_EQ(infos[1].inputReportByteLength, 0);
  EXPECT_EQ(infos[1].featureReportByteLength, 8);
  EXPECT_EQ(infos[2].path, "/dev/hidraw0");
  EXPECT_EQ(infos[2].usagePage, 0x0001);
  EXPECT_EQ(infos[2].usage, 2);
  EXPECT_EQ(infos[2].inputReportByteLength, 4);
  for (const HidCollectionInfo& info : infos) {
    EXPECT_EQ(info.vendorId, 0x1209);
    EXPECT_EQ(info.productId, 0x0001);
  }
}

TEST(CollectionsOfInterfaces, UnreadableOrBrokenDescriptorFallsBackToPlatformUsages) {
  const std::vector<HidEnumeratedInterface> rows = {
      {"/dev/hidraw2", 0x1209, 0x0001, 0xFF00, 1},
      {"/dev/hidraw2", 0x1209, 0x0001, 0xFF01, 1},
      {"/dev/hidraw2", 0x1209, 0x0001, 0xFF00, 1},
      {"/dev/hidraw3", 0x046D, 0xC077, 0x0001, 2},
  };
  const Bytes brokenAtStart = {0x06, 0x00, 0xFF, 0xA1, 0x01, 0x81};  // truncated in a collection
  const auto infos =
      CollectionsOfInterfaces(rows, FromTable({{"/dev/hidraw3", brokenAtStart}}));
  ASSERT_EQ(infos.size(), 3u);
  EXPECT_EQ(infos[0].usagePage, 0xFF00);
  EXPECT_EQ(infos[1].usagePage, 0xFF01);
  EXPECT_EQ(infos[2].path, "/dev/hidraw3");
  EXPECT_EQ(infos[2].vendorId, 0x046D);
  for (const HidCollectionInfo& info : infos) {
    EXPECT_EQ(info.inputReportByteLength, 0);
    EXPECT_EQ(info.featureReportByteLength, 0);
  }
}

TEST(CollectionsOfInterfaces, DescriptorBrokenAfterACollectionGivesThatCollection) {
  Bytes broken(kMouseVendorDescriptor.begin(), kMouseVendorDescriptor.begin() + 16);
  broken.push_back(0xB4);  // Pop without Push
  const std::vector<HidEnumeratedInterface> rows = {{"/dev/hidraw1", 1, 2, 0xFF01, 1}};
  const auto infos = CollectionsOfInterfaces(rows, FromTable({{"/dev/hidraw1", broken}}));
  ASSERT_EQ(infos.size(), 1u);
  EXPECT_EQ(infos[0].usagePage, 0xFF00);
  EXPECT_EQ(infos[0].inputReportByteLength, 8);
}

TEST(HidrawReportDescriptorFile, OnlyHidrawNodesHaveOne) {
  EXPECT_EQ(HidrawReportDescriptorFile("/dev/hidraw0"),
            std::filesystem::path("/sys/class/hidraw/hidraw0/device/report_descriptor"));
  EXPECT_EQ(HidrawReportDescriptorFile("/dev/hidraw12"),
            std::filesystem::path("/sys/class/hidraw/hidraw12/device/report_descriptor"));
  EXPECT_EQ(HidrawReportDescriptorFile("hidraw7"),
            std::filesystem::path("/sys/class/hidraw/hidraw7/device/report_descriptor"));
  for (const char* other : {"", "/dev/hidraw", "/dev/hidraw3/", "/dev/hidraw3a", "/dev/hidraw-1",
                            "/dev/hidraw1/..", "/dev/input/event3", "1-1.2:1.0", "/dev/HIDRAW1"}) {
    EXPECT_EQ(HidrawReportDescriptorFile(other), std::nullopt) << other;
  }
}

}  // namespace
}  // namespace gm
