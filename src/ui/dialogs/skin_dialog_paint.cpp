#include "ui/dialogs/skin_dialog_paint.h"

#include <QFontMetrics>
#include <QPainter>

#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/ui_fonts.h"
#include "ui/skin/window_shape.h"

namespace gm {
namespace {

// 96 dots per inch in dots per metre: the resolution the skins are drawn for.
constexpr int kSkinDotsPerMeter = 3780;

std::filesystem::path SkinPicture(const char* stem, const char* suffix) {
  return g_skinsFolder / (std::string(stem) + suffix);
}

bool Holds(const SkinRect& r, const QPoint& p) {
  const int64_t right = int64_t{r.x} + r.width;
  const int64_t bottom = int64_t{r.y} + r.height;
  return p.x() >= r.x && p.x() < right && p.y() >= r.y && p.y() < bottom;
}

}  // namespace

DialogPictures DialogPicturesOf(const char* stem) {
  return {SkinPicture(stem, "_mask.jpg"), SkinPicture(stem, "_normal.jpg"),
          SkinPicture(stem, "_over.jpg"), SkinPicture(stem, "_down.jpg")};
}

DialogShape DialogShapeOf(const DialogPictures& pictures, SkinImages& images) {
  const QImage& mask = images.Image(pictures.mask);
  if (!mask.isNull()) return {mask.size(), MaskInsideRegion(mask)};
  return {images.Image(pictures.normal).size(), QRegion()};
}

uint32_t HitDialogElement(std::span<const SkinRect> rects, const QPoint& point) {
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (Holds(rects[i], point)) return static_cast<uint32_t>(i);
  }
  return kNoElement;
}

void ComposeDialogFrame(QImage& frame, const QSize& size, const DialogPictures& pictures,
                        SkinImages& images, std::span<const SkinRect> rects, uint32_t hover,
                        bool pressed) {
  if (frame.size() != size || frame.format() != kSkinImageFormat) {
    frame = QImage(size, kSkinImageFormat);
  }
  frame.setDotsPerMeterX(kSkinDotsPerMeter);
  frame.setDotsPerMeterY(kSkinDotsPerMeter);
  BlitRect(frame, images.Image(pictures.normal), SkinRect{0, 0, size.width(), size.height()});
  if (hover < rects.size()) {
    BlitRect(frame, images.Image(pressed ? pictures.down : pictures.over), rects[hover]);
  }
}

void DrawDialogLabels(QImage& frame, std::span<const SkinRect> rects,
                      std::span<const std::u16string> captions, std::size_t valueIndex,
                      const std::u16string& valueText) {
  if (frame.isNull()) return;
  const UiFonts& fonts = GetUiFonts();
  QPainter painter(&frame);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setFont(g_isEnglish.load() != 0 ? fonts.dlgFontEn : fonts.dlgFontCn);
  const QFontMetrics metrics = painter.fontMetrics();
  for (std::size_t i = 0; i < rects.size() && i < captions.size(); ++i) {
    const bool isValue = i == valueIndex;
    const QString text = QString::fromStdU16String(isValue ? valueText : captions[i]);
    if (text.isEmpty()) continue;
    const SkinRect& r = rects[i];
    const int x = r.x + (r.width - metrics.horizontalAdvance(text)) / 2;
    const int y = r.y + (r.height - metrics.height()) / 2;
    painter.setPen(QColor::fromRgba(isValue ? kDialogValueColor : kDialogCaptionColor));
    painter.drawText(x, y + metrics.ascent(), text);
  }
}

void DrawClippedPicture(QImage& frame, const QImage& picture, const SkinRect& rect) {
  if (frame.isNull() || picture.isNull() || rect.width <= 0 || rect.height <= 0) return;
  QPainter painter(&frame);
  const QRect target(rect.x, rect.y, rect.width, rect.height);
  painter.setClipRect(target);
  // 1:1: the picture's own pixels from its top-left corner, whatever its size.
  painter.drawImage(target.topLeft(), picture, QRect(0, 0, rect.width, rect.height));
}

}  // namespace gm
