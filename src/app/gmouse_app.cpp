#include "app/gmouse_app.h"

#include <QApplication>
#include <QObject>

#include "platform/message_sink.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/x11_mouse_settings.h"
#include "settings/paths.h"
#include "ui/device_choice.h"
#include "ui/main_dialog.h"
#include "ui/qt_message_sink.h"

namespace gm {

CQEL_GMouseApp::CQEL_GMouseApp() {
  g_exeFolder = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

int CQEL_GMouseApp::InitInstance() {
  SingleInstance instance;
  if (instance.Claim() == InstanceRole::kAnotherCopyRuns) return 0;

  QtMessageSink messageBoxes;
  SetMessageSink(&messageBoxes);

  ChosenDevice device = ChooseDeviceFromEnvironment();
  X11MouseSettings desktopMouse;

  int exitCode = 0;
  {
    MainDialogServices services;
    services.transport = device.transport.get();
    services.mouseSettings = &desktopMouse;
    services.deviceMonitor = std::move(device.monitor);
    services.messageSink = &messageBoxes;
    services.arguments = QCoreApplication::arguments();

    CQEL_GMouseDlg dialog(std::move(services));
    QObject::connect(&instance, &SingleInstance::restoreRequested, &dialog,
                     &CQEL_GMouseDlg::RestoreWindow);
    QObject::connect(&dialog, &CQEL_GMouseDlg::finished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (dialog.OnInitDialog()) {
      dialog.show();
      exitCode = QApplication::exec();
    }
  }
  SetMessageSink(nullptr);
  return exitCode;
}

}  // namespace gm
