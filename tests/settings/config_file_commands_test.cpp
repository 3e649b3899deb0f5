#include <gtest/gtest.h>

#include "platform/ini_encoding.h"
#include "platform/profile_file.h"
#include "settings/config_store.h"
#include "settings_test_support.h"

namespace gm::test {
namespace {

using ConfigFileCommandTest = SettingsFolderTest;

const UserMessage kError = SameInBothLanguages(u"Error!");

TEST_F(ConfigFileCommandTest, ExportCopiesTheFileOnDisk) {
  WriteConfigIni(RealisticConfigIni());
  const auto target = dir_ / "export.ini";
  WriteFileBytes(target, "old");
  g_fireTime = 299;  // not saved: not exported

  EXPECT_EQ(ExportConfigFile(target), AfterFileCommand::kRedraw);
  EXPECT_EQ(ReadFileBytes(target), RealisticConfigIni());
  EXPECT_EQ(ExportConfigFile(g_configIniPath), AfterFileCommand::kRedraw);  // onto itself
  EXPECT_EQ(ReadFileBytes(g_configIniPath), RealisticConfigIni());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ConfigFileCommandTest, ExportWithoutASettingsFileFailsEvenOverAnExistingTarget) {
  const auto absent = dir_ / "absent.ini";
  EXPECT_EQ(ExportConfigFile(absent), AfterFileCommand::kNoRedraw);
  EXPECT_FALSE(std::filesystem::exists(absent));

  const auto existing = dir_ / "existing.ini";
  WriteFileBytes(existing, "[Init]\nCurConfig=1\n");
  EXPECT_EQ(ExportConfigFile(existing), AfterFileCommand::kNoRedraw);
  EXPECT_EQ(ReadFileBytes(existing), "[Init]\nCurConfig=1\n");
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>({kError, kError}));
}

TEST_F(ConfigFileCommandTest, ImportReplacesTheSettingsFileAndReloadsEveryConfiguration) {
  WriteConfigIni(RealisticConfigIni(1));
  const auto chosen = dir_ / "chosen.ini";
  WriteFileBytes(chosen, RealisticConfigIni());
  TempDir expectedFolder;
  WriteFileBytes(expectedFolder.path() / "config.ini", RealisticConfigIni());
  for (int c = 0; c < kConfigCount; ++c) LoadConfigSection(expectedFolder.path(), c, false);
  g_curConfig = 3;  // Init is not reloaded
  const auto expected = SettingsSnapshot();
  ResetSettingsToStartValues();
  g_curConfig = 3;

  EXPECT_EQ(ImportConfigFile(chosen), AfterFileCommand::kRedraw);
  EXPECT_EQ(SettingsSnapshot(), expected);
  EXPECT_EQ(ReadFileBytes(g_configIniPath), RealisticConfigIni());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ConfigFileCommandTest, ImportOfAMissingPathChangesNothing) {
  WriteConfigIni(RealisticConfigIni());
  g_dpiValue[0] = 13;
  const auto before = SettingsSnapshot();

  EXPECT_EQ(ImportConfigFile(dir_ / "missing.ini"), AfterFileCommand::kNoRedraw);
  EXPECT_EQ(ImportConfigFile(dir_.path()), AfterFileCommand::kNoRedraw);  // a folder
  EXPECT_EQ(SettingsSnapshot(), before);
  EXPECT_EQ(ReadFileBytes(g_configIniPath), RealisticConfigIni());
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>({kError, kError}));
}

// config.ini also holds the key map, the product names and the language: a file that is not
// a settings file is refused with a message naming it and why, and nothing changes. A file
// the program exported imports.
TEST_F(ConfigFileCommandTest, ImportRefusesWhatIsNotASettingsFile) {
  const std::string settings = RealisticConfigIni();
  WriteConfigIni(settings);
  ASSERT_TRUE(LoadAllConfigurations());
  const auto before = SettingsSnapshot();
  const std::string picture = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + "\x01\xFF\xFE";
  const struct {
    const char* name;
    std::string bytes;
    std::u16string chinese;
    std::u16string english;
  } refused[] = {
      {"picture.ini", picture, u"不是设置文件：不是文本文件",
       u"not a settings file: not a text file"},
      {"cut.ini", settings.substr(0, settings.find("[Config2]")),
       u"不是设置文件：缺少 [Config2] 段", u"not a settings file: no [Config2] section"},
      {"desktop.ini", "[.ShellClassInfo]\r\nIconResource=mouse.ico,0\r\n",
       u"不是设置文件：缺少 [Config0] 段", u"not a settings file: no [Config0] section"},
      {"nul.ini", settings + '\0', u"不是设置文件：不是文本文件",
       u"not a settings file: not a text file"},
      {"huge.ini", settings + ";" + std::string(kMaxIniFileBytes, 'x'), u"文件过大",
       u"the file is too large"},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.name);
    const auto chosen = dir_ / r.name;
    WriteFileBytes(chosen, r.bytes);
    messages_.clear();
    EXPECT_EQ(ImportConfigFile(chosen), AfterFileCommand::kNoRedraw);
    const std::u16string path = ToUtf16(chosen.string());
    const UserMessage expected{
        u"Error：文件未导入!\n" + path + u"\n(" + r.chinese + u")",
        u"Error: the file was not imported!\n" + path + u"\n(" + r.english + u")"};
    EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{expected});
    EXPECT_EQ(ReadFileBytes(g_configIniPath), settings);
    EXPECT_EQ(SettingsSnapshot(), before);
  }

  // Exported (also from a file in UTF-16, or in GB18030 with Chinese text) and imported again.
  const auto exported = dir_ / "exported.ini";
  const std::u16string text16 = DecodeIniBytes(settings).text;
  const std::u16string chinese = text16 + u";游戏鼠标设置\r\n";
  for (const std::string& text : {settings, EncodeIniText(text16, IniEncoding::kUtf16LeBom),
                                  EncodeIniText(text16, IniEncoding::kUtf8Bom),
                                  EncodeIniText(chinese, IniEncoding::kGb18030)}) {
    WriteConfigIni(text);
    messages_.clear();
    ASSERT_EQ(ExportConfigFile(exported), AfterFileCommand::kRedraw);
    EXPECT_EQ(ImportConfigFile(exported), AfterFileCommand::kRedraw);
    EXPECT_EQ(ReadFileBytes(g_configIniPath), text);
    EXPECT_TRUE(messages_.messages().empty());
  }
}

TEST_F(ConfigFileCommandTest, ResetLoadsFactoryConfigurationsFromLastToFirstAndSavesThem) {
  WriteConfigIni(RealisticConfigIni(1));
  std::string factory = RealisticConfigIni();
  WriteFactoryIni(factory);  // wheel status 0, 1, 0, 1 in Config0..3

  EXPECT_EQ(ResetConfigFile(), AfterFileCommand::kRedraw);
  EXPECT_EQ(g_wheelStatus, 0);  // Config0's, loaded last
  EXPECT_TRUE(messages_.messages().empty());

  const auto reset = SettingsSnapshot();
  ResetSettingsToStartValues();
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 3, false));
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 2, false));
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 1, false));
  ASSERT_TRUE(LoadConfigSection(g_configFolder, 0, false));
  EXPECT_EQ(SettingsSnapshot(), reset);
  for (int c = 0; c < kConfigCount; ++c) {
    const std::u16string section = u"Config" + DecimalText(c);
    EXPECT_EQ(Read(section, u"K5"), Read(section, u"K5", g_configFolder / "configReset.ini"));
    EXPECT_EQ(Read(section, u"WHEEL_STATUS"), "0");  // one wheel status saved everywhere
  }
  EXPECT_EQ(ReadFileBytes(g_configFolder / "configReset.ini"), factory);
}

TEST_F(ConfigFileCommandTest, ResetWithoutFactoryFileWritesTheSettingsBack) {
  WriteConfigIni(RealisticConfigIni());
  ASSERT_TRUE(LoadAllConfigurations());
  g_fireTime = 250;

  EXPECT_EQ(ResetConfigFile(), AfterFileCommand::kRedraw);
  const UserMessage missing = SameInBothLanguages(u"Error：ConfigReset.ini文件不存在!");
  EXPECT_EQ(messages_.messages(), std::vector<UserMessage>(4, missing));
  EXPECT_EQ(g_fireTime, 250);
  EXPECT_EQ(Read(u"ShareData", u"FIRE_TIME"), "250");
}

}  // namespace
}  // namespace gm::test
