#pragma once
// Layouts of the two skinned pop-up dialogs, read from their own layout files in the same
// value format as the main window's pages. A missing file ends only the dialog that reads it:
// the loaders report the file once and return false, and the dialog closes without a result
// while the program goes on.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/skin/skin_line_reader.h"
#include "ui/skin/skin_rect.h"

namespace gm {

// Key-capture dialog: 0 shows the captured key's name, 1 OK, 2 close, 3 decoration.
inline constexpr std::size_t kKeysetElementCount = 4;

// Recoil dialog: 14 elements and three edit boxes ("EDIT" 0, 1, 2).
inline constexpr std::size_t kGunElementCount = 14;
inline constexpr std::size_t kGunEditCount = 3;
inline constexpr std::size_t kGunStrengthEdit = 0;
inline constexpr std::size_t kGunRepeatEdit = 1;
inline constexpr std::size_t kGunDelayEdit = 2;

struct KeysetLayout {
  std::array<SkinRect, kKeysetElementCount> rects{};
  std::array<std::u16string, kKeysetElementCount> captions{};
};

struct GunLayout {
  std::array<SkinRect, kGunElementCount> rects{};
  std::array<std::u16string, kGunElementCount> captions{};
  std::array<ControlRect, kGunEditCount> editRects{};  // indexed by kGun...Edit
};

// The dialogs' reader: reads and splits one value exactly as the main window's reader does.
// Returns false when the file is missing (reported once per reader).
bool ReadDialogIniList(SkinLayoutFileReader& reader, std::u16string_view section, int32_t key,
                       SkinFields& fields);

// "BUTTONPOS" 0..3 of skin_keyset_en.ini / skin_keyset.ini (by g_isEnglish).
bool LoadKeysetLayout(KeysetLayout& layout);

// "BUTTONPOS" 0..13 and "EDIT" 0..2 of skin_gun_en.ini / skin_gun.ini (by g_isEnglish).
bool LoadGunLayout(GunLayout& layout);

}  // namespace gm
