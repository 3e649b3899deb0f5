#include "macro_builder.h"

#include <cstring>
#include <set>
#include <string>

#include "platform/text.h"

namespace gm::datagen {

namespace {

// The name field keeps 30 units; one stays free for the terminating zero unit.
constexpr std::size_t kMaxNameUnits = kMacroNameUnits - 1;

bool IsPressRelease(uint8_t code) {
  return (code >= kStepFirstKeyUsage && code <= kStepLastKeyUsage) || code == kStepLeftButton ||
         code == kStepMiddleButton || code == kStepRightButton;
}

// Counts a step of `code` against its kind's limit; false when the limit is reached.
bool CountStep(MacroRecord& r, uint8_t code) {
  auto count16 = [](uint16_t& counter, int limit) {
    if (counter >= limit) return false;
    ++counter;
    return true;
  };
  auto count8 = [](uint8_t& counter, int limit) {
    if (counter >= limit) return false;
    ++counter;
    return true;
  };
  switch (code) {
    case kStepMove: return count16(r.countF6, kMaxMoveSteps);
    case kStepCounted: return count16(r.countF7, kMaxSpecialSteps);
    case kStepDpi: return count16(r.countF8, kMaxSpecialSteps);
    case kStepMultimedia: return count16(r.countFA, kMaxSpecialSteps);
    case kStepLighting: return count8(r.countF9, kMaxSpecialSteps);
    case kStepBlock: return count8(r.countFB, kMaxSpecialSteps);
    default: return true;
  }
}

}  // namespace

MacroRecord NewMacroRecord(std::u16string_view name, uint8_t playMode, uint16_t repeatCount) {
  MacroRecord record;
  std::memset(&record, 0, sizeof record);
  SetMacroName(record, name);
  record.playMode = playMode;
  record.repeatCount = repeatCount;
  return record;
}

bool AppendStep(MacroRecord& record, uint8_t code, uint8_t action, uint16_t x, uint16_t y,
                uint16_t delayMs) {
  if (record.stepCount >= kMaxMacroSteps) return false;
  MacroRecord counted = record;
  if (!CountStep(counted, code)) return false;
  record = counted;
  const int s = record.stepCount++;
  record.action[s] = action;
  record.code[s] = code;
  record.xy[s] = {x, y};
  record.delayMs[s] = delayMs;
  return true;
}

std::optional<MacroRecord> BuildMacroRecord(const MacroSource& source, Language language,
                                            const MacroRules& rules,
                                            const std::filesystem::path& file,
                                            Diagnostics& diagnostics) {
  const std::u16string& name =
      language == Language::kEnglish ? source.name.english : source.name.chinese;
  bool ok = true;
  auto fail = [&](int line, const std::string& message) {
    diagnostics.Error(file, line, "macro \"" + ToUtf8(name) + "\": " + message);
    ok = false;
  };
  if (name.size() > kMaxNameUnits) fail(source.line, "the name is longer than 29 units");
  if (source.steps.empty()) fail(source.line, "a macro needs at least one step");
  if (static_cast<int>(source.steps.size()) > rules.maxSteps) {
    fail(source.line, "more than " + std::to_string(rules.maxSteps) + " steps");
  }

  MacroRecord record = NewMacroRecord(name, source.playMode, source.repeatCount);
  std::set<uint8_t> held;  // keys and buttons down at this point of the macro
  for (const StepSource& step : source.steps) {
    if (step.code == kStepLighting) {
      if (!rules.allowLighting) {
        fail(step.line, "this file cannot keep lighting steps");
        continue;
      }
      const uint8_t block = record.countF9;
      if (!AppendStep(record, step.code, step.action, block, 0, step.delayMs)) {
        fail(step.line, "too many steps of this kind");
        continue;
      }
      MacroLedBlock& led = record.ledBlocks[block];
      led.length = static_cast<uint8_t>(step.lightEntries.size());
      for (std::size_t e = 0; e < step.lightEntries.size(); ++e) {
        std::memcpy(led.entries[e], step.lightEntries[e].data(), step.lightEntries[e].size());
      }
      continue;
    }
    if (!AppendStep(record, step.code, step.action, step.x, step.y, step.delayMs)) {
      fail(step.line, "too many steps, or too many steps of this kind");
      continue;
    }
    if (!IsPressRelease(step.code)) continue;
    if (step.action == kActionPress && !held.insert(step.code).second) {
      fail(step.line, "pressed again while it is held");
    } else if (step.action == kActionRelease && held.erase(step.code) == 0) {
      fail(step.line, "released while it is not held");
    }
  }
  if (!held.empty()) fail(source.line, "a key or button is still held at the end");
  if (!ok) return std::nullopt;
  return record;
}

}  // namespace gm::datagen
