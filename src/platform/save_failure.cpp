#include "platform/save_failure.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace gm {

namespace fs = std::filesystem;

namespace {

// The reports alive on this thread and the failures they collected, oldest first.
struct ThreadSaveFailures {
  int openReports = 0;
  std::vector<SaveFailure> failures;
};

thread_local ThreadSaveFailures t_saveFailures;

// Shows one message per file among the failures collected on this thread and forgets them.
void ShowCollectedFailures() {
  std::vector<SaveFailure> failures = std::move(t_saveFailures.failures);
  t_saveFailures.failures.clear();
  std::vector<fs::path> shown;
  for (const SaveFailure& failure : failures) {
    if (std::find(shown.begin(), shown.end(), failure.file) != shown.end()) continue;
    shown.push_back(failure.file);
    ShowUserMessage(SaveFailedMessage(failure.file, failure.reason));
  }
}

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
  if (outermost_) ShowCollectedFailures();
}

bool SaveFailureReport::failed() const { return t_saveFailures.failures.size() > firstFailure_; }

SaveFailureCapture::SaveFailureCapture()
    : firstFailure_(t_saveFailures.failures.size()), outermost_(t_saveFailures.openReports == 0) {
  ++t_saveFailures.openReports;
}

SaveFailureCapture::~SaveFailureCapture() {
  --t_saveFailures.openReports;
  std::vector<SaveFailure>& failures = t_saveFailures.failures;
  if (taken_ && failures.size() > firstFailure_) {
    failures.erase(failures.begin() + static_cast<std::ptrdiff_t>(firstFailure_), failures.end());
  }
  if (outermost_) ShowCollectedFailures();
}

std::optional<SaveFailure> SaveFailureCapture::Take() {
  taken_ = true;
  if (t_saveFailures.failures.size() <= firstFailure_) return std::nullopt;
  return t_saveFailures.failures[firstFailure_];
}

}  // namespace gm
