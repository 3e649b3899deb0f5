// The notification-area icon as a user uses it, under a real window manager (openbox) with a
// tray panel (trayer) on Xvfb. The program hidden with the Hide button comes back from a double
// click on the icon or its "Show Window" entry every time, not minimised. With the recoil or
// the key-capture dialog open, the icon's menu still answers: "Show Window" brings the
// minimised window and its dialog up, "Exit Driver" ends the dialog and the program, which
// sends the leaving notice once and ends normally. The program runs from a copy of its folder
// on the virtual mouse.

#include "ui/pages/page_elements.h"
// Last: it brings Xlib's macros.
#include "desktop_program_fixture.h"

namespace gm::test {
namespace {

constexpr int kWaitMs = kDesktopWaitMs;
constexpr int kStartMs = kProgramStartMs;
constexpr int kRounds = 50;
constexpr int kRestoreTries = 3;
constexpr int kMenuWaitMs = 3000;  // for a click that may have been lost
// ICCCM window states in WM_STATE.
constexpr long kIconicState = 3;

// The tray menu's entries, top to bottom.
enum class TrayEntry { kShowWindow, kExitDriver };

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

    // The main window is the program's large window; the icon is the other one.
    window_ = WaitForMainWindow();
    ASSERT_FALSE(window_.empty()) << program_->readAll().toStdString();
    icon_ = WaitForOtherWindow({window_}, kStartMs);
    ASSERT_FALSE(icon_.empty()) << "no icon in the tray panel";
    const auto iconPlace = GeometryOf(icon_);
    ASSERT_TRUE(iconPlace);
    iconPlace_ = *iconPlace;
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

  // A right click on the icon: the menu's place once it shows beside the windows `shown` (and
  // the icon). Nothing when the click was lost; Esc then closes whatever it opened late.
  std::optional<Geometry> OpenTrayMenu(std::vector<std::string> shown) {
    shown.push_back(icon_);
    Click(iconPlace_.CentreX(), iconPlace_.CentreY(), "3");
    const std::string menu = WaitForOtherWindow(shown, kMenuWaitMs);
    const auto place = menu.empty() ? std::nullopt : GeometryOf(menu);
    if (!place) Xdotool({"key", "Escape"});
    return place;
  }

  void ClickTrayEntry(const Geometry& menu, TrayEntry entry) {
    const int quarter = menu.height / 4;
    Click(menu.CentreX(), menu.y + (entry == TrayEntry::kShowWindow ? quarter : 3 * quarter), "1");
  }

  std::string window_;
  std::string icon_;
  Geometry iconPlace_;
};

TEST_F(TrayRestoreTest, HiddenWindowComesBackFromTheIconEveryTime) {
  const std::string& window = window_;
  const Geometry hideButton = MainElement(kMainHide);
  ASSERT_FALSE(HasFailure());

  int stayedAway = 0;
  for (int round = 0; round < kRounds; ++round) {
    bool hidden = false;
    for (int attempt = 0; attempt < kRestoreTries && !hidden; ++attempt) {
      ASSERT_NO_FATAL_FAILURE(ClickElement(window, hideButton));
      hidden = QTest::qWaitFor([&] { return !Visible(window); }, kMenuWaitMs);
    }
    ASSERT_TRUE(hidden) << "the Hide button did not hide the window, round " << round;

    // A click the busy machine lost leaves the window hidden, and the user tries again; one
    // that reached the program must bring the window back, not leave it minimised.
    bool back = false;
    for (int attempt = 0; attempt < kRestoreTries && !back; ++attempt) {
      if (round % 2 == 0) {
        Click(iconPlace_.CentreX(), iconPlace_.CentreY(), "1", 2);
      } else {
        const auto menu = OpenTrayMenu({window});
        if (!menu) continue;  // the right click was lost: the user clicks again
        ClickTrayEntry(*menu, TrayEntry::kShowWindow);
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

// ---- The tray menu while a dialog is open ---------------------------------------------------

constexpr int kKeyboardKeyRow = 14;  // opens the key-capture dialog
constexpr int kOpenTries = 3;
constexpr int kSettleMs = 500;

enum class DialogKind { kRecoil, kKeyCapture };

struct TrayOverDialogCase {
  DialogKind dialog;
  bool chinese;            // the interface switched to Chinese first
  const char* screenshot;  // of the tray menu open over the dialog
};

void PrintTo(const TrayOverDialogCase& row, std::ostream* out) { *out << row.screenshot; }

class TrayMenuOverDialogTest : public TrayRestoreTest,
                               public ::testing::WithParamInterface<TrayOverDialogCase> {
 protected:
  // The program's visible window other than the main window and the icon, once there is one.
  std::string WaitForWindowBeside() { return WaitForOtherWindow({window_, icon_}, kMenuWaitMs); }

  // Opens the dialog as a user does, tried again while the busy machine loses clicks; its
  // window, or empty.
  std::string OpenDialog(DialogKind kind) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
      if (kind == DialogKind::kRecoil) {
        ClickElement(window_, MainElement(kMainTabMacro));
        QTest::qWait(300);  // the macro page builds its lists
        ClickElement(window_, LayoutElement("skin_mac_en.ini", kMacRecoilEditor));
      } else {
        // The key list of key 0, then its keyboard-key row.
        ClickElement(window_, MainElement(kMainFirstKeyButton));
        const std::string list = WaitForWindowBeside();
        const auto listPlace = list.empty() ? std::nullopt : GeometryOf(list);
        if (!listPlace) continue;
        const int rowY = KeyListRowY(*listPlace, kKeyboardKeyRow);
        // The pointer rests on the row before the click, as a user's does.
        Xdotool({"mousemove", std::to_string(listPlace->CentreX()), std::to_string(rowY)});
        QTest::qWait(100);
        Click(listPlace->CentreX(), rowY, "1");
        if (!QTest::qWaitFor([&] { return !Visible(list); }, kMenuWaitMs)) continue;
      }
      const std::string dialog = WaitForWindowBeside();
      if (!dialog.empty()) return dialog;
    }
    return {};
  }

  // Chooses a tray entry, opening the menu again while the busy machine loses the right click.
  bool ChooseTrayEntry(TrayEntry entry, const std::vector<std::string>& shown,
                       const char* screenshot = nullptr) {
    for (int attempt = 0; attempt < kRestoreTries; ++attempt) {
      const auto menu = OpenTrayMenu(shown);
      if (!menu) continue;
      if (screenshot != nullptr) Screenshot(screenshot);
      ClickTrayEntry(*menu, entry);
      return true;
    }
    return false;
  }

  // VER_SEL of the settings file: "0" Chinese, "1" English.
  std::u16string SavedLanguage() {
    return GetPrivateProfileStringW(u"Init", u"VER_SEL", u"", 8,
                                    temp_ / "skins" / "config" / "config.ini");
  }
};

TEST_P(TrayMenuOverDialogTest, ShowWindowBringsBothUpAndExitEndsTheDialogThenTheProgram) {
  const TrayOverDialogCase& c = GetParam();
  if (c.chinese) {
    bool switched = false;
    for (int attempt = 0; attempt < kOpenTries && !switched; ++attempt) {
      ClickElement(window_, MainElement(kMainChinese));
      switched = QTest::qWaitFor([&] { return SavedLanguage() == u"0"; }, kMenuWaitMs);
    }
    ASSERT_TRUE(switched) << "the window did not switch to Chinese";
  }
  const std::string dialog = OpenDialog(c.dialog);
  ASSERT_FALSE(dialog.empty()) << "the dialog did not open";

  // Minimised as the window manager does it (a task bar's button): the dialog goes with the
  // window, and the tray's "Show Window" brings both up, the dialog on top with the focus.
  Xdotool({"windowminimize", window_});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Visible(window_) && !Visible(dialog); }, kWaitMs));
  // The user's click comes a moment later. (While the key capture holds the keyboard the tray
  // menu gets no pointer grab, and one opened within a few dozen milliseconds of the minimise
  // closes again at the release of its click.)
  QTest::qWait(kSettleMs);
  ASSERT_TRUE(ChooseTrayEntry(TrayEntry::kShowWindow, {}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Visible(window_) && Visible(dialog); }, kWaitMs))
      << "window shown: " << Visible(window_) << ", dialog shown: " << Visible(dialog);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const auto active = Xdotool({"getactivewindow"});
        return !active.empty() && active.front() == dialog;
      },
      kWaitMs))
      << "the dialog does not have the focus";

  ASSERT_TRUE(ChooseTrayEntry(TrayEntry::kExitDriver, {window_, dialog}, c.screenshot));
  ASSERT_TRUE(program_->waitForFinished(kWaitMs)) << "the program did not end";
  EXPECT_EQ(program_->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program_->exitCode(), 0) << program_->readAll().toStdString();
  EXPECT_EQ(CountOf(ReadFileBytes(ReportLogPath()), kLeavingNoticeLine), 1u);
  EXPECT_EQ(DumpSize(MemoryDumpPath()), kVirtualMouseMemorySize)
      << "the virtual mouse's memory was not written out at the end";
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, TrayMenuOverDialogTest,
    ::testing::Values(TrayOverDialogCase{DialogKind::kRecoil, true, "tray_menu_over_recoil_cn.png"},
                      TrayOverDialogCase{DialogKind::kKeyCapture, false,
                                         "tray_menu_over_key_capture_en.png"}),
    [](const ::testing::TestParamInfo<TrayOverDialogCase>& row) {
      return std::string(row.param.dialog == DialogKind::kRecoil ? "Recoil" : "KeyCapture") +
             (row.param.chinese ? "Chinese" : "English");
    });

}  // namespace
}  // namespace gm::test
