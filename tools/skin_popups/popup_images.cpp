#include "popup_images.h"

#include "data_generator/recoil_weapons.h"
#include "dialog_images.h"
#include "menu_images.h"
#include "weapon_pictures.h"

namespace gm::popups {
namespace {

MenuImages DrawMenu(const MenuSkin& menu) {
  return {&menu,
          {DrawMenuImage(menu, MenuImage::kNormal), DrawMenuImage(menu, MenuImage::kOver),
           DrawMenuImage(menu, MenuImage::kDown)},
          menu.hasMask ? DrawMenuMask(menu) : QImage()};
}

DialogImageSet DrawDialog(const DialogSkin& dialog) {
  return {&dialog,
          {DrawDialogImage(dialog, DialogImage::kNormal),
           DrawDialogImage(dialog, DialogImage::kOver),
           DrawDialogImage(dialog, DialogImage::kDown)},
          DrawDialogMask(dialog)};
}

void AddStates(std::vector<NamedImage>& files, std::string_view stem, const DialogImages& images,
               const QImage& mask) {
  const std::string base(stem);
  if (!mask.isNull()) files.push_back({base + "_mask.jpg", mask});
  files.push_back({base + "_normal.jpg", images.normal});
  files.push_back({base + "_over.jpg", images.over});
  files.push_back({base + "_down.jpg", images.down});
}

}  // namespace

PopupImages DrawPopupImages() {
  PopupImages out;
  for (const MenuSkin* menu : {&KeyFunctionMenu(), &PlainMenu(), &GroupMenu()}) {
    out.menus.push_back(DrawMenu(*menu));
  }
  for (const DialogSkin* dialog : {&KeyCaptureDialog(), &RecoilDialog()}) {
    out.dialogs.push_back(DrawDialog(*dialog));
  }
  const QSize pictureSize =
      RecoilDialog().buttons[static_cast<std::size_t>(kWeaponPictureElement)].rect.size();
  for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
    out.weapons.push_back(
        {"Gun/" + std::string(weapon.stem) + ".jpg", DrawWeaponPicture(weapon, pictureSize)});
  }
  return out;
}

std::vector<NamedImage> FilesOf(const PopupImages& images) {
  std::vector<NamedImage> files;
  for (const MenuImages& m : images.menus) AddStates(files, m.menu->stem, m.images, m.mask);
  for (const DialogImageSet& d : images.dialogs) {
    AddStates(files, d.dialog->imageStem, d.images, d.mask);
  }
  files.insert(files.end(), images.weapons.begin(), images.weapons.end());
  return files;
}

}  // namespace gm::popups
