#include "ui/dialogs/dialog_get_key.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "macros/key_codes.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/window_placement.h"

namespace gm {

uint8_t g_capturedKeyCode = 0;
std::u16string g_capturedKeyName;

void ResetCapturedKey() {
  g_capturedKeyCode = 0;
  g_capturedKeyName.clear();
}

CDialogGetKey::CDialogGetKey(QWidget* parent, KeyCaptureMode mode, KeyboardCapture* capture)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      mode_(mode),
      capture_(capture),
      pictures_(DialogPicturesOf("keyset")),
      hover_(kNoElement) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  MakeWindowModal(*this);
}

CDialogGetKey::~CDialogGetKey() { StopCapture(); }

bool CDialogGetKey::OnInitDialog() {
  const bool english = g_isEnglish.load() != 0;
  setWindowTitle(QString::fromStdU16String(english ? g_productNameEn : g_productNameCn));
  if (!LoadKeysetLayout(layout_)) return false;

  const DialogShape shape = DialogShapeOf(pictures_, images_);
  size_ = shape.size;
  setFixedSize(size_);
  if (!shape.region.isEmpty()) setMask(shape.region);

  capturing_ = true;
  if (capture_ != nullptr) {
    const KeyboardCaptureStart start =
        capture_->Start([this](const KeyEvent& key) { OnCapturedKey(key); });
    captureDelivers_ = start.started;
    // The keys then come only while this dialog has the focus: the user must know why the
    // other programs still see them, or why none arrive at all.
    if (start.problem) ShowUserMessage(*start.problem);
  }
  return true;
}

void CDialogGetKey::OnCapturedKey(const KeyEvent& key) {
  if (!capturing_) return;
  g_capturedKeyCode = CaptureVkToHidUsage(key.vk);
  g_capturedKeyName = KeyNameOfUsageForCapture(g_capturedKeyCode);
  update();
}

void CDialogGetKey::StopCapture() {
  capturing_ = false;
  if (captureDelivers_ && capture_ != nullptr) capture_->Stop();
  captureDelivers_ = false;
}

void CDialogGetKey::done(int result) {
  StopCapture();
  pressed_ = false;
  QDialog::done(result);
}

bool CDialogGetKey::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // Without a desktop-wide capture the keys this dialog receives are the captured ones.
      // Either way no key gets the dialog's own handling (Esc, Enter, Tab, F10).
      auto* key = static_cast<QKeyEvent*>(event);
      if (capturing_ && !captureDelivers_) {
        const auto kind =
            event->type() == QEvent::KeyPress ? KeyEventKind::kPress : KeyEventKind::kRelease;
        OnCapturedKey(KeyEventOf(kind, key->nativeScanCode(), key->isAutoRepeat()));
      }
      event->accept();
      return true;
    }
    case QEvent::ShortcutOverride:
      event->accept();  // the key comes as a key press instead of triggering a shortcut
      return true;
    default: return QDialog::event(event);
  }
}

const QImage& CDialogGetKey::ComposeFrame() {
  ComposeDialogFrame(frame_, size_, pictures_, images_, layout_.rects, hover_, pressed_);
  DrawDialogLabels(frame_, layout_.rects, layout_.captions, kKeysetName, g_capturedKeyName);
  return frame_;
}

void CDialogGetKey::paintEvent(QPaintEvent* /*event*/) {
  if (size_.isEmpty()) return;
  ComposeFrame();
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
}

void CDialogGetKey::mouseMoveEvent(QMouseEvent* event) {
  const uint32_t hover = HitDialogElement(layout_.rects, event->position().toPoint());
  if (hover != hover_) {
    hover_ = hover;
    update();
  }
}

void CDialogGetKey::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  hover_ = HitDialogElement(layout_.rects, event->position().toPoint());
  if (hover_ == kNoElement) return;
  pressed_ = true;
  update();
  if (hover_ == kKeysetOk) {
    // The keyboard is given back before the owner acts on the result.
    StopCapture();
    emit keyCaptured(mode_);
    accept();
  } else if (hover_ == kKeysetClose) {
    reject();
  }
}

void CDialogGetKey::mouseReleaseEvent(QMouseEvent* /*event*/) {
  pressed_ = false;  // the down picture stays until the next repaint
}

bool RunKeyCaptureDialog(QWidget* parent, KeyCaptureMode mode, KeyboardCapture* capture,
                         const std::function<void(KeyCaptureMode)>& onCaptured) {
  // Parented to the opener's window: it is destroyed with it, whatever ends the run.
  QPointer<CDialogGetKey> dialog = new CDialogGetKey(parent, mode, capture);
  if (onCaptured) QObject::connect(dialog, &CDialogGetKey::keyCaptured, dialog, onCaptured);
  bool ok = false;
  CentreOverMainWindow(*dialog);
  if (dialog->OnInitDialog()) ok = dialog->exec() == QDialog::Accepted;
  delete dialog.data();  // null when the opener's window went during the run
  return ok;
}

}  // namespace gm
