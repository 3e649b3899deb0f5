#pragma once
// The temporary files the profile writers make beside a file they replace, named
// ".<file name>.tmp<process id>.<counter>", and the removal of those that a killed process
// left behind.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gm {

// The name of temporary file number `counter` of this process for `target`.
std::string TempFileName(const std::filesystem::path& target, unsigned counter);

// The process that made a temporary file of this name; nothing for any other name.
std::optional<pid_t> TempFileOwner(std::string_view fileName);

// Removes the temporary files in `folder` whose process no longer runs. Files of running
// processes (this one included) and every other entry stay. Done once per folder per process,
// before its first write; the callers serialise it with their writes.
void RemoveDeadTempFilesOnce(const std::filesystem::path& folder);

}  // namespace gm
