#pragma once
// Wire formats of the mouse's two reports: feature report 7 (commands to the mouse and its
// reply) and input report 6 (the mouse's events). Both sides of the link use these layouts:
// the host composes commands with them, the virtual mouse decodes them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gm {

// Both report buffers of the program hold this many bytes; longer reports are not supported.
inline constexpr size_t kReportBufferSize = 260;

// ---- Feature report 7 ------------------------------------------------------------------

inline constexpr uint8_t kFeatureReportId = 7;

// Command byte (byte 1).
inline constexpr uint8_t kCommandMemory = 0x18;       // memory operation, sub-operation in byte 2
inline constexpr uint8_t kCommandConsumerKey = 0x17;  // send a consumer usage
inline constexpr uint8_t kCommandLeaving = 0x20;      // the configuration program ends

// Sub-operations of the memory command (byte 2).
inline constexpr uint8_t kMemoryIdle = 0x00;         // end of a memory operation
inline constexpr uint8_t kMemoryStage = 0x03;        // stage one byte of a block
inline constexpr uint8_t kMemoryRead = 0x05;         // next read-back returns a memory byte
inline constexpr uint8_t kMemoryCommit = 0x09;       // write the staged block
inline constexpr uint8_t kMemoryFinalCommit = 0x10;  // end of a whole download

// Bytes 0..7 of a memory command. Addresses are 16-bit, low byte first; a block of n + 1
// bytes carries n in lengthMinusOne.
struct MemoryCommandReport {
  uint8_t reportId;
  uint8_t command;
  uint8_t subOperation;
  uint8_t index;
  uint8_t addressLow;
  uint8_t addressHigh;
  uint8_t value;
  uint8_t lengthMinusOne;
};
static_assert(sizeof(MemoryCommandReport) == 8);
static_assert(offsetof(MemoryCommandReport, subOperation) == 2);
static_assert(offsetof(MemoryCommandReport, addressLow) == 4);
static_assert(offsetof(MemoryCommandReport, lengthMinusOne) == 7);

// Bytes 0..3 of the consumer key command: the usage goes high byte first.
struct ConsumerKeyReport {
  uint8_t reportId;
  uint8_t command;
  uint8_t usageHigh;
  uint8_t usageLow;
};
static_assert(sizeof(ConsumerKeyReport) == 4);
static_assert(offsetof(ConsumerKeyReport, usageHigh) == 2);

// Bytes 0..3 of the leaving notice.
struct LeavingReport {
  uint8_t reportId;
  uint8_t command;
  uint8_t reserved0;
  uint8_t reserved1;
};
static_assert(sizeof(LeavingReport) == 4);

// A memory command is the longest command; a feature report must at least hold it.
inline constexpr size_t kMinFeatureReportLength = sizeof(MemoryCommandReport);

// Largest block one commit can describe (lengthMinusOne and index are one byte each).
inline constexpr int32_t kMaxBlockLength = 256;
// Addresses are 16-bit.
inline constexpr int32_t kMaxDeviceAddress = 0xFFFF;

// The bytes a command sets, from byte 0 on. Bytes of the report beyond them keep whatever the
// report buffer held.
struct FeatureCommand {
  std::array<uint8_t, kMinFeatureReportLength> bytes{};
  size_t length = 0;
};

constexpr uint8_t AddressLow(int32_t address) { return static_cast<uint8_t>(address & 0xFF); }
constexpr uint8_t AddressHigh(int32_t address) {
  return static_cast<uint8_t>((address / 256) & 0xFF);
}
constexpr int32_t AddressOf(uint8_t low, uint8_t high) { return high * 256 + low; }

constexpr FeatureCommand MemoryCommand(uint8_t subOperation, uint8_t index, int32_t address,
                                       uint8_t value, uint8_t lengthMinusOne) {
  return {{kFeatureReportId, kCommandMemory, subOperation, index, AddressLow(address),
           AddressHigh(address), value, lengthMinusOne},
          sizeof(MemoryCommandReport)};
}

// Byte `index` of a block of lengthMinusOne + 1 bytes at address has the value `value`.
constexpr FeatureCommand StageCommand(uint8_t index, int32_t address, uint8_t value,
                                      uint8_t lengthMinusOne) {
  return MemoryCommand(kMemoryStage, index, address, value, lengthMinusOne);
}
constexpr FeatureCommand CommitCommand(int32_t address, uint8_t lengthMinusOne) {
  return MemoryCommand(kMemoryCommit, 0, address, 0, lengthMinusOne);
}
constexpr FeatureCommand IdleCommand(int32_t address) {
  return MemoryCommand(kMemoryIdle, 0, address, 0, 0);
}
constexpr FeatureCommand ReadCommand(int32_t address) {
  return MemoryCommand(kMemoryRead, 0, address, 0, 0);
}
constexpr FeatureCommand FinalCommitCommand() {
  return MemoryCommand(kMemoryFinalCommit, 0, 0, 0, 0);
}
constexpr FeatureCommand ConsumerKeyCommand(uint16_t usage) {
  return {{kFeatureReportId, kCommandConsumerKey, static_cast<uint8_t>(usage >> 8),
           static_cast<uint8_t>(usage & 0xFF)},
          sizeof(ConsumerKeyReport)};
}
constexpr FeatureCommand LeavingCommand() {
  return {{kFeatureReportId, kCommandLeaving, 0, 0}, sizeof(LeavingReport)};
}

// Writes the command's bytes over the start of the report; the rest is left as it is.
// The report must be at least kMinFeatureReportLength bytes long.
void ComposeCommand(std::span<uint8_t> report, const FeatureCommand& command);

// Reads bytes 0..7 of a received feature report as a memory command (for the device side).
// The report must be at least kMinFeatureReportLength bytes long.
MemoryCommandReport DecodeMemoryCommand(std::span<const uint8_t> report);

// ---- Reply to a read-back of feature report 7 --------------------------------------------

inline constexpr size_t kReplyValueByte = 1;   // the byte at the address of the last read
inline constexpr size_t kReplyStatusByte = 6;  // macro memory size and active configuration
inline constexpr size_t kReplyDeviceByte = 7;  // low nibble: a device value start-up keeps
static_assert(kReplyDeviceByte < kMinFeatureReportLength);

// Status byte: bit 1 = large macro memory, bits 2..3 = active configuration.
inline constexpr uint8_t kStatusLargeMacroMemoryBit = 0x02;
inline constexpr int kStatusConfigurationShift = 2;
inline constexpr uint8_t kConfigurationMask = 0x03;
inline constexpr uint8_t kDeviceNibbleMask = 0x0F;
// Macro images must end below this address (small memory) or 0xFF8 (large memory).
inline constexpr int32_t kSmallMacroMemoryLimit = 0x7F8;
inline constexpr int kLargeMacroMemoryShift = 10;

constexpr int ActiveConfigurationOf(uint8_t statusByte) {
  return (statusByte >> kStatusConfigurationShift) & kConfigurationMask;
}
constexpr bool HasLargeMacroMemory(uint8_t statusByte) {
  return (statusByte & kStatusLargeMacroMemoryBit) != 0;
}
// 0x7F8 or 0xFF8.
constexpr int32_t MacroMemoryLimitOf(uint8_t statusByte) {
  return ((statusByte & kStatusLargeMacroMemoryBit) << kLargeMacroMemoryShift) |
         kSmallMacroMemoryLimit;
}
constexpr uint8_t DeviceNibbleOf(uint8_t deviceByte) { return deviceByte & kDeviceNibbleMask; }
// The status byte the mouse answers with (device side).
constexpr uint8_t StatusByteOf(int activeConfiguration, bool largeMacroMemory) {
  return static_cast<uint8_t>(((activeConfiguration & kConfigurationMask)
                               << kStatusConfigurationShift) |
                              (largeMacroMemory ? kStatusLargeMacroMemoryBit : 0));
}
static_assert(MacroMemoryLimitOf(0) == 0x7F8 && MacroMemoryLimitOf(2) == 0xFF8);
static_assert(ActiveConfigurationOf(StatusByteOf(3, true)) == 3);

// One reply, copied out of the report buffer.
struct FeatureReply {
  std::array<uint8_t, kReportBufferSize> bytes{};
  size_t length = 0;  // the feature report length, at least kMinFeatureReportLength

  uint8_t ValueByte() const { return bytes[kReplyValueByte]; }
  uint8_t StatusByte() const { return bytes[kReplyStatusByte]; }
  int ActiveConfiguration() const { return ActiveConfigurationOf(StatusByte()); }
  int32_t MacroMemoryLimit() const { return MacroMemoryLimitOf(StatusByte()); }
  uint8_t DeviceNibble() const { return DeviceNibbleOf(bytes[kReplyDeviceByte]); }
};

// ---- Input report 6 ----------------------------------------------------------------------

inline constexpr uint8_t kInputReportId = 6;

// Bytes 0..2 of an input report.
struct InputEventReport {
  uint8_t reportId;
  uint8_t eventCode;
  uint8_t keyState;  // key events: bit 7 = DPI change, bits 0..2 = DPI level; 0x80 = release
};
static_assert(sizeof(InputEventReport) == 3);

inline constexpr uint8_t kEventRecoilUp = 1;
inline constexpr uint8_t kEventRecoilDown = 2;
inline constexpr uint8_t kEventConfigurationSwitch = 3;
inline constexpr uint8_t kEventIgnored = 0xF0;
inline constexpr uint8_t kEventFirstKey = 0xF1;  // key at device position code - 0xF0
inline constexpr uint8_t kKeyStateDpiChangeBit = 0x80;
inline constexpr uint8_t kKeyStateDpiLevelMask = 0x07;
inline constexpr uint8_t kKeyStateReleased = 0x80;

}  // namespace gm
