#pragma once
// ui/skin: the skin, read from the data folder: layout files, images, window shape, fonts.
//
// The page layouts of the main window: where each hot spot of a page image lies and which
// caption is drawn in it, read from the skin layout files of the current language
// (g_isEnglish) in the skins folder (g_skinsFolder).
//
// Each loader reads its keys in ascending order and returns whether its file was found. A
// missing file has shown "找不到配置文件" once; its entries have been read as empty values
// (zero rectangles, empty captions). The caller then ends the program: it removes the
// notification-area icon, sends the leaving notice and closes the main window.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ui/skin/skin_line_reader.h"
#include "ui/skin/skin_rect.h"

namespace gm {

inline constexpr std::size_t kMainElementCount = 45;
inline constexpr std::size_t kLedElementCount = 103;
inline constexpr std::size_t kAdvElementCount = 138;
inline constexpr std::size_t kMacElementCount = 20;
inline constexpr std::size_t kLbWarningElementCount = 3;
inline constexpr std::size_t kFunStringCount = 48;  // entries 1..47 are read, entry 0 stays empty
inline constexpr int32_t kFirstFunString = 1;
inline constexpr std::size_t kControlRectCount = 10;

// Entries of g_controlRects.
inline constexpr std::size_t kConfigNameEditCount = 4;  // entries 0..3: main "EDIT" 0..3
inline constexpr std::size_t kRepeatEditRect = 4;       // macro "EDIT" 2: repeat-count edit
inline constexpr std::size_t kMacroEdit1Rect = 5;       // macro "EDIT" 1 (repaint region only)
inline constexpr std::size_t kMacroEdit0Rect = 6;       // macro "EDIT" 0 (repaint region only)
inline constexpr std::size_t kMacroListRect = 7;        // "MACRODISPLAY" 1: macro list
inline constexpr std::size_t kStepListRect = 8;         // "MACRODISPLAY" 2: step list
inline constexpr std::size_t kParamListRect = 9;        // "MACRODISPLAY" 3: lighting-step details

// The page tables, owned by the main window; each rectangle array has a parallel caption
// array, index for index. Entries keep their values until the next load.
struct SkinLayout {
  std::array<SkinRect, kMainElementCount> m_mainRects{};
  std::array<std::u16string, kMainElementCount> m_mainCaptions{};
  std::array<SkinRect, kLedElementCount> m_ledRects{};
  std::array<std::u16string, kLedElementCount> m_ledCaptions{};
  std::array<SkinRect, kAdvElementCount> m_advRects{};
  std::array<std::u16string, kAdvElementCount> m_advCaptions{};
  std::array<SkinRect, kMacElementCount> m_macRects{};
  std::array<std::u16string, kMacElementCount> m_macCaptions{};
};

// Process-wide tables filled by the same loaders (user-interface thread only).
extern std::array<std::u16string, kFunStringCount> g_funStrings;   // key-function captions
extern std::array<ControlRect, kControlRectCount> g_controlRects;  // places of real controls
extern int32_t g_dpiSliderX;                                       // x of the slider element
extern int32_t g_dpiSliderWidth;                                   // its width
extern int32_t g_dpiSliderStep;  // width / 16, truncated toward zero
extern std::array<SkinRect, kLbWarningElementCount> g_lbWarningRects;
extern std::array<std::u16string, kLbWarningElementCount> g_lbWarningCaptions;

// Empties the process-wide tables (their state before the first load).
void ResetSkinLayoutGlobals();

// The layout files, in the order start-up and the language switch load the main window's.
enum class SkinLayoutFile {
  kMain,
  kColor,
  kAdvance,
  kMac,
  kLbWarning,
  kKeyset,  // key-capture dialog
  kGun,     // recoil dialog
};

// g_skinsFolder / "INI_EN" / "skin_main_en.ini" or g_skinsFolder / "INI_CN" / "skin_main.ini",
// and so on for each file.
std::filesystem::path SkinLayoutFilePath(SkinLayoutFile which, bool isEnglish);

// "BUTTONPOS" 0..44 into the main table, "FUN_STRING" 1..47 into g_funStrings, "EDIT" 0..3
// into g_controlRects 0..3.
bool LoadSkinMainIni(SkinLayout& layout);
// "BUTTONPOS" 0..102 into the lighting table.
bool LoadSkinColorIni(SkinLayout& layout);
// "BUTTONPOS" 0..137 into the advanced table, then the DPI slider geometry from element 66.
bool LoadSkinAdvanceIni(SkinLayout& layout);
// "BUTTONPOS" 0..19 into the macro table, "EDIT" 0, 1, 2 into g_controlRects 6, 5, 4 and
// "MACRODISPLAY" 1, 2, 3 into g_controlRects 7, 8, 9.
bool LoadSkinMacIni(SkinLayout& layout);
// "BUTTONPOS" 0..2 into g_lbWarningRects and g_lbWarningCaptions.
bool LoadLBWarningIni();

// Runs all five loaders in order (main, color, advance, mac, LBWarning) and returns the first
// file that was missing, or nothing when all were found. Every loader runs even after a
// missing file, so each missing file is reported once.
std::optional<std::filesystem::path> LoadAllSkinLayouts(SkinLayout& layout);

}  // namespace gm
