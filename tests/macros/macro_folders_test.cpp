#include "macros/macro_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "support/temp_dir.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Tree(const fs::path& root) {
  std::vector<fs::path> entries;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    entries.push_back(fs::relative(e.path(), root));
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

class MacroFoldersTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(MacroFoldersTest, CopyReplacesSameNamedFilesAndKeepsOthers) {
  const fs::path source = dir_ / "reset";
  const fs::path destination = dir_ / "macro";
  fs::create_directories(source / "sub" / "deeper");
  fs::create_directories(destination);
  WriteFileBytes(source / "a.dat", "new a");
  WriteFileBytes(source / "macroGrp.ini", "list");
  WriteFileBytes(source / "sub" / "deeper" / "d.dat", "deep");
  WriteFileBytes(destination / "a.dat", "old a, longer than the new one");
  WriteFileBytes(destination / "mine.dat", "mine");

  EXPECT_TRUE(CopyDirectory(source, destination));

  EXPECT_EQ(ReadFileBytes(destination / "a.dat"), "new a");
  EXPECT_EQ(ReadFileBytes(destination / "macroGrp.ini"), "list");
  EXPECT_EQ(ReadFileBytes(destination / "sub" / "deeper" / "d.dat"), "deep");
  EXPECT_EQ(ReadFileBytes(destination / "mine.dat"), "mine");
}

TEST_F(MacroFoldersTest, CopyIntoAFolderInsideTheSourceEnds) {
  const fs::path source = dir_ / "src";
  fs::create_directories(source / "sub");
  WriteFileBytes(source / "a.dat", "a");
  WriteFileBytes(source / "sub" / "b.dat", "b");

  CopyDirectory(source, source / "sub" / "copy");

  EXPECT_EQ(ReadFileBytes(source / "sub" / "copy" / "a.dat"), "a");
  EXPECT_EQ(ReadFileBytes(source / "sub" / "copy" / "sub" / "b.dat"), "b");
  EXPECT_FALSE(fs::exists(source / "sub" / "copy" / "sub" / "copy"));
}

TEST_F(MacroFoldersTest, CopyNeitherFollowsNorWritesThroughLinks) {
  const fs::path source = dir_ / "src";
  const fs::path destination = dir_ / "dst";
  const fs::path outside = dir_ / "outside";
  fs::create_directories(source);
  fs::create_directories(destination);
  fs::create_directories(outside / "private");
  WriteFileBytes(outside / "private" / "secret", "secret");
  WriteFileBytes(outside / "target.dat", "untouched");
  WriteFileBytes(source / "a.dat", "a");
  WriteFileBytes(source / "victim.dat", "payload");
  fs::create_directory_symlink(outside / "private", source / "linked-folder");
  fs::create_symlink(outside / "target.dat", source / "linked-file.dat");
  // A link in the destination where a source file goes.
  fs::create_symlink(outside / "target.dat", destination / "victim.dat");

  CopyDirectory(source, destination);

  EXPECT_FALSE(fs::exists(fs::symlink_status(destination / "linked-folder")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(destination / "linked-file.dat")));
  EXPECT_FALSE(fs::is_symlink(destination / "victim.dat"));
  EXPECT_EQ(ReadFileBytes(destination / "victim.dat"), "payload");
  EXPECT_EQ(ReadFileBytes(outside / "target.dat"), "untouched");
  EXPECT_EQ(ReadFileBytes(destination / "a.dat"), "a");
}

TEST_F(MacroFoldersTest, DeleteLeavesOnlyTheEmptyTopFolder) {
  const fs::path folder = dir_ / "macro";
  fs::create_directories(folder / "one" / "two" / "three");
  WriteFileBytes(folder / "a.dat", "a");
  WriteFileBytes(folder / "one" / "b.dat", "b");
  WriteFileBytes(folder / "one" / "two" / "three" / "c.dat", "c");

  EXPECT_TRUE(DeleteDirectory(folder));

  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(MacroFoldersTest, DeleteRemovesLinksButNotWhatTheyPointTo) {
  const fs::path folder = dir_ / "macro";
  const fs::path outside = dir_ / "outside";
  fs::create_directories(folder / "sub");
  fs::create_directories(outside / "nested");
  WriteFileBytes(outside / "keep.dat", "keep");
  WriteFileBytes(outside / "nested" / "deep.dat", "deep");
  fs::create_directory_symlink(outside, folder / "link-to-folder");
  fs::create_directory_symlink(outside, folder / "sub" / "nested-link");
  fs::create_symlink(outside / "keep.dat", folder / "link-to-file.dat");
  fs::create_symlink(dir_ / "nowhere", folder / "dangling");

  EXPECT_TRUE(DeleteDirectory(folder));

  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(Tree(outside), (std::vector<fs::path>{"keep.dat", "nested", "nested/deep.dat"}));
  EXPECT_EQ(ReadFileBytes(outside / "keep.dat"), "keep");
  EXPECT_EQ(ReadFileBytes(outside / "nested" / "deep.dat"), "deep");
}

TEST_F(MacroFoldersTest, DeleteOfAFolderThatIsALinkLeavesWhatIsBehindIt) {
  const fs::path real = dir_ / "real";
  fs::create_directories(real / "sub");
  WriteFileBytes(real / "A.dat", "a");
  WriteFileBytes(real / "sub" / "B.dat", "b");
  const fs::path link = dir_ / "macro";
  fs::create_directory_symlink(real, link);

  EXPECT_FALSE(DeleteDirectory(link));
  EXPECT_FALSE(DeleteDirectory(link / ""));  // as the macro folder is named, with a separator
  EXPECT_EQ(Tree(real), (std::vector<fs::path>{"A.dat", "sub", "sub/B.dat"}));
}

}  // namespace
}  // namespace gm::test
