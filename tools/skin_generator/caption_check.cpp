#include "caption_check.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "platform/text.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

constexpr int kPadding = 4;            // free space on each side of a centred caption
constexpr int kKeyButtonReserve = 34;  // badge on the left, text shifted 13 pixels right
constexpr int kDropButtonReserve = 52;
constexpr int kRecordButtonReserve = 66;

struct NamedTable {
  const char* name;
  std::span<const Element> elements;
  int size;
};

std::vector<NamedTable> AllTables() {
  return {{"skin_main", MainElements(), kMainTableSize},
          {"skin_advance", AdvancedElements(), kAdvancedTableSize},
          {"skin_mac", MacroElements(), kMacroTableSize},
          {"skin_color", LightingElements(), kLightingTableSize},
          {"LBWarning", WarningElements(), 3}};
}

std::string Describe(const char* table, const Element& element) {
  return std::string(table) + " element " + std::to_string(element.number) + " (" +
         ToUtf8(element.name) + ")";
}

void CheckText(const QFontMetrics& metrics, const char* table, const Element& element,
               std::u16string_view text, std::vector<std::string>& problems) {
  if (text.empty()) {
    return;
  }
  const QString qtext = QString::fromStdU16String(std::u16string(text));
  const int width = metrics.horizontalAdvance(qtext);
  if (width > TextRoom(element)) {
    problems.push_back(Describe(table, element) + ": \"" + ToUtf8(text) + "\" is " +
                       std::to_string(width) + " pixels wide, room for " +
                       std::to_string(TextRoom(element)));
  }
  if (metrics.height() > element.rect.height()) {
    problems.push_back(Describe(table, element) + ": text height " +
                       std::to_string(metrics.height()) + " exceeds " +
                       std::to_string(element.rect.height()));
  }
  if (text.find(u',') != std::u16string_view::npos) {
    problems.push_back(Describe(table, element) + ": a caption must not contain a comma");
  }
}

bool IsHitTested(const Element& element, Page page) {
  // The lighting page is hit-tested on its first 70 elements only; its covers lie beyond.
  constexpr int kLightingHitCount = 70;
  if (page == Page::kLighting && element.number >= kLightingHitCount) {
    return false;
  }
  return !element.rect.isEmpty();
}

// A text the program writes onto a control of the same table (a DPI value on its level's
// chip): it takes no click, lies wholly inside the control and comes later in the table, so
// the hit test, which takes the first element holding the point, always finds the control.
bool IsLabelOnControl(const Element& control, const Element& label) {
  return control.click == Click::kYes && label.click == Click::kNo &&
         control.number < label.number && control.rect.contains(label.rect);
}

}  // namespace

int TextRoom(const Element& element) {
  const int width = element.rect.width();
  switch (element.look) {
    case Look::kKeyButton: return width - kKeyButtonReserve;
    case Look::kDropButton: return width - kDropButtonReserve;
    case Look::kRecordButton: return width - kRecordButtonReserve;
    default: return width - 2 * kPadding;
  }
}

std::vector<std::string> CheckCaptions(const QFont& font) {
  const QFontMetrics metrics(font);
  std::vector<std::string> problems;
  for (const NamedTable& table : AllTables()) {
    for (const Element& element : table.elements) {
      CheckText(metrics, table.name, element, element.captionEn, problems);
      CheckText(metrics, table.name, element, element.captionCn, problems);
      for (const std::u16string_view text : element.runtimeTexts) {
        CheckText(metrics, table.name, element, text, problems);
      }
      if (element.look == Look::kKeyButton) {
        for (const FunctionName& function : FunctionNames()) {
          CheckText(metrics, table.name, element, function.en, problems);
          CheckText(metrics, table.name, element, function.cn, problems);
        }
      }
    }
  }
  // A key button shows a function name whole only up to 11 characters.
  constexpr std::size_t kWholeNameLength = 11;
  for (const FunctionName& function : FunctionNames()) {
    for (const std::u16string_view name : {function.en, function.cn}) {
      if (name.size() > kWholeNameLength || name.empty() ||
          name.find(u',') != std::u16string_view::npos) {
        problems.push_back("key-function name " + std::to_string(function.code) + " \"" +
                           ToUtf8(name) + "\" must have 1 to 11 characters and no comma");
      }
    }
  }
  return problems;
}

std::vector<std::string> CheckGeometry() {
  std::vector<std::string> problems;
  const QRect page(0, 0, kPageWidth, kPageHeight);
  for (const NamedTable& table : AllTables()) {
    for (const Element& element : table.elements) {
      if (element.number < 0 || element.number >= table.size) {
        problems.push_back(Describe(table.name, element) + ": number outside the table");
      }
      if (table.elements.data() != WarningElements().data() && !page.contains(element.rect)) {
        problems.push_back(Describe(table.name, element) + ": outside the page");
      }
    }
  }
  // The pop-up lists are drawn for these widths (the list opens with its button's width).
  for (const Element& element : MainElements()) {
    if (element.look == Look::kKeyButton && element.rect.width() != skin::kKeyButtonWidth) {
      problems.push_back(Describe("skin_main", element) + ": key buttons are " +
                         std::to_string(skin::kKeyButtonWidth) + " pixels wide");
    }
  }
  if (const Element* mode = FindElement(LightingElements(), role::kLightingMode);
      mode == nullptr || mode->rect.width() != skin::kLedModeButtonWidth) {
    problems.push_back("skin_color: the lighting-mode button must be " +
                       std::to_string(skin::kLedModeButtonWidth) + " pixels wide");
  }
  // Elements that a click can hit on each page: the page's own table and the main table's
  // shared part (the keys page's own table is the main table).
  for (const Page pageId : {Page::kKeys, Page::kAdvanced, Page::kMacro, Page::kLighting}) {
    std::vector<const Element*> hit;
    for (const Element& element : PageElements(pageId)) {
      if (IsHitTested(element, pageId)) {
        hit.push_back(&element);
      }
    }
    if (pageId != Page::kKeys) {
      for (const Element& element : MainElements()) {
        if (element.number < kSharedMainElements && IsHitTested(element, pageId)) {
          hit.push_back(&element);
        }
      }
    }
    // The page's own elements come first in `hit`, in table order.
    const std::size_t own = static_cast<std::size_t>(std::count_if(
        PageElements(pageId).begin(), PageElements(pageId).end(),
        [&](const Element& element) { return IsHitTested(element, pageId); }));
    for (std::size_t i = 0; i < hit.size(); ++i) {
      for (std::size_t j = i + 1; j < hit.size(); ++j) {
        if (hit[i]->rect.intersects(hit[j]->rect) &&
            !(j < own && IsLabelOnControl(*hit[i], *hit[j]))) {
          problems.push_back("page " + std::to_string(static_cast<int>(pageId)) + ": elements " +
                             ToUtf8(hit[i]->name) + " and " + ToUtf8(hit[j]->name) + " overlap");
        }
      }
    }
  }
  return problems;
}

}  // namespace gm::skingen
