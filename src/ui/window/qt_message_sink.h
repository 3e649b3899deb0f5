#pragma once
// The program's message boxes: every message of the core becomes a message box with an OK
// button, in the interface language current when it shows. A message from another thread
// (the device threads, an Apply run) is handed to the user-interface thread and shown there;
// the sender does not wait for it.

#include <QString>

#include <functional>

#include "platform/message_sink.h"

namespace gm {

// Shows one text to the user (a modal message box in the program; tests record instead).
using MessagePresenter = std::function<void(const QString& text)>;

// A modal QMessageBox with the text and an OK button, over the top dialog or the main window
// (MessageBoxOwner) and blocking only that window.
void ShowMessageBox(const QString& text);

class QtMessageSink final : public MessageSink {
 public:
  explicit QtMessageSink(MessagePresenter presenter = ShowMessageBox);
  // Called on any thread; presents on the thread of the Qt application object.
  void ShowMessage(const UserMessage& message) override;

 private:
  void Present(const UserMessage& message) const;

  MessagePresenter presenter_;
};

}  // namespace gm
