#pragma once
// Telling the user that a file could not be saved.
//
// The profile writers (platform/private_profile.h) note every write that fails on the calling
// thread. A SaveFailureReport marks one save as the user sees it (a settings save, a macro
// file, Apply as a whole): while the outermost report of a thread lives, the failed writes of
// that thread are collected, and when it ends one message per file that failed is shown, with
// the reason of its first failure. Reports nest: an inner one (a saver called inside a larger
// save) shows nothing itself and leaves its failures to the outermost. Writes that fail with no
// report alive are returned to their caller only. A command that tells its failures through
// its own result holds a SaveFailureCapture instead: the failures under it are its caller's to
// show, and no report shows them.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/message_sink.h"

namespace gm {

// "Error：文件保存失败!" / "Error: the file could not be saved!", the file's path on the next
// line and the reason, where known, on the line after it.
UserMessage SaveFailedMessage(const std::filesystem::path& file, std::error_code reason = {});

// Shows SaveFailedMessage at once, for a caller that found the failure itself.
void ShowSaveFailed(const std::filesystem::path& file, std::error_code reason = {});

// Called by the profile writers when a write of `file` failed; collected only while a report
// is alive on this thread.
void NoteFailedSave(const std::filesystem::path& file, std::error_code reason);

// A save that failed: the file named by the caller and the reason, where known.
struct SaveFailure {
  std::filesystem::path file;
  std::error_code reason;
  bool operator==(const SaveFailure&) const = default;
};

class SaveFailureReport {
 public:
  SaveFailureReport();
  ~SaveFailureReport();
  SaveFailureReport(const SaveFailureReport&) = delete;
  SaveFailureReport& operator=(const SaveFailureReport&) = delete;

  // True when a write on this thread failed since this report began.
  bool failed() const;

 private:
  std::size_t firstFailure_;
  bool outermost_;
};

// A save whose failures its holder tells through its own result (a command's outcome): it
// collects the failed writes of this thread as a report does, and reports begun under it show
// nothing. Take hands the first failure to the holder, and the capture then ends without a
// message; failures not taken are shown when it ends as by a report (or left to an outer one),
// so that no failure goes untold. A failure found without the profile writers (a file that
// could not be removed) is added with NoteFailedSave.
class SaveFailureCapture {
 public:
  SaveFailureCapture();
  ~SaveFailureCapture();
  SaveFailureCapture(const SaveFailureCapture&) = delete;
  SaveFailureCapture& operator=(const SaveFailureCapture&) = delete;

  // The first write that failed since this capture began (nothing when none did); the
  // failures collected so far are the holder's to tell from now on.
  std::optional<SaveFailure> Take();

 private:
  std::size_t firstFailure_;
  bool outermost_;
  bool taken_ = false;
};

}  // namespace gm
