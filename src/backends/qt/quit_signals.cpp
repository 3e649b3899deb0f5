#include "backends/qt/quit_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace gm {
namespace {

// The write end of the pipe for the handler; -1 while no object catches the signals.
std::atomic<int> g_quitPipeWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads it");

// Async-signal-safe: one write of the signal's number, which never blocks (a full pipe already
// holds a request to end).
void OnQuitSignal(int signalNumber) {
  const int savedErrno = errno;
  const int fd = g_quitPipeWriteEnd.load();
  if (fd >= 0) {
    const auto byte = static_cast<uint8_t>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
    pipe_ = {-1, -1};
    return;
  }
  g_quitPipeWriteEnd.store(pipe_[1]);
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kQuitSignals.size(); ++i) {
    if (sigaction(kQuitSignals[i], nullptr, &previous_[i]) != 0) continue;
    if (previous_[i].sa_handler == SIG_IGN) continue;  // nohup, or a shell's background job
    caught_[i] = sigaction(kQuitSignals[i], &action, nullptr) == 0;
  }
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::ReadPipe);
}

QuitSignals::~QuitSignals() {
  for (size_t i = 0; i < kQuitSignals.size(); ++i) {
    if (caught_[i]) sigaction(kQuitSignals[i], &previous_[i], nullptr);
  }
  if (pipe_[1] >= 0) g_quitPipeWriteEnd.store(-1);
  delete notifier_;
  for (int fd : pipe_) {
    if (fd >= 0) ::close(fd);
  }
}

void QuitSignals::ReadPipe() {
  int first = 0;
  uint8_t bytes[16];
  ssize_t count = 0;
  while ((count = ::read(pipe_[0], bytes, sizeof(bytes))) > 0) {
    if (first == 0) first = bytes[0];
  }
  if (first != 0) emit quitRequested(first);
}

}  // namespace gm
