#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>
#include <thread>

#include "device/virtual_device_change_monitor.h"
#include "ui/qt_app_for_tests.h"
#include "ui/window/device_change_notifier.h"

namespace gm::test {
namespace {

constexpr int kWaitMs = 5000;

TEST(DeviceChangeNotifierTest, ChangesArriveOnTheObjectsThreadInOrder) {
  EnsureQtApplication();
  auto fake = std::make_unique<VirtualDeviceChangeMonitor>();
  VirtualDeviceChangeMonitor* monitor = fake.get();
  DeviceChangeNotifier notifier(std::move(fake));
  ASSERT_TRUE(notifier.Start());

  std::vector<std::pair<DeviceChange, QString>> seen;
  bool onObjectThread = true;
  QObject::connect(&notifier, &DeviceChangeNotifier::deviceChanged, &notifier,
                   [&](DeviceChange kind, const QString& path) {
                     onObjectThread =
                         onObjectThread && QThread::currentThread() == notifier.thread();
                     seen.emplace_back(kind, path);
                   });

  std::thread other([monitor] {
    monitor->Fire(DeviceChange::kArrival, "/dev/hidraw3");
    monitor->Fire(DeviceChange::kRemoval, "/dev/hidraw3");
  });
  other.join();
  EXPECT_TRUE(seen.empty()) << "delivered through the event loop, not on the firing thread";
  QTRY_COMPARE_WITH_TIMEOUT(seen.size(), size_t{2}, kWaitMs);
  EXPECT_TRUE(onObjectThread);
  EXPECT_EQ(seen[0], std::make_pair(DeviceChange::kArrival, QStringLiteral("/dev/hidraw3")));
  EXPECT_EQ(seen[1], std::make_pair(DeviceChange::kRemoval, QStringLiteral("/dev/hidraw3")));

  notifier.Stop();
  EXPECT_FALSE(monitor->Fire(DeviceChange::kRemoval, "/dev/hidraw3"));
}

TEST(DeviceChangeNotifierTest, AChangeStillQueuedWhenTheNotifierGoesIsDropped) {
  EnsureQtApplication();
  int delivered = 0;
  {
    auto fake = std::make_unique<VirtualDeviceChangeMonitor>();
    VirtualDeviceChangeMonitor* monitor = fake.get();
    DeviceChangeNotifier notifier(std::move(fake));
    ASSERT_TRUE(notifier.Start());
    QObject::connect(&notifier, &DeviceChangeNotifier::deviceChanged, [&] { ++delivered; });
    monitor->Fire(DeviceChange::kRemoval, "/dev/hidraw3");
  }
  QTest::qWait(50);
  EXPECT_EQ(delivered, 0);
}

}  // namespace
}  // namespace gm::test
