// Every settings save that fails tells the user once, naming the file.
#include "platform/save_failure.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings/config_store.h"
#include "settings_test_support.h"

namespace gm::test {
namespace {

using SettingsSaveFailureTest = SettingsFolderTest;

TEST_F(SettingsSaveFailureTest, EachSaveOfAReadOnlyConfigIniShowsOneMessageNamingIt) {
  const auto chosen = dir_ / "chosen.ini";
  WriteFileBytes(chosen, RealisticConfigIni(1));
  WriteFactoryIni(RealisticConfigIni(1));
  struct Case {
    const char* what;
    std::function<void()> save;
  };
  const Case cases[] = {
      {"DPI level", [] { g_dpiLevel = 5; SaveDpiLevel(g_configIniPath); }},
      {"reset", [] { ResetConfigFile(); }},
      {"import", [&] { EXPECT_EQ(ImportConfigFile(chosen), AfterFileCommand::kNoRedraw); }},
      {"current configuration", [] { g_curConfig = 3; SaveCurConfig(g_configIniPath); }},
  };
  const UserMessage expected =
      SaveFailedMessage(g_configIniPath, std::make_error_code(std::errc::permission_denied));
  const std::u16string path = ToUtf16(g_configIniPath.string());
  ASSERT_NE(expected.chinese.find(path), std::u16string::npos);
  ASSERT_NE(expected.english.find(path), std::u16string::npos);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(g_configIniPath);
    WriteConfigIni(RealisticConfigIni());
    std::filesystem::permissions(g_configIniPath, std::filesystem::perms::owner_read);
    messages_.clear();
    c.save();
    EXPECT_EQ(messages_.messages(), std::vector<UserMessage>{expected});
    EXPECT_EQ(ReadFileBytes(g_configIniPath), RealisticConfigIni());
  }
}

TEST_F(SettingsSaveFailureTest, NestedSavesAreShownByTheOutermostOncePerFile) {
  WriteConfigIni(RealisticConfigIni());
  std::filesystem::permissions(g_configIniPath, std::filesystem::perms::owner_read);
  const auto other = dir_ / "missing-folder" / "other.ini";
  {
    const SaveFailureReport apply;
    for (int c = 0; c < kConfigCount; ++c) EXPECT_FALSE(SaveConfigSection(g_configIniPath, c));
    EXPECT_FALSE(SaveDpiLevel(other));
    EXPECT_TRUE(apply.failed());
    EXPECT_TRUE(messages_.messages().empty());
  }
  ASSERT_EQ(messages_.messages().size(), 2u);
  EXPECT_EQ(messages_.messages()[0],
            SaveFailedMessage(g_configIniPath, std::make_error_code(std::errc::permission_denied)));
  EXPECT_EQ(messages_.messages()[1],
            SaveFailedMessage(other, std::make_error_code(std::errc::no_such_file_or_directory)));
}

}  // namespace
}  // namespace gm::test
