#pragma once
// Geometry of the skinned pop-ups: the row lists (key-function list, the small lists, the
// macro-group list) and the two dialogs (key capture, recoil settings). Everything the image
// painters, the layout writer, the caption check and the contact sheet need comes from here,
// so an element moves in one place only.

#include <QRect>
#include <QSize>

#include <span>
#include <string_view>

namespace gm::popups {

// ---- Row lists -------------------------------------------------------------------------------
// The program derives a list's row height from its mask: mask height / kMaskRowDivisor (the
// lighting-mode list divides by kLedModeRowDivisor instead and gets taller rows from the same
// images). Row n (1-based) is the band (0, (n - 1) * rowHeight, width, rowHeight).
inline constexpr int kMaskRowDivisor = 15;
inline constexpr int kLedModeRowDivisor = 10;

struct MenuSkin {
  std::string_view stem;       // image names: <stem>_normal.jpg, <stem>_over.jpg, ...
  bool hasMask;                // <stem>_mask.jpg exists (it gives width and row height)
  int width;
  int rowHeight;               // mask height / kMaskRowDivisor
  int imageRows;               // rows the normal / over / down images hold
  int visibleRows;             // the most rows a window of this list shows
  // Row-aligned decoration (separators, submenu arrows) is drawn only when every list that
  // uses these images has this row height; otherwise the images are the same on every line.
  bool rowAligned;
  std::span<const int> submenuRows;   // 1-based rows that open another list (arrow marker)
  std::span<const int> groupBreaks;   // a stronger separator drawn above these rows
};

// Height of the mask, which fixes the row height the program computes.
inline int MaskHeight(const MenuSkin& menu) { return menu.rowHeight * kMaskRowDivisor; }
// Height of the normal / over / down images: every row a window may show, and the one-pixel
// line below the last row that the second-level lists include.
inline int ImageHeight(const MenuSkin& menu) { return menu.imageRows * menu.rowHeight + 1; }

// Key-function list: 14 visible rows of the 15 the mask counts; rows 7..13 open a second list.
const MenuSkin& KeyFunctionMenu();
// The small lists (lighting mode, lighting-step mode and colour, recoil macros), the second
// level of the key-function list and the macro chooser.
const MenuSkin& PlainMenu();
// The second level when it lists macro groups: every row opens the macro chooser. Same size
// as the plain list; it has no mask of its own.
const MenuSkin& GroupMenu();

// ---- Dialogs -----------------------------------------------------------------------------------
enum class ElementLook {
  kPushButton,    // bevelled button with a caption
  kToggleButton,  // play-mode button; its down image is the "selected" look
  kCloseGlyph,    // "x" in the title bar
  kBackGlyph,     // "<" in the title bar
  kDropGlyph,     // arrow that opens a list
  kTitle,         // caption in the title bar, no frame
  kLabel,         // caption beside a control, no frame
  kValueField,    // sunk field where the program writes a value in the highlight colour
  kPictureWell,   // place of the weapon picture
  kEditPlace,     // a real edit control sits exactly here
};

struct PopupElement {
  std::u16string_view name;  // field 0 of the layout line
  QRect rect;
  std::u16string_view captionEn;
  std::u16string_view captionCn;
  ElementLook look;
};

struct DialogSkin {
  std::string_view imageStem;   // keyset_normal.jpg, ...
  std::string_view layoutStem;  // INI_EN/<stem>_en.ini, INI_CN/<stem>.ini
  QSize size;
  int titleBandHeight;
  std::span<const PopupElement> buttons;  // "BUTTONPOS" 0..n-1
  std::span<const PopupElement> edits;    // "EDIT" 0..n-1 (none for the key capture dialog)
  std::span<const QRect> panels;          // framed groups drawn under the elements
};

// Key capture: 0 captured key's name, 1 OK, 2 close, 3 title (decoration).
const DialogSkin& KeyCaptureDialog();
// Recoil settings: 0, 1, 3 close, 2 save, 4 weapon picture, 5 weapon name, 6 opens the weapon
// list, 7 title, 8 / 9 play modes, 10..13 captions; edits 0 strength, 1 repeat, 2 delay.
const DialogSkin& RecoilDialog();

// Index of the weapon picture element of the recoil dialog; pictures are drawn at its size.
inline constexpr int kWeaponPictureElement = 4;
// Index of the weapon-name element; the weapon list opens below it.
inline constexpr int kWeaponNameElement = 5;
// The weapon list is opened in a window of this size, so the plain list must fit in it.
inline constexpr QSize kWeaponListWindow{160, 360};
// The most recoil macros a recoil file holds.
inline constexpr int kMaxRecoilMacros = 20;

}  // namespace gm::popups
