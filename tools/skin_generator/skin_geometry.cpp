#include "skin_geometry.h"

#include <array>

namespace gm::skingen {
namespace {

using L = Look;
constexpr Click kYes = Click::kYes;
constexpr Click kNo = Click::kNo;

// ---- Texts the program writes into elements instead of their captions -----------------------
// A key button shows the name of its function, cut after 11 characters and "..." added; the
// widest possible texts are checked besides every key-function name.
constexpr std::array<std::u16string_view, 4> kKeyButtonTexts{
    u"【普】:鼠标宏鼠标宏鼠...", u"【指】:压枪宏压枪宏压...", u"[C] : WWWWW...",
    u"WWWWWWWWWWW..."};
constexpr std::array<std::u16string_view, 3> kSpeedTexts{u"1", u"10", u"5"};
constexpr std::array<std::u16string_view, 3> kFireTimeTexts{u"0ms", u"300ms", u"150ms"};
constexpr std::array<std::u16string_view, 7> kDpiTexts{u"200",  u"1000", u"2400", u"4800",
                                                       u"7200", u"8000", u"8800"};
constexpr std::array<std::u16string_view, 4> kRecordTexts{u"Record", u"Stop", u"录制", u"停止"};
constexpr std::array<std::u16string_view, 10> kLedModeTexts{
    u"DPI breath", u"Cycle breath", u"Constantly", u"Button response", u"Mute",
    u"DPI色呼吸",  u"循环呼吸",     u"常亮",       u"按键响应",        u"静音"};
constexpr std::array<std::u16string_view, 8> kReactionTexts{
    u"Cycle breath", u"Flow water", u"Comet tail", u"Single water",
    u"循环呼吸",     u"行云流水",   u"彗星拖尾",   u"单灯流水"};

// ---- Main table: header, tabs and configurations on every page; the keys page -----------------
// Keys page cards: the key's name (label) above its function button. Left column x 32, right
// column x 638; rows 88 pixels apart.
constexpr std::array kMainElements{
    Element{0, u"Minimise", L::kGlyphMinimise, kYes, {780, 10, 28, 28}, u"", u""},
    Element{1, u"Close", L::kGlyphClose, kYes, {844, 10, 28, 28}, u"", u""},
    Element{2, u"Hide", L::kGlyphHide, kYes, {812, 10, 28, 28}, u"", u""},
    Element{3, u"Apply", L::kAccentButton, kYes, {744, 616, 124, 36}, u"Apply", u"应用"},
    Element{4, u"Chinese", L::kToggleButton, kYes, {644, 11, 56, 26}, u"中文", u"中文"},
    Element{5, u"English", L::kToggleButton, kYes, {704, 11, 64, 26}, u"English", u"English"},
    Element{6, u"TabKeys", L::kTab, kYes, {16, 58, 130, 38}, u"Keys", u"按键设置"},
    Element{7, u"TabDpi", L::kTab, kYes, {150, 58, 130, 38}, u"DPI & Advanced", u"DPI与高级"},
    Element{8, u"TabMacro", L::kTab, kYes, {284, 58, 130, 38}, u"Macros", u"宏设置"},
    Element{9, u"TabLighting", L::kTab, kYes, {418, 58, 130, 38}, u"Lighting", u"灯光设置"},
    Element{10, u"Config1", L::kToggleButton, kYes, {580, 62, 68, 28}, u"Config 1", u"配置 1"},
    Element{11, u"Config2", L::kToggleButton, kYes, {652, 62, 68, 28}, u"Config 2", u"配置 2"},
    Element{12, u"Config3", L::kToggleButton, kYes, {724, 62, 68, 28}, u"Config 3", u"配置 3"},
    Element{13, u"Config4", L::kToggleButton, kYes, {796, 62, 68, 28}, u"Config 4", u"配置 4"},
    Element{14, u"Import", L::kPushButton, kYes, {16, 618, 96, 32}, u"Import", u"导入配置"},
    Element{15, u"Export", L::kPushButton, kYes, {116, 618, 96, 32}, u"Export", u"导出配置"},
    Element{16, u"Reset", L::kPushButton, kYes, {216, 618, 96, 32}, u"Reset", u"恢复默认"},
    Element{17, u"Title", L::kHeading, kNo, {50, 12, 146, 24}, u"Gaming Mouse Setup",
            u"游戏鼠标设置"},
    Element{19, u"Website", L::kGlyphWeb, kYes, {604, 10, 28, 28}, u"", u""},
    // Key function buttons 20..28 (key 0..8); the program writes the function's name.
    Element{20, u"Key1", L::kKeyButton, kYes, {32, 146, 210, 34}, u"", u"", 0, kKeyButtonTexts},
    Element{21, u"Key2", L::kKeyButton, kYes, {638, 234, 210, 34}, u"", u"", 1, kKeyButtonTexts},
    Element{22, u"Key3", L::kKeyButton, kYes, {638, 146, 210, 34}, u"", u"", 2, kKeyButtonTexts},
    Element{23, u"Key4", L::kKeyButton, kYes, {32, 322, 210, 34}, u"", u"", 3, kKeyButtonTexts},
    Element{24, u"Key5", L::kKeyButton, kYes, {32, 410, 210, 34}, u"", u"", 4, kKeyButtonTexts},
    Element{25, u"Key6", L::kKeyButton, kYes, {638, 322, 210, 34}, u"", u"", 5, kKeyButtonTexts},
    Element{26, u"Key7", L::kKeyButton, kYes, {638, 410, 210, 34}, u"", u"", 6, kKeyButtonTexts},
    Element{27, u"Key8", L::kKeyButton, kYes, {32, 234, 210, 34}, u"", u"", 7, kKeyButtonTexts},
    Element{28, u"Key9", L::kKeyButton, kYes, {638, 498, 210, 34}, u"", u"", 8, kKeyButtonTexts},
    Element{30, u"WheelTitle", L::kHeading, kNo, {32, 486, 210, 22}, u"Wheel status",
            u"滚轮状态"},
    Element{31, u"WheelOff", L::kPushButton, kYes, {32, 512, 102, 32}, u"Off", u"关闭"},
    Element{32, u"WheelOn", L::kPushButton, kYes, {140, 512, 102, 32}, u"On", u"开启"},
    // Key names 35..43 (key 0..8), each above its key's function button.
    Element{35, u"Label1", L::kKeyLabel, kYes, {32, 122, 210, 22}, u"Left button", u"左键", 0},
    Element{36, u"Label2", L::kKeyLabel, kYes, {638, 210, 210, 22}, u"Right button", u"右键", 1},
    Element{37, u"Label3", L::kKeyLabel, kYes, {638, 122, 210, 22}, u"Wheel button", u"中键", 2},
    Element{38, u"Label4", L::kKeyLabel, kYes, {32, 298, 210, 22}, u"Forward", u"前进键", 3},
    Element{39, u"Label5", L::kKeyLabel, kYes, {32, 386, 210, 22}, u"Back", u"后退键", 4},
    Element{40, u"Label6", L::kKeyLabel, kYes, {638, 298, 210, 22}, u"DPI up", u"DPI加键", 5},
    Element{41, u"Label7", L::kKeyLabel, kYes, {638, 386, 210, 22}, u"DPI down", u"DPI减键", 6},
    Element{42, u"Label8", L::kKeyLabel, kYes, {32, 210, 210, 22}, u"Fire button", u"火力键", 7},
    Element{43, u"Label9", L::kKeyLabel, kYes, {638, 474, 210, 22}, u"Profile button",
            u"配置键", 8},
};

// ---- DPI and advanced page -------------------------------------------------------------------
// DPI group: six level columns 134 pixels apart from x 52, each its switch and name above a
// chip (the level's button) that holds its DPI value; then the slider row.
// Pointer group (left) and report-rate group (right) below it.
constexpr std::array kAdvancedElements{
    Element{0, u"PointerTitle", L::kHeading, kNo, {40, 378, 150, 24}, u"Pointer speed",
            u"指针速度"},
    Element{1, u"PointerBar", L::kBar, kYes, {196, 380, 300, 20}, u"", u""},
    Element{2, u"PointerValue", L::kText, kNo, {504, 378, 64, 24}, u"5", u"5", 0, kSpeedTexts},
    Element{17, u"WheelTitle", L::kHeading, kNo, {40, 436, 150, 24}, u"Wheel speed",
            u"滚轮速度"},
    Element{18, u"WheelBar", L::kBar, kYes, {196, 438, 300, 20}, u"", u""},
    Element{19, u"WheelValue", L::kText, kNo, {504, 436, 64, 24}, u"3", u"3", 0, kSpeedTexts},
    Element{30, u"FireTitle", L::kHeading, kNo, {40, 494, 150, 24}, u"Fire interval",
            u"连发间隔"},
    Element{31, u"FireBar", L::kBar, kYes, {196, 496, 174, 20}, u"", u""},
    Element{32, u"FireValue", L::kText, kNo, {378, 494, 72, 24}, u"50ms", u"50ms", 0,
            kFireTimeTexts},
    Element{33, u"RateTitle", L::kHeading, kNo, {608, 332, 236, 24}, u"Report rate",
            u"回报率"},
    Element{34, u"Rate125", L::kToggleButton, kYes, {646, 370, 190, 34}, u"125 Hz", u"125 Hz"},
    Element{35, u"Rate250", L::kToggleButton, kYes, {646, 422, 190, 34}, u"250 Hz", u"250 Hz"},
    Element{36, u"Rate500", L::kToggleButton, kYes, {646, 474, 190, 34}, u"500 Hz", u"500 Hz"},
    Element{37, u"Rate1000", L::kToggleButton, kYes, {646, 526, 190, 34}, u"1000 Hz",
            u"1000 Hz"},
    Element{38, u"RateDot125", L::kRadioDot, kYes, {618, 378, 20, 20}, u"", u""},
    Element{39, u"RateDot250", L::kRadioDot, kYes, {618, 430, 20, 20}, u"", u""},
    Element{40, u"RateDot500", L::kRadioDot, kYes, {618, 482, 20, 20}, u"", u""},
    Element{41, u"RateDot1000", L::kRadioDot, kYes, {618, 534, 20, 20}, u"", u""},
    Element{42, u"DpiTitle", L::kHeading, kNo, {36, 120, 808, 24}, u"DPI levels", u"DPI 档位"},
    Element{43, u"PointerGroupTitle", L::kHeading, kNo, {36, 332, 536, 24},
            u"Pointer and wheel", u"指针与滚轮"},
    Element{47, u"DpiOn1", L::kCheckBox, kYes, {52, 162, 22, 22}, u"", u""},
    Element{48, u"DpiOn2", L::kCheckBox, kYes, {186, 162, 22, 22}, u"", u""},
    Element{49, u"DpiOn3", L::kCheckBox, kYes, {320, 162, 22, 22}, u"", u""},
    Element{50, u"DpiOn4", L::kCheckBox, kYes, {454, 162, 22, 22}, u"", u""},
    Element{51, u"DpiOn5", L::kCheckBox, kYes, {588, 162, 22, 22}, u"", u""},
    Element{52, u"DpiOn6", L::kCheckBox, kYes, {722, 162, 22, 22}, u"", u""},
    Element{53, u"DpiLevelTitle1", L::kText, kNo, {80, 158, 96, 24}, u"Level 1", u"档位 1"},
    Element{54, u"DpiLevelTitle2", L::kText, kNo, {214, 158, 96, 24}, u"Level 2", u"档位 2"},
    Element{55, u"DpiLevelTitle3", L::kText, kNo, {348, 158, 96, 24}, u"Level 3", u"档位 3"},
    Element{56, u"DpiLevelTitle4", L::kText, kNo, {482, 158, 96, 24}, u"Level 4", u"档位 4"},
    Element{57, u"DpiLevelTitle5", L::kText, kNo, {616, 158, 96, 24}, u"Level 5", u"档位 5"},
    Element{58, u"DpiLevelTitle6", L::kText, kNo, {750, 158, 96, 24}, u"Level 6", u"档位 6"},
    Element{60, u"DpiLevel1", L::kValueChip, kYes, {80, 188, 96, 30}, u"", u""},
    Element{61, u"DpiLevel2", L::kValueChip, kYes, {214, 188, 96, 30}, u"", u""},
    Element{62, u"DpiLevel3", L::kValueChip, kYes, {348, 188, 96, 30}, u"", u""},
    Element{63, u"DpiLevel4", L::kValueChip, kYes, {482, 188, 96, 30}, u"", u""},
    Element{64, u"DpiLevel5", L::kValueChip, kYes, {616, 188, 96, 30}, u"", u""},
    Element{65, u"DpiLevel6", L::kValueChip, kYes, {750, 188, 96, 30}, u"", u""},
    Element{66, u"DpiSlider", L::kDpiSlider, kYes, {402, 232, 271, 44}, u"", u""},
    Element{67, u"DpiMin", L::kText, kNo, {348, 244, 48, 22}, u"200", u"200"},
    Element{68, u"DpiMax", L::kText, kNo, {690, 244, 52, 22}, u"7200", u"7200"},
    Element{69, u"SliderTitle", L::kHeading, kNo, {162, 244, 180, 22}, u"DPI of the level",
            u"当前档位 DPI"},
    Element{70, u"DpiValue1", L::kText, kNo, {80, 192, 96, 22}, u"", u"", 0, kDpiTexts},
    Element{71, u"DpiValue2", L::kText, kNo, {214, 192, 96, 22}, u"", u"", 0, kDpiTexts},
    Element{72, u"DpiValue3", L::kText, kNo, {348, 192, 96, 22}, u"", u"", 0, kDpiTexts},
    Element{73, u"DpiValue4", L::kText, kNo, {482, 192, 96, 22}, u"", u"", 0, kDpiTexts},
    Element{74, u"DpiValue5", L::kText, kNo, {616, 192, 96, 22}, u"", u"", 0, kDpiTexts},
    Element{75, u"DpiValue6", L::kText, kNo, {750, 192, 96, 22}, u"", u"", 0, kDpiTexts},
};

// ---- Macro page ------------------------------------------------------------------------------
// Three columns: macro list, step list, then the lighting-step list and the buttons.
constexpr std::array kMacroElements{
    Element{4, u"Record", L::kRecordButton, kYes, {548, 274, 150, 38}, u"Record", u"录制", 0,
            kRecordTexts},
    Element{5, u"Insert", L::kPushButton, kYes, {706, 274, 150, 38}, u"Insert step",
            u"插入步骤"},
    Element{6, u"ModeHeld", L::kToggleButton, kYes, {560, 444, 284, 32}, u"Loop while held",
            u"按住时循环"},
    Element{7, u"ModeToggle", L::kToggleButton, kYes, {560, 404, 284, 32},
            u"Loop until pressed again", u"再按一次停止"},
    Element{8, u"ModeCount", L::kToggleButton, kYes, {560, 364, 180, 32}, u"Repeat count",
            u"指定次数"},
    Element{9, u"ModeTitle", L::kHeading, kNo, {560, 334, 284, 24}, u"Play mode", u"播放方式"},
    Element{13, u"Recoil", L::kPushButton, kYes, {548, 520, 308, 38}, u"Recoil macros",
            u"压枪宏设置"},
    Element{14, u"GroupsTitle", L::kHeading, kNo, {24, 112, 240, 24}, u"Macro groups", u"宏组"},
    Element{15, u"StepsTitle", L::kHeading, kNo, {276, 112, 260, 24}, u"Steps", u"宏步骤"},
    Element{16, u"LedStepTitle", L::kHeading, kNo, {548, 112, 308, 24}, u"Lighting step",
            u"灯光步骤"},
};

// ---- Lighting page ---------------------------------------------------------------------------
// Left column: mode, cycle colours, brightness and speed, direction. Right column: the
// per-key response switches. Covers 71..75 are only drawn (greyed) from led_null.jpg, which
// also greys the inward direction button (element 50, which acts only in the key-response
// mode). Every control but the inward direction acts in some mode that draws each cover, and
// the program leaves texts 15, 30..34, 38, 39 and 98 empty in some modes: so the covers lie on
// bare strips of the panels (71 on the inward direction, drawn only where it does not act),
// and the captions live on elements no mode empties.
constexpr std::array kLightingElements{
    Element{0, u"Colour1", L::kColorSwatch, kNo, {44, 260, 40, 40}, u"", u"", 0},
    Element{1, u"Colour2", L::kColorSwatch, kNo, {98, 260, 40, 40}, u"", u"", 1},
    Element{2, u"Colour3", L::kColorSwatch, kNo, {152, 260, 40, 40}, u"", u"", 2},
    Element{3, u"Colour4", L::kColorSwatch, kNo, {206, 260, 40, 40}, u"", u"", 3},
    Element{4, u"Colour5", L::kColorSwatch, kNo, {260, 260, 40, 40}, u"", u"", 4},
    Element{5, u"Colour6", L::kColorSwatch, kNo, {314, 260, 40, 40}, u"", u"", 5},
    Element{6, u"Colour7", L::kColorSwatch, kNo, {368, 260, 40, 40}, u"", u"", 6},
    Element{7, u"ColourOn1", L::kCheckBox, kYes, {53, 308, 22, 22}, u"", u""},
    Element{8, u"ColourOn2", L::kCheckBox, kYes, {107, 308, 22, 22}, u"", u""},
    Element{9, u"ColourOn3", L::kCheckBox, kYes, {161, 308, 22, 22}, u"", u""},
    Element{10, u"ColourOn4", L::kCheckBox, kYes, {215, 308, 22, 22}, u"", u""},
    Element{11, u"ColourOn5", L::kCheckBox, kYes, {269, 308, 22, 22}, u"", u""},
    Element{12, u"ColourOn6", L::kCheckBox, kYes, {323, 308, 22, 22}, u"", u""},
    Element{13, u"ColourOn7", L::kCheckBox, kYes, {377, 308, 22, 22}, u"", u""},
    Element{14, u"UserColour", L::kToggleButton, kYes, {228, 156, 192, 34}, u"Custom colours",
            u"自定义颜色"},
    Element{35, u"Mode", L::kDropButton, kYes, {36, 156, 180, 34}, u"Cycle breath", u"循环呼吸",
            0, kLedModeTexts},
    Element{36, u"ModeTitle", L::kHeading, kNo, {36, 120, 384, 24}, u"Lighting mode",
            u"灯光模式"},
    Element{37, u"EffectTitle", L::kHeading, kNo, {36, 364, 384, 24}, u"Brightness and speed",
            u"亮度与速度"},
    Element{40, u"BrightnessBar", L::kBar, kYes, {144, 396, 276, 20}, u"", u""},
    Element{41, u"SpeedBar", L::kBar, kYes, {144, 434, 276, 20}, u"", u""},
    Element{44, u"DirectionTitle", L::kHeading, kNo, {36, 488, 384, 24}, u"Direction",
            u"方向"},
    Element{45, u"Symmetry", L::kToggleButton, kYes, {36, 558, 186, 30}, u"Symmetric",
            u"对称"},
    Element{47, u"Direction1", L::kToggleButton, kYes, {36, 518, 90, 32}, u"Forward", u"正向"},
    Element{48, u"Direction2", L::kToggleButton, kYes, {132, 518, 90, 32}, u"Backward",
            u"反向"},
    Element{49, u"Direction3", L::kToggleButton, kYes, {228, 518, 90, 32}, u"Outward", u"向外"},
    Element{50, u"Direction4", L::kToggleButton, kYes, {324, 518, 90, 32}, u"Inward", u"向内"},
    Element{51, u"React1", L::kSwitch, kYes, {494, 162, 44, 24}, u"", u""},
    Element{52, u"React2", L::kSwitch, kYes, {494, 210, 44, 24}, u"", u""},
    Element{53, u"React3", L::kSwitch, kYes, {494, 258, 44, 24}, u"", u""},
    Element{54, u"React4", L::kSwitch, kYes, {494, 306, 44, 24}, u"", u""},
    Element{55, u"React5", L::kSwitch, kYes, {494, 354, 44, 24}, u"", u""},
    Element{56, u"React6", L::kSwitch, kYes, {494, 402, 44, 24}, u"", u""},
    Element{57, u"React7", L::kSwitch, kYes, {494, 450, 44, 24}, u"", u""},
    Element{58, u"React8", L::kSwitch, kYes, {494, 498, 44, 24}, u"", u""},
    Element{59, u"React9", L::kSwitch, kYes, {494, 546, 44, 24}, u"", u""},
    Element{61, u"ReactName1", L::kText, kNo, {548, 156, 170, 36}, u"Left button", u"左键", 0,
            kReactionTexts},
    Element{62, u"ReactName2", L::kText, kNo, {548, 204, 170, 36}, u"Right button", u"右键", 1,
            kReactionTexts},
    Element{63, u"ReactName3", L::kText, kNo, {548, 252, 170, 36}, u"Wheel button", u"中键", 2,
            kReactionTexts},
    Element{64, u"ReactName4", L::kText, kNo, {548, 300, 170, 36}, u"Forward", u"前进键", 3,
            kReactionTexts},
    Element{65, u"ReactName5", L::kText, kNo, {548, 348, 170, 36}, u"Back", u"后退键", 4,
            kReactionTexts},
    Element{66, u"ReactName6", L::kText, kNo, {548, 396, 170, 36}, u"DPI up", u"DPI加键", 5,
            kReactionTexts},
    Element{67, u"ReactName7", L::kText, kNo, {548, 444, 170, 36}, u"DPI down", u"DPI减键", 6,
            kReactionTexts},
    Element{68, u"ReactName8", L::kText, kNo, {548, 492, 170, 36}, u"Fire button", u"火力键",
            7, kReactionTexts},
    Element{69, u"ReactName9", L::kText, kNo, {548, 540, 170, 36}, u"Profile button",
            u"配置键", 8, kReactionTexts},
    Element{71, u"InwardCover", L::kCover, kNo, {324, 518, 90, 32}, u"", u""},
    Element{72, u"EffectFootCover", L::kCover, kNo, {36, 458, 384, 6}, u"", u""},
    Element{73, u"ReactFootCover", L::kCover, kNo, {456, 584, 388, 6}, u"", u""},
    Element{74, u"ModeFootCover", L::kCover, kNo, {36, 196, 384, 6}, u"", u""},
    Element{75, u"CycleFootCover", L::kCover, kNo, {36, 334, 384, 6}, u"", u""},
    Element{76, u"CycleTitle", L::kHeading, kNo, {36, 228, 384, 24}, u"Cycle colours",
            u"循环颜色"},
    Element{77, u"BrightnessTitle", L::kText, kNo, {36, 394, 100, 24}, u"Brightness", u"亮度"},
    Element{78, u"SpeedTitle", L::kText, kNo, {36, 432, 100, 24}, u"Speed", u"速度"},
    Element{79, u"ReactTitle", L::kHeading, kNo, {456, 120, 388, 24}, u"Key response",
            u"按键响应"},
};

constexpr std::array kMainPanels{
    Panel{{20, 110, 230, 454}, false},   // left key cards and wheel status
    Panel{{626, 110, 234, 436}, false},  // right key cards
};
constexpr std::array kAdvancedPanels{
    Panel{{24, 112, 832, 200}, true},   // DPI levels and slider
    Panel{{24, 324, 560, 272}, true},   // pointer, wheel, fire interval
    Panel{{596, 324, 260, 272}, true},  // report rate
};
constexpr std::array kMacroPanels{
    Panel{{548, 326, 308, 180}, true},  // play mode
};
constexpr std::array kLightingPanels{
    Panel{{24, 112, 408, 96}, true},    // mode
    Panel{{24, 220, 408, 124}, true},   // cycle colours
    Panel{{24, 356, 408, 112}, true},   // brightness and speed
    Panel{{24, 480, 408, 116}, true},   // direction
    Panel{{444, 112, 412, 484}, true},  // key response
};

// Configuration-name places of the main layout: thin plates under the configuration buttons.
constexpr std::array kMainEditPlaces{
    ControlPlace{0, u"ConfigName1", {580, 94, 68, 2}, false},
    ControlPlace{1, u"ConfigName2", {652, 94, 68, 2}, false},
    ControlPlace{2, u"ConfigName3", {724, 94, 68, 2}, false},
    ControlPlace{3, u"ConfigName4", {796, 94, 68, 2}, false},
};
// Macro page: 0 and 1 are the rules under the list headings, 2 the repeat-count edit.
constexpr std::array kMacroEditPlaces{
    ControlPlace{0, u"GroupsRule", {24, 138, 240, 3}, false},
    ControlPlace{1, u"StepsRule", {276, 138, 260, 3}, false},
    ControlPlace{2, u"RepeatCount", {748, 366, 96, 28}, false},
};
constexpr std::array kMacroListPlaces{
    ControlPlace{1, u"MacroList", {24, 144, 240, 452}, true},
    ControlPlace{2, u"StepList", {276, 144, 260, 452}, true},
    ControlPlace{3, u"LedStepList", {548, 144, 308, 116}, true},
};

// Key-function names: 1..6 mouse functions, 7..11 the families of the key menu (their codes
// are never assigned), 12..18 special functions, 19..22 configuration keys, 23..32 multimedia
// keys, 33..41 and 43..47 built-in macros (in the order of the built-in macro file), 42 the
// keyboard key. Each name is at most 11 characters, so a key button shows it whole.
constexpr std::array kFunctionNames{
    FunctionName{1, u"Left click", u"左键单击"},
    FunctionName{2, u"Right click", u"右键单击"},
    FunctionName{3, u"Wheel click", u"中键单击"},
    FunctionName{4, u"Forward", u"前进"},
    FunctionName{5, u"Back", u"后退"},
    FunctionName{6, u"DPI loop", u"DPI循环"},
    FunctionName{7, u"Functions", u"特殊功能"},
    FunctionName{8, u"Multimedia", u"多媒体"},
    FunctionName{9, u"Macro", u"宏"},
    FunctionName{10, u"Quick macro", u"快捷宏"},
    FunctionName{11, u"Config keys", u"配置切换"},
    FunctionName{12, u"Fire key", u"连发键"},
    FunctionName{13, u"Scroll up", u"滚轮向上"},
    FunctionName{14, u"Scroll down", u"滚轮向下"},
    FunctionName{15, u"Three shots", u"三连发"},
    FunctionName{16, u"DPI up", u"DPI加"},
    FunctionName{17, u"DPI down", u"DPI减"},
    FunctionName{18, u"Sniper key", u"狙击键"},
    FunctionName{19, u"Next config", u"下一配置"},
    FunctionName{20, u"Prev config", u"上一配置"},
    FunctionName{21, u"Loop config", u"配置循环"},
    FunctionName{22, u"Config key", u"配置键"},
    FunctionName{23, u"Home", u"主页"},
    FunctionName{24, u"Player", u"播放器"},
    FunctionName{25, u"Email", u"邮件"},
    FunctionName{26, u"Volume+", u"音量+"},
    FunctionName{27, u"Volume-", u"音量-"},
    FunctionName{28, u"Prev track", u"上一曲"},
    FunctionName{29, u"Next track", u"下一曲"},
    FunctionName{30, u"Mute", u"静音"},
    FunctionName{31, u"Play/Pause", u"播放/暂停"},
    FunctionName{32, u"Calculator", u"计算器"},
    FunctionName{33, u"Copy", u"复制"},
    FunctionName{34, u"Paste", u"粘贴"},
    FunctionName{35, u"Cut", u"剪切"},
    FunctionName{36, u"Undo", u"撤销"},
    FunctionName{37, u"Select all", u"全选"},
    FunctionName{38, u"2x click", u"双击"},
    FunctionName{39, u"3x click", u"三击"},
    FunctionName{40, u"Switch win", u"切换窗口"},
    FunctionName{41, u"Redo", u"重做"},
    FunctionName{42, u"Key stroke", u"键盘按键"},
    FunctionName{43, u"Save", u"保存"},
    FunctionName{44, u"Screenshot", u"截图"},
    FunctionName{45, u"Desktop", u"显示桌面"},
    FunctionName{46, u"Lock screen", u"锁定屏幕"},
    FunctionName{47, u"Close win", u"关闭窗口"},
};

// A small notice box: title, confirm and cancel.
constexpr std::array kWarningElements{
    Element{0, u"Title", L::kHeading, kNo, {12, 8, 276, 24}, u"Notice", u"提示"},
    Element{1, u"Ok", L::kPushButton, kYes, {56, 116, 88, 30}, u"OK", u"确定"},
    Element{2, u"Cancel", L::kPushButton, kYes, {156, 116, 88, 30}, u"Cancel", u"取消"},
};

// The drawn mouse: left-column keys bend their leader lines further from the mouse the higher
// they sit, right-column keys the same mirrored, so no two lines cross.
constexpr std::array kMouseKeys{
    MouseKey{0, {360, 128, 78, 156}, {398, 160}, 276},  // left button
    MouseKey{7, {358, 172, 12, 34}, {326, 191}, 286},   // fire button, front of the left flank
    MouseKey{3, {334, 262, 12, 44}, {316, 284}, 296},   // forward, left flank
    MouseKey{4, {334, 314, 12, 44}, {316, 336}, 306},   // back, left flank
    MouseKey{2, {432, 150, 16, 52}, {468, 160}, 604},   // wheel
    MouseKey{1, {442, 128, 78, 156}, {496, 196}, 594},  // right button
    MouseKey{5, {432, 210, 16, 12}, {468, 212}, 584},   // DPI up
    MouseKey{6, {432, 232, 16, 12}, {468, 242}, 574},   // DPI down
    MouseKey{8, {432, 292, 16, 16}, {468, 300}, 564},   // profile button behind the wheel
};

}  // namespace

std::span<const Element> MainElements() { return kMainElements; }
std::span<const Element> AdvancedElements() { return kAdvancedElements; }
std::span<const Element> MacroElements() { return kMacroElements; }
std::span<const Element> LightingElements() { return kLightingElements; }

std::span<const Element> PageElements(Page page) {
  switch (page) {
    case Page::kKeys: return kMainElements;
    case Page::kAdvanced: return kAdvancedElements;
    case Page::kMacro: return kMacroElements;
    case Page::kLighting: return kLightingElements;
  }
  return {};
}

int PageTableSize(Page page) {
  switch (page) {
    case Page::kKeys: return kMainTableSize;
    case Page::kAdvanced: return kAdvancedTableSize;
    case Page::kMacro: return kMacroTableSize;
    case Page::kLighting: return kLightingTableSize;
  }
  return 0;
}

std::span<const Panel> PagePanels(Page page) {
  switch (page) {
    case Page::kKeys: return kMainPanels;
    case Page::kAdvanced: return kAdvancedPanels;
    case Page::kMacro: return kMacroPanels;
    case Page::kLighting: return kLightingPanels;
  }
  return {};
}

std::span<const ControlPlace> MainEditPlaces() { return kMainEditPlaces; }
std::span<const ControlPlace> MacroEditPlaces() { return kMacroEditPlaces; }
std::span<const ControlPlace> MacroListPlaces() { return kMacroListPlaces; }
std::span<const FunctionName> FunctionNames() { return kFunctionNames; }
std::span<const Element> WarningElements() { return kWarningElements; }
std::span<const MouseKey> MouseKeys() { return kMouseKeys; }

const Element* FindElement(std::span<const Element> table, int number) {
  for (const Element& element : table) {
    if (element.number == number) {
      return &element;
    }
  }
  return nullptr;
}

std::u16string_view Caption(const Element& element, bool english) {
  return english ? element.captionEn : element.captionCn;
}

}  // namespace gm::skingen
