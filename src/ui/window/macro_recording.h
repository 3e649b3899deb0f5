#pragma once
// Recording a macro from the keyboard on the macro page. The Record element on a macro row of
// an unlocked group starts a recording into that macro and, pressed again, ends it with the
// steps stored in the macro and its group file. While it runs:
// - the keyboard capture hands every keystroke of the desktop to the recording (and to no
//   other program); without a capture, or when it cannot start, the keys the program's own
//   focused window receives are taken instead (and go no further);
// - g_isRecording is 1: the page input refuses clicks other than Record, minimise, close and
//   empty space, and the step commands change nothing.
//
// The window leaving the screen (minimised, hidden to the notification area) and the start of
// the program's end (CQEL_GMouseDlg::ending, when the window is the main dialog) end the
// recording as Record does: the steps typed so far are stored.
//
// Other ways out store nothing (the macro keeps the empty record written at the start): a
// selection in the macro list (OnMacroListSelection), the destruction of the macro page's
// controls (Abandon, through AttachMacroRecording) and the destruction of this object. Every
// way out gives the keyboard back.
//
// While a box is open over the program (the "More than limit!" box, the "Recording" box of a
// refused click, any other message) the keys are the box's: Enter and Esc reach it through
// the capture, and no key pressed while it is open is recorded, its release included.
//
// User-interface thread only.

#include <QObject>
#include <QPointer>

#include <bitset>
#include <functional>

#include "macros/macro_recorder.h"
#include "platform/keyboard_capture.h"
#include "platform/message_sink.h"
#include "ui/pages/input_result.h"

class QWidget;

namespace gm {

class MacroPageControls;
class WindowPageControls;

// "Cryptographic macros cannot be modified" / "加密宏不能修改".
UserMessage LockedMacroRecordMessage();

// The macro page's controls, or null while they do not exist yet.
using MacroPageLookup = std::function<MacroPageControls*()>;

class MacroRecording : public QObject {
  Q_OBJECT

 public:
  // capture may be null; it must outlive this object. The controls are looked up when
  // needed (they may be made after this object); Abandon and the destructor never use them.
  MacroRecording(MacroPageLookup page, KeyboardCapture* capture,
                 RecordingClock clock = MonotonicMilliseconds);
  // Controls that exist for this object's whole life.
  MacroRecording(MacroPageControls& controls, KeyboardCapture* capture,
                 RecordingClock clock = MonotonicMilliseconds);
  ~MacroRecording() override;
  MacroRecording(const MacroRecording&) = delete;
  MacroRecording& operator=(const MacroRecording&) = delete;

  // The Record element (kMacroRecord), after the macro list's selection was taken: starts or
  // ends a recording of the selected macro row. window is the main window.
  void OnRecord(const InputAction& action, QWidget& window);
  // The macro list's selection changed: a running recording ends without storing.
  void OnMacroListSelection();
  // The window leaves the screen or the program ends: a running recording ends as Record
  // ends it, with its steps stored.
  void Finish();
  // A running recording ends without storing.
  void Abandon();

  bool Active() const { return active_; }
  // True while the desktop-wide capture delivers the keys (false: the focused window's keys).
  bool CaptureDelivers() const { return captureDelivers_; }
  // One keystroke of the recording.
  void OnKey(const KeyEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Start(QWidget& window, MacroPageControls& page);
  void Stop();
  void ReleaseKeyboard();
  // True while a box is open: the limit message or any modal window over the program.
  bool BoxShowing() const;
  // A keystroke that comes while a box is open.
  void OnKeyForMessage(const KeyEvent& event);

  MacroPageLookup page_;
  KeyboardCapture* capture_;
  MacroRecorder recorder_;
  bool active_ = false;
  bool captureDelivers_ = false;
  bool filtering_ = false;       // the application's key events come to eventFilter
  bool showingMessage_ = false;  // the limit message is on screen
  std::bitset<256> messageKeys_;  // by virtual key: pressed while a box was open
  QPointer<QWidget> window_;      // watched for leaving the screen while recording
  int group_ = 0;
  int macro_ = 0;
};

// Gives the Record element, the macro list's selection and the destruction of the macro
// page's controls of controls a recording with capture (may be null; it must outlive
// controls). The recording lives as long as controls.
void AttachMacroRecording(WindowPageControls& controls, KeyboardCapture* capture);

}  // namespace gm
