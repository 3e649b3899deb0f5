#include "ui/window/background_apply.h"

namespace gm {

BackgroundApply::BackgroundApply(SystemMouseSettings& system, QObject* parent)
    : QObject(parent), system_(system) {}

BackgroundApply::~BackgroundApply() { Wait(); }

bool BackgroundApply::Start(std::optional<GroupMacro> macroToSaveFirst) {
  if (running_) return false;
  Wait();  // the thread of the previous run has ended; collect it
  running_ = true;
  worker_ = std::thread([this, macroToSaveFirst] {
    const ApplyResult result = ApplySettingsToDevice(system_, macroToSaveFirst);
    // Delivered on this object's thread; dropped when the object is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, result] {
          running_ = false;
          emit finished(result);
        },
        Qt::QueuedConnection);
  });
  return true;
}

void BackgroundApply::Wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace gm
