// The language switch of the header buttons: everything the interface shows in a language is
// loaded again in the other one, and VER_SEL is written first, so the next start comes up in
// the new language even if the switch ends the program (a layout file missing).

#include <mutex>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "ui/window/context_menus.h"
#include "ui/pages/led_mode_names.h"
#include "ui/window/main_dialog.h"
#include "ui/window/tray_icon.h"
#include "ui/pages/ui_state.h"

namespace gm {
namespace {

// The current macro goes to its group file in the folder of the language being left. With no
// group at all there is no such file, and nothing is written (not even a file named ".dat").
void SaveCurrentMacro() {
  if (g_macroGroupCount <= 0 || g_curMacroGroup < 0 || g_curMacroGroup >= g_macroGroupCount) {
    return;
  }
  if (g_curMacro < 0 || g_curMacro >= kMacrosPerGroup) return;
  const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[g_curMacroGroup]);
  if (!file) return;
  std::lock_guard lock(g_macroTablesMutex);
  SaveMacro(*file, g_curMacro);
}

}  // namespace

void CQEL_GMouseDlg::SwitchToChinese() { SwitchLanguage(/*toEnglish=*/false); }

void CQEL_GMouseDlg::SwitchToEnglish() { SwitchLanguage(/*toEnglish=*/true); }

void CQEL_GMouseDlg::SwitchLanguage(bool toEnglish) {
  SaveCurrentMacro();
  g_isEnglish = toEnglish ? 1 : 0;
  SaveLanguage(g_configIniPath, toEnglish);
  LoadConfigNames(g_configIniPath, toEnglish);
  {
    // The device threads read the recoil macros under this lock.
    std::lock_guard lock(g_macroTablesMutex);
    LoadGunMacros();
  }
  LoadLedModeNames(toEnglish);
  if (LoadAllSkinLayouts(layout_)) {
    // The loader has named the missing file; the program cannot go on without it.
    EndProgram(/*sendLeavingNotice=*/true);
    return;
  }
  {
    // The recoil adjustment of the device report thread reads the current group and saves
    // into the open group's table under this lock.
    std::lock_guard lock(g_macroTablesMutex);
    SetMacroFoldersForLanguage(toEnglish);
    LoadMacroGroups();
    if (g_macroGroupCount != 0) {
      OpenMacroGroupFile(static_cast<uint8_t>(g_curMacroGroup), /*load=*/true);
      LoadMacroNames();
    }
  }
  if (g_curPage.load() == kPageMacro) {
    if (controls_) controls_->RefillMacroPageAfterLanguageSwitch(toEnglish);
    update();
  }
  LoadContextMenus(toEnglish);
  tray_->ReloadMenu();  // the tip keeps the product name of the start-up language
  SetWindowTitleForLanguage();
}

void CQEL_GMouseDlg::SetMacroFoldersForLanguage(bool isEnglish) {
  // Only the two macro folders: the other paths are read by the device threads at any time
  // and never change after start-up.
  const std::filesystem::path language = g_skinsFolder / LanguageFolderName(isEnglish);
  g_macroDir = language / "macro" / "";
  g_macroResetDir = language / "macroReset" / "";
}

void CQEL_GMouseDlg::SetWindowTitleForLanguage() {
  const std::u16string& name = g_isEnglish.load() != 0 ? g_productNameEn : g_productNameCn;
  setWindowTitle(QString::fromStdU16String(name));
}

}  // namespace gm
