#include "device/hid_report_descriptor.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace gm {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

HidDescriptorParseResult Parse(const Bytes& descriptor) {
  return ParseHidReportDescriptor(descriptor);
}

// Vendor input collection: report 6 of 7 data bytes (8 with the id).
const Bytes kVendorInputCollection = {
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x06,        //   Report ID (6)
    0x09, 0x01,        //   Usage (1)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0xC0,              // End Collection
};

// Vendor feature collection: report 7 of 7 data bytes (8 with the id).
const Bytes kVendorFeatureCollection = {
    0x06, 0x01, 0xFF,  // Usage Page (0xFF01)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x07,        //   Report ID (7)
    0x09, 0x01,        //   Usage (1)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

// The boot mouse of the HID class definition: three buttons, five padding bits, X and Y.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,              // Generic Desktop, Mouse, Application
    0x09, 0x01, 0xA1, 0x00,                          //   Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03,              //     Buttons 1..3
    0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01,  //     3 x 1 bit
    0x81, 0x02,                                      //     Input (Data, Var, Abs)
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01,              //     1 x 5 bits, Input (Constant)
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,              //     X, Y
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02,  //     2 x 8 bits
    0x81, 0x06,                                      //     Input (Data, Var, Rel)
    0xC0, 0xC0,
};

// The boot keyboard: an 8-byte input report and a 1-byte LED output report, no report ids.
const Bytes kBootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,                    // Generic Desktop, Keyboard
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,                    //   modifiers, 8 x 1 bit
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                    //   reserved byte
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05,
    0x91, 0x02,                                            //   LEDs, Output 5 x 1 bit
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                    //   Output padding 3 bits
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65,
    0x81, 0x00,                                            //   6 key bytes
    0xC0,
};

TEST(HidReportDescriptor, SeveralTopLevelCollectionsOfOneInterface) {
  const auto result = Parse(Concat({kVendorInputCollection, kVendorFeatureCollection}));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.collections.size(), 2u);
  EXPECT_EQ(result.collections[0], (HidTopLevelCollection{0xFF00, 1, 8, 0, 0}));
  EXPECT_EQ(result.collections[1], (HidTopLevelCollection{0xFF01, 1, 0, 0, 8}));
}

TEST(HidReportDescriptor, ReportsWithoutIdsCountTheIdByteToo) {
  const auto mouse = Parse(kBootMouse);
  ASSERT_TRUE(mouse.ok());
  ASSERT_EQ(mouse.collections.size(), 1u);
  EXPECT_EQ(mouse.collections[0], (HidTopLevelCollection{0x01, 0x02, 4, 0, 0}));

  const auto keyboard = Parse(kBootKeyboard);
  ASSERT_TRUE(keyboard.ok());
  ASSERT_EQ(keyboard.collections.size(), 1u);
  EXPECT_EQ(keyboard.collections[0], (HidTopLevelCollection{0x01, 0x06, 9, 2, 0}));
}

TEST(HidReportDescriptor, LongestReportOfAKindWinsAndFieldsOfOneIdAddUp) {
  const Bytes descriptor = {
      0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,
      0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02,  // id 1: 2 bytes
      0x85, 0x02, 0x75, 0x01, 0x95, 0x09, 0x81, 0x02,  // id 2: 9 bits so far
      0xA1, 0x02,                                      // nested logical collection
      0x85, 0x02, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02,  //   id 2: 16 more bits
      0xC0,
      0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02,  // id 1 again: 3 bytes
      0x85, 0x03, 0x75, 0x08, 0x95, 0x04, 0xB1, 0x02,  // feature id 3: 4 bytes
      0xC0,
  };
  const auto result = Parse(descriptor);
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.collections.size(), 1u);
  // id 2: 9 + 16 = 25 bits = 4 bytes, longer than id 1's 3 bytes.
  EXPECT_EQ(result.collections[0], (HidTopLevelCollection{0xFF00, 1, 5, 0, 5}));
}

TEST(HidReportDescriptor, PushAndPopRestoreTheGlobalState) {
  const Bytes descriptor = {
      0x06, 0x00, 0xFF,                                // Usage Page 0xFF00
      0x85, 0x01, 0x75, 0x08, 0x95, 0x04,              // id 1, 4 x 8 bits
      0xA4,                                            // Push
      0x06, 0x05, 0xFF, 0x85, 0x02, 0x75, 0x10, 0x95, 0x08,
      0x09, 0x01, 0xA1, 0x01, 0xB1, 0x02, 0xC0,        // 0xFF05/1: feature id 2, 16 bytes
      0xB4,                                            // Pop
      0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0,        // 0xFF00/2: input id 1, 4 bytes
  };
  const auto result = Parse(descriptor);
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.collections.size(), 2u);
  EXPECT_EQ(result.collections[0], (HidTopLevelCollection{0xFF05, 1, 0, 0, 17}));
  EXPECT_EQ(result.collections[1], (HidTopLevelCollection{0xFF00, 2, 5, 0, 0}));
}

TEST(HidReportDescriptor, CollectionUsageTakesItsPage) {
  // A four-byte usage names its own page, whatever the usage page in force.
  const auto extended = Parse({0x05, 0x01, 0x0B, 0x02, 0x00, 0x00, 0xFF, 0xA1, 0x01, 0xC0});
  ASSERT_TRUE(extended.ok());
  ASSERT_EQ(extended.collections.size(), 1u);
  EXPECT_EQ(extended.collections[0].usagePage, 0xFF00);
  EXPECT_EQ(extended.collections[0].usage, 2);

  // A short usage takes the page in force at the Collection item, set after it or not.
  const auto late = Parse({0x09, 0x03, 0x06, 0x02, 0xFF, 0xA1, 0x01, 0xC0});
  ASSERT_EQ(late.collections.size(), 1u);
  EXPECT_EQ(late.collections[0].usagePage, 0xFF02);
  EXPECT_EQ(late.collections[0].usage, 3);

  // Local usages end at each main item: the second collection has none.
  const auto cleared = Parse({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0, 0xA1, 0x01, 0xC0});
  ASSERT_EQ(cleared.collections.size(), 2u);
  EXPECT_EQ(cleared.collections[1].usage, 0);
}

TEST(HidReportDescriptor, LongItemsAreSteppedOver) {
  const Bytes longItem = {0xFE, 0x03, 0xA5, 0x85, 0x09, 0xC0};  // data that would mislead
  const Bytes emptyLongItem = {0xFE, 0x00, 0x11};
  const auto result = Parse(Concat({longItem, kVendorInputCollection, emptyLongItem}));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.collections.size(), 1u);
  EXPECT_EQ(result.collections[0], (HidTopLevelCollection{0xFF00, 1, 8, 0, 0}));
}

TEST(HidReportDescriptor, MainItemsOutsideCollectionsAreNotCounted) {
  const Bytes strayInput = {0x75, 0x08, 0x95, 0x20, 0x81, 0x02};
  const auto result = Parse(Concat({strayInput, kVendorFeatureCollection}));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.collections.size(), 1u);
  EXPECT_EQ(result.collections[0].inputReportByteLength, 0);
}

TEST(HidReportDescriptor, EveryTruncationKeepsOnlyCompleteCollections) {
  const Bytes full = Concat({kVendorInputCollection, kVendorFeatureCollection});
  const auto whole = Parse(full);
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    const auto result = Parse(prefix);
    const std::size_t complete = cut >= kVendorInputCollection.size() ? 1u : 0u;
    ASSERT_EQ(result.collections.size(), complete) << "cut at " << cut;
    if (complete == 1) {
      EXPECT_EQ(result.collections[0], whole.collections[0]);
    }
    // Only cuts between items outside every collection leave a sound descriptor: before
    // each collection's Usage Page, Usage or Collection item.
    const std::size_t inCollection = cut % kVendorInputCollection.size();
    const bool sound = inCollection == 0 || inCollection == 3 || inCollection == 5;
    EXPECT_EQ(result.ok(), sound) << "cut at " << cut;
  }
  EXPECT_EQ(Parse({0x06, 0x00}).error, HidDescriptorError::kTruncatedItem);
  EXPECT_EQ(Parse({0x27, 0x01, 0x02, 0x03}).error, HidDescriptorError::kTruncatedItem);
  EXPECT_EQ(Parse({0xFE}).error, HidDescriptorError::kTruncatedItem);
  EXPECT_EQ(Parse({0xFE, 0x04, 0x00, 0x01, 0x02, 0x03}).error, HidDescriptorError::kTruncatedItem);
  EXPECT_EQ(Parse({0xA1, 0x01}).error, HidDescriptorError::kUnclosedCollection);
}

TEST(HidReportDescriptor, BrokenStructureStopsWithTheCollectionsBefore) {
  const auto withTail = [](Bytes tail) {
    return Parse(Concat({kVendorInputCollection, tail}));
  };
  const auto pop = withTail({0xB4});
  EXPECT_EQ(pop.error, HidDescriptorError::kPopWithoutPush);
  EXPECT_EQ(pop.collections.size(), 1u);
  EXPECT_EQ(withTail({0xC0}).error, HidDescriptorError::kEndCollectionWithoutStart);
  EXPECT_EQ(withTail({0xA1, 0x01, 0xB4, 0xC0}).error, HidDescriptorError::kPopWithoutPush);

  const Bytes pushes(kMaxHidGlobalStackDepth + 1, 0xA4);
  EXPECT_EQ(withTail(pushes).error, HidDescriptorError::kPushTooDeep);
  const Bytes balanced = Concat({Bytes(kMaxHidGlobalStackDepth, 0xA4),
                                 Bytes(kMaxHidGlobalStackDepth, 0xB4)});
  EXPECT_TRUE(withTail(balanced).ok());

  Bytes nested;
  for (std::size_t i = 0; i <= kMaxHidCollectionDepth; ++i)
    nested.insert(nested.end(), {0xA1, 0x00});
  const auto deep = withTail(nested);
  EXPECT_EQ(deep.error, HidDescriptorError::kCollectionTooDeep);
  EXPECT_EQ(deep.collections.size(), 1u);
}

TEST(HidReportDescriptor, AbsurdValuesAreRejected) {
  const auto inCollection = [](Bytes items) {
    return Parse(Concat({{0x09, 0x01, 0xA1, 0x01}, items, {0xC0}}));
  };
  EXPECT_EQ(inCollection({0x97, 0xFF, 0xFF, 0xFF, 0xFF}).error,
            HidDescriptorError::kBadReportCount);
  EXPECT_EQ(inCollection({0x77, 0x00, 0x00, 0x01, 0x00}).error, HidDescriptorError::kBadReportSize);
  EXPECT_EQ(inCollection({0x85, 0x00}).error, HidDescriptorError::kBadReportId);
  EXPECT_EQ(inCollection({0x86, 0x00, 0x01}).error, HidDescriptorError::kBadReportId);
  EXPECT_EQ(inCollection({0x07, 0x00, 0x00, 0x01, 0x00}).error, HidDescriptorError::kBadUsagePage);

  // Largest field size and count: one item is already too long a report.
  const auto huge = inCollection({0x76, 0x00, 0x01, 0x97, 0x00, 0x00, 0x02, 0x00, 0x81, 0x02});
  EXPECT_EQ(huge.error, HidDescriptorError::kReportTooLong);
  // Many items of allowed size that together pass the limit.
  Bytes many = {0x75, 0x08, 0x96, 0x00, 0x10};  // 4096 bytes a field
  for (int i = 0; i < 4; ++i) many.insert(many.end(), {0x81, 0x02});
  EXPECT_EQ(inCollection(many).error, HidDescriptorError::kReportTooLong);
  // One byte less than the limit plus the id byte is the longest report there can be.
  const auto longest = inCollection({0x75, 0x08, 0x96, 0xFF, 0x3F, 0x81, 0x02});
  ASSERT_TRUE(longest.ok());
  EXPECT_EQ(longest.collections[0].inputReportByteLength, kMaxHidReportByteLength);
}

TEST(HidReportDescriptor, AReportIdBelongsToOneTopLevelCollection) {
  const Bytes second = {0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01,
                        0x85, 0x06, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0};
  const auto result = Parse(Concat({kVendorInputCollection, second}));
  EXPECT_EQ(result.error, HidDescriptorError::kReportIdInSeveralCollections);
  ASSERT_EQ(result.collections.size(), 1u);
  EXPECT_EQ(result.collections[0].inputReportByteLength, 8);
}

}  // namespace
}  // namespace gm
