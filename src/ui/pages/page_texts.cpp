#include "ui/pages/page_texts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "device/apply_blocks.h"
#include "macros/key_function_caption.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/led_modes.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_state.h"
#include "ui/skin/ui_fonts.h"
#include "ui/pages/ui_state.h"

namespace gm {

namespace {

// Indices below this one are main-table elements on every page.
constexpr int kHeaderTextCount = 20;
constexpr std::array<int, 4> kTextCountOfPage{45, 103, 40, 123};

// ---- Keys page.
constexpr int kFirstKeyButton = static_cast<int>(kMainFirstKeyButton);
constexpr int32_t kKeyLabelShift = 13;

// ---- Advanced page (advanced-table indices).
constexpr int kPointerSpeedText = 2;
constexpr int kWheelSpeedText = 19;
constexpr int kFireTimeText = 32;
constexpr int kFirstDpiLabel = 70;
constexpr std::u16string_view kMillisecondsSuffix = u"ms";

// ---- Macro page (macro-table indices).
constexpr int kRecordText = 4;
constexpr int32_t kRecordShift = -3;
constexpr int kFirstLeftAlignedText = 14;
constexpr int kLastLeftAlignedText = 16;
constexpr int32_t kLeftAlignedIndent = 2;

// ---- Lighting page (lighting-table indices): the mode button shows the mode's name, the
// bars their captions in a narrower box.
constexpr int kModeNameText = static_cast<int>(kLedModeMenuButton);
constexpr int kFirstReactionText = 61;
constexpr int kBrightnessBarText = static_cast<int>(kLedBrightnessBar);
constexpr int kSpeedBarText = static_cast<int>(kLedSpeedBar);
constexpr int32_t kBarTextMargin = 30;

struct LanguagePair {
  std::u16string_view english;
  std::u16string_view chinese;
};

constexpr LanguagePair kRecordCaption{u"Record", u"录制"};
constexpr LanguagePair kStopCaption{u"Stop", u"停止"};

// Reaction effects of a key in the button-response mode, by g_ledReactType.
constexpr std::array<LanguagePair, 4> kReactionNames{{
    {u"Cycle breath", u"循环呼吸"},
    {u"Flow water", u"行云流水"},
    {u"Comet tail", u"彗星拖尾"},
    {u"Single water", u"单灯流水"},
}};

// Device DPI codes 1..20 and the DPI they show; code 11 is not in use.
constexpr std::array<int32_t, 21> kDpiNumberOfCode{
    200,  200,  400,  600,  800,  1000, 1200, 1400, 1600, 1800, 2000,
    200,  2400, 3200, 4000, 4800, 5600, 6400, 7200, 8000, 8800};

bool IsEnglish() { return g_isEnglish.load() != 0; }

std::u16string TextOf(const LanguagePair& pair) {
  return std::u16string(IsEnglish() ? pair.english : pair.chinese);
}

template <std::size_t N>
PageText CaptionOf(const std::array<SkinRect, N>& rects,
                   const std::array<std::u16string, N>& captions, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
  const auto i = static_cast<std::size_t>(index);
  return PageText{captions[i], kTextWhite, rects[i], TextAlign::kCentre, 0};
}

PageText KeysPageText(const SkinLayout& layout, int i) {
  PageText text = CaptionOf(layout.m_mainRects, layout.m_mainCaptions, i);
  const int key = i - kFirstKeyButton;
  if (key < 0 || key >= UsableKeyCount()) return text;
  text.text = KeyButtonCaption(key);
  text.xShift = kKeyLabelShift;
  if (static_cast<uint32_t>(i) == g_hoverMain) text.color = kTextHoveredKey;
  return text;
}

std::u16string DpiLevelNumberText(int level) {
  const uint8_t code = DpiCodeOf(g_dpiValue[level].load());
  return DecimalText(DpiNumberOfCode(code));
}

PageText AdvancedPageText(const SkinLayout& layout, int j) {
  PageText text = CaptionOf(layout.m_advRects, layout.m_advCaptions, j);
  if (j == kPointerSpeedText) {
    text.text = DecimalText(g_pointerSpeed.load());
  } else if (j == kWheelSpeedText) {
    text.text = DecimalText(g_wheelSpeed.load());
  } else if (j == kFireTimeText) {
    text.text = DecimalText(g_fireTime.load()) + std::u16string(kMillisecondsSuffix);
  } else if (j >= kFirstDpiLabel && j < kFirstDpiLabel + kDpiLevelCount) {
    const int level = j - kFirstDpiLabel;
    text.text = DpiLevelNumberText(level);
    text.color = level == g_dpiLevel.load() ? kTextHighlight : kTextDpiLevel;
  }
  return text;
}

PageText MacroPageText(const SkinLayout& layout, int j) {
  PageText text = CaptionOf(layout.m_macRects, layout.m_macCaptions, j);
  if (j == kRecordText) {
    const bool recording = g_isRecording.load() != 0;
    text.text = TextOf(recording ? kStopCaption : kRecordCaption);
    if (!IsEnglish()) text.color = recording ? kTextRecording : kTextHighlight;
    text.xShift = kRecordShift;
  } else if (j >= kFirstLeftAlignedText && j <= kLastLeftAlignedText) {
    text.align = TextAlign::kLeft;
    text.xShift = kLeftAlignedIndent;
  }
  return text;
}

// The reaction effect's name of a key in the button-response mode, or nothing (the caption
// stays) for an effect without a name.
std::optional<std::u16string> ReactionNameOfKey(int key) {
  const auto config = CurConfigIndex();
  if (!config || key < 0 || key >= kMaxKeys) return std::nullopt;
  const int32_t type = g_ledReactType[*config][key].load();
  if (type < 0 || static_cast<std::size_t>(type) >= kReactionNames.size()) return std::nullopt;
  return TextOf(kReactionNames[static_cast<std::size_t>(type)]);
}

PageText LightingPageText(const SkinLayout& layout, int j) {
  PageText text = CaptionOf(layout.m_ledRects, layout.m_ledCaptions, j);
  const uint8_t mode = g_ledType.load();
  if (j == kModeNameText) {
    // A mode outside the list (a hand-edited file) shows no name rather than the caption,
    // which is another mode's.
    text.text = mode < g_ledModeNames.size() ? g_ledModeNames[mode] : std::u16string();
  }
  if (LedModeRulesOf(mode).reactionNames && j >= kFirstReactionText &&
      j < kFirstReactionText + UsableKeyCount()) {
    if (auto name = ReactionNameOfKey(j - kFirstReactionText)) text.text = std::move(*name);
  }
  if (j == kBrightnessBarText || j == kSpeedBarText) {
    text.box.width = ClampToInt32(int64_t{text.box.width} - kBarTextMargin);
  }
  if (LedTextEmptied(mode, static_cast<uint32_t>(j))) text.text.clear();
  return text;
}

std::optional<std::u16string> UserMacroNameOf(int group, int index) {
  if (group < 0 || group >= kMaxMacroGroups || index < 0 || index >= kMacrosPerGroup) {
    return std::nullopt;
  }
  return g_macroNames[group * kMacrosPerGroup + index];
}

int32_t CentredStart(int32_t start, int32_t extent, int textExtent) {
  // Integer division truncates toward zero, as the halves are taken.
  return ClampToInt32(int64_t{start} + (int64_t{extent} - textExtent) / 2);
}

}  // namespace

int PageTextCount(uint8_t page) {
  return page < kTextCountOfPage.size() ? kTextCountOfPage[page] : 0;
}

PageText PageTextOf(const SkinLayout& layout, uint8_t page, int index) {
  if (index < 0 || index >= PageTextCount(page)) return {};
  if (page == kPageKeys) return KeysPageText(layout, index);
  if (index < kHeaderTextCount) return CaptionOf(layout.m_mainRects, layout.m_mainCaptions, index);
  const int j = index - kHeaderTextCount;
  switch (page) {
    case kPageAdvanced:
      return AdvancedPageText(layout, j);
    case kPageMacro:
      return MacroPageText(layout, j);
    case kPageLighting:
      return LightingPageText(layout, j);
    default:
      return {};
  }
}

bool TextMeetsImage(const QPoint& position, const QSize& textSize, const QSize& imageSize) {
  return position.x() < imageSize.width() && position.y() < imageSize.height() &&
         int64_t{position.x()} + textSize.width() > 0 &&
         int64_t{position.y()} + textSize.height() > 0;
}

QPoint TextPosition(const PageText& text, const QSize& textSize) {
  const int32_t y = CentredStart(text.box.y, text.box.height, textSize.height());
  const int64_t x = text.align == TextAlign::kLeft
                        ? int64_t{text.box.x} + text.xShift
                        : int64_t{CentredStart(text.box.x, text.box.width, textSize.width())} +
                              text.xShift;
  return QPoint(ClampToInt32(x), y);
}

std::u16string KeyButtonCaption(int key) {
  const auto config = CurConfigIndex();
  if (!config || key < 0 || key >= kMaxKeys) return {};
  KeyCaptionSources sources;
  sources.funStrings = g_funStrings;
  sources.recoilNames = g_gunNames;
  sources.recoilCount = g_gunMacroCount;
  sources.userMacroName = UserMacroNameOf;
  return KeyFunctionCaption(g_keyFunction[*config][key].load(), g_keyParam[*config][key].load(),
                            g_keyMacroMode[*config][key].load(), IsEnglish(), sources);
}

int32_t DpiNumberOfCode(uint8_t code) {
  return code < kDpiNumberOfCode.size() ? kDpiNumberOfCode[code] : kDpiNumberOfCode[0];
}

void PaintPageTexts(QImage& dest, const SkinLayout& layout, uint8_t page) {
  if (dest.isNull()) return;
  const int count = PageTextCount(page);
  QPainter painter(&dest);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setFont(PageTextFont(IsEnglish()));
  const QFontMetrics metrics = painter.fontMetrics();
  for (int i = 0; i < count; ++i) {
    const PageText text = PageTextOf(layout, page, i);
    if (text.text.empty()) continue;  // draws nothing wherever it is placed
    const QString shown = QString::fromStdU16String(text.text);
    const QSize size(metrics.horizontalAdvance(shown), metrics.height());
    const QPoint at = TextPosition(text, size);
    if (!IsTextShown(at) || !TextMeetsImage(at, size, dest.size())) continue;
    painter.setPen(QColor::fromRgba(text.color));
    // The text starts inside the image, so its baseline (top + ascent) is an int.
    painter.drawText(at.x(), ClampToInt32(int64_t{at.y()} + metrics.ascent()), shown);
  }
}

}  // namespace gm
