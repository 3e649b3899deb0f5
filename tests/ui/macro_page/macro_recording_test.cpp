// Recording a macro on the macro page with a hand-driven keyboard capture and clock: what the
// macro, its file and the step list hold, and that every way out gives the keyboard back.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>

#include <memory>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_file.h"
#include "macros/macro_file_test_support.h"
#include "macros/macro_tables.h"
#include "support/fake_keyboard_capture.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_layout.h"
#include "ui/window/macro_recording.h"
#include "ui/window/window_page_controls.h"

namespace gm::test {
namespace {

constexpr uint32_t kXKeyA = 38;
constexpr uint32_t kXKeyB = 56;
constexpr uint32_t kXKeyReturn = 36;
constexpr int kRowA0 = 1;  // row 0 is group A
constexpr int kRowA1 = 2;

class Window : public QWidget {};

class MacroRecordingTest : public MacroFileTest {
 protected:
  void SetUp() override {
    MacroFileTest::SetUp();
    EnsureQtApplication();
    ResetUiState();
    g_controlRects[kRepeatEditRect] = {10, 10, 60, 30};
    g_controlRects[kMacroListRect] = {10, 40, 190, 260};
    g_controlRects[kStepListRect] = {200, 40, 400, 260};
    g_controlRects[kParamListRect] = {410, 40, 630, 160};
    MakeGroup();
    window_ = std::make_unique<Window>();
    MacroPageHooks hooks;
    hooks.endRecordingHook = [this] { recording_->OnMacroListSelection(); };
    controls_ = std::make_unique<MacroPageControls>(*window_, hooks);
    controls_->Create(true);
    controls_->FillMacroList();
    recording_ = std::make_unique<MacroRecording>(*controls_, &capture_, [this] { return now_; });
    SelectRow(kRowA0);
  }

  void TearDown() override {
    recording_.reset();
    controls_.reset();
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ResetSkinLayoutGlobals();
    ResetUiState();
    MacroFileTest::TearDown();
  }

  // Group "A" with macro a0 (play mode 1, three old steps, strength 30 enabled) and a1.
  void MakeGroup() {
    g_macroGroupCount = 1;
    g_macroGroupNames[0] = u"A";
    g_macroCount = 2;
    SetMacroName(g_macros[0], u"a0");
    SetMacroName(g_macros[1], u"a1");
    g_macros[0].playMode = kPlayModeDevice1;
    g_macros[0].repeatCount = 5;
    g_macros[0].stepCount = 3;
    g_macros[0].strengthEnabled = 1;
    g_macros[0].strength = 30;
    g_macroNames[0] = u"a0";
    g_macroNames[1] = u"a1";
    g_groupMacroCount[0] = 2;
    SaveMacroFile(GroupFile("A"));
    ASSERT_TRUE(SelectEditorGroup(0, true));
    g_groupExpanded = {1};
  }

  void SelectRow(int row) {
    controls_->MacroList()->SetCurSel(row);
    emit controls_->MacroList()->selChange();
  }

  void Record() { recording_->OnRecord(InputAction{}, *window_); }

  void TapAt(int32_t time, uint32_t xKeyCode) {
    now_ = time;
    capture_.Deliver(KeyEventOf(KeyEventKind::kPress, xKeyCode));
    now_ = time + 50;
    capture_.Deliver(KeyEventOf(KeyEventKind::kRelease, xKeyCode));
  }

  // g_macros[macro] as the group's file holds it.
  MacroRecord FromFile(int macro) {
    for (auto& r : g_macros) std::memset(&r, 0, sizeof r);
    LoadMacroFile(GroupFile("A"));
    return g_macros[macro];
  }

  int32_t now_ = 0;
  FakeKeyboardCapture capture_;
  std::unique_ptr<Window> window_;
  std::unique_ptr<MacroPageControls> controls_;
  std::unique_ptr<MacroRecording> recording_;
};

TEST_F(MacroRecordingTest, RecordEmptiesTheMacroAndStoresTheTypedKeysWhenPressedAgain) {
  Record();
  ASSERT_TRUE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 1);
  EXPECT_EQ(controls_->StepList()->count(), 0);
  EXPECT_EQ(controls_->RepeatEdit()->text(), QStringLiteral("1"));
  const MacroRecord emptied = ReadEditorMacro(0);
  EXPECT_EQ(MacroNameOf(emptied), u"a0");
  EXPECT_EQ(emptied.playMode, kPlayModeDevice1);
  EXPECT_EQ(emptied.repeatCount, 1);
  EXPECT_EQ(emptied.stepCount, 0);
  EXPECT_EQ(emptied.strengthEnabled, 0);
  EXPECT_EQ(emptied.strength, 10);

  TapAt(1000, kXKeyA);  // A down 1000, up 1050
  TapAt(1300, kXKeyB);  // B down 1300, up 1350
  EXPECT_EQ(controls_->StepList()->count(), 7);  // four steps, the three delays between them

  Record();
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 0);
  EXPECT_EQ(controls_->StepList()->count(), 8);  // and the last step's delay
  const MacroRecord saved = FromFile(0);
  ASSERT_EQ(saved.stepCount, 4);
  const uint16_t delays[] = {50, 250, 50, kLastRecordedStepDelayMs};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(saved.code[i], i < 2 ? 4 : 5) << i;
    EXPECT_EQ(saved.action[i], i % 2 == 0 ? kActionPress : kActionRelease) << i;
    EXPECT_EQ(saved.delayMs[i], delays[i]) << i;
  }
  EXPECT_EQ(saved.strength, 10);
  EXPECT_EQ(saved.playMode, kPlayModeDevice1);
}

TEST_F(MacroRecordingTest, RecordEndsTheRecordingWhateverRowIsSelectedByNow) {
  Record();
  TapAt(0, kXKeyA);
  g_macroListSel = 0;  // the group row, without a selection change
  Record();
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(FromFile(0).stepCount, 2);
}

TEST_F(MacroRecordingTest, ALockedGroupIsRefusedAndTheKeyboardStaysFree) {
  g_groupEncrypted = 1;
  Record();
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 0);
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0],
            (UserMessage{u"加密宏不能修改", u"Cryptographic macros cannot be modified"}));
  EXPECT_EQ(ReadEditorMacro(0).stepCount, 3);
}

TEST_F(MacroRecordingTest, SelectingAnotherMacroEndsTheRecordingWithNothingStored) {
  Record();
  TapAt(0, kXKeyA);
  SelectRow(kRowA1);
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(capture_.StopCount(), 1);
  EXPECT_EQ(g_isRecording.load(), 0);
  EXPECT_FALSE(recording_->Active());
  EXPECT_EQ(FromFile(0).stepCount, 0);
}

TEST_F(MacroRecordingTest, EachKeyPastTheLimitShowsTheMessageAndIsNotStored) {
  Record();
  for (int i = 0; i < kMaxRecordedSteps / 2; ++i) TapAt(i * 100, kXKeyA);
  ASSERT_TRUE(messages_.messages().empty());
  TapAt(20000, kXKeyB);
  EXPECT_EQ(messages_.englishTexts(),
            (std::vector<std::u16string>{u"More than limit!", u"More than limit!"}));
  Record();
  EXPECT_EQ(FromFile(0).stepCount, kMaxRecordedSteps);
}

TEST_F(MacroRecordingTest, TheProgramsEndAndTheObjectsEndGiveTheKeyboardBack) {
  Record();
  recording_->Abandon();
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 0);

  Record();
  ASSERT_TRUE(capture_.Running());
  recording_.reset();
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 0);
}

TEST_F(MacroRecordingTest, LeavingTheMacroPageEndsTheRecordingWithNothingStored) {
  WindowPageControls page;
  AttachMacroRecording(page, &capture_);
  page.Run(InputAction{.kind = InputActionKind::kCreateMacroControls}, *window_);
  page.Run(InputAction{.kind = InputActionKind::kMacroRecord}, *window_);
  ASSERT_TRUE(capture_.Running());
  TapAt(0, kXKeyA);
  page.Run(InputAction{.kind = InputActionKind::kDestroyMacroControls}, *window_);
  EXPECT_FALSE(capture_.Running());
  EXPECT_EQ(g_isRecording.load(), 0);
  EXPECT_EQ(FromFile(0).stepCount, 0);
}

// A key event as the window system delivers it to `to`: the X key code and the text typed.
void SendKey(QWidget& to, QEvent::Type type, int key, uint32_t xKeyCode, const QString& text = {}) {
  QKeyEvent event(type, key, Qt::NoModifier, xKeyCode, 0, 0, text);
  QCoreApplication::sendEvent(&to, &event);
}

TEST_F(MacroRecordingTest, WithoutACaptureTheFocusedWindowsKeysAreRecordedAndGoNoFurther) {
  capture_.RefuseStarts(SameInBothLanguages(u"held elsewhere"));
  Record();
  EXPECT_EQ(messages_.englishTexts(), (std::vector<std::u16string>{u"held elsewhere"}));
  EXPECT_FALSE(recording_->CaptureDelivers());
  QLineEdit other;  // any control of the program
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    SendKey(other, type, Qt::Key_A, kXKeyA, QStringLiteral("a"));
  }
  EXPECT_TRUE(other.text().isEmpty());
  Record();
  EXPECT_EQ(FromFile(0).stepCount, 2);
  // After the recording the keys reach the controls again.
  SendKey(other, QEvent::KeyPress, Qt::Key_A, kXKeyA, QStringLiteral("a"));
  EXPECT_EQ(other.text(), QStringLiteral("a"));
}

TEST_F(MacroRecordingTest, WithoutACaptureABoxShownWhileRecordingTakesEnterAndNothingOfIt) {
  capture_.RefuseStarts(SameInBothLanguages(u"held elsewhere"));
  Record();
  QLineEdit other;  // any control of the program
  SendKey(other, QEvent::KeyPress, Qt::Key_A, kXKeyA);
  SendKey(other, QEvent::KeyRelease, Qt::Key_A, kXKeyA);

  QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Recording"), QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.show();
  SendKey(box, QEvent::KeyPress, Qt::Key_Return, kXKeyReturn);
  EXPECT_FALSE(box.isVisible()) << "Enter reaches the box";
  // The release comes once the box has gone.
  SendKey(other, QEvent::KeyRelease, Qt::Key_Return, kXKeyReturn);
  Record();
  EXPECT_EQ(FromFile(0).stepCount, 2) << "a down and up; nothing of Enter";
}

}  // namespace
}  // namespace gm::test
