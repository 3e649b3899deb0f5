// The window's shape from its mask image and the two repaint regions.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <QString>

#include <climits>
#include <filesystem>
#include <random>

#include "settings/paths.h"
#include "support/process_state.h"
#include "support/temp_dir.h"
#include "ui/pages/ui_state.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/window_shape.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

constexpr QRgb kLight = 0xFFFFFFFF;
constexpr QRgb kDark = 0xFF000000;

QImage Mask(int width, int height, QRgb fill) {
  QImage mask(width, height, QImage::Format_RGB32);
  mask.fill(fill);
  return mask;
}

void SavePng(const QImage& image, const fs::path& path) {
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

TEST(WindowShape, APixelIsOutsideOnlyWhenAllThreeComponentsExceed100) {
  EXPECT_TRUE(IsOutsideMaskPixel(qRgb(101, 101, 101)));
  EXPECT_FALSE(IsOutsideMaskPixel(qRgb(101, 101, 100)));
  EXPECT_FALSE(IsOutsideMaskPixel(qRgb(100, 255, 255)));
  EXPECT_FALSE(IsOutsideMaskPixel(qRgb(255, 100, 255)));

  QImage mask = Mask(2, 1, kDark);
  mask.setPixel(0, 0, qRgb(101, 101, 101));
  mask.setPixel(1, 0, qRgb(101, 101, 100));
  const QRegion inside = MaskInsideRegion(mask);
  EXPECT_FALSE(inside.contains(QPoint(0, 0)));
  EXPECT_TRUE(inside.contains(QPoint(1, 0)));
}

// Every pixel of a patterned mask lands on the right side of the region, whatever the runs
// and the bands look like (runs at the edges, single pixels, repeated rows, empty rows).
TEST(WindowShape, RegionHoldsExactlyTheDarkPixels) {
  QImage mask = Mask(61, 47, kLight);
  for (int y = 0; y < mask.height(); ++y) {
    const int pattern = y / 3;  // rows repeat in threes, then change
    std::mt19937 rowRandom(static_cast<unsigned>(pattern));
    for (int x = 0; x < mask.width(); ++x) {
      if (pattern % 5 == 4) continue;  // all light
      if (rowRandom() % 3 == 0 || pattern % 5 == 3) mask.setPixel(x, y, kDark);
    }
  }
  mask.setPixel(0, 0, kDark);
  mask.setPixel(60, 46, kDark);
  const QRegion inside = MaskInsideRegion(mask);
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      ASSERT_EQ(inside.contains(QPoint(x, y)), !IsOutsideMaskPixel(mask.pixel(x, y)))
          << x << "," << y;
    }
  }
  EXPECT_FALSE(inside.contains(QPoint(61, 0)));
  EXPECT_FALSE(inside.contains(QPoint(0, 47)));

  EXPECT_TRUE(MaskInsideRegion(Mask(10, 10, kLight)).isEmpty());
  EXPECT_EQ(MaskInsideRegion(Mask(10, 10, kDark)), QRegion(0, 0, 10, 10));
  EXPECT_TRUE(MaskInsideRegion(QImage()).isEmpty());
}

TEST(WindowShape, ControlRectanglesAreXoredSoLightPixelsUnderThemComeBack) {
  const QRect bounds(0, 0, 100, 100);
  const QRegion base(0, 0, 50, 100);  // left half inside
  const ControlRect rects[] = {{40, 10, 60, 20}};
  const QRegion result = XorControlRects(base, rects, bounds);
  EXPECT_FALSE(result.contains(QPoint(45, 15)));  // dark pixels under the control: removed
  EXPECT_TRUE(result.contains(QPoint(55, 15)));   // light pixels under it: added back
  EXPECT_TRUE(result.contains(QPoint(45, 25)));

  // Two controls over the same place cancel out.
  const ControlRect twice[] = {{40, 10, 60, 20}, {40, 10, 60, 20}};
  EXPECT_EQ(XorControlRects(base, twice, bounds), base);

  // Edges given the wrong way round count swapped; the missing rectangle {0,0,0,0} and
  // rectangles far outside change nothing; huge ones are clipped to the window.
  const ControlRect swapped[] = {{60, 20, 40, 10}};
  EXPECT_EQ(XorControlRects(base, swapped, bounds), result);
  const ControlRect nothing[] = {{0, 0, 0, 0}, {500, 500, 600, 600}, {-50, -50, -1, -1}};
  EXPECT_EQ(XorControlRects(base, nothing, bounds), base);
  const ControlRect huge[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  EXPECT_EQ(XorControlRects(base, huge, bounds), QRegion(50, 0, 50, 100));
}

class WindowShapeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ResetProcessState();
    g_skinsFolder = dir_.path();
  }
  void TearDown() override { ResetProcessState(); }
  TempDir dir_;
};

TEST_F(WindowShapeFile, ShapeSizeAndRepaintRegionsFromTheMaskFile) {
  // Light border of 10 pixels around a dark 80 x 40 window; decoded by content, so a PNG
  // under the .jpg name keeps exact pixels.
  QImage mask = Mask(100, 60, kLight);
  for (int y = 10; y < 50; ++y) {
    for (int x = 10; x < 90; ++x) mask.setPixel(x, y, kDark);
  }
  mask.setPixel(20, 20, qRgb(101, 101, 101));
  mask.setPixel(21, 20, qRgb(101, 101, 100));
  SavePng(mask, dir_ / "main_mask.jpg");
  g_controlRects[0] = {0, 0, 20, 5};     // over the light border only
  g_controlRects[3] = {30, 30, 40, 40};  // over the window
  g_controlRects[4] = {60, 30, 70, 40};
  g_controlRects[9] = {95, 55, 100, 60};

  const QRegion shape = ComputeWindowShape(dir_ / "main_mask.jpg", QSize(7, 7));
  EXPECT_EQ(g_skinWidth, 100);
  EXPECT_EQ(g_skinHeight, 60);
  EXPECT_TRUE(shape.contains(QPoint(10, 10)));
  EXPECT_FALSE(shape.contains(QPoint(9, 10)));
  EXPECT_FALSE(shape.contains(QPoint(20, 20)));
  EXPECT_TRUE(shape.contains(QPoint(21, 20)));

  EXPECT_TRUE(g_regionMain.contains(QPoint(5, 2)));     // light, added back by control 0
  EXPECT_FALSE(g_regionMain.contains(QPoint(35, 35)));  // dark, left out for control 3
  EXPECT_TRUE(g_regionMain.contains(QPoint(65, 35)));   // the macro controls do not count
  EXPECT_FALSE(g_regionMacro.contains(QPoint(65, 35)));
  EXPECT_TRUE(g_regionMacro.contains(QPoint(97, 57)));
  EXPECT_TRUE(g_regionMacro.contains(QPoint(35, 35)));
  EXPECT_FALSE(g_regionMacro.contains(QPoint(5, 2)));
}

TEST_F(WindowShapeFile, MissingOrUnreadableMaskGivesARectangularWindowOfTheFallbackSize) {
  g_controlRects[0] = {0, 0, 10, 10};
  QRegion shape = ComputeWindowShape(dir_ / "main_mask.jpg", QSize(300, 200));
  EXPECT_EQ(shape, QRegion(0, 0, 300, 200));
  EXPECT_EQ(g_skinWidth, 300);
  EXPECT_EQ(g_skinHeight, 200);
  EXPECT_FALSE(g_regionMain.contains(QPoint(5, 5)));
  EXPECT_EQ(g_regionMacro, shape);

  WriteFileBytes(dir_ / "main_mask.jpg", "\xFF\xD8 broken");
  shape = ComputeWindowShape(dir_ / "main_mask.jpg", QSize(30, 20));
  EXPECT_EQ(shape, QRegion(0, 0, 30, 20));
}

TEST_F(WindowShapeFile, FallbackSizeIsThePagePictureOrTheDialogSize) {
  EXPECT_EQ(FallbackWindowSize(), kDialogTemplateSize);
  SavePng(Mask(321, 123, kDark), dir_ / "main_normal.jpg");
  EXPECT_EQ(FallbackWindowSize(), QSize(321, 123));
}

}  // namespace
}  // namespace gm::test
