#include "platform/save_failure.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

struct FailedSave {
  fs::path file;
  std::error_code reason;
};

// The reports alive on this thread and the failures they collected, oldest first.
struct ThreadSaveFailures {
  int openReports = 0;
  std::vector<FailedSave> failures;
};

thread_local ThreadSaveFailures t_saveFailures;

}  // namespace

UserMessage SaveFailedMessage(const fs::path& file, std::error_code reason) {
  const std::u16string path = ToUtf16(file.string());
  std::u16string detail;
  if (reason) detail = u"\n(" + ToUtf16(reason.message()) + u")";
  return {u"Error：文件保存失败!\n" + path + detail,
          u"Error: the file could not be saved!\n" + path + detail};
}

void ShowSaveFailed(const fs::path& file, std::error_code reason) {
  ShowUserMessage(SaveFailedMessage(file, reason));
}

void NoteFailedSave(const fs::path& file, std::error_code reason) {
  if (t_saveFailures.openReports == 0) return;
  t_saveFailures.failures.push_back({file, reason});
}

SaveFailureReport::SaveFailureReport()
    : firstFailure_(t_saveFailures.failures.size()), outermost_(t_saveFailures.openReports == 0) {
  ++t_saveFailures.openReports;
}

SaveFailureReport::~SaveFailureReport() {
  --t_saveFailures.openReports;
  if (!outermost_) return;
  std::vector<FailedSave> failures = std::move(t_saveFailures.failures);
  t_saveFailures.failures.clear();
  std::vector<fs::path> shown;
  for (const FailedSave& failure : failures) {
    if (std::find(shown.begin(), shown.end(), failure.file) != shown.end()) continue;
    shown.push_back(failure.file);
    ShowSaveFailed(failure.file, failure.reason);
  }
}

bool SaveFailureReport::failed() const { return t_saveFailures.failures.size() > firstFailure_; }

}  // namespace gm
