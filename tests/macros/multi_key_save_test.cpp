// Saves that write many keys of one file replace it once, so that a crash between keys can
// never leave a file that is half old and half new.
#include <functional>

#include <gtest/gtest.h>

#include "macro_storage_fixture.h"
#include "settings/config_store.h"
#include "support/rename_hook.h"

namespace gm::test {
namespace {

class MultiKeySaveTest : public MacroStorageTest {};

TEST_F(MultiKeySaveTest, EachSaveReplacesItsFileOnce) {
  const std::pair<const char*, std::function<bool()>> saves[] = {
      {"the four configurations into an existing config.ini",
       [] {
         WriteIni(g_configFolder / "config.ini", {{"Init", {{"CurConfig", "0"}}}});
         return SaveConfigSections(g_configFolder / "config.ini");
       }},
      {"a recoil macro into a file of the older layout",
       [] {
         WriteIni(g_configFolder / "PUBG_EN.dat",
                  {{"Init", {{"DAT_VER", "2"}}},
                   {"Macros", {{"0", MacroLineText(V3Values("P"))},
                               {"2", MacroLineText(V3Values("R"))}}}});
         return SaveGunMacro(1, 40);
       }},
      {"a whole group file",
       [this] {
         WriteGroupFile("A", 1, {V3Values("a")});
         g_macroCount = 2;
         return SaveMacroFile(g_macroDir / "A.dat");
       }},
  };
  for (const auto& [save, run] : saves) {
    const std::uint64_t before = RenamesSoFar();
    ASSERT_TRUE(run()) << save;
    EXPECT_EQ(RenamesSoFar() - before, 1u) << save;
  }
}

}  // namespace
}  // namespace gm::test
