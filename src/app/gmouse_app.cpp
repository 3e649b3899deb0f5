#include "app/gmouse_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QObject>

#include <cstdio>
#include <memory>

#include "app/device_choice.h"
#include "backends/qt/power_events.h"
#include "backends/qt/single_instance.h"
#include "backends/qt/x11_keyboard_capture.h"
#include "backends/qt/x11_mouse_settings.h"
#include "platform/message_sink.h"
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

}  // namespace

CQEL_GMouseApp::CQEL_GMouseApp() {
  g_exeFolder = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

int CQEL_GMouseApp::InitInstance() {
  SingleInstance instance;
  if (instance.Claim() == InstanceRole::kAnotherCopyRuns) {
    // Whoever started this copy learns why no window of its own appears.
    std::fputs(kAlreadyRunningNote, stdout);
    std::fflush(stdout);
    return 0;
  }

  QtMessageSink messageBoxes;
  SetMessageSink(&messageBoxes);

  ChosenDevice device = ChooseDeviceFromEnvironment();
  X11MouseSettings desktopMouse;
  const std::unique_ptr<KeyboardCapture> keyboard = ChooseKeyboardCapture();

  int exitCode = 0;
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
      dialog.show();
      exitCode = QApplication::exec();
    }
  }
  SetMessageSink(nullptr);
  return exitCode;
}

}  // namespace gm
