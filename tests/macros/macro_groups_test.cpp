#include "macros/macro_groups.h"

#include <gtest/gtest.h>

#include "macro_storage_fixture.h"
#include "macros/group_name_rules.h"
#include "platform/save_failure.h"

namespace gm::test {
namespace {

class MacroGroupsTest : public MacroStorageTest {
 protected:
  std::filesystem::path ListFile() const { return g_macroDir / "macroGrp.ini"; }

  void WriteGroups(const std::vector<std::string>& present) {
    for (const auto& name : present) WriteGroupFile(name, 1, {V3Values(name)});
  }

  std::vector<std::u16string> Names() const {
    return std::vector<std::u16string>(g_macroGroupNames, g_macroGroupNames + g_macroGroupCount);
  }

  // Keys 0..19 of the list file as read back ("<absent>" for a missing key).
  std::vector<std::u16string> ListedNames() const {
    std::vector<std::u16string> names;
    for (int i = 0; i < kGroupListNameKeys; ++i) {
      names.push_back(ReadKey(ListFile(), u"MACRO_GROUP_NAME", DecimalText(i)));
    }
    return names;
  }
};

TEST_F(MacroGroupsTest, DropsAGroupWhoseFileIsMissingAndRewritesTheList) {
  WriteGroupList("3", {"A", "B", "C"});
  WriteGroups({"A", "C"});
  g_curMacroGroup = 2;

  LoadMacroGroups();

  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_EQ(g_macroGroupNames[2], u"");
  EXPECT_EQ(g_curMacroGroup, 0);
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NUM", u"macGrpNum"), u"2");
  std::vector<std::u16string> expected(kGroupListNameKeys, u"");
  expected[0] = u"A";
  expected[1] = u"C";
  EXPECT_EQ(ListedNames(), expected);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MacroGroupsTest, OneLoadDropsOnlyOneOfTwoNeighboursThatAreMissing) {
  WriteGroupList("4", {"A", "B", "C", "D"});
  WriteGroups({"A", "D"});

  LoadMacroGroups();
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"A", u"C", u"D"}));
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NUM", u"macGrpNum"), u"3");

  LoadMacroGroups();
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"A", u"D"}));
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NAME", u"1"), u"D");
}

TEST_F(MacroGroupsTest, EmptyListKeepsTheCurrentGroupAndClearsNames) {
  WriteGroupList("0", {"A"});
  for (auto& name : g_macroGroupNames) name = u"old";
  g_curMacroGroup = 5;
  LoadMacroGroups();
  EXPECT_EQ(g_macroGroupCount, 0);
  EXPECT_EQ(g_curMacroGroup, 5);
  for (const auto& name : g_macroGroupNames) EXPECT_EQ(name, u"");
}

TEST_F(MacroGroupsTest, MissingListFileIsReported) {
  g_macroGroupCount = 3;
  g_macroGroupNames[0] = u"old";
  LoadMacroGroups();
  EXPECT_EQ(messages_.englishTexts(), std::vector<std::u16string>{u"Can't find the file."});
  EXPECT_EQ(g_macroGroupCount, 0);
  EXPECT_EQ(g_macroGroupNames[0], u"");
}

TEST_F(MacroGroupsTest, CountsOutsideTheTableAreBounded) {
  std::vector<std::string> names;
  for (int i = 0; i < 15; ++i) names.push_back("G" + std::to_string(i));
  WriteGroupList("15", names);
  WriteGroups(names);
  LoadMacroGroups();
  EXPECT_EQ(g_macroGroupCount, 12);
  EXPECT_EQ(g_macroGroupNames[11], u"G11");

  WriteGroupList("-3", names);
  g_curMacroGroup = 4;
  LoadMacroGroups();
  EXPECT_EQ(g_macroGroupCount, 0);
  EXPECT_EQ(g_curMacroGroup, 4);
}

TEST_F(MacroGroupsTest, SaveWritesEveryNameKeyEmptyAfterTheCount) {
  g_macroGroupCount = 12;
  for (int i = 0; i < 12; ++i) g_macroGroupNames[i] = u"N" + DecimalText(i);
  EXPECT_TRUE(SaveMacroGroups());
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NUM", u"macGrpNum"), u"12");
  const auto listed = ListedNames();
  for (int i = 0; i < 12; ++i) EXPECT_EQ(listed[i], u"N" + DecimalText(i));
  for (int i = 12; i < 20; ++i) EXPECT_EQ(listed[i], u"") << i;
}

TEST_F(MacroGroupsTest, SaveNeverWritesANameThatCannotBeAFileName) {
  g_macroGroupCount = 2;
  g_macroGroupNames[0] = u"good";
  g_macroGroupNames[1] = u"bad\r\n[MACRO_GROUP_NUM]";
  SaveMacroGroups();
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NAME", u"0"), u"good");
  EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NAME", u"1"), u"");
}

TEST_F(MacroGroupsTest, OpenTestsAndLoadsTheGroupFile) {
  g_macroGroupCount = 2;
  g_macroGroupNames[0] = u"A";
  g_macroGroupNames[1] = u"missing";
  WriteGroupFile("A", 2, {V3Values("one"), V3Values("two")});

  EXPECT_TRUE(OpenMacroGroupFile(0, false));
  EXPECT_EQ(g_macroCount, 0);
  EXPECT_TRUE(OpenMacroGroupFile(0, true));
  EXPECT_EQ(g_macroCount, 2);
  EXPECT_EQ(MacroNameOf(g_macros[1]), u"two");
  EXPECT_FALSE(OpenMacroGroupFile(1, true));
  EXPECT_FALSE(OpenMacroGroupFile(12, false));
  EXPECT_FALSE(OpenMacroGroupFile(51, false));
  EXPECT_FALSE(OpenMacroGroupFile(255, true));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MacroGroupsTest, NamesLeadingOutOfTheFolderCountAsMissing) {
  // Files that such names would reach if they were used as paths.
  WriteGroupFile("../escape", 1, {V3Values("x")});
  std::filesystem::create_directories(g_macroDir / "sub");
  WriteGroupFile("sub/inner", 1, {V3Values("x")});
  WriteGroupList("4", {"A", "../escape", "sub/inner", "C"});
  WriteGroups({"A", "C"});

  g_macroGroupCount = 3;
  g_macroGroupNames[1] = u"../escape";
  g_macroGroupNames[2] = u"sub/inner";
  EXPECT_FALSE(OpenMacroGroupFile(1, true));
  EXPECT_FALSE(OpenMacroGroupFile(2, true));
  EXPECT_EQ(g_macroCount, 0);

  LoadMacroGroups();  // drops "../escape"; "sub/inner" moved into its place waits
  LoadMacroGroups();
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"A", u"C"}));
}

TEST_F(MacroGroupsTest, EmptyNamesAreAllDroppedInOneLoad) {
  WriteGroups({"A", "B"});
  struct Case {
    std::vector<std::string> listed;
    std::vector<std::u16string> kept;
  };
  const Case cases[] = {{{"", "", ""}, {}}, {{"", "A", "", "", "B", ""}, {u"A", u"B"}}};
  for (const Case& c : cases) {
    WriteGroupList(std::to_string(c.listed.size()), c.listed);
    LoadMacroGroups();
    EXPECT_EQ(Names(), c.kept);
    EXPECT_EQ(ReadKey(ListFile(), u"MACRO_GROUP_NUM", u"macGrpNum"), DecimalText(c.kept.size()));
  }
}

TEST_F(MacroGroupsTest, ANameThatDiffersFromAnEarlierOneOnlyInCaseIsDropped) {
  WriteGroups({"Grp", "B"});
  struct Case {
    std::vector<std::string> listed;
    std::vector<std::u16string> kept;
  };
  const Case cases[] = {
      {{"Grp", "grp", "B", "GRP"}, {u"Grp", u"B"}},
      // The second name moves into the place of a missing group and still goes at once.
      {{"Grp", "Missing", "gRP", "B"}, {u"Grp", u"B"}},
  };
  for (const Case& c : cases) {
    WriteGroupList(std::to_string(c.listed.size()), c.listed);
    LoadMacroGroups();
    EXPECT_EQ(Names(), c.kept);
    std::vector<std::u16string> listed(kGroupListNameKeys, u"");
    std::copy(c.kept.begin(), c.kept.end(), listed.begin());
    EXPECT_EQ(ListedNames(), listed);
  }
}

TEST_F(MacroGroupsTest, AGroupFileInOtherLetterCaseIsTheGroupsFile) {
  WriteGroupList("2", {"Alpha", "beta"});
  WriteGroupFile("ALPHA", 1, {V3Values("first")});
  WriteGroupFile("Beta", 1, {V3Values("second")});

  LoadMacroGroups();
  ASSERT_EQ(Names(), (std::vector<std::u16string>{u"Alpha", u"beta"}));
  ASSERT_TRUE(OpenMacroGroupFile(0, true));
  EXPECT_EQ(g_macroCount, 1);
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"first");

  SetMacroName(g_macros[0], u"renamed");
  SaveMacro(*GroupFilePath(g_macroDir, u"Alpha"), 0);  // into the file there is, no new one
  EXPECT_FALSE(std::filesystem::exists(g_macroDir / "Alpha.dat"));
  ASSERT_TRUE(OpenMacroGroupFile(0, true));
  EXPECT_EQ(MacroNameOf(g_macros[0]), u"renamed");
}

TEST_F(MacroGroupsTest, AGroupFileThatCannotBeSavedIsNamedInOneMessage) {
  WriteGroupFile("A", 2, {V3Values("one"), V3Values("two")});
  const auto file = g_macroDir / "A.dat";
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  g_macroCount = 2;

  SaveMacroFile(file);
  SaveMacro(file, 1);
  const UserMessage expected =
      SaveFailedMessage(file, std::make_error_code(std::errc::permission_denied));
  EXPECT_NE(expected.english.find(ToUtf16(file.string())), std::u16string::npos);
  EXPECT_EQ(messages_.messages(), (std::vector<UserMessage>{expected, expected}));
}

TEST(GroupNameRules, RefusesNamesThatCannotBeAFileInTheMacroFolder) {
  for (std::u16string_view name :
       {u"", u".", u"..", u"a/b", u"a\\b", u"../x", u"a<b", u"a>b", u"a:b", u"a\"b", u"a|b",
        u"a?b", u"a*b", u"tab\there", u"line\nbreak", u"del\x7F", u" lead", u"trail ",
        u"'quoted'"}) {
    EXPECT_FALSE(IsValidGroupName(name)) << ToUtf8(name);
  }
  EXPECT_FALSE(IsValidGroupName(std::u16string(u"nul\0x", 5)));
  EXPECT_FALSE(IsValidGroupName(std::u16string(1, char16_t(0xD800))));  // lone surrogate
  EXPECT_FALSE(IsValidGroupName(std::u16string(60, u'a')));  // would be cut when read back
  EXPECT_EQ(kInvalidGroupNameMessage.english, u"Invalid: Delete Invalid character");
  EXPECT_EQ(kInvalidGroupNameMessage.chinese, u"Invalid: Delete Invalid character");
}

TEST(GroupNameRules, AcceptsOrdinaryNames) {
  for (std::u16string_view name :
       {u"A", u"My group", u"宏组一", u"...", u"a.b", u"x-1_(2)", u"it's", u"\U0001F5B1"}) {
    EXPECT_TRUE(IsValidGroupName(name)) << ToUtf8(name);
  }
  EXPECT_TRUE(IsValidGroupName(std::u16string(59, u'a')));
  EXPECT_EQ(GroupFilePath("/m", u"My group"), std::filesystem::path("/m/My group.dat"));
  EXPECT_EQ(GroupFilePath("/m", u"../x"), std::nullopt);
}

}  // namespace
}  // namespace gm::test
