// The settings files and paths as the device threads meet them while the user-interface
// thread works: the paths they read stay put through a language switch, and a key they write
// while the user imports a settings file never undoes the import.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "settings/config_store.h"
#include "settings_test_support.h"

namespace gm::test {
namespace {

using SettingsConcurrencyTest = SettingsFolderTest;

TEST_F(SettingsConcurrencyTest, LanguageSwitchLeavesThePathsOfTheSettingsFilesAlone) {
  WriteConfigIni(RealisticConfigIni());
  const auto* const configIniText = g_configIniPath.c_str();
  const auto* const configFolderText = g_configFolder.c_str();
  const auto* const skinsFolderText = g_skinsFolder.c_str();

  // A device thread loading the active configuration the whole time.
  std::atomic<bool> stop{false};
  std::thread device([&] {
    while (!stop) LoadConfigSection(g_configFolder, 1, false);
  });
  for (int i = 0; i < 200; ++i) SetDataPaths(dir_.path(), i % 2 == 0);
  stop = true;
  device.join();

  // Only the macro folders follow the language; the other paths were never rewritten.
  EXPECT_EQ(g_configIniPath.c_str(), configIniText);
  EXPECT_EQ(g_configFolder.c_str(), configFolderText);
  EXPECT_EQ(g_skinsFolder.c_str(), skinsFolderText);
  EXPECT_EQ(g_configIniPath, dir_.path() / "skins" / "config" / "config.ini");
  EXPECT_EQ(g_macroDir, dir_.path() / "skins" / "INI_CN" / "macro" / "");
  EXPECT_TRUE(messages_.messages().empty());
}

// The key action thread saving the DPI level over and over (alternating, so that every save
// really rewrites the file) for as long as the object lives.
class DpiLevelSaver {
 public:
  DpiLevelSaver()
      : thread_([this] {
          for (int level = 0; !stop_; level = 1 - level) {
            g_dpiLevel = level;
            SaveDpiLevel(g_configIniPath);
            ++saves_;
          }
        }) {}
  ~DpiLevelSaver() {
    stop_ = true;
    thread_.join();
  }
  // Returns once every save that had begun by the call has ended.
  void WaitForSavesInProgress() const {
    const int after = saves_ + 2;
    while (saves_ < after) std::this_thread::yield();
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> saves_{0};
  std::thread thread_;
};

TEST_F(SettingsConcurrencyTest, KeyWrittenDuringAnImportNeverUndoesTheImport) {
  // Small files, so that the reloads after each import stay quick.
  WriteConfigIni("[Init]\nCurConfig=0\n[ShareData]\nDPI_LEVEL=0\n");
  const auto chosen = dir_ / "chosen.ini";
  int lost = 0;
  {
    const DpiLevelSaver saver;
    for (int i = 0; i < 10; ++i) {
      const std::string number = std::to_string(i);
      WriteFileBytes(chosen,
                     "[Config0]\n[Config1]\n[Config2]\n[Config3]\n[KEYNUM]\n[KEYMAP]\n"
                     "[ShareData]\nDPI_LEVEL=3\n[Imported]\nNumber=" +
                         number + "\n");
      EXPECT_EQ(ImportConfigFile(chosen), AfterFileCommand::kRedraw);
      saver.WaitForSavesInProgress();
      if (Read(u"Imported", u"Number") != number) ++lost;
    }
  }
  EXPECT_EQ(lost, 0) << "imports undone by a key written at the same time";
  EXPECT_TRUE(messages_.messages().empty());
}

}  // namespace
}  // namespace gm::test
