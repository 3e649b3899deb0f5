#pragma once
// Row texts the program itself writes into the lists (the layout files hold none of them),
// so the list widths are checked against them.

#include <array>

#include "caption_fit.h"

namespace gm::popups {

// Rows 12..14 of the key-function list; rows 12 and 13 open another list.
inline constexpr std::array<RowText, 3> kKeyMenuFixedRows{{
    {u"PUBG", u"绝地求生专用压枪", true},
    {u"Convert K1 to a macro", u"按键 1 指派为宏", true},
    {u"按键组", u"按键组", false},
}};

// The lighting-mode list and the lighting-step mode list.
inline constexpr std::array<RowText, 6> kLightingRows{{
    {u"Cycle breath", u"循环呼吸", false},
    {u"Button response", u"按键响应", false},
    {u"Mute", u"静音", false},
    {u"Single Breath", u"单色呼吸", false},
    {u"Constantly", u"常亮", false},
    {u"Neon", u"霓虹", false},
}};

}  // namespace gm::popups
