#include "program_preview.h"

#include <QFontMetrics>
#include <QPainter>

#include <iterator>

#include "skin_generator/skin_palette.h"

namespace gm::popups {
namespace {

constexpr QRgb kEditText = qRgb(255, 255, 255);
// Strength, repeat count and delay shown in the edit boxes of the preview.
constexpr int kSampleEditValues[] = {35, 1, 90};

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Centred the way the program centres: integer halves, text drawn from its top-left corner.
void DrawCentred(QPainter& painter, const QRect& area, const QString& text, QRgb color) {
  const QFontMetrics fm(painter.font());
  const int x = area.x() + (area.width() - fm.horizontalAdvance(text)) / 2;
  const int y = area.y() + (area.height() - fm.height()) / 2;
  painter.setPen(QColor::fromRgb(color));
  painter.drawText(QPoint(x, y + fm.ascent()), text);
}

}  // namespace

QImage PreviewDialog(const DialogSkin& dialog, const DialogImages& images, Language language,
                     const QFont& font, int hovered, bool held, int selected,
                     const std::vector<QString>& values, const std::vector<QImage>& pictures) {
  QImage out = images.normal.copy();
  QPainter painter(&out);
  painter.setFont(font);
  if (hovered >= 0) {
    const QRect r = dialog.buttons[static_cast<std::size_t>(hovered)].rect;
    painter.drawImage(r.topLeft(), held ? images.down : images.over, r);
  }
  if (selected >= 0) {
    const QRect r = dialog.buttons[static_cast<std::size_t>(selected)].rect;
    painter.drawImage(r.topLeft(), images.down, r);
  }
  for (std::size_t i = 0; i < dialog.buttons.size() && i < pictures.size(); ++i) {
    if (pictures[i].isNull()) continue;
    const QRect r = dialog.buttons[i].rect;
    painter.drawImage(r.topLeft(), pictures[i], QRect(QPoint(0, 0), r.size()));
  }
  for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
    const PopupElement& e = dialog.buttons[i];
    if (i < values.size() && !values[i].isEmpty()) {
      DrawCentred(painter, e.rect, values[i], skin::kHighlight);
      continue;
    }
    const std::u16string_view caption =
        language == Language::kEnglish ? e.captionEn : e.captionCn;
    DrawCentred(painter, e.rect, ToQString(caption), skin::kTextWhite);
  }
  for (std::size_t i = 0; i < dialog.edits.size(); ++i) {
    const QRect r = dialog.edits[i].rect;
    painter.fillRect(r, QColor::fromRgb(skin::kEditBackground));
    DrawCentred(painter, r, QString::number(kSampleEditValues[i % std::size(kSampleEditValues)]),
                kEditText);
  }
  return out;
}

QImage PreviewMenu(const MenuSkin& menu, const DialogImages& images, int rowHeight,
                   const std::vector<QString>& rows, const QFont& font, int hoveredRow,
                   bool held, bool withBottomLine) {
  const int count = static_cast<int>(rows.size());
  const int height = count * rowHeight + (withBottomLine ? 1 : 0);
  QImage out = images.normal.copy(0, 0, menu.width, height);
  QPainter painter(&out);
  painter.setFont(font);
  if (hoveredRow >= 1) {
    const QRect band(0, (hoveredRow - 1) * rowHeight, menu.width, rowHeight);
    painter.drawImage(band.topLeft(), held ? images.down : images.over, band);
  }
  for (int i = 1; i <= count; ++i) {
    const QRect band(0, (i - 1) * rowHeight, menu.width, rowHeight);
    DrawCentred(painter, band, rows[static_cast<std::size_t>(i - 1)],
                i == hoveredRow ? skin::kTextHover : skin::kTextWhite);
  }
  return out;
}

}  // namespace gm::popups
