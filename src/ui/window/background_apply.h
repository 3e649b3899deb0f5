#pragma once
// Apply from the window without freezing it: the download runs on a worker thread (the same
// ApplySettingsToDevice, so the same reports in the same order), and finished() comes on the
// thread of this object once it is over. One run at a time.

#include <QObject>

#include <optional>
#include <thread>

#include "device/apply_settings.h"
#include "device/system_mouse_settings.h"

namespace gm {

class BackgroundApply : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundApply(SystemMouseSettings& system, QObject* parent = nullptr);
  // Waits for a run that is still going.
  ~BackgroundApply() override;

  // Starts a run that first saves macroToSaveFirst; false (nothing started) while one runs.
  bool Start(std::optional<GroupMacro> macroToSaveFirst);
  bool Running() const { return running_; }
  // Waits for the running run to end; finished() still comes through the event loop.
  void Wait();

 signals:
  void finished(gm::ApplyResult result);

 private:
  SystemMouseSettings& system_;
  std::thread worker_;
  bool running_ = false;  // user-interface thread only
};

}  // namespace gm

Q_DECLARE_METATYPE(gm::ApplyResult)
