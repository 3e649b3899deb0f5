#include "support/fake_keyboard_capture.h"

#include <utility>

namespace gm::test {

KeyboardCaptureStart FakeKeyboardCapture::Start(KeyEventCallback callback) {
  ++starts_;
  if (running_) return {false, SameInBothLanguages(u"The keyboard is captured already.")};
  if (refusal_) return {false, refusal_};
  callback_ = std::move(callback);
  running_ = true;
  return {true, {}};
}

void FakeKeyboardCapture::Stop() {
  if (!running_) return;
  ++stops_;
  running_ = false;
  callback_ = nullptr;
}

bool FakeKeyboardCapture::Deliver(const KeyEvent& event) {
  if (!running_) return false;
  // The callback may stop the capture (and so destroy itself): call a copy.
  KeyEventCallback callback = callback_;
  callback(event);
  return true;
}

bool FakeKeyboardCapture::Tap(uint32_t xKeyCode) {
  if (!Deliver(KeyEventOf(KeyEventKind::kPress, xKeyCode))) return false;
  Deliver(KeyEventOf(KeyEventKind::kRelease, xKeyCode));
  return true;
}

}  // namespace gm::test
