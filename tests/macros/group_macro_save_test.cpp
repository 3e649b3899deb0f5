// Saving one macro of the editor's table to its group's file.

#include "macros/group_macro_save.h"

#include <gtest/gtest.h>

#include "macro_file_test_support.h"

namespace gm::test {
namespace {

class GroupMacroSaveTest : public MacroFileTest {
 protected:
  void SetUp() override {
    MacroFileTest::SetUp();
    g_macroGroupCount = 2;
    g_macroGroupNames[0] = u"First";
    g_macroGroupNames[1] = u"Second";
    g_macroCount = 3;
    for (int m = 0; m < 3; ++m) SetMacroName(g_macros[m], u"M" + DecimalText(m));
  }

  std::vector<std::filesystem::path> WrittenFiles() const {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(g_macroDir)) {
      files.push_back(entry.path().filename());
    }
    return files;
  }
};

TEST_F(GroupMacroSaveTest, WritesTheMacroAsItsLineInTheGroupsFile) {
  g_curMacroGroup = 1;
  SaveGroupMacro({1, 2});
  const std::u16string line = ReadLine(GroupFile("Second"), 2);
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(LineValue(line, 0), 'M');
  EXPECT_EQ(LineValue(line, 2), '2');
  EXPECT_EQ(WrittenFiles(), std::vector<std::filesystem::path>{"Second.dat"});
}

TEST_F(GroupMacroSaveTest, WritesNothingForAMacroOrGroupThatIsNotThere) {
  const struct {
    const char* what;
    GroupMacro target;
  } refused[] = {{"negative group", {-1, 0}},         {"group past the count", {2, 0}},
                 {"group past the table", {12, 0}}, {"negative macro", {0, -1}},
                 {"macro past the group", {0, 20}}, {"group not the open one", {1, 0}}};
  for (const auto& c : refused) {
    SaveGroupMacro(c.target);
    EXPECT_TRUE(WrittenFiles().empty()) << c.what;
  }
  g_macroGroupNames[0] = u"a/b";  // a name that cannot be a file name
  g_macroGroupNames[1].clear();
  SaveGroupMacro({0, 0});
  g_curMacroGroup = 1;
  SaveGroupMacro({1, 0});
  EXPECT_TRUE(WrittenFiles().empty()) << "no file named from a refused or empty name";
}

}  // namespace
}  // namespace gm::test
