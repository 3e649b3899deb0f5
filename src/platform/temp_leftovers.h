#pragma once
// The temporary entries the writers make beside what they replace, and the removal of those
// that a killed process left behind.
//
// Names: ".<name>.tmp<process id>.<counter>" for a temporary file or folder (a file being
// written, a folder being built), ".<name>.old<process id>.<counter>" for a folder set aside
// while a new one takes its name (where the file system cannot swap two folders in one step).
// A killed process leaves at most these; RemoveDeadLeftovers removes the temporary files, and
// RemoveDeadFolderLeftovers the temporary folders of one folder's name and puts a folder set
// aside under that name back where nothing took its name, so what the writer replaced stays
// either as it was or whole as it became.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gm {

// The name of temporary entry number `counter` of this process for `target`.
std::string TempFileName(const std::filesystem::path& target, unsigned counter);

// The name under which this process sets `target` aside (number `counter`).
std::string SetAsideName(const std::filesystem::path& target, unsigned counter);

// The process that made a temporary or set-aside entry of this name; nothing for any other
// name.
std::optional<pid_t> TempFileOwner(std::string_view fileName);

// Removes the temporary files in `folder` whose process no longer runs. Only regular files
// go: a folder or link of such a name, and every other entry, stay (the writers of single
// files make nothing else, and a folder of a look-alike name may be the user's). Entries of
// running processes (this one included) stay. Safe from any thread.
void RemoveDeadLeftovers(const std::filesystem::path& folder);

// Removes what a killed replacement of the folder `folder` left beside it, in its parent
// folder: temporary folders made for that name with all they hold (links inside are removed,
// never followed), and folders set aside under that name, which get the name back where it is
// free and go where a new folder took it. Only entries made for `folder`'s own name of
// processes that no longer run are touched. Safe from any thread.
void RemoveDeadFolderLeftovers(const std::filesystem::path& folder);

// RemoveDeadLeftovers once per folder per process, before the first write into it.
void RemoveDeadTempFilesOnce(const std::filesystem::path& folder);

}  // namespace gm
