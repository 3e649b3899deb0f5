#pragma once
// The program on a private X desktop, driven as a user drives it: Xvfb (1280 x 1024) with a
// real window manager (openbox), the program started from a copy of its folder on the virtual
// mouse (which logs the reports it gets and writes its memory out at the end), and xdotool
// for the pointer and the keys. Where ImageMagick's import is installed, Screenshot saves the
// screen to <build>/screenshots for a person to see.

#include <gtest/gtest.h>

#include <QImage>
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
#include <system_error>
#include <utility>
#include <vector>

#include "app/device_choice.h"
#include "device/virtual_mouse.h"
#include "program_folder.h"
#include "platform/private_profile.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "ui/qt_app_for_tests.h"

// Last: Xlib's macros would clash with the headers above.
#include <X11/Xlib.h>

namespace gm::test {

inline constexpr int kDesktopWaitMs = 10000;
// Start-up under the sanitizers on a busy machine can take a while.
inline constexpr int kProgramStartMs = 30000;

// The virtual mouse's report log line of the leaving notice.
inline constexpr char kLeavingNoticeLine[] = " SET 07 20 ";

// How often `part` occurs in `text`.
inline size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The size of the virtual mouse's memory dump; 0 when there is none.
inline uintmax_t DumpSize(const std::filesystem::path& file) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

// The program ended by itself with `code`.
inline void ExpectEndedWith(QProcess& program, int code) {
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), code);
}

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  int CentreX() const { return x + width / 2; }
  int CentreY() const { return y + height / 2; }
};

class DesktopProgramTest : public ::testing::Test {
 protected:
  // Xvfb and openbox; false (the test skips) without Xvfb. `tools` must be installed.
  bool StartDesktop(const std::vector<const char*>& tools) {
    EnsureQtApplication();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) return false;
    for (const char* tool : tools) {
      EXPECT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
          << tool << " is missing (scripts/setup-debian.sh installs it)";
    }
    QProcess* server = Spawn(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                    QStringLiteral("-screen"), QStringLiteral("0"),
                                    QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                    QStringLiteral("tcp")},
                             false);
    EXPECT_TRUE(server->waitForStarted(kDesktopWaitMs));
    while (!server->canReadLine() && server->waitForReadyRead(kDesktopWaitMs)) {
    }
    const QByteArray number = server->readLine().trimmed();
    EXPECT_FALSE(number.isEmpty()) << "Xvfb did not start";
    display_ = QStringLiteral(":") + QString::fromLatin1(number);
    x11_ = XOpenDisplay(display_.toLocal8Bit().constData());
    EXPECT_NE(x11_, nullptr);
    Spawn(QStringLiteral("openbox"), {}, true);
    return true;
  }

  void StartProgram() {
    CopyProgramFolder(temp_.path());
    // libdbus (the notification area, logind's power events) keeps allocations to the end of
    // the process; in a sanitizer build the leak checker would fail every normal end for them.
    const std::filesystem::path leaks = temp_ / "leak_suppressions.txt";
    WriteFileBytes(leaks, "leak:libdbus-1.so\n");
    program_ = Spawn(QString::fromStdString((temp_ / "gmouse").string()), {}, true,
                     {{QString::fromLatin1(kVirtualLogVariable), PathText(ReportLogPath())},
                      {QString::fromLatin1(kVirtualDumpVariable), PathText(MemoryDumpPath())},
                      {QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=") + PathText(leaks)}});
    ASSERT_TRUE(program_->waitForStarted(kProgramStartMs));
  }

  // The virtual mouse's report log and the memory it writes out when the program ends.
  std::filesystem::path ReportLogPath() const { return temp_ / "reports.log"; }
  std::filesystem::path MemoryDumpPath() const { return temp_ / "memory.bin"; }

  void TearDown() override {
    if (x11_ != nullptr) XCloseDisplay(x11_);
    // The program first, then the desktop it ran on.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
      (*it)->kill();
      (*it)->waitForFinished(kDesktopWaitMs);
      delete *it;
    }
  }

  QProcess* Spawn(const QString& program, const QStringList& arguments, bool onDisplay,
                  const std::vector<std::pair<QString, QString>>& variables = {}) {
    auto* process = new QProcess();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : variables) env.insert(name, value);
    if (onDisplay) env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               QString::fromStdString((temp_ / "runtime").string()));
    env.insert(QString::fromLatin1(kDeviceChoiceVariable), QStringLiteral("virtual"));
    env.insert(programEnvironment_);
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
    tool.waitForFinished(kDesktopWaitMs);
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

  // The visible window of the program other than `except` (the icon, a menu, a list).
  std::optional<std::string> OtherVisibleWindow(const std::vector<std::string>& except) {
    for (const std::string& w : VisibleProgramWindows()) {
      bool excluded = false;
      for (const std::string& e : except) excluded = excluded || e == w;
      if (!excluded) return w;
    }
    return std::nullopt;
  }

  // The program's visible window other than `except`, once there is one; empty when none
  // shows within `waitMs`.
  std::string WaitForOtherWindow(const std::vector<std::string>& except,
                                 int waitMs = kDesktopWaitMs) {
    std::string found;
    static_cast<void>(QTest::qWaitFor(
        [&] {
          found = OtherVisibleWindow(except).value_or("");
          return !found.empty();
        },
        waitMs));
    return found;
  }

  // A left click on `element` (in window coordinates) of the window `window`.
  void ClickElement(const std::string& window, const Geometry& element) {
    const auto place = GeometryOf(window);
    ASSERT_TRUE(place);
    Click(place->x + element.CentreX(), place->y + element.CentreY(), "1");
  }

  // The screen y of the middle of row `row` (from 1) of the key list at `list`; the rows'
  // height comes from the list's mask image.
  int KeyListRowY(const Geometry& list, int row) {
    constexpr int kKeyListRows = 15;
    const QImage mask(QString::fromStdString((temp_ / "skins" / "menu1_mask.jpg").string()));
    const int rowHeight = mask.height() / kKeyListRows;
    EXPECT_GT(rowHeight, 0);
    return list.y + (row - 1) * rowHeight + rowHeight / 2;
  }

  // The main window: the program's large window, once it shows; empty when it does not.
  std::string WaitForMainWindow() {
    std::string window;
    static_cast<void>(QTest::qWaitFor(
        [&] {
          for (const std::string& w : VisibleProgramWindows()) {
            const auto g = GeometryOf(w);
            if (g && g->width > 200) window = w;
          }
          return !window.empty();
        },
        kProgramStartMs));
    return window;
  }

  void Click(int x, int y, const char* button, int count = 1) {
    Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "--repeat",
             std::to_string(count), "--delay", "80", button});
  }

  // Element `element` of the English main page's layout file, in window coordinates.
  Geometry MainElement(int element) { return LayoutElement("skin_main_en.ini", element); }

  // Element `element` of an English layout file, in its window's coordinates.
  Geometry LayoutElement(const char* file, int element) {
    const std::u16string line = GetPrivateProfileStringW(
        u"BUTTONPOS", DecimalText(element), u"", 260, temp_ / "skins" / "INI_EN" / file);
    // "name,x,y,w,h,caption,"
    std::vector<int> fields{0};
    std::stringstream values(ToUtf8(line));
    std::string field;
    std::getline(values, field, ',');
    while (fields.size() < 5 && std::getline(values, field, ',')) {
      fields.push_back(std::atoi(field.c_str()));
    }
    EXPECT_EQ(fields.size(), 5u) << ToUtf8(line);
    if (fields.size() < 5) return {};
    return Geometry{fields[1], fields[2], fields[3], fields[4]};
  }

  // The whole screen into <build>/screenshots/name.
  void Screenshot(const char* name) {
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty()) return;
    const auto dir =
        std::filesystem::path(GMOUSE_APP_DIR).parent_path().parent_path() / "screenshots";
    std::filesystem::create_directories(dir);
    QProcess import;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    import.setProcessEnvironment(env);
    import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                            QString::fromStdString((dir / name).string())});
    import.waitForFinished(kDesktopWaitMs);
  }

  static QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
  }

  TempDir temp_;
  // Set before StartProgram: variables for the program (the device choice, say), over the
  // fixture's own.
  QProcessEnvironment programEnvironment_;
  Display* x11_ = nullptr;
  QString display_;
  QProcess* program_ = nullptr;
  std::vector<QProcess*> processes_;
};

}  // namespace gm::test
