#include "device/hid_report_descriptor.h"

#include <array>
#include <optional>

namespace gm {
namespace {

// Item prefix: bits 0..1 data size code, bits 2..3 item type, bits 4..7 tag.
constexpr uint8_t kLongItemPrefix = 0xFE;  // followed by data size, long tag, data
constexpr std::size_t kLongItemHeaderBytes = 3;
constexpr uint8_t kSizeCodeMask = 0x03;
constexpr int kTypeShift = 2;
constexpr uint8_t kTypeMask = 0x03;
constexpr int kTagShift = 4;
constexpr std::array<std::size_t, 4> kDataBytesOfSizeCode = {0, 1, 2, 4};
constexpr std::size_t kExtendedUsageBytes = 4;  // a usage of four bytes carries its page
constexpr int kUsagePageShift = 16;
constexpr uint32_t kUsageMask = 0xFFFF;

enum class ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

namespace main_tag {
constexpr uint8_t kInput = 0x8;
constexpr uint8_t kOutput = 0x9;
constexpr uint8_t kCollection = 0xA;
constexpr uint8_t kFeature = 0xB;
constexpr uint8_t kEndCollection = 0xC;
}  // namespace main_tag

namespace global_tag {
constexpr uint8_t kUsagePage = 0x0;
constexpr uint8_t kReportSize = 0x7;
constexpr uint8_t kReportId = 0x8;
constexpr uint8_t kReportCount = 0x9;
constexpr uint8_t kPush = 0xA;
constexpr uint8_t kPop = 0xB;
}  // namespace global_tag

namespace local_tag {
constexpr uint8_t kUsage = 0x0;
}  // namespace local_tag

constexpr uint32_t kMaxUsagePage = 0xFFFF;
constexpr uint32_t kMaxReportId = 0xFF;
constexpr std::size_t kReportIdCount = kMaxReportId + 1;
constexpr std::size_t kReportIdBytes = 1;
constexpr uint64_t kBitsPerByte = 8;

enum ReportKind : std::size_t { kInputReport, kOutputReport, kFeatureReport, kReportKindCount };

struct ShortItem {
  ItemType type;
  uint8_t tag;
  std::size_t dataBytes;
  uint32_t data;  // little-endian, unsigned
};

struct GlobalState {
  uint16_t usagePage = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;  // 0 while the descriptor has named no report id
};

struct LocalState {
  std::optional<uint32_t> firstUsage;
  bool firstUsageExtended = false;
};

// The report bits a top-level collection has collected so far, per kind and report id.
struct CollectionInProgress {
  HidTopLevelCollection info;
  std::array<std::array<uint64_t, kReportIdCount>, kReportKindCount> bits{};
  std::array<uint64_t, kReportKindCount> longestBytes{};
  std::array<bool, kReportKindCount> hasReports{};
};

constexpr int kNoOwner = -1;

class DescriptorParser {
 public:
  explicit DescriptorParser(std::span<const uint8_t> descriptor) : bytes_(descriptor) {
    reportIdOwner_.fill(kNoOwner);
  }

  HidDescriptorParseResult Run() {
    std::size_t offset = 0;
    while (offset < bytes_.size()) {
      if (bytes_[offset] == kLongItemPrefix) {
        if (!SkipLongItem(offset)) return Fail(HidDescriptorError::kTruncatedItem);
        continue;
      }
      const std::optional<ShortItem> item = ReadShortItem(offset);
      if (!item) return Fail(HidDescriptorError::kTruncatedItem);
      const HidDescriptorError error = Apply(*item);
      if (error != HidDescriptorError::kNone) return Fail(error);
    }
    if (depth_ != 0) return Fail(HidDescriptorError::kUnclosedCollection);
    return std::move(result_);
  }

 private:
  HidDescriptorParseResult Fail(HidDescriptorError error) {
    result_.error = error;
    return std::move(result_);
  }

  // Long items have no meaning in this format version; they are stepped over.
  bool SkipLongItem(std::size_t& offset) const {
    if (bytes_.size() - offset < kLongItemHeaderBytes) return false;
    const std::size_t dataBytes = bytes_[offset + 1];
    if (bytes_.size() - offset - kLongItemHeaderBytes < dataBytes) return false;
    offset += kLongItemHeaderBytes + dataBytes;
    return true;
  }

  std::optional<ShortItem> ReadShortItem(std::size_t& offset) const {
    const uint8_t prefix = bytes_[offset];
    const std::size_t dataBytes = kDataBytesOfSizeCode[prefix & kSizeCodeMask];
    if (bytes_.size() - offset - 1 < dataBytes) return std::nullopt;
    uint32_t data = 0;
    for (std::size_t i = 0; i < dataBytes; ++i) {
      data |= static_cast<uint32_t>(bytes_[offset + 1 + i]) << (kBitsPerByte * i);
    }
    offset += 1 + dataBytes;
    return ShortItem{static_cast<ItemType>((prefix >> kTypeShift) & kTypeMask),
                     static_cast<uint8_t>(prefix >> kTagShift), dataBytes, data};
  }

  HidDescriptorError Apply(const ShortItem& item) {
    switch (item.type) {
      case ItemType::kMain: {
        const HidDescriptorError error = ApplyMain(item);
        local_ = {};  // local items end at every main item
        return error;
      }
      case ItemType::kGlobal:
        return ApplyGlobal(item);
      case ItemType::kLocal:
        ApplyLocal(item);
        return HidDescriptorError::kNone;
      case ItemType::kReserved:
        break;
    }
    return HidDescriptorError::kNone;
  }

  HidDescriptorError ApplyMain(const ShortItem& item) {
    switch (item.tag) {
      case main_tag::kCollection:
        return BeginCollection();
      case main_tag::kEndCollection:
        return EndCollection();
      case main_tag::kInput:
        return AddReportField(kInputReport);
      case main_tag::kOutput:
        return AddReportField(kOutputReport);
      case main_tag::kFeature:
        return AddReportField(kFeatureReport);
      default:
        return HidDescriptorError::kNone;  // reserved main tags carry nothing we count
    }
  }

  HidDescriptorError BeginCollection() {
    if (depth_ == kMaxHidCollectionDepth) return HidDescriptorError::kCollectionTooDeep;
    if (depth_ == 0) {
      current_ = CollectionInProgress{};
      current_.info.usagePage = global_.usagePage;
      if (local_.firstUsage) {
        const uint32_t usage = *local_.firstUsage;
        if (local_.firstUsageExtended) {
          current_.info.usagePage = static_cast<uint16_t>(usage >> kUsagePageShift);
        }
        current_.info.usage = static_cast<uint16_t>(usage & kUsageMask);
      }
    }
    ++depth_;
    return HidDescriptorError::kNone;
  }

  HidDescriptorError EndCollection() {
    if (depth_ == 0) return HidDescriptorError::kEndCollectionWithoutStart;
    if (--depth_ == 0) {
      HidTopLevelCollection info = current_.info;
      info.inputReportByteLength = ByteLength(kInputReport);
      info.outputReportByteLength = ByteLength(kOutputReport);
      info.featureReportByteLength = ByteLength(kFeatureReport);
      result_.collections.push_back(info);
    }
    return HidDescriptorError::kNone;
  }

  uint16_t ByteLength(ReportKind kind) const {
    if (!current_.hasReports[kind]) return 0;
    // Bounded by kMaxHidReportByteLength when the fields were added.
    return static_cast<uint16_t>(current_.longestBytes[kind] + kReportIdBytes);
  }

  HidDescriptorError AddReportField(ReportKind kind) {
    if (depth_ == 0) return HidDescriptorError::kNone;  // outside every collection
    const int collectionIndex = static_cast<int>(result_.collections.size());
    int& owner = reportIdOwner_[global_.reportId];
    if (owner != kNoOwner && owner != collectionIndex) {
      return HidDescriptorError::kReportIdInSeveralCollections;
    }
    owner = collectionIndex;

    // Both factors are bounded when read, so the product cannot overflow.
    uint64_t& bits = current_.bits[kind][global_.reportId];
    bits += static_cast<uint64_t>(global_.reportSize) * global_.reportCount;
    const uint64_t bytes = (bits + kBitsPerByte - 1) / kBitsPerByte;
    if (bytes + kReportIdBytes > kMaxHidReportByteLength) return HidDescriptorError::kReportTooLong;
    current_.hasReports[kind] = true;
    if (bytes > current_.longestBytes[kind]) current_.longestBytes[kind] = bytes;
    return HidDescriptorError::kNone;
  }

  HidDescriptorError ApplyGlobal(const ShortItem& item) {
    switch (item.tag) {
      case global_tag::kUsagePage:
        if (item.data > kMaxUsagePage) return HidDescriptorError::kBadUsagePage;
        global_.usagePage = static_cast<uint16_t>(item.data);
        break;
      case global_tag::kReportSize:
        if (item.data > kMaxHidReportSizeBits) return HidDescriptorError::kBadReportSize;
        global_.reportSize = item.data;
        break;
      case global_tag::kReportCount:
        if (item.data > kMaxHidReportCount) return HidDescriptorError::kBadReportCount;
        global_.reportCount = item.data;
        break;
      case global_tag::kReportId:
        if (item.data == 0 || item.data > kMaxReportId) return HidDescriptorError::kBadReportId;
        global_.reportId = static_cast<uint8_t>(item.data);
        break;
      case global_tag::kPush:
        if (stackDepth_ == kMaxHidGlobalStackDepth) return HidDescriptorError::kPushTooDeep;
        globalStack_[stackDepth_++] = global_;
        break;
      case global_tag::kPop:
        if (stackDepth_ == 0) return HidDescriptorError::kPopWithoutPush;
        global_ = globalStack_[--stackDepth_];
        break;
      default:
        break;  // logical and physical ranges, units: no bearing on report lengths
    }
    return HidDescriptorError::kNone;
  }

  void ApplyLocal(const ShortItem& item) {
    if (item.tag == local_tag::kUsage && !local_.firstUsage) {
      local_.firstUsage = item.data;
      local_.firstUsageExtended = item.dataBytes == kExtendedUsageBytes;
    }
  }

  std::span<const uint8_t> bytes_;
  HidDescriptorParseResult result_;
  GlobalState global_;
  std::array<GlobalState, kMaxHidGlobalStackDepth> globalStack_{};
  std::size_t stackDepth_ = 0;
  LocalState local_;
  std::size_t depth_ = 0;
  CollectionInProgress current_;
  std::array<int, kReportIdCount> reportIdOwner_{};  // index of the top-level collection
};

}  // namespace

HidDescriptorParseResult ParseHidReportDescriptor(std::span<const uint8_t> descriptor) {
  return DescriptorParser(descriptor).Run();
}

}  // namespace gm
