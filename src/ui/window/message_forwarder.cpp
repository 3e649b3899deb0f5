#include "ui/window/message_forwarder.h"

#include <algorithm>

namespace gm {

void MessageForwarder::ShowMessage(const UserMessage& message) {
  {
    std::lock_guard lock(mutex_);
    if (windowDepth_ > 0) {
      if (std::find(shownInWindow_.begin(), shownInWindow_.end(), message) !=
          shownInWindow_.end()) {
        return;
      }
      shownInWindow_.push_back(message);
    }
  }
  // Outside the lock: the target may show a modal box that runs an event loop.
  if (target_ != nullptr) {
    target_->ShowMessage(message);
  } else {
    WriteUserMessageToStderr(message, /*isEnglish=*/true);
  }
}

void MessageForwarder::BeginOncePerText() {
  std::lock_guard lock(mutex_);
  ++windowDepth_;
}

void MessageForwarder::EndOncePerText() {
  std::lock_guard lock(mutex_);
  if (windowDepth_ > 0 && --windowDepth_ == 0) shownInWindow_.clear();
}

}  // namespace gm
