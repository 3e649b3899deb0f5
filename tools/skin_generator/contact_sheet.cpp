#include "contact_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <array>

#include "skin_palette.h"
#include "ui/pages/led_modes.h"

namespace gm::skingen {
namespace {

using skin::Color;

// Sample settings the previews are composed with.
constexpr int kSampleConfig = 0;
constexpr int kSampleDpiLevel = 2;
constexpr int kSampleDpiValue = 7;  // 1600
constexpr std::array<int, role::kDpiLevels> kSampleDpiNumbers{400, 800, 1600, 2400, 3200, 4800};
constexpr int kSampleEnabledLevels = 5;
constexpr int kSamplePointerSpeed = 5;
constexpr int kSampleWheelSpeed = 3;
constexpr int kSampleFireTime = 50;
constexpr int kSampleRate = 3;
constexpr int kSampleLedSpeed = 3;
constexpr int kSampleDirection = 0;
constexpr std::array kSampleReactingKeys{0, 1, 4};
constexpr int kSampleHoverKey = role::kFirstKeyButton;
// Sample key functions of keys 0..8.
constexpr std::array<int, role::kKeyCount> kSampleFunctions{1, 2, 3, 4, 5, 16, 17, 12, 26};
// The lighting mode shown: its name, the groups greyed from led_null.jpg and the texts left
// empty are the program's own (ui/pages/led_modes.h).
constexpr uint8_t kSampleLedMode = 1;  // cycle breath

// How the program scales the bars: tenths of the pointer and wheel bars, 300 ms fire time,
// six speed steps; the lighting bar captions are centred in the width less 30.
constexpr int kSpeedSteps = 10;
constexpr int kFireTimeMax = 300;
constexpr int kLedSpeedSteps = 6;
constexpr int kBarCaptionReserve = 30;
constexpr int kKeyTextShift = 13;
constexpr int kRecordTextShift = -3;
constexpr int kLeftAlignedInset = 2;

constexpr int kSheetMargin = 24;
constexpr int kSheetIconSize = 64;
constexpr int kMaxCaptionLength = 11;

QString Text(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

void CopyRect(QImage& target, const QImage& source, const QRect& rect) {
  QPainter painter(&target);
  painter.drawImage(rect.topLeft(), source, rect);
}

void CopyElement(QImage& target, const QImage& source, std::span<const Element> table, int number) {
  if (const Element* element = FindElement(table, number)) {
    CopyRect(target, source, element->rect);
  }
}

void CopyCut(QImage& target, const QImage& source, std::span<const Element> table, int number,
             int width) {
  if (const Element* element = FindElement(table, number)) {
    QRect cut = element->rect;
    cut.setWidth(width);
    CopyRect(target, source, cut);
  }
}

void DrawCentred(QPainter& painter, const QRect& rect, const QString& text, const QColor& color,
                 int shiftX = 0) {
  const QFontMetrics metrics(painter.font());
  const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2 + shiftX;
  const int y = rect.top() + (rect.height() - metrics.height()) / 2;
  painter.setPen(color);
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

QString CutCaption(QString text) {
  if (text.size() > kMaxCaptionLength) {
    text = text.left(kMaxCaptionLength) + "...";
  }
  return text;
}

std::u16string_view FunctionNameOf(int code, bool english) {
  for (const FunctionName& function : FunctionNames()) {
    if (function.code == code) {
      return english ? function.en : function.cn;
    }
  }
  return u"";
}

void ComposeKeysPage(QImage& image, const PageImageSet& set, const SkinImages* extras) {
  const auto main = MainElements();
  CopyElement(image, set.over, main, kSampleHoverKey);
  CopyElement(image, set.down, main, kSampleHoverKey + role::kKeyLabelDistance);
  if (extras != nullptr) {
    QPainter painter(&image);
    painter.drawImage(kKeyMarkPosition, extras->leftMacroMark);
  }
}

void ComposeAdvancedPage(QImage& image, const PageImageSet& set, const SkinImages* extras) {
  const auto table = AdvancedElements();
  CopyElement(image, set.down, table, role::kFirstDpiLevel + kSampleDpiLevel);
  for (int level = 0; level < kSampleEnabledLevels; ++level) {
    CopyElement(image, set.down, table, role::kFirstDpiEnable + level);
  }
  const QRect slider = FindElement(table, role::kDpiSlider)->rect;
  const int filled = (kSampleDpiValue + 1) * (slider.width() / kSliderSteps);
  CopyCut(image, set.down, table, role::kDpiSlider, filled);
  if (extras != nullptr) {
    QPainter painter(&image);
    painter.drawImage(
        QPoint(slider.left() + filled - kSliderKnobBack, slider.top() + kSliderKnobDown),
        extras->sliderKnob);
  }
  const auto widthOf = [&](int number) { return FindElement(table, number)->rect.width(); };
  CopyCut(image, set.down, table, role::kPointerBar,
          kSamplePointerSpeed * widthOf(role::kPointerBar) / kSpeedSteps);
  CopyCut(image, set.down, table, role::kWheelBar,
          kSampleWheelSpeed * widthOf(role::kWheelBar) / kSpeedSteps);
  CopyCut(image, set.down, table, role::kFireBar,
          widthOf(role::kFireBar) * kSampleFireTime / kFireTimeMax);
  CopyElement(image, set.down, table, role::kFirstRate + kSampleRate);
  CopyElement(image, set.down, table, role::kFirstRateMark + kSampleRate);
}

void ComposeLightingPage(QImage& image, const PageImageSet& set, const SkinImages* extras) {
  const auto table = LightingElements();
  const auto widthOf = [&](int number) { return FindElement(table, number)->rect.width(); };
  CopyCut(image, set.down, table, role::kBrightnessBar, widthOf(role::kBrightnessBar));
  CopyCut(image, set.down, table, role::kSpeedBar,
          (kSampleLedSpeed + 1) * widthOf(role::kSpeedBar) / kLedSpeedSteps);
  CopyElement(image, set.down, table, role::kFirstDirection + kSampleDirection);
  for (int color = 0; color < role::kCycleColors; ++color) {
    CopyElement(image, set.down, table, role::kFirstColorEnable + color);
    CopyElement(image, set.down, table, role::kFirstSwatch + color);
  }
  for (const int key : kSampleReactingKeys) {
    CopyElement(image, set.down, table, role::kFirstReaction + key);
  }
  if (extras != nullptr) {
    for (const uint32_t cover : LedModeRulesOf(kSampleLedMode).greyed) {
      CopyElement(image, extras->lightingGreyed, table, static_cast<int>(cover));
    }
  }
}

void ComposeStates(QImage& image, const PageImageSet& set, Page page, bool english,
                   const SkinImages* extras) {
  const auto main = MainElements();
  CopyElement(image, set.down, main, role::kFirstTab + static_cast<int>(page));
  CopyElement(image, set.down, main, role::kFirstConfig + kSampleConfig);
  CopyElement(image, set.down, main, english ? role::kEnglish : role::kChinese);
  switch (page) {
    case Page::kKeys: ComposeKeysPage(image, set, extras); break;
    case Page::kAdvanced: ComposeAdvancedPage(image, set, extras); break;
    case Page::kMacro:
      CopyElement(image, set.down, MacroElements(), role::kModeRepeatCount);
      break;
    case Page::kLighting: ComposeLightingPage(image, set, extras); break;
  }
}

void DrawLeftAligned(QPainter& painter, const QRect& rect, const QString& text,
                     const QColor& color) {
  const QFontMetrics metrics(painter.font());
  painter.setPen(color);
  painter.drawText(QPoint(rect.left() + kLeftAlignedInset,
                          rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent()),
                   text);
}

void DrawMainTexts(QPainter& painter, Page page, bool english) {
  const QColor white = Color(skin::kTextWhite);
  for (const Element& element : MainElements()) {
    if (page != Page::kKeys && element.number >= kSharedMainElements) {
      continue;
    }
    if (element.look == Look::kKeyButton) {
      const auto key = static_cast<std::size_t>(element.number - role::kFirstKeyButton);
      const QString name = CutCaption(Text(FunctionNameOf(kSampleFunctions[key], english)));
      DrawCentred(painter, element.rect, name,
                  element.number == kSampleHoverKey ? Color(skin::kTextHover) : white,
                  kKeyTextShift);
      continue;
    }
    DrawCentred(painter, element.rect, Text(Caption(element, english)), white);
  }
}

// The texts of the advanced, macro and lighting tables, with the replacements the program
// makes for the sample settings.
void DrawPageTableTexts(QPainter& painter, Page page, bool english) {
  const QColor white = Color(skin::kTextWhite);
  for (const Element& element : PageElements(page)) {
    const int j = element.number;
    QString text = Text(Caption(element, english));
    QColor color = white;
    if (page == Page::kAdvanced) {
      if (j > role::kLastAdvancedText) continue;
      if (j == role::kPointerValue) text = QString::number(kSamplePointerSpeed);
      if (j == role::kWheelValue) text = QString::number(kSampleWheelSpeed);
      if (j == role::kFireValue) text = QString::number(kSampleFireTime) + "ms";
      const int level = j - role::kFirstDpiValue;
      if (level >= 0 && level < role::kDpiLevels) {
        text = QString::number(kSampleDpiNumbers[static_cast<std::size_t>(level)]);
        color = level == kSampleDpiLevel ? Color(skin::kHighlight) : Color(skin::kDpiValueLabel);
      }
    } else if (page == Page::kMacro) {
      if (j == role::kRecord) {
        text = english ? "Record" : QString::fromUtf8("录制");
        color = english ? white : Color(skin::kHighlight);
        DrawCentred(painter, element.rect, text, color, kRecordTextShift);
        continue;
      }
      if (j >= role::kFirstLeftAligned && j <= role::kLastLeftAligned) {
        DrawLeftAligned(painter, element.rect, text, white);
        continue;
      }
    } else if (page == Page::kLighting) {
      const LedModeRules& mode = LedModeRulesOf(kSampleLedMode);
      if (j == role::kLightingMode) text = Text(english ? mode.nameEnglish : mode.nameChinese);
      if (LedTextEmptied(kSampleLedMode, static_cast<uint32_t>(j))) text.clear();
      if (j == role::kBrightnessBar || j == role::kSpeedBar) {
        QRect room = element.rect;
        room.setWidth(room.width() - kBarCaptionReserve);
        DrawCentred(painter, room, text, color);
        continue;
      }
    }
    DrawCentred(painter, element.rect, text, color);
  }
}

void DrawPageTexts(QImage& image, Page page, bool english, const QFont& font) {
  QPainter painter(&image);
  painter.setFont(font);
  DrawMainTexts(painter, page, english);
  if (page != Page::kKeys) {
    DrawPageTableTexts(painter, page, english);
  }
}

}  // namespace

QImage ComposePreview(const PageImageSet& set, Page page, bool english, const QFont& font,
                      const SkinImages* extras) {
  QImage image = set.normal.convertToFormat(QImage::Format_ARGB32);
  ComposeStates(image, set, page, english, extras);
  DrawPageTexts(image, page, english, font);
  return image;
}

QImage OutlinePage(const PageImageSet& images, Page page, bool english, const QFont& font) {
  QImage image = images.normal.convertToFormat(QImage::Format_ARGB32);
  QPainter painter(&image);
  QFont small = font;
  small.setPixelSize(10);
  const auto outline = [&](const Element& element, const QColor& color) {
    if (element.rect.isEmpty()) return;
    painter.setPen(QPen(color, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(element.rect.adjusted(0, 0, -1, -1));
    painter.setFont(small);
    const QString label = QString::number(element.number);
    const QFontMetrics metrics(small);
    const QRect tag(element.rect.left(), element.rect.top(), metrics.horizontalAdvance(label) + 4,
                    metrics.height());
    painter.fillRect(tag, QColor(0, 0, 0, 190));
    painter.setPen(color);
    painter.drawText(tag, Qt::AlignCenter, label);
  };
  const QColor clicked(255, 220, 0);
  const QColor shown(120, 255, 120);
  const QColor cover(255, 90, 200);
  for (const Element& element : MainElements()) {
    if (page == Page::kKeys || element.number < kSharedMainElements) {
      outline(element, element.click == Click::kYes ? clicked : shown);
    }
  }
  if (page != Page::kKeys) {
    for (const Element& element : PageElements(page)) {
      outline(element, element.look == Look::kCover ? cover
                       : element.click == Click::kYes ? clicked
                                                      : shown);
    }
  }
  const auto place = [&](const ControlPlace& p, const QString& prefix) {
    painter.setPen(QPen(QColor(90, 200, 255), 1.0, Qt::DashLine));
    painter.drawRect(p.rect.adjusted(0, 0, -1, -1));
    painter.setFont(small);
    painter.drawText(p.rect.topLeft() + QPoint(2, 10), prefix + QString::number(p.key));
  };
  for (const ControlPlace& p : MainEditPlaces()) place(p, "E");
  if (page == Page::kMacro) {
    for (const ControlPlace& p : MacroEditPlaces()) place(p, "EDIT ");
    for (const ControlPlace& p : MacroListPlaces()) place(p, "LIST ");
  }
  painter.end();
  DrawPageTexts(image, page, english, font);
  return image;
}

QImage DrawContactSheet(const SkinImages& images, const QFont& font) {
  constexpr std::array kPages{Page::kKeys, Page::kAdvanced, Page::kMacro, Page::kLighting};
  const int cell = kPageWidth + kSheetMargin;
  const int row = kPageHeight + kSheetMargin;
  const int thumbWidth = kPageWidth / 4;
  const int thumbHeight = kPageHeight / 4;
  const int width = kSheetMargin + 3 * cell;
  const int height = kSheetMargin + 4 * row + 2 * (thumbHeight + kSheetMargin) + 40;
  QImage sheet(width, height, QImage::Format_ARGB32);
  sheet.fill(QColor(60, 62, 66));
  QPainter painter(&sheet);
  int y = kSheetMargin;
  for (const Page page : kPages) {
    const PageImageSet& set = ImagesOf(images, page);
    painter.drawImage(kSheetMargin, y, ComposePreview(set, page, true, font, &images));
    painter.drawImage(kSheetMargin + cell, y, ComposePreview(set, page, false, font, &images));
    painter.drawImage(kSheetMargin + 2 * cell, y, OutlinePage(set, page, true, font));
    y += row;
  }
  // Over and down images, then the mask, led_null and the small images.
  int x = kSheetMargin;
  for (const Page page : kPages) {
    const PageImageSet& set = ImagesOf(images, page);
    painter.drawImage(QRect(x, y, thumbWidth, thumbHeight), set.over);
    painter.drawImage(QRect(x, y + thumbHeight + kSheetMargin, thumbWidth, thumbHeight), set.down);
    x += thumbWidth + kSheetMargin;
  }
  painter.drawImage(QRect(x, y, thumbWidth, thumbHeight), images.mask);
  painter.drawImage(QRect(x, y + thumbHeight + kSheetMargin, thumbWidth, thumbHeight),
                    images.lightingGreyed);
  x += thumbWidth + kSheetMargin;
  painter.drawImage(QPoint(x, y), images.sliderKnob);
  painter.drawImage(QPoint(x + 30, y), images.leftMacroMark);
  int iconX = x;
  for (const NamedIcon& icon : images.icons) {
    const int size = std::min(icon.image.width(), kSheetIconSize);
    painter.drawImage(QRect(iconX, y + 60, size, size), icon.image);
    iconX += size + 8;
  }
  return sheet;
}

}  // namespace gm::skingen
