#include "macros/macro_groups.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_folders.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "platform/ini_document.h"
#include "platform/private_profile.h"
#include "platform/save_failure.h"
#include "platform/text.h"
#include "settings/paths.h"

namespace gm {

namespace {

std::filesystem::path GroupListFile() { return g_macroDir / kMacroGroupListFileName; }

// Removes entry `index` of the first `count` names: the later names move down one place and
// the last one becomes empty. Returns the new count.
int RemoveGroupEntry(int index, int count) {
  for (int k = index; k + 1 < count; ++k) g_macroGroupNames[k] = g_macroGroupNames[k + 1];
  g_macroGroupNames[count - 1].clear();
  return count - 1;
}

// True when the name of entry `index` is that of an earlier entry but for letter case: both
// would name one file (group files are found ignoring case), so the earlier one keeps it.
bool NamesAnEarlierGroup(int index) {
  for (int k = 0; k < index; ++k) {
    if (SameTextIgnoringCase(g_macroGroupNames[k], g_macroGroupNames[index])) return true;
  }
  return false;
}

}  // namespace

void LoadMacroGroups() {
  // A reset killed halfway left its copy or the old folder beside the macro folder.
  RemoveReplacementLeftovers(g_macroDir);
  const std::filesystem::path listFile = GroupListFile();
  std::error_code ec;
  if (!std::filesystem::exists(listFile, ec)) ShowUserMessage(kGroupListMissingMessage);

  const int stated =
      WToI(GetPrivateProfileStringW(kGroupCountSection, kGroupCountKey, u"",
                                    kGroupCountBufferChars, listFile));
  int count = std::clamp(stated, 0, kMaxMacroGroups);
  g_macroGroupCount = count;
  for (auto& name : g_macroGroupNames) name.clear();
  if (count < 1) return;

  {
    // The recoil adjustment on the device report thread reads the open group's index.
    std::lock_guard lock(g_macroTablesMutex);
    g_curMacroGroup = 0;
  }
  for (int i = 0; i < count; ++i) {
    g_macroGroupNames[i] = GetPrivateProfileStringW(kGroupNameSection, DecimalText(i), u"",
                                                    kGroupNameBufferChars, listFile);
  }

  // One pass; a group whose file is missing and that moves into a freed place is checked by
  // the next load. An empty (or otherwise unusable) name and a second name of an earlier
  // group that move in go at once, so no nameless group and no two groups sharing one file
  // are ever kept or saved.
  bool removed = false;
  for (int i = 0; i < count; ++i) {
    if (!NamesAnEarlierGroup(i) && OpenMacroGroupFile(static_cast<uint8_t>(i), false)) continue;
    do {
      count = RemoveGroupEntry(i, count);
      removed = true;
    } while (i < count && (!IsValidGroupName(g_macroGroupNames[i]) || NamesAnEarlierGroup(i)));
  }
  if (removed) {
    g_macroGroupCount = count;
    SaveMacroGroups();
  }
}

bool SaveMacroGroups() {
  const SaveFailureReport report;
  const std::filesystem::path listFile = GroupListFile();
  const int count = std::clamp(g_macroGroupCount, 0, kMaxMacroGroups);
  // One replacement of the file: a crash leaves the old list or the new one, never a count
  // that belongs to other names.
  ProfileWriteBatch list(listFile);
  list.Set(kGroupCountSection, kGroupCountKey, DecimalText(count));
  for (int i = 0; i < kGroupListNameKeys; ++i) {
    std::u16string_view name;
    if (i < count && IsValidGroupName(g_macroGroupNames[i])) name = g_macroGroupNames[i];
    list.Set(kGroupNameSection, DecimalText(i), name);
  }
  return list.Write();
}

bool OpenMacroGroupFile(uint8_t group, bool load) {
  if (group > kMaxGroupFileIndex || group >= kMaxMacroGroups) return false;
  const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[group]);
  if (!file) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(*file, ec)) return false;
  if (load) LoadMacroFile(*file);
  return true;
}

}  // namespace gm
