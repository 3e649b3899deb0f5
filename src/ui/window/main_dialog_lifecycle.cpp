// The window's life: shown, minimised or hidden to the notification area; the end of the
// program by exit, close or unplugging; device arrival; power events; Apply from the window.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QShowEvent>

#include "device/device_link.h"
#include "editor/macro_editor_state.h"
#include "macros/group_macro_save.h"
#include "platform/message_sink.h"
#include "settings/config_settings.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/window_placement.h"
#include "ui/window/background_apply.h"
#include "ui/window/device_change_notifier.h"
#include "ui/window/input_blocker.h"
#include "ui/window/main_dialog.h"
#include "ui/window/tray_icon.h"

namespace gm {
namespace {

// Modal dialogs (the recoil editor, the key capture) are ended before the program ends; a
// bounded number of rounds, since ending one can reveal the next.
constexpr int kMaxModalDialogsToEnd = 8;

void EndModalDialogs() {
  for (int i = 0; i < kMaxModalDialogsToEnd; ++i) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog->reject();
  }
}

}  // namespace

// ---- Showing and hiding --------------------------------------------------------------------

void CQEL_GMouseDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  // Started with -HIDE: minimised (not hidden) once it first shows.
  if (g_startHidden == 1) {
    g_startHidden = 0;
    QMetaObject::invokeMethod(this, &QWidget::showMinimized, Qt::QueuedConnection);
  }
}

void CQEL_GMouseDlg::RestoreWindow() { OnShowMainWindow(); }

void CQEL_GMouseDlg::OnShowMainWindow() {
  if (ended_) return;
  show();
  showNormal();
  raise();
  activateWindow();
  // A dialog open over the window comes up with it, on top and with the focus.
  RaiseModalDialogsOver(*this);
}

void CQEL_GMouseDlg::HideToTray() {
  // Without a notification area a hidden window could not be brought back: it stays
  // minimised in the task bar instead.
  if (!tray_->Shown()) {
    showMinimized();
    return;
  }
  // The window goes to the notification area in the normal state. One withdrawn while
  // minimised would be mapped minimised when shown again, and the restore that follows the
  // map can reach the window manager before it has taken the window back, which leaves the
  // window minimised.
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  hide();
}

void CQEL_GMouseDlg::OnSysCommand(SysCommand command) {
  switch (command) {
    case SysCommand::kAbout: ShowAboutBox(); break;
    case SysCommand::kMinimise: showMinimized(); break;
    case SysCommand::kRestore: showNormal(); break;
    case SysCommand::kClose: HideToTray(); break;
  }
}

void CQEL_GMouseDlg::ShowSystemMenu(QPoint at) {
  if (systemMenu_ == nullptr) {
    systemMenu_ = new QMenu(this);
    const auto add = [this](const QString& text, SysCommand command) {
      QAction* action = systemMenu_->addAction(text);
      connect(action, &QAction::triggered, this, [this, command] { OnSysCommand(command); });
    };
    add(QStringLiteral("Restore"), SysCommand::kRestore);
    add(QStringLiteral("Minimize"), SysCommand::kMinimise);
    add(QStringLiteral("Close\tAlt+F4"), SysCommand::kClose);
    systemMenu_->addSeparator();
    add(QString::fromLatin1(kAboutMenuText), SysCommand::kAbout);
  }
  systemMenu_->popup(mapToGlobal(at));
}

void CQEL_GMouseDlg::ShowAboutBox() {
  CAboutDlg about(this);
  CentreOverMainWindow(about);
  about.exec();
}

void CQEL_GMouseDlg::closeEvent(QCloseEvent* event) {
  event->ignore();  // the window is never destroyed by a close; the program decides
  if (event->spontaneous()) {
    // The window manager's close (Alt+F4, the task bar's close) is the system menu's close:
    // the window goes to the notification area.
    OnSysCommand(SysCommand::kClose);
    return;
  }
  OnClose();
}

// ---- The end of the program -------------------------------------------------------------------

void CQEL_GMouseDlg::OnExitDriver() {
  EndModalDialogs();
  EndProgram(/*sendLeavingNotice=*/true);
}

void CQEL_GMouseDlg::OnClose() { EndProgram(/*sendLeavingNotice=*/true); }

void CQEL_GMouseDlg::OnDeviceChange(DeviceChange kind, const std::string& path) {
  if (ended_) return;
  if (kind == DeviceChange::kArrival) {
    // A mouse plugged in again may get another device node than before, so the arriving
    // node is not compared with the old one: the search below only opens the mouse's ids.
    if (!g_deviceFound.load()) OpenDevice(*services_.transport);
    return;
  }
  if (!IsOurDevice(path)) return;
  // The mouse is gone: nothing to tell it.
  g_deviceFound = false;
  EndModalDialogs();
  EndProgram(/*sendLeavingNotice=*/false);
}

void CQEL_GMouseDlg::EndProgram(bool sendLeavingNotice) {
  if (ending_) return;
  ending_ = true;
  emit ending();
  tray_->Remove();
  hide();
  endWithNotice_ = sendLeavingNotice;
  // A running Apply finishes first, so the notice never cuts into a download and the settings
  // it saves are in config.ini before the program ends; so does the message on how it ended.
  if (ApplyRunning() || tellingApplyResult_) return;
  FinishEnd();
}

void CQEL_GMouseDlg::FinishEnd() {
  if (ended_) return;
  if (endWithNotice_ && !leavingNoticeSent_) {
    leavingNoticeSent_ = true;
    SendLeavingNotice();  // skipped by the link when no connection is open
  }
  ledPreview_.Stop();
  workers_->Stop();
  if (deviceNotifier_ != nullptr) deviceNotifier_->Stop();
  SetBusy(false);
  ended_ = true;
  emit finished();
}

// ---- Apply and power events ---------------------------------------------------------------------

void CQEL_GMouseDlg::OnPowerBroadcast() { RunApply(); }

void CQEL_GMouseDlg::RunApply() {
  if (ending_) return;
  if (ApplyRunning()) {
    applyAgain_ = true;
    return;
  }
  apply_->Start(MacroToSaveBeforeApply());
  SetBusy(true);
}

std::optional<GroupMacro> CQEL_GMouseDlg::MacroToSaveBeforeApply() const {
  // The macro selected on the macro page, while its lists exist.
  if (!g_macroListExists) return std::nullopt;
  return SelectedListMacro();
}

void CQEL_GMouseDlg::SetBusy(bool busy) {
  if (busy == busyCursorShown_) return;
  busyCursorShown_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    inputBlocker_->Block();
  } else {
    QApplication::restoreOverrideCursor();
    inputBlocker_->Unblock();
  }
}

void CQEL_GMouseDlg::OnApplyFinished(ApplyResult result) {
  if (result == ApplyResult::kMouseNotFullyWritten) {
    if (ending_ && endWithNotice_) {
      // "Exit Driver" or a quit signal (a logout) came while Apply ran: the window is gone and
      // nobody waits for a box any more, which would only hold the end up.
      WriteUserMessageToStderr(kMouseNotFullyWrittenMessage, g_isEnglish.load() != 0);
    } else {
      // The message box runs its own event loop: an end asked for meanwhile (the removal of
      // the mouse that cut the download short) waits until the user has read it.
      tellingApplyResult_ = true;
      ShowUserMessage(kMouseNotFullyWrittenMessage);
      tellingApplyResult_ = false;
    }
  }
  if (ending_) {
    FinishEnd();
    return;
  }
  if (applyAgain_) {
    applyAgain_ = false;
    apply_->Start(MacroToSaveBeforeApply());
    emit applyFinished(result);
    return;
  }
  SetBusy(false);
  if (ShouldRepaintAfterApply(result)) update();
  emit applyFinished(result);
}

}  // namespace gm
