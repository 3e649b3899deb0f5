// The generated skin data of the main window's four pages, checked the way the program uses
// it: the layout files read with the program's own loaders in both languages, the images the
// painter opens, where the elements with a meaning lie, that clicks cannot hit two elements,
// that the window mask keeps every control inside the window, and that every caption fits
// its element in the UI font.

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/private_profile.h"
#include "platform/text.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "ui/pages/led_modes.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/dpi_slider_element.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/skin_line_reader.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kAppDir = fs::path(GMOUSE_APP_DIR);
const fs::path kSkins = kAppDir / "skins";

// Hit-test counts of the tables (the main table counts 45 only on the keys page).
constexpr int kMainHitOnKeysPage = 45;
constexpr int kMainHitElsewhere = 20;
constexpr int kLedHitCount = 70;
// The DPI slider: 17 positions, the knob drawn 16 pixels before the filled end, 12 down.
constexpr int kSliderPositions = 17;
constexpr int kKnobBack = 16;
constexpr int kKnobDown = 12;
constexpr int kMinimumSliderStep = 8;
// The key mark of the keys page.
constexpr int kKeyMarkX = 378;
constexpr int kKeyMarkY = 535;
// A mask pixel is outside the window when red, green and blue all exceed this.
constexpr int kMaskThreshold = 100;
// UI font: 10 points at 96 dots per inch.
constexpr int kUiFontPixels = 13;
constexpr int kCaptionMargin = 2;
// Key buttons: the function name is centred and moved 13 pixels right.
constexpr int kKeyTextShift = 13;
constexpr int kFirstKeyButton = 20;
constexpr int kKeyCount = 9;
constexpr int kWholeCaptionLength = 11;
// Average difference per colour channel that makes a hover or press visible.
constexpr double kVisibleDifference = 12.0;

enum class PageId { kKeys, kAdvanced, kMacro, kLighting };
constexpr PageId kPages[] = {PageId::kKeys, PageId::kAdvanced, PageId::kMacro, PageId::kLighting};

std::string PageName(PageId page) {
  switch (page) {
    case PageId::kKeys: return "main";
    case PageId::kAdvanced: return "advanced";
    case PageId::kMacro: return "mac";
    case PageId::kLighting: return "led";
  }
  return "";
}

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Elements the program acts on when clicked, per table.
const std::vector<int> kMainClicked =
    Join({Range(0, 16), {19}, Range(20, 28), {31, 32}, Range(35, 43)});
const std::vector<int> kAdvancedClicked =
    Join({{1, 18, 31}, Range(34, 40), Range(47, 52), Range(60, 65), {66}});
const std::vector<int> kLedClicked =
    Join({Range(7, 13), {14, 35, 40, 41, 45}, Range(47, 50), Range(51, 59)});
const std::vector<int> kMacroClicked = {4, 5, 6, 7, 8, 13};
// Elements that are only drawn: texts the program writes, marks, greyed groups.
const std::vector<int> kAdvancedShown = Join({{2, 19, 32, 41}, Range(70, 75)});
const std::vector<int> kLedShown = Join({Range(0, 6), Range(61, 69), Range(71, 79)});
const std::vector<int> kMacroShown = {14, 15, 16};

QRect ToQRect(const SkinRect& r) { return QRect(r.x, r.y, r.width, r.height); }
QRect ToQRect(const ControlRect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Overlap as the hit test sees it: left and top edges inside, right and bottom outside.
bool Overlap(const QRect& a, const QRect& b) {
  return a.width() > 0 && a.height() > 0 && b.width() > 0 && b.height() > 0 &&
         a.x() < b.x() + b.width() && b.x() < a.x() + a.width() && a.y() < b.y() + b.height() &&
         b.y() < a.y() + a.height();
}

struct LoadedLanguage {
  SkinLayout layout;
  std::array<std::u16string, kFunStringCount> funStrings;
  std::array<ControlRect, kControlRectCount> controlRects{};
  int32_t sliderX = 0;
  int32_t sliderWidth = 0;
  int32_t sliderStep = 0;
  std::vector<UserMessage> messages;
  std::optional<fs::path> missing;
};

LoadedLanguage Load(bool english) {
  MessageRecorder recorder;
  g_isEnglish = english ? 1 : 0;
  SetDataPaths(kAppDir, english);
  ResetSkinLayoutGlobals();
  LoadedLanguage loaded;
  loaded.missing = LoadAllSkinLayouts(loaded.layout);
  loaded.funStrings = g_funStrings;
  loaded.controlRects = g_controlRects;
  loaded.sliderX = g_dpiSliderX;
  loaded.sliderWidth = g_dpiSliderWidth;
  loaded.sliderStep = g_dpiSliderStep;
  loaded.messages = recorder.messages();
  return loaded;
}

const LoadedLanguage& English() {
  static const LoadedLanguage loaded = Load(true);
  return loaded;
}
const LoadedLanguage& Chinese() {
  static const LoadedLanguage loaded = Load(false);
  return loaded;
}

struct TableView {
  std::span<const SkinRect> rects;
  std::span<const std::u16string> captions;
};

TableView PageTable(const LoadedLanguage& l, PageId page) {
  switch (page) {
    case PageId::kKeys: return {l.layout.m_mainRects, l.layout.m_mainCaptions};
    case PageId::kAdvanced: return {l.layout.m_advRects, l.layout.m_advCaptions};
    case PageId::kMacro: return {l.layout.m_macRects, l.layout.m_macCaptions};
    case PageId::kLighting: return {l.layout.m_ledRects, l.layout.m_ledCaptions};
  }
  return {};
}

const std::vector<int>& Clicked(PageId page) {
  switch (page) {
    case PageId::kKeys: return kMainClicked;
    case PageId::kAdvanced: return kAdvancedClicked;
    case PageId::kMacro: return kMacroClicked;
    case PageId::kLighting: return kLedClicked;
  }
  return kMainClicked;
}

int HitCount(PageId page) {
  switch (page) {
    case PageId::kKeys: return kMainHitOnKeysPage;
    case PageId::kAdvanced: return static_cast<int>(kAdvElementCount);
    case PageId::kMacro: return static_cast<int>(kMacElementCount);
    case PageId::kLighting: return kLedHitCount;
  }
  return 0;
}

QImage LoadImage(const std::string& name) {
  return QImage(QString::fromStdString((kSkins / name).string()));
}

std::optional<QFont> UiFont() {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : {QString::fromUtf8("微软雅黑"), QString("WenQuanYi Micro Hei")}) {
    if (!installed.contains(family, Qt::CaseInsensitive)) continue;
    QFont font(family);
    font.setPixelSize(kUiFontPixels);
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0) return font;
  }
  return std::nullopt;
}

bool InsideWindow(const QImage& mask, int x, int y) {
  if (!mask.rect().contains(x, y)) return false;
  const QColor c = mask.pixelColor(x, y);
  return !(c.red() > kMaskThreshold && c.green() > kMaskThreshold && c.blue() > kMaskThreshold);
}

double MeanDifference(const QImage& a, const QImage& b, const QRect& rect) {
  const QRect r = rect.intersected(a.rect());
  if (r.isEmpty()) return 0.0;
  double sum = 0.0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
             std::abs(p.blue() - q.blue());
    }
  }
  return sum / (3.0 * r.width() * r.height());
}

double MeanLightness(const QImage& image, const QRect& rect) {
  const QRect r = rect.intersected(image.rect());
  double sum = 0.0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) sum += image.pixelColor(x, y).lightness();
  }
  return r.isEmpty() ? 0.0 : sum / (r.width() * r.height());
}

class SkinDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureQtApplication(); }
};

// ---- Files ---------------------------------------------------------------------------------

TEST_F(SkinDataTest, BothLanguagesLoadEveryLayoutFileWithoutAMessage) {
  for (const LoadedLanguage* l : {&English(), &Chinese()}) {
    EXPECT_FALSE(l->missing.has_value()) << l->missing.value_or("").string();
    EXPECT_TRUE(l->messages.empty());
  }
}

TEST_F(SkinDataTest, EveryImageThePagesOpenExistsAndHasThePageSize) {
  const QImage mask = LoadImage("main_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  for (const PageId page : kPages) {
    for (const char* state : {"_normal.jpg", "_over.jpg", "_down.jpg"}) {
      const QImage image = LoadImage(PageName(page) + state);
      ASSERT_FALSE(image.isNull()) << PageName(page) << state;
      EXPECT_EQ(image.size(), mask.size()) << PageName(page) << state;
    }
  }
  EXPECT_EQ(LoadImage("led_null.jpg").size(), mask.size());
  for (const char* mark : {"moveRect.png", "zhi_en.png", "zhi_cn.png"}) {
    const QImage image = LoadImage(mark);
    ASSERT_FALSE(image.isNull()) << mark;
    EXPECT_TRUE(image.hasAlphaChannel()) << mark;
  }
  for (const int icon : {159, 169, 170, 171, 172, 173, 174, 175, 178, 182}) {
    EXPECT_FALSE(LoadImage("icons/icon_" + std::to_string(icon) + ".png").isNull()) << icon;
  }
}

// Fewer than six commas would silently lose the caption; more would show an error.
TEST_F(SkinDataTest, EveryElementLineHasExactlySixCommas) {
  const std::vector<std::pair<std::string, int>> files = {
      {"skin_main", 45}, {"skin_color", 103}, {"skin_advance", 138}, {"skin_mac", 20},
      {"LBWarning", 3}};
  for (const bool english : {true, false}) {
    for (const auto& [stem, count] : files) {
      const fs::path file = english ? kSkins / "INI_EN" / (stem + "_en.ini")
                                    : kSkins / "INI_CN" / (stem + ".ini");
      for (int key = 0; key < count; ++key) {
        const std::u16string value = GetPrivateProfileStringW(
            kButtonPosSection, DecimalText(key), u"", kSkinValueBufferChars, file);
        EXPECT_EQ(std::count(value.begin(), value.end(), u','), 6) << file << " key " << key;
      }
    }
  }
}

// The images serve both languages, so both layouts must place every element alike.
TEST_F(SkinDataTest, BothLanguagesPlaceEveryElementAlike) {
  const LoadedLanguage& en = English();
  const LoadedLanguage& cn = Chinese();
  EXPECT_EQ(en.layout.m_mainRects, cn.layout.m_mainRects);
  EXPECT_EQ(en.layout.m_advRects, cn.layout.m_advRects);
  EXPECT_EQ(en.layout.m_macRects, cn.layout.m_macRects);
  EXPECT_EQ(en.layout.m_ledRects, cn.layout.m_ledRects);
  EXPECT_EQ(en.controlRects, cn.controlRects);
}

// ---- Geometry ------------------------------------------------------------------------------

TEST_F(SkinDataTest, EveryElementWithARoleLiesInsideTheWindowWithASize) {
  const QImage mask = LoadImage("main_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  const LoadedLanguage& l = English();
  const auto check = [&](PageId page, const std::vector<int>& numbers) {
    const TableView table = PageTable(l, page);
    for (const int n : numbers) {
      const QRect r = ToQRect(table.rects[static_cast<std::size_t>(n)]);
      EXPECT_GT(r.width(), 0) << PageName(page) << " element " << n;
      EXPECT_GT(r.height(), 0) << PageName(page) << " element " << n;
      for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
        EXPECT_TRUE(InsideWindow(mask, corner.x(), corner.y()))
            << PageName(page) << " element " << n << " corner " << corner.x() << "," << corner.y();
      }
    }
  };
  for (const PageId page : kPages) check(page, Clicked(page));
  check(PageId::kAdvanced, kAdvancedShown);
  check(PageId::kLighting, kLedShown);
  check(PageId::kMacro, kMacroShown);
  // The key mark.
  const QImage mark = LoadImage("zhi_en.png");
  EXPECT_TRUE(
      QRect(QPoint(0, 0), mask.size()).contains(QRect(QPoint(kKeyMarkX, kKeyMarkY), mark.size())));
}

TEST_F(SkinDataTest, TheWindowMaskCutsTheCornersAndKeepsTheControlsInside) {
  const QImage mask = LoadImage("main_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  EXPECT_TRUE(InsideWindow(mask, mask.width() / 2, mask.height() / 2));
  EXPECT_FALSE(InsideWindow(mask, 0, 0));
  EXPECT_FALSE(InsideWindow(mask, mask.width() - 1, mask.height() - 1));
  // A control place over light mask pixels would add them back to the repaint regions.
  for (const ControlRect& place : English().controlRects) {
    const QRect r = ToQRect(place);
    ASSERT_GT(r.width(), 0);
    ASSERT_GT(r.height(), 0);
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        ASSERT_TRUE(InsideWindow(mask, x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(SkinDataTest, ClickedElementsDoNotOverlapAnyElementTheHitTestSees) {
  const LoadedLanguage& l = English();
  for (const PageId page : kPages) {
    struct Hit { std::string table; int number; QRect rect; };
    std::vector<Hit> hits;
    const TableView own = PageTable(l, page);
    for (int n = 0; n < HitCount(page); ++n) {
      hits.push_back({PageName(page), n, ToQRect(own.rects[static_cast<std::size_t>(n)])});
    }
    if (page != PageId::kKeys) {
      for (int n = 0; n < kMainHitElsewhere; ++n) {
        hits.push_back({"main", n, ToQRect(l.layout.m_mainRects[static_cast<std::size_t>(n)])});
      }
    }
    std::set<std::pair<std::string, int>> clicked;
    for (const int n : Clicked(page)) clicked.insert({PageName(page), n});
    for (const int n : kMainClicked) {
      if (n < kMainHitElsewhere) clicked.insert({"main", n});
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
      if (!clicked.count({hits[i].table, hits[i].number})) continue;
      for (std::size_t j = 0; j < hits.size(); ++j) {
        if (i == j) continue;
        // A text written onto its own control (a DPI value on its level's chip) lies inside
        // the control and comes later in its table: the hit test, which takes the first
        // element, finds the control.
        const bool labelOnControl = hits[j].table == hits[i].table &&
                                    hits[j].number > hits[i].number &&
                                    !clicked.count({hits[j].table, hits[j].number}) &&
                                    hits[i].rect.contains(hits[j].rect);
        if (labelOnControl) continue;
        EXPECT_FALSE(Overlap(hits[i].rect, hits[j].rect))
            << PageName(page) << ": " << hits[i].table << " " << hits[i].number << " and "
            << hits[j].table << " " << hits[j].number;
      }
    }
  }
}

// The repaint regions are cut with XOR: a control place that overlaps another place or an
// element would put that area back, and hovering would repaint over the control.
TEST_F(SkinDataTest, ControlPlacesOverlapNeitherEachOtherNorElements) {
  const LoadedLanguage& l = English();
  const auto& places = l.controlRects;
  for (std::size_t i = 0; i < places.size(); ++i) {
    for (std::size_t j = i + 1; j < places.size(); ++j) {
      EXPECT_FALSE(Overlap(ToQRect(places[i]), ToQRect(places[j]))) << i << " and " << j;
    }
  }
  for (std::size_t i = 0; i < places.size(); ++i) {
    const QRect place = ToQRect(places[i]);
    // The macro page shows only the main table's shared part, the other pages all of it.
    const bool macroPlace = i >= kConfigNameEditCount;
    const std::size_t mainCount = macroPlace ? kMainHitElsewhere : kMainElementCount;
    for (std::size_t n = 0; n < mainCount; ++n) {
      EXPECT_FALSE(Overlap(place, ToQRect(l.layout.m_mainRects[n]))) << i << " main " << n;
    }
    if (macroPlace) {
      for (std::size_t n = 0; n < kMacElementCount; ++n) {
        EXPECT_FALSE(Overlap(place, ToQRect(l.layout.m_macRects[n]))) << i << " macro " << n;
      }
    } else {  // main places stay out of the pages that use the main repaint region
      for (std::size_t n = 0; n < kAdvElementCount; ++n) {
        EXPECT_FALSE(Overlap(place, ToQRect(l.layout.m_advRects[n]))) << i << " advanced " << n;
      }
      for (std::size_t n = 0; n < kLedElementCount; ++n) {
        EXPECT_FALSE(Overlap(place, ToQRect(l.layout.m_ledRects[n]))) << i << " led " << n;
      }
    }
  }
}

TEST_F(SkinDataTest, TheDpiSliderHasSeventeenReadablePositionsAndItsKnobStaysInTheWindow) {
  const LoadedLanguage& l = English();
  const QImage mask = LoadImage("main_mask.jpg");
  const QImage knob = LoadImage("moveRect.png");
  ASSERT_FALSE(knob.isNull());
  const SkinRect slider = l.layout.m_advRects[kAdvDpiSlider];
  EXPECT_EQ(l.sliderX, slider.x);
  EXPECT_GE(l.sliderStep, kMinimumSliderStep);
  // Value 16 fills 17 steps; the knob then ends at the filled end's knob position.
  const int filled = kSliderPositions * l.sliderStep;
  const QRect knobAtEnd(slider.x + filled - kKnobBack, slider.y + kKnobDown, knob.width(),
                        knob.height());
  const QRect knobAtStart(slider.x + l.sliderStep - kKnobBack, slider.y + kKnobDown,
                          knob.width(), knob.height());
  for (const QRect& r : {knobAtStart, knobAtEnd}) {
    EXPECT_TRUE(InsideWindow(mask, r.left(), r.top()));
    EXPECT_TRUE(InsideWindow(mask, r.right(), r.bottom()));
  }
}

// The painter copies the filled slider from the down image up to (value + 1) steps, one step
// past the value's position, and draws the knob 16 pixels before that end: the knob's right
// half has to hide the fill that runs past the handle, so the track there looks empty.
TEST_F(SkinDataTest, TheSliderKnobHidesTheFillBeyondItsHandle) {
  const LoadedLanguage& l = English();
  const QImage normal = LoadImage("advanced_normal.jpg").convertToFormat(QImage::Format_ARGB32);
  const QImage down = LoadImage("advanced_down.jpg");
  const QImage knob = LoadImage("moveRect.png");
  ASSERT_FALSE(normal.isNull() || down.isNull() || knob.isNull());
  const QRect slider = ToQRect(l.layout.m_advRects[kAdvDpiSlider]);
  for (const int value : {0, 7, 16}) {
    QImage composed = normal;
    const int filled = (value + 1) * l.sliderStep;
    {
      QPainter painter(&composed);
      painter.drawImage(slider.topLeft(), down,
                        QRect(slider.left(), slider.top(), filled, slider.height()));
      painter.drawImage(QPoint(slider.left() + filled - kKnobBack, slider.top() + kKnobDown), knob);
    }
    const QRect hidden(slider.left() + filled - kKnobBack + knob.width() / 2, slider.top(),
                       kKnobBack - knob.width() / 2, slider.height());
    EXPECT_LT(MeanDifference(composed, normal, hidden), kVisibleDifference / 2) << value;
    // And the fill itself is visible before the handle.
    const QRect shown(slider.left(), slider.top(), std::max(filled - kKnobBack, 1),
                      slider.height());
    if (value > 0) {
      EXPECT_GT(MeanDifference(composed, normal, shown), kVisibleDifference / 2) << value;
    }
  }
}

TEST_F(SkinDataTest, TheGreyedLightingImageGreysEveryCoveredGroup) {
  const LoadedLanguage& l = English();
  const QImage normal = LoadImage("led_normal.jpg");
  const QImage greyed = LoadImage("led_null.jpg");
  ASSERT_FALSE(normal.isNull() || greyed.isNull());
  for (const int cover : {50, 71, 72, 73, 74, 75}) {
    const QRect r = ToQRect(l.layout.m_ledRects[static_cast<std::size_t>(cover)]);
    // Mostly dark panels: the veil changes them less than a hover, but always darkens them.
    EXPECT_GT(MeanDifference(normal, greyed, r), kVisibleDifference / 3) << cover;
    EXPECT_LT(MeanLightness(greyed, r), MeanLightness(normal, r)) << cover;
  }
}

// What a lighting mode draws greyed lies over nothing that works or reads in that mode: no
// control that takes a click in it, no text it shows and no header button. Only a control the
// mode has no use for (the inward direction) may lie under a greyed element.
TEST_F(SkinDataTest, NothingGreyedInALightingModeMeetsAControlOrTextOfThatMode) {
  const auto isClicked = [](std::size_t n) {
    return std::ranges::find(kLedClicked, static_cast<int>(n)) != kLedClicked.end();
  };
  for (const LoadedLanguage* l : {&English(), &Chinese()}) {
    for (int value = 0; value <= UINT8_MAX; ++value) {
      const auto mode = static_cast<uint8_t>(value);
      for (const uint32_t greyed : LedModeRulesOf(mode).greyed) {
        const QRect veil = ToQRect(l->layout.m_ledRects[greyed]);
        ASSERT_FALSE(veil.isEmpty()) << greyed;
        for (std::size_t n = 0; n < kLedElementCount; ++n) {
          if (n == greyed) continue;
          const auto element = static_cast<uint32_t>(n);
          const bool works = isClicked(n) && LedControlActs(mode, element);
          const bool reads = !isClicked(n) && !l->layout.m_ledCaptions[n].empty() &&
                             !LedTextEmptied(mode, element);
          if (!works && !reads) continue;
          EXPECT_FALSE(Overlap(veil, ToQRect(l->layout.m_ledRects[n])))
              << "mode " << value << ": " << greyed << " over " << n;
        }
        for (std::size_t n = 0; n < static_cast<std::size_t>(kMainHitElsewhere); ++n) {
          EXPECT_FALSE(Overlap(veil, ToQRect(l->layout.m_mainRects[n])))
              << "mode " << value << ": " << greyed << " over main " << n;
        }
      }
    }
  }
}

// led_null.jpg is the normal picture but where an element is greyed: every control and text
// that no mode greys looks the same in both.
TEST_F(SkinDataTest, TheGreyedLightingImageChangesOnlyTheGreyedElements) {
  std::set<uint32_t> greyedSomewhere;
  for (int value = 0; value <= UINT8_MAX; ++value) {
    for (const uint32_t e : LedModeRulesOf(static_cast<uint8_t>(value)).greyed) {
      greyedSomewhere.insert(e);
    }
  }
  const QImage normal = LoadImage("led_normal.jpg");
  const QImage greyed = LoadImage("led_null.jpg");
  ASSERT_FALSE(normal.isNull() || greyed.isNull());
  const LoadedLanguage& l = English();
  for (std::size_t n = 0; n < kLedElementCount; ++n) {
    const bool clicked = std::ranges::find(kLedClicked, static_cast<int>(n)) != kLedClicked.end();
    if (greyedSomewhere.count(static_cast<uint32_t>(n)) != 0) continue;
    if (!clicked && l.layout.m_ledCaptions[n].empty()) continue;
    EXPECT_LT(MeanDifference(normal, greyed, ToQRect(l.layout.m_ledRects[n])), 1.0) << n;
  }
}

// Hovering copies an element from the over image, pressing or selecting from the down
// image: both must look different from the normal image inside every clicked element.
TEST_F(SkinDataTest, HoverAndPressAreVisibleInsideEveryClickedElement) {
  const LoadedLanguage& l = English();
  for (const PageId page : kPages) {
    const QImage normal = LoadImage(PageName(page) + "_normal.jpg");
    const QImage over = LoadImage(PageName(page) + "_over.jpg");
    const QImage down = LoadImage(PageName(page) + "_down.jpg");
    ASSERT_FALSE(normal.isNull() || over.isNull() || down.isNull());
    std::vector<std::pair<std::string, QRect>> elements;
    for (const int n : Clicked(page)) {
      elements.push_back({PageName(page) + " " + std::to_string(n),
                          ToQRect(PageTable(l, page).rects[static_cast<std::size_t>(n)])});
    }
    for (const int n : kMainClicked) {
      if (n < kMainHitElsewhere) {
        elements.push_back({"main " + std::to_string(n),
                            ToQRect(l.layout.m_mainRects[static_cast<std::size_t>(n)])});
      }
    }
    for (const auto& [name, rect] : elements) {
      EXPECT_GT(MeanDifference(normal, over, rect), kVisibleDifference) << "over " << name;
      EXPECT_GT(MeanDifference(normal, down, rect), kVisibleDifference) << "down " << name;
    }
  }
}

// ---- Captions ------------------------------------------------------------------------------

TEST_F(SkinDataTest, EveryCaptionFitsItsElementInTheUiFontInBothLanguages) {
  const std::optional<QFont> font = UiFont();
  ASSERT_TRUE(font.has_value()) << "no UI font installed";
  const QFontMetrics metrics(*font);
  for (const LoadedLanguage* l : {&English(), &Chinese()}) {
    for (const PageId page : kPages) {
      const TableView table = PageTable(*l, page);
      for (std::size_t n = 0; n < table.rects.size(); ++n) {
        if (table.captions[n].empty()) continue;
        const QRect r = ToQRect(table.rects[n]);
        const QString caption = QString::fromStdU16String(table.captions[n]);
        EXPECT_LE(metrics.horizontalAdvance(caption), r.width() - 2 * kCaptionMargin)
            << PageName(page) << " " << n << " " << caption.toStdString();
        EXPECT_LE(metrics.height(), r.height()) << PageName(page) << " " << n;
      }
    }
  }
}

TEST_F(SkinDataTest, EveryKeyFunctionNameShowsWholeOnEveryKeyButton) {
  const std::optional<QFont> font = UiFont();
  ASSERT_TRUE(font.has_value());
  const QFontMetrics metrics(*font);
  for (const LoadedLanguage* l : {&English(), &Chinese()}) {
    for (int code = 1; code < static_cast<int>(kFunStringCount); ++code) {
      const std::u16string& name = l->funStrings[static_cast<std::size_t>(code)];
      ASSERT_FALSE(name.empty()) << code;
      EXPECT_LE(static_cast<int>(name.size()), kWholeCaptionLength) << code;
      const int width = metrics.horizontalAdvance(QString::fromStdU16String(name));
      for (int key = 0; key < kKeyCount; ++key) {
        const QRect r =
            ToQRect(l->layout.m_mainRects[static_cast<std::size_t>(kFirstKeyButton + key)]);
        // Centred, then moved right: the name must still end inside the button.
        EXPECT_LE((r.width() - width) / 2 + kKeyTextShift + width, r.width()) << code;
      }
    }
  }
}

}  // namespace
}  // namespace gm::test
