#pragma once
// Reads a HID report descriptor and gives, for each top-level collection, its usage and the
// byte lengths of its input, output and feature reports as the HID capabilities of Windows
// report them: the longest report of that kind in the collection, plus one byte for the
// report id (that byte is counted also when the descriptor numbers no reports). A kind of
// report the collection does not have has length 0.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gm {

// Bounds beyond which a descriptor is taken as broken rather than read on.
inline constexpr std::size_t kMaxHidReportByteLength = 16384;  // with the report id byte
inline constexpr uint32_t kMaxHidReportSizeBits = 256;         // bits of one field
inline constexpr uint32_t kMaxHidReportCount = kMaxHidReportByteLength * 8;
inline constexpr std::size_t kMaxHidGlobalStackDepth = 16;     // nested Push items
inline constexpr std::size_t kMaxHidCollectionDepth = 32;      // nested collections

struct HidTopLevelCollection {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t inputReportByteLength = 0;
  uint16_t outputReportByteLength = 0;
  uint16_t featureReportByteLength = 0;

  friend bool operator==(const HidTopLevelCollection&, const HidTopLevelCollection&) = default;
};

enum class HidDescriptorError {
  kNone,
  kTruncatedItem,                 // an item's data runs past the end of the descriptor
  kPopWithoutPush,
  kPushTooDeep,
  kEndCollectionWithoutStart,
  kCollectionTooDeep,
  kUnclosedCollection,            // the descriptor ends inside a collection
  kBadUsagePage,                  // above 0xFFFF
  kBadReportId,                   // 0 or above 255
  kBadReportSize,                 // above kMaxHidReportSizeBits
  kBadReportCount,                // above kMaxHidReportCount
  kReportTooLong,                 // a report beyond kMaxHidReportByteLength
  kReportIdInSeveralCollections,  // one report id used by two top-level collections
};

// On an error, `collections` holds the top-level collections that were complete (their End
// Collection read) before the faulty item; the collection in progress is dropped.
struct HidDescriptorParseResult {
  std::vector<HidTopLevelCollection> collections;
  HidDescriptorError error = HidDescriptorError::kNone;

  bool ok() const { return error == HidDescriptorError::kNone; }
};

// Main items outside every collection belong to no collection and are not counted. The usage
// of a collection is the first Usage item before it; a usage of one or two bytes takes the
// usage page in force at the Collection item, a four-byte usage carries its page in its high
// half.
HidDescriptorParseResult ParseHidReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace gm
