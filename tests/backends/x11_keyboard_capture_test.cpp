// The keyboard capture on a real X server (Xvfb): the key-capture dialog in a probe process,
// keys typed with xdotool through the XTEST extension, and a second X client that must see
// none of them while the dialog runs.

#include "backends/qt/x11_keyboard_capture.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#include <memory>
#include <string>

#include "macros/macro_recorder.h"
#include "support/temp_dir.h"
#include "support/xvfb_server.h"
#include "ui/qt_app_for_tests.h"

// Last: Xlib defines macros (None, Status, KeyPress) that clash with the headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>

namespace gm::test {
namespace {

constexpr int kWaitMs = 10000;
// The key at the place of the US Y (the German Z): evdev 21.
constexpr int kYPlaceKeyCode = 29;
constexpr int kVkY = 'Y';
constexpr int kUsageY = 28;
constexpr int kLayoutAttempts = 20;
constexpr int kLayoutRetryMs = 100;

// A plain X client with a focused window, counting the key presses it receives.
class SecondClient {
 public:
  explicit SecondClient(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (display_ == nullptr) return;
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 64, 64, 0, 0, 0);
    XSelectInput(display_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(display_, window_);
    XEvent event;
    do {
      XNextEvent(display_, &event);
    } while (event.type != MapNotify);
    Focus();
  }
  ~SecondClient() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  SecondClient(const SecondClient&) = delete;
  SecondClient& operator=(const SecondClient&) = delete;

  bool ok() const { return display_ != nullptr; }
  void Focus() {
    XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
  }
  // Key presses received since the last call.
  int TakeKeyPresses() {
    XSync(display_, False);
    int presses = 0;
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == KeyPress) ++presses;
    }
    return presses;
  }

 private:
  Display* display_;
  Window window_ = 0;
};

class X11KeyboardCaptureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    EnsureQtApplication();
    server_ = new XvfbServer;
    server_->Start();
    display_ = server_->Display();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
    display_.clear();
  }
  void SetUp() override {
    if (display_.empty()) GTEST_SKIP() << "Xvfb is not installed or did not start";
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
      GTEST_SKIP() << "xdotool is not installed";
    }
  }
  void TearDown() override {
    if (probe_.state() != QProcess::NotRunning) {
      probe_.kill();
      probe_.waitForFinished(kWaitMs);
    }
    SetLayout("us");
  }

  static QProcessEnvironment DisplayEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display_));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
  }
  static bool RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(DisplayEnvironment());
    process.start(tool, arguments);
    return process.waitForFinished(kWaitMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
  }
  static bool Type(const QStringList& keys) {
    return RunTool(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys);
  }
  // The keyboard layout of the server: setxkbmap, then the same components loaded into
  // every keyboard device (setxkbmap changes only the core keyboard, whose keymap follows the
  // device typed on last). True when key code 29 then types expectedY.
  static bool SetLayout(const char* layout, const char* keycodes = "evdev+aliases(qwerty)",
                        const char* expectedY = "y") {
    if (display_.empty()) return false;
    RunTool(QStringLiteral("setxkbmap"), {QString::fromLatin1(layout)});
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return false;
    // Each keyboard device has a keymap of its own, and xdotool types through the XTEST
    // keyboard: the layout goes to every keyboard, until the core keyboard shows it.
    const std::string symbols = std::string("pc+") + layout + "+inet(evdev)";
    XkbComponentNamesRec names{};
    names.keycodes = const_cast<char*>(keycodes);
    names.types = const_cast<char*>("complete");
    names.compat = const_cast<char*>("complete");
    names.symbols = const_cast<char*>(symbols.c_str());
    for (int attempt = 0; attempt < kLayoutAttempts; ++attempt) {
      if (SymbolOfKeyCode(x, kYPlaceKeyCode) == expectedY) break;
      int deviceCount = 0;
      XDeviceInfo* devices = XListInputDevices(x, &deviceCount);
      for (int i = 0; i < deviceCount; ++i) {
        if (devices[i].use != IsXKeyboard && devices[i].use != IsXExtensionKeyboard) continue;
        XkbDescPtr loaded = XkbGetKeyboardByName(
            x, static_cast<unsigned>(devices[i].id), &names, XkbGBN_AllComponentsMask,
            XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
        if (loaded != nullptr) XkbFreeKeyboard(loaded, XkbAllComponentsMask, True);
      }
      if (devices != nullptr) XFreeDeviceList(devices);
      XSync(x, False);
      QTest::qWait(kLayoutRetryMs);
    }
    const bool took = SymbolOfKeyCode(x, kYPlaceKeyCode) == expectedY;
    XCloseDisplay(x);
    return took;
  }
  static std::string SymbolOfKeyCode(Display* x, int code) {
    int perCode = 0;
    KeySym* syms = XGetKeyboardMapping(x, static_cast<KeyCode>(code), 1, &perCode);
    if (syms == nullptr) return {};
    const char* name = perCode > 0 ? XKeysymToString(syms[0]) : nullptr;
    std::string result = name != nullptr ? name : "";
    XFree(syms);
    return result;
  }

  void StartProbe(const QString& program = QStringLiteral(KEY_CAPTURE_PROBE),
                  const QString& argument = QStringLiteral(GMOUSE_APP_DIR)) {
    probe_.setProcessEnvironment(DisplayEnvironment());
    probe_.start(program, {argument});
    ASSERT_TRUE(probe_.waitForStarted(kWaitMs));
  }
  // The next line of the probe that starts with prefix (earlier lines are kept in seen_).
  std::string WaitForLine(const std::string& prefix) {
    QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
      while (probe_.canReadLine()) {
        const std::string line = probe_.readLine().trimmed().toStdString();
        seen_ += line + "\n";
        if (line.rfind(prefix, 0) == 0) return line;
      }
      probe_.waitForReadyRead(100);
    }
    return {};
  }
  void Command(const char* command) {
    probe_.write(command);
    probe_.write("\n");
    probe_.waitForBytesWritten(kWaitMs);
  }

  static inline XvfbServer* server_ = nullptr;
  static inline std::string display_;
  QProcess probe_;
  std::string seen_;
};

TEST_F(X11KeyboardCaptureTest, WhileTheDialogRunsNoOtherClientGetsTheKeys) {
  SecondClient other(display_);
  ASSERT_TRUE(other.ok());
  ASSERT_TRUE(Type({QStringLiteral("a")}));
  ASSERT_EQ(other.TakeKeyPresses(), 1) << "the second client must see keys without a capture";

  StartProbe();
  ASSERT_EQ(WaitForLine("started"), "started 1");
  ASSERT_TRUE(Type({QStringLiteral("a"), QStringLiteral("Escape"), QStringLiteral("Return")}));
  EXPECT_EQ(WaitForLine("key press 36"), "key press 36 13 0") << seen_;
  EXPECT_FALSE(WaitForLine("key release 36").empty()) << seen_;
  EXPECT_NE(seen_.find("key press 38 65 0"), std::string::npos) << seen_;
  EXPECT_NE(seen_.find("key press 9 27 0"), std::string::npos) << seen_;
  EXPECT_EQ(other.TakeKeyPresses(), 0);

  Command("ok");
  EXPECT_EQ(WaitForLine("result"), "result ok 40") << seen_;  // Enter, the last key
  ASSERT_TRUE(probe_.waitForFinished(kWaitMs));

  other.Focus();
  ASSERT_TRUE(Type({QStringLiteral("b")}));
  EXPECT_EQ(other.TakeKeyPresses(), 1);
}

TEST_F(X11KeyboardCaptureTest, ARecordingTakesTheKeysTypedIntoAnotherClient) {
  SecondClient other(display_);
  ASSERT_TRUE(other.ok());
  TempDir data;
  StartProbe(QStringLiteral(MACRO_RECORD_PROBE), QString::fromStdString(data.path().string()));
  ASSERT_EQ(WaitForLine("ready"), "ready") << seen_;
  other.Focus();
  Command("record");
  ASSERT_EQ(WaitForLine("recording"), "recording 1 1") << seen_;
  ASSERT_TRUE(Type({QStringLiteral("a"), QStringLiteral("b")}));
  ASSERT_FALSE(WaitForLine("key release 56").empty()) << seen_;
  EXPECT_EQ(other.TakeKeyPresses(), 0);

  Command("record");
  EXPECT_EQ(WaitForLine("stored"), "stored 4 4:1 4:2 5:1 5:2") << seen_;
  other.Focus();
  ASSERT_TRUE(Type({QStringLiteral("b")}));
  EXPECT_EQ(other.TakeKeyPresses(), 1);
}

// The probe recording a0 while a second client has the focus.
class X11RecordingTest : public X11KeyboardCaptureTest,
                         public ::testing::WithParamInterface<const char*> {
 protected:
  void StartRecording(bool showWindow) {
    other_ = std::make_unique<SecondClient>(display_);
    ASSERT_TRUE(other_->ok());
    StartProbe(QStringLiteral(MACRO_RECORD_PROBE), QString::fromStdString(data_.path().string()));
    ASSERT_EQ(WaitForLine("ready"), "ready") << seen_;
    if (showWindow) {
      Command("show");  // one command at a time: the probe reads a line per wake-up
      ASSERT_EQ(WaitForLine("shown"), "shown") << seen_;
    }
    other_->Focus();
    Command("record");
    ASSERT_EQ(WaitForLine("recording"), "recording 1 1") << seen_;
  }

  TempDir data_;
  std::unique_ptr<SecondClient> other_;
};

class X11RecordingWindowGoneTest : public X11RecordingTest {};

TEST_P(X11RecordingWindowGoneTest, TheWindowLeavingTheScreenStoresTheKeysAndEndsTheGrab) {
  ASSERT_NO_FATAL_FAILURE(StartRecording(/*showWindow=*/true));
  ASSERT_TRUE(Type({QStringLiteral("a")}));
  ASSERT_FALSE(WaitForLine("key release 38").empty()) << seen_;

  Command(GetParam());
  EXPECT_EQ(WaitForLine("stored"), "stored 2 4:1 4:2") << seen_;
  other_->Focus();
  ASSERT_TRUE(Type({QStringLiteral("b")}));
  EXPECT_EQ(other_->TakeKeyPresses(), 1);
}

INSTANTIATE_TEST_SUITE_P(MinimiseAndHide, X11RecordingWindowGoneTest,
                         ::testing::Values("minimise", "hide"));

// A box shown while the recording holds the keyboard, closed with the key of the parameter.
class X11RecordingBoxTest : public X11RecordingTest {};

TEST_P(X11RecordingBoxTest, TheLimitMessageClosesFromTheKeyboardAndOpensOnce) {
  ASSERT_NO_FATAL_FAILURE(StartRecording(/*showWindow=*/false));
  const QStringList taps(kMaxRecordedSteps / 2, QStringLiteral("a"));
  ASSERT_TRUE(Type(taps));
  ASSERT_TRUE(Type({QStringLiteral("b")}));
  ASSERT_EQ(WaitForLine("box shown"), "box shown") << seen_;

  ASSERT_TRUE(Type({QString::fromLatin1(GetParam())}));
  EXPECT_EQ(WaitForLine("box closed"), "box closed") << seen_;
  Command("record");
  EXPECT_EQ(WaitForLine("stored").rfind("stored 110 ", 0), 0u) << seen_;
  // Neither the release of b nor that of the key that closed the box opened another.
  EXPECT_EQ(seen_.find("box shown"), seen_.rfind("box shown")) << seen_;
  EXPECT_EQ(other_->TakeKeyPresses(), 0);
}

TEST_P(X11RecordingBoxTest, TheRecordingBoxClosesFromTheKeyboardAndItsKeyIsNotRecorded) {
  ASSERT_NO_FATAL_FAILURE(StartRecording(/*showWindow=*/true));
  other_->Focus();
  ASSERT_TRUE(Type({QStringLiteral("a")}));
  ASSERT_FALSE(WaitForLine("key release 38").empty()) << seen_;
  Command("refuse");
  ASSERT_EQ(WaitForLine("box shown"), "box shown") << seen_;

  ASSERT_TRUE(Type({QString::fromLatin1(GetParam())}));
  EXPECT_EQ(WaitForLine("box closed"), "box closed") << seen_;
  ASSERT_TRUE(Type({QStringLiteral("b")}));
  ASSERT_FALSE(WaitForLine("key release 56").empty()) << seen_;
  Command("record");
  EXPECT_EQ(WaitForLine("stored"), "stored 4 4:1 4:2 5:1 5:2") << seen_;
  EXPECT_EQ(other_->TakeKeyPresses(), 0);
}

INSTANTIATE_TEST_SUITE_P(EnterAndEsc, X11RecordingBoxTest, ::testing::Values("Return", "Escape"));

TEST_F(X11KeyboardCaptureTest, TheSameKeyGivesTheSameCodeUnderUsAndGermanLayouts) {
  // The key at the US Y's place (X key code 29) types y with the US layout and z with the
  // German one; pressed by its key code, it is the same physical key under both.
  const struct {
    const char* layout;
    const char* keycodes;
    const char* symbol;
  } cases[] = {{"us", "evdev+aliases(qwerty)", "y"}, {"de", "evdev+aliases(qwertz)", "z"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    if (!SetLayout(c.layout, c.keycodes, c.symbol)) {
      GTEST_SKIP() << "the X server does not load the layout " << c.layout;
    }
    seen_.clear();
    StartProbe();
    ASSERT_EQ(WaitForLine("started"), "started 1");
    ASSERT_TRUE(Type({QString::number(kYPlaceKeyCode)}));
    EXPECT_EQ(WaitForLine("key press"),
              "key press " + std::to_string(kYPlaceKeyCode) + " " + std::to_string(kVkY) + " 0");
    WaitForLine("key release");
    Command("ok");
    EXPECT_EQ(WaitForLine("result"), "result ok " + std::to_string(kUsageY)) << seen_;
    ASSERT_TRUE(probe_.waitForFinished(kWaitMs));
  }
}

TEST_F(X11KeyboardCaptureTest, AKeyboardHeldByAnotherClientIsReported) {
  Display* holder = XOpenDisplay(display_.c_str());
  ASSERT_NE(holder, nullptr);
  ASSERT_EQ(XGrabKeyboard(holder, DefaultRootWindow(holder), False, GrabModeAsync,
                          GrabModeAsync, CurrentTime),
            GrabSuccess);
  XSync(holder, False);
  X11KeyboardCapture capture(display_);
  const KeyboardCaptureStart start = capture.Start([](const KeyEvent&) {});
  EXPECT_FALSE(start.started);
  EXPECT_EQ(start.problem, KeyboardHeldElsewhereMessage());
  EXPECT_FALSE(capture.Running());
  XCloseDisplay(holder);  // the server drops its grab once it has seen the connection close

  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return capture.Start([](const KeyEvent&) {}).started; }, kWaitMs));
  capture.Stop();
  EXPECT_FALSE(capture.Running());
}

}  // namespace
}  // namespace gm::test
