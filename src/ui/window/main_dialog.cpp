// The main window: construction, painting, mouse and keyboard input, and the actions the page
// input handlers return.

#include "ui/window/main_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWindow>

#include <utility>

#include "device/device_ids.h"
#include "settings/config_store.h"
#include "settings/paths.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/pages/page_input.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/window_placement.h"
#include "ui/skin/window_shape.h"
#include "ui/window/background_apply.h"
#include "ui/window/device_change_notifier.h"
#include "ui/window/input_blocker.h"
#include "ui/window/tray_icon.h"

namespace gm {
namespace {

// The filter of the settings-file dialogs: files ending in ".ini".
constexpr char kSettingsFileFilter[] = "All Files(*.ini)";
constexpr char kSettingsFileExtension[] = "ini";

WindowPoint PointOf(const QMouseEvent& event) {
  const QPoint p = event.position().toPoint();
  return WindowPoint{p.x(), p.y()};
}

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

std::optional<std::filesystem::path> ChooseSettingsFile(SettingsFileChoice choice,
                                                        QWidget* owner) {
  QFileDialog dialog(owner, QString(), ToQString(g_exeFolder),
                     QString::fromLatin1(kSettingsFileFilter));
  if (choice == SettingsFileChoice::kExport) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(kSettingsFileExtension));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // a name that is no file gets "Error!"
  }
  MakeWindowModal(dialog);
  CentreOverMainWindow(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdU16String());
}

CQEL_GMouseDlg::CQEL_GMouseDlg(MainDialogServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      services_(std::move(services)),
      messages_(services_.messageSink),
      ledPreview_([this] { RepaintFromAnyThread(); }) {
  SetMessageSink(&messages_);
  setMouseTracking(true);
  // Every paint covers the whole window; nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);

  tray_ = new TrayIcon(this);
  connect(tray_, &TrayIcon::showWindowRequested, this, &CQEL_GMouseDlg::OnShowMainWindow);
  connect(tray_, &TrayIcon::exitRequested, this, &CQEL_GMouseDlg::OnExitDriver);

  apply_ = new BackgroundApply(*services_.mouseSettings, this);
  inputBlocker_ = new InputBlocker(*this, this);
  connect(apply_, &BackgroundApply::finished, this, &CQEL_GMouseDlg::OnApplyFinished);

  workers_ = std::make_unique<DeviceWorkers>([this] { RepaintFromAnyThread(); });
}

CQEL_GMouseDlg::~CQEL_GMouseDlg() {
  // The page's controls go first, after an in-place edit still running was committed while
  // the window and its controls are whole.
  if (controls_) controls_->Run(InputAction{.kind = InputActionKind::kEndMacroListEdits}, *this);
  controls_.reset();
  ledPreview_.Stop();
  workers_->Stop();
  if (deviceNotifier_ != nullptr) deviceNotifier_->Stop();
  apply_->Wait();
  SetBusy(false);
  tray_->Remove();
  SetMessageSink(services_.messageSink);
}

bool CQEL_GMouseDlg::DeviceThreadsRunning() const { return workers_->Running(); }

bool CQEL_GMouseDlg::ApplyRunning() const { return apply_->Running(); }

void CQEL_GMouseDlg::SetPageControls(std::unique_ptr<PageControls> controls) {
  controls_ = std::move(controls);
}

// ---- Painting ------------------------------------------------------------------------------

void CQEL_GMouseDlg::paintEvent(QPaintEvent* /*event*/) {
  if (g_subMenuChosen != 0) {
    g_subMenuChosen = 0;
    if (g_curPage.load() == kPageKeys && controls_) controls_->CloseKeyPopupAfterChoice();
  }
  if (isMinimized()) return;
  if (!PaintPage(frame_, layout_, images_)) return;
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
  ++paintCount_;
}

void CQEL_GMouseDlg::RepaintFromAnyThread() {
  // Posted to this window's thread; the threads that call this stop before the window goes.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!ended_) update();
      },
      Qt::QueuedConnection);
}

void CQEL_GMouseDlg::RequestRepaint(const Repaint& request) {
  QRegion region;
  switch (request.area) {
    case RepaintArea::kNone: return;
    case RepaintArea::kMainRegion: region = g_regionMain; break;
    case RepaintArea::kMacroRegion: region = g_regionMacro; break;
    case RepaintArea::kWholeWindow: region = rect(); break;
  }
  if (request.updateNow) {
    repaint(region);
  } else {
    update(region);
  }
}

// ---- Input ---------------------------------------------------------------------------------

void CQEL_GMouseDlg::mouseMoveEvent(QMouseEvent* event) {
  // A release the window never saw (it came while Apply ran, or while a message box was up)
  // still ends the press: a move without the left button drags no slider and shows no
  // element pressed.
  if (!(event->buttons() & Qt::LeftButton)) {
    g_sliderDragging = 0;
    g_mousePressed = 0;
    g_pressedMain = kNoElement;
    windowDragPending_ = false;
  } else if (windowDragPending_) {
    // The window manager moves the window while the button is held; without one (or where
    // it refuses) the window stays where it is.
    windowDragPending_ = false;
    if (QWindow* window = windowHandle()) window->startSystemMove();
    return;
  }
  RunInput(OnMouseMove(layout_, PointOf(*event)));
}

void CQEL_GMouseDlg::mousePressEvent(QMouseEvent* event) {
  // While Apply runs the window takes no clicks (the input blocker already keeps them away);
  // the busy cursor tells why.
  if (event->button() != Qt::LeftButton || ApplyRunning() || ending_) return;
  windowDragPending_ = false;
  RunInput(OnLButtonDown(layout_, PointOf(*event)));
}

void CQEL_GMouseDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (ApplyRunning() || ending_) return;
  if (event->button() == Qt::RightButton) {
    RunInput(OnRButtonUp(layout_, PointOf(*event)));
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  windowDragPending_ = false;
  RunInput(OnLButtonUp(layout_, PointOf(*event)));
}

void CQEL_GMouseDlg::keyPressEvent(QKeyEvent* event) {
  // Esc, Enter and F1 do nothing; Alt+F4 and Alt+Space act as the system menu does where the
  // window manager leaves these keys to the window.
  if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_F4) {
    OnSysCommand(SysCommand::kClose);
    return;
  }
  if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_Space) {
    ShowSystemMenu();
    return;
  }
  event->accept();
}

void CQEL_GMouseDlg::RunInput(const InputResult& result) {
  for (const InputAction& action : result.actions) {
    if (ended_) return;
    RunAction(action);
  }
  if (!ended_) RequestRepaint(result.repaint);
}

void CQEL_GMouseDlg::RunAction(const InputAction& action) {
  if (HandledByPageControls(action.kind)) {
    if (controls_) controls_->Run(action, *this);
    return;
  }
  switch (action.kind) {
    case InputActionKind::kShowMessage: ShowUserMessage(action.message); break;
    case InputActionKind::kStartLedPreview: ledPreview_.Start(); break;
    case InputActionKind::kStartWindowDrag: windowDragPending_ = true; break;
    case InputActionKind::kShowWindowMenu:
      ShowSystemMenu(QPoint(action.point.x, action.point.y));
      break;
    case InputActionKind::kMinimise: OnSysCommand(SysCommand::kMinimise); break;
    case InputActionKind::kCloseProgram:
      showMinimized();
      hide();
      OnClose();
      break;
    case InputActionKind::kHideToTray: HideToTray(); break;
    case InputActionKind::kApply: RunApply(); break;
    case InputActionKind::kSwitchToChinese: SwitchToChinese(); break;
    case InputActionKind::kSwitchToEnglish: SwitchToEnglish(); break;
    case InputActionKind::kImportSettings: ImportSettings(); break;
    case InputActionKind::kExportSettings: ExportSettings(); break;
    case InputActionKind::kResetSettings: ResetSettings(); break;
    case InputActionKind::kOpenWebPage:
      QDesktopServices::openUrl(QUrl(QString::fromStdString(MouseIdsWebPage())));
      break;
    default: break;
  }
}

// ---- Settings files ------------------------------------------------------------------------

void CQEL_GMouseDlg::ImportSettings() {
  const auto chosen = services_.chooseSettingsFile(SettingsFileChoice::kImport, this);
  if (!chosen) {
    update();  // a cancelled import still redraws the page
    return;
  }
  MessageForwarder::OncePerText once(messages_);
  if (ImportConfigFile(*chosen) == AfterFileCommand::kRedraw) update();
}

void CQEL_GMouseDlg::ExportSettings() {
  const auto chosen = services_.chooseSettingsFile(SettingsFileChoice::kExport, this);
  if (!chosen) return;
  if (ExportConfigFile(*chosen) == AfterFileCommand::kRedraw) update();
}

void CQEL_GMouseDlg::ResetSettings() {
  // Four configurations are read from the factory file: a missing one is reported once.
  MessageForwarder::OncePerText once(messages_);
  if (ResetConfigFile() == AfterFileCommand::kRedraw) update();
}

}  // namespace gm
