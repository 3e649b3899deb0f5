// The key list on a real X desktop (Xvfb with openbox), driven with xdotool as a user drives
// it: a press on key 0's button dragged onto a row and released there picks the row (read
// back from the settings file after Apply); Esc closes the list; the recoil list of a key list
// at the top of the screen lies on the screen. The drag pick and the moved recoil list are
// saved as screenshots.

#include <QImage>

#include "desktop_program_fixture.h"

namespace gm::test {
namespace {

constexpr int kKeyButton = 20;    // main-table element of key 0's button
constexpr int kApplyButton = 3;   // main-table element of Apply
constexpr int kKeyListRows = 15;  // the key list's mask holds 15 rows
constexpr int kPickedRow = 5;     // function 5
constexpr int kRecoilRow = 12;    // "PUBG": the second-level list of the recoil macros
constexpr int kListWaitMs = 5000;
constexpr int kClickTries = 3;

class PopupDesktopTest : public DesktopProgramTest {
 protected:
  void SetUp() override {
    if (!StartDesktop({"openbox", "xdotool"})) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(HasFailure());
    StartProgram();
    window_ = WaitForMainWindow();
    ASSERT_FALSE(window_.empty()) << program_->readAll().toStdString();
    rowHeight_ = QImage(QString::fromStdString((temp_ / "skins" / "menu1_mask.jpg").string()))
                     .height() / kKeyListRows;
    ASSERT_GT(rowHeight_, 0);
  }

  // The program's visible windows other than `except`, once there is one.
  std::optional<Geometry> WaitForListBeside(const std::vector<std::string>& except,
                                            std::string* id = nullptr) {
    std::string list;
    if (!QTest::qWaitFor(
            [&] {
              list = OtherVisibleWindow(except).value_or("");
              return !list.empty();
            },
            kListWaitMs)) {
      return std::nullopt;
    }
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
  int rowHeight_ = 0;
};

TEST_F(PopupDesktopTest, ADragOntoARowPicksItEscClosesAndTheRecoilListStaysOnScreen) {
  const auto place = GeometryOf(window_);
  ASSERT_TRUE(place);
  const Geometry key = MainElement(kKeyButton);
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
  const int rowY = list->y + (kPickedRow - 1) * rowHeight_ + rowHeight_ / 2;
  for (const int y : {list->y + rowHeight_ / 2, (list->y + rowY) / 2, rowY}) {
    Xdotool({"mousemove", std::to_string(list->CentreX()), std::to_string(y)});
    QTest::qWait(50);
  }
  Screenshot("popup_drag_pick.png");
  Xdotool({"mouseup", "1"});
  ASSERT_TRUE(WaitForWindowGone(listId)) << "the release on the row did not pick it";
  const Geometry apply = MainElement(kApplyButton);
  Click(place->x + apply.CentreX(), place->y + apply.CentreY(), "1");
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
           std::to_string(keyList->y + (kRecoilRow - 1) * rowHeight_ + rowHeight_ / 2)});
  const auto recoil = WaitForListBeside({window_, listId});
  ASSERT_TRUE(recoil) << "no recoil list beside row 12";
  EXPECT_EQ(recoil->y, 0) << "moved down just onto the screen";
  EXPECT_EQ(recoil->x, keyList->x + keyList->width);
  Screenshot("popup_recoil_list_on_screen.png");
}

}  // namespace
}  // namespace gm::test
