#pragma once
// The signals that ask the program to end: SIGTERM (the session ends, `kill`), SIGINT (Ctrl+C
// in a terminal) and SIGHUP (the terminal went away). From construction on none of them ends
// the process on the spot: each becomes quitRequested() on the thread that made the object,
// through a pipe that the signal handler writes and a socket notifier reads. The program makes
// the object once its window runs; until then the signals keep their default action. A signal
// that is ignored when the object is made stays ignored: a program started with `nohup`
// outlives its terminal.
//
// One object at a time per process; the destructor puts back the handlers that were there
// before. Signals may arrive on any thread.

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace gm {

inline constexpr std::array<int, 3> kQuitSignals = {SIGTERM, SIGINT, SIGHUP};

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 signals:
  // Once per batch of signals read from the pipe; the number of the first of them.
  void quitRequested(int signalNumber);

 private:
  void ReadPipe();

  // Read end, write end; -1 when the pipe could not be made (the default actions then stay).
  std::array<int, 2> pipe_ = {-1, -1};
  std::array<struct sigaction, kQuitSignals.size()> previous_{};
  std::array<bool, kQuitSignals.size()> caught_{};  // the handler is installed for the signal
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace gm
