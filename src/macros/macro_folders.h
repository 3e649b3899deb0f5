#pragma once
// Recursive copy and delete of macro folders, with which the macro page restores the factory
// macro folder (DeleteDirectory of the macro folder, then CopyDirectory from macroReset).
// Neither ever follows a symbolic link: links are deleted as links and never copied. A file
// that could not be copied or deleted is noted for the SaveFailureReport
// (platform/save_failure.h) with the reason.

#include <filesystem>

namespace gm {

// Copies the files of source into destination, sub-folders recursively, replacing files of
// the same name; files that exist only in destination stay. The destination folder is created
// when missing. Symbolic links and other entries that are neither regular files nor folders
// are skipped; a link in the destination where a file or folder is copied is removed first, so
// nothing is written through it. When destination lies inside source, that folder is not
// copied into itself. Returns false when anything could not be copied (the rest is still
// copied).
bool CopyDirectory(const std::filesystem::path& source, const std::filesystem::path& destination);

// Deletes everything inside folder: files, symbolic links (the link itself, never what it
// points to) and sub-folders with their contents. The folder itself stays, empty. A folder
// that is itself a symbolic link is left alone with everything behind it (false). Returns
// false when anything could not be deleted (the rest is still deleted).
bool DeleteDirectory(const std::filesystem::path& folder);

}  // namespace gm
