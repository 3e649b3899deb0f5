#pragma once
// Macro folders as wholes: recursive copy and delete, and the replacement of a folder by a copy
// of another as one step, with which the macro page restores the factory macro folder
// (ReplaceDirectoryWithCopy of the macro folder from macroReset). None of them ever follows a
// symbolic link inside the folders: links are deleted as links and never copied. A file that
// could not be copied or deleted is noted for the SaveFailureReport (platform/save_failure.h)
// with the reason. User-interface thread.

#include <filesystem>

namespace gm {

// Copies the files of source into destination, sub-folders recursively, replacing files of
// the same name, each as one step (the old file or the whole copy); files that exist only in
// destination stay. A file above the profile size limit (platform/profile_file.h) is not
// copied. The destination folder is created when missing. Symbolic links and other entries
// that are neither regular files nor folders are skipped; a link in the destination where a
// file or folder is copied is removed first, so nothing is written through it. When
// destination lies inside source, that folder is not copied into itself. Returns false when
// anything could not be copied (the rest is still copied).
bool CopyDirectory(const std::filesystem::path& source, const std::filesystem::path& destination);

// Deletes everything inside folder: files, symbolic links (the link itself, never what it
// points to) and sub-folders with their contents. The folder itself stays, empty. A folder
// that is itself a symbolic link is left alone with everything behind it (false). Returns
// false when anything could not be deleted (the rest is still deleted).
bool DeleteDirectory(const std::filesystem::path& folder);

// Replaces what `folder` holds by a copy of `source` as one step. The copy is built beside the
// folder under a temporary name (platform/temp_leftovers.h), gets the folder's permission bits
// (and its owner, where this user may give it), and then takes the folder's place by one
// rename that swaps the two; the old contents are deleted afterwards. Where the file system
// cannot swap, the old folder is set aside and the copy renamed into its place. Readers and a
// process killed at any point see the old folder or the whole copy, never a mix; what a killed
// replacement leaves beside the folder goes with RemoveReplacementLeftovers. A folder that is a
// symbolic link stays one: the folder it points to is replaced. A missing folder is created.
// Where no folder can be made beside it (a folder this user may not write holds it), the
// folder's contents are replaced in place instead: file by file, each file as one step,
// `indexFile` (the top-level file that lists the others) last, then what source lacks is
// deleted; a killed process then leaves the old or the new index file with a whole file of
// every name it lists. False when the copy could not be made or put in place (the folder then
// as it was, except in place); each failure is noted with the file (the folder as named, for
// the folder itself) and the reason.
bool ReplaceDirectoryWithCopy(const std::filesystem::path& source,
                              const std::filesystem::path& folder,
                              const std::filesystem::path& indexFile);

// Removes what a killed ReplaceDirectoryWithCopy of `folder` left beside it: a copy being built
// or the old folder, which gets its name back where the killed process had set it aside and
// no copy had yet taken its place; and inside it, the temporary file of a replacement in
// place. Leftovers of running processes stay. Called before the macro folder is read
// (start-up, language switch, reset).
void RemoveReplacementLeftovers(const std::filesystem::path& folder);

}  // namespace gm
