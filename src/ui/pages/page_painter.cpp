#include "ui/pages/page_painter.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_state.h"
#include "ui/pages/page_texts.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/window_shape.h"

namespace gm {

namespace {

constexpr int kBytesPerPixel = 4;

// 96 dots per inch in dots per metre: the resolution the skins are drawn for.
constexpr int kSkinDotsPerMeter = 3780;

// Main-table elements that DrawSkinButtons looks after.
constexpr uint32_t kHeaderElementCount = 20;
constexpr int64_t kFirstConfigButton = kMainFirstConfig;
constexpr uint32_t kChineseButton = kMainChinese;
constexpr uint32_t kEnglishButton = kMainEnglish;
constexpr uint32_t kFirstPageTab = kMainTabKeys;

// The part of rect that lies inside both images, as [left, right) x [top, bottom).
struct Span2D {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return left >= right || top >= bottom; }
};

Span2D ClipToImages(const SkinRect& rect, const QImage& dest, const QImage& source) {
  int64_t right = std::min<int64_t>(int64_t{rect.x} + rect.width, dest.width());
  int64_t bottom = std::min<int64_t>(int64_t{rect.y} + rect.height, dest.height());
  if (!source.isNull()) {
    right = std::min<int64_t>(right, source.width());
    bottom = std::min<int64_t>(bottom, source.height());
  }
  const int64_t left = std::max<int64_t>(rect.x, 0);
  const int64_t top = std::max<int64_t>(rect.y, 0);
  if (left >= right || top >= bottom) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
          static_cast<int>(bottom)};
}

void FillSpan(QImage& dest, const Span2D& area, QRgb color) {
  for (int y = area.top; y < area.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(dest.scanLine(y));
    std::fill(line + area.left, line + area.right, color);
  }
}

void CopySpan(QImage& dest, const QImage& source, const Span2D& area) {
  const auto rowBytes = static_cast<std::size_t>(area.right - area.left) * kBytesPerPixel;
  const auto offset = static_cast<std::size_t>(area.left) * kBytesPerPixel;
  for (int y = area.top; y < area.bottom; ++y) {
    std::memcpy(dest.scanLine(y) + offset, source.constScanLine(y) + offset, rowBytes);
  }
}

// The target's buffer for a paint of the given size, kept when it already fits.
void PrepareTarget(QImage& target, const QSize& size) {
  if (target.size() != size || target.format() != kSkinImageFormat) {
    target = QImage(size, kSkinImageFormat);
  }
  target.setDotsPerMeterX(kSkinDotsPerMeter);
  target.setDotsPerMeterY(kSkinDotsPerMeter);
}

}  // namespace

PagePictureNames PagePictureNamesOf(uint8_t page) {
  switch (page) {
    case kPageKeys:
      return {"main_normal.jpg", "main_over.jpg", "main_down.jpg"};
    case kPageAdvanced:
      return {"advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg"};
    case kPageMacro:
      return {"mac_normal.jpg", "mac_over.jpg", "mac_down.jpg"};
    case kPageLighting:
      return {"led_normal.jpg", "led_over.jpg", "led_down.jpg"};
    default:
      return {nullptr, nullptr, nullptr};
  }
}

std::span<const SkinRect> PageTable(const SkinLayout& layout, uint8_t page) {
  switch (page) {
    case kPageKeys:
      return layout.m_mainRects;
    case kPageAdvanced:
      return layout.m_advRects;
    case kPageMacro:
      return layout.m_macRects;
    case kPageLighting:
      return layout.m_ledRects;
    default:
      return {};
  }
}

uint32_t PageHover(uint8_t page) {
  switch (page) {
    case kPageKeys:
      return g_hoverMain;
    case kPageAdvanced:
      return g_hoverAdvanced;
    case kPageMacro:
      return g_hoverMacro;
    case kPageLighting:
      return g_hoverLed;
    default:
      return kNoElement;
  }
}

void BlitRect(QImage& dest, const QImage& source, const SkinRect& rect) {
  if (dest.isNull()) return;
  if (dest.format() != kSkinImageFormat) dest.convertTo(kSkinImageFormat);
  const Span2D area = ClipToImages(rect, dest, source);
  if (area.Empty()) return;
  if (source.isNull()) {
    FillSpan(dest, area, kMissingPictureFill);
    return;
  }
  if (source.format() == kSkinImageFormat) {
    CopySpan(dest, source, area);
    return;
  }
  // A source in another format: convert only the copied part, then copy it row by row.
  const QImage part =
      source.copy(area.left, area.top, area.right - area.left, area.bottom - area.top)
          .convertToFormat(kSkinImageFormat);
  const auto rowBytes = static_cast<std::size_t>(part.width()) * kBytesPerPixel;
  const auto offset = static_cast<std::size_t>(area.left) * kBytesPerPixel;
  for (int y = 0; y < part.height(); ++y) {
    std::memcpy(dest.scanLine(area.top + y) + offset, part.constScanLine(y), rowBytes);
  }
}

void BlitSkinRect(QImage& dest, const QImage& source, std::span<const SkinRect> table,
                  int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(table.size())) return;
  BlitRect(dest, source, table[static_cast<std::size_t>(index)]);
}

void BlitSkinRectWidth(QImage& dest, const QImage& source, std::span<const SkinRect> table,
                       int64_t index, int64_t width) {
  if (index < 0 || index >= static_cast<int64_t>(table.size())) return;
  SkinRect rect = table[static_cast<std::size_t>(index)];
  rect.width = ClampToInt32(width);
  BlitRect(dest, source, rect);
}

void DrawMark(QImage& dest, const QImage& mark, int x, int y) {
  if (dest.isNull() || mark.isNull()) return;
  // Only a mark that meets the image is drawn: the painter's own sums must not overflow.
  if (x >= dest.width() || y >= dest.height() || int64_t{x} + mark.width() <= 0 ||
      int64_t{y} + mark.height() <= 0) {
    return;
  }
  QPainter painter(&dest);
  painter.drawImage(x, y, mark);
}

void DrawSkinButtons(QImage& dest, const QImage& over, const QImage& down,
                     const SkinLayout& layout, uint32_t currentTab) {
  const std::span<const SkinRect> table = layout.m_mainRects;
  const bool english = g_isEnglish.load() != 0;
  const uint32_t languageButton = english ? kEnglishButton : kChineseButton;
  const int64_t configButton = kFirstConfigButton + g_curConfig.load();
  for (uint32_t i = 0; i < kHeaderElementCount; ++i) {
    if (int64_t{i} == configButton || i == currentTab || i == languageButton) {
      BlitSkinRect(dest, down, table, i);
    } else if (i == g_hoverMain) {
      BlitSkinRect(dest, g_mousePressed != 0 ? down : over, table, i);
    }
  }
}

bool PaintPage(QImage& target, const SkinLayout& layout, SkinImages& images) {
  const uint8_t page = g_curPage.load();
  const PagePictureNames names = PagePictureNamesOf(page);
  if (names.normal == nullptr) return false;
  const QImage& normal = images.Image(g_skinsFolder / names.normal);
  const QImage& over = images.Image(g_skinsFolder / names.over);
  const QImage& down = images.Image(g_skinsFolder / names.down);

  const QSize size = normal.isNull() ? QSize(g_skinWidth, g_skinHeight) : normal.size();
  if (size.isEmpty()) return false;
  PrepareTarget(target, size);
  if (normal.isNull()) {
    target.fill(kMissingPictureFill);
  } else {
    BlitRect(target, normal, SkinRect{0, 0, size.width(), size.height()});
  }

  DrawMainElement(target, over, down, layout, page, images);
  DrawSkinButtons(target, over, down, layout, kFirstPageTab + page);
  PaintPageTexts(target, layout, page);
  return true;
}

}  // namespace gm
