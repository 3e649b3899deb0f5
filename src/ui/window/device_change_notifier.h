#pragma once
// Brings the device changes of a DeviceChangeMonitor, reported on whatever thread the monitor
// uses, to the thread of this object (the window's): deviceChanged() is always emitted there,
// from the event loop, in the order the changes were reported.

#include <QObject>
#include <QString>
#include <memory>

#include "device/device_change_monitor.h"

namespace gm {

class DeviceChangeNotifier : public QObject {
  Q_OBJECT

 public:
  explicit DeviceChangeNotifier(std::unique_ptr<DeviceChangeMonitor> monitor,
                                QObject* parent = nullptr);
  // Stops the monitor first, so no change arrives after the object is gone.
  ~DeviceChangeNotifier() override;

  // False when the monitor cannot run here (the program then learns of no change).
  bool Start();
  void Stop();
  DeviceChangeMonitor& Monitor() { return *monitor_; }

 signals:
  // path: the interface's device node, as IsOurDevice compares it.
  void deviceChanged(gm::DeviceChange kind, const QString& path);

 private:
  std::unique_ptr<DeviceChangeMonitor> monitor_;
};

}  // namespace gm

Q_DECLARE_METATYPE(gm::DeviceChange)
