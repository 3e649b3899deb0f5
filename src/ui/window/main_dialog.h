#pragma once
// ui/window: the main dialog and its shell: tray, lifecycle, messages, Apply runner, menus.
//
// The program's one window: a frameless, skinned window of the skin's size whose shape is cut
// out of the mask image. Its four pages are painted from the skin pictures off-screen and
// shown with one copy; every mouse move and click goes through the page input handlers, and
// the window carries out the actions they return (menus, dialogs, window state, Apply, the
// language switch).
//
// Start-up (OnInitDialog) starts the device threads, builds the data paths, loads the settings,
// layouts and macros, opens the mouse and adds the notification-area icon. The program ends
// (finished()) by an explicit exit, by the mouse being unplugged, or at start-up when no mouse
// or a layout file is missing. Closing the window hides it to the notification area.
//
// User-interface thread only, apart from the device threads and the Apply worker, which reach
// the window only through queued calls.

#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "device/apply_settings.h"
#include "device/device_change_monitor.h"
#include "device/device_threads.h"
#include "device/hid_transport.h"
#include "device/system_mouse_settings.h"
#include "platform/keyboard_capture.h"
#include "platform/message_sink.h"
#include "ui/pages/input_result.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/skin_layout.h"
#include "ui/window/led_preview_thread.h"
#include "ui/window/message_forwarder.h"
#include "ui/window/page_controls.h"

class QMenu;

namespace gm {

class BackgroundApply;
class InputBlocker;
class DeviceChangeNotifier;
class TrayIcon;

// The settings file the user picks for an import or an export; nothing when cancelled.
enum class SettingsFileChoice { kImport, kExport };
using SettingsFileChooser =
    std::function<std::optional<std::filesystem::path>(SettingsFileChoice, QWidget* owner)>;

// The file dialogs of the settings import ("All Files(*.ini)", the program's folder) and
// export (the same filter, default extension "ini", overwrite prompt).
std::optional<std::filesystem::path> ChooseSettingsFile(SettingsFileChoice choice,
                                                        QWidget* owner);

// The no-mouse message of start-up, with the product name of each language.
UserMessage NoMouseMessage();

// What the window works with besides the process-wide state.
struct MainDialogServices {
  HidTransport* transport = nullptr;        // the mouse's HID transport; outlives the window
  SystemMouseSettings* mouseSettings = nullptr;  // the desktop settings Apply sets
  // Arrival and removal of HID interfaces; may be null (the window then learns of none).
  std::unique_ptr<DeviceChangeMonitor> deviceMonitor;
  // Where the window's messages go: the sink the program installed (the message boxes, or a
  // test's recorder). The window installs its own forwarder in front of it for its lifetime.
  MessageSink* messageSink = nullptr;
  QStringList arguments;                    // the command line, the program's path first
  SettingsFileChooser chooseSettingsFile = ChooseSettingsFile;
  // Takes every keystroke of the desktop while a key is captured; outlives the window. Null
  // where the desktop has none: keys are then taken while the capturing window has the focus.
  KeyboardCapture* keyboardCapture = nullptr;
};

// The commands of the window's system menu (Alt+Space) and of the window manager's close.
enum class SysCommand { kAbout, kMinimise, kRestore, kClose };

class CQEL_GMouseDlg : public QWidget {
  Q_OBJECT

 public:
  explicit CQEL_GMouseDlg(MainDialogServices services, QWidget* parent = nullptr);
  // Stops every thread the window started, then gives the message sink back.
  ~CQEL_GMouseDlg() override;

  // Start-up, in order. False when the program ends at once (no mouse, a layout file
  // missing); finished() has then been emitted. True: show the window.
  bool OnInitDialog();

  // ---- Window lifecycle -----------------------------------------------------------------
  // A second copy of the program asked for the window: shown and taken out of the minimised
  // state.
  void RestoreWindow();
  // Tray "Show Window" and double click.
  void OnShowMainWindow();
  // Tray "Exit Driver": ends the pop-up dialogs, removes the icon, sends the leaving notice
  // and ends the program.
  void OnExitDriver();
  // The window's close (header button 1): removes the icon, sends the leaving notice and ends
  // the program. The notice goes out once, whichever way the program ends.
  void OnClose();
  // Header button 2 and the system menu's close: the window goes to the notification area;
  // where there is none it is minimised instead, so it can always be brought back.
  void HideToTray();
  void OnSysCommand(SysCommand command);
  // An arrival while the mouse is not open searches for it again; the removal of the mouse
  // ends the program without a leaving notice. Other devices' removals change nothing.
  void OnDeviceChange(DeviceChange kind, const std::string& path);
  // Every power event writes the settings to the mouse again (the program connects its
  // source of power events here).
  void OnPowerBroadcast();

  // ---- Language --------------------------------------------------------------------------
  void SwitchToChinese();
  void SwitchToEnglish();

  // ---- Apply -----------------------------------------------------------------------------
  // Starts Apply on a worker thread; while it runs the window shows a busy cursor and takes
  // no clicks. A request while one runs (a power event) runs once more after it.
  void RunApply();
  bool ApplyRunning() const;

  // ---- State for the program and the tests ------------------------------------------------
  bool Ended() const { return ended_; }
  // Why start-up ended the program (OnInitDialog returned false): what the user was told.
  const std::optional<UserMessage>& StartFailure() const { return startFailure_; }
  bool DeviceThreadsRunning() const;
  const SkinLayout& Layout() const { return layout_; }
  TrayIcon& Tray() { return *tray_; }
  uint64_t PaintCount() const { return paintCount_; }
  // The frame composed by the last paint.
  const QImage& LastFrame() const { return frame_; }
  // Pop-ups and page controls hosted by the window (may be set once, before start-up).
  void SetPageControls(std::unique_ptr<PageControls> controls);

  // ---- What the pop-up lists and the key-capture dialog signal (connected by their opener) --
  // The key list's keyboard-key row: runs the key-capture dialog for the selected mouse key.
  void OnOpenKeyCapture();
  // The key-capture dialog's OK in key mode: the selected mouse key becomes that keyboard key.
  void OnKeyCaptured();
  // The key-capture dialog's OK in step mode: the captured key goes into the selected step.
  void OnStepKeyCaptured();
  // A lighting step's mode or colour was picked: its parameter list is shown again.
  void OnLedParamChanged();

  // ---- Key capture (main_dialog_key_capture.cpp) -------------------------------------------
  // The macro page's step menu "Modify": runs the key-capture dialog in step mode over the
  // window, the caller having preset g_capturedKeyCode and g_capturedKeyName; its OK runs
  // OnStepKeyCaptured. True when it ended with OK.
  bool OpenStepKeyCapture();
  // The desktop's keyboard capture (macro recording uses it too); may be null.
  KeyboardCapture* KeyboardCaptureBackend() const { return services_.keyboardCapture; }

 signals:
  // The program begins to end (an exit, the mouse unplugged): whatever holds the desktop's
  // keyboard lets it go now.
  void ending();
  // The program ends: the window is gone from the screen and every thread has stopped.
  void finished();
  void applyFinished(gm::ApplyResult result);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Start-up pieces (main_dialog_init.cpp).
  void LoadSettingsFiles();
  bool LoadLayoutsOrEnd();
  void ApplyWindowShape();
  void LoadMacroTables();
  bool OpenMouseOrEnd();
  void AddTrayIcon();
  QIcon AppIcon() const;

  // Input (main_dialog.cpp).
  void RunInput(const InputResult& result);
  void RunAction(const InputAction& action);
  void RequestRepaint(const Repaint& repaint);
  void ImportSettings();
  void ExportSettings();
  void ResetSettings();
  // The window menu at a point of the window (Alt+Space: its top left corner).
  void ShowSystemMenu(QPoint at = QPoint(0, 0));

  // Lifecycle (main_dialog_lifecycle.cpp).
  void EndProgram(bool sendLeavingNotice);
  void FinishEnd();
  void OnApplyFinished(ApplyResult result);
  void ShowAboutBox();
  void RepaintFromAnyThread();
  // The macro Apply saves before its download.
  std::optional<GroupMacro> MacroToSaveBeforeApply() const;
  // Busy cursor and no clicks or keys for the window while Apply runs.
  void SetBusy(bool busy);

  // Language (main_dialog_language.cpp).
  void SwitchLanguage(bool toEnglish);
  void SetWindowTitleForLanguage();

  MainDialogServices services_;
  MessageForwarder messages_;
  SkinLayout layout_;
  SkinImages images_;
  QImage frame_;
  uint64_t paintCount_ = 0;

  std::unique_ptr<DeviceWorkers> workers_;
  LedPreviewThread ledPreview_;
  TrayIcon* tray_ = nullptr;
  BackgroundApply* apply_ = nullptr;
  InputBlocker* inputBlocker_ = nullptr;
  DeviceChangeNotifier* deviceNotifier_ = nullptr;
  std::unique_ptr<PageControls> controls_;
  QMenu* systemMenu_ = nullptr;

  std::optional<UserMessage> startFailure_;
  bool applyAgain_ = false;    // a power event came while Apply ran
  bool firstShow_ = true;
  bool ending_ = false;        // the end was asked for; waits for a running Apply
  bool ended_ = false;
  bool endWithNotice_ = false;  // the end asked for sends the leaving notice
  bool leavingNoticeSent_ = false;
  bool busyCursorShown_ = false;  // Apply runs: busy cursor shown, input blocked
  bool tellingApplyResult_ = false;  // the message on an Apply the mouse cut short is shown
  // A press on no control may move the window: the move starts at the first move with the
  // left button still held, so a click (however short) never leaves the window following
  // the pointer.
  bool windowDragPending_ = false;
};

}  // namespace gm
