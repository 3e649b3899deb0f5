#pragma once
// The weapon pictures of the recoil dialog: one per recoil macro, named after the macro's
// position counted from 1 (Gun/1.jpg is the first macro). The dialog copies the picture's
// top-left part, of the size of its picture element, without scaling, so every picture has
// exactly that size.

#include <QImage>
#include <QSize>

#include "data_generator/recoil_weapons.h"

namespace gm::popups {

QImage DrawWeaponPicture(const recoil::RecoilWeapon& weapon, QSize size);

}  // namespace gm::popups
