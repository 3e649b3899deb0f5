#pragma once
// Turns the keystrokes of a recording into the steps of a macro. Every press and release
// becomes a key step (HID usage of the key's virtual-key code, action press or release); the
// time from one stored keystroke to the next becomes the delay after the earlier step, and
// the step stored last carries kLastRecordedStepDelayMs. The first step's delay is left as
// the record had it until the second keystroke arrives.
//
// Dropped keystrokes:
// - the same press or release of the same key as the keystroke handled last, any keystroke
//   marked as auto-repeat, and a press of a key the recording holds already (a repeat whose
//   mark got lost);
// - any keystroke once kMaxRecordedSteps steps are stored: the caller shows
//   RecordingLimitMessage for each;
// - a press once kMaxRecordedKeyDowns presses are stored, or while kMaxHeldKeys keys are held,
//   and the release of such a key (it is not held as far as the recording knows);
// - a release of a key whose press was not recorded (held before the recording began);
// - a key without a virtual-key code.
//
// Delays come from the injected clock, a monotonic millisecond count (a step of the wall
// clock never changes them); a delay is at most kMaxRecordedDelayMs.
//
// Not thread-safe: one recording, fed on one thread (the user-interface thread).

#include <array>
#include <cstdint>
#include <functional>

#include "macros/macro_record.h"
#include "platform/keyboard_capture.h"
#include "platform/message_sink.h"

namespace gm {

inline constexpr int kMaxRecordedSteps = 110;
inline constexpr int kMaxRecordedKeyDowns = 55;
inline constexpr int kMaxHeldKeys = 8;
inline constexpr uint16_t kLastRecordedStepDelayMs = 20;
inline constexpr int64_t kMaxRecordedDelayMs = 65535;

// Milliseconds from an arbitrary origin that never go back.
using RecordingClock = std::function<int64_t()>;
// The system's monotonic clock (std::chrono::steady_clock).
int64_t MonotonicMilliseconds();

// "More than limit!": a keystroke after the last step a recording may hold.
UserMessage RecordingLimitMessage();

enum class RecordedKeyResult : uint8_t {
  kStored,        // a step was written at RecordedKey::step
  kRepeated,      // the keystroke handled last again
  kLimitReached,  // the recording is full: show RecordingLimitMessage
  kIgnored,       // dropped without a word
};

struct RecordedKey {
  RecordedKeyResult result = RecordedKeyResult::kIgnored;
  int step = -1;  // kStored: the index of the new step

  bool operator==(const RecordedKey&) const = default;
};

class MacroRecorder {
 public:
  explicit MacroRecorder(RecordingClock clock = MonotonicMilliseconds);

  // Starts a new recording: no steps, no held keys, no keystroke handled before.
  void Begin();

  // Handles one keystroke; a stored step is written into record at StepCount() - 1 (its
  // action, code, x = y = 0) together with the delay of the step before. record.stepCount is
  // not touched: the caller sets it when the recording ends.
  RecordedKey Feed(const KeyEvent& event, MacroRecord& record);

  int StepCount() const { return steps_; }
  int KeyDownCount() const { return keyDowns_; }
  int HeldKeyCount() const { return heldCount_; }

 private:
  bool IsHeld(uint8_t vk) const;
  bool TakeHeldKey(uint8_t vk);
  uint16_t DelaySinceLastKey();

  RecordingClock clock_;
  int steps_ = 0;
  int keyDowns_ = 0;
  std::array<uint8_t, kMaxHeldKeys> held_{};
  int heldCount_ = 0;
  bool hasLastKey_ = false;
  KeyEventKind lastKind_ = KeyEventKind::kPress;
  uint8_t lastVk_ = 0;
  int64_t lastKeyTimeMs_ = 0;
};

}  // namespace gm
