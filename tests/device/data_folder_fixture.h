#pragma once
// The start of every test that drives the device code against a data folder: the process in
// its start state, English texts, a fresh data folder with its config and macro folders, the
// messages recorded and a virtual mouse (not opened).

#include <filesystem>

#include "device/virtual_mouse.h"
#include "device_link_fixture.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

namespace gm::test {

class DataFolderFixture : public DeviceLinkFixture {
 protected:
  void SetUp() override {
    DeviceLinkFixture::SetUp();
    g_isEnglish = 1;
    SetDataPaths(dir_.path(), true);
    std::filesystem::create_directories(g_configFolder);
    std::filesystem::create_directories(g_macroDir);
  }

  TempDir dir_;
  MessageRecorder messages_;
  VirtualMouse mouse_;
};

}  // namespace gm::test
