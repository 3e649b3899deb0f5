#include "backends/qt/x11_keyboard_capture.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <QMetaObject>
#include <QSocketNotifier>

#include <chrono>
#include <thread>
#include <utility>

namespace gm {
namespace {

// Another client's grab is often about to end (a menu closing, the program's own pop-up
// whose release is still on its way to the server): the grab is tried this often, this far
// apart, before it is given up.
constexpr int kGrabAttempts = 25;
constexpr std::chrono::milliseconds kGrabRetryPause{10};

bool IsHeldElsewhere(int status) { return status == AlreadyGrabbed || status == GrabFrozen; }

}  // namespace

UserMessage KeyboardHeldElsewhereMessage() {
  return {u"另一个程序正在占用键盘，无法截获整个桌面的按键。只有本窗口获得焦点时才能读取按键。",
          u"Another program holds the keyboard, so keys cannot be taken from the whole desktop. "
          u"Keys are read only while this window has the focus."};
}

UserMessage KeyboardNotCapturableMessage() {
  return {u"无法截获整个桌面的按键。只有本窗口获得焦点时才能读取按键。",
          u"Keys cannot be taken from the whole desktop. Keys are read only while this window "
          u"has the focus."};
}

X11KeyboardCapture::X11KeyboardCapture(std::string displayName)
    : displayName_(std::move(displayName)) {}

X11KeyboardCapture::~X11KeyboardCapture() { Stop(); }

KeyboardCaptureStart X11KeyboardCapture::Start(KeyEventCallback callback) {
  if (display_ != nullptr) return {false, KeyboardNotCapturableMessage()};
  Display* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  if (display == nullptr) return {false, KeyboardNotCapturableMessage()};
  // Held keys repeat as presses alone, so a repeat is told from a new press.
  XkbSetDetectableAutoRepeat(display, True, nullptr);

  int status = GrabNotViewable;
  for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
    status = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                           GrabModeAsync, CurrentTime);
    if (status == GrabSuccess || !IsHeldElsewhere(status)) break;
    std::this_thread::sleep_for(kGrabRetryPause);
  }
  if (status != GrabSuccess) {
    XCloseDisplay(display);
    return {false, IsHeldElsewhere(status) ? KeyboardHeldElsewhereMessage()
                                           : KeyboardNotCapturableMessage()};
  }

  display_ = display;
  callback_ = std::move(callback);
  keysDown_.reset();
  notifier_ = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &X11KeyboardCapture::ReadEvents);
  // Events that came with the grab's reply are already read from the socket.
  QMetaObject::invokeMethod(this, &X11KeyboardCapture::ReadEvents, Qt::QueuedConnection);
  return {true, std::nullopt};
}

void X11KeyboardCapture::Stop() {
  if (display_ == nullptr) return;
  notifier_->setEnabled(false);
  notifier_->deleteLater();  // Stop may run inside the notifier's own signal
  notifier_ = nullptr;
  XUngrabKeyboard(display_, CurrentTime);
  XCloseDisplay(display_);  // flushes the release
  display_ = nullptr;
  callback_ = nullptr;
  keysDown_.reset();
}

void X11KeyboardCapture::ReadEvents() {
  while (display_ != nullptr && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type != KeyPress && event.type != KeyRelease) continue;
    const uint32_t code = event.xkey.keycode;
    const bool press = event.type == KeyPress;
    const bool repeat = press && code < keysDown_.size() && keysDown_.test(code);
    if (code < keysDown_.size()) keysDown_.set(code, press);
    // The callback may stop the capture, which drops callback_: call a copy.
    KeyEventCallback callback = callback_;
    if (callback) {
      callback(KeyEventOf(press ? KeyEventKind::kPress : KeyEventKind::kRelease, code, repeat));
    }
  }
}

}  // namespace gm
