#pragma once
// Power events from logind: its PrepareForSleep signal comes once before the system sleeps
// (true) and once after it woke up (false). Each of them is a power event for the program,
// which writes its settings to the mouse again.
//
// Without a system bus (a container, a system without systemd-logind's bus) the object stays
// inactive: IsAvailable() is false and powerEvent() never comes.

#include <QDBusConnection>
#include <QObject>

namespace gm {

inline constexpr char kLogindService[] = "org.freedesktop.login1";
inline constexpr char kLogindPath[] = "/org/freedesktop/login1";
inline constexpr char kLogindManagerInterface[] = "org.freedesktop.login1.Manager";
inline constexpr char kPrepareForSleepSignal[] = "PrepareForSleep";

class PowerEvents : public QObject {
  Q_OBJECT

 public:
  // Listens on the system bus.
  explicit PowerEvents(QObject* parent = nullptr);
  // Listens on bus (a private bus in tests).
  explicit PowerEvents(QDBusConnection bus, QObject* parent = nullptr);
  ~PowerEvents() override;

  // True when the bus is connected and the signal is subscribed.
  bool IsAvailable() const { return available_; }

 signals:
  void powerEvent();

 private slots:
  void OnPrepareForSleep(bool sleeping);

 private:
  QDBusConnection bus_;
  bool available_ = false;
};

}  // namespace gm
