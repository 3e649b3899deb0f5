#pragma once
// The program's own messages between its windows: pop-up lists, the key-capture and recoil
// dialogs and the tray icon tell their owners what happened through them (the list boxes and
// their in-place edits use Qt signals). A window that receives them implements
// ProgramMessageTarget.
//
// Send: the receiver runs the message before the call returns. Post: the receiver runs it from
// the event loop, after the sender's current handler has returned (PostProgramMessage).
//
// User-interface thread only.

#include <QObject>
#include <QPointer>

#include <cstdint>

namespace gm {

enum class ProgramMessage : uint32_t {
  kTrayNotify = 0x401,           // tray icon: wParam icon id, lParam the mouse message
  kStepKeyCaptured = 0x7F5,      // key-capture dialog, step mode, on OK
  kButtonKeyCaptured = 0x7F6,    // key-capture dialog, key mode, on OK
  kLedStepMode = 0x83ED,         // lighting-step mode list: wParam the picked row - 1
  kLedStepColour = 0x83EE,       // lighting-step colour list: wParam the colour stored
  kGunSelected = 0x83F3,         // recoil list: wParam the index shown before
  kOpenKeyCapture = 0x83F4,      // key list, keyboard-key row (posted)
};

class ProgramMessageTarget {
 public:
  virtual ~ProgramMessageTarget() = default;
  virtual void OnProgramMessage(ProgramMessage message, intptr_t wParam, intptr_t lParam) = 0;
};

// Runs the message on target now.
inline void SendProgramMessage(ProgramMessageTarget& target, ProgramMessage message,
                               intptr_t wParam = 0, intptr_t lParam = 0) {
  target.OnProgramMessage(message, wParam, lParam);
}

// Runs the message on target from the event loop, unless the QObject that carries target
// (receiver) is gone by then.
inline void PostProgramMessage(QObject* receiver, ProgramMessageTarget& target,
                               ProgramMessage message, intptr_t wParam = 0,
                               intptr_t lParam = 0) {
  QPointer<QObject> alive(receiver);
  QMetaObject::invokeMethod(
      receiver,
      [alive, &target, message, wParam, lParam] {
        if (alive) target.OnProgramMessage(message, wParam, lParam);
      },
      Qt::QueuedConnection);
}

}  // namespace gm
