#pragma once
// Which group names may become file names. A group's name is also the title of its file in
// the macro folder (name + ".dat"), so a name is accepted only when that file lies directly
// inside the macro folder and the name reads back unchanged from the group list file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace gm {

// The group list file keeps at most 59 units of a name (a 60-unit read buffer).
inline constexpr std::size_t kMaxGroupNameUnits = 59;
inline constexpr char16_t kGroupFileExtension[] = u".dat";

// Shown by the macro page when it refuses a name.
inline const UserMessage kInvalidGroupNameMessage =
    SameInBothLanguages(u"Invalid: Delete Invalid character");

// False for: an empty name; a name longer than 59 units; "." and ".."; a name with a path
// separator ('/' or '\\'), a control character (NUL included), a character that Windows
// refuses in file names (< > : " | ? *) or an unpaired surrogate; a name that the list file
// would not give back as written (leading or trailing blanks, enclosing single quotes).
bool IsValidGroupName(std::u16string_view name);

// folder / (name + ".dat") for a valid name; nothing for a name IsValidGroupName refuses.
// When no file of exactly that name exists but one whose name differs only in letter case
// does (group folders copied from Windows, which ignores case), that file is the group's file;
// of several such files the first in name order. Every path made from a group name goes
// through here.
std::optional<std::filesystem::path> GroupFilePath(const std::filesystem::path& folder,
                                                   std::u16string_view name);

}  // namespace gm
