#pragma once
// The main window on its macro page, for the tests of the page: helpers that click the
// page's lists and elements, and the reset of the list state the page leaves behind.

#include <QMouseEvent>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"
#include "platform/private_profile.h"
#include "ui/controls/edit_helper.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/main_dialog_fixture.h"
#include "ui/pages/page_elements.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_list_window.h"
#include "ui/popups/popup_menus.h"

namespace gm::test {

inline std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline QPoint RowPoint(const CListBoxXI& list, int row) {
  return list.visualItemRect(list.item(row)).center();
}

inline void ClickRow(CListBoxXI& list, int row, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(list.viewport(), button, Qt::NoModifier, RowPoint(list, row));
}

inline int FindRow(const CListBoxXI& list, const QString& prefix) {
  for (int row = 0; row < list.count(); ++row) {
    if (list.GetText(row).startsWith(prefix)) return row;
  }
  return -1;
}

class MacroPageWindowTest : public MainDialogTest {
 protected:
  MacroPageControls& EnterMacroPage(CQEL_GMouseDlg& dialog) {
    // The cursor may still stand on the tab from an earlier test: without a move the window
    // would not know what it hovers.
    QTest::mouseMove(&dialog, QPoint(1, 1));
    ClickMain(dialog, kMainTabMacro);
    QApplication::processEvents();
    MacroPageControls* page = pageControls_->MacroPage();
    EXPECT_TRUE(page != nullptr && page->Exists());
    return *page;
  }

  // Opens group 0 and picks its first macro.
  void PickFirstMacro(MacroPageControls& page) {
    ClickRow(*page.MacroList(), 0);
    ASSERT_GT(page.MacroList()->count(), 1);
    ClickRow(*page.MacroList(), 1);
    ASSERT_EQ(g_macroListSel, 1);
    ASSERT_EQ(g_macroListEntries[1].kind, kMacroListMacroRow);
  }

  // Clicks the macro page's Insert element; the injected menu answers with command.
  void Insert(CQEL_GMouseDlg& dialog, int command) {
    menuCommand_ = command;
    const QPoint p = CentreOf(dialog.Layout().m_macRects[kMacInsert]);
    QTest::mouseMove(&dialog, QPoint(1, 1));
    QTest::mouseMove(&dialog, p);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, p);
    menuCommand_ = 0;
  }

  // The steps of the current macro as its group file holds them.
  int StepsInFile() {
    SelectEditorGroup(g_curMacroGroup, /*load=*/true);
    return ReadEditorMacro(g_curMacro).stepCount;
  }

  std::filesystem::path GroupFile(int group) const {
    return g_macroDir / (std::u16string(g_macroGroupNames[group]) + u".dat");
  }
};

}  // namespace gm::test
