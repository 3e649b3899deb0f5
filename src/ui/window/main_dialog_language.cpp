// The language switch of the header buttons: everything the interface shows in a language is
// loaded again in the other one, and VER_SEL is written first, so the next start comes up in
// the new language even if the switch ends the program (a layout file missing).

#include "macros/group_macro_save.h"
#include "macros/macro_record.h"
#include "macros/macro_reload.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "ui/controls/context_menus.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/ui_state.h"
#include "ui/window/main_dialog.h"
#include "ui/window/tray_icon.h"

namespace gm {

void CQEL_GMouseDlg::SwitchToChinese() { SwitchLanguage(/*toEnglish=*/false); }

void CQEL_GMouseDlg::SwitchToEnglish() { SwitchLanguage(/*toEnglish=*/true); }

void CQEL_GMouseDlg::SwitchLanguage(bool toEnglish) {
  // The current macro goes to its group file in the folder of the language being left.
  SaveGroupMacro({g_curMacroGroup, g_curMacro});
  g_isEnglish = toEnglish ? 1 : 0;
  SaveLanguage(g_configIniPath, toEnglish);
  LoadConfigNames(g_configIniPath, toEnglish);
  LoadGunMacros();
  LoadLedModeNames(toEnglish);
  if (LoadAllSkinLayouts(layout_)) {
    // The loader has named the missing file; the program cannot go on without it.
    EndProgram(/*sendLeavingNotice=*/true);
    return;
  }
  SwitchMacroFoldersToLanguage(toEnglish);
  if (g_curPage.load() == kPageMacro) {
    if (controls_) controls_->RefillMacroPageAfterLanguageSwitch(toEnglish);
    update();
  }
  LoadContextMenus(toEnglish);
  tray_->ReloadMenu();  // the tip keeps the product name of the start-up language
  SetWindowTitleForLanguage();
}

void CQEL_GMouseDlg::SetWindowTitleForLanguage() {
  const std::u16string& name = g_isEnglish.load() != 0 ? g_productNameEn : g_productNameCn;
  setWindowTitle(QString::fromStdU16String(name));
}

}  // namespace gm
