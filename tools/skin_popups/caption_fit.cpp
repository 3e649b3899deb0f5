#include "caption_fit.h"

#include <QFontMetrics>
#include <QString>

#include "platform/text.h"

namespace gm::popups {
namespace {

constexpr int kButtonPadding = 6;
// The play-mode lamp sits at the left of its button; a centred caption must clear it.
constexpr int kToggleLampClearance = 24;
constexpr int kPlainPadding = 2;
constexpr int kRowPadding = 4;
// A row's submenu arrow takes this much of its right end; a centred text must clear it.
constexpr int kRowArrowClearance = 18;

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Describe(std::u16string_view text, int width, int height, int roomWidth,
                     int roomHeight) {
  return "\"" + ToUtf8(text) + "\" needs " + std::to_string(width) + "x" +
         std::to_string(height) + " but has " + std::to_string(roomWidth) + "x" +
         std::to_string(roomHeight);
}

void CheckText(std::u16string_view text, int roomWidth, int roomHeight, const QFontMetrics& fm,
               const std::string& where, std::vector<std::string>& problems) {
  if (text.empty()) return;
  const int width = fm.horizontalAdvance(ToQString(text));
  const int height = fm.height();
  if (width > roomWidth || height > roomHeight) {
    problems.push_back(where + ": " + Describe(text, width, height, roomWidth, roomHeight));
  }
}

}  // namespace

int HorizontalPadding(ElementLook look) {
  switch (look) {
    case ElementLook::kPushButton:
    case ElementLook::kValueField:
    case ElementLook::kDropGlyph:
      return kButtonPadding;
    case ElementLook::kToggleButton:
      return kToggleLampClearance;
    case ElementLook::kCloseGlyph:
    case ElementLook::kBackGlyph:
    case ElementLook::kTitle:
    case ElementLook::kLabel:
    case ElementLook::kPictureWell:
    case ElementLook::kEditPlace:
      break;
  }
  return kPlainPadding;
}

std::vector<std::string> CheckDialogCaptions(const DialogSkin& dialog, const QFont& font) {
  std::vector<std::string> problems;
  const QFontMetrics fm(font);
  for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
    const PopupElement& e = dialog.buttons[i];
    const int roomWidth = e.rect.width() - 2 * HorizontalPadding(e.look);
    const std::string where = std::string(dialog.layoutStem) + " element " + std::to_string(i);
    CheckText(e.captionEn, roomWidth, e.rect.height(), fm, where + " (English)", problems);
    CheckText(e.captionCn, roomWidth, e.rect.height(), fm, where + " (Chinese)", problems);
  }
  return problems;
}

std::vector<std::string> CheckRowTexts(const MenuSkin& menu, std::span<const RowText> rows,
                                       const QFont& font) {
  std::vector<std::string> problems;
  const QFontMetrics fm(font);
  for (const RowText& row : rows) {
    const int clearance = row.besideArrow ? kRowArrowClearance : kRowPadding;
    const int roomWidth = menu.width - 2 * clearance;
    const std::string where = std::string(menu.stem) + " row";
    CheckText(row.en, roomWidth, menu.rowHeight, fm, where + " (English)", problems);
    CheckText(row.cn, roomWidth, menu.rowHeight, fm, where + " (Chinese)", problems);
  }
  return problems;
}

}  // namespace gm::popups
