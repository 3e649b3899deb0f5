#include "editor/macro_group_commands.h"

#include <functional>

#include <gtest/gtest.h>

#include "editor/macro_list_edit.h"
#include "editor/macro_step_commands.h"
#include "macro_commands_fixture.h"
#include "platform/save_failure.h"
#include "support/rename_hook.h"

namespace gm::test {
namespace {

using Id = MacroMessageId;
namespace fs = std::filesystem;

class GroupCommandsTest : public MacroCommandsTest {
 protected:
  // Groups A (macros a1, a2, a3) and B (b1), both open; a2 selected.
  void SetUp() override {
    MacroCommandsTest::SetUp();
    MakeGroups({{"A", {MakeMacro(u"a1", {}), MakeMacro(u"a2", {{0x04, 1}}), MakeMacro(u"a3", {})}},
                {"B", {MakeMacro(u"b1", {{0x05, 1}})}}});
    SelectMacro(0, 1);
  }

  // After a command the window rebuilds the rows; the tests then check disk against tables.
  void AfterCommand() {
    FillEntries();
    ExpectDiskMatchesTables();
  }
};

TEST_F(GroupCommandsTest, NewGroupIsAnEmptyFileAddedLastAndLoaded) {
  const MacroCommandOutcome outcome = NewMacroGroup(expanded_);
  AfterCommand();
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"A", u"B", u"New"}));
  EXPECT_EQ(ReadFileBytes(g_macroDir / "New.dat"), "");
  EXPECT_EQ(g_curMacroGroup, 2);
  EXPECT_EQ(g_macroCount, 0);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"");
  EXPECT_EQ(g_macroListSel, RowOf(2, -1));

  EXPECT_EQ(Ids(NewMacroGroup(expanded_)), std::vector{Id::kDoubleNameOf});
  EXPECT_EQ(MacroMessageText(NewMacroGroup(expanded_).messages[0]).english,
            u"'New' Double name!");
  Rename(RowOf(2, -1), u"C");
  for (int i = 3; i < kMaxMacroGroups; ++i) {
    ASSERT_TRUE(NewMacroGroup(expanded_).messages.empty());
    FillEntries();
    Rename(RowOf(i, -1), u"G" + DecimalText(i));
  }
  EXPECT_EQ(Ids(NewMacroGroup(expanded_)), std::vector{Id::kMoreThanLimit});
  AfterCommand();
}

TEST_F(GroupCommandsTest, NewMacroIsAppendedToTheRowsGroupAndOpensIt) {
  expanded_[1] = 0;
  FillEntries();
  const MacroCommandOutcome outcome = NewMacro(RowOf(1, -1), expanded_);
  AfterCommand();
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(g_curMacroGroup, 1);  // the row's group was loaded first
  EXPECT_EQ(g_macroCount, 2);
  EXPECT_EQ(g_macroNames[kMacrosPerGroup + 1], u"New");
  EXPECT_EQ(g_macroNames[1], u"a2");
  EXPECT_EQ(expanded_[1], 1u);

  EXPECT_EQ(Ids(NewMacro(RowOf(1, -1), expanded_)), std::vector{Id::kDoubleNameOf});
  for (int i = 2; i < kMacrosPerGroup; ++i) {
    Rename(RowOf(1, i - 1), u"m" + DecimalText(i));
    ASSERT_TRUE(NewMacro(RowOf(1, -1), expanded_).messages.empty());
    FillEntries();
  }
  EXPECT_EQ(Ids(NewMacro(RowOf(1, -1), expanded_)), std::vector{Id::kMoreThanLimit});
  AfterCommand();
}

TEST_F(GroupCommandsTest, DeletingAMacroSelectsTheRowAbove) {
  MacroCommandOutcome outcome = DeleteMacro(RowOf(0, 1), false);
  AfterCommand();
  EXPECT_EQ(g_macroCount, 2);
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"a3");
  EXPECT_EQ(g_macroListSel, RowOf(0, 0));
  EXPECT_EQ(outcome.refreshStepListOf, 0);

  // The only macro of B: the group row is selected and the repeat edit disabled.
  outcome = DeleteMacro(RowOf(1, 0), false);
  AfterCommand();
  EXPECT_EQ(g_groupMacroCount[1], 0u);
  EXPECT_EQ(g_macroListSel, RowOf(1, -1));
  EXPECT_TRUE(outcome.clearStepList);
  EXPECT_TRUE(outcome.disableRepeatEdit);
  EXPECT_FALSE(DeleteMacro(RowOf(0, 0), true).fillMacroList);  // not while recording
}

TEST_F(GroupCommandsTest, DeletingAGroupMovesTheOpenFlagsWithTheNames) {
  NewMacroGroup(expanded_);
  FillEntries();
  Rename(RowOf(2, -1), u"C");
  expanded_ = {1, 0, 1};
  FillEntries();

  DeleteMacroGroup(RowOf(0, -1), expanded_);
  AfterCommand();
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"B", u"C"}));
  EXPECT_EQ(expanded_[0], 0u);
  EXPECT_EQ(expanded_[1], 1u);
  EXPECT_FALSE(fs::exists(g_macroDir / "A.dat"));
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"b1");  // group 0 loaded

  DeleteMacroGroup(0, expanded_);
  FillEntries();
  const MacroCommandOutcome last = DeleteMacroGroup(0, expanded_);
  AfterCommand();
  EXPECT_EQ(g_macroGroupCount, 0);
  EXPECT_EQ(g_macroCount, 0);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"");
  EXPECT_TRUE(last.clearStepList);
}

TEST_F(GroupCommandsTest, ImportTakesTheNameBeforeDatAndRefusesDoubles) {
  TempDir outside;
  const fs::path abc = outside / "abc.dat";
  const std::string line = ToUtf8(BuildMacroLine(MakeMacro(u"x", {})));
  WriteIni(abc, {{"Init", {{"DAT_VER", "3"}}}, {"Macros", {{"macroNum", "1"}, {"0", line}}}});

  EXPECT_TRUE(ImportMacroGroup(abc, expanded_).messages.empty());
  AfterCommand();
  EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"A", u"B", u"abc"}));
  EXPECT_EQ(g_curMacroGroup, 2);
  EXPECT_EQ(g_macroNames[2 * kMacrosPerGroup], u"x");

  fs::copy_file(abc, outside / "ABC.DAT");
  fs::copy_file(abc, outside / "ABC.dat");
  fs::copy_file(abc, outside / " x.dat");
  struct Case {
    const char* file;
    Id message;
  } refused[] = {{"abc.dat", Id::kDoubleName}, {"ABC.dat", Id::kDoubleName},
                 {"ABC.DAT", Id::kError}, {" x.dat", Id::kInvalidName}};
  for (const Case& c : refused) {
    EXPECT_EQ(Ids(ImportMacroGroup(outside / c.file, expanded_)), std::vector{c.message}) << c.file;
  }
  AfterCommand();
}

TEST_F(GroupCommandsTest, ExportReplacesTheChosenFileAndALockedExportLocksTheLoadedGroup) {
  TempDir outside;
  const fs::path plain = outside / "plain.dat";
  WriteIni(plain, {{"Init", {{"MacMd5", "MacMd5"}}}, {"Macros", {{"5", "stale"}}}});

  EXPECT_TRUE(ExportMacroGroup(plain, false).messages.empty());
  EXPECT_EQ(ReadKey(plain, u"Init", u"MacMd5"), u"<absent>");
  EXPECT_EQ(ReadKey(plain, u"Macros", u"5"), u"<absent>");
  EXPECT_EQ(ReadKey(plain, u"Macros", u"1"), BuildMacroLine(g_macros[1]));
  EXPECT_EQ(g_groupEncrypted, 0u);

  const fs::path locked = outside / "locked.dat";
  EXPECT_TRUE(ExportMacroGroup(locked, true).messages.empty());
  EXPECT_EQ(ReadKey(locked, u"Init", u"MacMd5"), u"MacMd5");
  // The loaded group is locked until it is loaded again from its own file.
  EXPECT_EQ(g_groupEncrypted, 1u);
  EXPECT_EQ(Ids(DeleteStepCommand(0, false)), std::vector{Id::kLockedGroup});
  SelectMacro(1, 0);
  SelectMacro(0, 1);
  EXPECT_EQ(g_groupEncrypted, 0u);
  AfterCommand();

  EXPECT_EQ(Ids(ExportMacroGroup(outside / "missing" / "x.dat", true)),
            std::vector{Id::kSaveFailed});
  EXPECT_EQ(g_groupEncrypted, 0u);
}

// The lock of a locked export stays in memory: the group's own file never gets the marker.
TEST_F(GroupCommandsTest, ADeleteAfterALockedExportLeavesTheGroupsOwnFileUnlocked) {
  TempDir outside;
  ASSERT_TRUE(ExportMacroGroup(outside / "locked.dat", true).messages.empty());
  EXPECT_TRUE(DeleteMacro(RowOf(0, 2), false).messages.empty());
  EXPECT_EQ(ReadKey(g_macroDir / "A.dat", u"Init", u"MacMd5"), u"<absent>");
  SelectMacro(1, 0);
  SelectMacro(0, 0);
  EXPECT_EQ(g_groupEncrypted, 0u);
  AfterCommand();
}

TEST_F(GroupCommandsTest, FailedWritesAreReportedAndTheTablesKeepWhatTheFilesHold) {
  fs::permissions(g_macroDir / "A.dat", fs::perms::owner_read);
  EXPECT_EQ(Ids(NewMacro(RowOf(0, -1), expanded_)), std::vector{Id::kSaveFailed});
  EXPECT_EQ(Ids(DeleteMacro(RowOf(0, 1), false)), std::vector{Id::kSaveFailed});
  AfterCommand();
  EXPECT_EQ(g_macroCount, 3);
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"a2");
}

// The list file as a later start reads it: macGrpNum and the name keys 0..19.
std::vector<std::u16string> ListAsRead() {
  const fs::path list = g_macroDir / kMacroGroupListFileName;
  std::vector<std::u16string> keys{ReadKey(list, u"MACRO_GROUP_NUM", u"macGrpNum")};
  for (int i = 0; i < kGroupListNameKeys; ++i) {
    keys.push_back(ReadKey(list, u"MACRO_GROUP_NAME", DecimalText(i)));
  }
  return keys;
}

TEST_F(GroupCommandsTest, AGroupDeleteKilledBeforeAFileReplacementLeavesTheOldOrTheNewList) {
  const fs::path list = g_macroDir / kMacroGroupListFileName;
  const std::string listBytes = ReadFileBytes(list);
  const std::string groupBytes = ReadFileBytes(g_macroDir / "A.dat");
  const std::vector<std::u16string> before = ListAsRead();
  std::vector<std::u16string> after(before.size(), u"");  // B alone
  after[0] = u"1";
  after[1] = u"B";

  for (std::uint64_t n = 1;; ++n) {
    WriteFileBytes(list, listBytes);
    WriteFileBytes(g_macroDir / "A.dat", groupBytes);
    const int status = ExitStatusOfChild([&] {
      ExitBeforeRename(n);
      DeleteMacroGroup(RowOf(0, -1), expanded_);
      return true;
    });
    const std::vector<std::u16string> read = ListAsRead();
    ASSERT_TRUE(read == before || read == after) << "killed before replacement " << n;
    if (status == 0) {
      EXPECT_EQ(read, after);
      EXPECT_GT(n, 1u);  // the delete replaced the list at least once
      break;
    }
    ASSERT_EQ(status, kExitedBeforeRename);
  }
}

// A failed write of a command is told once, naming the file and the reason, and nothing else
// is shown behind the outcome.
TEST_F(GroupCommandsTest, AFailedWriteIsOneMessageNamingTheFileAndTheReason) {
  const fs::path readOnly = g_macroDir / "C.dat";
  const fs::path missing = dir_ / "missing" / "x.dat";
  WriteFileBytes(readOnly, "");
  fs::permissions(readOnly, fs::perms::owner_read);
  const struct {
    std::function<MacroCommandOutcome()> run;
    fs::path file;
    std::errc reason;
  } cases[] = {
      {[&] { return Rename(RowOf(0, -1), u"C"); }, readOnly, std::errc::permission_denied},
      {[&] { return ExportMacroGroup(missing, false); }, missing,
       std::errc::no_such_file_or_directory},
      {[] {
         fs::permissions(g_macroDir / "A.dat", fs::perms::owner_read);
         return InsertStepCommand(StepInsertCommand::kLeftDownAfter, 0, false);
       },
       g_macroDir / "A.dat", std::errc::permission_denied},
  };
  for (const auto& c : cases) {
    const MacroCommandOutcome outcome = c.run();
    ASSERT_EQ(Ids(outcome), std::vector{Id::kSaveFailed}) << c.file;
    EXPECT_EQ(MacroMessageText(outcome.messages[0]),
              SaveFailedMessage(c.file, std::make_error_code(c.reason)));
    EXPECT_TRUE(messages_.messages().empty()) << c.file;
  }
}

}  // namespace
}  // namespace gm::test
