// "Reset all macro groups": the factory set replaces the macro folder as one step, also when
// the reset is killed at any point, and through a macro folder that is a link.
#include <unistd.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "editor/macro_group_commands.h"
#include "macro_commands_fixture.h"
#include "platform/profile_content.h"
#include "platform/profile_file.h"
#include "platform/save_failure.h"
#include "support/rename_hook.h"

namespace gm::test {
namespace {

using Id = MacroMessageId;
namespace fs = std::filesystem;

// Every entry below a folder: files with their bytes, folders as "/".
using FolderTree = std::map<std::string, std::string>;

FolderTree TreeOf(const fs::path& folder) {
  FolderTree tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    tree[name] = entry.is_directory() ? "/" : ReadFileBytes(entry.path());
  }
  return tree;
}

void WriteTree(const fs::path& folder, const FolderTree& tree) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const auto& [name, bytes] : tree) {
    if (bytes == "/") {
      fs::create_directories(folder / name);
    } else {
      WriteFileBytes(folder / name, bytes);
    }
  }
}

class GroupResetTest : public MacroCommandsTest {
 protected:
  // Groups A and B in the macro folder; the factory set F (one macro "f") and G, with an
  // empty sub-folder.
  void SetUp() override {
    MacroCommandsTest::SetUp();
    MakeGroups({{"A", {MakeMacro(u"a1", {})}}, {"B", {MakeMacro(u"b1", {{0x05, 1}})}}});
    for (const auto& [group, macro] : {std::pair{"F", u"f"}, std::pair{"G", u"g"}}) {
      const std::string line = ToUtf8(BuildMacroLine(MakeMacro(macro, {})));
      WriteIni(g_macroResetDir / (std::string(group) + ".dat"),
               {{"Init", {{"DAT_VER", "3"}}}, {"Macros", {{"macroNum", "1"}, {"0", line}}}});
    }
    WriteIni(g_macroResetDir / "macroGrp.ini", {{"MACRO_GROUP_NUM", {{"macGrpNum", "2"}}},
                                                {"MACRO_GROUP_NAME", {{"0", "F"}, {"1", "G"}}}});
    fs::create_directory(g_macroResetDir / "empty");
  }

  // The folder that holds the macro folder and the factory folder.
  static fs::path LanguageFolder() { return g_macroDir.parent_path().parent_path(); }

  // Nothing beside the macro folder and the factory folder.
  static void ExpectOnlyTheTwoFolders() {
    EXPECT_EQ(EntryNames(LanguageFolder()), (std::vector<std::string>{"macro", "macroReset"}));
  }
};

TEST_F(GroupResetTest, ResetReplacesEveryGroupByTheFactorySetAndCollapsesThem) {
  const MacroCommandOutcome outcome = ResetAllMacroGroups(expanded_);
  FillEntries();
  ExpectDiskMatchesTables();
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"F", u"G"}));
  EXPECT_EQ(TreeOf(g_macroDir), TreeOf(g_macroResetDir));
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"f");
  EXPECT_EQ(expanded_[0], 0u);
  ExpectOnlyTheTwoFolders();

  // Without a factory list nothing is replaced, and the message names the missing file.
  fs::remove(g_macroResetDir / "macroGrp.ini");
  const MacroCommandOutcome refused = ResetAllMacroGroups(expanded_);
  ASSERT_EQ(Ids(refused), std::vector{Id::kSaveFailed});
  EXPECT_EQ(refused.messages[0].failure.file, g_macroResetDir / "macroGrp.ini");
  EXPECT_TRUE(fs::exists(g_macroDir / "F.dat"));
}

// A reset killed before any of its renames (each file of the copy, the swap; on a file system
// that cannot swap two folders, the two renames that stand for it) leaves the old or the new
// folder whole once the next start has read the macro folder, and nothing beside it.
TEST_F(GroupResetTest, AResetKilledAtAnyStepLeavesTheOldOrTheNewFolder) {
  const FolderTree before = TreeOf(g_macroDir);
  const FolderTree after = TreeOf(g_macroResetDir);
  for (const bool canSwap : {true, false}) {
    SCOPED_TRACE(canSwap ? "swap in one rename" : "two renames");
    int oldFolders = 0;
    for (std::uint64_t n = 1;; ++n) {
      SCOPED_TRACE(n);  // killed before rename n
      WriteTree(g_macroDir, before);
      const int status = ExitStatusOfChild([&] {
        if (!canSwap) RefuseRenameExchange();
        ExitBeforeRename(n);
        ResetAllMacroGroups(expanded_);
        return true;
      });
      LoadMacroGroups();  // as the next start does
      const FolderTree now = TreeOf(g_macroDir);
      ASSERT_TRUE(now == before || now == after);
      ExpectOnlyTheTwoFolders();
      if (status == 0) {
        EXPECT_EQ(now, after);
        // Three files copied, then the swap (one rename; or the refused swap and two
        // renames): every kill up to the last rename of the swap leaves the old folder.
        EXPECT_EQ(oldFolders, canSwap ? 4 : 6);
        break;
      }
      ASSERT_EQ(status, kExitedBeforeRename);
      oldFolders += now == before;
    }
  }
  EXPECT_TRUE(messages_.messages().empty());
}

// The next start removes what a killed reset left beside the macro folder, and nothing else:
// entries made for other names (the user's, whatever they look like) and those of running
// processes stay.
TEST_F(GroupResetTest, TheNextStartRemovesOnlyWhatAKilledResetLeft) {
  const std::string pid = std::to_string(DeadProcessId());
  const std::vector<std::string> gone = {".macro.tmp" + pid + ".1", ".macro.old" + pid + ".2"};
  const std::vector<std::string> kept = {".macro.tmp1.5", ".notes.old" + pid + ".4",
                                         ".photos.tmp" + pid + ".3"};
  for (const auto& name : gone) WriteTree(LanguageFolder() / name, {{"A.dat", "x"}});
  WriteTree(LanguageFolder() / kept[0], {{"A.dat", "x"}});
  WriteFileBytes(LanguageFolder() / kept[1], "x");
  WriteTree(LanguageFolder() / kept[2], {{"picture.png", "x"}});
  const FolderTree before = TreeOf(g_macroDir);

  LoadMacroGroups();  // as the next start does
  std::vector<std::string> expected = kept;
  expected.insert(expected.end(), {"macro", "macroReset"});
  EXPECT_EQ(EntryNames(LanguageFolder()), expected);
  EXPECT_EQ(TreeOf(g_macroDir), before);
  EXPECT_EQ(TreeOf(LanguageFolder() / kept[2]), (FolderTree{{"picture.png", "x"}}));
}

// The list file's group names (macGrpNum of them).
std::vector<std::string> ListedGroups(const FolderTree& tree) {
  const std::string list = tree.at("macroGrp.ini");
  const auto count = ReadProfileString(list, u"MACRO_GROUP_NUM", u"macGrpNum", u"0", 3);
  std::vector<std::string> names;
  for (int i = 0; i < WToI(count); ++i) {
    names.push_back(ToUtf8(ReadProfileString(list, u"MACRO_GROUP_NAME", DecimalText(i), u"", 60)));
  }
  return names;
}

// Where the folder that holds the macro folder cannot be written, the files are replaced in
// place, the group list last: a reset killed at any step leaves the old or the new list, with
// the whole file of each group it names.
TEST_F(GroupResetTest, AResetInPlaceKilledAtAnyStepLeavesAWholeGroupList) {
  const FolderTree before = TreeOf(g_macroDir);
  const FolderTree after = TreeOf(g_macroResetDir);
  for (std::uint64_t n = 1;; ++n) {
    // The user's own macro folder in a folder the user may not write. Root passes every
    // folder permission, so where the tests run as root the child is user nobody.
    SCOPED_TRACE(n);  // killed before rename n
    WriteTree(g_macroDir, before);
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown(g_macroDir.c_str(), kNobody, kNobody), 0);
      for (const auto& [name, bytes] : before) {
        ASSERT_EQ(::chown((g_macroDir / name).c_str(), kNobody, kNobody), 0);
      }
    }
    fs::permissions(LanguageFolder(), fs::perms(0555));
    const int status = ExitStatusOfChild(
        [&] {
          ExitBeforeRename(n);
          ResetAllMacroGroups(expanded_);
          return true;
        },
        true);
    fs::permissions(LanguageFolder(), fs::perms(0755));
    LoadMacroGroups();  // as the next start does
    const FolderTree now = TreeOf(g_macroDir);
    const bool newList = now.at("macroGrp.ini") == after.at("macroGrp.ini");
    ASSERT_TRUE(newList || now.at("macroGrp.ini") == before.at("macroGrp.ini"));
    for (const std::string& group : ListedGroups(now)) {
      const std::string file = group + ".dat";
      ASSERT_TRUE(now.contains(file));
      EXPECT_EQ(now.at(file), (newList ? after : before).at(file));
    }
    ExpectOnlyTheTwoFolders();
    if (status == 0) {
      EXPECT_EQ(now, after);
      EXPECT_EQ(n, 4u);  // two group files, then the list
      break;
    }
    ASSERT_EQ(status, kExitedBeforeRename);
  }
  EXPECT_TRUE(messages_.messages().empty());
}

// A macro folder that is a symbolic link stays one, and the folder it points to is replaced;
// a reset that cannot be made names the file and the reason and changes nothing.
TEST_F(GroupResetTest, AMacroFolderThatIsALinkHasItsTargetReplaced) {
  const fs::path real = dir_ / "elsewhere" / "my-macros";
  const fs::path link = g_macroDir.parent_path();
  fs::create_directories(real.parent_path());
  fs::rename(link, real);
  const FolderTree before = TreeOf(real);
  const auto relink = [&](const fs::path& target) {
    fs::remove(link);
    fs::create_directory_symlink(target, link);
  };

  // The link may name its target with a trailing separator: the copy still goes beside it.
  for (const std::string& target : {real.string(), real.string() + "/"}) {
    SCOPED_TRACE(target);
    WriteTree(real, before);
    relink(target);
    EXPECT_TRUE(ResetAllMacroGroups(expanded_).messages.empty());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TreeOf(real), TreeOf(g_macroResetDir));
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"F", u"G"}));
    EXPECT_EQ(EntryNames(real.parent_path()), std::vector<std::string>{"my-macros"});
  }

  WriteTree(real, before);
  const fs::path large = g_macroResetDir / "notes.ini";
  WriteFileBytes(large, std::string(kMaxIniFileBytes + 1, ';'));
  const fs::path nowhere = dir_ / "gone" / "macro";
  const struct {
    const char* what;
    fs::path linkTarget;
    fs::path file;
    std::errc reason;
  } failures[] = {
      {"a factory file too large to copy", real, large, std::errc::file_too_large},
      {"a link into a missing folder", nowhere, link, std::errc::no_such_file_or_directory},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.what);
    relink(f.linkTarget);
    const MacroCommandOutcome failed = ResetAllMacroGroups(expanded_);
    ASSERT_EQ(Ids(failed), std::vector{Id::kSaveFailed});
    EXPECT_EQ(MacroMessageText(failed.messages[0]),
              SaveFailedMessage(f.file, std::make_error_code(f.reason)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TreeOf(real), before);
    EXPECT_EQ(EntryNames(real.parent_path()), std::vector<std::string>{"my-macros"});
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
  }
}

}  // namespace
}  // namespace gm::test
