// The key-capture dialog on the keys page and for macro steps, with keys typed through the
// fake keyboard capture.

#include <QKeyEvent>

#include <string>
#include <vector>

#include "macros/key_codes.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/main_dialog_fixture.h"
#include "ui/modal_dialog_support.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/popup_rows.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/widget_input.h"

namespace gm::test {
namespace {

// X key codes (evdev + 8) of the keys the tests type.
constexpr uint32_t kXEsc = 9;
constexpr uint32_t kXEnter = 36;
constexpr uint32_t kXQ = 24;
constexpr uint32_t kXA = 38;
constexpr uint32_t kXF10 = 76;
constexpr uint32_t kXIsoKey = 94;  // the key beside the left Shift: not in the table

constexpr int kSelectedKey = 1;                // g_selKey 21
constexpr uint8_t kUsageA = 4;
constexpr uint8_t kUsageQ = 20;
constexpr int32_t kKeyboardKey = 42;

class KeyCaptureDialogTest : public MainDialogTest {
 protected:
  // The key list's keyboard-key row: the parameter 0 became 4, the capture is asked for.
  void OpenFromKeyList(CQEL_GMouseDlg& dialog) {
    g_selKey = 20 + kSelectedKey;
    if (g_keyParam[0][kSelectedKey] == 0) g_keyParam[0][kSelectedKey] = kUsageA;
    QMetaObject::invokeMethod(
        &dialog, [&dialog] { dialog.OnOpenKeyCapture(); }, Qt::QueuedConnection);
  }
  // The test's steps for the next capture dialog that runs.
  void Drive(std::function<void(CDialogGetKey&)> steps) {
    WhenModal<CDialogGetKey>([this, steps = std::move(steps)](CDialogGetKey& capture) {
      driven_ = true;
      steps(capture);
    });
  }
  // Runs the event loop until the driven dialog has come and gone.
  void RunUntilClosed() {
    const bool closed = QTest::qWaitFor(
        [&] { return driven_ && QApplication::activeModalWidget() == nullptr; }, kUiWaitMs);
    ASSERT_TRUE(driven_);
    ASSERT_TRUE(closed);
  }
  bool driven_ = false;
  std::u16string ShownName() const { return g_capturedKeyName; }
};

TEST_F(KeyCaptureDialogTest, TypedKeysShowTheirNamesAndEscAndEnterDoNotClose) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_curConfig = 0;
  g_keyFunction[0][kSelectedKey] = 3;
  std::vector<std::u16string> names;
  Drive([&](CDialogGetKey& capture) {
    names.push_back(ShownName());  // preset from the key's parameter
    EXPECT_TRUE(keyboard_.Running());
    for (uint32_t key : {kXEsc, kXEnter, kXF10, kXIsoKey, kXQ}) {
      keyboard_.Tap(key);
      names.push_back(ShownName());
      EXPECT_TRUE(capture.isVisible()) << key;
    }
    // A key the dialog's own window gets (the capture hands over everything) changes nothing
    // and does not close it.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, kXEsc, 0, 0);
    QApplication::sendEvent(&capture, &esc);
    EXPECT_TRUE(capture.isVisible());
    EXPECT_EQ(ShownName(), u"Q");
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetOk]));
  });
  OpenFromKeyList(dialog);
  RunUntilClosed();
  EXPECT_EQ(names, (std::vector<std::u16string>{u"A", u"ESCAPE", u"RETURN", u"F10",
                                                u"NON-AVAILABLE", u"Q"}));
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], kKeyboardKey);
  EXPECT_EQ(g_keyParam[0][kSelectedKey], kUsageQ);
  EXPECT_FALSE(keyboard_.Running());
}

// The key list's keyboard-key row asks the window for the dialog, which runs only once the
// list's release has been handled and the list is closed.
TEST_F(KeyCaptureDialogTest, TheKeyListsKeyboardRowRunsItAfterTheListHasClosed) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_curConfig = 0;
  ClickMain(dialog, kMainFirstKeyButton + kSelectedKey);
  CMenuDlg* list = MainWindowPopup();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
  bool listOpenDuringCapture = true;
  Drive([&](CDialogGetKey& capture) {
    listOpenDuringCapture = MainWindowPopup() != nullptr;
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetOk]));
  });
  const RowGeometry& rows = list->Rows();
  Press(*list, QPoint(rows.width / 2, static_cast<int>(kKeyboardKeyRow - 1) * rows.rowHeight +
                                          rows.rowHeight / 2));
  EXPECT_FALSE(driven_) << "run from the event loop, not from the list's release";
  RunUntilClosed();
  EXPECT_FALSE(listOpenDuringCapture);
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], kKeyboardKey);
}

TEST_F(KeyCaptureDialogTest, OkWithoutAKeyAssignsTheKeyboardKeyA) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_curConfig = 2;
  g_keyFunction[0][kSelectedKey] = 5;
  g_keyFunction[2][kSelectedKey] = 7;
  g_keyParam[2][kSelectedKey] = kUsageA;  // what the key list sets for a parameter of 0
  g_selKey = 20 + kSelectedKey;
  Drive([&](CDialogGetKey& capture) {
    EXPECT_EQ(ShownName(), u"A");
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetOk]));
  });
  QMetaObject::invokeMethod(
      &dialog, [&dialog] { dialog.OnOpenKeyCapture(); }, Qt::QueuedConnection);
  RunUntilClosed();
  EXPECT_EQ(g_keyFunction[2][kSelectedKey], kKeyboardKey);
  EXPECT_EQ(g_keyParam[2][kSelectedKey], kUsageA);
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], 5);  // other configurations untouched
}

TEST_F(KeyCaptureDialogTest, CloseChangesNothingAndGivesTheKeyboardBack) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_curConfig = 0;
  g_keyFunction[0][kSelectedKey] = 5;
  g_keyParam[0][kSelectedKey] = 9;
  Drive([&](CDialogGetKey& capture) {
    keyboard_.Tap(kXQ);
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetClose]));
  });
  OpenFromKeyList(dialog);
  RunUntilClosed();
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], 5);
  EXPECT_EQ(g_keyParam[0][kSelectedKey], 9);
  EXPECT_FALSE(keyboard_.Running());
  EXPECT_EQ(keyboard_.StopCount(), 1);
  EXPECT_FALSE(keyboard_.Tap(kXA));  // nothing listens any more
}

TEST_F(KeyCaptureDialogTest, TrayExitClosesTheDialogFirstAndSendsTheNoticeOnce) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_curConfig = 0;
  g_keyFunction[0][kSelectedKey] = 5;
  bool capturingWhenExitAsked = false;
  Drive([&](CDialogGetKey&) {
    capturingWhenExitAsked = keyboard_.Running();
    dialog.OnExitDriver();
    EXPECT_FALSE(keyboard_.Running());  // the grab ends before the program does
  });
  OpenFromKeyList(dialog);
  RunUntilClosed();
  EXPECT_TRUE(capturingWhenExitAsked);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Ended(); }, kUiWaitMs));
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(finishedCount_, 1);
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], 5);
}

TEST_F(KeyCaptureDialogTest, AHeldKeyboardIsReportedAndFocusedKeysAreCapturedInstead) {
  CQEL_GMouseDlg& dialog = StartDialog();
  keyboard_.RefuseStarts(SameInBothLanguages(u"held elsewhere"));
  Drive([&](CDialogGetKey& capture) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, kXQ, 0, 0);
    QApplication::sendEvent(&capture, &press);
    EXPECT_EQ(ShownName(), u"Q");
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetOk]));
  });
  OpenFromKeyList(dialog);
  RunUntilClosed();
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"held elsewhere"});
  EXPECT_EQ(g_keyParam[0][kSelectedKey], kUsageQ);
}

TEST_F(KeyCaptureDialogTest, AMissingLayoutFileOpensNothingAndChangesNothing) {
  CQEL_GMouseDlg& dialog = StartDialog();
  std::filesystem::remove(SkinLayoutFilePath(SkinLayoutFile::kKeyset, g_isEnglish != 0));
  g_keyFunction[0][kSelectedKey] = 5;
  OpenFromKeyList(dialog);
  QTest::qWait(50);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(keyboard_.StartCount(), 0);
  EXPECT_EQ(g_keyFunction[0][kSelectedKey], 5);
  EXPECT_FALSE(messages_.messages().empty());
}

// Step mode reports its mode to the one who runs it.
struct RecordingTarget {
  std::function<void(KeyCaptureMode)> Receiver() {
    return [this](KeyCaptureMode mode) { received.push_back(mode); };
  }
  std::vector<KeyCaptureMode> received;
};

TEST_F(KeyCaptureDialogTest, StepModeSendsTheStepMessageOnOkOnly) {
  EnsureQtApplication();
  g_skinsFolder = appDir_ / "skins";
  RecordingTarget owner;
  Drive([&](CDialogGetKey& capture) {
    keyboard_.Tap(kXA);
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetOk]));
  });
  EXPECT_TRUE(
      RunKeyCaptureDialog(nullptr, KeyCaptureMode::kMacroStep, &keyboard_, owner.Receiver()));
  EXPECT_EQ(owner.received, std::vector<KeyCaptureMode>{KeyCaptureMode::kMacroStep});
  EXPECT_EQ(g_capturedKeyCode, kUsageA);

  Drive([&](CDialogGetKey& capture) {
    ClickElement(capture, CentreOf(capture.Layout().rects[kKeysetClose]));
  });
  EXPECT_FALSE(
      RunKeyCaptureDialog(nullptr, KeyCaptureMode::kMacroStep, &keyboard_, owner.Receiver()));
  EXPECT_EQ(owner.received.size(), 1U);
}

// Every key the position table knows is one the capture names.
TEST(KeyCapturePositionTableTest, EveryKnownKeyHasACaptureName) {
  int known = 0;
  for (uint32_t code = 0; code < 256; ++code) {
    const uint8_t vk = VirtualKeyOfXKeyCode(code);
    if (vk == 0) continue;
    ++known;
    EXPECT_NE(KeyNameOfUsageForCapture(CaptureVkToHidUsage(vk)), u"NON-AVAILABLE") << code;
  }
  EXPECT_GT(known, 100);
}

}  // namespace
}  // namespace gm::test
