// Saves that write many keys of one file replace it once, so that a crash between keys can
// never leave a file that is half old and half new.
#include <functional>

#include <gtest/gtest.h>

#include "macro_storage_fixture.h"
#include "macros/macro_groups.h"
#include "settings/config_store.h"
#include "support/rename_hook.h"

namespace gm::test {
namespace {

class MultiKeySaveTest : public MacroStorageTest {};

TEST_F(MultiKeySaveTest, EachSaveReplacesItsFileOnce) {
  const std::filesystem::path gunFile = g_configFolder / "PUBG_EN.dat";
  const std::filesystem::path configFile = g_configFolder / "config.ini";
  struct Case {
    const char* save;
    std::function<bool()> run;
    std::filesystem::path file;
    std::u16string_view section, key, value;  // one key the save writes
  };
  const Case cases[] = {
      {"the group list",
       [this] {
         WriteGroupList("1", {"A"});
         g_macroGroupCount = 2;
         g_macroGroupNames[0] = u"A";
         g_macroGroupNames[1] = u"B";
         return SaveMacroGroups();
       },
       g_macroDir / "macroGrp.ini", u"MACRO_GROUP_NAME", u"1", u"B"},
      {"the four configurations",
       [&] {
         WriteIni(configFile, {{"Init", {{"CurConfig", "0"}}}});
         g_keyMacroMode[3][0] = 7;
         return SaveConfigSections(configFile);
       },
       configFile, u"Config3", u"LEFT_MAC0", u"7"},
      {"a recoil macro into a file of the older layout",
       [&] {
         WriteIni(gunFile, {{"Init", {{"DAT_VER", "2"}}},
                            {"Macros", {{"macroNum", "3"}, {"0", MacroLineText(V3Values("P"))},
                                        {"2", MacroLineText(V3Values("R"))}}}});
         return SaveGunMacro(1, 40);
       },
       gunFile, u"Init", u"DAT_VER", u"3"},
      {"a whole group file",
       [this] {
         WriteGroupFile("A", 1, {V3Values("a")});
         g_macroCount = 2;
         return SaveMacroFile(g_macroDir / "A.dat");
       },
       g_macroDir / "A.dat", u"Macros", u"macroNum", u"2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.save);
    const std::uint64_t before = RenamesSoFar();
    ASSERT_TRUE(c.run());
    EXPECT_EQ(RenamesSoFar() - before, 1u);
    EXPECT_EQ(ReadKey(c.file, c.section, c.key), c.value);
  }
}

}  // namespace
}  // namespace gm::test
