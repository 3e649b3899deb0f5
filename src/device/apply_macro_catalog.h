#pragma once
// The macros the keys of a download refer to. Before the download maps the keys, every macro
// reference of keys 0 .. keyCount - 1 is looked up once: built-in references always find
// their record (the built-in table is not tested against its count), a recoil reference finds
// one while its index is below the loaded recoil count, a user reference while its group is
// below the group count and its index below that group's macro count. A reference that finds
// nothing is dangling: the key's function becomes 0.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "device/apply_snapshot.h"
#include "device/macro_image.h"
#include "macros/macro_record.h"

namespace gm {

struct KeyMacro {
  MacroKind kind = MacroKind::kBuiltIn;
  MacroRecord record{};
};

// By key function; one entry per function however many keys use it.
using MacroCatalog = std::map<int32_t, KeyMacro>;

// Where the records come from (the macro tables and group files in the program).
class MacroSource {
 public:
  virtual ~MacroSource() = default;
  // Built-in macro `index` (0..16).
  virtual MacroRecord BuiltIn(int index) = 0;
  // Recoil macro `index` (0..205); nothing when the loaded recoil table has no such record.
  virtual std::optional<MacroRecord> Recoil(int index) = 0;
  // Macro `index` of group `group` (both may be any value a stored code decodes to); nothing
  // when the group or the index lies beyond the loaded groups.
  virtual std::optional<MacroRecord> User(int group, int index) = 0;
};

// The macro tables of the program: g_constMacros, g_gunMacros (while the index is below
// g_gunMacroCount) and LoadGroupMacro for groups below g_macroGroupCount and indices below
// their macro count. The tables are read under g_macroTablesMutex.
class ProgramMacroSource final : public MacroSource {
 public:
  MacroRecord BuiltIn(int index) override;
  std::optional<MacroRecord> Recoil(int index) override;
  std::optional<MacroRecord> User(int group, int index) override;
};

struct DanglingKey {
  int config = 0;
  int key = 0;
  int32_t function = 0;  // the reference that named nothing
  bool operator==(const DanglingKey&) const = default;
};

struct ResolvedMacros {
  MacroCatalog catalog;
  std::vector<DanglingKey> dangling;  // their functions are 0 in the snapshot now
};

// Looks up the macros of keys 0 .. snapshot.keyCount - 1 of every configuration; sets the
// function of each dangling key in the snapshot to 0.
ResolvedMacros ResolveKeyMacros(ApplySettingsSnapshot& snapshot, MacroSource& source);

}  // namespace gm
