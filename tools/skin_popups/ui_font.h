#pragma once
// The font every pop-up caption is drawn in: 10 points of "微软雅黑", or of WenQuanYi Micro
// Hei where that face is not installed, at the 96 dots per inch the window is laid out for.

#include <QFont>

#include <optional>

namespace gm::popups {

// Nothing when neither face is installed.
std::optional<QFont> LoadUiFont();

}  // namespace gm::popups
