#pragma once
// The file dialogs of the macro page's group import and export: "All Files(*.dat)", starting
// in the macro folder of the current language; the export's dialog adds ".dat" to a name
// without an extension and asks before it replaces a file. The window passes the chosen path
// to ImportMacroGroup / ExportMacroGroup (editor/macro_group_commands.h).

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace gm {

// The group file the user picks for an import or an export; nothing when cancelled.
enum class MacroGroupFileChoice { kImport, kExport };
using MacroGroupFileChooser =
    std::function<std::optional<std::filesystem::path>(MacroGroupFileChoice, QWidget* owner)>;

std::optional<std::filesystem::path> ChooseMacroGroupFile(MacroGroupFileChoice choice,
                                                          QWidget* owner);

}  // namespace gm
