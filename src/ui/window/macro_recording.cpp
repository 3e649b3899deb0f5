#include "ui/window/macro_recording.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <memory>
#include <utility>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/recorded_macro.h"
#include "ui/controls/list_box_xi.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/ui_state.h"
#include "ui/window/main_dialog.h"
#include "ui/window/window_page_controls.h"

namespace gm {
namespace {

// The virtual keys that close a message box from the keyboard.
constexpr uint8_t kVkReturn = 0x0D;
constexpr uint8_t kVkEscape = 0x1B;

// The window no longer shows on the screen.
bool LeavesTheScreen(const QEvent& event, const QWidget& window) {
  return event.type() == QEvent::Hide ||
         (event.type() == QEvent::WindowStateChange && window.isMinimized());
}

bool IsKeyEvent(const QEvent& event) {
  return event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease;
}

// A key event of the focused window as the capture would report it.
KeyEvent KeyEventOfQt(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  const auto kind =
      event.type() == QEvent::KeyPress ? KeyEventKind::kPress : KeyEventKind::kRelease;
  return KeyEventOf(kind, key.nativeScanCode(), key.isAutoRepeat());
}

}  // namespace

UserMessage LockedMacroRecordMessage() {
  return UserMessage{u"加密宏不能修改", u"Cryptographic macros cannot be modified"};
}

MacroRecording::MacroRecording(MacroPageLookup page, KeyboardCapture* capture,
                               RecordingClock clock)
    : page_(std::move(page)), capture_(capture), recorder_(std::move(clock)) {}

MacroRecording::MacroRecording(MacroPageControls& controls, KeyboardCapture* capture,
                               RecordingClock clock)
    : MacroRecording([&controls] { return &controls; }, capture, std::move(clock)) {}

MacroRecording::~MacroRecording() { Abandon(); }

void MacroRecording::OnRecord(const InputAction& /*action*/, QWidget& window) {
  // Record always ends a running recording, whatever row the list shows by now: the desktop's
  // keyboard must never stay held.
  if (active_) {
    Stop();
    return;
  }
  MacroPageControls* page = page_ ? page_() : nullptr;
  if (page == nullptr || page->MacroList() == nullptr) return;
  const MacroListEntry* listed = MacroListEntryAt(g_macroListSel);
  if (listed == nullptr) return;
  const MacroListEntry entry = *listed;
  if (entry.kind != kMacroListMacroRow || entry.macro >= kMacrosPerGroup) return;
  if (IsEditorGroupLocked()) {
    ShowUserMessage(LockedMacroRecordMessage());
    return;
  }
  group_ = g_curMacroGroup;
  macro_ = entry.macro;
  Start(window, *page);
}

void MacroRecording::Start(QWidget& window, MacroPageControls& page) {
  recorder_.Begin();
  messageKeys_.reset();
  active_ = true;
  g_isRecording = 1;
  g_keyUpRows = 0;
  g_keyDownRows = 0;

  // The macro is emptied and saved so (through the repeat edit) before the first key.
  const QString name = page.MacroList()->GetText(g_macroListSel);
  BeginRecordedMacro(macro_, name.toStdU16String());
  g_curMacro = macro_;
  page.SetRepeatEditText(QStringLiteral("1"));
  SetRecordedMacroStrength(macro_);
  if (CListBoxXI* steps = page.StepList()) steps->ResetContent();
  if (CListBoxXI* params = page.ParamList()) params->ResetContent();

  if (auto* dialog = qobject_cast<CQEL_GMouseDlg*>(&window)) {
    connect(dialog, &CQEL_GMouseDlg::ending, this, &MacroRecording::Finish,
            Qt::UniqueConnection);
  }
  // Minimised or hidden, the window could not be used to end the recording, and the user
  // would be left without a keyboard.
  window_ = &window;
  window.installEventFilter(this);

  captureDelivers_ = false;
  if (capture_ != nullptr) {
    const KeyboardCaptureStart start =
        capture_->Start([this](const KeyEvent& event) { OnKey(event); });
    captureDelivers_ = start.started;
    // The keys then come only while the program's window has the focus: the user must know
    // why other programs still see them.
    if (start.problem) ShowUserMessage(*start.problem);
  }
  if (!captureDelivers_ && active_) {
    QCoreApplication::instance()->installEventFilter(this);
    filtering_ = true;
  }
}

void MacroRecording::Stop() {
  const int steps = recorder_.StepCount();
  // The keyboard is given back first: a message about the save must not find it held.
  ReleaseKeyboard();
  active_ = false;
  g_isRecording = 0;
  FinishRecordedMacro(group_, macro_, steps);
  g_curMacro = macro_;
  MacroPageControls* page = page_ ? page_() : nullptr;
  if (page == nullptr) return;
  page->RefreshStepList(macro_);
  if (ReadEditorMacro(macro_).playMode == 0) page->EnableRepeatEdit(true);
}

void MacroRecording::OnMacroListSelection() { Abandon(); }

void MacroRecording::Finish() {
  if (active_) Stop();
}

void MacroRecording::Abandon() {
  if (!active_) return;
  ReleaseKeyboard();
  active_ = false;
  g_isRecording = 0;
}

void MacroRecording::ReleaseKeyboard() {
  if (captureDelivers_ && capture_ != nullptr) capture_->Stop();
  captureDelivers_ = false;
  if (filtering_) QCoreApplication::instance()->removeEventFilter(this);
  filtering_ = false;
  if (window_) window_->removeEventFilter(this);
  window_ = nullptr;
}

void MacroRecording::OnKeyForMessage(const KeyEvent& event) {
  if (event.kind == KeyEventKind::kRelease) {
    messageKeys_.reset(event.vk);
    return;
  }
  messageKeys_.set(event.vk);
  // The focused window's keys reach the box by themselves; the capture's are handed to it.
  if (!captureDelivers_ || event.autoRepeat) return;
  if (event.vk != kVkReturn && event.vk != kVkEscape) return;
  QWidget* box = QApplication::activeModalWidget();
  if (box == nullptr) return;
  QKeyEvent key(QEvent::KeyPress, event.vk == kVkReturn ? Qt::Key_Return : Qt::Key_Escape,
                Qt::NoModifier);
  QCoreApplication::sendEvent(box, &key);
}

bool MacroRecording::BoxShowing() const {
  // The main window is never modal: a modal window is a box shown over it.
  return showingMessage_ || QApplication::activeModalWidget() != nullptr;
}

void MacroRecording::OnKey(const KeyEvent& event) {
  if (!active_) return;
  // Keys that come while a box is up (the limit message, "Recording", any other message) are
  // the box's: one limit box at a time however many keys follow, and the release of a key
  // that closed a box is not recorded either.
  if (BoxShowing()) {
    OnKeyForMessage(event);
    return;
  }
  if (event.kind == KeyEventKind::kRelease && messageKeys_.test(event.vk)) {
    messageKeys_.reset(event.vk);
    return;
  }
  MacroRecord stored{};
  const RecordedKey result = RecordKeyIntoMacro(macro_, recorder_, event, stored);
  switch (result.result) {
    case RecordedKeyResult::kStored:
      if (MacroPageControls* page = page_ ? page_() : nullptr) {
        page->AddStepToList(stored, result.step);
      }
      break;
    case RecordedKeyResult::kLimitReached:
      showingMessage_ = true;
      ShowUserMessage(RecordingLimitMessage());
      showingMessage_ = false;
      break;
    case RecordedKeyResult::kRepeated:
    case RecordedKeyResult::kIgnored: break;
  }
}

bool MacroRecording::eventFilter(QObject* watched, QEvent* event) {
  if (active_ && window_ && watched == window_ && LeavesTheScreen(*event, *window_)) {
    Finish();
    return QObject::eventFilter(watched, event);
  }
  if (!filtering_) return QObject::eventFilter(watched, event);
  if (BoxShowing()) {
    // The box takes the key; the recording only notes it.
    if (IsKeyEvent(*event)) OnKey(KeyEventOfQt(*event));
    return QObject::eventFilter(watched, event);
  }
  if (IsKeyEvent(*event)) {
    // The recording takes the key; no control (the repeat edit, a list) acts on it.
    OnKey(KeyEventOfQt(*event));
    return true;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // the key comes as a key press instead of triggering a shortcut
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void AttachMacroRecording(WindowPageControls& controls, KeyboardCapture* capture) {
  auto recording = std::make_shared<MacroRecording>(
      [page = &controls] { return page->MacroPage(); }, capture);
  controls.onRecord = [recording](const InputAction& action, QWidget& window) {
    recording->OnRecord(action, window);
  };
  controls.onMacroListSelection = [recording] { recording->OnMacroListSelection(); };
  controls.onMacroControlsDestroyed = [recording] { recording->Abandon(); };
}

}  // namespace gm
