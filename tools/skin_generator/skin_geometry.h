#pragma once
// The one description of the four page skins: for every page element its number, its name,
// how it looks, its rectangle and its captions in both languages. The page images, the
// layout files, the caption check and the contact sheet are all made from these tables, so
// an image and its layout file can never disagree.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <span>
#include <string_view>
#include <vector>

namespace gm::skingen {

// ---- Window ------------------------------------------------------------------------------
inline constexpr int kPageWidth = 880;
inline constexpr int kPageHeight = 660;
inline constexpr int kWindowChamfer = 14;  // corners cut diagonally by the window mask

// The keys page shows its "macro as left button" mark here while such a key is hovered.
inline constexpr QPoint kKeyMarkPosition{378, 535};
inline constexpr QSize kKeyMarkSize{124, 30};

// The DPI slider: the program draws the filled part up to x + (value + 1) * step and the
// knob image at (filled end - 16, element top + 12); step = element width / 16.
inline constexpr int kSliderKnobBack = 16;
inline constexpr int kSliderKnobDown = 12;
inline constexpr int kSliderSteps = 16;
inline constexpr int kSliderPositions = kSliderSteps + 1;
inline constexpr QSize kSliderKnobSize{16, 22};
inline constexpr int kSliderHandleWidth = 8;   // visible handle at the knob image's left
inline constexpr int kSliderBandTop = 19;      // track band rows inside the slider element
inline constexpr int kSliderBandHeight = 8;

enum class Page { kKeys, kAdvanced, kMacro, kLighting };

// Element numbers the program gives a meaning, as far as the generator's drawings use them.
namespace role {
// Main table.
inline constexpr int kChinese = 4;
inline constexpr int kEnglish = 5;
inline constexpr int kFirstTab = 6;            // 6 + page
inline constexpr int kFirstConfig = 10;        // 10 + configuration
inline constexpr int kFirstKeyButton = 20;     // 20 + key
inline constexpr int kKeyLabelDistance = 15;   // key label = key button + 15
inline constexpr int kKeyCount = 9;
// Advanced table.
inline constexpr int kPointerBar = 1;
inline constexpr int kPointerValue = 2;
inline constexpr int kWheelBar = 18;
inline constexpr int kWheelValue = 19;
inline constexpr int kFireBar = 31;
inline constexpr int kFireValue = 32;
inline constexpr int kFirstRate = 34;          // 34 + report rate
inline constexpr int kFirstRateMark = 38;      // 38 + report rate
inline constexpr int kFirstDpiEnable = 47;     // 47 + level
inline constexpr int kFirstDpiLevel = 60;      // 60 + level
inline constexpr int kDpiSlider = 66;
inline constexpr int kFirstDpiValue = 70;      // 70 + level, inside the level's chip
inline constexpr int kDpiLevels = 6;
inline constexpr int kLastAdvancedText = 82;   // texts are drawn for elements 0..82
// Macro table.
inline constexpr int kRecord = 4;
inline constexpr int kModeRepeatCount = 8;
inline constexpr int kFirstLeftAligned = 14;   // 14..16 are drawn left-aligned
inline constexpr int kLastLeftAligned = 16;
// Lighting table.
inline constexpr int kFirstSwatch = 0;         // 0 + colour
inline constexpr int kFirstColorEnable = 7;   // 7 + colour
inline constexpr int kCycleColors = 7;
inline constexpr int kLightingMode = 35;
inline constexpr int kBrightnessBar = 40;
inline constexpr int kSpeedBar = 41;
inline constexpr int kFirstDirection = 47;     // 47 + direction
inline constexpr int kInwardDirection = 50;    // greyed but in the key-response mode
inline constexpr int kFirstReaction = 51;      // 51 + key
}  // namespace role

// How an element is drawn in its normal, over and down states.
enum class Look {
  kHeading,        // caption of a group; no frame, same in every state
  kText,           // caption or value written by the program; no frame, same in every state
  kPushButton,     // bevelled button
  kAccentButton,   // the Apply button
  kTab,            // page tab; down is the current page
  kGlyphMinimise,  // title-bar symbols
  kGlyphHide,
  kGlyphClose,
  kGlyphWeb,
  kKeyButton,      // key function button with the key number badge on its left
  kKeyLabel,       // key name above a key button; down marks the key that is pointed at
  kToggleButton,   // a button whose down image means "on" / "selected"
  kCheckBox,       // down = checked
  kRadioDot,       // down = selected
  kSwitch,         // sliding switch; down = on
  kColorSwatch,   // a lighting colour; down = lit
  kBar,            // value bar; down = completely filled
  kDpiSlider,      // the 17-position DPI slider
  kDropButton,     // opens a list below it (arrow on its right)
  kRecordButton,   // macro recording; down = recording
  kValueChip,      // a light plate for a grey value; down = the dark plate of the selected one
  kCover,          // drawn only in led_null.jpg: greys out a group that does not apply
};

// Whether the program acts on a click on the element.
enum class Click { kNo, kYes };

struct Element {
  int number;
  std::u16string_view name;
  Look look;
  Click click;
  QRect rect;
  std::u16string_view captionEn;
  std::u16string_view captionCn;
  int detail = 0;  // key number (key buttons, labels), colour index (swatches)
  // Texts the program writes into the element instead of its caption, which must fit too.
  std::span<const std::u16string_view> runtimeTexts = {};
};

// A framed group drawn behind elements of a page (no element of its own).
struct Panel {
  QRect rect;
  bool titleStrip;  // a darker strip along the top where the group's heading sits
};

// A rectangle of the "EDIT" or "MACRODISPLAY" sections.
struct ControlPlace {
  int key;
  std::u16string_view name;
  QRect rect;
  bool isList;  // list box (drawn as a list well) or edit / static strip
};

// Table of each page. Elements not listed have no rectangle (all zero) and no caption.
std::span<const Element> MainElements();      // header, tabs, configurations, keys page
std::span<const Element> AdvancedElements();  // DPI and advanced page
std::span<const Element> MacroElements();     // macro page
std::span<const Element> LightingElements();  // lighting page

inline constexpr int kMainTableSize = 45;
inline constexpr int kAdvancedTableSize = 138;
inline constexpr int kMacroTableSize = 20;
inline constexpr int kLightingTableSize = 103;
inline constexpr int kSharedMainElements = 20;  // main 0..19 are on every page

// The page's own table (the keys page's own table is the main one).
std::span<const Element> PageElements(Page page);
int PageTableSize(Page page);

std::span<const Panel> PagePanels(Page page);

std::span<const ControlPlace> MainEditPlaces();      // "EDIT" 0..3 of skin_main
std::span<const ControlPlace> MacroEditPlaces();     // "EDIT" 0..2 of skin_mac
std::span<const ControlPlace> MacroListPlaces();     // "MACRODISPLAY" 1..3 of skin_mac

// Key-function names, "FUN_STRING" 1..47 of skin_main.
struct FunctionName {
  int code;
  std::u16string_view en;
  std::u16string_view cn;
};
std::span<const FunctionName> FunctionNames();

// "BUTTONPOS" 0..2 of LBWarning (no page draws them).
std::span<const Element> WarningElements();

// Key k (0..8) of the drawn mouse: where its button sits and where its number badge and
// leader line go.
struct MouseKey {
  int key;            // 0..8
  QRect shape;        // the key's own outline on the mouse (for the wheel, the wheel)
  QPoint badge;       // centre of the number badge
  int bendX;          // the leader line runs level from the badge to this x, then to the card
};
std::span<const MouseKey> MouseKeys();
inline constexpr QPoint kMouseCentre{440, 310};

// Lookup helpers.
const Element* FindElement(std::span<const Element> table, int number);
std::u16string_view Caption(const Element& element, bool english);

}  // namespace gm::skingen
