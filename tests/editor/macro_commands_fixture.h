#pragma once
// A macro folder with groups for the macro page's commands, the macro list rows as the window
// builds them, and a check that the files on disk hold what the tables hold.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/macro_command_outcome.h"
#include "editor/macro_editor_state.h"
#include "editor/macro_list_edit.h"
#include "macros/group_name_rules.h"
#include "macros/macro_groups.h"
#include "macros/macro_storage_fixture.h"

namespace gm::test {

// A step as the tests write it.
struct TestStep {
  uint8_t code;
  uint8_t action;
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t delay = 1;
};

inline MacroRecord MakeMacro(std::u16string_view name, const std::vector<TestStep>& steps) {
  MacroRecord r{};
  SetMacroName(r, name);
  r.repeatCount = 1;
  for (const TestStep& s : steps) {
    const int i = r.stepCount++;
    r.code[i] = s.code;
    r.action[i] = s.action;
    r.xy[i] = {s.x, s.y};
    r.delayMs[i] = s.delay;
    if (s.code == kStepLighting) {
      r.ledBlocks[r.countF9].length = 1;
      r.ledBlocks[r.countF9].entries[0][2] = static_cast<uint8_t>(10 + r.countF9);  // time
      r.xy[i].x = r.countF9++;
    }
    if (s.code == kStepMove) ++r.countF6;
    if (s.code == kStepDpi) ++r.countF8;
  }
  return r;
}

class MacroCommandsTest : public MacroStorageTest {
 protected:
  void SetUp() override {
    MacroStorageTest::SetUp();
    g_macroListEntries.clear();
    g_macroListSel = -1;
    g_stepListSel = 0;
    g_macroEditMenuOpen = 0;
    g_groupEncrypted = 0;
    g_curMacro = 0;
    expanded_.fill(0);
  }

  // Group files (version 3, every byte of each record) and the list naming them, loaded as at
  // start-up: groups, names, group 0 open; all groups expanded.
  void MakeGroups(const std::vector<std::pair<std::string, std::vector<MacroRecord>>>& groups) {
    std::vector<std::string> names;
    for (const auto& [name, records] : groups) {
      IniKeys keys{{"macroNum", std::to_string(records.size())}};
      for (size_t i = 0; i < records.size(); ++i) {
        keys.emplace_back(std::to_string(i), ToUtf8(BuildMacroLine(records[i])));
      }
      WriteIni(g_macroDir / (name + ".dat"), {{"Init", {{"DAT_VER", "3"}}}, {"Macros", keys}});
      names.push_back(name);
    }
    WriteGroupList(std::to_string(groups.size()), names);
    LoadMacroGroups();
    LoadMacroNames();
    OpenMacroGroupFile(0, true);
    expanded_.fill(1);
    FillEntries();
  }

  // The macro list's rows, as the window builds them from the tables.
  void FillEntries() {
    g_macroListEntries.clear();
    for (int g = 0; g < g_macroGroupCount; ++g) {
      g_macroListEntries.push_back({kMacroListGroupRow, static_cast<uint8_t>(g), kNoMacroOnRow});
      if (expanded_[static_cast<size_t>(g)] == 0) continue;
      for (int i = 0; i < UsableMacroCount(g); ++i) {
        g_macroListEntries.push_back(
            {kMacroListMacroRow, static_cast<uint8_t>(g), static_cast<uint8_t>(i)});
      }
    }
  }

  // Selects a macro as a click on its row does: its group loaded, the macro current.
  void SelectMacro(int group, int macro) {
    if (group != g_curMacroGroup) {
      OpenMacroGroupFile(static_cast<uint8_t>(group), true);
      g_curMacroGroup = group;
    }
    g_curMacro = macro;
    g_macroListSel = RowOf(group, macro);
  }

  int RowOf(int group, int macro) const {
    for (size_t r = 0; r < g_macroListEntries.size(); ++r) {
      const MacroListEntry& e = g_macroListEntries[r];
      if (e.group == group && (macro < 0 ? e.kind == kMacroListGroupRow : e.macro == macro)) {
        return static_cast<int>(r);
      }
    }
    return -1;
  }

  // A name typed into row of the macro list.
  static MacroCommandOutcome Rename(int row, std::u16string text) {
    return CommitListEdit({EditedList::kMacroList, row, std::move(text), 0, -1, 0});
  }

  std::vector<std::u16string> GroupNames() const {
    return {g_macroGroupNames, g_macroGroupNames + g_macroGroupCount};
  }

  static std::vector<MacroMessageId> Ids(const MacroCommandOutcome& outcome) {
    std::vector<MacroMessageId> ids;
    for (const MacroMessage& m : outcome.messages) ids.push_back(m.id);
    return ids;
  }

  // The list file names the groups of the tables; every group file states its macro count
  // and names; the loaded group's file holds every loaded record byte for byte.
  void ExpectDiskMatchesTables() const {
    const std::filesystem::path list = g_macroDir / kMacroGroupListFileName;
    EXPECT_EQ(ReadKey(list, u"MACRO_GROUP_NUM", u"macGrpNum"), DecimalText(g_macroGroupCount));
    for (int g = 0; g < kGroupListNameKeys; ++g) {
      // Keys past the count are empty or absent.
      const std::u16string expected = g < g_macroGroupCount ? g_macroGroupNames[g] : u"";
      EXPECT_EQ(GetPrivateProfileStringW(u"MACRO_GROUP_NAME", DecimalText(g), u"", 64, list),
                expected)
          << "key " << g;
    }
    for (int g = 0; g < g_macroGroupCount; ++g) {
      const auto file = GroupFilePath(g_macroDir, g_macroGroupNames[g]);
      ASSERT_TRUE(file && std::filesystem::exists(*file)) << "group " << g;
      EXPECT_EQ(ReadMacroFileCount(*file), static_cast<int>(g_groupMacroCount[g]));
      if (g != g_curMacroGroup) continue;
      EXPECT_EQ(ReadMacroFileCount(*file), g_macroCount);
      for (int i = 0; i < g_macroCount; ++i) {
        EXPECT_EQ(ReadKey(*file, u"Macros", DecimalText(i)), BuildMacroLine(g_macros[i]))
            << "macro " << i;
        EXPECT_EQ(g_macroNames[g * kMacrosPerGroup + i], MacroNameOf(g_macros[i]));
      }
    }
  }

  std::array<uint32_t, kMaxMacroGroups> expanded_{};
};

}  // namespace gm::test
