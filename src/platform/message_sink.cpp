#include "platform/message_sink.h"

#include <atomic>
#include <cstdio>

#include "platform/text.h"

namespace gm {

namespace {
std::atomic<MessageSink*> g_sink{nullptr};
}  // namespace

void SetMessageSink(MessageSink* sink) { g_sink.store(sink); }

void ShowUserMessage(const UserMessage& message) {
  if (MessageSink* sink = g_sink.load()) {
    sink->ShowMessage(message);
    return;
  }
  WriteUserMessageToStderr(message, /*isEnglish=*/true);
}

void WriteUserMessageToStderr(const UserMessage& message, bool isEnglish) {
  std::fprintf(stderr, "%s\n", ToUtf8(message.Text(isEnglish)).c_str());
  std::fflush(stderr);
}

}  // namespace gm
