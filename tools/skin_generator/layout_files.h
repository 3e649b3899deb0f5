#pragma once
// The skin layout files of the four pages and of the notice box, in both languages, written
// key by key with the program's own INI writer: "BUTTONPOS" lines "name,x,y,w,h,caption,",
// the "EDIT" and "MACRODISPLAY" places, and the key-function names of "FUN_STRING".

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skin_geometry.h"

namespace gm::skingen {

enum class LayoutFile { kMain, kColor, kAdvance, kMac, kLbWarning };

// "INI_EN/skin_main_en.ini" or "INI_CN/skin_main.ini" and so on, below the skins folder.
std::filesystem::path LayoutFileName(LayoutFile file, bool english);

// The value of a page element's line: its name, rectangle and caption, each followed by a
// comma. An element without a rectangle is written as "Unused,0,0,0,0,,".
std::u16string ElementLine(const Element* element, bool english);

// Writes every layout file of both languages below `skinsFolder` (each file is written anew).
// Returns the problems met; empty when every file was written.
std::vector<std::string> WriteLayoutFiles(const std::filesystem::path& skinsFolder);

}  // namespace gm::skingen
