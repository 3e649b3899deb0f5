#include "backends/linux/fd_read_wait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>

namespace gm {
namespace {

using Clock = std::chrono::steady_clock;

// Without an eventfd (out of descriptors) the wait looks at the stop request this often.
constexpr int kStopLookMs = 100;

constexpr short kFailureEvents = POLLERR | POLLHUP | POLLNVAL;

// The eventfd a stop request writes to; -1 when none could be made.
class WakeFd {
 public:
  WakeFd() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~WakeFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  WakeFd(const WakeFd&) = delete;
  WakeFd& operator=(const WakeFd&) = delete;

  int fd() const { return fd_; }
  void Signal() const {
    if (fd_ < 0) return;
    const uint64_t one = 1;
    // Cannot fail short of a counter at its limit, which wakes the poll all the same.
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof(one));
  }

 private:
  const int fd_;
};

// Milliseconds left until the deadline for poll(): -1 without one, never negative with one.
int PollMsLeft(const std::optional<Clock::time_point>& deadline) {
  if (!deadline) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<decltype(left)>(left, 0, INT_MAX));
}

}  // namespace

int ReadWhenReadable(int fd, std::span<uint8_t> buffer, int timeoutMs,
                     const std::stop_token& stop) {
  if (fd < 0 || buffer.empty()) return -1;
  std::optional<Clock::time_point> deadline;
  if (timeoutMs >= 0) deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);

  const WakeFd wake;
  const std::stop_callback wakeOnStop(stop, [&wake] { wake.Signal(); });
  const bool sliced = stop.stop_possible() && wake.fd() < 0;
  for (;;) {
    if (stop.stop_requested()) return 0;
    int waitMs = PollMsLeft(deadline);
    if (sliced) waitMs = waitMs < 0 ? kStopLookMs : std::min(waitMs, kStopLookMs);
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake.fd(), POLLIN, 0}};
    const nfds_t count = wake.fd() >= 0 ? 2 : 1;
    const int ready = ::poll(fds, count, waitMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (stop.stop_requested()) return 0;
    if ((fds[0].revents & POLLIN) != 0) {
      const ssize_t received = ::read(fd, buffer.data(), buffer.size());
      if (received >= 0) return static_cast<int>(received);
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
      return -1;
    }
    if ((fds[0].revents & kFailureEvents) != 0) return -1;
    if (deadline && PollMsLeft(deadline) == 0) return 0;
  }
}

}  // namespace gm
