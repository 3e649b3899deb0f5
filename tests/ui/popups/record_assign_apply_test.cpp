// A macro's way from the keyboard to the mouse, through the main window only: recorded on the
// macro page, put on a key through the key's list and the macro chooser, written by Apply.
// The mouse must hold the image the macro image encoder makes of the stored macro, at the
// address Apply gave the key's slot.

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/apply_tables.h"
#include "device/macro_image.h"
#include "settings/key_function.h"
#include "ui/macro_page/macro_page_window_fixture.h"
#include "ui/pages/popup_rows.h"
#include "ui/popups/mac_sel_menu_dlg.h"
#include "ui/popups/sub_menu_dlg.h"
#include "ui/widget_input.h"

namespace gm::test {
namespace {

constexpr uint32_t kXKeyA = 38;
constexpr uint32_t kXKeyB = 56;
constexpr int kKey = 2;  // Key3, at the top right of the keys page

QPoint RowCentre(const PopupListWindow& list, uint32_t row) {
  return QPoint(list.Rows().width / 2,
                static_cast<int>(row - 1) * list.Rows().rowHeight + list.Rows().rowHeight / 2);
}

void ClickMacroElement(CQEL_GMouseDlg& dialog, uint32_t element) {
  const QPoint p = CentreOf(dialog.Layout().m_macRects[element]);
  QTest::mouseMove(&dialog, kAwayFromElements);
  QTest::mouseMove(&dialog, p);
  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, p);
  QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, p);
}

void Tap(FakeKeyboardCapture& keyboard, uint32_t xKeyCode) {
  ASSERT_TRUE(keyboard.Deliver(KeyEventOf(KeyEventKind::kPress, xKeyCode)));
  ASSERT_TRUE(keyboard.Deliver(KeyEventOf(KeyEventKind::kRelease, xKeyCode)));
}

using RecordAssignApplyTest = MacroPageWindowTest;

TEST_F(RecordAssignApplyTest, ARecordedMacroPutOnAKeyReachesTheMouseAsItsEncodedImage) {
  CQEL_GMouseDlg& dialog = StartDialog();

  // Record A and B on the first macro of group 0.
  MacroPageControls& page = EnterMacroPage(dialog);
  PickFirstMacro(page);
  ASSERT_FALSE(IsEditorGroupLocked());
  const int group = g_curMacroGroup;
  const int macro = g_macroListEntries[1].macro;
  ClickMacroElement(dialog, kMacRecord);
  ASSERT_TRUE(keyboard_.Running());
  Tap(keyboard_, kXKeyA);
  Tap(keyboard_, kXKeyB);
  ClickMacroElement(dialog, kMacRecord);
  ASSERT_FALSE(keyboard_.Running());
  const MacroRecord stored =
      LoadGroupMacro(static_cast<uint32_t>(group), static_cast<uint32_t>(macro));
  ASSERT_EQ(stored.stepCount, 4) << "the group file holds the recording";

  // Put it on the key: Macro row, the group, the macro.
  ClickMain(dialog, kMainTabKeys);
  Press(dialog, CentreOf(dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey]));
  CMenuDlg* keyList = MainWindowPopup();
  ASSERT_NE(keyList, nullptr);
  MoveOver(*keyList, RowCentre(*keyList, kUserMacroRow));
  CSubMenuDlg* groups = keyList->SubMenu();
  ASSERT_NE(groups, nullptr);
  MoveOver(*groups, RowCentre(*groups, static_cast<uint32_t>(group) + 1));
  MacSelMenuDlg* chooser = groups->Chooser();
  ASSERT_NE(chooser, nullptr);
  Press(*chooser, RowCentre(*chooser, static_cast<uint32_t>(macro) + 1));
  const int config = g_curConfig.load();
  const int32_t function = (group + 1) * 256 + macro;
  ASSERT_EQ(g_keyFunction[config][kKey].load(), function);

  ClickMain(dialog, kMainApply);
  ASSERT_TRUE(WaitForApplyToEnd(dialog));
  ASSERT_GT(mouse_.FinalCommitCount(), 0);

  std::optional<int32_t> address;
  for (int slot = 0; slot < kDevicePositions; ++slot) {
    if (g_slotCode[config][slot].load() == function) address = g_slotMacroAddr[config][slot].load();
  }
  ASSERT_TRUE(address.has_value()) << "no slot of the configuration plays the macro";
  const MacroImageBuild build = BuildMacroImage(stored, MacroKind::kUser,
                                                static_cast<uint32_t>(*address),
                                                g_macroTimeUnit.load());
  ASSERT_FALSE(build.image.bytes.empty());
  const std::vector<uint8_t> memory = mouse_.Memory();
  ASSERT_LE(static_cast<size_t>(*address) + build.image.bytes.size(), memory.size());
  const std::vector<uint8_t> written(memory.begin() + *address,
                                     memory.begin() + *address +
                                         static_cast<std::ptrdiff_t>(build.image.bytes.size()));
  EXPECT_EQ(written, build.image.bytes);
}

}  // namespace
}  // namespace gm::test
