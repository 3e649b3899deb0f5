#include "device/recoil_adjust.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "device/apply_tables.h"
#include "device/device_link.h"
#include "device/macro_image.h"
#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_file_layout.h"
#include "macros/macro_groups.h"
#include "macros/macro_tables.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/key_function.h"
#include "settings/paths.h"

namespace gm {

std::mutex g_recoilSlotMutex;

namespace {

namespace fs = std::filesystem;

constexpr int kFirstKey = 0;
constexpr int kFirstSlot = 0;  // device position 1, whose slot Apply records

uint8_t Low(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t High(uint16_t value) { return static_cast<uint8_t>(value >> 8); }

// Ticks of a delay for the reduced image: no cap, no extension pairs, 1..127.
int RecoilEntryTicks(uint16_t delayMs, int tickMs) {
  return std::clamp(delayMs / std::max(tickMs, 1), 1, kEntryTicksMax);
}

// A lighting step is encoded like a key step: press t + 0x80, release t, no entry otherwise.
StepEntry LightingStepAsKeyStep(uint8_t action, int ticks) {
  StepEntry entry;
  if (action != kActionPress && action != kActionRelease) return entry;
  const auto t = static_cast<uint8_t>(ticks);
  entry.bytes[0] = action == kActionPress ? static_cast<uint8_t>(t + kEntryPressFlag) : t;
  entry.bytes[1] = kStepLighting;
  entry.size = kStepEntryBaseBytes;
  return entry;
}

// The group file of `group` in the macro folder of the current language, found through the
// group list as the macro loader finds it; nothing for a group beyond the list, a name that
// cannot be a file name or a file that does not exist.
std::optional<fs::path> ExistingGroupFile(uint32_t group) {
  const fs::path folder = MacroFolderOf(g_isEnglish.load() != 0);
  const fs::path listFile = folder / kMacroGroupListFileName;
  const int32_t groupCount = WToI(GetPrivateProfileStringW(
      kGroupCountSection, kGroupCountKey, u"", kGroupCountBufferChars, listFile));
  if (group >= static_cast<uint32_t>(std::clamp(groupCount, 0, kMaxMacroGroups))) {
    return std::nullopt;
  }
  const std::u16string name = GetPrivateProfileStringW(
      kGroupNameSection, DecimalText(group), u"", kGroupNameBufferChars, listFile);
  std::optional<fs::path> file = GroupFilePath(folder, name);
  std::error_code ec;
  if (!file || !fs::is_regular_file(*file, ec)) return std::nullopt;
  return file;
}

bool SaveAdjustedMacro(const fs::path& file, uint32_t group, uint32_t index,
                       const MacroRecord& record) {
  std::lock_guard lock(g_macroTablesMutex);
  if (g_curMacroGroup >= 0 && static_cast<uint32_t>(g_curMacroGroup) == group) {
    g_macros[index] = record;
    SaveMacro(file, static_cast<int>(index));
    // SaveMacro reports nothing; the line reads back as written when the write went through.
    return GetPrivateProfileStringW(macro_layout::kSectionMacros, DecimalText(index), u"",
                                    macro_layout::LineBuffer(kMacroLineValuesV3) + 1, file) ==
           BuildMacroLine(record);
  }
  return WriteMacroLineOnly(file, static_cast<int>(index), record);
}

// True when the recorded slot holds the whole image of `function` and, since the last Apply,
// the first key of `configuration` plays the image at that address. Any configuration whose
// first key got the same macro shares the slot, so a configuration switch on the mouse keeps
// the nudges going to the macro that is played. With g_recoilSlotMutex held.
bool SlotPlaysMacro(int32_t configuration, int32_t function, int32_t address) {
  if (g_recoilMacroConfig < 0 || g_recoilMacroFunction != function) return false;
  return g_slotCode[configuration][kFirstSlot] == function &&
         g_slotMacroAddr[configuration][kFirstSlot] == address;
}

RecoilSlotWrite WriteIntoRecordedSlot(std::span<const uint8_t> image, int32_t configuration,
                                      int32_t function) {
  std::lock_guard lock(g_recoilSlotMutex);
  const int32_t address = g_recoilMacroAddr;
  const int32_t length = g_recoilMacroLen;
  if (length <= 0) return RecoilSlotWrite::kNoSlot;
  if (!SlotPlaysMacro(configuration, function, address)) {
    return RecoilSlotWrite::kSlotHoldsAnotherMacro;
  }
  // Apply gives an image at most this many addresses.
  const int32_t slotBytes = std::min(length, kMacroImageAllocationCap);
  if (address < 0 || address + slotBytes - 1 > kMaxDeviceAddress) return RecoilSlotWrite::kNoSlot;
  if (image.size() > static_cast<size_t>(slotBytes)) return RecoilSlotWrite::kImageLongerThanSlot;

  std::vector<uint8_t> slot(static_cast<size_t>(slotBytes), 0);
  std::copy(image.begin(), image.end(), slot.begin());
  for (int32_t offset = 0; offset < slotBytes; offset += kRecoilWriteBlockBytes) {
    const int32_t block = std::min(kRecoilWriteBlockBytes, slotBytes - offset);
    if (!WriteDeviceMemory(address + offset, slot.data() + offset, block)) {
      return RecoilSlotWrite::kWriteFailed;
    }
  }
  return RecoilSlotWrite::kWritten;
}

}  // namespace

void NudgeRecoilMoves(MacroRecord& record, bool up) {
  const int steps = UsableStepCount(record);
  for (int i = 0; i < steps; ++i) {
    if (record.code[i] != kStepMove) continue;
    uint16_t& y = record.xy[i].y;
    if (up && y < kRecoilMaxMoveY) {
      ++y;
    } else if (!up && y > 0) {
      --y;
    }
  }
}

std::vector<uint8_t> EncodeRecoilImage(const MacroRecord& record, int tickMs) {
  std::vector<uint8_t> image;
  const uint8_t mode = record.playMode & kPlayModeMask;
  const uint16_t playCount =
      (mode == kPlayModeDevice1 || mode == kPlayModeDevice2) ? uint16_t{1} : record.repeatCount;
  image.push_back(Low(playCount));
  image.push_back(High(playCount));

  const int steps = UsableStepCount(record);
  for (int i = 0; i < steps; ++i) {
    const int ticks = RecoilEntryTicks(record.delayMs[i], tickMs);
    const StepEntry entry =
        record.code[i] == kStepLighting
            ? LightingStepAsKeyStep(record.action[i], ticks)
            : EncodeStepEntry(record.code[i], record.action[i], record.xy[i], ticks, 0);
    image.insert(image.end(), entry.bytes.begin(), entry.bytes.begin() + entry.size);
  }
  return image;
}

RecoilAdjustResult AdjustRecoilMacro(bool up) {
  RecoilAdjustResult result;
  const int32_t configuration = g_curConfig;
  if (configuration < 0 || configuration >= kConfigCount) return result;
  const int32_t function = g_keyFunction[configuration][kFirstKey];
  if (function < kFirstUserMacroFunction) return result;

  result.outcome = RecoilAdjustOutcome::kMacroNotFound;
  // Key functions from 256 on play macro f % 256 of group f / 256 - 1.
  const auto group = static_cast<uint32_t>(function / kUserMacroGroupStride - 1);
  const auto index = static_cast<uint32_t>(function % kUserMacroGroupStride);
  if (index >= static_cast<uint32_t>(kMacrosPerGroup)) return result;
  const std::optional<fs::path> file = ExistingGroupFile(group);
  if (!file) return result;
  const int32_t macroCount = ReadMacroFileCount(*file);
  if (macroCount <= 0 || index >= static_cast<uint32_t>(macroCount)) return result;

  MacroRecord record = LoadGroupMacro(group, index);
  result.outcome = RecoilAdjustOutcome::kAdjusted;
  NudgeRecoilMoves(record, up);
  const std::vector<uint8_t> image = EncodeRecoilImage(record, g_macroTimeUnit);
  result.slot = WriteIntoRecordedSlot(image, configuration, function);
  result.saved = SaveAdjustedMacro(*file, group, index, record);
  return result;
}

}  // namespace gm
