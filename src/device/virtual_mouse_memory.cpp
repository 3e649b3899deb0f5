#include "device/virtual_mouse_memory.h"

namespace gm {

void VirtualMouseMemory::Operate(const MemoryCommandReport& bytes) {
  const int32_t address = AddressOf(bytes.addressLow, bytes.addressHigh);
  switch (bytes.subOperation) {
    case kMemoryStage: Stage(address, bytes.index, bytes.value, bytes.lengthMinusOne); break;
    case kMemoryCommit: Commit(address, bytes.lengthMinusOne); break;
    case kMemoryIdle: staging_ = Staging{}; break;
    case kMemoryRead: readAddress_ = address; break;
    case kMemoryFinalCommit: ++finalCommits_; break;
    default: break;
  }
}

uint8_t VirtualMouseMemory::ByteAt(int32_t address) const {
  return (address >= 0 && static_cast<size_t>(address) < memory_.size())
             ? memory_[static_cast<size_t>(address)]
             : uint8_t{0};
}

uint8_t VirtualMouseMemory::ReadBackByte() const {
  return readAddress_ ? ByteAt(*readAddress_) : uint8_t{0};
}

std::vector<uint8_t> VirtualMouseMemory::Bytes() const { return {memory_.begin(), memory_.end()}; }

void VirtualMouseMemory::Stage(int32_t address, uint8_t index, uint8_t value,
                               uint8_t lengthMinusOne) {
  if (!staging_.active || staging_.address != address ||
      staging_.lengthMinusOne != lengthMinusOne) {
    staging_ = Staging{};
    staging_.active = true;
    staging_.address = address;
    staging_.lengthMinusOne = lengthMinusOne;
  }
  if (index > lengthMinusOne) return;
  staging_.values[index] = value;
  staging_.staged.set(index);
}

void VirtualMouseMemory::Commit(int32_t address, uint8_t lengthMinusOne) {
  const bool matches =
      staging_.active && staging_.address == address && staging_.lengthMinusOne == lengthMinusOne;
  if (matches) {
    for (size_t i = 0; i <= lengthMinusOne; ++i) {
      const size_t target = static_cast<size_t>(address) + i;
      if (staging_.staged.test(i) && target < memory_.size()) {
        memory_[target] = staging_.values[i];
      }
    }
    ++commits_;
  }
  staging_ = Staging{};
}

}  // namespace gm
