#pragma once
// The main window against the virtual mouse and a copy of the generated data folder: each test
// gets its own program folder, so nothing it does reaches the build's data folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/system_mouse_settings.h"
#include "device/virtual_device_change_monitor.h"
#include "device/virtual_mouse.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/fake_keyboard_capture.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "qt_app_for_tests.h"
#include "ui/window/macro_recording.h"
#include "ui/window/main_dialog.h"
#include "ui/window/window_page_controls.h"
#include "ui/skin/skin_layout.h"
#include "ui/pages/ui_state.h"
#include "support/process_state.h"

namespace gm::test {

inline constexpr int kUiWaitMs = 20000;
// A window point on no element of the main window.
inline constexpr QPoint kAwayFromElements{1, 1};

// Records what Apply asks of the desktop.
class RecordingMouseSettings final : public SystemMouseSettings {
 public:
  std::optional<int> GetPointerSpeed() override { return pointerSpeed; }
  bool SetPointerSpeed(int speed) override {
    pointerSpeed = speed;
    ++pointerSpeedSets;
    return true;
  }
  std::optional<int> GetWheelScrollLines() override { return std::nullopt; }
  bool SetWheelScrollLines(int /*lines*/) override { return false; }

  std::optional<int> pointerSpeed = 10;
  int pointerSpeedSets = 0;
};

inline std::filesystem::path BuiltAppDir() { return std::filesystem::path(GMOUSE_APP_DIR); }

// Where the tests leave their screenshots: <build>/screenshots.
inline std::filesystem::path ScreenshotDir() {
  return BuiltAppDir().parent_path().parent_path() / "screenshots";
}

inline QPoint CentreOf(const SkinRect& r) { return QPoint(r.x + r.width / 2, r.y + r.height / 2); }

class MainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ResetProcessState();
    appDir_ = temp_.path() / "app";
    std::filesystem::create_directories(appDir_);
    std::filesystem::copy(BuiltAppDir() / "skins", appDir_ / "skins",
                          std::filesystem::copy_options::recursive);
    g_exeFolder = appDir_;
  }

  void TearDown() override {
    dialog_.reset();
    ResetProcessState();
  }

  std::filesystem::path ConfigIni() const { return appDir_ / "skins" / "config" / "config.ini"; }

  void WriteIni(const char16_t* section, const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, ConfigIni()));
  }

  static std::u16string ReadMacroLine(const std::filesystem::path& file, int index) {
    return GetPrivateProfileStringW(u"Macros", DecimalText(index), u"", 1 << 16, file);
  }

  std::u16string ReadIni(const char16_t* section, const char16_t* key) {
    return GetPrivateProfileStringW(section, key, u"", 260, ConfigIni());
  }

  // Builds the window; start-up is left to the test.
  CQEL_GMouseDlg& MakeDialog(QStringList arguments = {QStringLiteral("gmouse")}) {
    auto fake = std::make_unique<VirtualDeviceChangeMonitor>();
    monitor_ = fake.get();
    MainDialogServices services;
    services.transport = transport_ != nullptr ? transport_ : &mouse_;
    services.mouseSettings = &desktop_;
    services.deviceMonitor = std::move(fake);
    services.messageSink = &messages_;
    services.arguments = std::move(arguments);
    services.keyboardCapture = &keyboard_;
    services.chooseSettingsFile = [this](SettingsFileChoice choice, QWidget*) {
      choices_.push_back(choice);
      return chosenFile_;
    };
    dialog_ = std::make_unique<CQEL_GMouseDlg>(std::move(services));
    auto controls = std::make_unique<WindowPageControls>(
        [this](MacroGroupFileChoice choice, QWidget*) {
          groupFileChoices_.push_back(choice);
          return chosenGroupFile_;
        },
        [this](std::span<const MenuItemSpec> items, QWidget&, QPoint) {
          shownMenus_.push_back(items);
          return menuCommand_;
        });
    pageControls_ = controls.get();
    AttachMacroRecording(*controls, &keyboard_);
    dialog_->SetPageControls(std::move(controls));
    QObject::connect(dialog_.get(), &CQEL_GMouseDlg::finished, [this] { ++finishedCount_; });
    return *dialog_;
  }

  // Builds the window, runs start-up and shows it, as the program does.
  CQEL_GMouseDlg& StartDialog(QStringList arguments = {QStringLiteral("gmouse")}) {
    CQEL_GMouseDlg& dialog = MakeDialog(std::move(arguments));
    EXPECT_TRUE(dialog.OnInitDialog());
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QApplication::processEvents();
    return dialog;
  }

  // The cursor may still stand on the element from an earlier click or test: without a move
  // the window would not know what it hovers, so it goes away first and comes back.
  void ClickMain(CQEL_GMouseDlg& dialog, uint32_t element) {
    const QPoint p = CentreOf(dialog.Layout().m_mainRects[element]);
    QTest::mouseMove(&dialog, kAwayFromElements);
    QTest::mouseMove(&dialog, p);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, p);
  }

  bool WaitForApplyToEnd(CQEL_GMouseDlg& dialog) {
    return QTest::qWaitFor([&] { return !dialog.ApplyRunning(); }, kUiWaitMs);
  }

  TempDir temp_;
  std::filesystem::path appDir_;
  VirtualMouse mouse_;
  HidTransport* transport_ = nullptr;  // set before MakeDialog to use another than mouse_
  RecordingMouseSettings desktop_;
  FakeKeyboardCapture keyboard_;
  MessageRecorder messages_;
  VirtualDeviceChangeMonitor* monitor_ = nullptr;
  std::unique_ptr<CQEL_GMouseDlg> dialog_;
  int finishedCount_ = 0;
  std::optional<std::filesystem::path> chosenFile_;
  std::vector<SettingsFileChoice> choices_;
  // The macro page: the group file the injected chooser returns, the choices asked for, the
  // command the injected context menus return (0: closed without one) and the menus shown.
  WindowPageControls* pageControls_ = nullptr;
  std::optional<std::filesystem::path> chosenGroupFile_;
  std::vector<MacroGroupFileChoice> groupFileChoices_;
  int menuCommand_ = 0;
  std::vector<std::span<const MenuItemSpec>> shownMenus_;
};

}  // namespace gm::test
