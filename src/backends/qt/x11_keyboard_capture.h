#pragma once
// Keyboard capture on an X server: an active keyboard grab on the root window, taken through
// a connection of its own, so every keystroke of the desktop comes to this connection and to
// no other client (the window manager and the program's own windows included) until Stop.
// Keys are reported by their X key code and its virtual-key code by position; auto-repeat is
// reported as repeated presses without releases in between.
//
// Another client's grab (a menu of another program that is open, a screen locker) makes Start
// try again for a short while and then fail with a message for the user. The grab ends with
// Stop, with the object's destruction, and with the process (the X server drops the grabs of
// a connection that closes).
//
// User-interface thread only: events are read from the connection in that thread's event
// loop, and the callback runs there.

#include <QObject>

#include <bitset>
#include <memory>
#include <string>

#include "platform/keyboard_capture.h"

class QSocketNotifier;
struct _XDisplay;

namespace gm {

class X11KeyboardCapture final : public QObject, public KeyboardCapture {
  Q_OBJECT

 public:
  // displayName: the X display to grab ("" means $DISPLAY).
  explicit X11KeyboardCapture(std::string displayName = {});
  ~X11KeyboardCapture() override;
  X11KeyboardCapture(const X11KeyboardCapture&) = delete;
  X11KeyboardCapture& operator=(const X11KeyboardCapture&) = delete;

  KeyboardCaptureStart Start(KeyEventCallback callback) override;
  void Stop() override;
  bool Running() const override { return display_ != nullptr; }

 private:
  void ReadEvents();

  std::string displayName_;
  _XDisplay* display_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
  KeyEventCallback callback_;
  std::bitset<256> keysDown_;  // by X key code, for telling auto-repeat from a new press
};

// What the user is told when another program holds the keyboard.
UserMessage KeyboardHeldElsewhereMessage();
// What the user is told when the X display cannot be reached or refuses the grab otherwise.
UserMessage KeyboardNotCapturableMessage();

}  // namespace gm
