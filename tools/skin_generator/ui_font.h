#pragma once
// The font the program draws every caption in, on the pages and the pop-ups alike: 10 points
// of "微软雅黑", or of WenQuanYi Micro Hei where that face is not installed, at the 96 dots per
// inch the window is laid out for.

#include <QFont>

#include <optional>

namespace gm::skingen {

// Nothing when neither face is installed.
std::optional<QFont> LoadUiFont();

// The same face, bold and of the given pixel size: the digits of the key badges.
QFont BadgeFont(const QFont& uiFont, int pixelSize);

}  // namespace gm::skingen
