#include "contrast_check.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <string_view>

#include "platform/text.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

using skin::ButtonState;

// What the program draws the text of `element` on: the page's normal picture, except inside
// `source`, which is copied from the picture of `state` (the hovered, pressed or selected
// element under the text).
struct Showing {
  ButtonState state;
  const char* when;
};

struct ColoredText {
  Page page;
  int element;
  int source;        // the element copied from the state's picture
  QRgb color;
  int xShift;        // the program's shift after centring
  std::vector<std::u16string_view> texts;
  std::vector<Showing> showings;
};

constexpr int kKeyTextShift = 13;
constexpr int kRecordTextShift = -3;
constexpr std::u16string_view kRecordCn = u"录制";
constexpr std::u16string_view kStopCn = u"停止";

double Channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb rgb) {
  return 0.2126 * Channel(qRed(rgb)) + 0.7152 * Channel(qGreen(rgb)) +
         0.0722 * Channel(qBlue(rgb));
}

const QImage& PictureOf(const PageImageSet& set, ButtonState state) {
  switch (state) {
    case ButtonState::Over: return set.over;
    case ButtonState::Down: return set.down;
    default: return set.normal;
  }
}

std::vector<ColoredText> ColoredTexts() {
  std::vector<ColoredText> list;
  // DPI values: grey on the chip of a level not selected (plain or hovered), the highlight on
  // the selected level's chip.
  for (int level = 0; level < role::kDpiLevels; ++level) {
    const Element* value = FindElement(AdvancedElements(), role::kFirstDpiValue + level);
    if (value == nullptr) continue;
    const std::vector<std::u16string_view> texts(value->runtimeTexts.begin(),
                                                 value->runtimeTexts.end());
    const int chip = role::kFirstDpiLevel + level;
    list.push_back({Page::kAdvanced, value->number, chip, skin::kDpiValueLabel, 0, texts,
                    {{ButtonState::Normal, "not selected"}, {ButtonState::Over, "hovered"}}});
    list.push_back({Page::kAdvanced, value->number, chip, skin::kHighlight, 0, texts,
                    {{ButtonState::Down, "selected"}}});
  }
  // Record in Chinese: the highlight while not recording, red on the recording button.
  list.push_back({Page::kMacro, role::kRecord, role::kRecord, skin::kHighlight, kRecordTextShift,
                  {kRecordCn},
                  {{ButtonState::Normal, "not recording"}, {ButtonState::Over, "hovered"}}});
  list.push_back({Page::kMacro, role::kRecord, role::kRecord, skin::kRecording,
                  kRecordTextShift, {kStopCn}, {{ButtonState::Down, "recording"}}});
  // The hovered key button's function, hovered or pressed.
  for (const Element& key : MainElements()) {
    if (key.look != Look::kKeyButton) continue;
    std::vector<std::u16string_view> texts(key.runtimeTexts.begin(), key.runtimeTexts.end());
    for (const FunctionName& function : FunctionNames()) {
      texts.push_back(function.en);
      texts.push_back(function.cn);
    }
    list.push_back({Page::kKeys, key.number, key.number, skin::kTextHover, kKeyTextShift, texts,
                    {{ButtonState::Over, "hovered"}, {ButtonState::Down, "pressed"}}});
  }
  return list;
}

const char* PageName(Page page) { return PageImageStem(page); }

}  // namespace

double ContrastRatio(QRgb a, QRgb b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<std::string> CheckTextContrast(const SkinImages& images, const QFont& font) {
  const QFontMetrics metrics(font);
  std::vector<std::string> problems;
  for (const ColoredText& item : ColoredTexts()) {
    const Element* element = FindElement(PageElements(item.page), item.element);
    const Element* source = FindElement(PageElements(item.page), item.source);
    if (element == nullptr || source == nullptr) continue;
    const PageImageSet& set = ImagesOf(images, item.page);
    for (const std::u16string_view text : item.texts) {
      if (text.empty()) continue;
      const QString shown = QString::fromStdU16String(std::u16string(text));
      const QRect& box = element->rect;
      const int width = metrics.horizontalAdvance(shown);
      const QRect area(box.x() + (box.width() - width) / 2 + item.xShift,
                       box.y() + (box.height() - metrics.height()) / 2, width, metrics.height());
      for (const Showing& showing : item.showings) {
        double worst = 21.0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
          for (int x = area.left(); x <= area.right(); ++x) {
            const QImage& picture =
                source->rect.contains(x, y) ? PictureOf(set, showing.state) : set.normal;
            if (!picture.valid(x, y)) continue;
            worst = std::min(worst, ContrastRatio(item.color, picture.pixel(x, y)));
          }
        }
        if (worst < kMinTextContrast) {
          char ratio[16];
          std::snprintf(ratio, sizeof ratio, "%.2f", worst);
          problems.push_back(std::string(PageName(item.page)) + " element " +
                             std::to_string(item.element) + " (" + ToUtf8(element->name) +
                             "), \"" + ToUtf8(text) + "\" " + showing.when + ": contrast " +
                             ratio + ":1, below " + "4.5:1");
        }
      }
    }
  }
  return problems;
}

}  // namespace gm::skingen
