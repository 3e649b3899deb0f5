#pragma once
// A mutex that lets its waiters in in the order they came (a ticket lock). A thread that
// unlocks and locks again at once, as a long download does between its blocks, goes behind
// the threads already waiting instead of taking the lock again before they wake up.
// Meets Lockable, so std::lock_guard, std::unique_lock and std::scoped_lock take it.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace gm {

class FairMutex {
 public:
  FairMutex() = default;
  FairMutex(const FairMutex&) = delete;
  FairMutex& operator=(const FairMutex&) = delete;

  void lock() {
    std::unique_lock guard(mutex_);
    const uint64_t ticket = nextTicket_++;
    turn_.wait(guard, [this, ticket] { return serving_ == ticket; });
  }

  bool try_lock() {
    std::lock_guard guard(mutex_);
    if (nextTicket_ != serving_) return false;  // held, or others wait
    ++nextTicket_;
    return true;
  }

  void unlock() {
    {
      std::lock_guard guard(mutex_);
      ++serving_;
    }
    turn_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable turn_;
  uint64_t nextTicket_ = 0;  // the ticket the next locker draws
  uint64_t serving_ = 0;     // the ticket that holds (or may take) the lock
};

}  // namespace gm
