#include "device/recoil_nudge_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace gm {
namespace {

using std::chrono::seconds;

// Nudges are recorded; the first one waits until the test lets it go, as a nudge waits for a
// running Apply.
class HeldNudges {
 public:
  RecoilNudgeQueue::Nudge Nudge() {
    return [this](bool up) {
      if (first_) {
        first_ = false;
        started_.set_value();
        release_.wait();
      }
      std::lock_guard lock(mutex_);
      done_.push_back(up);
    };
  }
  void WaitUntilFirstStarted() {
    ASSERT_EQ(startedFuture_.wait_for(seconds(5)), std::future_status::ready);
  }
  void Release() { go_.set_value(); }
  std::vector<bool> Done() {
    std::lock_guard lock(mutex_);
    return done_;
  }

 private:
  bool first_ = true;  // nudge thread only
  std::promise<void> started_;
  std::future<void> startedFuture_ = started_.get_future();
  std::promise<void> go_;
  std::shared_future<void> release_ = go_.get_future().share();
  std::mutex mutex_;
  std::vector<bool> done_;
};

TEST(RecoilNudgeQueueTest, NudgesRunInOrderAndAFullQueueDropsTheRest) {
  HeldNudges nudges;
  RecoilNudgeQueue queue(nudges.Nudge());
  queue.Start();
  ASSERT_TRUE(queue.Push(true));
  nudges.WaitUntilFirstStarted();
  std::vector<bool> expected = {true};
  for (size_t i = 0; i < kMaxQueuedRecoilNudges; ++i) {
    const bool up = i % 3 == 0;
    EXPECT_TRUE(queue.Push(up)) << "Push returns at once while a nudge waits";
    expected.push_back(up);
  }
  EXPECT_FALSE(queue.Push(false)) << "beyond the bound";
  EXPECT_EQ(queue.Pending(), kMaxQueuedRecoilNudges + 1);

  nudges.Release();
  const auto end = std::chrono::steady_clock::now() + seconds(5);
  while (queue.Pending() != 0 && std::chrono::steady_clock::now() < end) {
    std::this_thread::yield();
  }
  queue.Stop();
  EXPECT_EQ(nudges.Done(), expected);
}

}  // namespace
}  // namespace gm
