// The recoil dialog against the generated recoil file: the numbers it stores, the weapon
// switch through the recoil list's pick, the mode buttons and the picture message.

#include <QLineEdit>

#include <string>
#include <vector>

#include "macros/macro_record.h"
#include "macros/macro_tables.h"
#include "macros/recoil_macro_edit.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/main_dialog_fixture.h"
#include "ui/modal_dialog_support.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/widget_input.h"

namespace gm::test {
namespace {

class RecoilDialogTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    SetRecoilListOpener({});
  }
  void TearDown() override {
    SetRecoilListOpener({});
    MainDialogTest::TearDown();
  }

  // Runs the recoil dialog over the started window with the test's steps; true when saved.
  bool Run(std::function<void(CDialogGun&)> steps) {
    bool driven = false;
    WhenModal<CDialogGun>([&driven, steps = std::move(steps)](CDialogGun& gun) {
      driven = true;
      steps(gun);
    });
    const bool saved = OpenRecoilDialog(*dialog_);
    EXPECT_TRUE(driven);
    return saved;
  }

  static void Type(CDialogGun& gun, std::size_t edit, const QString& text) {
    gun.Edit(edit)->clear();
    QTest::keyClicks(gun.Edit(edit), text);
  }
  static QString Shown(CDialogGun& gun, std::size_t edit) { return gun.Edit(edit)->text(); }
  static void Click(CDialogGun& gun, uint32_t element) {
    ClickElement(gun, CentreOf(gun.Layout().rects[element]));
  }

  // Recoil macro index as the recoil file holds it now.
  static RecoilMacroView FromDisk(int index) {
    ClearMacroRecord(g_gunMacros, static_cast<uint8_t>(index));
    LoadGunMacros();
    return *RecoilMacroViewOf(index);
  }
  static std::vector<uint16_t> NonZeroYs(int index) {
    std::vector<uint16_t> ys;
    for (const MacroStepXY& step : g_gunMacros[index].xy) {
      if (step.y != 0) ys.push_back(step.y);
    }
    return ys;
  }
};

TEST_F(RecoilDialogTest, SaveStoresTheThreeNumbersIntoTheRecoilFile) {
  StartDialog();
  ASSERT_GT(RecoilMacroCount(), 2);
  const bool saved = Run([&](CDialogGun& gun) {
    EXPECT_EQ(Shown(gun, kGunStrengthEdit), "6");  // M416 as generated
    EXPECT_EQ(Shown(gun, kGunDelayEdit), "86");
    Type(gun, kGunStrengthEdit, "40");
    Type(gun, kGunRepeatEdit, "7");
    Type(gun, kGunDelayEdit, "125");
    Click(gun, kGunSaveButton);
  });
  EXPECT_TRUE(saved);
  const RecoilMacroView onDisk = FromDisk(0);
  EXPECT_EQ(onDisk.strength, 40);
  EXPECT_EQ(onDisk.firstDelay, 125);
  EXPECT_EQ(g_gunMacros[0].delayMs[1], 125);
  EXPECT_EQ(g_gunMacros[0].strength, 40);
  EXPECT_EQ(g_gunMacros[0].strengthEnabled, 1);
  const std::vector<uint16_t> ys = NonZeroYs(0);
  ASSERT_FALSE(ys.empty());
  EXPECT_EQ(ys, std::vector<uint16_t>(ys.size(), 40));
  if (onDisk.playMode == kPlayModeRepeatCount) {
    EXPECT_EQ(onDisk.repeatCount, 7);
  }
}

TEST_F(RecoilDialogTest, PickingAnotherWeaponSavesTheOneShownBeforeAndShowsTheNew) {
  StartDialog();
  const RecoilMacroView secondBefore = *RecoilMacroViewOf(1);
  const bool saved = Run([&](CDialogGun& gun) {
    Type(gun, kGunStrengthEdit, "33");
    Type(gun, kGunDelayEdit, "44");
    // What the recoil list does on a pick of row 2.
    g_curGun = 1;
    gun.OnGunSelected(0);
    EXPECT_EQ(Shown(gun, kGunStrengthEdit), QString::number(*secondBefore.strength));
    EXPECT_EQ(Shown(gun, kGunDelayEdit), QString::number(secondBefore.firstDelay));
    Type(gun, kGunStrengthEdit, "77");
    Click(gun, kGunCancelButton);  // discards the second weapon's numbers
  });
  EXPECT_FALSE(saved);
  EXPECT_EQ(FromDisk(0).strength, 33);
  EXPECT_EQ(FromDisk(0).firstDelay, 44);
  EXPECT_EQ(FromDisk(1).strength, secondBefore.strength);
}

TEST_F(RecoilDialogTest, APickInTheSkinnedListReachesTheDialog) {
  StartDialog();
  SetRecoilListOpener(SkinnedRecoilListOpener());
  const RecoilMacroView secondBefore = *RecoilMacroViewOf(1);
  Run([&](CDialogGun& gun) {
    Type(gun, kGunStrengthEdit, "33");
    Click(gun, kGunListButton);
    CMenuDlg* list = RecoilPopup();
    ASSERT_NE(list, nullptr);
    const RowGeometry& rows = list->Rows();
    Press(*list, QPoint(rows.width / 2, rows.rowHeight + rows.rowHeight / 2));  // row 2
    EXPECT_EQ(g_curGun, 1);
    EXPECT_EQ(Shown(gun, kGunStrengthEdit), QString::number(*secondBefore.strength));
    Click(gun, kGunCancelButton);
  });
  EXPECT_EQ(FromDisk(0).strength, 33);
}

TEST_F(RecoilDialogTest, APreviousIndexOutsideTheFileIsReportedAndNothingSaved) {
  StartDialog();
  messages_.clear();
  const auto before = std::filesystem::last_write_time(GunMacroFilePath());
  Run([&](CDialogGun& gun) {
    Type(gun, kGunStrengthEdit, "50");
    EXPECT_EQ(gun.OnGunSelected(RecoilMacroCount()), -1);
    EXPECT_EQ(gun.OnGunSelected(-1), -1);
  });
  EXPECT_EQ(messages_.englishTexts(), (std::vector<std::u16string>{u"宏内容出错!", u"宏内容出错!"}));
  EXPECT_EQ(std::filesystem::last_write_time(GunMacroFilePath()), before);
}

TEST_F(RecoilDialogTest, EditsTakeDigitsOnlyUpToTheirLengthAndStrengthIsBounded) {
  StartDialog();
  Run([&](CDialogGun& gun) {
    Type(gun, kGunStrengthEdit, "150");
    EXPECT_EQ(Shown(gun, kGunStrengthEdit), "15");
    Click(gun, kGunRepeatModeButton);  // the repeat edit takes typing
    Type(gun, kGunRepeatEdit, "12a345");
    EXPECT_EQ(Shown(gun, kGunRepeatEdit), "123");
    Type(gun, kGunDelayEdit, "-98765");
    EXPECT_EQ(Shown(gun, kGunDelayEdit), "9876");
    Type(gun, kGunStrengthEdit, "0");
    Click(gun, kGunSaveButton);
  });
  EXPECT_EQ(FromDisk(0).strength, 1);  // 0 saves the lowest strength
}

TEST_F(RecoilDialogTest, ANumberLongerThanItsEditIsShownAndSavedWhole) {
  StartDialog();
  g_gunMacros[0].delayMs[0] = 12345;  // as a hand-edited recoil file may hold it
  Run([&](CDialogGun& gun) {
    EXPECT_EQ(Shown(gun, kGunDelayEdit), "12345");
    Click(gun, kGunSaveButton);
  });
  EXPECT_EQ(FromDisk(0).firstDelay, 12345);
}

TEST_F(RecoilDialogTest, SaveWithoutRecoilMacrosWritesNoRecoilFile) {
  std::filesystem::remove(appDir_ / "skins" / "config" / "PUBG_EN.dat");
  std::filesystem::remove(appDir_ / "skins" / "config" / "PUBG_CN.dat");
  StartDialog();
  ASSERT_EQ(RecoilMacroCount(), 0);
  Run([&](CDialogGun& gun) { Click(gun, kGunSaveButton); });
  EXPECT_FALSE(std::filesystem::exists(GunMacroFilePath()));
}

TEST_F(RecoilDialogTest, TrayExitClosesTheDialogUnsavedAndSendsTheNoticeOnce) {
  CQEL_GMouseDlg& window = StartDialog();
  const auto before = std::filesystem::last_write_time(GunMacroFilePath());
  const bool saved = Run([&](CDialogGun& gun) {
    Type(gun, kGunStrengthEdit, "55");
    window.OnExitDriver();
  });
  EXPECT_FALSE(saved);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Ended(); }, kUiWaitMs));
  EXPECT_EQ(mouse_.LeavingNoticeCount(), 1);
  EXPECT_EQ(std::filesystem::last_write_time(GunMacroFilePath()), before);
}

TEST_F(RecoilDialogTest, ModeButtonsSetTheRepeatCountAndTheRepeatEdit) {
  StartDialog();
  Run([&](CDialogGun& gun) {
    Click(gun, kGunHoldModeButton);
    EXPECT_FALSE(gun.Edit(kGunRepeatEdit)->isEnabled());
    EXPECT_EQ(Shown(gun, kGunRepeatEdit), "1");
    EXPECT_EQ(RecoilMacroViewOf(0)->playMode, kPlayModeHoldLoop);
    EXPECT_EQ(RecoilMacroViewOf(0)->repeatCount, 1);
    Click(gun, kGunRepeatModeButton);
    EXPECT_TRUE(gun.Edit(kGunRepeatEdit)->isEnabled());
    EXPECT_EQ(RecoilMacroViewOf(0)->playMode, kPlayModeRepeatCount);
    EXPECT_GE(Shown(gun, kGunRepeatEdit).toInt(), 1);
  });
}

TEST_F(RecoilDialogTest, AMissingPictureIsReportedOncePerShownWeapon) {
  StartDialog();
  std::filesystem::remove(appDir_ / "skins" / "Gun" / "1.jpg");
  messages_.clear();
  Run([&](CDialogGun& gun) {
    for (int i = 0; i < 4; ++i) {
      gun.repaint();
      QApplication::processEvents();
    }
    EXPECT_EQ(messages_.messages().size(), 1U);
    g_curGun = 1;
    gun.OnGunSelected(0);
    gun.repaint();
    g_curGun = 0;
    gun.OnGunSelected(1);
    gun.repaint();
    gun.repaint();
    QApplication::processEvents();
  });
  EXPECT_EQ(messages_.englishTexts(),
            (std::vector<std::u16string>{u"枪械图片丢失，未能对应!", u"枪械图片丢失，未能对应!"}));
}

TEST_F(RecoilDialogTest, TheListOpensBelowTheNameFieldAndCloseAtTheNextClick) {
  StartDialog();
  QPoint openedAt;
  QPointer<QWidget> list;
  SetRecoilListOpener([&](CDialogGun& gun, QPoint topLeft) {
    openedAt = topLeft;
    list = new QWidget(&gun, Qt::Tool | Qt::FramelessWindowHint);
    list->show();
  });
  Run([&](CDialogGun& gun) {
    Click(gun, kGunListButton);
    const SkinRect& name = gun.Layout().rects[kGunNameField];
    EXPECT_EQ(openedAt, gun.mapToGlobal(QPoint(name.x, name.y + name.height)));
    ASSERT_TRUE(list);
    Click(gun, kGunTitleCaption);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(list);
  });
}

TEST_F(RecoilDialogTest, EscClosesTheOpenRecoilListBeforeTheDialog) {
  StartDialog();
  SetRecoilListOpener(
      [](CDialogGun& gun, QPoint topLeft) { OpenRecoilMenu(gun, topLeft, g_curGun); });
  const bool saved = Run([&](CDialogGun& gun) {
    Click(gun, kGunListButton);
    ASSERT_NE(RecoilPopup(), nullptr);
    QTest::keyClick(gun.Edit(kGunRepeatEdit), Qt::Key_Escape);
    EXPECT_EQ(RecoilPopup(), nullptr);
    EXPECT_TRUE(gun.isVisible()) << "the first Esc is the list's";
    QTest::keyClick(&gun, Qt::Key_Escape);
    EXPECT_FALSE(gun.isVisible());
  });
  EXPECT_FALSE(saved);
}

}  // namespace
}  // namespace gm::test
