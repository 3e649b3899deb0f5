// The pop-up lists of the main window as desktop lists behave: press, drag and release picks
// through every level, Esc closing the innermost list; message boxes showing every line of
// their text whole, wide enough for their title and centred over the main window.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextLayout>

#include <cmath>
#include <system_error>

#include "device/apply_settings.h"
#include "device/device_open_message.h"
#include "editor/macro_command_outcome.h"
#include "macros/macro_recorder.h"
#include "platform/save_failure.h"
#include "settings/settings_file_check.h"
#include "ui/dialogs/message_box_fit.h"
#include "ui/main_dialog_fixture.h"
#include "ui/modal_dialog_support.h"
#include "ui/pages/page_elements.h"
#include "ui/popups/mac_sel_menu_dlg.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/popups/sub_menu_dlg.h"
#include "ui/widget_input.h"
#include "ui/window/macro_recording.h"
#include "ui/window/qt_message_sink.h"

namespace gm::test {
namespace {

constexpr int kKey = 0;

bool Closed(const QPointer<PopupListWindow>& list) { return list.isNull() || list->Closing(); }

QPoint ScreenRowCentre(const PopupListWindow& list, uint32_t row) {
  const RowGeometry& g = list.Rows();
  return list.mapToGlobal(
      QPoint(g.width / 2, static_cast<int>(row - 1) * g.rowHeight + g.rowHeight / 2));
}

// The button held since a press in `pressedIn`: Qt hands the moves and the release to that
// window wherever the pointer is.
void HeldMove(QWidget& pressedIn, QPoint screen) {
  QMouseEvent move(QEvent::MouseMove, pressedIn.mapFromGlobal(screen), screen, Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&pressedIn, &move);
}

void ReleaseAt(QWidget& pressedIn, QPoint screen) {
  QMouseEvent release(QEvent::MouseButtonRelease, pressedIn.mapFromGlobal(screen), screen,
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&pressedIn, &release);
}

class PopupPointerTest : public MainDialogTest {
 protected:
  // Presses key kKey's button and keeps the button held: its list opens.
  CMenuDlg* PressKeyButton(CQEL_GMouseDlg& dialog) {
    const QPoint at = CentreOf(dialog.Layout().m_mainRects[kMainFirstKeyButton + kKey]);
    MoveOver(dialog, at);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    return MainWindowPopup();
  }
  int32_t Function() const { return g_keyFunction[g_curConfig.load()][kKey].load(); }
  int32_t MacroMode() const { return g_keyMacroMode[g_curConfig.load()][kKey].load(); }
};

// The list of a level: 0 the key list, 1 its second-level list, 2 the macro chooser.
PopupListWindow* Level(CMenuDlg& keyList, int level) {
  CSubMenuDlg* family = keyList.SubMenu();
  if (level == 0) return &keyList;
  if (family == nullptr) return nullptr;
  if (level == 1) return family;
  return family->Chooser();
}

TEST_F(PopupPointerTest, PressDragAndReleasePicksOnEveryLevelOfTheKeyList) {
  struct Step { int level; uint32_t row; };
  struct Case { const char* what; std::vector<Step> path; int32_t function, macroMode; };
  const std::vector<Case> cases = {
      {"a key-list row", {{0, 5}}, 5, 0},
      {"a multimedia key", {{0, 8}, {1, 1}}, 23, 0},
      {"a recoil macro", {{0, 12}, {1, 3}}, 52, 1},
      {"a group's macro in the chooser", {{0, 13}, {1, 1}, {2, 1}}, 256, 1},
  };
  CQEL_GMouseDlg& dialog = StartDialog();
  for (const Case& c : cases) {
    g_keyFunction[g_curConfig.load()][kKey] = 0;
    CMenuDlg* keyList = PressKeyButton(dialog);
    ASSERT_NE(keyList, nullptr) << c.what;
    QPoint at;
    for (const Step& step : c.path) {
      PopupListWindow* list = Level(*keyList, step.level);
      ASSERT_NE(list, nullptr) << c.what << " level " << step.level;
      at = ScreenRowCentre(*list, step.row);
      HeldMove(dialog, at);
      EXPECT_EQ(list->Hover(), step.row) << c.what << ": hover follows the held pointer";
    }
    ReleaseAt(dialog, at);
    EXPECT_EQ(Function(), c.function) << c.what;
    EXPECT_EQ(MacroMode(), c.macroMode) << c.what;
    EXPECT_EQ(MainWindowPopup(), nullptr) << c.what << ": a pick closes every level";
    QApplication::processEvents();
  }
}

TEST_F(PopupPointerTest, AReleaseOnNoRowChangesNothingAndClickThenClickStillPicks) {
  CQEL_GMouseDlg& dialog = StartDialog();
  g_keyFunction[g_curConfig.load()][kKey] = 0;
  CMenuDlg* keyList = PressKeyButton(dialog);
  ASSERT_NE(keyList, nullptr);
  HeldMove(dialog, ScreenRowCentre(*keyList, 3));
  const QPoint offList = keyList->geometry().topLeft() - QPoint(5, 5);
  HeldMove(dialog, offList);
  ReleaseAt(dialog, offList);
  EXPECT_EQ(Function(), 0);
  ASSERT_EQ(MainWindowPopup(), keyList) << "the list stays open";

  Press(*keyList, keyList->mapFromGlobal(ScreenRowCentre(*keyList, 4)));
  EXPECT_EQ(Function(), 4);
}

TEST_F(PopupPointerTest, EscClosesTheInnermostListFirst) {
  CQEL_GMouseDlg& dialog = StartDialog();
  CMenuDlg* keyList = PressKeyButton(dialog);
  ASSERT_NE(keyList, nullptr);
  ReleaseAt(dialog, dialog.mapToGlobal(QPoint(0, 0)));
  MoveOver(*keyList, keyList->mapFromGlobal(ScreenRowCentre(*keyList, 9)));
  CSubMenuDlg* groups = keyList->SubMenu();
  ASSERT_NE(groups, nullptr);
  MoveOver(*groups, groups->mapFromGlobal(ScreenRowCentre(*groups, 1)));
  const QPointer<PopupListWindow> chooser(groups->Chooser());
  const QPointer<PopupListWindow> family(groups);
  ASSERT_FALSE(chooser.isNull());

  const int32_t before = Function();
  const std::vector<QPointer<PopupListWindow>> inOrder = {chooser, family, keyList};
  for (std::size_t i = 0; i < inOrder.size(); ++i) {
    QTest::keyClick(&dialog, Qt::Key_Escape);
    for (std::size_t j = 0; j < inOrder.size(); ++j) {
      EXPECT_EQ(Closed(inOrder[j]), j <= i) << "after Esc " << i + 1 << ", list " << j;
    }
  }
  EXPECT_EQ(MainWindowPopup(), nullptr);
  EXPECT_EQ(Function(), before);
}

// The widths of the lines of a shown label's text as the label lays it out.
std::vector<int> LineWidths(const QLabel& label) {
  std::vector<int> widths;
  for (const QString& paragraph : label.text().split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, label.font());
    QTextOption option;
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(label.contentsRect().width());
      widths.push_back(static_cast<int>(std::ceil(line.naturalTextWidth())));
    }
    layout.endLayout();
  }
  return widths;
}

TEST_F(PopupPointerTest, EveryMessageShowsItsWholeTextAndTitleCentredOverTheMainWindow) {
  CQEL_GMouseDlg& dialog = StartDialog();
  const std::filesystem::path deepFile =
      g_exeFolder / "a folder with a rather long name" / "skins" / "INI_CN" / "macro" /
      "宏组名称比较长的一个宏组.dat";
  const QString programTitle = QCoreApplication::applicationName();
  struct Case { const char* kind; UserMessage message; QString title; };
  // The longest message of each kind.
  const std::vector<Case> cases = {
      {"a title longer than its text", RecordingLimitMessage(),
       QStringLiteral("A title much longer than its text")},
      {"one short line", LockedMacroRecordMessage(), programTitle},
      {"the product name", NoMouseMessage(), programTitle},
      {"a long sentence", kMousePermissionMessage, programTitle},
      {"one long word", MacroMessageText({MacroMessageId::kCpiValues, {}, {}}), programTitle},
      {"a file and the reason",
       SaveFailedMessage(deepFile, std::make_error_code(std::errc::permission_denied)),
       programTitle},
      {"a refused import",
       SettingsFileRefusedMessage(
           deepFile, {SettingsFileFault::kMissingSection, {}, std::u16string(u"ShareData")}),
       programTitle},
  };
  for (const bool english : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.kind) + (english ? ", English" : ", Chinese"));
      const QString text = QString::fromStdU16String(c.message.Text(english));
      QCoreApplication::setApplicationName(c.title);
      bool seen = false;
      WhenModal<QMessageBox>([&](QMessageBox& box) {
        seen = true;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), text);
        for (const int width : LineWidths(*label)) {
          EXPECT_LE(width, label->contentsRect().width()) << text.toStdString();
        }
        EXPECT_GE(box.width(), MessageBoxTitleWidth(c.title));
        EXPECT_TRUE(box.screen()->geometry().contains(box.frameGeometry()));
        const QPoint mainCentre = dialog.mapToGlobal(dialog.rect().center());
        const QPoint boxCentre = box.mapToGlobal(box.rect().center());
        EXPECT_LE((boxCentre - mainCentre).manhattanLength(), 2)
            << "box centred at " << boxCentre.x() << "," << boxCentre.y();
      });
      ShowMessageBox(text);
      EXPECT_TRUE(seen);
    }
  }
  QCoreApplication::setApplicationName(programTitle);
}

}  // namespace
}  // namespace gm::test
