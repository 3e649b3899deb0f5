#pragma once
// The layout files of the two dialogs, written through the program's own INI writer so that
// the program reads back exactly what is written here. Each element is one key of
// "BUTTONPOS" (or "EDIT") whose value is "name,x,y,w,h,caption," - six commas.

#include <filesystem>
#include <string>

#include "popup_geometry.h"

namespace gm::popups {

enum class Language { kEnglish, kChinese };

// skins/INI_EN/<stem>_en.ini or skins/INI_CN/<stem>.ini.
std::filesystem::path DialogLayoutPath(const std::filesystem::path& skinsFolder,
                                       const DialogSkin& dialog, Language language);

// Replaces the file with the dialog's elements. On failure returns false and says why in
// `error`.
bool WriteDialogLayout(const std::filesystem::path& skinsFolder, const DialogSkin& dialog,
                       Language language, std::string& error);

// The layout value of one element.
std::u16string LayoutValue(const PopupElement& element, Language language);

}  // namespace gm::popups
