#include "ui/skin/skin_layout.h"

#include <utility>

#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/skin/dpi_slider_element.h"

namespace gm {

std::array<std::u16string, kFunStringCount> g_funStrings;
std::array<ControlRect, kControlRectCount> g_controlRects{};
int32_t g_dpiSliderX = 0;
int32_t g_dpiSliderWidth = 0;
int32_t g_dpiSliderStep = 0;
std::array<SkinRect, kLbWarningElementCount> g_lbWarningRects{};
std::array<std::u16string, kLbWarningElementCount> g_lbWarningCaptions;

namespace {

struct LayoutFileNames {
  const char* english;
  const char* chinese;
};

LayoutFileNames NamesOf(SkinLayoutFile which) {
  switch (which) {
    case SkinLayoutFile::kMain:
      return {"skin_main_en.ini", "skin_main.ini"};
    case SkinLayoutFile::kColor:
      return {"skin_color_en.ini", "skin_color.ini"};
    case SkinLayoutFile::kAdvance:
      return {"skin_advance_en.ini", "skin_advance.ini"};
    case SkinLayoutFile::kMac:
      return {"skin_mac_en.ini", "skin_mac.ini"};
    case SkinLayoutFile::kLbWarning:
      return {"LBWarning_en.ini", "LBWarning.ini"};
    case SkinLayoutFile::kKeyset:
      return {"skin_keyset_en.ini", "skin_keyset.ini"};
    case SkinLayoutFile::kGun:
      return {"skin_gun_en.ini", "skin_gun.ini"};
  }
  return {"", ""};
}

// A reader of the given file in the language in force now.
SkinLayoutFileReader ReaderOf(SkinLayoutFile which) {
  return SkinLayoutFileReader(SkinLayoutFilePath(which, g_isEnglish.load() != 0));
}

// "BUTTONPOS" 0..N-1 into a rectangle table and its captions.
template <std::size_t N>
void ReadButtonTable(SkinLayoutFileReader& reader, std::array<SkinRect, N>& rects,
                     std::array<std::u16string, N>& captions) {
  for (std::size_t i = 0; i < N; ++i) {
    reader.ReadElement(kButtonPosSection, static_cast<int32_t>(i), rects[i], captions[i]);
  }
}

// One key of a section as a control's place.
ControlRect ReadControlRect(SkinLayoutFileReader& reader, std::u16string_view section,
                            int32_t key) {
  SkinFields fields;
  reader.ReadIniList(section, key, fields);
  return ControlRectOf(SkinRectOfFields(fields));
}

}  // namespace

void ResetSkinLayoutGlobals() {
  g_funStrings = {};
  g_controlRects = {};
  g_dpiSliderX = 0;
  g_dpiSliderWidth = 0;
  g_dpiSliderStep = 0;
  g_lbWarningRects = {};
  g_lbWarningCaptions = {};
}

std::filesystem::path SkinLayoutFilePath(SkinLayoutFile which, bool isEnglish) {
  const LayoutFileNames names = NamesOf(which);
  return g_skinsFolder / LanguageFolderName(isEnglish) /
         (isEnglish ? names.english : names.chinese);
}

bool LoadSkinMainIni(SkinLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kMain);
  ReadButtonTable(reader, layout.m_mainRects, layout.m_mainCaptions);

  SkinFields fields;
  for (std::size_t k = kFirstFunString; k < kFunStringCount; ++k) {
    reader.ReadIniList(kFunStringSection, static_cast<int32_t>(k), fields);
    g_funStrings[k] = std::move(fields[kSkinNameField]);
  }

  for (std::size_t i = 0; i < kConfigNameEditCount; ++i) {
    g_controlRects[i] = ReadControlRect(reader, kEditSection, static_cast<int32_t>(i));
  }
  return reader.fileFound();
}

bool LoadSkinColorIni(SkinLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kColor);
  ReadButtonTable(reader, layout.m_ledRects, layout.m_ledCaptions);
  return reader.fileFound();
}

bool LoadSkinAdvanceIni(SkinLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kAdvance);
  ReadButtonTable(reader, layout.m_advRects, layout.m_advCaptions);

  // The slider's width spans the DPI steps 0..kDpiMaxStep.
  const SkinRect& slider = layout.m_advRects[kAdvDpiSlider];
  g_dpiSliderX = slider.x;
  g_dpiSliderWidth = slider.width;
  g_dpiSliderStep = slider.width / kDpiMaxStep;
  return reader.fileFound();
}

bool LoadSkinMacIni(SkinLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kMac);
  ReadButtonTable(reader, layout.m_macRects, layout.m_macCaptions);

  // The edit boxes in key order 0, 1, 2 land in entries 6, 5, 4; entry 4 is the repeat count.
  g_controlRects[kMacroEdit0Rect] = ReadControlRect(reader, kEditSection, 0);
  g_controlRects[kMacroEdit1Rect] = ReadControlRect(reader, kEditSection, 1);
  g_controlRects[kRepeatEditRect] = ReadControlRect(reader, kEditSection, 2);

  g_controlRects[kMacroListRect] = ReadControlRect(reader, kMacroDisplaySection, 1);
  g_controlRects[kStepListRect] = ReadControlRect(reader, kMacroDisplaySection, 2);
  g_controlRects[kParamListRect] = ReadControlRect(reader, kMacroDisplaySection, 3);
  return reader.fileFound();
}

bool LoadLBWarningIni() {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kLbWarning);
  ReadButtonTable(reader, g_lbWarningRects, g_lbWarningCaptions);
  return reader.fileFound();
}

std::optional<std::filesystem::path> LoadAllSkinLayouts(SkinLayout& layout) {
  const bool isEnglish = g_isEnglish.load() != 0;
  std::optional<std::filesystem::path> firstMissing;
  auto note = [&firstMissing, isEnglish](bool found, SkinLayoutFile which) {
    if (!found && !firstMissing) firstMissing = SkinLayoutFilePath(which, isEnglish);
  };
  note(LoadSkinMainIni(layout), SkinLayoutFile::kMain);
  note(LoadSkinColorIni(layout), SkinLayoutFile::kColor);
  note(LoadSkinAdvanceIni(layout), SkinLayoutFile::kAdvance);
  note(LoadSkinMacIni(layout), SkinLayoutFile::kMac);
  note(LoadLBWarningIni(), SkinLayoutFile::kLbWarning);
  return firstMissing;
}

}  // namespace gm
