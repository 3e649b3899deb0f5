#include "editor/macro_page_access.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "macros/macro_group_names.h"
#include "macros/macro_groups.h"
#include "macros/macro_tables.h"

namespace gm {

namespace {

bool IsEditorIndex(int macro) { return macro >= 0 && macro <= kMacroTemplateIndex; }

}  // namespace

MacroGroupListing ReadMacroGroupListing() {
  std::lock_guard lock(g_macroTablesMutex);
  MacroGroupListing listing;
  const int groups = g_macroGroupCount < 0 ? 0
                     : g_macroGroupCount > kMaxMacroGroups ? kMaxMacroGroups
                                                           : g_macroGroupCount;
  listing.groups.resize(static_cast<size_t>(groups));
  for (int g = 0; g < groups; ++g) {
    MacroGroupListing::Group& group = listing.groups[static_cast<size_t>(g)];
    group.name = g_macroGroupNames[g];
    const int count = UsableMacroCount(g);
    group.macroNames.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      group.macroNames.push_back(g_macroNames[g * kMacrosPerGroup + i]);
    }
  }
  return listing;
}

MacroRecord ReadEditorMacro(int macro) {
  if (!IsEditorIndex(macro)) return MacroRecord{};
  std::lock_guard lock(g_macroTablesMutex);
  return g_macros[macro];
}

bool SelectEditorGroup(int group, bool load) {
  std::lock_guard lock(g_macroTablesMutex);
  g_curMacroGroup = group;
  if (!load) return true;
  if (group < 0 || group > UINT8_MAX) return false;
  return OpenMacroGroupFile(static_cast<uint8_t>(group), true);
}

bool IsEditorGroupLocked() {
  std::lock_guard lock(g_macroTablesMutex);
  return g_groupEncrypted != 0;
}

bool ChangeEditorLedBlock(int macro, int block,
                          const std::function<void(MacroLedBlock&)>& change) {
  if (!IsEditorIndex(macro) || !IsUsableBlockIndex(block)) return false;
  std::lock_guard lock(g_macroTablesMutex);
  change(g_macros[macro].ledBlocks[block]);
  return true;
}

MacroCommandOutcome StoreRepeatCount(int group, int macro, uint16_t value) {
  MacroCommandOutcome outcome;
  MacroRecord before{};
  {
    std::lock_guard lock(g_macroTablesMutex);
    if (group != g_curMacroGroup || g_groupEncrypted != 0) return outcome;
    if (macro < 0 || macro >= std::clamp<int>(g_macroCount, 0, kMacrosPerGroup)) return outcome;
    before = g_macros[macro];
    g_macros[macro].repeatCount = value;
  }
  SaveOrRestoreMacro(macro, before, outcome);
  return outcome;
}

}  // namespace gm
