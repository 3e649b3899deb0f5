#include "device/apply_settings.h"

#include <mutex>
#include <optional>
#include <vector>

#include "device/apply_blocks.h"
#include "device/apply_key_mapping.h"
#include "device/apply_macro_catalog.h"
#include "device/apply_slots.h"
#include "device/apply_snapshot.h"
#include "device/apply_tables.h"
#include "device/device_link.h"
#include "device/lighting_byte.h"
#include "device/macro_image.h"
#include "device/recoil_adjust.h"
#include "device/slot_descriptor.h"
#include "macros/group_macro_save.h"
#include "macros/macro_record.h"
#include "platform/save_failure.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/paths.h"

namespace gm {

namespace {

constexpr int kPointerSpeedForNoChoice = 1;
constexpr int kPointerSpeedPerStep = 2;
constexpr uint8_t kLastPointerSpeedStep = 8;
constexpr int kPointerSpeedOtherwise = 18;
constexpr int kWheelLinesMask = 0xFF;
constexpr int kFirstKeySlot = 0;

// Runs never overlap, and the lighting state is theirs.
std::mutex g_applyMutex;
LightingState g_lightingState;

class ApplyRun {
 public:
  ApplyRun(SystemMouseSettings& system, std::optional<GroupMacro> macroToSaveFirst)
      : system_(system), macroToSaveFirst_(macroToSaveFirst) {}

  ApplyResult Run() {
    if (!HasWriteConnection()) return ApplyResult::kNoDevice;
    // Every file this run fails to save is shown once, when the run ends.
    const SaveFailureReport saveFailures;
    snapshot_ = TakeApplySettingsSnapshot();

    // The download sees the macro as the editor shows it.
    if (macroToSaveFirst_) SaveGroupMacro(*macroToSaveFirst_);
    const ApplyResult download = Download();
    if (download == ApplyResult::kMouseNotFullyWritten) {
      // The settings the user made would be lost with the program (which ends when the mouse
      // goes away): they are kept as a finished run keeps them.
      SaveCurConfigOnce();
      SaveConfigSections();
      return download;
    }
    if (download != ApplyResult::kCompleted) return download;

    ApplyDesktopSettings();
    SaveConfigSections();
    return everythingSaved_ ? ApplyResult::kCompleted : ApplyResult::kSaveFailed;
  }

 private:
  // Everything that goes to the mouse, up to the final commit. A report or read-back that
  // fails ends it with kMouseNotFullyWritten.
  ApplyResult Download() {
    constexpr ApplyResult kCutShort = ApplyResult::kMouseNotFullyWritten;
    const std::optional<FeatureReply> reply = ReadFeatureReply();
    if (!reply) return kCutShort;
    macroMemoryLimit_ = reply->MacroMemoryLimit();
    SaveCurConfigOnce();

    MapKeys();
    if (!WriteSettingsBlocks()) return kCutShort;
    if (!WriteConfigurationByte()) return kCutShort;
    PlanAndPublishSlots();
    if (!WriteBlocks(DescriptorTableBlocks(plan_.descriptors))) return kCutShort;
    if (const ApplyResult images = WriteImages(); images != ApplyResult::kCompleted) {
      return images;
    }
    if (!SendFinalCommitExchange()) return kCutShort;
    return ApplyResult::kCompleted;
  }

  void SaveCurConfigOnce() {
    if (curConfigSaved_) return;
    curConfigSaved_ = true;
    everythingSaved_ = SaveCurConfig(g_configIniPath) && everythingSaved_;
  }

  void SaveConfigSections() {
    everythingSaved_ = gm::SaveConfigSections(g_configIniPath) && everythingSaved_;
  }

  // Device codes, flags and position tables; dangling macro references become 0 in the
  // settings (only where the key still holds that reference).
  void MapKeys() {
    ProgramMacroSource source;
    ResolvedMacros resolved = ResolveKeyMacros(snapshot_, source);
    for (const DanglingKey& key : resolved.dangling) {
      int32_t expected = key.function;
      g_keyFunction[key.config][key.key].compare_exchange_strong(expected, 0);
    }
    catalog_ = std::move(resolved.catalog);
    mapping_ = MapKeysToDevice(snapshot_, catalog_);
    PublishKeyMapping(mapping_);
  }

  bool WriteSettingsBlocks() {
    g_cycleColorMask = CycleColorMaskOf(snapshot_.cycleColorEnable);
    const LightingStep lighting =
        NextLightingStep(g_lightingState, snapshot_.ledType, snapshot_.ledCycleTime);
    g_lightingState = lighting.state;
    timeUnit_ = MacroTimeUnitOf(snapshot_.usbRateCode);
    const std::vector<MemoryBlock> blocks =
        BuildSettingsBlocks(snapshot_, mapping_.positions, lighting.byte);
    for (const MemoryBlock& block : blocks) {
      if (block.address == kDeviceSettingsAddress) g_macroTimeUnit = timeUnit_;
      if (!WriteBlock(block)) return false;
    }
    return true;
  }

  // 0x76 keeps the mouse's bits 2..7 and takes the active configuration in bits 0..1.
  bool WriteConfigurationByte() {
    const std::optional<uint8_t> held = ReadDeviceByte(kConfigurationByteAddress);
    if (!held) return false;
    return WriteBlocks(BuildConfigurationBlocks(ConfigurationByte(*held, snapshot_.curConfig)));
  }

  void PlanAndPublishSlots() {
    const PositionTables& at = mapping_.positions;
    PublishSlotFunctions(at);
    // Until this run has written the first key's macro whole, the recoil adjustment has no
    // slot to write into.
    CloseRecoilSlot();
    plan_ = PlanSlots(at, catalog_, snapshot_.curConfig, timeUnit_);
    PublishSlotAddresses(plan_);
  }

  ApplyResult WriteImages() {
    for (const ImageJob& job : plan_.images) {
      if (job.kind == SlotImageKind::kKeyFunction) {
        const auto image = KeyFunctionImage(job.keyUsage);
        if (!WriteDeviceMemory(job.address, image.data(), static_cast<int32_t>(image.size()))) {
          return ApplyResult::kMouseNotFullyWritten;
        }
        continue;
      }
      const bool recoilSlot = job.config == snapshot_.curConfig && job.slot == kFirstKeySlot;
      if (recoilSlot) RecordRecoilSlot(job.address, job.function);
      if (job.writtenByEarlierSlot) {
        if (recoilSlot) OpenRecoilSlot(job.config);
        continue;
      }
      const auto macro = catalog_.find(job.function);
      if (macro == catalog_.end()) continue;
      const MacroImageBuild build =
          BuildMacroImage(macro->second.record, macro->second.kind,
                          static_cast<uint32_t>(job.address), timeUnit_);
      ShowMacroImageIssues(build.encoding.issues);
      if (build.encoding.addressLimitExceeded) return ApplyResult::kImageError;
      for (const MemoryBlock& block : SplitIntoBlocks(job.address, build.image.bytes)) {
        if (block.address >= macroMemoryLimit_) {
          ShowUserMessage(kMacroMemoryFullMessage);
          return ApplyResult::kMacroMemoryFull;
        }
        if (!WriteBlock(block)) return ApplyResult::kMouseNotFullyWritten;
      }
      // Only a slot that holds its whole image is open to the recoil adjustment: an image cut
      // short by a full macro memory or a lost mouse would have it write past that memory's
      // end or into a half-written slot.
      if (recoilSlot) OpenRecoilSlot(job.config);
    }
    return ApplyResult::kCompleted;
  }

  // The final commit and the idle report go out as one exchange.
  static bool SendFinalCommitExchange() {
    DeviceTransaction transaction;
    if (!transaction.Connected()) return false;
    const bool committed = transaction.Send(FinalCommitCommand());
    transaction.Pause(kFinalCommitPause);
    return transaction.Send(IdleCommand(0)) && committed;
  }

  void ApplyDesktopSettings() {
    if (system_.GetPointerSpeed()) {
      everythingSaved_ =
          system_.SetPointerSpeed(PointerSpeedOfChoice(snapshot_.pointerSpeed)) && everythingSaved_;
    }
    if (system_.GetWheelScrollLines()) {
      everythingSaved_ =
          system_.SetWheelScrollLines(WheelLinesOfChoice(snapshot_.wheelSpeed)) && everythingSaved_;
    }
  }

  static bool WriteBlock(const MemoryBlock& block) {
    return WriteDeviceMemory(block.address, block.bytes.data(),
                             static_cast<int32_t>(block.bytes.size()));
  }
  static bool WriteBlocks(const std::vector<MemoryBlock>& blocks) {
    for (const MemoryBlock& block : blocks) {
      if (!WriteBlock(block)) return false;
    }
    return true;
  }

  SystemMouseSettings& system_;
  std::optional<GroupMacro> macroToSaveFirst_;
  ApplySettingsSnapshot snapshot_;
  int32_t macroMemoryLimit_ = kSmallMacroMemoryLimit;
  int32_t timeUnit_ = 1;
  MacroCatalog catalog_;
  KeyMapping mapping_;
  SlotPlan plan_;
  bool everythingSaved_ = true;  // config.ini and the desktop settings
  bool curConfigSaved_ = false;
};

}  // namespace

int PointerSpeedOfChoice(uint8_t choice) {
  if (choice == 0) return kPointerSpeedForNoChoice;
  if (choice <= kLastPointerSpeedStep) return kPointerSpeedPerStep * choice;
  return kPointerSpeedOtherwise;
}

int WheelLinesOfChoice(uint8_t choice) { return (choice + 1) & kWheelLinesMask; }

ApplyResult ApplySettingsToDevice(SystemMouseSettings& system,
                                  std::optional<GroupMacro> macroToSaveFirst) {
  std::scoped_lock lock(g_applyMutex, g_recoilSlotMutex);  // no nudge between slot and image
  ApplyRun run(system, macroToSaveFirst);
  return run.Run();
}

void ResetApplyLightingState() {
  std::lock_guard lock(g_applyMutex);
  g_lightingState = LightingState{};
}

}  // namespace gm
