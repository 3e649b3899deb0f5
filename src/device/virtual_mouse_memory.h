#pragma once
// The memory of the virtual mouse (device/virtual_mouse.h) and the memory commands that change
// it: stage, commit, idle, read and final commit, each as that header describes it.
//
// Not thread-safe: the virtual mouse calls it under its own lock.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/feature_report.h"

namespace gm {

inline constexpr size_t kVirtualMouseMemorySize = 16 * 1024;

class VirtualMouseMemory {
 public:
  // Carries out the memory command of a received feature report.
  void Operate(const MemoryCommandReport& bytes);

  uint8_t ByteAt(int32_t address) const;  // 0 beyond the memory
  // The byte a read-back carries: the one at the last read command's address (0 before it).
  uint8_t ReadBackByte() const;
  std::vector<uint8_t> Bytes() const;
  int CommitCount() const { return commits_; }  // commits that wrote their block
  int FinalCommitCount() const { return finalCommits_; }

 private:
  // The block being staged.
  struct Staging {
    bool active = false;
    int32_t address = 0;
    uint8_t lengthMinusOne = 0;
    std::array<uint8_t, kMaxBlockLength> values{};
    std::bitset<kMaxBlockLength> staged;
  };

  void Stage(int32_t address, uint8_t index, uint8_t value, uint8_t lengthMinusOne);
  void Commit(int32_t address, uint8_t lengthMinusOne);

  std::array<uint8_t, kVirtualMouseMemorySize> memory_{};
  Staging staging_;
  std::optional<int32_t> readAddress_;
  int commits_ = 0;
  int finalCommits_ = 0;
};

}  // namespace gm
