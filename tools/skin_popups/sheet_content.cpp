#include "sheet_content.h"

#include <QString>

#include "data_generator/recoil_weapons.h"

namespace gm::popups {
namespace {

const QColor kRowOutline(255, 210, 0);
const QColor kButtonOutline(255, 64, 200);
const QColor kEditOutline(255, 140, 0);

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<SheetOutline> RowOutlines(const MenuSkin& menu, int rowHeight, int rows) {
  std::vector<SheetOutline> outlines;
  for (int row = 1; row <= rows; ++row) {
    outlines.push_back({QRect(0, (row - 1) * rowHeight, menu.width, rowHeight),
                        QString::number(row), kRowOutline});
  }
  return outlines;
}

std::vector<SheetOutline> ElementOutlines(const DialogSkin& dialog) {
  std::vector<SheetOutline> outlines;
  for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
    outlines.push_back({dialog.buttons[i].rect, QString::number(i), kButtonOutline});
  }
  for (std::size_t i = 0; i < dialog.edits.size(); ++i) {
    outlines.push_back({dialog.edits[i].rect, "E" + QString::number(i), kEditOutline});
  }
  return outlines;
}

void AddStates(SheetSection& section, std::string_view stem, const DialogImages& images,
               const QImage& mask, const std::vector<SheetOutline>& outlines) {
  const QString base = QString::fromUtf8(stem.data(), static_cast<qsizetype>(stem.size()));
  if (!mask.isNull()) section.items.push_back({base + "_mask", mask, outlines});
  section.items.push_back({base + "_normal", images.normal, outlines});
  section.items.push_back({base + "_over", images.over, outlines});
  section.items.push_back({base + "_down", images.down, outlines});
}

std::vector<QString> GunNames(bool english, int count) {
  std::vector<QString> names;
  for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
    if (static_cast<int>(names.size()) == count) break;
    names.push_back(ToQString(english ? weapon.nameEn : weapon.nameCn));
  }
  return names;
}

SheetSection KeyMenuSection(const MenuImages& m, const QFont& font) {
  const MenuSkin& menu = *m.menu;
  SheetSection section{"Key-function list (menu1_*): rows of mask height / 15, 14 shown", {}};
  AddStates(section, menu.stem, m.images, m.mask,
            RowOutlines(menu, menu.rowHeight, menu.visibleRows));
  const std::vector<QString> en{"Left Button",  "Right Button", "Middle Button",
                                "Forward",      "Backward",     "Double Click",
                                "DPI",          "Multimedia",   "Macro",
                                "Built-in macro", "Profile",    "PUBG",
                                "Convert K1 to a macro", QString::fromUtf8("按键组")};
  const std::vector<QString> cn{
      QString::fromUtf8("左键"),     QString::fromUtf8("右键"),
      QString::fromUtf8("中键"),     QString::fromUtf8("前进"),
      QString::fromUtf8("后退"),     QString::fromUtf8("双击"),
      QString::fromUtf8("DPI"),      QString::fromUtf8("多媒体"),
      QString::fromUtf8("宏"),       QString::fromUtf8("内置宏"),
      QString::fromUtf8("配置切换"), QString::fromUtf8("绝地求生专用压枪"),
      QString::fromUtf8("按键 1 指派为宏"), QString::fromUtf8("按键组")};
  section.items.push_back({"preview EN, row 8 hovered (sample texts)",
                           PreviewMenu(menu, m.images, menu.rowHeight, en, font, 8, false, false),
                           {}});
  section.items.push_back({"preview CN, row 13 held",
                           PreviewMenu(menu, m.images, menu.rowHeight, cn, font, 13, true, false),
                           {}});
  return section;
}

SheetSection PlainMenuSection(const MenuImages& m, const QFont& font) {
  const MenuSkin& menu = *m.menu;
  SheetSection section{"Lists (menu_*): weapon list, lighting lists, second level, macro chooser",
                       {}};
  AddStates(section, menu.stem, m.images, m.mask,
            RowOutlines(menu, menu.rowHeight, menu.visibleRows));
  const int weapons = static_cast<int>(recoil::kRecoilWeaponCount);
  section.items.push_back(
      {"weapon list EN, row 3 hovered",
       PreviewMenu(menu, m.images, menu.rowHeight, GunNames(true, weapons), font, 3, false, false),
       {}});
  section.items.push_back(
      {"weapon list CN, row 15 held",
       PreviewMenu(menu, m.images, menu.rowHeight, GunNames(false, weapons), font, 15, true,
                   false),
       {}});
  const int ledRowHeight = MaskHeight(menu) / kLedModeRowDivisor;
  section.items.push_back(
      {"lighting mode CN (rows of height / 10)",
       PreviewMenu(menu, m.images, ledRowHeight,
                   {QString::fromUtf8("循环呼吸"), QString::fromUtf8("按键响应"),
                    QString::fromUtf8("静音")},
                   font, 2, false, false),
       {}});
  section.items.push_back(
      {"step mode EN, second level",
       PreviewMenu(menu, m.images, menu.rowHeight, {"Single Breath", "Constantly", "Neon"}, font,
                   1, true, true),
       {}});
  return section;
}

SheetSection GroupMenuSection(const MenuImages& m, const QFont& font) {
  const MenuSkin& menu = *m.menu;
  SheetSection section{"Macro-group list (Macro_menu_*): every row opens the macro chooser", {}};
  AddStates(section, menu.stem, m.images, m.mask, RowOutlines(menu, menu.rowHeight, 12));
  section.items.push_back(
      {"groups, row 2 hovered",
       PreviewMenu(menu, m.images, menu.rowHeight,
                   {"Default", "FPS", QString::fromUtf8("我的宏"), "Work"}, font, 2, false, true),
       {}});
  return section;
}

SheetSection DialogSection(const DialogImageSet& d, const QFont& font,
                           const std::vector<NamedImage>& weapons) {
  const DialogSkin& dialog = *d.dialog;
  const QString stem = QString::fromUtf8(dialog.imageStem.data(),
                                         static_cast<qsizetype>(dialog.imageStem.size()));
  SheetSection section{stem + "_*: elements numbered as their BUTTONPOS keys, E = EDIT keys", {}};
  AddStates(section, dialog.imageStem, d.images, d.mask, ElementOutlines(dialog));
  const bool recoil = dialog.imageStem == RecoilDialog().imageStem;
  std::vector<QString> valuesEn(dialog.buttons.size());
  std::vector<QString> valuesCn(dialog.buttons.size());
  std::vector<QImage> picturesEn(dialog.buttons.size());
  std::vector<QImage> picturesCn(dialog.buttons.size());
  if (recoil) {
    valuesEn[kWeaponNameElement] = ToQString(recoil::kRecoilWeapons[0].nameEn);
    valuesCn[kWeaponNameElement] = ToQString(recoil::kRecoilWeapons[14].nameCn);
    picturesEn[kWeaponPictureElement] = weapons[0].image;
    picturesCn[kWeaponPictureElement] = weapons[14].image;
  } else {
    valuesEn[0] = "Right Shift";
    valuesCn[0] = "Print Screen";
  }
  const int hoverEn = recoil ? 6 : 1;
  const int hoverCn = recoil ? 2 : 2;
  section.items.push_back({"preview EN, element " + QString::number(hoverEn) + " hovered",
                           PreviewDialog(dialog, d.images, Language::kEnglish, font, hoverEn,
                                         false, recoil ? 8 : -1, valuesEn, picturesEn),
                           {}});
  section.items.push_back({"preview CN, element " + QString::number(hoverCn) + " held",
                           PreviewDialog(dialog, d.images, Language::kChinese, font, hoverCn,
                                         true, recoil ? 9 : -1, valuesCn, picturesCn),
                           {}});
  return section;
}

SheetSection WeaponSection(const std::vector<NamedImage>& weapons) {
  SheetSection section{"Weapon pictures (Gun/<macro position>.jpg)", {}};
  for (std::size_t i = 0; i < weapons.size(); ++i) {
    const QString title = QString::fromStdString(weapons[i].relativePath) + "  " +
                          ToQString(recoil::kRecoilWeapons[i].nameEn);
    section.items.push_back({title, weapons[i].image, {}});
  }
  return section;
}

}  // namespace

std::vector<SheetSection> BuildSheetSections(const PopupImages& images, const QFont& font) {
  std::vector<SheetSection> sections;
  sections.push_back(KeyMenuSection(images.menus[0], font));
  sections.push_back(PlainMenuSection(images.menus[1], font));
  sections.push_back(GroupMenuSection(images.menus[2], font));
  for (const DialogImageSet& d : images.dialogs) {
    sections.push_back(DialogSection(d, font, images.weapons));
  }
  sections.push_back(WeaponSection(images.weapons));
  return sections;
}

}  // namespace gm::popups
