#include "ui/window/macro_recording.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <memory>
#include <utility>

#include "macros/macro_editor_state.h"
#include "macros/macro_page_access.h"
#include "macros/recorded_macro.h"
#include "ui/controls/list_box_xi.h"
#include "ui/pages/macro_page_state.h"
#include "ui/pages/ui_state.h"
#include "ui/window/window_page_controls.h"
#include "ui/window/macro_page_controls.h"
#include "ui/window/main_dialog.h"

namespace gm {

UserMessage LockedMacroRecordMessage() {
  return UserMessage{u"加密宏不能修改", u"Cryptographic macros cannot be modified"};
}

MacroRecording::MacroRecording(MacroPageLookup page, KeyboardCapture* capture, DayClock clock)
    : page_(std::move(page)), capture_(capture), recorder_(std::move(clock)) {}

MacroRecording::MacroRecording(MacroPageControls& controls, KeyboardCapture* capture,
                               DayClock clock)
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
  if (page == nullptr || page->MacroList() == nullptr || g_macroListSel < 0) return;
  const auto row = static_cast<std::size_t>(g_macroListSel);
  if (row >= g_macroListEntries.size()) return;
  const MacroListEntry entry = g_macroListEntries[row];
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
    connect(dialog, &CQEL_GMouseDlg::ending, this, &MacroRecording::Abandon,
            Qt::UniqueConnection);
  }

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
}

void MacroRecording::OnKey(const KeyEvent& event) {
  // Keys that come while the limit message is up are the box's (or dropped): one box at a
  // time however many keys follow.
  if (!active_ || showingMessage_) return;
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
  if (!filtering_ || showingMessage_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // The recording takes the key; no control (the repeat edit, a list) acts on it.
      const auto* key = static_cast<QKeyEvent*>(event);
      const auto kind =
          event->type() == QEvent::KeyPress ? KeyEventKind::kPress : KeyEventKind::kRelease;
      OnKey(KeyEventOf(kind, key->nativeScanCode(), key->isAutoRepeat()));
      return true;
    }
    case QEvent::ShortcutOverride:
      event->accept();  // the key comes as a key press instead of triggering a shortcut
      return true;
    default: return QObject::eventFilter(watched, event);
  }
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
