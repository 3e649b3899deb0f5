#include "ui/skin/window_shape.h"

#include <QFile>
#include <QImageReader>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "settings/paths.h"
#include "ui/skin/skin_layout.h"

namespace gm {

QRegion g_regionMain;
QRegion g_regionMacro;
int g_skinWidth = 0;
int g_skinHeight = 0;

namespace {

constexpr std::size_t kFirstMacroControlRect = kRepeatEditRect;         // 4
constexpr std::size_t kLastMacroControlRect = kParamListRect;            // 9
constexpr const char* kFallbackSizePicture = "main_normal.jpg";

QString QtPathOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

// Runs of dark pixels of one row as [left, right) pairs.
void RowRuns(const QRgb* line, int width, std::vector<int>& runs) {
  runs.clear();
  int x = 0;
  while (x < width) {
    while (x < width && IsOutsideMaskPixel(line[x])) ++x;
    if (x == width) break;
    const int start = x;
    while (x < width && !IsOutsideMaskPixel(line[x])) ++x;
    runs.push_back(start);
    runs.push_back(x);
  }
}

void AppendBand(std::vector<QRect>& rects, const std::vector<int>& runs, int top, int height) {
  for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
    rects.emplace_back(runs[r], top, runs[r + 1] - runs[r], height);
  }
}

QRect ClippedControlRect(const ControlRect& rect, const QRect& bounds) {
  const int64_t left = std::min<int64_t>(rect.left, rect.right);
  const int64_t right = std::max<int64_t>(rect.left, rect.right);
  const int64_t top = std::min<int64_t>(rect.top, rect.bottom);
  const int64_t bottom = std::max<int64_t>(rect.top, rect.bottom);
  const int64_t clippedLeft = std::max<int64_t>(left, bounds.left());
  const int64_t clippedTop = std::max<int64_t>(top, bounds.top());
  const int64_t clippedRight = std::min<int64_t>(right, int64_t{bounds.left()} + bounds.width());
  const int64_t clippedBottom =
      std::min<int64_t>(bottom, int64_t{bounds.top()} + bounds.height());
  if (clippedLeft >= clippedRight || clippedTop >= clippedBottom) return {};
  return QRect(static_cast<int>(clippedLeft), static_cast<int>(clippedTop),
               static_cast<int>(clippedRight - clippedLeft),
               static_cast<int>(clippedBottom - clippedTop));
}

QImage LoadMask(const std::filesystem::path& path) {
  QImageReader reader(QtPathOf(path));
  reader.setDecideFormatFromContent(true);
  return reader.read();
}

}  // namespace

QRegion MaskInsideRegion(const QImage& mask) {
  if (mask.isNull()) return {};
  const QImage pixels = mask.format() == QImage::Format_RGB32 ||
                                mask.format() == QImage::Format_ARGB32
                            ? mask
                            : mask.convertToFormat(QImage::Format_RGB32);
  const int width = pixels.width();
  std::vector<QRect> rects;
  std::vector<int> bandRuns;  // runs of the band being built
  std::vector<int> rowRuns;
  int bandTop = 0;
  for (int y = 0; y < pixels.height(); ++y) {
    RowRuns(reinterpret_cast<const QRgb*>(pixels.constScanLine(y)), width, rowRuns);
    if (y > 0 && rowRuns == bandRuns) continue;  // the band grows by this row
    AppendBand(rects, bandRuns, bandTop, y - bandTop);
    bandRuns.swap(rowRuns);
    bandTop = y;
  }
  AppendBand(rects, bandRuns, bandTop, pixels.height() - bandTop);
  QRegion region;
  // The rectangles are y-x banded: sorted, non-overlapping, one height per band, no two
  // touching side by side, neighbouring bands different.
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

QRegion XorControlRects(QRegion base, std::span<const ControlRect> rects, const QRect& bounds) {
  for (const ControlRect& rect : rects) {
    const QRect clipped = ClippedControlRect(rect, bounds);
    if (!clipped.isEmpty()) base = base.xored(QRegion(clipped));
  }
  return base;
}

QSize FallbackWindowSize() {
  QImageReader reader(QtPathOf(g_skinsFolder / kFallbackSizePicture));
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  return size.isValid() && !size.isEmpty() ? size : kDialogTemplateSize;
}

QRegion ComputeWindowShape(const std::filesystem::path& maskPath, const QSize& fallbackSize) {
  const QImage mask = LoadMask(maskPath);
  const QSize size = mask.isNull() ? fallbackSize : mask.size();
  g_skinWidth = size.width();
  g_skinHeight = size.height();
  const QRect bounds(QPoint(0, 0), size);
  const QRegion shape = mask.isNull() ? QRegion(bounds) : MaskInsideRegion(mask);
  const std::span<const ControlRect> controls = g_controlRects;
  g_regionMain = XorControlRects(shape, controls.first(kConfigNameEditCount), bounds);
  g_regionMacro = XorControlRects(
      shape,
      controls.subspan(kFirstMacroControlRect, kLastMacroControlRect - kFirstMacroControlRect + 1),
      bounds);
  return shape;
}

void ResetWindowShape() {
  g_regionMain = QRegion();
  g_regionMacro = QRegion();
  g_skinWidth = 0;
  g_skinHeight = 0;
}

}  // namespace gm
