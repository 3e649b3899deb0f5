#pragma once
// Installs itself as the process's message sink for its lifetime and records every message.

#include <mutex>
#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace gm::test {

class MessageRecorder : public MessageSink {
 public:
  MessageRecorder() { SetMessageSink(this); }
  ~MessageRecorder() override { SetMessageSink(nullptr); }

  void ShowMessage(const UserMessage& message) override {
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
  }

  std::vector<UserMessage> messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  // The English texts in order, for compact assertions.
  std::vector<std::u16string> englishTexts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::u16string> out;
    for (const auto& m : messages_) out.push_back(m.english);
    return out;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<UserMessage> messages_;
};

}  // namespace gm::test
