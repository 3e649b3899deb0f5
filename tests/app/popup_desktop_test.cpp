// The key list on a real X desktop (Xvfb with openbox), driven with xdotool as a user drives
// it: a press on key 0's button dragged onto a row and released there picks the row (read
// back from the settings file after Apply); Esc closes the list; the recoil list of a key list
// at the top of the screen lies on the screen; the recoil dialog's weapon list, opened as soon
// as the dialog shows, lies under the weapon's name box. Where ImageMagick's import is
// installed, the drag pick, the moved recoil list and the weapon list are saved as screenshots.

#include <QImage>

#include "desktop_program_fixture.h"
#include "ui/dialogs/dialog_gun.h"
#include "ui/pages/page_elements.h"
#include "ui/popups/popup_menus.h"

namespace gm::test {
namespace {

constexpr int kPickedRow = 5;     // function 5
constexpr int kRecoilRow = 12;    // "PUBG": the second-level list of the recoil macros
constexpr int kListWaitMs = 5000;
constexpr int kClickTries = 3;
constexpr int kDesktopHeight = 1024;

class PopupDesktopTest : public DesktopProgramTest {
 protected:
  void SetUp() override {
    if (!StartDesktop({"openbox", "xdotool"})) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(HasFailure());
    StartProgram();
    window_ = WaitForMainWindow();
    ASSERT_FALSE(window_.empty()) << program_->readAll().toStdString();
  }

  // The program's visible windows other than `except`, once there is one.
  std::optional<Geometry> WaitForListBeside(const std::vector<std::string>& except,
                                            std::string* id = nullptr) {
    const std::string list = WaitForOtherWindow(except, kListWaitMs);
    if (list.empty()) return std::nullopt;
    if (id != nullptr) *id = list;
    return GeometryOf(list);
  }

  // A click on a key button; tried again while the window still ignores clicks (an Apply
  // ends) or the busy machine lost one. The key list's geometry.
  std::optional<Geometry> ClickOpensKeyList(int x, int y, std::string* id) {
    for (int attempt = 0; attempt < kClickTries; ++attempt) {
      Click(x, y, "1");
      if (auto list = WaitForListBeside({window_}, id)) return list;
    }
    return std::nullopt;
  }

  bool WaitForWindowGone(const std::string& id) {
    return QTest::qWaitFor([&] { return !Visible(id); }, kListWaitMs);
  }

  int SavedKeyFunction() {
    return std::atoi(ToUtf8(GetPrivateProfileStringW(u"Config0", u"K0", u"", 32,
                                                     temp_ / "skins" / "config" / "config.ini"))
                         .c_str());
  }

  std::string window_;
};

TEST_F(PopupDesktopTest, ADragOntoARowPicksItEscClosesAndTheRecoilListStaysOnScreen) {
  const auto place = GeometryOf(window_);
  ASSERT_TRUE(place);
  const Geometry key = MainElement(kMainFirstKeyButton);
  const int keyX = place->x + key.CentreX();
  const int keyY = place->y + key.CentreY();

  // Press on the button, drag onto row 5 on the way down, release there.
  std::string listId;
  std::optional<Geometry> list;
  for (int attempt = 0; attempt < kClickTries && !list; ++attempt) {
    Xdotool({"mousemove", std::to_string(keyX), std::to_string(keyY), "mousedown", "1"});
    list = WaitForListBeside({window_}, &listId);
    if (!list) Xdotool({"mouseup", "1"});  // a press the starting window did not take
  }
  ASSERT_TRUE(list) << "the key list did not open on the press";
  const int rowY = KeyListRowY(*list, kPickedRow);
  for (const int y : {KeyListRowY(*list, 1), (list->y + rowY) / 2, rowY}) {
    Xdotool({"mousemove", std::to_string(list->CentreX()), std::to_string(y)});
    QTest::qWait(50);
  }
  Screenshot("popup_drag_pick.png");
  Xdotool({"mouseup", "1"});
  ASSERT_TRUE(WaitForWindowGone(listId)) << "the release on the row did not pick it";
  ClickElement(window_, MainElement(kMainApply));
  EXPECT_TRUE(QTest::qWaitFor([&] { return SavedKeyFunction() == kPickedRow; }, kListWaitMs))
      << "key 0's function after Apply: " << SavedKeyFunction();

  // A click opens the list; Esc closes it.
  ASSERT_TRUE(ClickOpensKeyList(keyX, keyY, &listId));
  Xdotool({"key", "Escape"});
  EXPECT_TRUE(WaitForWindowGone(listId)) << "Esc left the list open";

  // The main window at the top of the screen: the recoil list, 12 - 20 rows down, would
  // start above the screen; it lies on it.
  Xdotool({"windowmove", window_, std::to_string(place->x), "0"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return GeometryOf(window_)->y == 0; }, kListWaitMs));
  const auto keyList = ClickOpensKeyList(place->x + key.CentreX(), key.CentreY(), &listId);
  ASSERT_TRUE(keyList);
  Xdotool({"mousemove", std::to_string(keyList->CentreX()),
           std::to_string(KeyListRowY(*keyList, kRecoilRow))});
  const auto recoil = WaitForListBeside({window_, listId});
  ASSERT_TRUE(recoil) << "no recoil list beside row 12";
  EXPECT_EQ(recoil->y, 0) << "moved down just onto the screen";
  EXPECT_EQ(recoil->x, keyList->x + keyList->width);
  Screenshot("popup_recoil_list_on_screen.png");
}

TEST_F(PopupDesktopTest, TheWeaponListOpensUnderTheNameBoxAsSoonAsTheDialogShows) {
  const auto place = GeometryOf(window_);
  ASSERT_TRUE(place);
  const Geometry tab = MainElement(kMainTabMacro);
  const Geometry recoil = LayoutElement("skin_mac_en.ini", kMacRecoilEditor);
  const Geometry name = LayoutElement("skin_gun_en.ini", kGunNameField);
  const QSize dialogSize =
      QImage(QString::fromStdString((temp_ / "skins" / "gun_mask.jpg").string())).size();
  ASSERT_FALSE(dialogSize.isEmpty());
  // The dialog shows centred over the main window.
  const int nameX = place->x + (place->width - dialogSize.width()) / 2 + name.CentreX();
  const int nameY = place->y + (place->height - dialogSize.height()) / 2 + name.CentreY();

  std::optional<Geometry> dialog, list;
  for (int attempt = 0; attempt < kClickTries && !list; ++attempt) {
    ClickElement(window_, tab);
    QTest::qWait(300);
    // The press on the name box follows the dialog's opening at once, while the window
    // manager may still be placing the dialog.
    Xdotool({"mousemove", std::to_string(place->x + recoil.CentreX()),
             std::to_string(place->y + recoil.CentreY()), "click", "1", "sleep", "0.05",
             "mousemove", std::to_string(nameX), std::to_string(nameY), "click", "1"});
    static_cast<void>(QTest::qWaitFor(
        [&] {
          dialog.reset();
          list.reset();
          for (const std::string& w : VisibleProgramWindows()) {
            const auto g = GeometryOf(w);
            if (!g || w == window_) continue;
            if (g->width == dialogSize.width()) dialog = g;
            if (g->width == kRecoilListWindowWidth) list = g;
          }
          return dialog && list;
        },
        kListWaitMs));
    if (!list) Xdotool({"key", "Escape", "sleep", "0.2", "key", "Escape"});
  }
  ASSERT_TRUE(dialog && list) << "no weapon list beside the recoil dialog";
  Screenshot("recoil_weapon_list.png");
  EXPECT_EQ(list->x, dialog->x + name.x);
  EXPECT_EQ(list->y, dialog->y + name.y + name.height) << "just under the name box";
  EXPECT_GE(list->x, dialog->x);
  EXPECT_LE(list->x + list->width, dialog->x + dialog->width) << "inside the dialog's width";
  EXPECT_GE(list->y, 0);
  EXPECT_LE(list->y + list->height, kDesktopHeight) << "on the screen";
}

}  // namespace
}  // namespace gm::test
