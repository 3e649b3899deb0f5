#include "backends/qt/power_events.h"

#include <QString>
#include <utility>

namespace gm {

PowerEvents::PowerEvents(QObject* parent) : PowerEvents(QDBusConnection::systemBus(), parent) {}

PowerEvents::PowerEvents(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
  available_ = bus_.isConnected() &&
               bus_.connect(QString::fromLatin1(kLogindService), QString::fromLatin1(kLogindPath),
                            QString::fromLatin1(kLogindManagerInterface),
                            QString::fromLatin1(kPrepareForSleepSignal), this,
                            SLOT(OnPrepareForSleep(bool)));
}

PowerEvents::~PowerEvents() {
  if (available_) {
    bus_.disconnect(QString::fromLatin1(kLogindService), QString::fromLatin1(kLogindPath),
                    QString::fromLatin1(kLogindManagerInterface),
                    QString::fromLatin1(kPrepareForSleepSignal), this,
                    SLOT(OnPrepareForSleep(bool)));
  }
}

// Going to sleep and waking up alike: the mouse gets its settings again.
void PowerEvents::OnPrepareForSleep(bool /*sleeping*/) { emit powerEvent(); }

}  // namespace gm
