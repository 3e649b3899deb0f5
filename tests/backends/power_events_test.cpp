#include "backends/qt/power_events.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include "ui/qt_app_for_tests.h"

namespace gm::test {
namespace {

constexpr int kWaitMs = 5000;

TEST(PowerEventsTest, WithoutABusItStaysInactive) {
  EnsureQtApplication();
  const QString name = QStringLiteral("gm-power-no-bus");
  {
    PowerEvents events(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/gm-bus"), name));
    EXPECT_FALSE(events.IsAvailable());
  }
  QDBusConnection::disconnectFromBus(name);
}

TEST(PowerEventsTest, TheSystemBusConstructorNeverFails) {
  EnsureQtApplication();
  const bool systemBusPossible = qEnvironmentVariableIsSet("DBUS_SYSTEM_BUS_ADDRESS") ||
                                 QFileInfo::exists(QStringLiteral("/run/dbus/system_bus_socket"));
  PowerEvents events;
  if (!systemBusPossible) {
    EXPECT_FALSE(events.IsAvailable());
  }
}

// logind's signal on a bus of the test's own.
class PowerEventsOnPrivateBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
    daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(kWaitMs)) GTEST_SKIP() << "dbus-daemon does not start";
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(kWaitMs)) {
    }
    const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address.isEmpty()) GTEST_SKIP() << "dbus-daemon gave no address";

    logind_ = QDBusConnection::connectToBus(address, QStringLiteral("gm-test-logind"));
    impostor_ = QDBusConnection::connectToBus(address, QStringLiteral("gm-test-impostor"));
    listener_ = QDBusConnection::connectToBus(address, QStringLiteral("gm-test-listener"));
    ASSERT_TRUE(logind_.isConnected() && impostor_.isConnected() && listener_.isConnected());
    ASSERT_TRUE(logind_.registerService(QString::fromLatin1(kLogindService)));
  }
  void TearDown() override {
    for (const char* name : {"gm-test-logind", "gm-test-impostor", "gm-test-listener"}) {
      QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    }
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.terminate();
      daemon_.waitForFinished(kWaitMs);
    }
  }

  static QDBusMessage PrepareForSleep(bool sleeping) {
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kLogindPath), QString::fromLatin1(kLogindManagerInterface),
        QString::fromLatin1(kPrepareForSleepSignal));
    signal << sleeping;
    return signal;
  }

  QProcess daemon_;
  QDBusConnection logind_{QString()};
  QDBusConnection impostor_{QString()};
  QDBusConnection listener_{QString()};
};

TEST_F(PowerEventsOnPrivateBusTest, SleepAndWakeUpAreBothPowerEvents) {
  PowerEvents events(listener_);
  ASSERT_TRUE(events.IsAvailable());
  QSignalSpy spy(&events, &PowerEvents::powerEvent);

  ASSERT_TRUE(logind_.send(PrepareForSleep(true)));
  ASSERT_TRUE(spy.wait(kWaitMs));
  ASSERT_TRUE(logind_.send(PrepareForSleep(false)));
  QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, kWaitMs);
}

TEST_F(PowerEventsOnPrivateBusTest, TheSameSignalFromAnotherSenderIsIgnored) {
  PowerEvents events(listener_);
  QSignalSpy spy(&events, &PowerEvents::powerEvent);

  ASSERT_TRUE(impostor_.send(PrepareForSleep(true)));
  // A call on the same connection returns after the bus routed the signal sent before it.
  impostor_.interface()->isServiceRegistered(QString::fromLatin1(kLogindService));
  ASSERT_TRUE(logind_.send(PrepareForSleep(false)));
  ASSERT_TRUE(spy.wait(kWaitMs));
  QTest::qWait(100);
  EXPECT_EQ(spy.count(), 1);
}

}  // namespace
}  // namespace gm::test
