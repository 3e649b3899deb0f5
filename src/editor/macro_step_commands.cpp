#include "editor/macro_step_commands.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>

#include "editor/macro_editor_state.h"
#include "editor/macro_step_insert.h"
#include "editor/step_rows.h"
#include "macros/key_codes.h"
#include "macros/macro_record.h"
#include "platform/save_failure.h"

namespace gm {

namespace {

constexpr StepInsertRule kInsertRules[] = {
    {StepInsertPlace::kAfter, kStepLeftButton, kActionPress},             // kLeftDownAfter
    {StepInsertPlace::kAfter, kStepLeftButton, kActionRelease},           // kLeftUpAfter
    {StepInsertPlace::kAfter, kStepRightButton, kActionPress},            // kRightDownAfter
    {StepInsertPlace::kAfter, kStepRightButton, kActionRelease},          // kRightUpAfter
    {StepInsertPlace::kAfter, kStepMiddleButton, kActionPress},           // kMidDownAfterCn
    {StepInsertPlace::kAfter, kStepMiddleButton, kActionRelease},         // kMidUpAfterCn
    {StepInsertPlace::kAt, kStepMiddleButton, kActionPress},              // kMidDownAfterEn
    {StepInsertPlace::kAt, kStepMiddleButton, kActionRelease},            // kMidUpAfterEn
    {StepInsertPlace::kAt, kStepLeftButton, kActionPress},                // kLeftDownBefore
    {StepInsertPlace::kAt, kStepLeftButton, kActionRelease},              // kLeftUpBefore
    {StepInsertPlace::kAt, kStepRightButton, kActionPress},               // kRightDownBefore
    {StepInsertPlace::kAt, kStepRightButton, kActionRelease},             // kRightUpBefore
    {StepInsertPlace::kAfter, kStepDpi, kActionDpiSet},                   // kCpiSet
    {StepInsertPlace::kAfter, kStepDpi, kActionDpiRestore},               // kCpiReset
    {StepInsertPlace::kAfter, kStepLighting, kActionLight0},              // kLed
    {StepInsertPlace::kAfter, kStepPause, kActionNone},                   // kDelay
    {StepInsertPlace::kAfter, kStepMove, kActionMoveXMinusYMinus},        // kMoveXMinusYMinus
    {StepInsertPlace::kAfter, kStepMove, kActionMoveXMinusYPlus},         // kMoveXMinusYPlus
    {StepInsertPlace::kAfter, kStepMove, kActionMoveXPlusYMinus},         // kMoveXPlusYMinus
    {StepInsertPlace::kAfter, kStepMove, kActionMoveXPlusYPlus},          // kMoveXPlusYPlus
};
static_assert(std::size(kInsertRules) ==
              static_cast<size_t>(StepInsertCommand::kMoveXPlusYPlus) + 1);

// Step kinds that count their steps in a 16-bit counter.
constexpr struct {
  uint8_t code;
  uint16_t MacroRecord::*counter;
} kWordCounters[] = {
    {kStepMove, &MacroRecord::countF6},
    {kStepCounted, &MacroRecord::countF7},
    {kStepDpi, &MacroRecord::countF8},
    {kStepMultimedia, &MacroRecord::countFA},
};

// Step kinds with a block each, numbered in step order.
constexpr struct {
  uint8_t code;
  uint8_t MacroRecord::*counter;
  MacroLedBlock (MacroRecord::*blocks)[kMacroBlockCount];
} kBlockKinds[] = {
    {kStepLighting, &MacroRecord::countF9, &MacroRecord::ledBlocks},
    {kStepBlock, &MacroRecord::countFB, &MacroRecord::fbBlocks},
};

int SelectedStep(int menuRow) { return StepOfRow(menuRow); }  // -1 gives 0

// A macro of the loaded group; nullptr for an index past its macros (no macro is shown).
MacroRecord* LoadedMacro(int macro) {
  if (macro < 0 || macro >= std::clamp<int>(g_macroCount, 0, kMacrosPerGroup)) return nullptr;
  return &g_macros[macro];
}

MacroRecord* CurrentMacro() { return LoadedMacro(g_curMacro); }

// A step's block index lies in x.
uint16_t& BlockIndexOf(MacroRecord& r, int step) { return r.xy[step].x; }

// The per-kind bookkeeping of removing step s: its counter goes down (never below 0); a step
// with a block of its own frees it, every later step of its kind takes the block below its
// own, and the block at the new count is zeroed. A step without a usable block (inserted at
// the limit) owns none and changes no counter, so the blocks of the others stay.
void ForgetStepOfKind(MacroRecord& r, int s, int last) {
  const uint8_t code = r.code[s];
  for (const auto& kind : kWordCounters) {
    if (kind.code == code && r.*kind.counter > 0) --(r.*kind.counter);
  }
  for (const auto& kind : kBlockKinds) {
    if (kind.code != code || !IsUsableBlockIndex(BlockIndexOf(r, s))) continue;
    uint8_t& counter = r.*kind.counter;
    if (counter > 0) --counter;
    MacroLedBlock(&blocks)[kMacroBlockCount] = r.*kind.blocks;
    for (int i = s + 1; i <= last; ++i) {
      const int block = BlockIndexOf(r, i);
      if (r.code[i] != code || !IsUsableBlockIndex(block) || block == 0) continue;
      blocks[block - 1] = blocks[block];
      BlockIndexOf(r, i) = static_cast<uint16_t>(block - 1);
    }
    if (IsUsableBlockIndex(counter)) std::memset(&blocks[counter], 0, sizeof blocks[counter]);
  }
}

// Removes step s of r; false (nothing changed) when s is no step of r.
bool RemoveStep(MacroRecord& r, int s) {
  const int last = UsableStepCount(r) - 1;
  if (s < 0 || s > last) return false;
  ForgetStepOfKind(r, s, last);
  for (int i = s; i < last; ++i) {
    r.action[i] = r.action[i + 1];
    r.code[i] = r.code[i + 1];
    r.xy[i] = r.xy[i + 1];
    r.delayMs[i] = r.delayMs[i + 1];
  }
  r.action[last] = 0;
  r.code[last] = 0;
  r.xy[last] = {0, 0};
  r.delayMs[last] = 0;
  r.stepCount = static_cast<uint16_t>(last);
  return true;
}

}  // namespace

StepInsertRule StepInsertRuleOf(StepInsertCommand command) {
  return kInsertRules[static_cast<size_t>(command)];
}

MacroCommandOutcome InsertStepCommand(StepInsertCommand command, int menuRow, bool recording) {
  MacroCommandOutcome outcome;
  const StepInsertRule rule = StepInsertRuleOf(command);
  const int macro = g_curMacro;
  int stepCount = 0;
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    const MacroRecord* record = CurrentMacro();
    if (record == nullptr) return outcome;
    before = *record;
    if (rule.code == kStepLighting && record->countF9 >= kMaxSpecialSteps) {
      outcome.Add(MacroMessageId::kMoreThanLimit);
      return outcome;
    }
    stepCount = g_groupEncrypted != 0 ? 0 : UsableStepCount(*record);  // a locked list is empty
  }
  if (recording) return outcome;

  const int selected = SelectedStep(menuRow);
  const bool emptyList = stepCount == 0;
  int position = selected;
  if (rule.place == StepInsertPlace::kAfter) position = emptyList ? 0 : selected + 1;
  if (position < 0) position = 0;
  // Refused in a locked group, with the lock message, and without writing.
  const bool locked = g_groupEncrypted != 0;
  const int selectionBefore = g_stepListSel;
  // The insertion's own save and the one below write the same file: a failure is told once,
  // through the outcome.
  SaveFailureCapture failures;
  InsertMacroStep(macro, static_cast<unsigned>(position), rule.code, rule.action);
  if (emptyList && rule.place == StepInsertPlace::kAfter) g_stepListSel = 0;
  // InsertMacroStep saves the macro of the selected macro-list row without a result; the
  // loaded macro is written again here so that a failed write is told. Writing a line the
  // file already holds leaves the file untouched.
  if (!locked) {
    SaveOrRestoreMacro(macro, before, outcome);
    if (outcome.Has(MacroMessageId::kSaveFailed)) g_stepListSel = selectionBefore;
  }
  // The save above tells its own failure; one of the insertion's save is superseded by it.
  failures.Take();
  outcome.refreshStepListOf = macro;
  return outcome;
}

MacroCommandOutcome DeleteStepCommand(int menuRow, bool recording) {
  MacroCommandOutcome outcome;
  outcome.clearParamList = true;
  if (recording) return outcome;
  const int macro = g_curMacro;
  bool removed = false;
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    MacroRecord* record = CurrentMacro();
    if (record == nullptr) return outcome;
    if (g_groupEncrypted != 0) {
      outcome.Add(MacroMessageId::kLockedGroup);
      return outcome;
    }
    before = *record;
    removed = RemoveStep(*record, SelectedStep(menuRow));
  }
  g_stepListSel = g_stepListSel > kRowsPerStep ? g_stepListSel - kRowsPerStep : 0;
  if (removed) SaveOrRestoreMacro(macro, before, outcome);
  outcome.refreshStepListOf = macro;
  return outcome;
}

MacroCommandOutcome DeleteStepValueCommand(int stepListSelection, int menuRow, bool recording) {
  g_stepListSel = stepListSelection;
  return DeleteStepCommand(menuRow, recording);
}

StepModifyDecision DecideStepModify(int stepListSelection, int stepListRows, bool recording) {
  g_stepListSel = stepListSelection;
  StepModifyDecision decision;
  if (stepListSelection < 0 || stepListSelection >= stepListRows) return decision;
  const int step = StepOfRow(stepListSelection);
  const bool delayRow = IsDelayRow(stepListSelection);
  if (delayRow) {
    if (!recording) decision.action = StepModifyAction::kEditInPlace;
    return decision;
  }
  std::lock_guard lock(g_macroTablesMutex);
  const MacroRecord* record = CurrentMacro();
  if (record == nullptr || step >= UsableStepCount(*record)) return decision;
  const uint8_t code = record->code[step];
  if (code == kStepDpi || code == kStepMove || code == kStepLighting) {
    if (!recording) decision.action = StepModifyAction::kEditInPlace;
    return decision;
  }
  decision.action = StepModifyAction::kCaptureKey;
  decision.keyName = KeyNameOfUsage(code);
  return decision;
}

MacroCommandOutcome StoreCapturedStepKey(int stepListSelection, int macro, uint8_t capturedCode) {
  MacroCommandOutcome outcome;
  if (stepListSelection < 0 || IsDelayRow(stepListSelection)) return outcome;
  const int step = StepOfRow(stepListSelection);
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    MacroRecord* loaded = LoadedMacro(macro);
    if (loaded == nullptr || step >= UsableStepCount(*loaded)) return outcome;
    before = *loaded;
    MacroRecord& record = *loaded;
    if (g_groupEncrypted != 0) {
      outcome.Add(MacroMessageId::kLockedGroup);
      return outcome;
    }
    record.code[step] = capturedCode;
  }
  SaveOrRestoreMacro(macro, before, outcome);
  outcome.refreshStepListOf = macro;
  return outcome;
}

}  // namespace gm
