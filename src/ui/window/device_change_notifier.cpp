#include "ui/window/device_change_notifier.h"

#include <QMetaObject>
#include <utility>

namespace gm {

DeviceChangeNotifier::DeviceChangeNotifier(std::unique_ptr<DeviceChangeMonitor> monitor,
                                           QObject* parent)
    : QObject(parent), monitor_(std::move(monitor)) {}

DeviceChangeNotifier::~DeviceChangeNotifier() { Stop(); }

bool DeviceChangeNotifier::Start() {
  return monitor_->Start([this](DeviceChange kind, std::string path) {
    // Queued to this object: a change still queued when the object is destroyed is dropped
    // with it.
    QMetaObject::invokeMethod(
        this,
        [this, kind, text = QString::fromStdString(path)] { emit deviceChanged(kind, text); },
        Qt::QueuedConnection);
  });
}

void DeviceChangeNotifier::Stop() { monitor_->Stop(); }

}  // namespace gm
