#pragma once
// A keyboard capture driven by hand: tests start it through the code under test and then
// type keys into it. It can also be told to refuse the next start, as a desktop does when
// another program holds the keyboard.

#include <optional>
#include <utility>

#include "platform/keyboard_capture.h"

namespace gm::test {

class FakeKeyboardCapture final : public KeyboardCapture {
 public:
  KeyboardCaptureStart Start(KeyEventCallback callback) override;
  void Stop() override;
  bool Running() const override { return running_; }

  // Every later start fails with this problem (nothing: starts succeed again).
  void RefuseStarts(std::optional<UserMessage> problem) { refusal_ = std::move(problem); }

  // Delivers the event while running; false (nothing delivered) otherwise.
  bool Deliver(const KeyEvent& event);
  // A press and a release of the key at xKeyCode.
  bool Tap(uint32_t xKeyCode);

  int StartCount() const { return starts_; }
  int StopCount() const { return stops_; }

 private:
  KeyEventCallback callback_;
  std::optional<UserMessage> refusal_;
  bool running_ = false;
  int starts_ = 0;
  int stops_ = 0;
};

}  // namespace gm::test
