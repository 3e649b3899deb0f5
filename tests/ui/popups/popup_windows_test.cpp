// The pop-up list windows over an owner window: placement, hover and held rows drawn from
// the skin images, the three levels of the key list, what each release tells its owner, the
// lists' lives tied to their openers, and the shared image cache.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "macros/macro_group_names.h"
#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/mac_sel_menu_dlg.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/popups/sub_menu_dlg.h"
#include "ui/qt_app_for_tests.h"
#include "ui/skin/skin_layout.h"

namespace gm::test {
namespace {

namespace fs = std::filesystem;

const fs::path kBuiltSkins = fs::path(GMOUSE_APP_DIR) / "skins";

struct Received {
  PopupNotice notice;
  int value;
};

// What the lists signal, in order; the key list's request connected queued, as the main
// window connects it.
class RecordingTarget {
 public:
  CMenuDlg* Listen(CMenuDlg* list) {
    QObject::connect(
        list, &CMenuDlg::keyCaptureRequested, &context_,
        [this] { received.push_back({PopupNotice::kOpenKeyCapture, 0}); }, Qt::QueuedConnection);
    QObject::connect(list, &CMenuDlg::ledStepModePicked, &context_,
                     [this](int row) { received.push_back({PopupNotice::kLedStepMode, row}); });
    QObject::connect(list, &CMenuDlg::ledStepColorPicked, &context_, [this](int color) {
      received.push_back({PopupNotice::kLedStepColor, color});
    });
    QObject::connect(list, &CMenuDlg::gunSelected, &context_, [this](int previous) {
      received.push_back({PopupNotice::kGunSelected, previous});
    });
    return list;
  }
  std::vector<Received> received;

 private:
  QObject context_;
};

// A list that was closed: destroyed already, or about to be.
bool Closed(const QPointer<PopupListWindow>& list) { return list.isNull() || list->Closing(); }

QPoint RowCentre(const PopupListWindow& list, uint32_t row) {
  const RowGeometry& g = list.Rows();
  return QPoint(g.width / 2, static_cast<int>(row - 1) * g.rowHeight + g.rowHeight / 2);
}

// A move delivered to the list itself: the test platform's cursor would hand it to whichever
// window it finds on top.
void Hover(PopupListWindow& list, uint32_t row) {
  const QPoint at = RowCentre(list, row);
  QMouseEvent move(QEvent::MouseMove, at, list.mapToGlobal(at), Qt::NoButton,
                   QGuiApplication::mouseButtons(), Qt::NoModifier);
  QApplication::sendEvent(&list, &move);
}

void Pick(PopupListWindow& list, uint32_t row) {
  Hover(list, row);
  QTest::mousePress(&list, Qt::LeftButton, Qt::NoModifier, RowCentre(list, row));
  QTest::mouseRelease(&list, Qt::LeftButton, Qt::NoModifier, RowCentre(list, row));
}

QPoint ScreenTopLeft(const QWidget& w) { return w.mapToGlobal(QPoint(0, 0)); }

class PopupWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kBuiltSkins / "menu1_normal.jpg")) GTEST_SKIP() << "no generated skin";
    EnsureQtApplication();
    ResetSettingsToStartValues();
    ResetUiState();
    ResetSkinLayoutGlobals();
    g_skinsFolder = kBuiltSkins;
    g_macroDir = temp_.path() / "no_macros";  // the group files stay as the test sets them
    g_isEnglish = 1;
    g_curConfig = 1;
    g_selKey = static_cast<int>(kMainFirstKeyButton) + 2;
    for (std::size_t i = 1; i < g_funStrings.size(); ++i) g_funStrings[i] = u"Function";
    SetGroups();
    g_gunMacroCount = 5;
    ownerWindow_ = std::make_unique<QWidget>();
    owner_().setGeometry(100, 50, 500, 300);
    owner_().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_()));
  }
  void TearDown() override {
    CloseMainWindowPopup();
    CloseRecoilMenu();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_macroGroupCount = 0;
    g_gunMacroCount = 0;
    ResetSettingsToStartValues();
    ResetUiState();
    ResetSkinLayoutGlobals();
  }

  // Three groups of 2, 0 and 1 macros.
  static void SetGroups() {
    g_macroGroupCount = 3;
    const uint32_t counts[] = {2, 0, 1};
    for (int g = 0; g < 3; ++g) {
      g_macroGroupNames[g] = u"Group";
      g_groupMacroCount[g] = counts[g];
      g_macroNames[g * kMacrosPerGroup] = u"Macro";
      g_macroNames[g * kMacrosPerGroup + 1] = u"Macro";
    }
  }

  // The key list rereads the group files as it opens; there are none here, so the groups are
  // set again afterwards.
  CMenuDlg& OpenKeyList(SkinRect button = {20, 40, 210, 30}) {
    CMenuDlg* list = target_.Listen(OpenKeyMenu(owner_(), button));
    EXPECT_NE(list, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(list));
    SetGroups();
    return *list;
  }

  QWidget& owner_() { return *ownerWindow_; }

  int32_t Function() const { return g_keyFunction[1][2].load(); }
  int32_t MacroMode() const { return g_keyMacroMode[1][2].load(); }

  TempDir temp_;
  MessageRecorder messages_;
  std::unique_ptr<QWidget> ownerWindow_;
  RecordingTarget target_;
};

TEST_F(PopupWindows, KeyListOpensBelowItsButtonOrAboveItNearTheScreenBottom) {
  CMenuDlg& list = OpenKeyList();
  const QPointer<PopupListWindow> listWatch(&list);
  EXPECT_EQ(list.geometry(), QRect(ScreenTopLeft(owner_()) + QPoint(21, 70), QSize(211, 14 * 24)));
  EXPECT_EQ(list.GetMenuHeight(), 14 * 24);

  const int screenBottom = QGuiApplication::primaryScreen()->geometry().bottom() + 1;
  const int buttonTop = screenBottom - ScreenTopLeft(owner_()).y() - 40;
  CMenuDlg& above = OpenKeyList({20, buttonTop, 210, 30});
  EXPECT_TRUE(Closed(listWatch)) << "opening another list closes the open one";
  EXPECT_EQ(above.geometry().bottom() + 1, ScreenTopLeft(owner_()).y() + buttonTop);
}

TEST_F(PopupWindows, HoveredRowIsCopiedFromTheOverImageAndFromTheDownImageWhileHeld) {
  CMenuDlg& list = OpenKeyList();
  const QImage over = LoadSkinImage(kBuiltSkins / "menu1_over.jpg");
  const QImage down = LoadSkinImage(kBuiltSkins / "menu1_down.jpg");
  const QImage normal = LoadSkinImage(kBuiltSkins / "menu1_normal.jpg");
  const QPoint probe(3, 2 * 24 + 3);  // row 3, clear of its centred text
  Hover(list, 3);
  EXPECT_EQ(list.Hover(), 3u);
  EXPECT_EQ(list.ComposeFrame().pixel(probe), over.pixel(probe));
  QTest::mousePress(&list, Qt::LeftButton, Qt::NoModifier, RowCentre(list, 3));
  EXPECT_EQ(list.ComposeFrame().pixel(probe), down.pixel(probe));
  Hover(list, 4);
  EXPECT_EQ(list.ComposeFrame().pixel(probe), normal.pixel(probe));
}

TEST_F(PopupWindows, FamilyRowsOpenTheirSecondLevelBesideTheKeyListAndRow14ClosesIt) {
  CMenuDlg& list = OpenKeyList();
  const QPoint top = ScreenTopLeft(list);
  Hover(list, 8);
  CSubMenuDlg* multimedia = list.SubMenu();
  ASSERT_NE(multimedia, nullptr);
  const QPointer<PopupListWindow> multimediaWatch(multimedia);
  EXPECT_EQ(multimedia->Rows().rows, 10);
  EXPECT_EQ(multimedia->geometry(), QRect(top + QPoint(211, 24), QSize(160, 10 * 18 + 1)));

  Hover(list, 9);  // three groups: the group list starts 9 - 3 = 6 rows down
  ASSERT_NE(list.SubMenu(), nullptr);
  EXPECT_TRUE(Closed(multimediaWatch));
  EXPECT_EQ(list.SubMenu()->geometry().topLeft(), top + QPoint(211, 6 * 24));

  Hover(list, 14);
  EXPECT_EQ(list.SubMenu(), nullptr);
  EXPECT_TRUE(list.isVisible());
  Pick(list, 8);  // a release on a family row does nothing
  EXPECT_TRUE(list.isVisible());
  EXPECT_FALSE(list.Closing());
}

TEST_F(PopupWindows, AReopenedKeyListOpensTheSecondLevelOfTheRowLastHoveredInTheOldOne) {
  CMenuDlg& first = OpenKeyList();
  Hover(first, 8);
  CloseMainWindowPopup();
  CMenuDlg& second = OpenKeyList();
  Hover(second, 8);
  EXPECT_NE(second.SubMenu(), nullptr);
}

TEST_F(PopupWindows, TheChooserEndsAtItsGroupRowAndItsPickClosesEveryLevel) {
  CMenuDlg& list = OpenKeyList();
  const QPointer<PopupListWindow> listWatch(&list);
  Hover(list, 13);
  CSubMenuDlg* groups = list.SubMenu();
  ASSERT_NE(groups, nullptr);
  Pick(*groups, 1);  // a release on a group row does nothing
  EXPECT_FALSE(list.Closing());
  Hover(*groups, 3);
  MacSelMenuDlg* chooser = groups->Chooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->geometry(),
            QRect(ScreenTopLeft(*groups) + QPoint(160, 3 * 18 - 19), QSize(160, 19)));
  Pick(*chooser, 1);
  EXPECT_EQ(Function(), 3 * 256);
  EXPECT_EQ(MacroMode(), 1);
  EXPECT_TRUE(Closed(listWatch));
  EXPECT_EQ(g_subMenuChosen, 0) << "only the second level asks the main window to drop its list";
}

TEST_F(PopupWindows, AGroupWithoutMacrosGivesAnInvisibleChooserThatClosesEverythingUnchanged) {
  CMenuDlg& list = OpenKeyList();
  const QPointer<PopupListWindow> listWatch(&list);
  Hover(list, 9);
  Hover(*list.SubMenu(), 2);
  MacSelMenuDlg* chooser = list.SubMenu()->Chooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->ListHeight(), 0);
  EXPECT_FALSE(chooser->isVisible());
  chooser->Release(kNoRow);
  EXPECT_EQ(Function(), 0);
  EXPECT_TRUE(Closed(listWatch));
}

TEST_F(PopupWindows, KeyboardKeyRowPostsKeyCaptureToTheOwner) {
  CMenuDlg& list = OpenKeyList();
  const QPointer<PopupListWindow> listWatch(&list);
  Pick(list, kKeyboardKeyRow);
  EXPECT_TRUE(Closed(listWatch));
  EXPECT_TRUE(target_.received.empty()) << "posted, not sent";
  QCoreApplication::processEvents();
  ASSERT_EQ(target_.received.size(), 1u);
  EXPECT_EQ(target_.received[0].notice, PopupNotice::kOpenKeyCapture);
  EXPECT_EQ(g_keyParam[1][2].load(), kDefaultKeyboardUsage);
}

TEST_F(PopupWindows, LightingStepAndRecoilListsSendTheirPickToTheirOwner) {
  g_curMacro = 3;
  CMenuDlg* modes = target_.Listen(OpenLedStepMenu(PopupKind::kLedStepModes, {3, 1}, owner_(),
                                                   ScreenTopLeft(owner_()) + QPoint(10, 10)));
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes->height(), 3 * 18);
  Pick(*modes, 3);
  EXPECT_EQ(g_macros[3].ledBlocks[1].entries[0][0], 6);
  ASSERT_EQ(target_.received.size(), 1u);
  EXPECT_EQ(target_.received[0].notice, PopupNotice::kLedStepMode);
  EXPECT_EQ(target_.received[0].value, 2);
  EXPECT_EQ(MainWindowPopup(), nullptr);

  QWidget dialog;
  dialog.setGeometry(150, 80, 300, 200);
  dialog.show();
  int16_t curGun = 0;
  CMenuDlg* recoil =
      target_.Listen(OpenRecoilMenu(dialog, ScreenTopLeft(dialog) + QPoint(5, 40), curGun));
  ASSERT_NE(recoil, nullptr);
  EXPECT_EQ(recoil->parentWidget(), &dialog);
  EXPECT_EQ(recoil->size(), QSize(160, 5 * 18));
  Pick(*recoil, 4);
  EXPECT_EQ(curGun, 3);
  ASSERT_EQ(target_.received.size(), 2u);
  EXPECT_EQ(target_.received[1].notice, PopupNotice::kGunSelected);
  EXPECT_EQ(target_.received[1].value, 0);
  EXPECT_EQ(RecoilPopup(), nullptr);
}

TEST_F(PopupWindows, AListNeverOutlivesTheWindowThatOpenedIt) {
  CMenuDlg& list = OpenKeyList();
  const QPointer<PopupListWindow> listWatch(&list);
  Hover(list, 9);
  Hover(*list.SubMenu(), 1);
  QPointer<MacSelMenuDlg> chooser = list.SubMenu()->Chooser();
  owner_().hide();
  EXPECT_TRUE(Closed(listWatch));
  EXPECT_EQ(MainWindowPopup(), nullptr);

  auto dialog = std::make_unique<QWidget>();
  dialog->show();
  int16_t curGun = 0;
  QPointer<CMenuDlg> recoil = OpenRecoilMenu(*dialog, QPoint(0, 0), curGun);
  dialog.reset();
  EXPECT_TRUE(recoil.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(chooser.isNull());
}

TEST_F(PopupWindows, SkinImagesAreDecodedOnceAndAgainWhenTheirFileChanges) {
  const fs::path skins = temp_.path() / "skins";
  fs::create_directories(skins);
  for (const char* name : {"menu1_mask.jpg", "menu1_normal.jpg", "menu1_over.jpg"}) {
    fs::copy_file(kBuiltSkins / name, skins / name);
  }
  g_skinsFolder = skins;
  CMenuDlg& list = OpenKeyList();
  Hover(list, 2);
  list.ComposeFrame();
  const uint64_t decodes = PopupSkinImages().DecodeCount();
  Hover(list, 3);
  list.ComposeFrame();
  EXPECT_EQ(PopupSkinImages().DecodeCount(), decodes);

  // The over image replaced on disk shows at the next paint.
  fs::copy_file(kBuiltSkins / "menu1_down.jpg", skins / "menu1_over.jpg",
                fs::copy_options::overwrite_existing);
  fs::last_write_time(skins / "menu1_over.jpg",
                      fs::last_write_time(skins / "menu1_over.jpg") + std::chrono::seconds(5));
  const QPoint probe(3, 2 * 24 + 3);
  EXPECT_EQ(list.ComposeFrame().pixel(probe),
            LoadSkinImage(kBuiltSkins / "menu1_down.jpg").pixel(probe));
  EXPECT_GT(PopupSkinImages().DecodeCount(), decodes);
}

TEST_F(PopupWindows, MissingImagesPaintDarkRowsAndReportNothing) {
  g_skinsFolder = temp_.path() / "empty";
  CMenuDlg& list = OpenKeyList();
  EXPECT_EQ(list.Rows().rows, 14);
  EXPECT_GT(list.Rows().rowHeight, 0) << "the generated skin's size stands in for the mask";
  Hover(list, 5);
  const QImage frame = list.ComposeFrame();
  EXPECT_EQ(frame.pixel(2, 2), kMissingPictureFill);
  EXPECT_EQ(frame.pixel(2, 4 * list.Rows().rowHeight + 2), kMissingPictureFill);
  EXPECT_TRUE(messages_.messages().empty());
}

}  // namespace
}  // namespace gm::test
