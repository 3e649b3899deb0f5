#include "ui/popups/window_placement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace gm {
namespace {

// The main window's class (CQEL_GMouseDlg, in the room above this one), found by its
// meta-object name so that the pop-ups need not include it.
constexpr const char* kMainWindowClass = "gm::CQEL_GMouseDlg";

// Keeps its dialog centred over the main window: at the show itself, at the resizes that
// happen before the window is on the screen, and at every resize of a dialog of fixed size
// (a message box takes its size from its texts as it shows). A resize by the user leaves
// the dialog where it is.
class CentringFilter final : public QObject {
 public:
  explicit CentringFilter(QDialog& dialog) : QObject(&dialog), dialog_(&dialog) {
    dialog.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Type first: a dialog being destroyed still sends events (its hide), as no QDialog.
    if (event->type() != QEvent::Show && event->type() != QEvent::Resize) return false;
    if (watched != dialog_) return false;
    const bool showing = event->type() == QEvent::Show;
    const QWindow* handle = dialog_->windowHandle();
    const bool fixedSize = dialog_->minimumSize() == dialog_->maximumSize();
    const bool sizing = event->type() == QEvent::Resize &&
                        (fixedSize || handle == nullptr || !handle->isExposed());
    if (showing || sizing) Centre();
    return false;
  }

 private:
  void Centre() {
    const QWidget* main = ProgramMainWindow();
    if (main == nullptr || !main->isVisible() || main == dialog_) return;
    const QRect over(main->mapToGlobal(QPoint(0, 0)), main->size());
    const QSize size = dialog_->size();
    const QPoint centred(over.x() + (over.width() - size.width()) / 2,
                         over.y() + (over.height() - size.height()) / 2);
    // move() places the frame; the window manager's frame, where known, stays around it.
    const QPoint frame = dialog_->geometry().topLeft() - dialog_->frameGeometry().topLeft();
    dialog_->move(KeepOnScreenOf(*main, centred, size) - frame);
  }

  QDialog* dialog_;  // the filter's parent: it outlives the filter
};

}  // namespace

ScreenArea ScreenAreaOf(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->geometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

QPoint KeepOnScreenOf(const QWidget& window, QPoint topLeft, QSize size) {
  const ScreenArea screen = ScreenAreaOf(window);
  if (screen.width <= 0 || screen.height <= 0) return topLeft;
  const WindowPoint at =
      KeepOnScreen({topLeft.x(), topLeft.y()}, size.width(), size.height(), screen);
  return QPoint(at.x, at.y);
}

QWidget* ProgramMainWindow() {
  QWidget* found = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->inherits(kMainWindowClass)) continue;
    if (window->isVisible()) return window;
    found = window;
  }
  return found;
}

void CentreOverMainWindow(QDialog& dialog) { new CentringFilter(dialog); }

}  // namespace gm
