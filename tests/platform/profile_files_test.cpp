// The file side of the profile functions: owner and mode kept, in-place writes where no
// temporary file can be made, leftovers of killed writers, oversized files, files changed
// behind a kept parse, GB18030 files and the cost of reading a large file key by key.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ini_encoding.h"
#include "platform/private_profile.h"
#include "platform/profile_cache.h"
#include "platform/profile_content.h"
#include "platform/text.h"
#include "support/message_recorder.h"
#include "support/rename_hook.h"
#include "support/temp_dir.h"

namespace gm {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

constexpr uid_t kOtherUser = 4321;
constexpr gid_t kOtherGroup = 4322;

std::u16string Read(const fs::path& file, std::u16string_view section, std::u16string_view key) {
  return GetPrivateProfileStringW(section, key, u"<none>", 300, file);
}

struct stat StatOf(const fs::path& file) {
  struct stat status {};
  EXPECT_EQ(::stat(file.c_str(), &status), 0);
  return status;
}

// Runs `body` as an unprivileged user (a privileged user passes every folder permission, so
// only an ordinary user shows what a read-only folder does): in a child process that drops
// root, or here when the tests already run unprivileged. True when body returned true.
bool RunUnprivileged(const std::function<bool()>& body) {
  if (::geteuid() != 0) return body();
  return test::ExitStatusOfChild(body, true) == 0;
}

// A folder the tests' user may not write (for root, user nobody), holding a file that user
// may write.
fs::path WritableFileInClosedFolder(const TempDir& dir, std::string_view bytes) {
  const auto folder = dir / "config";
  fs::create_directory(folder);
  const auto file = folder / "config.ini";
  WriteFileBytes(file, bytes);
  fs::permissions(file, fs::perms(0666));
  fs::permissions(folder, fs::perms(0555));
  return file;
}

TEST(ProfileFileOwnership, AWriteByRootKeepsOwnerGroupAndModeOfTheUsersFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "handing a file to another user needs root";
  TempDir dir;
  const auto file = dir / "config.ini";
  WriteFileBytes(file, "[Init]\nCurConfig=0\n");
  ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);

  ASSERT_TRUE(WritePrivateProfileStringW(u"Init", u"CurConfig", u"2", file));
  ASSERT_TRUE(WritePrivateProfileStringW(u"Init", u"VER_SEL", u"1", file));

  const struct stat after = StatOf(file);
  EXPECT_EQ(after.st_uid, kOtherUser);
  EXPECT_EQ(after.st_gid, kOtherGroup);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFileBytes(file), "[Init]\nCurConfig=2\nVER_SEL=1\n");
  EXPECT_EQ(test::EntryNames(dir.path()), std::vector<std::string>{"config.ini"});
}

// A writable file in a folder the user may not write, and a writable file of another user
// (no temporary file can be given its owner): both are rewritten in place, owner unchanged.
TEST(ProfileFileOwnership, AFileThatCannotBeReplacedIsWrittenInPlace) {
  struct Case {
    const char* what;
    fs::perms folderMode;
  };
  const Case cases[] = {{"read-only folder", fs::perms(0755)}, {"open folder", fs::perms(0777)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const auto folder = dir / "config";
    fs::create_directory(folder);
    const auto file = folder / "config.ini";
    WriteFileBytes(file, "[Init]\nCurConfig=0\n[ShareData]\nDPI_LEVEL=1\n");
    fs::permissions(file, fs::perms(0666));
    if (::geteuid() != 0) {
      fs::permissions(folder, fs::perms(0555));  // without root the folder itself refuses
    } else {
      fs::permissions(folder, c.folderMode);
    }
    const struct stat before = StatOf(file);

    EXPECT_TRUE(RunUnprivileged([&] {
      return WritePrivateProfileStringW(u"ShareData", u"DPI_LEVEL", u"4", file) &&
             WritePrivateProfileStringW(u"Init", u"CurConfig", u"", file);
    }));
    fs::permissions(folder, fs::perms(0755));
    EXPECT_EQ(ReadFileBytes(file), "[Init]\nCurConfig=\n[ShareData]\nDPI_LEVEL=4\n");
    EXPECT_EQ(StatOf(file).st_ino, before.st_ino);
    EXPECT_EQ(StatOf(file).st_uid, before.st_uid);
    EXPECT_EQ(test::EntryNames(folder), std::vector<std::string>{"config.ini"});
  }
}

// A file in a folder that cannot be written is rewritten in place. Where it gets shorter, a
// kill before the final cut leaves the new text followed by padding that no reader takes for a
// key (a comment line, or blank lines where no comment fits), in the file's own encoding, and
// never the old file's tail as a line of its own.
TEST(ProfileFileOwnership, AnInPlaceWriteKilledBeforeItsCutLeavesNoStrayLine) {
  const std::string lf = "[Init]\nCurConfig=0\n[PRODUCTNAME]\nPRODUCTNAME_EN=Mouse\nSTATUS=0\n";
  const std::string crlfOpenEnd = "[Init]\r\nCurConfig=0\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=Mouse";
  const std::u16string utf16Text =
      u"[Init]\r\nCurConfig=0\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=鼠标 Mouse\r\nSTATUS=0\r\n";
  const std::string gb18030 =
      "[Init]\r\nCurConfig=0\r\n[PRODUCTNAME]\r\nPRODUCTNAME_EN=\xCA\xF3\xB1\xEA Mouse\r\n";
  const struct {
    const char* what;
    std::string bytes;
    std::u16string value;
  } cases[] = {
      {"UTF-8, LF", lf, u"M"},
      {"UTF-8 short by one byte", lf, u"Mous"},
      {"UTF-8 with its mark, CR LF, last line open", "\xEF\xBB\xBF" + crlfOpenEnd, u"M"},
      {"UTF-16LE", EncodeIniText(utf16Text, IniEncoding::kUtf16LeBom), u"鼠"},
      {"UTF-16LE short by one unit", EncodeIniText(utf16Text, IniEncoding::kUtf16LeBom),
       u"鼠标 Mous"},
      {"GB18030", gb18030, u"\u6807"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path file = WritableFileInClosedFolder(dir, c.bytes);
    const DecodedIniText before = DecodeIniBytes(c.bytes);
    const std::string finished =
        WriteProfileString(c.bytes, u"PRODUCTNAME", u"PRODUCTNAME_EN", c.value).value();
    ASSERT_LT(finished.size(), c.bytes.size());

    EXPECT_EQ(test::ExitStatusOfChild(
                  [&] {
                    test::ExitBeforeNextTruncate();
                    return WritePrivateProfileStringW(u"PRODUCTNAME", u"PRODUCTNAME_EN", c.value,
                                                      file);
                  },
                  true),
              test::kExitedBeforeTruncate);
    fs::permissions(dir / "config", fs::perms(0755));

    const std::string left = ReadFileBytes(file);
    EXPECT_EQ(left.size(), c.bytes.size());
    EXPECT_EQ(left.substr(0, finished.size()), finished);
    const DecodedIniText read = DecodeIniBytes(left);
    EXPECT_EQ(read.encoding, before.encoding);
    EXPECT_EQ(Read(file, u"PRODUCTNAME", u"PRODUCTNAME_EN"), c.value);
    EXPECT_EQ(Read(file, u"Init", u"CurConfig"), u"0");
    // After the new text: only a comment line and line ends.
    const std::u16string tail = read.text.substr(DecodeIniBytes(finished).text.size());
    EXPECT_EQ(tail.find_first_not_of(u"\r\n; "), std::u16string::npos) << ToUtf8(tail);
    for (size_t at = tail.find(u';'); at != std::u16string::npos; at = tail.find(u';', at + 1)) {
      EXPECT_TRUE(at == 0 || tail[at - 1] == u'\n') << ToUtf8(tail);
    }
  }
}

TEST(ProfileFileLeftovers, TemporaryFilesOfDeadWritersGoThoseOfRunningOnesStay) {
  TempDir dir;
  const pid_t dead = test::DeadProcessId();
  const std::string deadTemp = ".config.ini.tmp" + std::to_string(dead) + ".3";
  const std::string liveTemp = ".config.ini.tmp1.0";  // process 1 always runs
  const std::string ownTemp = ".macroGrp.ini.tmp" + std::to_string(::getpid()) + ".7";
  const std::string lookAlike = ".notes.tmp" + std::to_string(dead);  // no counter: not ours
  for (const auto& name : {deadTemp, liveTemp, ownTemp, lookAlike}) WriteFileBytes(dir / name, "x");
  // Of the user's, whatever they are named: a folder, and a file named like a folder set aside.
  const std::string userFolder = ".photos.tmp" + std::to_string(dead) + ".1";
  const std::string userBackup = ".bashrc.old" + std::to_string(dead) + ".2";
  fs::create_directory(dir / userFolder);
  WriteFileBytes(dir / userFolder / "picture.png", "x");
  WriteFileBytes(dir / userBackup, "x");

  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"1", dir / "config.ini"));
  EXPECT_EQ(test::EntryNames(dir.path()),
            (std::vector<std::string>{userBackup, liveTemp, ownTemp, lookAlike, userFolder,
                                      "config.ini"}));
  EXPECT_TRUE(fs::exists(dir / userFolder / "picture.png"));
}

TEST(ProfileFileSize, FilesFarBeyondASettingsFileAreRefusedWithOneMessage) {
  test::MessageRecorder messages;
  TempDir dir;
  const auto big = dir / "config.ini";
  WriteFileBytes(big, "[S]\nk=1\n;" + std::string(4 << 20, 'x') + "\n");
  EXPECT_EQ(Read(big, u"S", u"k"), u"<none>");
  EXPECT_EQ(Read(big, u"S", u"k"), u"<none>");
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"2", big));
  EXPECT_EQ(messages.messages(), std::vector<UserMessage>{TooLargeFileMessage(big)});

  // A group file may be larger; a smaller file copied over the oversized one replaces it.
  const auto group = dir / "Group.DAT";
  WriteFileBytes(group, "[Macros]\nmacroNum=1\n;" + std::string(5 << 20, 'x') + "\n");
  EXPECT_EQ(Read(group, u"Macros", u"macroNum"), u"1");
  const auto small = dir / "small.ini";
  WriteFileBytes(small, "[S]\nk=3\n");
  EXPECT_TRUE(CopyFileOverProfile(small, big));
  EXPECT_EQ(Read(big, u"S", u"k"), u"3");
  EXPECT_EQ(messages.messages().size(), 1u);
}

// Every change made behind the kept parse is seen: a rewrite of the same size within the same
// file time, a file replaced by another, a file removed.
TEST(ProfileFileChanges, ChangesByOthersAreAlwaysSeen) {
  TempDir dir;
  const auto file = dir / "config.ini";
  WriteFileBytes(file, "[S]\nk=1\n");
  ASSERT_EQ(Read(file, u"S", u"k"), u"1");
  const auto time = fs::last_write_time(file);
  WriteFileBytes(file, "[S]\nk=2\n");
  fs::last_write_time(file, time);  // same size, same modification time
  EXPECT_EQ(Read(file, u"S", u"k"), u"2");

  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"3", file));
  WriteFileBytes(dir / "other.ini", "[S]\nk=4\n");
  fs::rename(dir / "other.ini", file);
  EXPECT_EQ(Read(file, u"S", u"k"), u"4");
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"j", u"5", file));
  EXPECT_EQ(ReadFileBytes(file), "[S]\nk=4\nj=5\n");

  fs::remove(file);
  EXPECT_EQ(Read(file, u"S", u"k"), u"<none>");
}

TEST(ProfileFileEncoding, ChineseCodePageFilesAreReadAndStayInTheirEncoding) {
  TempDir dir;
  const auto file = dir / "macroGrp.ini";
  // "鼠标" and, as a four-byte sequence, U+1F600 in GB18030.
  WriteFileBytes(file, "[MACRO_GROUP_NAME]\r\n0=\xCA\xF3\xB1\xEA\r\n1=\x94\x39\xFC\x36\r\n");
  EXPECT_EQ(Read(file, u"MACRO_GROUP_NAME", u"0"), u"鼠标");
  EXPECT_EQ(Read(file, u"MACRO_GROUP_NAME", u"1"), u"\U0001F600");

  ASSERT_TRUE(WritePrivateProfileStringW(u"MACRO_GROUP_NAME", u"2", u"键", file));
  EXPECT_EQ(ReadFileBytes(file),
            "[MACRO_GROUP_NAME]\r\n0=\xCA\xF3\xB1\xEA\r\n1=\x94\x39\xFC\x36\r\n2=\xBC\xFC\r\n");
}

TEST(ProfileFileEncoding, ACodePageFileThatWouldReadAsUtf8KeepsItsText) {
  TempDir dir;
  const auto file = dir / "macroGrp.ini";
  // C3 A9 is one character in GB18030 and "é" in UTF-8; D6 D0 ("中") only fits GB18030.
  WriteFileBytes(file, "[G]\r\n0=\xC3\xA9\r\n1=\xD6\xD0\r\n");
  const std::u16string first = Read(file, u"G", u"0");
  ASSERT_NE(first, u"\u00E9");

  // Without "中" the bytes would be valid UTF-8, and key 0 would read as "é".
  ASSERT_TRUE(WritePrivateProfileStringW(u"G", u"1", u"x", file));
  EXPECT_EQ(Read(file, u"G", u"0"), first);
  EXPECT_EQ(Read(file, u"G", u"1"), u"x");
  // What the next start reads from the bytes alone.
  EXPECT_NE(DecodeIniBytes(ReadFileBytes(file)).text.find(u"0=" + first), std::u16string::npos);
}

TEST(ProfileFileCost, AOneMegabyteSettingsFileIsParsedOnceForAllItsKeys) {
  TempDir dir;
  const auto file = dir / "config.ini";
  std::string text = "[ShareData]\n";
  for (int k = 0; k < 100; ++k) text += "KEY" + std::to_string(k) + "=" + std::to_string(k) + "\n";
  text += "[Padding]\n";
  for (int line = 0; text.size() < (1 << 20); ++line) {
    text += "P" + std::to_string(line) + "=" + std::string(40, 'p') + "\n";
  }
  WriteFileBytes(file, text);

  // Start-up reads about 450 keys of config.ini; each used to parse the whole file.
  const std::uint64_t parsedBefore = ProfileFilesParsed();
  for (int round = 0; round < 5; ++round) {
    for (int k = 0; k < 100; ++k) {
      ASSERT_EQ(Read(file, u"ShareData", u"KEY" + DecimalText(k)), DecimalText(k));
    }
  }
  EXPECT_EQ(ProfileFilesParsed() - parsedBefore, 1u);
  // A batch of keys parses nothing more: the written file is what later reads use.
  ProfileWriteBatch batch(file);
  for (int k = 0; k < 100; ++k) batch.Set(u"ShareData", u"KEY" + DecimalText(k), u"10");
  ASSERT_TRUE(batch.Write());
  EXPECT_EQ(Read(file, u"ShareData", u"KEY99"), u"10");
  EXPECT_EQ(ProfileFilesParsed() - parsedBefore, 1u);
}

}  // namespace
}  // namespace gm
