#pragma once
// Which page elements are controls. The pages are pictures: headings, value texts and
// decorations are elements too, but they do nothing when clicked, so for moving the window and
// for its title area they count as empty space.

#include <cstdint>

#include "ui/pages/hit_test.h"
#include "ui/skin/skin_layout.h"

namespace gm {

// Main-table element `element` is a control on page `page` (header, tabs, configurations and
// settings files on every page; key buttons, key labels and the wheel switch on the keys page,
// as far as the mouse has keys). kNoElement is none.
bool MainElementIsControl(uint8_t page, uint32_t element);

// Element `element` of page `page`'s own table is a control (the keys page's own table is the
// main one). kNoElement is none.
bool OwnElementIsControl(uint8_t page, uint32_t element);

// The window's title area: the strip above the page tabs where no control lies. Nothing when
// the layout has no tabs.
bool InWindowTitleArea(const SkinLayout& layout, uint8_t page, WindowPoint point);

}  // namespace gm
