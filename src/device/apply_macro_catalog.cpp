#include "device/apply_macro_catalog.h"

#include <mutex>
#include <set>

#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"
#include "settings/key_function.h"

namespace gm {

MacroRecord ProgramMacroSource::BuiltIn(int index) {
  if (index < 0 || index >= kMacrosPerGroup) return MacroRecord{};
  std::lock_guard lock(g_macroTablesMutex);
  return g_constMacros[index];
}

std::optional<MacroRecord> ProgramMacroSource::Recoil(int index) {
  std::lock_guard lock(g_macroTablesMutex);
  if (index < 0 || index >= g_gunMacroCount || index >= kMacrosPerGroup) return std::nullopt;
  return g_gunMacros[index];
}

std::optional<MacroRecord> ProgramMacroSource::User(int group, int index) {
  {
    // The window reloads the group list and the macro counts under this lock.
    std::lock_guard lock(g_macroTablesMutex);
    if (group < 0 || group >= g_macroGroupCount || group >= kMaxMacroGroups) return std::nullopt;
    if (index < 0 || index >= UsableMacroCount(group)) return std::nullopt;
  }
  return LoadGroupMacro(static_cast<uint32_t>(group), static_cast<uint32_t>(index));
}

namespace {

// The record of a macro function, or nothing for a dangling reference.
std::optional<KeyMacro> LookUp(int32_t function, MacroSource& source) {
  if (IsUserMacroCode(function)) {
    auto record = source.User(UserMacroGroup(function), UserMacroIndex(function));
    if (!record) return std::nullopt;
    return KeyMacro{MacroKind::kUser, *record};
  }
  if (IsRecoilCode(function)) {
    auto record = source.Recoil(RecoilMacroIndex(function));
    if (!record) return std::nullopt;
    return KeyMacro{MacroKind::kRecoil, *record};
  }
  return KeyMacro{MacroKind::kBuiltIn, source.BuiltIn(BuiltInMacroIndex(function))};
}

}  // namespace

ResolvedMacros ResolveKeyMacros(ApplySettingsSnapshot& snapshot, MacroSource& source) {
  ResolvedMacros resolved;
  std::set<int32_t> danglingFunctions;
  for (int c = 0; c < kConfigCount; ++c) {
    for (int k = 0; k < snapshot.keyCount && k < kMaxKeys; ++k) {
      int32_t& function = snapshot.keys[c][k].function;
      if (!IsMacroFunction(function)) continue;
      if (resolved.catalog.contains(function)) continue;
      if (!danglingFunctions.contains(function)) {
        if (auto macro = LookUp(function, source)) {
          resolved.catalog.emplace(function, std::move(*macro));
          continue;
        }
        danglingFunctions.insert(function);
      }
      resolved.dangling.push_back({c, k, function});
      function = kKeyFunctionNone;
    }
  }
  return resolved;
}

}  // namespace gm
