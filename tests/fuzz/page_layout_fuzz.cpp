// Random layout values and settings through the page painting and the hit testing of the main
// window, offscreen: every place computed from a layout (texts, cut bars, the slider and its
// knob, marks, clipping; hit tests, bar clicks, the slider position, menu placement, the title
// area) must be defined behaviour for any values, and:
// - a paint keeps the size of the page pictures;
// - a hit test only names an element whose rectangle holds the point.

#include <fuzzer/FuzzedDataProvider.h>

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

#include "settings/config_settings.h"
#include "settings/key_map.h"
#include "settings/paths.h"
#include "ui/pages/bar_click.h"
#include "ui/pages/dpi_slider_input.h"
#include "ui/pages/element_roles.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/menu_placement.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_input.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/skin_images.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/window_shape.h"

// Qt keeps its font and glyph caches for the life of the process and fills them on first use,
// which a per-input leak check would take for leaks.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

constexpr int kSkinWidth = 96;
constexpr int kSkinHeight = 72;
constexpr int kMaxChangedRects = 48;
constexpr int kMaxPoints = 6;
constexpr int kPages = 4;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A small skin of plain pictures in a folder of this process.
std::filesystem::path WriteSkin() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("page_layout_fuzz_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto write = [&](const std::string& name, int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    image.save(QString::fromStdString((folder / name).string()), "PNG");
  };
  for (const char* page : {"main", "advanced", "mac", "led"}) {
    write(std::string(page) + "_normal.jpg", kSkinWidth, kSkinHeight, 0xFF101010);
    write(std::string(page) + "_over.jpg", kSkinWidth, kSkinHeight, 0xFF303030);
    write(std::string(page) + "_down.jpg", kSkinWidth, kSkinHeight, 0xFF505050);
  }
  write("led_null.jpg", kSkinWidth, kSkinHeight, 0xFF707070);
  write("moveRect.png", 16, 22, 0x80FFFFFF);
  write("zhi_en.png", 12, 12, 0xC0FF00FF);
  write("zhi_cn.png", 12, 12, 0xC0FFFF00);
  return folder;
}

// Mostly values at and near the ends of the int range, where sums overflow.
int32_t PickInt(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return INT32_MAX - data.ConsumeIntegralInRange<int32_t>(0, 64);
    case 1: return INT32_MIN + data.ConsumeIntegralInRange<int32_t>(0, 64);
    case 2: return data.ConsumeIntegralInRange<int32_t>(-64, 160);
    default: return data.ConsumeIntegral<int32_t>();
  }
}

gm::SkinRect PickRect(FuzzedDataProvider& data) {
  return gm::SkinRect{PickInt(data), PickInt(data), PickInt(data), PickInt(data)};
}

// Every element a small place inside the picture and a caption, so that every text is drawn;
// then some rectangles with random values.
void FillLayout(gm::SkinLayout& layout, FuzzedDataProvider& data) {
  const auto fill = [](auto& rects, auto& captions) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
      rects[i] = gm::SkinRect{static_cast<int32_t>(i % 12) * 8,
                              static_cast<int32_t>(i / 12) * 6, 8, 6};
      captions[i] = u"W";
    }
  };
  fill(layout.m_mainRects, layout.m_mainCaptions);
  fill(layout.m_advRects, layout.m_advCaptions);
  fill(layout.m_macRects, layout.m_macCaptions);
  fill(layout.m_ledRects, layout.m_ledCaptions);
  const int changes = data.ConsumeIntegralInRange(0, kMaxChangedRects);
  for (int c = 0; c < changes; ++c) {
    std::span<gm::SkinRect> table;
    switch (data.ConsumeIntegralInRange(0, 3)) {
      case 0: table = layout.m_mainRects; break;
      case 1: table = layout.m_advRects; break;
      case 2: table = layout.m_macRects; break;
      default: table = layout.m_ledRects; break;
    }
    table[data.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)] = PickRect(data);
  }
}

void PickSettings(FuzzedDataProvider& data) {
  gm::g_isEnglish = data.ConsumeIntegralInRange<uint8_t>(0, 1);
  gm::LoadLedModeNames(gm::g_isEnglish.load() != 0);
  gm::g_keyCount = data.ConsumeIntegralInRange(-1, 12);
  gm::g_curConfig = data.ConsumeIntegralInRange(-1, 4);
  gm::g_dpiLevel = data.ConsumeIntegralInRange(-1, 7);
  for (auto& value : gm::g_dpiValue) value = data.ConsumeIntegral<uint8_t>();
  for (auto& enabled : gm::g_dpiEnable) enabled = data.ConsumeIntegralInRange<uint8_t>(0, 1);
  gm::g_ledType = data.ConsumeIntegralInRange<uint8_t>(0, 7);
  gm::g_ledBrightness = PickInt(data);
  gm::g_ledCycleTime = data.ConsumeIntegral<uint8_t>();
  gm::g_ledDirection = PickInt(data);
  gm::g_fireTime = PickInt(data);
  gm::g_pointerSpeed = data.ConsumeIntegral<uint8_t>();
  gm::g_wheelSpeed = data.ConsumeIntegral<uint8_t>();
  gm::g_usbRate = data.ConsumeIntegral<uint8_t>();
  gm::g_wheelStatus = data.ConsumeIntegralInRange(-1, 2);
  gm::g_mousePressed = data.ConsumeIntegralInRange<uint8_t>(0, 1);
  gm::g_isRecording = data.ConsumeIntegralInRange(0, 1);
  gm::g_curPage = data.ConsumeIntegralInRange<uint8_t>(0, kPages - 1);
}

void PaintAndCheck(const gm::SkinLayout& layout, gm::SkinImages& images) {
  QImage target;
  Check(gm::PaintPage(target, layout, images));
  Check(target.width() == kSkinWidth && target.height() == kSkinHeight);
}

void CheckHit(std::span<const gm::SkinRect> table, gm::WindowPoint point) {
  const uint32_t hit = gm::HitTestRects(point, table, static_cast<int>(table.size()));
  Check(hit == gm::kNoElement || (hit < table.size() && gm::RectHolds(table[hit], point)));
}

void Input(const gm::SkinLayout& layout, FuzzedDataProvider& data) {
  const int points = data.ConsumeIntegralInRange(1, kMaxPoints);
  for (int i = 0; i < points; ++i) {
    const gm::WindowPoint point{PickInt(data), PickInt(data)};
    CheckHit(layout.m_mainRects, point);
    CheckHit(layout.m_advRects, point);
    CheckHit(layout.m_ledRects, point);
    gm::OnMouseMove(layout, point);
    gm::OnLButtonDown(layout, point);
    gm::OnMouseMove(layout, gm::WindowPoint{PickInt(data), point.y});  // a slider drag
    // Hiding writes the settings file; this target only places things.
    if (gm::g_hoverMain != gm::kMainHide) gm::OnLButtonUp(layout, point);
    gm::OnRButtonUp(layout, point);
    const gm::SkinRect bar = PickRect(data);
    gm::WindowsSpeedOfClick(bar, point.x);
    gm::FireTimeOfClick(bar, point.x);
    gm::LedSpeedOfClick(bar, point.x);
    gm::LedBrightnessOfClick(bar, point.x);
    gm::DpiSliderPositionAt(point.x, bar.x, bar.width);
    gm::PlaceKeyMenu(bar, point, PickInt(data), PickInt(data));
    gm::PlaceLedModeMenu(bar, point);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  gm::g_skinsFolder = WriteSkin();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static gm::SkinImages images;
  FuzzedDataProvider data(bytes, size);
  gm::ResetSettingsToStartValues();
  gm::ResetUiState();
  gm::g_skinWidth = kSkinWidth;
  gm::g_skinHeight = kSkinHeight;
  gm::SkinLayout layout;
  FillLayout(layout, data);
  PickSettings(data);
  const gm::SkinRect& slider = layout.m_advRects[gm::kAdvDpiSlider];
  gm::g_dpiSliderX = slider.x;
  gm::g_dpiSliderStep = slider.width / gm::kDpiMaxStep;
  gm::g_hoverMain = data.ConsumeIntegralInRange<uint32_t>(0, gm::kNoElement);
  gm::g_hoverAdvanced = data.ConsumeIntegralInRange<uint32_t>(0, gm::kNoElement);
  gm::g_hoverLed = data.ConsumeIntegralInRange<uint32_t>(0, gm::kNoElement);
  gm::g_hoverMacro = data.ConsumeIntegralInRange<uint32_t>(0, gm::kNoElement);
  PaintAndCheck(layout, images);
  Input(layout, data);
  if (gm::g_curPage.load() < kPages) PaintAndCheck(layout, images);
  return 0;
}
