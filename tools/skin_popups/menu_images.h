#pragma once
// Images of the skinned row lists. The program paints a list from its normal image, copies
// the hovered row's band from the over image (the down image while the button is held) and
// writes the row texts itself; the mask gives only the list's width and row height.

#include <QImage>

#include "popup_geometry.h"

namespace gm::popups {

enum class MenuImage { kNormal, kOver, kDown };

QImage DrawMenuImage(const MenuSkin& menu, MenuImage which);
// All dark (inside): the lists are plain rectangles.
QImage DrawMenuMask(const MenuSkin& menu);

}  // namespace gm::popups
