#include "platform/private_profile.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/temp_dir.h"

namespace gm {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::u16string Read(const fs::path& file, std::u16string_view section, std::u16string_view key,
                    std::size_t bufferChars = 260, std::u16string_view defaultValue = u"") {
  return GetPrivateProfileStringW(section, key, defaultValue, bufferChars, file);
}

std::vector<fs::path> FolderEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(folder)) {
    entries.push_back(entry.path().filename());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// ---- reading -------------------------------------------------------------------------

TEST(PrivateProfileRead, CutsTheValueToTheBuffer) {
  TempDir dir;
  const auto file = dir / "config.ini";
  WriteFileBytes(file, "[Config0]\nDpi=12345\n");
  EXPECT_EQ(Read(file, u"Config0", u"Dpi", 5), u"1234");
  EXPECT_EQ(Read(file, u"Config0", u"Dpi", 6), u"12345");
  EXPECT_EQ(Read(file, u"Config0", u"Dpi", 1), u"");
  EXPECT_EQ(Read(file, u"Config0", u"Dpi", 0), u"");
  EXPECT_EQ(Read(file, u"Config0", u"Missing", 3, u"abcdef"), u"ab");
}

TEST(PrivateProfileRead, MissingFileSectionOrKeyGivesTheDefaultWithoutTrailingSpaces) {
  TempDir dir;
  const auto file = dir / "config.ini";
  EXPECT_EQ(Read(file, u"Init", u"CurConfig", 5, u"7  "), u"7");
  WriteFileBytes(file, "[Init]\nCurConfig=2\n");
  EXPECT_EQ(Read(file, u"Other", u"CurConfig", 5, u" 8 "), u" 8");
  EXPECT_EQ(Read(file, u"Init", u"VER_SEL", 5, u""), u"");
  EXPECT_EQ(Read(dir.path(), u"Init", u"CurConfig", 5, u"d"), u"d");  // a folder, not a file
  EXPECT_EQ(Read(dir / "no" / "config.ini", u"Init", u"CurConfig", 5, u"d"), u"d");
}

TEST(PrivateProfileRead, ReadsUtf16AndUtf8Files) {
  TempDir dir;
  const auto utf16 = dir / "macroGrp.ini";
  WriteFileBytes(utf16, "\xFF\xFE[\0G\0]\0\r\0\n\0n\0=\0 \x9F\x07\x68\r\0\n\0"s);
  EXPECT_EQ(Read(utf16, u"g", u"N"), u"鼠标");
  const auto utf8Bom = dir / "bom.ini";
  WriteFileBytes(utf8Bom, "\xEF\xBB\xBF[G]\nn=\xE9\xBC\xA0\n");
  EXPECT_EQ(Read(utf8Bom, u"G", u"n"), u"鼠");
  const auto utf8 = dir / "plain.ini";
  WriteFileBytes(utf8, "[G]\nn=\xE9\xBC\xA0");
  EXPECT_EQ(Read(utf8, u"G", u"n"), u"鼠");
}

// ---- writing: contents ---------------------------------------------------------------

TEST(PrivateProfileWrite, KeepsEveryOtherByteOfTheFile) {
  TempDir dir;
  const auto file = dir / "config.ini";
  const std::string before =
      "; settings\r\n"
      "[Init]\r\n"
      "  CurConfig = 1\r\n"
      "name=\xFF\xE9\xBC bad bytes\r\n"
      "\r\n"
      "[Config0]\r\n"
      "Key0=3\r\n";
  WriteFileBytes(file, before);
  ASSERT_TRUE(WritePrivateProfileStringW(u"init", u"curconfig", u"2", file));
  EXPECT_EQ(ReadFileBytes(file),
            "; settings\r\n"
            "[Init]\r\n"
            "  CurConfig = 2\r\n"
            "name=\xFF\xE9\xBC bad bytes\r\n"
            "\r\n"
            "[Config0]\r\n"
            "Key0=3\r\n");
  ASSERT_TRUE(WritePrivateProfileStringW(u"Init", u"VER_SEL", u"1", file));
  EXPECT_EQ(ReadFileBytes(file),
            "; settings\r\n"
            "[Init]\r\n"
            "  CurConfig = 2\r\n"
            "name=\xFF\xE9\xBC bad bytes\r\n"
            "VER_SEL=1\r\n"
            "\r\n"
            "[Config0]\r\n"
            "Key0=3\r\n");
  ASSERT_TRUE(WritePrivateProfileStringW(u"ShareData", u"Rate", u"4", file));
  EXPECT_TRUE(ReadFileBytes(file).ends_with("Key0=3\r\n[ShareData]\r\nRate=4\r\n"));
}

TEST(PrivateProfileWrite, Utf16FileStaysUtf16WithItsMark) {
  TempDir dir;
  const auto file = dir / "macroGrp.ini";
  WriteFileBytes(file, "\xFF\xFE[\0G\0]\0\r\0\n\0n\0=\0x\0"s);
  ASSERT_TRUE(WritePrivateProfileStringW(u"G", u"n", u"鼠", file));
  ASSERT_TRUE(WritePrivateProfileStringW(u"G", u"m", u"2", file));
  EXPECT_EQ(ReadFileBytes(file),
            "\xFF\xFE[\0G\0]\0\r\0\n\0n\0=\0 \x9F\r\0\n\0m\0=\0002\0\r\0\n\0"s);
  EXPECT_EQ(Read(file, u"G", u"n"), u"鼠");
}

TEST(PrivateProfileWrite, Utf8MarkIsKept) {
  TempDir dir;
  const auto file = dir / "a.ini";
  WriteFileBytes(file, "\xEF\xBB\xBF[G]\nn=1\n");
  ASSERT_TRUE(WritePrivateProfileStringW(u"G", u"n", u"鼠", file));
  EXPECT_EQ(ReadFileBytes(file), "\xEF\xBB\xBF[G]\nn=\xE9\xBC\xA0\n");
}

TEST(PrivateProfileWrite, CreatesAMissingFileAsUtf8WithLf) {
  TempDir dir;
  const auto file = dir / "new.ini";
  ASSERT_TRUE(WritePrivateProfileStringW(u"Macros", u"macroNum", u"0", file));
  ASSERT_TRUE(WritePrivateProfileStringW(u"Init", u"DAT_VER", u"3", file));
  ASSERT_TRUE(WritePrivateProfileStringW(u"Macros", u"0", u"名", file));
  EXPECT_EQ(ReadFileBytes(file), "[Macros]\nmacroNum=0\n0=\xE5\x90\x8D\n[Init]\nDAT_VER=3\n");
}

TEST(PrivateProfileWrite, RefusesLineBreaksAndLeavesTheFile) {
  TempDir dir;
  const auto file = dir / "a.ini";
  WriteFileBytes(file, "[S]\nk=1\n");
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"1\n[Evil]\nx=2", file));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"1\r", file));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"a=b", u"1", file));
  EXPECT_EQ(ReadFileBytes(file), "[S]\nk=1\n");
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"1\n", dir / "b.ini"));
  EXPECT_FALSE(fs::exists(dir / "b.ini"));
}

TEST(PrivateProfileWrite, SameValueLeavesTheFileUntouched) {
  TempDir dir;
  const auto file = dir / "a.ini";
  WriteFileBytes(file, "[S]\nk=1\n");
  const auto before = fs::last_write_time(file);
  fs::last_write_time(file, before - std::chrono::hours(1));
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"K", u"1", file));
  EXPECT_EQ(fs::last_write_time(file), before - std::chrono::hours(1));
}

// ---- writing: the file system --------------------------------------------------------

TEST(PrivateProfileFiles, ReadOnlyFileIsRefusedAndUnchanged) {
  TempDir dir;
  const auto file = dir / "configReset.ini";
  WriteFileBytes(file, "[S]\nk=1\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"2", file));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"new", u"2", file));
  EXPECT_EQ(ReadFileBytes(file), "[S]\nk=1\n");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<fs::path>{"configReset.ini"});
}

TEST(PrivateProfileFiles, MissingFolderIsRefused) {
  TempDir dir;
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"1", dir / "missing" / "a.ini"));
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"1", dir.path()));  // a folder
}

TEST(PrivateProfileFiles, KeepsPermissionsAndLeavesNoTemporaryFiles) {
  TempDir dir;
  const auto file = dir / "a.ini";
  WriteFileBytes(file, "[S]\nk=1\n");
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, mode);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k" + DecimalText(i), u"v", file));
  }
  EXPECT_EQ(fs::status(file).permissions(), mode);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<fs::path>{"a.ini"});
}

TEST(PrivateProfileFiles, WritesThroughASymlinkAndKeepsTheLink) {
  TempDir dir;
  fs::create_directory(dir / "real");
  const auto target = dir / "real" / "config.ini";
  WriteFileBytes(target, "[S]\nk=1\n");
  const auto link = dir / "link.ini";
  fs::create_symlink(fs::path("real") / "config.ini", link);
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"2", link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(target), "[S]\nk=2\n");
  EXPECT_EQ(Read(link, u"S", u"k"), u"2");

  const auto dangling = dir / "dangling.ini";
  fs::create_symlink(fs::path("real") / "created.ini", dangling);
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"3", dangling));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadFileBytes(dir / "real" / "created.ini"), "[S]\nk=3\n");
}

// ---- concurrency ---------------------------------------------------------------------

TEST(PrivateProfileFiles, CopyReplacesTheTargetWholeOrRefuses) {
  TempDir dir;
  const auto from = dir / "chosen.ini";
  const auto to = dir / "config.ini";
  WriteFileBytes(from, "[S]\nk=new\n");
  WriteFileBytes(to, "[S]\nk=old\n");
  const auto mode = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(to, mode);
  EXPECT_TRUE(CopyFileOverProfile(from, to));
  EXPECT_EQ(ReadFileBytes(to), "[S]\nk=new\n");
  EXPECT_EQ(fs::status(to).permissions(), mode);
  EXPECT_TRUE(CopyFileOverProfile(to, to));  // onto itself

  const auto fresh = dir / "fresh.ini";
  EXPECT_TRUE(CopyFileOverProfile(from, fresh));
  EXPECT_EQ(ReadFileBytes(fresh), "[S]\nk=new\n");

  WriteFileBytes(to, "[S]\nk=old\n");
  fs::permissions(to, fs::perms::owner_read);
  EXPECT_FALSE(CopyFileOverProfile(from, to));                      // read-only target
  EXPECT_FALSE(CopyFileOverProfile(dir / "missing.ini", fresh));    // no source
  EXPECT_FALSE(CopyFileOverProfile(dir.path(), fresh));             // a folder as source
  EXPECT_FALSE(CopyFileOverProfile(from, dir / "missing" / "a.ini"));  // no folder
  EXPECT_EQ(ReadFileBytes(to), "[S]\nk=old\n");
  EXPECT_EQ(ReadFileBytes(fresh), "[S]\nk=new\n");
  EXPECT_EQ(FolderEntries(dir.path()),
            (std::vector<fs::path>{"chosen.ini", "config.ini", "fresh.ini"}));
}

TEST(PrivateProfileConcurrency, WritersOnTwoThreadsLoseNoKeys) {
  TempDir dir;
  const auto file = dir / "a.ini";
  constexpr int kKeysPerThread = 200;
  auto writer = [&](std::u16string section) {
    for (int i = 0; i < kKeysPerThread; ++i) {
      EXPECT_TRUE(WritePrivateProfileStringW(section, u"k" + DecimalText(i),
                                             DecimalText(i), file));
    }
  };
  std::thread first(writer, u"First");
  std::thread second(writer, u"Second");
  first.join();
  second.join();
  for (const std::u16string section : {u"First", u"Second"}) {
    for (int i = 0; i < kKeysPerThread; ++i) {
      EXPECT_EQ(Read(file, section, u"k" + DecimalText(i)), DecimalText(i));
    }
  }
}

TEST(PrivateProfileConcurrency, ReadersNeverSeeAHalfWrittenFile) {
  TempDir dir;
  const auto file = dir / "a.ini";
  // Padding makes each rewrite large enough that a non-atomic write would show.
  WriteFileBytes(file, "[Fixed]\nk=stable\n[Pad]\np=" + std::string(100000, 'x') + "\n");
  std::atomic<bool> done = false;
  std::thread writer([&] {
    for (int i = 0; i < 30; ++i) {
      EXPECT_TRUE(WritePrivateProfileStringW(u"Pad", u"n" + DecimalText(i), u"v", file));
    }
    done = true;
  });
  int reads = 0;
  int badReads = 0;
  while (!done) {
    if (Read(file, u"Fixed", u"k") != u"stable" || Read(file, u"Pad", u"p", 3) != u"xx") ++badReads;
    ++reads;
  }
  writer.join();
  EXPECT_EQ(badReads, 0);
  EXPECT_GT(reads, 0);
}

}  // namespace
}  // namespace gm
