// Start-up of the main window, in the order the program has always followed: the device
// threads, the data paths, the key map and settings, the fonts and title, the layouts, the
// window's shape, the macros, the menus, the mouse, the notification-area icon.

#include <QDir>
#include <QIcon>
#include <QThread>

#include "device/device_init_nibble.h"
#include "device/device_link.h"
#include "device/device_open_message.h"
#include "device/feature_report.h"
#include "editor/macro_editor_state.h"
#include "editor/step_rows.h"
#include "macros/current_macro.h"
#include "macros/macro_reload.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "ui/controls/context_menus.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/skin_line_reader.h"
#include "ui/skin/ui_fonts.h"
#include "ui/skin/window_shape.h"
#include "ui/window/device_change_notifier.h"
#include "ui/window/main_dialog.h"
#include "ui/window/start_hidden.h"
#include "ui/window/tray_icon.h"

namespace gm {
namespace {

constexpr char kMaskPicture[] = "main_mask.jpg";
constexpr char kConstMacroFile[] = "constMacro.dat";

}  // namespace

UserMessage NoMouseMessage() {
  return UserMessage{u"请插入【" + g_productNameCn + u"】USB键盘",
                     u"Please plug-in【" + g_productNameEn + u"】USB KeyBoard"};
}

bool CQEL_GMouseDlg::OnInitDialog() {
  workers_->Start();
  // The macro folders follow the language once it is known (below).
  SetDataPaths(g_exeFolder, /*isEnglish=*/false);
  setWindowIcon(AppIcon());
  LoadKeyMapIni();
  LoadSettingsFiles();
  GetUiFonts();
  SetWindowTitleForLanguage();
  if (!LoadLayoutsOrEnd()) return false;
  LoadLedModeNames(g_isEnglish.load() != 0);
  ApplyWindowShape();
  UseMacroFoldersOfLanguage(g_isEnglish.load() != 0);
  LoadMacroTables();
  LoadContextMenus(g_isEnglish.load() != 0);
  if (!OpenMouseOrEnd()) return false;
  ReadDeviceInitNibble();
  AddTrayIcon();
  if (CommandLineStartsHidden(JoinCommandLine(services_.arguments))) g_startHidden = 1;
  // The mouse is open: the device threads may read the recoil macros from now on.
  LoadGunMacros();

  // The window learns of device changes from here on.
  if (services_.deviceMonitor) {
    deviceNotifier_ = new DeviceChangeNotifier(std::move(services_.deviceMonitor), this);
    connect(deviceNotifier_, &DeviceChangeNotifier::deviceChanged, this,
            [this](DeviceChange kind, const QString& path) {
              OnDeviceChange(kind, path.toStdString());
            });
    deviceNotifier_->Start();
  }
  return true;
}

QIcon CQEL_GMouseDlg::AppIcon() const {
  return QIcon(QString::fromStdU16String((g_skinsFolder / kAppIconFile).u16string()));
}

void CQEL_GMouseDlg::LoadSettingsFiles() {
  LoadInitSection(g_configIniPath);
  LoadConfigNames(g_configIniPath, g_isEnglish.load() != 0);
  // Each configuration is read from the same file: a missing file is reported once, not once
  // per configuration.
  MessageForwarder::OncePerText once(messages_);
  for (int c = 0; c < kConfigCount; ++c) {
    LoadConfigSection(g_configFolder, c, /*fromFactory=*/false);
  }
}

bool CQEL_GMouseDlg::LoadLayoutsOrEnd() {
  const std::optional<std::filesystem::path> missing = LoadAllSkinLayouts(layout_);
  if (!missing) return true;
  // The loader has told the user that a file is missing; without its layout the window
  // cannot work.
  startFailure_ =
      SameInBothLanguages(std::u16string(kMissingLayoutFileText) + u" " + missing->u16string());
  EndProgram(/*sendLeavingNotice=*/true);
  return false;
}

void CQEL_GMouseDlg::ApplyWindowShape() {
  const QRegion shape = ComputeWindowShape(g_skinsFolder / kMaskPicture, FallbackWindowSize());
  setFixedSize(g_skinWidth, g_skinHeight);
  setMask(shape);
}

void CQEL_GMouseDlg::LoadMacroTables() {
  ReloadMacroGroups();
  LoadConstMacros(g_configFolder / kConstMacroFile);

  // The step list starts on the last step of the current macro.
  const int steps = CurrentMacroStepCount();
  g_stepListSel = steps > 0 ? RowOfStep(steps - 1) : 0;
}

bool CQEL_GMouseDlg::OpenMouseOrEnd() {
  const DeviceOpenResult opened = OpenDevice(*services_.transport);
  if (opened.outcome == DeviceOpenOutcome::kPermissionDenied) {
    // The mouse is there: asking the user to plug it in would send them the wrong way.
    startFailure_ = kMousePermissionMessage;
    ShowUserMessage(*startFailure_);
    EndProgram(/*sendLeavingNotice=*/true);
    return false;
  }
  if (opened) return true;
  startFailure_ = NoMouseMessage();
  ShowUserMessage(*startFailure_);
  EndProgram(/*sendLeavingNotice=*/true);  // a notice only goes out over an open connection
  return false;
}

void CQEL_GMouseDlg::AddTrayIcon() {
  const std::u16string& tip = g_isEnglish.load() != 0 ? g_productNameEn : g_productNameCn;
  tray_->Add(AppIcon(), QString::fromStdU16String(tip));
}

}  // namespace gm
