#pragma once
// A software mouse that speaks the device side of the protocol, for tests and for running the
// program without the hardware. It is its own HidTransport: Enumerate lists its one interface
// ("virtual:gmouse") with the two collections read from its own report descriptor, and Open
// returns connections to it.
//
// Device side of feature report 7 (only bytes 0..7 of a received report are looked at):
// - stage (18 03 i aL aH d n) keeps byte i of the block of n + 1 bytes at the address in a
//   staging buffer. A stage for another address or length than the staged block discards the
//   staged bytes and starts that block; an index above n is ignored.
// - commit (18 09 00 aL aH 00 n) writes the staged bytes into memory when address and length
//   are those of the staged block, and only the bytes that were staged: memory under a byte
//   that was not staged keeps its value. A commit for another block writes nothing. Bytes
//   that would land at or above the end of the 16 KiB memory are dropped. The staging buffer
//   is empty afterwards.
// - idle (18 00 ...) ends the memory operation: the staging buffer is emptied.
// - read (18 05 00 aL aH ...) makes every following read-back carry the memory byte at that
//   address in reply byte 1 (0 before the first read command, and for addresses beyond the
//   memory), until the next read command.
// - final commit (18 10 ...), consumer key (17 uH uL) and leaving notice (20) are recorded.
// Every reply carries byte 6 = (active configuration << 2) | (large macro memory ? 2 : 0)
// and byte 7 = the device nibble; its other bytes are 0. Reports must have the report id 7
// and exactly the feature report length; others are refused (and still recorded).
//
// Record: the mouse counts what it received and keeps the last kRecentFeatureReports feature
// reports and the last kRecentConsumerKeys consumer keys, so a long run holds a bounded
// record. Diagnostics: when GMOUSE_VIRTUAL_LOG names a file, every report received and sent is
// appended to it (see ReportLog), the whole run; when GMOUSE_VIRTUAL_DUMP names a file, the
// memory is written to it when the mouse is destroyed.
// All members are thread-safe.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/virtual_mouse_memory.h"  // kVirtualMouseMemorySize

namespace gm {

inline constexpr char kVirtualMousePath[] = "virtual:gmouse";
inline constexpr char kVirtualLogVariable[] = "GMOUSE_VIRTUAL_LOG";
inline constexpr char kVirtualDumpVariable[] = "GMOUSE_VIRTUAL_DUMP";
// Feature reports the mouse keeps: more than a download sends. Apply writes under 4 KiB of the
// memory, one stage report a byte plus a commit and an idle a block (4,579 reports in the
// benchmark's Apply with the large macro memory).
inline constexpr size_t kRecentFeatureReports = 32 * 1024;
// Consumer keys the mouse keeps, the last ones sent.
inline constexpr size_t kRecentConsumerKeys = 1024;

class VirtualMouse final : public HidTransport {
 public:
  VirtualMouse();
  ~VirtualMouse() override;
  VirtualMouse(const VirtualMouse&) = delete;
  VirtualMouse& operator=(const VirtualMouse&) = delete;

  // Nothing once unplugged.
  std::vector<HidCollectionInfo> Enumerate() override;
  // nullptr for another path or once unplugged.
  HidOpenResult Open(const std::string& path, HidAccess access) override;

  // ---- Device state set by tests ----
  void SetActiveConfiguration(int configuration);  // 0..3 (taken modulo 4)
  void SetLargeMacroMemory(bool large);
  void SetDeviceNibble(uint8_t nibble);  // low four bits are used
  // Queues one input report; it is padded with zeros or cut to the input report length.
  void InjectInput(std::span<const uint8_t> report);
  // The user switched configuration on the mouse: the active configuration changes and the
  // input report 06 03 is queued.
  void InjectConfigurationSwitch(int configuration);
  // Every later call of the mouse and of its connections fails; a blocked ReadInput returns.
  void Unplug();
  // Faults in the middle of a download. Feature reports are numbered from 0 in the order the
  // mouse receives them (FeatureReportCount). The reports numbered first .. first +
  // count - 1 are refused (and recorded); the mouse is unplugged as the report numbered
  // `count` arrives, so that report and every later call fail.
  void RefuseFeatureReports(size_t first, size_t count);
  void UnplugAtFeatureReport(size_t number);

  // ---- Observation ----
  uint8_t MemoryByte(int32_t address) const;  // 0 beyond the memory
  std::vector<uint8_t> Memory() const;
  bool DumpMemory(const std::filesystem::path& file) const;
  // Feature reports received so far, refused ones included.
  size_t FeatureReportCount() const;
  // The feature reports numbered `first` and later that the mouse still keeps (the last
  // kRecentFeatureReports), oldest first.
  std::vector<std::vector<uint8_t>> RecentFeatureReports(size_t first = 0) const;
  int CommitCount() const;  // commits that wrote their block
  int FinalCommitCount() const;
  std::vector<uint16_t> ConsumerUsages() const;  // the last kRecentConsumerKeys, oldest first
  size_t ConsumerKeyCount() const;               // consumer keys received in all
  int LeavingNoticeCount() const;
  // The ReadInput calls of every input connection: how many, and the longest wait one asked
  // for (-1 once one waited without a limit).
  struct InputReads {
    int count = 0;
    int longestWaitMs = 0;
  };
  InputReads InputReadsMade() const;
  int ActiveConfiguration() const;
  uint16_t InputReportLength() const;
  uint16_t FeatureReportLength() const;

  // The mouse's report descriptor.
  static std::span<const uint8_t> ReportDescriptor();

  class State;

 private:
  std::shared_ptr<State> state_;
  std::vector<HidCollectionInfo> collections_;
  std::filesystem::path dumpFile_;
};

}  // namespace gm
