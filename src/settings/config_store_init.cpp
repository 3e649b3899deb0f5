// The Init section of config.ini: active configuration, language and configuration names.
#include "platform/save_failure.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/config_store.h"
#include "settings/ini_section.h"
#include "settings/setting_limits.h"

namespace gm {

namespace {
constexpr std::u16string_view kInitSection = u"Init";
constexpr std::u16string_view kEnglishNameSuffix = u"_EN";
}  // namespace

InitSection LoadInitSection(const std::filesystem::path& file) {
  const IniSectionReader init(file, std::u16string(kInitSection));
  InitSection values;
  values.curConfig = ConfigIndexOnLoad(init.Number(u"CurConfig", kShortValueBuffer));
  values.isEnglish = LowByte(init.Number(u"VER_SEL", kShortValueBuffer));
  values.configNum = init.Number(u"ConfigNum", kShortValueBuffer);
  g_curConfig = values.curConfig;
  g_isEnglish = values.isEnglish;
  return values;
}

void LoadConfigNames(const std::filesystem::path& file, bool isEnglish) {
  const IniSectionReader init(file, std::u16string(kInitSection));
  for (int c = 0; c < kConfigCount; ++c) {
    // The names count from 1: ConfigName1 is configuration 0.
    const std::u16string key =
        IndexedKey(u"ConfigName", c + 1, isEnglish ? kEnglishNameSuffix : std::u16string_view{});
    g_configNames[c] = init.Text(key, kNameValueBuffer);
  }
}

bool SaveCurConfig(const std::filesystem::path& file) {
  const SaveFailureReport report;
  ProfileWriteBatch batch(file);
  IniSectionWriter init(batch, std::u16string(kInitSection));
  init.Number(u"CurConfig", g_curConfig);
  return batch.Write();
}

bool SaveLanguage(const std::filesystem::path& file, bool isEnglish) {
  const SaveFailureReport report;
  ProfileWriteBatch batch(file);
  IniSectionWriter init(batch, std::u16string(kInitSection));
  init.Text(u"VER_SEL", isEnglish ? u"1" : u"0");
  return batch.Write();
}

}  // namespace gm
