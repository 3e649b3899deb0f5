#pragma once
// The names of the loaded recoil macros, read under the macro-table lock so that a reload on
// another thread never shows a list half old, half new.

#include <string>
#include <vector>

namespace gm {

// g_gunNames[0 .. n - 1] with n = g_gunMacroCount bounded to 0..20.
std::vector<std::u16string> RecoilMacroNames();

// g_gunMacroCount bounded to 0..20.
int RecoilMacroCount();

}  // namespace gm
