// The macro page inside the main window, on the copied data folder: its lists are filled on
// entering it, the context menus' commands change lists, tables and files alike, renames
// and group files go through the window, a lighting step's pop-up refreshes its parameters,
// and the keys that close dialogs leave the window alone.

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include "macros/macro_file.h"
#include "ui/macro_page/macro_page_window_fixture.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

TEST_F(MacroPageWindowTest, EnteringFillsTheListsAndLeavingRemovesThem) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  ASSERT_GT(g_macroGroupCount, 0);
  EXPECT_EQ(page.MacroList()->count(), g_macroGroupCount) << "groups start closed";
  EXPECT_EQ(page.MacroList()->GetText(0).toStdU16String(), g_macroGroupNames[0]);
  PickFirstMacro(page);
  EXPECT_EQ(page.StepList()->count(), 2 * ReadEditorMacro(g_curMacro).stepCount);

  ClickMain(dialog, kMainTabKeys);
  EXPECT_FALSE(page.Exists());
  // Back on the page the selected macro's steps are shown again.
  EnterMacroPage(dialog);
  EXPECT_EQ(page.StepList()->count(), 2 * ReadEditorMacro(g_curMacro).stepCount);
}

TEST_F(MacroPageWindowTest, StepCommandsChangeListTableAndFile) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  PickFirstMacro(page);
  const fs::path file = GroupFile(g_curMacroGroup);
  const std::string before = FileBytes(file);
  const int steps = ReadEditorMacro(g_curMacro).stepCount;

  Insert(dialog, kCmdInsertDelay);
  ASSERT_EQ(shownMenus_.size(), 1u);
  EXPECT_EQ(page.StepList()->count(), 2 * (steps + 1));
  EXPECT_NE(FileBytes(file), before);
  EXPECT_EQ(StepsInFile(), steps + 1);

  // The step menu's "Delete" on the first row removes that step again.
  menuCommand_ = kCmdDeleteStepValue;
  ClickRow(*page.StepList(), 0, Qt::RightButton);
  EXPECT_EQ(page.StepList()->count(), 2 * steps);
  EXPECT_EQ(StepsInFile(), steps);

  // A right click below the last row opens no menu.
  const size_t menus = shownMenus_.size();
  QTest::mouseClick(page.StepList()->viewport(), Qt::RightButton, Qt::NoModifier,
                    QPoint(5, page.StepList()->viewport()->height() - 2));
  if (page.StepList()->count() < 10) {
    EXPECT_EQ(shownMenus_.size(), menus);
  }
}

TEST_F(MacroPageWindowTest, PlayModeElementsGoThroughTheRepeatEditIntoTheFile) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  PickFirstMacro(page);
  const auto click = [&](uint32_t element) {
    const QPoint p = CentreOf(dialog.Layout().m_macRects[element]);
    QTest::mouseMove(&dialog, QPoint(1, 1));
    QTest::mouseMove(&dialog, p);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, p);
  };
  page.RepeatEdit()->setText(QStringLiteral("7"));
  click(kMacPlayMode2);
  EXPECT_FALSE(page.RepeatEdit()->isEnabled());
  EXPECT_EQ(page.RepeatEdit()->text(), QStringLiteral("1"));
  SelectEditorGroup(g_curMacroGroup, /*load=*/true);
  EXPECT_EQ(ReadEditorMacro(g_curMacro).playMode & kPlayModeMask, kPlayModeDevice2);
  EXPECT_EQ(ReadEditorMacro(g_curMacro).repeatCount, 1);

  click(kMacPlayMode0);
  EXPECT_TRUE(page.RepeatEdit()->isEnabled());
  page.RepeatEdit()->setText(QStringLiteral("5"));
  SelectEditorGroup(g_curMacroGroup, /*load=*/true);
  EXPECT_EQ(ReadEditorMacro(g_curMacro).playMode & kPlayModeMask, kPlayModeRepeat);
  EXPECT_EQ(ReadEditorMacro(g_curMacro).repeatCount, 5);

  // On a group row no macro takes a mode.
  ClickRow(*page.MacroList(), 0);
  const MacroRecord before = ReadEditorMacro(g_curMacro);
  click(kMacPlayMode1);
  EXPECT_EQ(ReadEditorMacro(g_curMacro).playMode, before.playMode);
}

TEST_F(MacroPageWindowTest, TheProgramsMenuReturnsTheChosenCommand) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const ContextMenu& menu = ContextMenuOf(ContextMenuKind::kKeyValue, true);
  QTimer::singleShot(0, [] {
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (open == nullptr) return;
    for (QAction* action : open->actions()) {
      if (action->data().toInt() == kCmdDeleteStepValue) open->setActiveAction(action);
    }
    QTest::keyClick(open, Qt::Key_Return);
  });
  EXPECT_EQ(RunContextMenu(menu.items, dialog, dialog.mapToGlobal(QPoint(50, 50))),
            kCmdDeleteStepValue);
  QTimer::singleShot(0, [] {
    if (QWidget* open = QApplication::activePopupWidget()) open->close();
  });
  EXPECT_EQ(RunContextMenu(menu.items, dialog, dialog.mapToGlobal(QPoint(50, 50))), 0);
}

TEST_F(MacroPageWindowTest, InsertOnAGroupRowAsksForAMacro) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  ClickRow(*page.MacroList(), 0);
  messages_.clear();
  Insert(dialog, kCmdInsertDelay);
  EXPECT_TRUE(shownMenus_.empty());
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].english, u"Please select a macro");
}

TEST_F(MacroPageWindowTest, GroupRenameInPlaceRewritesTheGroupListAndMovesTheFile) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  const fs::path oldFile = GroupFile(0);
  menuCommand_ = kCmdRenameGroup;
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  ASSERT_TRUE(page.MacroList()->IsEditing());
  page.MacroList()->Edit()->setText(QStringLiteral("Renamed"));
  page.MacroList()->EndEdit(true);
  QApplication::processEvents();

  EXPECT_EQ(g_macroGroupNames[0], u"Renamed");
  EXPECT_EQ(page.MacroList()->GetText(0), QStringLiteral("Renamed"));
  EXPECT_TRUE(fs::exists(g_macroDir / "Renamed.dat"));
  EXPECT_FALSE(fs::exists(oldFile));
  const std::u16string ini = GetPrivateProfileStringW(u"MACRO_GROUP_NAME", u"0", u"", 260,
                                                      g_macroDir / "macroGrp.ini");
  EXPECT_EQ(ini, u"Renamed");

  // The name of another group is refused and the row shows the stored name again.
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  page.MacroList()->Edit()->setText(QString::fromStdU16String(g_macroGroupNames[1]));
  page.MacroList()->EndEdit(true);
  QApplication::processEvents();
  EXPECT_EQ(page.MacroList()->GetText(0), QStringLiteral("Renamed"));
  EXPECT_FALSE(messages_.messages().empty());
}

TEST_F(MacroPageWindowTest, ANameBeingTypedWhenTheWindowGoesIsKept) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  menuCommand_ = kCmdRenameGroup;
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  ASSERT_TRUE(page.MacroList()->IsEditing());
  page.MacroList()->Edit()->setText(QStringLiteral("Typed"));
  dialog_.reset();
  EXPECT_EQ(g_macroGroupNames[0], u"Typed");
  EXPECT_TRUE(fs::exists(g_macroDir / "Typed.dat"));
}

TEST_F(MacroPageWindowTest, ExportThenImportThroughTheChooser) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  const int groups = g_macroGroupCount;
  chosenGroupFile_ = temp_.path() / "Shared.dat";
  menuCommand_ = kCmdExportMacroGroup;
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  ASSERT_EQ(groupFileChoices_, std::vector{MacroGroupFileChoice::kExport});
  ASSERT_TRUE(fs::exists(*chosenGroupFile_));
  EXPECT_EQ(FileBytes(*chosenGroupFile_), FileBytes(GroupFile(0)));

  menuCommand_ = kCmdImportMacroGroup;
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  ASSERT_EQ(g_macroGroupCount, groups + 1);
  EXPECT_EQ(g_macroGroupNames[groups], u"Shared");
  EXPECT_TRUE(fs::exists(g_macroDir / "Shared.dat"));
  EXPECT_EQ(page.MacroList()->GetText(page.MacroList()->count() - 1), QStringLiteral("Shared"));

  // A cancelled dialog changes nothing.
  chosenGroupFile_.reset();
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  EXPECT_EQ(g_macroGroupCount, groups + 1);
}

TEST_F(MacroPageWindowTest, MacroRowsOpenTheMacroMenuAndItsCommandsReachTheFile) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  const int macros = UsableMacroCount(0);
  const std::string before = FileBytes(GroupFile(0));
  menuCommand_ = kCmdNewMacro;
  ClickRow(*page.MacroList(), 0, Qt::RightButton);
  EXPECT_EQ(shownMenus_.back().data(),
            ContextMenuOf(ContextMenuKind::kMacroList, g_isEnglish != 0).items.data());
  ASSERT_EQ(UsableMacroCount(0), macros + 1);
  EXPECT_EQ(page.MacroList()->GetText(macros + 1), QStringLiteral("New")) << "the group opens";
  EXPECT_NE(FileBytes(GroupFile(0)), before);

  // A double click on the new macro's row opens the macro menu; "Delete" removes it again.
  menuCommand_ = kCmdDeleteMacro;
  ClickRow(*page.MacroList(), macros + 1);
  QTest::mouseDClick(page.MacroList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                     RowPoint(*page.MacroList(), macros + 1));
  EXPECT_EQ(shownMenus_.back().data(),
            ContextMenuOf(ContextMenuKind::kMacroItem, g_isEnglish != 0).items.data());
  EXPECT_EQ(UsableMacroCount(0), macros);
  EXPECT_EQ(page.MacroList()->count(), g_macroGroupCount + macros);
  EXPECT_EQ(FindRow(*page.MacroList(), QStringLiteral("New")), -1);
}

TEST_F(MacroPageWindowTest, AnEmptyMacroListOpensTheGroupMenu) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  menuCommand_ = kCmdDeleteMacroGroup;
  while (page.MacroList()->count() > 0) ClickRow(*page.MacroList(), 0, Qt::RightButton);
  EXPECT_EQ(g_macroGroupCount, 0);
  menuCommand_ = kCmdNewMacroGroup;
  QTest::mouseClick(page.MacroList()->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  ASSERT_FALSE(shownMenus_.empty());
  EXPECT_EQ(shownMenus_.back().data(),
            ContextMenuOf(ContextMenuKind::kMacroList, g_isEnglish != 0).items.data());
  EXPECT_EQ(g_macroGroupCount, 1);
  EXPECT_EQ(page.MacroList()->count(), 1);
  EXPECT_TRUE(fs::exists(g_macroDir / "New.dat"));
}

TEST_F(MacroPageWindowTest, ALightingStepsModeListRefreshesItsParameters) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  PickFirstMacro(page);
  Insert(dialog, kCmdInsertLed);
  const int ledRow = FindRow(*page.StepList(), QStringLiteral("[LED"));
  ASSERT_GE(ledRow, 0);
  ClickRow(*page.StepList(), ledRow);
  CListBoxXI& params = *page.ParamList();
  ASSERT_GE(params.count(), 4);
  const QString modeBefore = params.GetText(1);

  ClickRow(params, 1, Qt::RightButton);
  CMenuDlg* list = MainWindowPopup();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Kind(), PopupKind::kLedStepModes);
  EXPECT_EQ(list->geometry().left(), params.mapToGlobal(QPoint(0, 0)).x());
  // Pick a row other than the one shown (row 1 is the first mode).
  const int rowHeight = list->Rows().rowHeight;
  const QPoint pick(list->Rows().width / 2, rowHeight + rowHeight / 2);
  // The move goes to the list itself: the test platform's cursor would hand it to whichever
  // window it finds on top.
  QMouseEvent move(QEvent::MouseMove, pick, list->mapToGlobal(pick), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(list, &move);
  QTest::mousePress(list, Qt::LeftButton, Qt::NoModifier, pick);
  QTest::mouseRelease(list, Qt::LeftButton, Qt::NoModifier, pick);
  QApplication::processEvents();
  EXPECT_NE(params.GetText(1), modeBefore);

  // A selection in the step list closes an open pop-up.
  ClickRow(params, 1, Qt::RightButton);
  const QPointer<CMenuDlg> open(MainWindowPopup());
  ASSERT_FALSE(open.isNull());
  ClickRow(*page.StepList(), 0);
  EXPECT_TRUE(open.isNull() || open->Closing());
}

TEST_F(MacroPageWindowTest, EscEnterAndF10KeepTheWindow) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  for (QWidget* target : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(page.MacroList()),
                          static_cast<QWidget*>(page.RepeatEdit())}) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F10}) {
      QTest::keyClick(target, key);
      QApplication::processEvents();
      EXPECT_TRUE(dialog.isVisible()) << key;
      EXPECT_FALSE(dialog.Ended());
    }
  }
  EXPECT_EQ(finishedCount_, 0);
  EXPECT_TRUE(page.Exists());
}

TEST_F(MacroPageWindowTest, LanguageSwitchRefillsTheListsFromTheOtherFolder) {
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  PickFirstMacro(page);
  const bool english = g_isEnglish != 0;
  if (english) {
    dialog.SwitchToChinese();
  } else {
    dialog.SwitchToEnglish();
  }
  EXPECT_NE(g_macroDir.u16string().find(english ? u"INI_CN" : u"INI_EN"), std::u16string::npos);
  ASSERT_GT(page.MacroList()->count(), 0);
  EXPECT_EQ(page.MacroList()->GetText(0).toStdU16String(), g_macroGroupNames[0]);
  EXPECT_EQ(page.ParamList()->count(), 0);
}

// The Chinese switch keeps the selected row, which may now belong to another group than the
// one the switch opened: an insert and the next click write that group's own records.
TEST_F(MacroPageWindowTest, AfterTheChineseSwitchTheSelectedRowsGroupIsWrittenWithItsOwnMacros) {
  WriteIni(u"Init", u"VER_SEL", u"1");
  CQEL_GMouseDlg& dialog = StartDialog();
  MacroPageControls& page = EnterMacroPage(dialog);
  ClickRow(*page.MacroList(), 0);  // the first group opens
  const int secondGroup = 1 + static_cast<int>(g_groupMacroCount[0]);
  ClickRow(*page.MacroList(), secondGroup);
  ClickRow(*page.MacroList(), secondGroup + 1);  // its first macro
  ASSERT_EQ(g_macroListEntries[static_cast<size_t>(g_macroListSel)].group, 1);

  dialog.SwitchToChinese();
  const MacroRecord before = LoadGroupMacro(1, 0);
  ASSERT_GT(before.stepCount, 0);
  Insert(dialog, kCmdInsertDelay);
  ClickRow(*page.MacroList(), secondGroup + 2);
  const MacroRecord after = LoadGroupMacro(1, 0);
  EXPECT_EQ(MacroNameOf(after), MacroNameOf(before));
  EXPECT_EQ(after.stepCount, before.stepCount + 1);
  EXPECT_EQ(ReadMacroFileCount(GroupFile(1)), static_cast<int>(g_groupMacroCount[1]));
}

}  // namespace
}  // namespace gm::test
