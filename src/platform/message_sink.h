#pragma once
// Where the core reports what the user must be told. The core shows no windows: every
// message box of the program goes through the installed sink, which the user interface
// implements (and tests replace with a recorder). Sinks may be called from any thread.

#include <string>

namespace gm {

// One message with its text in both languages; a message that the program only has in
// one language carries the same text twice.
struct UserMessage {
  std::u16string chinese;
  std::u16string english;

  const std::u16string& Text(bool isEnglish) const { return isEnglish ? english : chinese; }
  bool operator==(const UserMessage&) const = default;
};

inline UserMessage SameInBothLanguages(std::u16string text) { return {text, text}; }

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const UserMessage& message) = 0;
};

// Installs the sink for the whole process (nullptr restores the default, which writes the
// message to standard error). The sink must outlive its installation.
void SetMessageSink(MessageSink* sink);

// Hands a message to the installed sink.
void ShowUserMessage(const UserMessage& message);

// Writes the message's text in the language to standard error as one line (where a message
// goes that no window shows). Any thread.
void WriteUserMessageToStderr(const UserMessage& message, bool isEnglish);

}  // namespace gm
