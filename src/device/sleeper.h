#pragma once
// The pauses of the device protocol go through a Sleeper, so that tests and measurements can
// count them instead of waiting.

#include <chrono>
#include <mutex>
#include <vector>

namespace gm {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

// Sleeps for real.
class ThreadSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override;
};

// Records every requested pause and returns at once. Thread-safe.
class RecordingSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override;
  std::chrono::milliseconds Total() const;
  std::vector<std::chrono::milliseconds> Pauses() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::chrono::milliseconds> pauses_;
  std::chrono::milliseconds total_{0};
};

// The sleeper the device link pauses with. SetDeviceSleeper(nullptr) restores the real one;
// an installed sleeper must outlive its installation.
Sleeper& DeviceSleeper();
void SetDeviceSleeper(Sleeper* sleeper);

}  // namespace gm
