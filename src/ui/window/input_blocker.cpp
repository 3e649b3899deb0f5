#include "ui/window/input_blocker.h"

#include <QCoreApplication>
#include <QEvent>

namespace gm {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu: return true;
    default: return false;
  }
}

}  // namespace

InputBlocker::InputBlocker(QWidget& window, QObject* parent)
    : QObject(parent), window_(&window) {}

InputBlocker::~InputBlocker() { Unblock(); }

void InputBlocker::Block() {
  if (blocking_ || QCoreApplication::instance() == nullptr) return;
  QCoreApplication::instance()->installEventFilter(this);
  blocking_ = true;
}

void InputBlocker::Unblock() {
  if (!blocking_) return;
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeEventFilter(this);
  }
  blocking_ = false;
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type()) || window_.isNull()) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  // The window itself, its children, and pop-ups it owns.
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (w == window_) return true;
  }
  return false;
}

}  // namespace gm
