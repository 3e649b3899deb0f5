#include "editor/macro_step_insert.h"

#include <climits>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>

#include "editor/macro_editor_state.h"
#include "editor/step_rows.h"
#include "macros/group_macro_save.h"
#include "platform/message_sink.h"

namespace gm {

namespace {

constexpr uint16_t kInsertedDelayMs = 1;
constexpr unsigned kByteMask = 0xFF;

// A new move step goes 10 right and 10 down until the user edits it; its direction comes from
// the action.
constexpr uint16_t kInsertedMoveDistance = 10;
constexpr uint16_t kInsertedCountedParameter = 1;
constexpr uint16_t kInsertedDpiLevel = 4;  // level 4, 800 CPI
constexpr uint16_t kInsertedConsumerUsage = 0x183;

// The first light entry of a new lighting block: mode 1, colour 0, 10 units of 122 ms, value 0.
constexpr uint8_t kNewLightMode = kLightModeSingleBreath;
constexpr uint8_t kNewLightColor = 0;
constexpr uint8_t kNewLightTime = 10;
constexpr uint8_t kNewLightValue = 0;
constexpr uint8_t kNewBlockLength = 1;

// Step kinds that only count their steps, with the defaults of a new step.
struct CountedKind {
  uint8_t code;
  uint16_t x;
  uint16_t y;
  int limit;
  uint16_t MacroRecord::*counter;
};
constexpr CountedKind kCountedKinds[] = {
    {kStepMove, kInsertedMoveDistance, kInsertedMoveDistance, kMaxMoveSteps, &MacroRecord::countF6},
    {kStepCounted, kInsertedCountedParameter, 0, kMaxSpecialSteps, &MacroRecord::countF7},
    {kStepDpi, kInsertedDpiLevel, 0, kMaxSpecialSteps, &MacroRecord::countF8},
    {kStepMultimedia, kInsertedConsumerUsage, 0, kMaxSpecialSteps, &MacroRecord::countFA},
};

// Step kinds with a block each, numbered in step order.
struct BlockKind {
  uint8_t code;
  uint8_t MacroRecord::*counter;
  MacroLedBlock (MacroRecord::*blocks)[kMacroBlockCount];
  bool withFirstLightEntry;
};
constexpr BlockKind kBlockKinds[] = {
    {kStepLighting, &MacroRecord::countF9, &MacroRecord::ledBlocks, true},
    {kStepBlock, &MacroRecord::countFB, &MacroRecord::fbBlocks, false},
};

template <typename Kind, size_t N>
const Kind* FindKind(const Kind (&kinds)[N], uint8_t code) {
  for (const Kind& kind : kinds) {
    if (kind.code == code) return &kind;
  }
  return nullptr;
}

// The one message an insertion may show; shown once the tables are released, so that a
// message box never keeps the device thread waiting for them.
using InsertMessage = std::optional<std::u16string_view>;
constexpr std::u16string_view kLockedGroupText = u"加密宏不能修改";
constexpr std::u16string_view kTooManyStepsText = u"More than limit!";
constexpr std::u16string_view kErrorText = u"Error!";

// The block index of a new step of kind at position, when the record's numbering of that kind
// is consistent: every later step's block lies below the counter n, and the nearest earlier
// step's block is below n too (or is kNoBlockIndex, after which numbering starts again at 0).
std::optional<int> NewBlockIndex(const MacroRecord& record, const BlockKind& kind, int position,
                                 int stepCount, int n) {
  for (int i = position; i < stepCount; ++i) {
    if (record.code[i] == kind.code && record.xy[i].x >= n) return std::nullopt;
  }
  for (int i = position - 1; i >= 0; --i) {
    if (record.code[i] != kind.code) continue;
    const int block = record.xy[i].x;
    if (block == kNoBlockIndex) return 0;
    if (block >= n) return std::nullopt;
    return block + 1;
  }
  return 0;
}

void ShiftStepsUp(MacroRecord& record, int position, int oldCount) {
  for (int i = oldCount; i > position; --i) {
    record.action[i] = record.action[i - 1];
    record.code[i] = record.code[i - 1];
    record.xy[i] = record.xy[i - 1];
    record.delayMs[i] = record.delayMs[i - 1];
  }
}

// The steps after position moved up one place; each of kind takes the next block, walking from
// the end so that every block is copied before its old place is overwritten.
void RenumberLaterBlocks(MacroRecord& record, const BlockKind& kind, int position) {
  MacroLedBlock(&blocks)[kMacroBlockCount] = record.*kind.blocks;
  for (int i = record.stepCount - 1; i > position; --i) {
    if (record.code[i] != kind.code) continue;
    const int block = record.xy[i].x;
    if (!IsUsableBlockIndex(block + 1)) continue;  // excluded by NewBlockIndex
    record.xy[i].x = static_cast<uint16_t>(block + 1);
    blocks[block + 1] = blocks[block];
  }
}

void InitialiseBlock(MacroLedBlock& block, bool withFirstLightEntry) {
  std::memset(&block, 0, sizeof block);
  block.length = kNewBlockLength;
  if (withFirstLightEntry) {
    uint8_t(&entry)[kLedEntryBytes] = block.entries[0];
    LedEntryAt(entry, LedEntryByte::kMode) = kNewLightMode;
    LedEntryAt(entry, LedEntryByte::kColor) = kNewLightColor;
    LedEntryAt(entry, LedEntryByte::kTime) = kNewLightTime;
    LedEntryAt(entry, LedEntryByte::kValue) = kNewLightValue;
  }
}

void SaveAndCloseMenu() {
  if (const std::optional<GroupMacro> selected = SelectedListMacro()) SaveGroupMacro(*selected);
  g_macroEditMenuOpen = 0;
}

InsertMessage InsertStep(int macro, unsigned position, unsigned code, unsigned action) {
  if (g_groupEncrypted != 0) return kLockedGroupText;
  if (macro < 0 || macro >= kMacrosPerGroup) return std::nullopt;
  MacroRecord& record = g_macros[macro];

  if (record.stepCount + 1 > kMaxMacroSteps) {  // also a count above 180 read from a file
    SaveAndCloseMenu();
    return kTooManyStepsText;
  }
  const int oldCount = record.stepCount;
  const int at = position < static_cast<unsigned>(oldCount) ? static_cast<int>(position) : oldCount;
  const auto stepCode = static_cast<uint8_t>(code & kByteMask);

  // A lighting step needs its block place settled before anything moves, so that a record with
  // inconsistent numbering is refused whole.
  const BlockKind* blockKind = FindKind(kBlockKinds, stepCode);
  const int blocksBefore = blockKind != nullptr ? record.*blockKind->counter : 0;
  const bool blockRoom = blocksBefore + 1 <= kMacroBlockCount;
  int newBlock = kNoBlockIndex;
  if (blockKind != nullptr && blockRoom) {
    const std::optional<int> planned =
        NewBlockIndex(record, *blockKind, at, oldCount, blocksBefore);
    if (!planned) return kErrorText;
    newBlock = *planned;
  }

  ShiftStepsUp(record, at, oldCount);
  record.stepCount = static_cast<uint16_t>(oldCount + 1);
  record.code[at] = stepCode;
  record.action[at] = static_cast<uint8_t>(action & kByteMask);
  record.delayMs[at] = kInsertedDelayMs;

  InsertMessage message;
  if (const CountedKind* counted = FindKind(kCountedKinds, stepCode)) {
    record.xy[at] = {counted->x, counted->y};
    uint16_t& counter = record.*counted->counter;
    if (counter + 1 > counted->limit) {
      message = kErrorText;  // the step stays, the counter stays at its limit
    } else {
      ++counter;
    }
  } else if (blockKind != nullptr) {
    if (!blockRoom) {
      message = kErrorText;
      record.xy[at] = {kNoBlockIndex, 0};  // the step stays, without a block of its own
    } else {
      RenumberLaterBlocks(record, *blockKind, at);
      record.xy[at] = {static_cast<uint16_t>(newBlock), 0};
      InitialiseBlock((record.*blockKind->blocks)[newBlock], blockKind->withFirstLightEntry);
      record.*blockKind->counter = static_cast<uint8_t>(blocksBefore + 1);
    }
  }

  if (g_stepListSel <= INT_MAX - kRowsPerStep) g_stepListSel += kRowsPerStep;
  SaveAndCloseMenu();
  return message;
}

}  // namespace

void InsertMacroStep(int macro, unsigned position, unsigned code, unsigned action) {
  InsertMessage message;
  {
    std::lock_guard lock(g_macroTablesMutex);
    message = InsertStep(macro, position, code, action);
  }
  if (message) ShowUserMessage(SameInBothLanguages(std::u16string(*message)));
}

int FindMacroByName(const MacroRecord* records, std::u16string name, int count) {
  if (records == nullptr) return count;
  for (int i = 0; i < count; ++i) {
    if (MacroNameOf(records[i]) == name) return i;
  }
  return count;
}

}  // namespace gm
