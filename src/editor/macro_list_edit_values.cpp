// The values typed into the step list and the LED parameter list, and the repeat count.
#include <algorithm>
#include <iterator>
#include <mutex>

#include "editor/macro_editor_state.h"
#include "editor/macro_list_edit.h"
#include "editor/step_rows.h"
#include "macros/macro_file_layout.h"
#include "platform/text.h"

namespace gm {

namespace {

constexpr int kMinRepeatCount = 1;
constexpr int kMaxRepeatCount = 65535;
constexpr std::u16string_view kDelayUnit = u"ms";

// The lighting-block byte that parameter row r edits is 3 + r: row 3 is the first entry's
// time byte. Rows whose byte would fall outside the entries edit nothing.
constexpr int kParamRowByteOffset = 3;
constexpr int kFirstEntryByte = 4;

// The CPI values a DPI-set step accepts and the level each stands for.
constexpr struct {
  int cpi;
  uint8_t level;
} kCpiLevels[] = {
    {200, 1},   {400, 2},   {600, 3},   {800, 4},    {1000, 5},  {1200, 6},
    {1600, 7},  {2000, 9},  {2400, 11}, {3200, 13},  {4000, 14}, {4800, 15},
};

// The text after the first ':' of text, or the whole text without one.
std::u16string_view AfterColon(std::u16string_view text) {
  const size_t colon = text.find(u':');
  return colon == std::u16string_view::npos ? text : text.substr(colon + 1);
}

void StoreDelay(MacroRecord& record, int step, std::u16string_view text,
                MacroCommandOutcome& outcome) {
  const size_t unit = text.find(kDelayUnit);
  int value = WToI(unit == std::u16string_view::npos ? text : text.substr(0, unit));
  if (value > kMaxStepDelayMs) {
    outcome.Add(MacroMessageId::kMoreThanLimit);
    value = kMaxStepDelayMs;
  }
  // A negative number would wrap in the 16-bit field; it means no delay.
  record.delayMs[step] = static_cast<uint16_t>(std::max(value, 0));
}

void StoreDpiLevel(MacroRecord& record, int step, std::u16string_view text,
                   MacroCommandOutcome& outcome) {
  if (record.action[step] != kActionDpiSet) return;  // a restore step has no value
  const int cpi = WToI(AfterColon(text));
  const auto found = std::find_if(std::begin(kCpiLevels), std::end(kCpiLevels),
                                  [cpi](const auto& entry) { return entry.cpi == cpi; });
  uint8_t level = kDefaultDpiLevel;
  if (found == std::end(kCpiLevels)) {
    outcome.Add(MacroMessageId::kCpiValues);
  } else {
    level = found->level;
  }
  record.xy[step].x = level;
}

// A distance clamped to 0..100; above 100 adds message.
uint16_t MoveDistance(int value, MacroMessageId message, MacroCommandOutcome& outcome) {
  if (value > kMaxMoveDistance) {
    outcome.Add(message);
    return kMaxMoveDistance;
  }
  return static_cast<uint16_t>(std::max(value, 0));  // the direction lies in the action
}

// "[X+]:a,[Y-]:b": a lies between the first ':' and the next ',', b after the next ':' (or
// right after the ','). Without a ',' the step keeps its y.
void StoreMove(MacroRecord& record, int step, std::u16string_view text,
               MacroCommandOutcome& outcome) {
  const size_t colon = text.find(u':');
  const size_t aStart = colon == std::u16string_view::npos ? 0 : colon + 1;
  const size_t comma = text.find(u',', aStart);
  const std::u16string_view aText =
      text.substr(aStart, comma == std::u16string_view::npos ? std::u16string_view::npos
                                                             : comma - aStart);
  record.xy[step].x = MoveDistance(WToI(aText), MacroMessageId::kXOutOfRange, outcome);
  if (comma == std::u16string_view::npos) return;
  const std::u16string_view rest = text.substr(comma + 1);
  const size_t bColon = rest.find(u':');
  const std::u16string_view bText =
      bColon == std::u16string_view::npos ? rest : rest.substr(bColon + 1);
  record.xy[step].y = MoveDistance(WToI(bText), MacroMessageId::kYOutOfRange, outcome);
}

// A parameter row of the lighting step's block. False when nothing was stored: the step
// addresses no block, or the row edits no entry byte.
bool StoreLightParameter(MacroRecord& record, int step, int paramRow, std::u16string_view text,
                         MacroCommandOutcome& outcome) {
  const int block = record.xy[step].x;
  const int byte = kParamRowByteOffset + paramRow;
  if (!IsUsableBlockIndex(block) || byte < kFirstEntryByte || byte >= kMacroBlockBytes) {
    return false;
  }
  int value = WToI(AfterColon(text));
  if (value > kMaxLightTime) {
    outcome.Add(MacroMessageId::kMoreThanLimit);
    value = kMaxLightTime;
  } else if (value < kMinLightTime) {
    outcome.Add(MacroMessageId::kMinValueOne);
    value = kMinLightTime;
  }
  macro_layout::BlockByte(record.ledBlocks[block], byte) = static_cast<uint8_t>(value);
  outcome.refreshParamListOf = block;
  outcome.paramListRow = paramRow;
  return true;
}

// Row 0 is group 0's row.
bool IsMacroRowSelected() { return g_macroListSel > 0 && IsMacroListMacroRow(g_macroListSel); }

}  // namespace

MacroCommandOutcome CommitListEdit(const ListEditCommit& commit) {
  g_stepListSel = commit.stepListSelection;
  if (commit.list == EditedList::kMacroList) return CommitMacroListRename(commit);
  return CommitStepValueEdit(commit);
}

MacroCommandOutcome CommitStepValueEdit(const ListEditCommit& commit) {
  MacroCommandOutcome outcome;
  outcome.refreshStepListOf = std::clamp(commit.editMacro, 0, kMacrosPerGroup - 1);
  const int row = commit.stepListSelection;
  const int macro = g_curMacro;
  if (row < 0) return outcome;
  const int step = StepOfRow(row);
  bool changed = false;
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    if (macro < 0 || macro >= std::clamp<int>(g_macroCount, 0, kMacrosPerGroup)) return outcome;
    MacroRecord& record = g_macros[macro];
    before = record;
    if (step >= UsableStepCount(record)) return outcome;
    if (g_groupEncrypted != 0) {
      outcome.Add(MacroMessageId::kLockedGroup);
      return outcome;
    }
    const uint8_t code = record.code[step];
    if (commit.list == EditedList::kParamList) {
      // A parameter changes only itself, whether the lighting step's row or the delay row
      // under it is selected in the step list. The step's own row only names its block.
      if (code == kStepLighting) {
        changed =
            StoreLightParameter(record, step, commit.paramListSelection, commit.text, outcome);
      }
    } else if (IsDelayRow(row)) {
      StoreDelay(record, step, commit.text, outcome);
      changed = true;
    } else if (code == kStepDpi) {
      StoreDpiLevel(record, step, commit.text, outcome);
      changed = true;
    } else if (code == kStepMove) {
      StoreMove(record, step, commit.text, outcome);
      changed = true;
    }
  }
  if (changed) SaveOrRestoreMacro(macro, before, outcome);
  return outcome;
}

RepeatCountOutcome CommitRepeatCount(std::u16string_view text) {
  RepeatCountOutcome result;
  const int typed = WToI(text);
  const int value = std::clamp(typed, kMinRepeatCount, kMaxRepeatCount);
  if (value != typed) result.correctedText = DecimalText(value);
  result.value = static_cast<uint16_t>(value);
  if (!IsMacroRowSelected()) return result;
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    if (g_curMacro < 0 || g_curMacro >= std::clamp<int>(g_macroCount, 0, kMacrosPerGroup)) {
      return result;
    }
    // A locked group shows no steps and takes no changes; the edit is set while it is shown.
    if (g_groupEncrypted != 0) return result;
    before = g_macros[g_curMacro];
    g_macros[g_curMacro].repeatCount = result.value;
  }
  SaveOrRestoreMacro(g_curMacro, before, result.outcome);
  return result;
}

}  // namespace gm
