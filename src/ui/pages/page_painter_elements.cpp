// DrawMainElement: the hovered element and the state of each page, drawn onto the page's
// normal picture from its over and down pictures.

#include <array>
#include <initializer_list>
#include <optional>

#include "editor/macro_editor_state.h"
#include "macros/current_macro.h"
#include "macros/macro_record.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "ui/pages/led_modes.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/page_state.h"
#include "ui/pages/ui_state.h"

namespace gm {

namespace {

// Element numbers as signed values for the painter's 64-bit arithmetic.
constexpr int64_t Signed(uint32_t element) { return static_cast<int64_t>(element); }

// ---- Keys page (main table).
constexpr int64_t kFirstKeyButton = Signed(kMainFirstKeyButton);
constexpr int64_t kFirstKeyLabel = Signed(kMainFirstKeyLabel);
constexpr int64_t kKeyLabelDistance = kFirstKeyLabel - kFirstKeyButton;  // 15
constexpr int64_t kWheelOffButton = Signed(kMainWheelOff);  // g_wheelStatus 0 and 1 show these
constexpr int64_t kWheelOnButton = Signed(kMainWheelOn);    // pressed

// ---- DPI and advanced page (advanced table).
constexpr std::array<uint32_t, 4> kAdvancedSliders{kAdvPointerSpeedBar, kAdvWheelSpeedBar,
                                                   kAdvFireTimeBar, kAdvDpiSlider};
constexpr int64_t kFirstDpiLevelButton = Signed(kAdvFirstDpiSelect);
constexpr int64_t kFirstDpiEnable = Signed(kAdvFirstDpiEnable);
constexpr int64_t kPointerSpeedBar = Signed(kAdvPointerSpeedBar);
constexpr int64_t kWheelSpeedBar = Signed(kAdvWheelSpeedBar);
constexpr int64_t kFireTimeBar = Signed(kAdvFireTimeBar);
constexpr int64_t kSpeedBarSteps = 10;
constexpr int64_t kFireTimeBarFull = 300;
constexpr int64_t kFirstRateButton = Signed(kAdvFirstRate);
constexpr int64_t kFirstRateMark = Signed(kAdvFirstRateAlt);

// ---- Macro page (macro table).
constexpr int64_t kRecordButton = Signed(kMacRecord);
constexpr int64_t kPlayModeTwoButton = Signed(kMacPlayMode2);
constexpr int64_t kPlayModeOneButton = Signed(kMacPlayMode1);
constexpr int64_t kPlayModeRepeatButton = Signed(kMacPlayMode0);

// ---- Lighting page (lighting table).
constexpr int64_t kBrightnessBar = Signed(kLedBrightnessBar);
constexpr int64_t kBrightnessSteps = 7;
constexpr int64_t kSpeedBar = Signed(kLedSpeedBar);
constexpr int64_t kSpeedSteps = 6;
constexpr int64_t kSymmetryButton = Signed(kLedSymmetry);
constexpr int64_t kFirstDirectionButton = Signed(kLedFirstDirection);
constexpr int64_t kFirstCycleColor = Signed(kLedFirstCycleColor);
constexpr int64_t kFirstReactKey = Signed(kLedFirstKeyReact);
constexpr int64_t kUserColorButton = Signed(kLedUserColor);
constexpr int64_t kFirstColorButton = 0;

bool IsAdvancedSlider(uint32_t element) {
  for (uint32_t slider : kAdvancedSliders) {
    if (element == slider) return true;
  }
  return false;
}

// Step 1: the hovered element, from the over picture or, while the button is held, from the
// down picture. The lighting page and the advanced page's sliders always use the over picture.
void DrawHoveredElement(QImage& dest, const QImage& over, const QImage& down,
                        std::span<const SkinRect> table, uint8_t page, uint32_t hover) {
  if (hover == kNoElement) return;
  const bool alwaysOver =
      page == kPageLighting || (page == kPageAdvanced && IsAdvancedSlider(hover));
  const QImage& source = (g_mousePressed != 0 && !alwaysOver) ? down : over;
  BlitSkinRect(dest, source, table, hover);
}

void DrawKeysPage(QImage& dest, const QImage& down, std::span<const SkinRect> table,
                  uint32_t hover, SkinImages& images) {
  const int64_t keys = UsableKeyCount();
  const int64_t h = hover;
  if (h >= kFirstKeyButton && h < kFirstKeyButton + keys) {
    BlitSkinRect(dest, down, table, h + kKeyLabelDistance);
    const auto config = CurConfigIndex();
    const auto key = static_cast<std::size_t>(h - kFirstKeyButton);
    if (config && g_keyMacroMode[*config][key].load() != 0) {
      const char* mark = g_isEnglish.load() != 0 ? kMacroKeyMarkEnglish : kMacroKeyMarkChinese;
      DrawMark(dest, images.Image(g_skinsFolder / mark), kMacroKeyMarkX, kMacroKeyMarkY);
    }
  } else if (h >= kFirstKeyLabel && h < kFirstKeyLabel + keys) {
    BlitSkinRect(dest, down, table, h - kKeyLabelDistance);
  }
  // The wheel setting in force, as the report-rate buttons show theirs.
  const int32_t wheel = g_wheelStatus.load();
  if (wheel == 0) BlitSkinRect(dest, down, table, kWheelOffButton);
  if (wheel == 1) BlitSkinRect(dest, down, table, kWheelOnButton);
}

// The slider's filled part and its knob for the current level's value.
void DrawDpiSlider(QImage& dest, const QImage& down, std::span<const SkinRect> table,
                   SkinImages& images) {
  const auto level = DpiLevelIndex();
  if (!level || kAdvDpiSlider >= table.size()) return;
  const SkinRect& slider = table[kAdvDpiSlider];
  const int64_t width = (int64_t{g_dpiValue[*level].load()} + 1) * g_dpiSliderStep;
  BlitRect(dest, down, SkinRect{g_dpiSliderX, slider.y, ClampToInt32(width), slider.height});
  const int64_t knobX = int64_t{g_dpiSliderX} + width - kSliderKnobBackOffset;
  const int64_t knobY = int64_t{slider.y} + kSliderKnobDownOffset;
  if (FitsInInt(knobX) && FitsInInt(knobY)) {
    DrawMark(dest, images.Image(g_skinsFolder / kSliderKnobPicture), static_cast<int>(knobX),
             static_cast<int>(knobY));
  }
}

// A bar whose width is cut to numerator / denominator of the element's width.
void DrawCutBar(QImage& dest, const QImage& down, std::span<const SkinRect> table,
                int64_t element, int64_t numerator, int64_t denominator) {
  if (element < 0 || element >= static_cast<int64_t>(table.size())) return;
  const int64_t width = table[static_cast<std::size_t>(element)].width;
  BlitSkinRectWidth(dest, down, table, element, numerator * width / denominator);
}

void DrawAdvancedPage(QImage& dest, const QImage& down, std::span<const SkinRect> table,
                      SkinImages& images) {
  BlitSkinRect(dest, down, table, kFirstDpiLevelButton + g_dpiLevel.load());
  for (int j = 0; j < kDpiLevelCount; ++j) {
    if (g_dpiEnable[j].load() == 1) BlitSkinRect(dest, down, table, kFirstDpiEnable + j);
  }
  DrawDpiSlider(dest, down, table, images);
  // The speed bars cut to value x width / 10 (the product first, as the width is scaled).
  DrawCutBar(dest, down, table, kPointerSpeedBar, g_pointerSpeed.load(), kSpeedBarSteps);
  DrawCutBar(dest, down, table, kWheelSpeedBar, g_wheelSpeed.load(), kSpeedBarSteps);
  DrawCutBar(dest, down, table, kFireTimeBar, g_fireTime.load(), kFireTimeBarFull);
  BlitSkinRect(dest, down, table, kFirstRateButton + g_usbRate.load());
  BlitSkinRect(dest, down, table, kFirstRateMark + g_usbRate.load());
}

// The play-mode button of the selected macro, or nothing when no macro row is selected.
std::optional<int64_t> PlayModeButton() {
  if (g_groupEncrypted != 0 || !SelectedMacroListRowIsMacro()) return std::nullopt;
  const std::optional<uint8_t> mode = CurrentMacroPlayMode();
  if (!mode) return std::nullopt;
  switch (*mode) {
    case kPlayModeDevice2:
      return kPlayModeTwoButton;
    case kPlayModeDevice1:
      return kPlayModeOneButton;
    case kPlayModeRepeat:
      return kPlayModeRepeatButton;
    default:
      return std::nullopt;
  }
}

void DrawMacroPage(QImage& dest, const QImage& down, std::span<const SkinRect> table) {
  if (g_isRecording.load() != 0) BlitSkinRect(dest, down, table, kRecordButton);
  if (const auto button = PlayModeButton()) BlitSkinRect(dest, down, table, *button);
}

void DrawLightingPage(QImage& dest, const QImage& down, std::span<const SkinRect> table,
                      SkinImages& images) {
  DrawCutBar(dest, down, table, kBrightnessBar, kBrightnessSteps - g_ledBrightness.load(),
             kBrightnessSteps);
  DrawCutBar(dest, down, table, kSpeedBar, int64_t{g_ledCycleTime.load()} + 1, kSpeedSteps);
  if (g_ledSymmetry.load() != 0) BlitSkinRect(dest, down, table, kSymmetryButton);
  BlitSkinRect(dest, down, table, kFirstDirectionButton + g_ledDirection.load());
  for (int k = 0; k < kUserColorCount; ++k) {
    if (g_cycleColorEnable[k].load() != 0) BlitSkinRect(dest, down, table, kFirstCycleColor + k);
  }
  if (const auto config = CurConfigIndex()) {
    const int64_t keys = UsableKeyCount();
    for (int64_t i = 0; i < keys; ++i) {
      if (g_ledReactEnable[*config][i].load() != 0) {
        BlitSkinRect(dest, down, table, kFirstReactKey + i);
      }
    }
  }
  if (g_ledUserColorEnable.load() != 0) {
    BlitSkinRect(dest, down, table, kUserColorButton);
  } else {
    for (int k = 0; k < kUserColorCount; ++k) {
      if (g_cycleColorEnable[k].load() != 0) {
        BlitSkinRect(dest, down, table, kFirstColorButton + k);
      }
    }
  }
  const std::span<const uint32_t> greyed = LedModeRulesOf(g_ledType.load()).greyed;
  if (!greyed.empty()) {
    const QImage& nullPicture = images.Image(g_skinsFolder / kLedNullPicture);
    for (const uint32_t element : greyed) BlitSkinRect(dest, nullPicture, table, element);
  }
}

}  // namespace

void DrawMainElement(QImage& dest, const QImage& over, const QImage& down,
                     const SkinLayout& layout, uint8_t page, SkinImages& images) {
  const std::span<const SkinRect> table = PageTable(layout, page);
  const uint32_t hover = PageHover(page);
  DrawHoveredElement(dest, over, down, table, page, hover);
  switch (page) {
    case kPageKeys:
      DrawKeysPage(dest, down, table, hover, images);
      break;
    case kPageAdvanced:
      DrawAdvancedPage(dest, down, table, images);
      break;
    case kPageMacro:
      DrawMacroPage(dest, down, table);
      break;
    case kPageLighting:
      DrawLightingPage(dest, down, table, images);
      break;
    default:
      break;
  }
}

}  // namespace gm
