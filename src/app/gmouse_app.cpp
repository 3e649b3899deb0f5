#include "app/gmouse_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QObject>

#include <cstdio>
#include <memory>
#include <optional>

#include "app/device_choice.h"
#include "backends/qt/power_events.h"
#include "backends/qt/quit_signals.h"
#include "backends/qt/single_instance.h"
#include "backends/qt/x11_keyboard_capture.h"
#include "backends/qt/x11_mouse_settings.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/window/macro_recording.h"
#include "ui/window/main_dialog.h"
#include "ui/window/window_page_controls.h"
#include "ui/window/qt_message_sink.h"

namespace gm {
namespace {

// The keyboard grab exists on X11 only; elsewhere (Wayland) keys are captured while the
// capturing window has the focus.
std::unique_ptr<KeyboardCapture> ChooseKeyboardCapture() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    return std::make_unique<X11KeyboardCapture>();
  }
  return nullptr;
}

// Whoever started the program learns why it ended at once: the message the window showed.
void TellStartFailure(const std::optional<UserMessage>& failure) {
  if (failure) WriteUserMessageToStderr(*failure, g_isEnglish.load() != 0);
}

}  // namespace

CQEL_GMouseApp::CQEL_GMouseApp() {
  g_exeFolder = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

int CQEL_GMouseApp::InitInstance() {
  const std::optional<DeviceChoice> choice = DeviceChoiceFromEnvironment();
  if (!choice) return kExitUnknownDevice;
  SingleInstance instance;
  if (instance.Claim() == InstanceRole::kAnotherCopyRuns) {
    // Whoever started this copy learns why no window of its own appears.
    std::fputs(kAlreadyRunningNote, stdout);
    std::fflush(stdout);
    return kExitNormal;
  }

  QtMessageSink messageBoxes;
  SetMessageSink(&messageBoxes);
  // Caught once the window runs, to the end (the virtual mouse's dump included). Start-up
  // has nothing to lose: until then they end the process at once, as they always did.
  std::optional<QuitSignals> quitSignals;

  ChosenDevice device = ChooseSystemDevice(*choice);
  X11MouseSettings desktopMouse;
  const std::unique_ptr<KeyboardCapture> keyboard = ChooseKeyboardCapture();

  int exitCode = kExitNormal;
  {
    MainDialogServices services;
    services.transport = device.transport.get();
    services.mouseSettings = &desktopMouse;
    services.deviceMonitor = std::move(device.monitor);
    services.messageSink = &messageBoxes;
    services.arguments = QCoreApplication::arguments();
    services.keyboardCapture = keyboard.get();

    CQEL_GMouseDlg dialog(std::move(services));
    auto pageControls = std::make_unique<WindowPageControls>();
    AttachMacroRecording(*pageControls, keyboard.get());
    dialog.SetPageControls(std::move(pageControls));
    QObject::connect(&instance, &SingleInstance::restoreRequested, &dialog,
                     &CQEL_GMouseDlg::RestoreWindow);
    QObject::connect(&dialog, &CQEL_GMouseDlg::finished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (dialog.OnInitDialog()) {
      // logind's sleep and wake-up signals write the settings to the mouse again.
      PowerEvents powerEvents;
      QObject::connect(&powerEvents, &PowerEvents::powerEvent, &dialog,
                       &CQEL_GMouseDlg::OnPowerBroadcast);
      // The end of the session (or Ctrl+C in a terminal) ends the program as "Exit Driver".
      QObject::connect(&quitSignals.emplace(), &QuitSignals::quitRequested, &dialog,
                       &CQEL_GMouseDlg::OnExitDriver);
      dialog.show();
      exitCode = QApplication::exec();
    } else {
      TellStartFailure(dialog.StartFailure());
      exitCode = kExitStartFailed;
    }
  }
  SetMessageSink(nullptr);
  return exitCode;
}

}  // namespace gm
