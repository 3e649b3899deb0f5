#include "popup_geometry.h"

#include <array>

namespace gm::popups {
namespace {

// ---- Row lists -------------------------------------------------------------------------------
// The key-function list opens under a key button and gets the button's width + 1.
constexpr int kKeyMenuWidth = 211;
constexpr int kKeyMenuRowHeight = 24;
constexpr int kKeyMenuVisibleRows = 14;
constexpr std::array<int, 7> kKeyMenuSubmenuRows{7, 8, 9, 10, 11, 12, 13};
// Rows 1..6 assign a function at once, 7..13 open a family, 14 captures a keyboard key.
constexpr std::array<int, 2> kKeyMenuGroupBreaks{7, 14};

// The weapon list is 160 x 360 and must show all 20 recoil macros: 20 rows of 18 pixels.
constexpr int kPlainMenuWidth = 160;
constexpr int kPlainMenuRowHeight = 18;
constexpr int kPlainMenuRows = 20;

constexpr std::array<int, kPlainMenuRows> kAllRows{1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                   11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

// ---- Key capture dialog ------------------------------------------------------------------------
constexpr QSize kKeyCaptureSize{320, 180};
constexpr int kKeyCaptureTitleBand = 40;

constexpr std::array<PopupElement, 4> kKeyCaptureButtons{{
    {u"KeyName", QRect(40, 62, 240, 40), u"", u"", ElementLook::kValueField},
    {u"OK", QRect(110, 128, 100, 32), u"OK", u"确定", ElementLook::kPushButton},
    {u"Close", QRect(282, 8, 28, 24), u"", u"", ElementLook::kCloseGlyph},
    {u"Title", QRect(42, 8, 236, 24), u"Press a key", u"请按下键盘按键", ElementLook::kTitle},
}};

// ---- Recoil dialog ------------------------------------------------------------------------------
constexpr QSize kRecoilSize{480, 336};
constexpr int kRecoilTitleBand = 40;

constexpr std::array<PopupElement, 14> kRecoilButtons{{
    {u"Close", QRect(442, 8, 28, 24), u"", u"", ElementLook::kCloseGlyph},
    {u"Cancel", QRect(360, 290, 100, 32), u"Cancel", u"取消", ElementLook::kPushButton},
    {u"Save", QRect(250, 290, 100, 32), u"Save", u"保存", ElementLook::kPushButton},
    {u"Back", QRect(10, 8, 28, 24), u"", u"", ElementLook::kBackGlyph},
    {u"Picture", QRect(20, 54, 240, 130), u"", u"", ElementLook::kPictureWell},
    {u"Weapon", QRect(20, 194, 200, 30), u"", u"", ElementLook::kValueField},
    {u"WeaponList", QRect(220, 194, 40, 30), u"", u"", ElementLook::kDropGlyph},
    {u"Title", QRect(48, 8, 384, 24), u"Recoil macros", u"压枪宏设置", ElementLook::kTitle},
    {u"ModeRepeat", QRect(124, 240, 160, 30), u"Repeat count", u"指定次数",
     ElementLook::kToggleButton},
    {u"ModeHold", QRect(294, 240, 166, 30), u"Loop while held", u"按住时循环",
     ElementLook::kToggleButton},
    {u"StrengthLabel", QRect(284, 58, 96, 28), u"Strength", u"压枪力度", ElementLook::kLabel},
    {u"RepeatLabel", QRect(284, 100, 96, 28), u"Repeat", u"重复次数", ElementLook::kLabel},
    {u"DelayLabel", QRect(284, 142, 96, 28), u"Delay (ms)", u"间隔(毫秒)", ElementLook::kLabel},
    {u"ModeLabel", QRect(20, 240, 96, 30), u"Play mode", u"播放方式", ElementLook::kLabel},
}};

// The three numbers, and the play-mode row.
constexpr std::array<QRect, 2> kRecoilPanels{QRect(272, 48, 198, 134), QRect(10, 232, 460, 46)};

constexpr std::array<PopupElement, 3> kRecoilEdits{{
    {u"StrengthEdit", QRect(388, 60, 72, 24), u"", u"", ElementLook::kEditPlace},
    {u"RepeatEdit", QRect(388, 102, 72, 24), u"", u"", ElementLook::kEditPlace},
    {u"DelayEdit", QRect(388, 144, 72, 24), u"", u"", ElementLook::kEditPlace},
}};

}  // namespace

const MenuSkin& KeyFunctionMenu() {
  static const MenuSkin skin{"menu1",
                             true,
                             kKeyMenuWidth,
                             kKeyMenuRowHeight,
                             kMaskRowDivisor,
                             kKeyMenuVisibleRows,
                             true,
                             kKeyMenuSubmenuRows,
                             kKeyMenuGroupBreaks};
  return skin;
}

const MenuSkin& PlainMenu() {
  // The lighting-mode list reads these images with taller rows, so nothing is row-aligned.
  static const MenuSkin skin{"menu", true, kPlainMenuWidth, kPlainMenuRowHeight, kPlainMenuRows,
                             kPlainMenuRows, false, {}, {}};
  return skin;
}

const MenuSkin& GroupMenu() {
  static const MenuSkin skin{"Macro_menu", false, kPlainMenuWidth, kPlainMenuRowHeight,
                             kPlainMenuRows, kPlainMenuRows, true, kAllRows, {}};
  return skin;
}

const DialogSkin& KeyCaptureDialog() {
  static const DialogSkin skin{"keyset", "skin_keyset", kKeyCaptureSize, kKeyCaptureTitleBand,
                               kKeyCaptureButtons, {}, {}};
  return skin;
}

const DialogSkin& RecoilDialog() {
  static const DialogSkin skin{"gun", "skin_gun", kRecoilSize, kRecoilTitleBand, kRecoilButtons,
                               kRecoilEdits, kRecoilPanels};
  return skin;
}

}  // namespace gm::popups
