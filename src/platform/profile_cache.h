#pragma once
// Parsed profile files kept between calls, so that reading key after key of a file parses it
// once. A kept file is used again only while the file on disk is provably the same: same
// device, inode, size, modification and change time. Because file times are coarse (a few
// milliseconds, up to two seconds on some file systems), a file changed within that span of
// the moment it was read could carry the same times; such an entry is checked against the
// bytes on disk until the file has been unchanged for longer than that span.
//
// Thread-safe: lookups and stores may come from any thread; the parsed files handed out are
// never changed afterwards.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/profile_content.h"
#include "platform/profile_file.h"

namespace gm {

struct ProfileLookup {
  ReadOutcome outcome = ReadOutcome::kFailed;
  std::shared_ptr<const ParsedProfile> parsed;  // kRead only
  struct stat status {};                        // kRead and kTooLarge
  std::error_code error;                        // kFailed and kTooLarge
};

// The file at path as it is now, parsed (from the cache when it is unchanged).
ProfileLookup LookUpProfile(const std::filesystem::path& file);

// Records that this process has just written `parsed` as the whole file at path; `written`
// is the time taken just before the write began.
void StoreWrittenProfile(const std::filesystem::path& file,
                         std::shared_ptr<const ParsedProfile> parsed, const timespec& written);

// Drops what is kept of the file (after a write that may have left it in an unknown state).
void ForgetProfile(const std::filesystem::path& file);

// How many times a file was read from disk and parsed by LookUpProfile, in this process: what
// the cache saves is measured with it.
std::uint64_t ProfileFilesParsed();

// The current time as file times count it.
timespec FileClockNow();

}  // namespace gm
