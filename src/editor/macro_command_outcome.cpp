#include "editor/macro_command_outcome.h"

#include <filesystem>
#include <mutex>
#include <optional>

#include "macros/group_name_rules.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "settings/paths.h"

namespace gm {

UserMessage MacroMessageText(const MacroMessage& message) {
  // Every text but that of a named save failure is the same under both language settings.
  switch (message.id) {
    case MacroMessageId::kMoreThanLimit: return SameInBothLanguages(u"More than limit!");
    case MacroMessageId::kCpiValues:
      return SameInBothLanguages(u"CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)");
    case MacroMessageId::kXOutOfRange: return SameInBothLanguages(u"[X]数值越界!");
    case MacroMessageId::kYOutOfRange: return SameInBothLanguages(u"[Y]数值超出!");
    case MacroMessageId::kMinValueOne: return SameInBothLanguages(u"Min Value: 1 !");
    case MacroMessageId::kChooseRow: return SameInBothLanguages(u"请选择条目");
    case MacroMessageId::kEmptyName: return SameInBothLanguages(u"名称不能为空!");
    case MacroMessageId::kDoubleNameOf:
      return SameInBothLanguages(u"'" + message.name + u"' Double name!");
    case MacroMessageId::kDoubleName: return SameInBothLanguages(u"Double name!");
    case MacroMessageId::kInvalidName: return kInvalidGroupNameMessage;
    case MacroMessageId::kGroupFileMissing: return SameInBothLanguages(u"not find File!");
    case MacroMessageId::kCreateFileFailed:
      return SameInBothLanguages(u"Create new mac_file Fail!");
    case MacroMessageId::kSaveFailed:
      if (!message.failure.file.empty()) {
        return SaveFailedMessage(message.failure.file, message.failure.reason);
      }
      return SameInBothLanguages(u"Error!");
    case MacroMessageId::kError: return SameInBothLanguages(u"Error!");
    case MacroMessageId::kLockedGroup: return SameInBothLanguages(u"加密宏不能修改");
    case MacroMessageId::kListBoxError: return SameInBothLanguages(u"列表框出错");
  }
  return SameInBothLanguages(u"Error!");
}

bool IsMainWindowMessage(MacroMessageId id) {
  return id == MacroMessageId::kXOutOfRange || id == MacroMessageId::kYOutOfRange ||
         id == MacroMessageId::kGroupFileMissing || id == MacroMessageId::kCreateFileFailed;
}

void ShowOutcomeMessages(const MacroCommandOutcome& outcome) {
  for (const MacroMessage& message : outcome.messages) ShowUserMessage(MacroMessageText(message));
}

bool SaveLoadedGroupMacro(int macro) {
  std::lock_guard lock(g_macroTablesMutex);
  if (g_curMacroGroup < 0 || g_curMacroGroup >= g_macroGroupCount ||
      g_curMacroGroup >= kMaxMacroGroups) {
    return false;
  }
  const std::optional<std::filesystem::path> file =
      GroupFilePath(g_macroDir, g_macroGroupNames[g_curMacroGroup]);
  return file && SaveMacro(*file, macro);
}

void SaveOrRestoreMacro(int macro, const MacroRecord& before, MacroCommandOutcome& outcome) {
  SaveFailureCapture failures;
  if (SaveLoadedGroupMacro(macro)) return;
  outcome.AddSaveFailed(failures);
  if (macro < 0 || macro >= kMacrosPerGroup) return;
  std::lock_guard lock(g_macroTablesMutex);
  g_macros[macro] = before;
}

}  // namespace gm
