#include "ui/skin/skin_dialog_layout.h"

#include <utility>

#include "settings/config_settings.h"
#include "ui/skin/skin_layout.h"

namespace gm {
namespace {

SkinLayoutFileReader ReaderOf(SkinLayoutFile which) {
  return SkinLayoutFileReader(SkinLayoutFilePath(which, g_isEnglish.load() != 0));
}

template <std::size_t N>
void ReadDialogButtons(SkinLayoutFileReader& reader, std::array<SkinRect, N>& rects,
                       std::array<std::u16string, N>& captions) {
  SkinFields fields;
  for (std::size_t i = 0; i < N; ++i) {
    ReadDialogIniList(reader, kButtonPosSection, static_cast<int32_t>(i), fields);
    rects[i] = SkinRectOfFields(fields);
    captions[i] = std::move(fields[kSkinCaptionField]);
  }
}

}  // namespace

bool ReadDialogIniList(SkinLayoutFileReader& reader, std::u16string_view section, int32_t key,
                       SkinFields& fields) {
  return reader.ReadIniList(section, key, fields);
}

bool LoadKeysetLayout(KeysetLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kKeyset);
  ReadDialogButtons(reader, layout.rects, layout.captions);
  return reader.fileFound();
}

bool LoadGunLayout(GunLayout& layout) {
  SkinLayoutFileReader reader = ReaderOf(SkinLayoutFile::kGun);
  ReadDialogButtons(reader, layout.rects, layout.captions);

  SkinFields fields;
  for (std::size_t i = 0; i < kGunEditCount; ++i) {
    ReadDialogIniList(reader, kEditSection, static_cast<int32_t>(i), fields);
    layout.editRects[i] = ControlRectOf(SkinRectOfFields(fields));
  }
  return reader.fileFound();
}

}  // namespace gm
