#include "device/sleeper.h"

#include <atomic>
#include <thread>

namespace gm {
namespace {

ThreadSleeper g_threadSleeper;
std::atomic<Sleeper*> g_deviceSleeper{&g_threadSleeper};

}  // namespace

void ThreadSleeper::SleepFor(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

void RecordingSleeper::SleepFor(std::chrono::milliseconds duration) {
  std::lock_guard lock(mutex_);
  pauses_.push_back(duration);
  total_ += duration;
}

std::chrono::milliseconds RecordingSleeper::Total() const {
  std::lock_guard lock(mutex_);
  return total_;
}

std::vector<std::chrono::milliseconds> RecordingSleeper::Pauses() const {
  std::lock_guard lock(mutex_);
  return pauses_;
}

void RecordingSleeper::Clear() {
  std::lock_guard lock(mutex_);
  pauses_.clear();
  total_ = std::chrono::milliseconds{0};
}

Sleeper& DeviceSleeper() { return *g_deviceSleeper.load(); }

void SetDeviceSleeper(Sleeper* sleeper) {
  g_deviceSleeper.store(sleeper != nullptr ? sleeper : &g_threadSleeper);
}

}  // namespace gm
