#include "macros/macro_recorder.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "macros/key_codes.h"

namespace gm {

int64_t MonotonicMilliseconds() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  return duration_cast<milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

UserMessage RecordingLimitMessage() { return SameInBothLanguages(u"More than limit!"); }

MacroRecorder::MacroRecorder(RecordingClock clock) : clock_(std::move(clock)) {}

void MacroRecorder::Begin() {
  steps_ = 0;
  keyDowns_ = 0;
  held_ = {};
  heldCount_ = 0;
  // A key held when the previous recording ended must not make the first press of this one
  // look like auto-repeat.
  hasLastKey_ = false;
}

bool MacroRecorder::IsHeld(uint8_t vk) const {
  for (int i = 0; i < heldCount_; ++i) {
    if (held_[static_cast<std::size_t>(i)] == vk) return true;
  }
  return false;
}

bool MacroRecorder::TakeHeldKey(uint8_t vk) {
  for (int i = 0; i < heldCount_; ++i) {
    if (held_[static_cast<std::size_t>(i)] != vk) continue;
    for (int j = i + 1; j < heldCount_; ++j) {
      held_[static_cast<std::size_t>(j - 1)] = held_[static_cast<std::size_t>(j)];
    }
    --heldCount_;
    held_[static_cast<std::size_t>(heldCount_)] = 0;
    return true;
  }
  return false;
}

uint16_t MacroRecorder::DelaySinceLastKey() {
  const int64_t now = clock_();
  // An injected clock that goes back counts as no time passed.
  const int64_t delay = std::clamp<int64_t>(now - lastKeyTimeMs_, 0, kMaxRecordedDelayMs);
  lastKeyTimeMs_ = now;
  return static_cast<uint16_t>(delay);
}

RecordedKey MacroRecorder::Feed(const KeyEvent& event, MacroRecord& record) {
  const bool press = event.kind == KeyEventKind::kPress;
  // A repeat the keyboard made while a key is held is never a new keystroke, also when
  // another key came in between, and also when a capture did not mark it as a repeat.
  if (event.autoRepeat || (hasLastKey_ && event.kind == lastKind_ && event.vk == lastVk_) ||
      (press && IsHeld(event.vk))) {
    return {RecordedKeyResult::kRepeated};
  }
  if (steps_ >= kMaxRecordedSteps) {
    hasLastKey_ = true;
    lastKind_ = event.kind;
    lastVk_ = event.vk;
    return {RecordedKeyResult::kLimitReached};
  }
  // Dropped keys leave the keystroke handled last as it was.
  if (event.vk == 0) return {RecordedKeyResult::kIgnored};
  if (press) {
    if (keyDowns_ >= kMaxRecordedKeyDowns || heldCount_ >= kMaxHeldKeys) {
      return {RecordedKeyResult::kIgnored};
    }
    held_[static_cast<std::size_t>(heldCount_++)] = event.vk;
    ++keyDowns_;
  } else if (!TakeHeldKey(event.vk)) {
    return {RecordedKeyResult::kIgnored};
  }

  const int step = steps_;
  const auto index = static_cast<std::size_t>(step);
  record.code[index] = VkToHidUsage(event.vk);
  record.action[index] = press ? kActionPress : kActionRelease;
  const uint16_t delay = DelaySinceLastKey();
  if (step > 0) {
    record.delayMs[index - 1] = delay;
    record.delayMs[index] = kLastRecordedStepDelayMs;
  }
  record.xy[index] = MacroStepXY{0, 0};
  steps_ = step + 1;
  hasLastKey_ = true;
  lastKind_ = event.kind;
  lastVk_ = event.vk;
  return {RecordedKeyResult::kStored, step};
}

}  // namespace gm
