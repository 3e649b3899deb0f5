#pragma once
// The contact sheet: every page as the program shows it (captions drawn in the UI font, a few
// elements in their selected or hovered state) in English and in Chinese, the page with every
// element's rectangle outlined and numbered, and the over, down and extra images.

#include <QFont>
#include <QImage>

#include "page_images.h"

namespace gm::skingen {

// The page as the program composes it, with sample settings, in one language; `extras` gives
// the marks drawn over the page (slider knob, key mark, greyed groups) when not null.
QImage ComposePreview(const PageImageSet& images, Page page, bool english, const QFont& font,
                      const SkinImages* extras);

// The page's normal image with each element's rectangle outlined and numbered.
QImage OutlinePage(const PageImageSet& images, Page page, bool english, const QFont& font);

QImage DrawContactSheet(const SkinImages& images, const QFont& font);

}  // namespace gm::skingen
