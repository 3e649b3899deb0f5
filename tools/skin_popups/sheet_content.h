#pragma once
// What the contact sheet shows: the generated images with their rows or elements outlined,
// and previews of each pop-up with texts.

#include <QFont>

#include <vector>

#include "contact_sheet.h"
#include "popup_images.h"

namespace gm::popups {

std::vector<SheetSection> BuildSheetSections(const PopupImages& images, const QFont& font);

}  // namespace gm::popups
