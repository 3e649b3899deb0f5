#pragma once
// A record that a long run cannot grow without limit: the count of everything added and the
// last `capacity` items, oldest first.
//
// Not thread-safe: its owner serialises the calls.

#include <algorithm>
#include <cstddef>
#include <deque>
#include <utility>
#include <vector>

namespace gm {

template <typename T>
class RecentRecord {
 public:
  explicit RecentRecord(std::size_t capacity) : capacity_(capacity) {}

  void Add(T item) {
    ++count_;
    if (capacity_ == 0) return;
    if (kept_.size() == capacity_) kept_.pop_front();
    kept_.push_back(std::move(item));
  }

  // Items added so far, kept or not.
  std::size_t Count() const { return count_; }

  // The items numbered `first` and later (numbered from 0 in the order added) that are still
  // kept, oldest first.
  std::vector<T> From(std::size_t first = 0) const {
    const std::size_t keptFirst = count_ - kept_.size();
    const std::size_t from = std::max(first, keptFirst) - keptFirst;
    if (from >= kept_.size()) return {};
    return {kept_.begin() + static_cast<std::ptrdiff_t>(from), kept_.end()};
  }

 private:
  std::size_t capacity_;
  std::size_t count_ = 0;
  std::deque<T> kept_;
};

}  // namespace gm
