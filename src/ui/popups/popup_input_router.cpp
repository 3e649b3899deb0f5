#include "ui/popups/popup_input_router.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "ui/popups/popup_list_window.h"

namespace gm {
namespace {

// Oldest first.
std::vector<QPointer<PopupListWindow>>& OpenLists() {
  static std::vector<QPointer<PopupListWindow>> lists;
  return lists;
}

bool Live(const PopupListWindow* list) { return list != nullptr && !list->Closing(); }

void CloseAllLists() {
  // Closing a list closes the lists it opened; copied, since closing changes the list.
  const std::vector<QPointer<PopupListWindow>> lists = OpenLists();
  for (const QPointer<PopupListWindow>& list : lists) {
    if (Live(list)) list->CloseList();
  }
}

// Installed on the application while the program runs: it sees every event before its
// receiver does.
class PopupInputRouter final : public QObject {
 public:
  explicit PopupInputRouter(QObject* application) : QObject(application) {
    application->installEventFilter(this);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                     [](Qt::ApplicationState state) {
                       if (state != Qt::ApplicationActive) CloseAllLists();
                     });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType() || InnermostPopupList() == nullptr) return false;
    auto* receiver = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::MouseMove:
      case QEvent::MouseButtonRelease:
        return RouteHeldPointer(*receiver, *static_cast<QMouseEvent*>(event));
      case QEvent::KeyPress: return CloseOnEscape(*receiver, *static_cast<QKeyEvent*>(event));
      default: return false;
    }
  }

 private:
  static bool RouteHeldPointer(QWidget& receiver, const QMouseEvent& event) {
    const bool release = event.type() == QEvent::MouseButtonRelease;
    if (release ? event.button() != Qt::LeftButton : !(event.buttons() & Qt::LeftButton)) {
      return false;
    }
    const QPoint screenPoint = event.globalPosition().toPoint();
    PopupListWindow* list = PopupListAt(screenPoint);
    if (list == nullptr || list == &receiver) return false;

    const QPoint at = list->mapFromGlobal(screenPoint);
    QMouseEvent move(QEvent::MouseMove, at, screenPoint, Qt::NoButton, Qt::LeftButton,
                     event.modifiers());
    QApplication::sendEvent(list, &move);
    if (!release) return true;

    const QPointer<QWidget> pressedIn(&receiver);
    QMouseEvent up(QEvent::MouseButtonRelease, at, screenPoint, Qt::LeftButton, Qt::NoButton,
                   event.modifiers());
    if (Live(list)) QApplication::sendEvent(list, &up);
    // The window the press began in learns that the button is up, as from any move after
    // a release it did not see.
    if (pressedIn) {
      QMouseEvent after(QEvent::MouseMove, pressedIn->mapFromGlobal(screenPoint), screenPoint,
                        Qt::NoButton, Qt::NoButton, event.modifiers());
      QApplication::sendEvent(pressedIn.data(), &after);
    }
    return true;
  }

  static bool CloseOnEscape(QWidget& receiver, const QKeyEvent& event) {
    if (event.key() != Qt::Key_Escape) return false;
    PopupListWindow* list = InnermostPopupList();
    const bool inList = qobject_cast<PopupListWindow*>(&receiver) != nullptr;
    if (!inList && receiver.window() != PopupOwnerWindow(*list)) return false;
    list->CloseList();
    return true;
  }
};

void EnsureRouter() {
  static QPointer<PopupInputRouter> router;
  if (router || QCoreApplication::instance() == nullptr) return;
  router = new PopupInputRouter(QCoreApplication::instance());
}

}  // namespace

void PopupListOpened(PopupListWindow& list) {
  EnsureRouter();
  OpenLists().emplace_back(&list);
}

void PopupListClosed(PopupListWindow& list) {
  auto& lists = OpenLists();
  lists.erase(std::remove_if(lists.begin(), lists.end(),
                             [&](const QPointer<PopupListWindow>& open) {
                               return open.isNull() || open.data() == &list;
                             }),
              lists.end());
}

PopupListWindow* PopupListAt(QPoint screenPoint) {
  const auto& lists = OpenLists();
  for (auto it = lists.rbegin(); it != lists.rend(); ++it) {
    PopupListWindow* list = it->data();
    if (Live(list) && list->isVisible() && list->geometry().contains(screenPoint)) return list;
  }
  return nullptr;
}

PopupListWindow* InnermostPopupList() {
  const auto& lists = OpenLists();
  for (auto it = lists.rbegin(); it != lists.rend(); ++it) {
    if (Live(it->data()) && it->data()->isVisible()) return it->data();
  }
  return nullptr;
}

QWidget* PopupOwnerWindow(const PopupListWindow& list) {
  QWidget* owner = list.parentWidget();
  while (qobject_cast<PopupListWindow*>(owner) != nullptr) owner = owner->parentWidget();
  return owner != nullptr ? owner->window() : nullptr;
}

}  // namespace gm
