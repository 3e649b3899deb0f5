#include "macros/recoil_macro_names.h"

#include <algorithm>
#include <mutex>

#include "macros/macro_record.h"

namespace gm {

std::vector<std::u16string> RecoilMacroNames() {
  std::lock_guard lock(g_macroTablesMutex);
  const int count = std::clamp<int>(g_gunMacroCount, 0, kMacrosPerGroup);
  return std::vector<std::u16string>(g_gunNames, g_gunNames + count);
}

int RecoilMacroCount() {
  std::lock_guard lock(g_macroTablesMutex);
  return std::clamp<int>(g_gunMacroCount, 0, kMacrosPerGroup);
}

}  // namespace gm
