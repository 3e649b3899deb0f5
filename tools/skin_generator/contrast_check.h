#pragma once
// Checks that every text the program writes in a colour of its own (not white) stands out from
// the drawn skin under it: at least 4.5:1 between the text colour and every pixel of the
// picture the program shows under the text, in each state the text is shown in. The colours
// are the program's; the skin is what adapts.

#include <QFont>
#include <QRgb>

#include <string>
#include <vector>

#include "page_images.h"

namespace gm::skingen {

inline constexpr double kMinTextContrast = 4.5;

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) with L1 the lighter relative
// luminance: 1 for equal colours, 21 for black and white.
double ContrastRatio(QRgb a, QRgb b);

// Each text that falls short, as a readable line; empty when all stand out.
std::vector<std::string> CheckTextContrast(const SkinImages& images, const QFont& font);

}  // namespace gm::skingen
