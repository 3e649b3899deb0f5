#pragma once
// The small images the pages draw with per-pixel alpha, and the program's icons.

#include <QImage>

#include <string>
#include <vector>

namespace gm::skingen {

// moveRect.png: the DPI slider's knob. The program draws it with its left edge 16 pixels
// before the end of the filled part, so the knob's left 8 columns are the handle (its centre
// is the slider position) and its right 8 columns repaint the empty track over the part of
// the fill that runs past the handle.
QImage DrawSliderKnob();

// zhi_en.png / zhi_cn.png: the mark shown while a key whose macro plays as a left-button
// macro is hovered: a mouse with its left button lit, an arrow and a list of macro steps.
QImage DrawLeftMacroMark();

struct NamedIcon {
  std::string fileName;  // below the skins folder
  QImage image;
};

// The program icon (window and notification area) and the 16 x 16 pictures of the macro
// page's lists: icons/icon_<resource>.png.
std::vector<NamedIcon> DrawIcons();

}  // namespace gm::skingen
