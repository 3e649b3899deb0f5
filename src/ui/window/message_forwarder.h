#pragma once
// The main window's message sink: it passes every message on to the sink the program installed
// (the message boxes, or a test's recorder), except that while a "once per text" window is open
// a message equal to one already passed on in that window is dropped. The window is opened
// around operations that read one file key by key and would otherwise tell the user the same
// thing once per key (a missing config.ini read for four configurations).
//
// Thread-safe: the device threads may send messages at any time.

#include <mutex>
#include <vector>

#include "platform/message_sink.h"

namespace gm {

class MessageForwarder final : public MessageSink {
 public:
  // target: where messages go; null writes them to standard error.
  explicit MessageForwarder(MessageSink* target) : target_(target) {}

  void ShowMessage(const UserMessage& message) override;

  void BeginOncePerText();
  void EndOncePerText();

  // Opens the window for its lifetime.
  class OncePerText {
   public:
    explicit OncePerText(MessageForwarder& forwarder) : forwarder_(forwarder) {
      forwarder_.BeginOncePerText();
    }
    ~OncePerText() { forwarder_.EndOncePerText(); }
    OncePerText(const OncePerText&) = delete;
    OncePerText& operator=(const OncePerText&) = delete;

   private:
    MessageForwarder& forwarder_;
  };

 private:
  MessageSink* target_;
  std::mutex mutex_;
  int windowDepth_ = 0;
  std::vector<UserMessage> shownInWindow_;
};

}  // namespace gm
