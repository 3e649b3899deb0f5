// The generated skin data of the pop-up lists and dialogs, checked the way the program uses
// it: the images the lists and dialogs open, the row geometry the program derives from the
// masks, the layout files of both languages, and that every caption fits its place.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../../../tools/data_generator/recoil_weapons.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_line_reader.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kSkins = fs::path(GMOUSE_APP_DIR) / "skins";

// Row geometry the program derives from a list's mask.
constexpr int kMaskRowDivisor = 15;
constexpr int kLedModeRowDivisor = 10;
constexpr int kKeyListRows = 14;
constexpr int kLedModeRows = 3;
constexpr int kLedStepColorRows = 4;
constexpr int kMaxMacroGroups = 12;
constexpr int kMaxGroupMacros = 20;
// Windows the lists are opened in.
constexpr int kWeaponListWidth = 160;
constexpr int kWeaponListHeight = 360;
constexpr int kSecondLevelWidth = 300;
constexpr int kSecondLevelHeight = 400;
// The key-function list is given the key button's width + 1.
constexpr int kKeyButtonExtraWidth = 1;
constexpr int kFirstKeyButton = 20;
// A mask pixel is outside the window when red, green and blue all exceed this.
constexpr int kMaskThreshold = 100;
// The UI font: 10 points at 96 dots per inch.
constexpr int kUiFontPixels = 13;
// Space a centred caption keeps from its element's edges.
constexpr int kCaptionMargin = 2;

enum class Lang { kEnglish, kChinese };
constexpr Lang kLanguages[] = {Lang::kEnglish, Lang::kChinese};

std::string NameOf(Lang lang) { return lang == Lang::kEnglish ? "English" : "Chinese"; }

struct DialogFiles {
  std::string imageStem;
  std::string layoutStem;
  int buttonCount;
  int editCount;
  std::vector<int> clicked;  // elements whose click acts
};

const DialogFiles kKeyCapture{"keyset", "skin_keyset", 4, 0, {1, 2}};
// 0, 1, 3 close, 2 saves, 5 and 6 open the weapon list, 8 and 9 choose the play mode.
const DialogFiles kRecoil{"gun", "skin_gun", 14, 3, {0, 1, 2, 3, 5, 6, 8, 9}};
constexpr int kWeaponPictureElement = 4;
constexpr int kWeaponNameElement = 5;

fs::path LayoutPath(const std::string& stem, Lang lang) {
  return lang == Lang::kEnglish ? kSkins / "INI_EN" / (stem + "_en.ini")
                                : kSkins / "INI_CN" / (stem + ".ini");
}

QImage LoadImage(const fs::path& path) { return QImage(QString::fromStdString(path.string())); }

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

struct Element {
  QRect rect;
  std::u16string caption;
  std::size_t commas = 0;
};

Element ReadElement(const fs::path& file, std::u16string_view section, int key) {
  const std::u16string value = GetPrivateProfileStringW(
      section, DecimalText(key), u"", kSkinValueBufferChars, file);
  const SplitSkinLineResult split = SplitSkinLine(value);
  const SkinRect r = SkinRectOfFields(split.fields);
  return {QRect(r.x, r.y, r.width, r.height), split.fields[kSkinCaptionField],
          static_cast<std::size_t>(std::count(value.begin(), value.end(), u','))};
}

std::vector<Element> ReadSection(const fs::path& file, std::u16string_view section, int count) {
  std::vector<Element> elements;
  for (int key = 0; key < count; ++key) elements.push_back(ReadElement(file, section, key));
  return elements;
}

std::optional<QFont> UiFont() {
  const QStringList installed = QFontDatabase::families();
  for (const char* face : {"微软雅黑", "WenQuanYi Micro Hei"}) {
    const QString family = QString::fromUtf8(face);
    if (!installed.contains(family, Qt::CaseInsensitive)) continue;
    QFont font(family);
    font.setPixelSize(kUiFontPixels);
    return font;
  }
  return std::nullopt;
}

// Fits when the text, centred as the program centres it, keeps clear of the element's edges.
void ExpectFits(const QFontMetrics& fm, std::u16string_view text, QSize room,
                const std::string& where) {
  if (text.empty()) return;
  EXPECT_LE(fm.horizontalAdvance(ToQString(text)), room.width() - 2 * kCaptionMargin)
      << where << ": \"" << ToUtf8(text) << "\" is too wide";
  EXPECT_LE(fm.height(), room.height()) << where << ": \"" << ToUtf8(text) << "\" is too high";
}

bool IsInsideWindow(const QImage& mask, QPoint p) {
  const QRgb pixel = mask.pixel(p);
  return qRed(pixel) <= kMaskThreshold || qGreen(pixel) <= kMaskThreshold ||
         qBlue(pixel) <= kMaskThreshold;
}

class PopupSkinDataTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }

  QImage MustLoad(const std::string& name) {
    const QImage image = LoadImage(kSkins / name);
    EXPECT_FALSE(image.isNull()) << name << " is missing or unreadable";
    return image;
  }

  // The normal, over and down images of a pop-up: readable, of one size, and the hover and
  // held states visibly different from the plain one and from each other.
  void ExpectThreeStates(const std::string& stem, QSize atLeast) {
    SCOPED_TRACE(stem);
    const QImage normal = MustLoad(stem + "_normal.jpg");
    const QImage over = MustLoad(stem + "_over.jpg");
    const QImage down = MustLoad(stem + "_down.jpg");
    if (normal.isNull() || over.isNull() || down.isNull()) return;
    EXPECT_GE(normal.width(), atLeast.width());
    EXPECT_GE(normal.height(), atLeast.height());
    EXPECT_EQ(over.size(), normal.size());
    EXPECT_EQ(down.size(), normal.size());
    EXPECT_NE(over, normal);
    EXPECT_NE(down, normal);
    EXPECT_NE(down, over);
  }
};

// ---- Lists -----------------------------------------------------------------------------------

TEST_F(PopupSkinDataTest, KeyFunctionListShowsFourteenRowsUnderItsKeyButton) {
  const QImage mask = MustLoad("menu1_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  const int rowHeight = mask.height() / kMaskRowDivisor;
  ASSERT_GT(rowHeight, 0);
  ExpectThreeStates("menu1", QSize(mask.width(), kKeyListRows * rowHeight));

  // The list opens with the key button's width + 1: a wider image would be cut off.
  for (const Lang lang : kLanguages) {
    const fs::path main = LayoutPath("skin_main", lang);
    if (!fs::exists(main)) continue;  // the main page's own tests report a missing file
    const Element key = ReadElement(main, u"BUTTONPOS", kFirstKeyButton);
    EXPECT_LE(mask.width(), key.rect.width() + kKeyButtonExtraWidth) << NameOf(lang);
  }
}

TEST_F(PopupSkinDataTest, SmallListsHoldEveryRowTheirWindowsShow) {
  const QImage mask = MustLoad("menu_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  const int rowHeight = mask.height() / kMaskRowDivisor;
  const int ledRowHeight = mask.height() / kLedModeRowDivisor;
  ASSERT_GT(rowHeight, 0);
  const int weapons = static_cast<int>(recoil::kRecoilWeaponCount);

  // The weapon list opens in a 160 x 360 window and must show every recoil macro.
  EXPECT_LE(mask.width(), kWeaponListWidth);
  EXPECT_LE(weapons * rowHeight, kWeaponListHeight);
  // Second-level lists and the macro chooser: rows x row height + 1 in a 300 x 400 window.
  const int longest = std::max({weapons, kMaxMacroGroups, kMaxGroupMacros});
  EXPECT_LE(mask.width(), kSecondLevelWidth);
  EXPECT_LE(longest * rowHeight + 1, kSecondLevelHeight);

  // The images must cover the tallest list drawn from them: the longest second level, the
  // lighting-mode list with its taller rows, the colour list.
  const int tallest = std::max({longest * rowHeight + 1, kLedModeRows * ledRowHeight,
                                kLedStepColorRows * rowHeight});
  ExpectThreeStates("menu", QSize(mask.width(), tallest));
  // The group list has no mask: it takes the plain list's width and row height.
  ExpectThreeStates("Macro_menu", QSize(mask.width(), kMaxMacroGroups * rowHeight + 1));
  EXPECT_EQ(MustLoad("Macro_menu_normal.jpg").width(), mask.width());
}

TEST_F(PopupSkinDataTest, ListTextsFitTheirRowsInBothLanguages) {
  const std::optional<QFont> font = UiFont();
  ASSERT_TRUE(font.has_value()) << "the UI font is not installed";
  const QFontMetrics fm(*font);
  const QImage keyMask = MustLoad("menu1_mask.jpg");
  const QImage mask = MustLoad("menu_mask.jpg");
  ASSERT_FALSE(keyMask.isNull());
  ASSERT_FALSE(mask.isNull());
  const QSize keyRow(keyMask.width(), keyMask.height() / kMaskRowDivisor);
  const QSize row(mask.width(), mask.height() / kMaskRowDivisor);

  for (const std::u16string_view text :
       {u"PUBG", u"绝地求生专用压枪", u"Convert K1 to a macro", u"按键 1 指派为宏", u"按键组"}) {
    ExpectFits(fm, text, keyRow, "key-function list");
  }
  for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
    ExpectFits(fm, weapon.nameEn, row, "weapon list");
    ExpectFits(fm, weapon.nameCn, row, "weapon list");
  }
  // Rows 1..11 of the key-function list and the second-level rows are captions of the main
  // page's layout file.
  constexpr int kKeyListCaptions = 11;
  constexpr int kLastSecondLevelCaption = 40;
  for (const Lang lang : kLanguages) {
    const fs::path main = LayoutPath("skin_main", lang);
    if (!fs::exists(main)) continue;
    for (int k = 1; k <= kLastSecondLevelCaption; ++k) {
      const std::u16string caption = SplitSkinLine(GetPrivateProfileStringW(
          u"FUN_STRING", DecimalText(k), u"", kSkinValueBufferChars, main)).fields[0];
      ExpectFits(fm, caption, k <= kKeyListCaptions ? keyRow : row,
                 NameOf(lang) + " FUN_STRING " + std::to_string(k));
    }
  }
}

// ---- Dialogs -------------------------------------------------------------------------------

void ExpectUsableDialog(const DialogFiles& files, const QImage& mask,
                        const QFontMetrics& fm) {
  const QRect image(QPoint(0, 0), mask.size());
  for (const Lang lang : kLanguages) {
    const fs::path layout = LayoutPath(files.layoutStem, lang);
    SCOPED_TRACE(layout.string());
    ASSERT_TRUE(fs::exists(layout));
    const std::vector<Element> buttons = ReadSection(layout, u"BUTTONPOS", files.buttonCount);
    const std::vector<Element> edits = ReadSection(layout, u"EDIT", files.editCount);

    for (std::size_t i = 0; i < buttons.size(); ++i) {
      SCOPED_TRACE("element " + std::to_string(i));
      const Element& e = buttons[i];
      EXPECT_EQ(e.commas, kSkinLineCommas);
      ASSERT_FALSE(e.rect.isEmpty());
      EXPECT_TRUE(image.contains(e.rect));
      // A button in a corner the window shape cuts away could never be clicked.
      EXPECT_TRUE(IsInsideWindow(mask, e.rect.center()));
      ExpectFits(fm, e.caption, e.rect.size(), NameOf(lang));
    }
    for (std::size_t i = 0; i < edits.size(); ++i) {
      SCOPED_TRACE("edit " + std::to_string(i));
      EXPECT_EQ(edits[i].commas, kSkinLineCommas);
      ASSERT_FALSE(edits[i].rect.isEmpty());
      EXPECT_TRUE(image.contains(edits[i].rect));
    }

    // Clicks go to the first element that holds the point: two acting elements on one spot
    // would hide one of them. An edit box over an element would swallow its clicks.
    for (std::size_t a = 0; a < files.clicked.size(); ++a) {
      for (std::size_t b = a + 1; b < files.clicked.size(); ++b) {
        const int i = files.clicked[a];
        const int j = files.clicked[b];
        EXPECT_FALSE(buttons[static_cast<std::size_t>(i)].rect.intersects(
            buttons[static_cast<std::size_t>(j)].rect))
            << "elements " << i << " and " << j << " overlap";
      }
    }
    for (std::size_t e = 0; e < edits.size(); ++e) {
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_FALSE(edits[e].rect.intersects(buttons[i].rect))
            << "edit " << e << " covers element " << i;
      }
      for (std::size_t f = e + 1; f < edits.size(); ++f) {
        EXPECT_FALSE(edits[e].rect.intersects(edits[f].rect)) << "edits overlap";
      }
    }
  }
}

TEST_F(PopupSkinDataTest, KeyCaptureDialogSkinAndLayoutsAreUsable) {
  const std::optional<QFont> font = UiFont();
  ASSERT_TRUE(font.has_value());
  const QImage mask = MustLoad("keyset_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  ExpectThreeStates("keyset", mask.size());
  EXPECT_EQ(MustLoad("keyset_normal.jpg").size(), mask.size());
  ExpectUsableDialog(kKeyCapture, mask, QFontMetrics(*font));
}

TEST_F(PopupSkinDataTest, RecoilDialogSkinAndLayoutsAreUsable) {
  const std::optional<QFont> font = UiFont();
  ASSERT_TRUE(font.has_value());
  const QFontMetrics fm(*font);
  const QImage mask = MustLoad("gun_mask.jpg");
  ASSERT_FALSE(mask.isNull());
  ExpectThreeStates("gun", mask.size());
  EXPECT_EQ(MustLoad("gun_normal.jpg").size(), mask.size());
  ExpectUsableDialog(kRecoil, mask, fm);

  // The name field shows the chosen weapon's name.
  for (const Lang lang : kLanguages) {
    const Element name = ReadElement(LayoutPath(kRecoil.layoutStem, lang), u"BUTTONPOS",
                                     kWeaponNameElement);
    for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
      ExpectFits(fm, lang == Lang::kEnglish ? weapon.nameEn : weapon.nameCn, name.rect.size(),
                 "weapon name field");
    }
  }
}

// The dialog copies the picture's top-left part of the picture element's size without
// scaling: a smaller picture would leave part of the element unpainted.
TEST_F(PopupSkinDataTest, EveryRecoilMacroHasItsOwnPictureOfThePictureElementsSize) {
  std::vector<QImage> pictures;
  for (const Lang lang : kLanguages) {
    const QRect place = ReadElement(LayoutPath(kRecoil.layoutStem, lang), u"BUTTONPOS",
                                    kWeaponPictureElement)
                            .rect;
    for (std::size_t g = 0; g < recoil::kRecoilWeaponCount; ++g) {
      const std::string name = "Gun/" + std::to_string(g + 1) + ".jpg";
      const QImage picture = MustLoad(name);
      if (picture.isNull()) continue;
      EXPECT_EQ(picture.size(), place.size()) << name << " (" << NameOf(lang) << ")";
      if (lang == Lang::kEnglish) pictures.push_back(picture);
    }
  }
  for (std::size_t a = 0; a < pictures.size(); ++a) {
    for (std::size_t b = a + 1; b < pictures.size(); ++b) {
      EXPECT_NE(pictures[a], pictures[b]) << "pictures " << a + 1 << " and " << b + 1;
    }
  }
}

}  // namespace
}  // namespace gm::test

// Measuring text loads fontconfig's configuration, which fontconfig frees only when the font
// database is torn down; the tests' application object lives to the very end, so the leak
// checker would report fontconfig's own parse buffers. Weak, so that another test file may
// bring the same hook.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
