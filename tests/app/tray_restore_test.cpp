// The program hidden to the notification area and brought back, as a user does it, under a
// real window manager (openbox) with a tray panel (trayer) on Xvfb: the Hide button, then a
// double click on the icon or its "Show Window" entry. The window must come back every time,
// not stay minimised. The program runs from a copy of its folder on the virtual mouse.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/device_choice.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "ui/qt_app_for_tests.h"

// Last: Xlib's macros would clash with the headers above.
#include <X11/Xlib.h>

namespace gm::test {
namespace {

constexpr int kWaitMs = 10000;
// Start-up under the sanitizers on a busy machine can take a while.
constexpr int kStartMs = 30000;
constexpr int kRounds = 50;
constexpr int kHideButton = 2;  // main-table element of the Hide button
constexpr int kRestoreTries = 3;
constexpr int kMenuWaitMs = 3000;  // for a click that may have been lost
// ICCCM window states in WM_STATE.
constexpr long kIconicState = 3;

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  int CentreX() const { return x + width / 2; }
  int CentreY() const { return y + height / 2; }
};

class TrayRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    for (const char* tool : {"openbox", "trayer", "xdotool"}) {
      ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
          << tool << " is missing (scripts/setup-debian.sh installs it)";
    }
    QProcess* server = Spawn(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                    QStringLiteral("-screen"), QStringLiteral("0"),
                                    QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                    QStringLiteral("tcp")},
                             false);
    ASSERT_TRUE(server->waitForStarted(kWaitMs));
    while (!server->canReadLine() && server->waitForReadyRead(kWaitMs)) {
    }
    const QByteArray number = server->readLine().trimmed();
    ASSERT_FALSE(number.isEmpty()) << "Xvfb did not start";
    display_ = QStringLiteral(":") + QString::fromLatin1(number);
    x11_ = XOpenDisplay(display_.toLocal8Bit().constData());
    ASSERT_NE(x11_, nullptr);

    Spawn(QStringLiteral("openbox"), {}, true);
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

    const std::filesystem::path program(GMOUSE_PROGRAM);
    std::filesystem::copy(program.parent_path() / "skins", temp_ / "skins",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(program, temp_ / "gmouse");
    std::filesystem::create_directories(temp_ / "runtime");
    std::filesystem::permissions(temp_ / "runtime", std::filesystem::perms::owner_all);
    program_ = Spawn(QString::fromStdString((temp_ / "gmouse").string()), {}, true);
    ASSERT_TRUE(program_->waitForStarted(kStartMs));
  }

  void TearDown() override {
    if (x11_ != nullptr) XCloseDisplay(x11_);
    // The program first, then the desktop it ran on.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
      (*it)->kill();
      (*it)->waitForFinished(kWaitMs);
      delete *it;
    }
  }

  QProcess* Spawn(const QString& program, const QStringList& arguments, bool onDisplay) {
    auto* process = new QProcess();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (onDisplay) env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               QString::fromStdString((temp_ / "runtime").string()));
    env.insert(QString::fromLatin1(kDeviceChoiceVariable), QStringLiteral("virtual"));
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(onDisplay ? QProcess::MergedChannels
                                             : QProcess::SeparateChannels);
    process->start(program, arguments);
    processes_.push_back(process);
    return process;
  }

  // Runs xdotool on the test's display; its output lines.
  std::vector<std::string> Xdotool(const std::vector<std::string>& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    tool.setProcessEnvironment(env);
    QStringList list;
    for (const std::string& a : arguments) list << QString::fromStdString(a);
    tool.start(QStringLiteral("xdotool"), list);
    tool.waitForFinished(kWaitMs);
    std::vector<std::string> lines;
    for (const QByteArray& line : tool.readAllStandardOutput().split('\n')) {
      if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed().toStdString());
    }
    return lines;
  }

  std::vector<std::string> VisibleProgramWindows() {
    return Xdotool({"search", "--onlyvisible", "--pid", std::to_string(program_->processId())});
  }

  std::optional<Geometry> GeometryOf(const std::string& window) {
    Geometry g;
    for (const std::string& line : Xdotool({"getwindowgeometry", "--shell", window})) {
      const auto eq = line.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq);
      const int value = std::stoi(line.substr(eq + 1));
      if (key == "X") g.x = value;
      if (key == "Y") g.y = value;
      if (key == "WIDTH") g.width = value;
      if (key == "HEIGHT") g.height = value;
    }
    if (g.width <= 0 || g.height <= 0) return std::nullopt;
    return g;
  }

  bool Visible(const std::string& window) {
    for (const std::string& w : VisibleProgramWindows()) {
      if (w == window) return true;
    }
    return false;
  }

  // The visible window of the program other than `except` (the icon, or the tray menu).
  std::optional<std::string> OtherVisibleWindow(const std::vector<std::string>& except) {
    for (const std::string& w : VisibleProgramWindows()) {
      bool excluded = false;
      for (const std::string& e : except) excluded = excluded || e == w;
      if (!excluded) return w;
    }
    return std::nullopt;
  }

  void Click(int x, int y, const char* button, int count = 1) {
    Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "--repeat",
             std::to_string(count), "--delay", "80", button});
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

  TempDir temp_;
  Display* x11_ = nullptr;
  QString display_;
  QProcess* program_ = nullptr;
  std::vector<QProcess*> processes_;
};

TEST_F(TrayRestoreTest, HiddenWindowComesBackFromTheIconEveryTime) {
  // The main window is the program's large window; the icon is the other one.
  std::string window;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (const std::string& w : VisibleProgramWindows()) {
          const auto g = GeometryOf(w);
          if (g && g->width > 200) window = w;
        }
        return !window.empty();
      },
      kStartMs))
      << program_->readAll().toStdString();
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

  const std::u16string hideLine = GetPrivateProfileStringW(
      u"BUTTONPOS", DecimalText(kHideButton), u"", 260,
      temp_ / "skins" / "INI_EN" / "skin_main_en.ini");
  // "name,x,y,w,h,caption,"
  std::vector<int> fields{0};
  std::stringstream line(ToUtf8(hideLine));
  std::string field;
  std::getline(line, field, ',');
  while (fields.size() < 5 && std::getline(line, field, ',')) fields.push_back(std::atoi(field.c_str()));
  ASSERT_EQ(fields.size(), 5u) << ToUtf8(hideLine);
  const Geometry hideButton{fields[1], fields[2], fields[3], fields[4]};

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
