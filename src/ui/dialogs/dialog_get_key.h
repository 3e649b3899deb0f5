#pragma once
// The key-capture dialog: a small skinned modal dialog that waits for a keyboard key and shows
// its name. While it runs, the keyboard capture hands it every keystroke of the desktop (and
// no other program gets them); where no desktop-wide capture exists, the dialog takes the keys
// it receives while it has the focus. Esc and Enter are captured like any other key and never
// close it; no key reaches the dialog's own handling.
//
// Two modes: a macro step and a key assignment; OK emits keyCaptured with the mode. The result
// is in g_capturedKeyCode and g_capturedKeyName, which the opener presets. The capture runs
// from the dialog's start until it ends, whichever way it ends: OK, close, the program's exit,
// or its destruction.
//
// User-interface thread only.

#include <QDialog>
#include <QImage>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/keyboard_capture.h"
#include "ui/dialogs/skin_dialog_paint.h"
#include "ui/skin/skin_dialog_layout.h"
#include "ui/skin/skin_images.h"

namespace gm {

// The captured key: its HID keyboard usage and its display name.
extern uint8_t g_capturedKeyCode;
extern std::u16string g_capturedKeyName;
// No key captured: usage 0, no name (also after the captured key was used).
void ResetCapturedKey();

enum class KeyCaptureMode : uint8_t { kMacroStep = 0, kKeyAssignment = 1 };

// Elements of the dialog's layout.
inline constexpr uint32_t kKeysetName = 0;
inline constexpr uint32_t kKeysetOk = 1;
inline constexpr uint32_t kKeysetClose = 2;

class CDialogGetKey : public QDialog {
  Q_OBJECT

 public:
  // capture may be null (keys are then taken while the dialog has the focus); it must outlive
  // the dialog.
  CDialogGetKey(QWidget* parent, KeyCaptureMode mode, KeyboardCapture* capture);
  ~CDialogGetKey() override;

  // Reads the layout and the shape and starts the capture. False when the layout file is
  // missing (reported by the reader): the dialog must not run then.
  bool OnInitDialog();

  // One keystroke: the key becomes the captured key (press and release alike).
  void OnCapturedKey(const KeyEvent& event);

  bool Capturing() const { return capturing_; }
  uint32_t Hover() const { return hover_; }
  KeyCaptureMode Mode() const { return mode_; }
  const KeysetLayout& Layout() const { return layout_; }
  // The frame composed by the last paint.
  const QImage& LastFrame() const { return frame_; }
  // Composes the frame as the next paint shows it.
  const QImage& ComposeFrame();

  void done(int result) override;

 signals:
  // OK: the captured key is in g_capturedKeyCode / g_capturedKeyName, the keyboard is given
  // back already, and the dialog ends when the receivers have returned.
  void keyCaptured(gm::KeyCaptureMode mode);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void StopCapture();

  KeyCaptureMode mode_;
  KeyboardCapture* capture_;
  KeysetLayout layout_;
  DialogPictures pictures_;
  SkinImages images_;
  QImage frame_;
  QSize size_;
  uint32_t hover_;
  bool pressed_ = false;
  bool capturing_ = false;
  bool captureDelivers_ = false;  // the capture runs and hands over the keys
};

// Runs the dialog modally over parent (blocking parent's window only, so the tray menu still
// answers), with onCaptured connected to its keyCaptured. True when it ended with OK
// (onCaptured has run); false when closed, ended from outside (the tray's exit), or when its
// layout file is missing.
bool RunKeyCaptureDialog(QWidget* parent, KeyCaptureMode mode, KeyboardCapture* capture,
                         const std::function<void(KeyCaptureMode)>& onCaptured);

}  // namespace gm
