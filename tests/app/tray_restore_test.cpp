// The program hidden to the notification area and brought back, as a user does it, under a
// real window manager (openbox) with a tray panel (trayer) on Xvfb: the Hide button, then a
// double click on the icon or its "Show Window" entry. The window must come back every time,
// not stay minimised. The program runs from a copy of its folder on the virtual mouse.

#include "desktop_program_fixture.h"

namespace gm::test {
namespace {

constexpr int kWaitMs = kDesktopWaitMs;
constexpr int kStartMs = kProgramStartMs;
constexpr int kRounds = 50;
constexpr int kHideButton = 2;  // main-table element of the Hide button
constexpr int kRestoreTries = 3;
constexpr int kMenuWaitMs = 3000;  // for a click that may have been lost
// ICCCM window states in WM_STATE.
constexpr long kIconicState = 3;

class TrayRestoreTest : public DesktopProgramTest {
 protected:
  void SetUp() override {
    if (!StartDesktop({"openbox", "trayer", "xdotool"})) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(HasFailure());
    Spawn(QStringLiteral("trayer"),
          {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
           QStringLiteral("left"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
           QStringLiteral("--width"), QStringLiteral("64"), QStringLiteral("--heighttype"),
           QStringLiteral("pixel"), QStringLiteral("--height"), QStringLiteral("32")},
          true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Xdotool({"search", "--class", "trayer"}).empty(); },
                                kWaitMs))
        << "the tray panel did not start";
    QTest::qWait(500);  // the panel takes the tray selection after its window appears
    StartProgram();
  }

  // The window's state as the window manager keeps it: kIconicState when minimised; 0 when it
  // has none (withdrawn, i.e. hidden).
  long WmStateOf(const std::string& window) {
    const Atom wmState = XInternAtom(x11_, "WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long state = 0;
    if (XGetWindowProperty(x11_, std::stoul(window), wmState, 0, 2, False, wmState, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32 && count >= 1) {
      state = reinterpret_cast<long*>(data)[0];
    }
    if (data != nullptr) XFree(data);
    return state;
  }
};

TEST_F(TrayRestoreTest, HiddenWindowComesBackFromTheIconEveryTime) {
  // The main window is the program's large window; the icon is the other one.
  const std::string window = WaitForMainWindow();
  ASSERT_FALSE(window.empty()) << program_->readAll().toStdString();
  std::string icon;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        icon = OtherVisibleWindow({window}).value_or("");
        return !icon.empty();
      },
      kStartMs))
      << "no icon in the tray panel";
  const auto iconPlace = GeometryOf(icon);
  ASSERT_TRUE(iconPlace);

  const Geometry hideButton = MainElement(kHideButton);
  ASSERT_FALSE(HasFailure());

  int stayedAway = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto place = GeometryOf(window);
    ASSERT_TRUE(place);
    bool hidden = false;
    for (int attempt = 0; attempt < kRestoreTries && !hidden; ++attempt) {
      Click(place->x + hideButton.CentreX(), place->y + hideButton.CentreY(), "1");
      hidden = QTest::qWaitFor([&] { return !Visible(window); }, kMenuWaitMs);
    }
    ASSERT_TRUE(hidden) << "the Hide button did not hide the window, round " << round;

    // A click the busy machine lost leaves the window hidden, and the user tries again; one
    // that reached the program must bring the window back, not leave it minimised.
    bool back = false;
    for (int attempt = 0; attempt < kRestoreTries && !back; ++attempt) {
      if (round % 2 == 0) {
        Click(iconPlace->CentreX(), iconPlace->CentreY(), "1", 2);
      } else {
        Click(iconPlace->CentreX(), iconPlace->CentreY(), "3");
        std::string menu;
        const bool menuShown = QTest::qWaitFor(
            [&] {
              menu = OtherVisibleWindow({window, icon}).value_or("");
              return !menu.empty();
            },
            kMenuWaitMs);
        const auto menuPlace = menuShown ? GeometryOf(menu) : std::nullopt;
        if (!menuPlace) {
          Xdotool({"key", "Escape"});
          continue;  // the right click was lost: the user clicks again
        }
        // "Show Window" is the first of the menu's two entries.
        Click(menuPlace->CentreX(), menuPlace->y + menuPlace->height / 4, "1");
      }
      back = QTest::qWaitFor([&] { return Visible(window); }, kWaitMs);
      if (!back && WmStateOf(window) == kIconicState) break;
    }
    if (!back) {
      ++stayedAway;
      Xdotool({"windowmap", window});  // bring it back by hand for the next round
      ASSERT_TRUE(QTest::qWaitFor([&] { return Visible(window); }, kWaitMs)) << round;
    }
  }
  EXPECT_EQ(stayedAway, 0) << "of " << kRounds << " restores";
}

}  // namespace
}  // namespace gm::test
