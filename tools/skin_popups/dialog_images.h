#pragma once
// Images of the skinned dialogs (key capture, recoil settings). The program paints the normal
// image, copies the hovered element's rectangle from the over image (the down image while the
// button is held, and for the recoil dialog's selected play mode), then writes the captions.
// The mask cuts the window's rounded shape: dark pixels are inside.

#include <QImage>

#include "popup_geometry.h"

namespace gm::popups {

enum class DialogImage { kNormal, kOver, kDown };

QImage DrawDialogImage(const DialogSkin& dialog, DialogImage which);
QImage DrawDialogMask(const DialogSkin& dialog);

}  // namespace gm::popups
