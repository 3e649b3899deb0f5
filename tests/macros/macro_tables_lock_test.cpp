// The loaders that replace tables the device threads and the download also read take
// g_macroTablesMutex: while another thread holds it, they wait and change nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "macro_storage_fixture.h"
#include "macros/macro_groups.h"

namespace gm::test {
namespace {

using namespace std::chrono_literals;

// Long enough for a loader of a few small files to finish when nothing stops it.
constexpr auto kGraceTime = 300ms;

class MacroTablesLockTest : public MacroStorageTest {
 protected:
  // Runs `load` on its own thread while this test holds the tables, checks with `unchanged`
  // (still holding them) that the load has not touched them, then lets it finish.
  static void ExpectWaitsForTheTables(const std::function<void()>& load,
                                      const std::function<void()>& unchanged) {
    std::unique_lock lock(g_macroTablesMutex);
    std::future<void> done = std::async(std::launch::async, load);
    EXPECT_EQ(done.wait_for(kGraceTime), std::future_status::timeout);
    unchanged();
    lock.unlock();
    done.get();
  }
};

TEST_F(MacroTablesLockTest, RecoilLoadAndSaveWaitForTheTables) {
  WriteIni(g_configFolder / "PUBG_EN.dat",
           {{"Init", {{"DAT_VER", "3"}}},
            {"Macros", {{"macroNum", "1"}, {"0", MacroLineText(V3Values("M416"))}}}});
  ExpectWaitsForTheTables(LoadGunMacros, [] {
    EXPECT_EQ(g_gunMacroCount, 0);
    EXPECT_EQ(g_gunMacros[0].name[0], 0);
  });
  EXPECT_EQ(g_gunMacroCount, 1);
  EXPECT_EQ(g_gunNames[0], u"M416");

  g_gunMacros[0].xy[0].y = 5;
  ExpectWaitsForTheTables([] { SaveGunMacro(0, 40); },
                          [] { EXPECT_EQ(g_gunMacros[0].xy[0].y, 5); });
  EXPECT_EQ(g_gunMacros[0].xy[0].y, 40);
}

TEST_F(MacroTablesLockTest, BuiltInLoadWaitsForTheTables) {
  WriteIni(g_configFolder / "constMacro.dat",
           {{"Init", {{"DAT_VER", "3"}}},
            {"Macros", {{"macroNum", "1"}, {"0", MacroLineText(V3Values("Fire"))}}}});
  ExpectWaitsForTheTables([] { LoadConstMacros(g_configFolder / "constMacro.dat"); },
                          [] { EXPECT_EQ(g_constMacroCount, 0); });
  EXPECT_EQ(g_constMacroCount, 1);
  EXPECT_EQ(MacroNameOf(g_constMacros[0]), u"Fire");
}

TEST_F(MacroTablesLockTest, GroupListLoadSetsTheOpenGroupUnderTheTables) {
  WriteGroupFile("A", 0, {});
  WriteGroupList("1", {"A"});
  g_curMacroGroup = 5;
  ExpectWaitsForTheTables(LoadMacroGroups, [] { EXPECT_EQ(g_curMacroGroup, 5); });
  EXPECT_EQ(g_curMacroGroup, 0);
  EXPECT_EQ(g_macroGroupCount, 1);
}

}  // namespace
}  // namespace gm::test
