#pragma once
// Capture of the keyboard: while a capture runs, every keystroke of the desktop comes to the
// program and to no other program (where the desktop allows it). The key-capture dialog and
// macro recording use it.
//
// Keys are identified by their position on the keyboard, not by the character the current
// layout gives them: a key event carries the X key code (evdev code + 8, also what Wayland
// and the Linux console number keys by) and the Windows virtual-key code of the key at that
// position on a US keyboard, so a German or French layout captures the same keys.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/message_sink.h"

namespace gm {

enum class KeyEventKind : uint8_t { kPress, kRelease };

struct KeyEvent {
  KeyEventKind kind = KeyEventKind::kPress;
  bool autoRepeat = false;  // a press repeated while the key is held
  uint32_t xKeyCode = 0;    // evdev code + 8
  uint8_t vk = 0;           // virtual-key code by position; 0 for a key without one

  bool operator==(const KeyEvent&) const = default;
};

// Called for every keystroke while a capture runs, in keystroke order, on the thread that
// started the capture (the user-interface thread). It may call Stop.
using KeyEventCallback = std::function<void(const KeyEvent& event)>;

// What Start achieved.
struct KeyboardCaptureStart {
  // Events come to the callback until Stop. False: nothing is delivered (the caller may take
  // the keys its own focused window receives instead).
  bool started = false;
  // Why the capture did not start, for the user (another program holds the keyboard, say).
  std::optional<UserMessage> problem;
};

class KeyboardCapture {
 public:
  virtual ~KeyboardCapture() = default;

  // Starts delivering keystrokes to callback. A capture that already runs is not started
  // again (started is false then, with a problem).
  virtual KeyboardCaptureStart Start(KeyEventCallback callback) = 0;
  // Ends the capture: other programs receive keystrokes again and the callback is not called
  // any more. Safe when not started and more than once.
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
};

// The evdev code of a key is its X key code minus this.
inline constexpr uint32_t kXKeyCodeOffset = 8;

// The virtual-key code of the key at the position of an X key code (US layout), or 0 when the
// table has no such key.
uint8_t VirtualKeyOfXKeyCode(uint32_t xKeyCode);

// A press or release event of the key at xKeyCode, with its virtual-key code.
KeyEvent KeyEventOf(KeyEventKind kind, uint32_t xKeyCode, bool autoRepeat = false);

}  // namespace gm
