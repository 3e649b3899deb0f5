#pragma once
// Previews for the contact sheet: a pop-up composed the way the program composes it (normal
// image, the hovered part copied from the over or down image, captions centred on top), so
// the images can be judged together with their texts.

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

#include "layout_files.h"
#include "popup_geometry.h"

namespace gm::popups {

struct DialogImages {
  QImage normal;
  QImage over;
  QImage down;
};

// `hovered` is a button index or -1; `selected` (or -1) is copied from the down image as a
// selected play mode is; `values` are the texts of value fields (by button index, empty for
// none) drawn in the highlight colour instead of their captions.
QImage PreviewDialog(const DialogSkin& dialog, const DialogImages& images, Language language,
                     const QFont& font, int hovered, bool held, int selected,
                     const std::vector<QString>& values, const std::vector<QImage>& pictures);

// A list window: `rows` texts, row height and visible rows as the program computes them.
QImage PreviewMenu(const MenuSkin& menu, const DialogImages& images, int rowHeight,
                   const std::vector<QString>& rows, const QFont& font, int hoveredRow,
                   bool held, bool withBottomLine);

}  // namespace gm::popups
