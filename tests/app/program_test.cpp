// The program as it is started and as it ends: its choice of the mouse, its single instance,
// its exit status, and the end by a signal. It runs from a copy of its folder (the executable
// beside a copy of the data folder), mostly on the virtual mouse.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ui/qt_app_for_tests.h"
#include "support/temp_dir.h"
#include "app/device_choice.h"
#include "device/virtual_mouse.h"
#include "program_folder.h"
#include "app/gmouse_app.h"
#include "ui/pages/page_elements.h"
// Last: it brings Xlib's macros.
#include "desktop_program_fixture.h"

namespace gm::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kSecondCopyMs = 20000;
constexpr int kEndMs = 20000;

// Report log lines of the virtual mouse (see ReportLog).
constexpr char kBlockCommitLine[] = " SET 07 18 09 ";
constexpr char kFinalCommitLine[] = " SET 07 18 10 ";

// True once the process catches `signalNumber` (its handler is installed), from
// /proc/<pid>/status.
bool Catches(qint64 pid, int signalNumber) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
    return (mask >> (signalNumber - 1) & 1) != 0;
  }
  return false;
}

// The log of a download the program ended by a signal: the whole download, then the leaving
// notice once, after it.
void ExpectFinishedDownloadThenOneLeavingNotice(const std::string& log) {
  const size_t lastBlock = log.rfind(kBlockCommitLine);
  const size_t finalCommit = log.rfind(kFinalCommitLine);
  ASSERT_NE(lastBlock, std::string::npos) << log;
  ASSERT_NE(finalCommit, std::string::npos) << "the download was cut off";
  EXPECT_GT(finalCommit, lastBlock) << "the final commit ends the download";
  EXPECT_EQ(CountOf(log, kLeavingNoticeLine), 1u);
  EXPECT_GT(log.rfind(kLeavingNoticeLine), finalCommit);
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    CopyProgramFolder(temp_.path());
  }

  QProcess* Start(const char* device, const QProcessEnvironment& extra = {}) {
    auto* process = new QProcess();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               QString::fromStdString((temp_ / "runtime").string()));
    env.insert(QString::fromLatin1(kDeviceChoiceVariable), QString::fromLatin1(device));
    env.insert(extra);
    process->setProcessEnvironment(env);
    process->start(QString::fromStdString((temp_ / "gmouse").string()), {});
    processes_.push_back(process);
    return process;
  }

  void TearDown() override {
    for (QProcess* process : processes_) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(kStartMs);
      }
      delete process;
    }
  }

  TempDir temp_;
  std::vector<QProcess*> processes_;
};

TEST_F(ProgramTest, ASecondCopyEndsAtOnceAndTheFirstRunsOn) {
  QProcess* first = Start("auto");
  ASSERT_TRUE(first->waitForStarted(kStartMs));
  // Running on the virtual mouse, with the note that says so.
  QByteArray errors;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        errors += first->readAllStandardError();
        return errors.contains(kVirtualMouseNote);
      },
      kStartMs))
      << errors.toStdString() << " state " << first->state();
  QTest::qWait(500);  // start-up done: the first copy listens for later copies
  EXPECT_EQ(first->state(), QProcess::Running);

  QProcess* second = Start("virtual");
  ASSERT_TRUE(second->waitForFinished(kSecondCopyMs));
  ExpectEndedWith(*second, 0);
  EXPECT_FALSE(second->readAllStandardError().contains(kVirtualMouseNote))
      << "the second copy ends before it looks for a mouse";
  EXPECT_EQ(second->readAllStandardOutput(), QByteArray(kAlreadyRunningNote))
      << "it says what it did, in one line";
  EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(ProgramTest, AnUnknownDeviceIsRefusedNamingTheValidValues) {
  QProcess* program = Start("Virtual");
  ASSERT_TRUE(program->waitForFinished(kStartMs));
  ExpectEndedWith(*program, kExitUnknownDevice);
  EXPECT_EQ(program->readAllStandardError().toStdString(),
            UnknownDeviceChoiceMessage("Virtual") + "\n");
}

// SIGTERM during an Apply: ProgramDesktopTest below.
TEST_F(ProgramTest, SigintAndSighupEndItAsExitDriverDoes) {
  for (const int signalNumber : {SIGINT, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    const std::filesystem::path log = temp_ / ("reports" + std::to_string(signalNumber));
    const std::filesystem::path dump = temp_ / ("memory" + std::to_string(signalNumber));
    QProcessEnvironment extra;
    extra.insert(QString::fromLatin1(kVirtualLogVariable), QString::fromStdString(log));
    extra.insert(QString::fromLatin1(kVirtualDumpVariable), QString::fromStdString(dump));
    QProcess* program = Start("virtual", extra);
    ASSERT_TRUE(program->waitForStarted(kStartMs));
    // The handlers are installed once the window runs.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Catches(program->processId(), signalNumber); }, kStartMs))
        << program->readAllStandardError().toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(program->processId()), signalNumber), 0);
    ASSERT_TRUE(program->waitForFinished(kEndMs));
    ExpectEndedWith(*program, kExitNormal);
    EXPECT_EQ(CountOf(ReadFileBytes(log), kLeavingNoticeLine), 1u);
    EXPECT_EQ(DumpSize(dump), kVirtualMouseMemorySize);
  }
}

// Started with SIGHUP ignored (nohup), the program outlives its terminal: the signal stays
// ignored, and SIGTERM still ends it as Exit Driver does.
TEST_F(ProgramTest, AnIgnoredSighupStaysIgnored) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction before {};
  ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
  QProcess* program = Start("virtual");  // inherits the ignored signal, as from nohup
  const bool started = program->waitForStarted(kStartMs);
  ::sigaction(SIGHUP, &before, nullptr);
  ASSERT_TRUE(started);
  const qint64 pid = program->processId();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Catches(pid, SIGTERM); }, kStartMs))
      << program->readAllStandardError().toStdString();
  EXPECT_FALSE(Catches(pid, SIGHUP));
  ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGTERM), 0);
  ASSERT_TRUE(program->waitForFinished(kEndMs));
  ExpectEndedWith(*program, kExitNormal);
}

// ---- On a desktop: clicks and message boxes ---------------------------------------------------

class ProgramDesktopTest : public DesktopProgramTest {
 protected:
  void SetUp() override {
    if (!StartDesktop({"openbox", "xdotool"})) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(HasFailure());
  }

  std::string Log() const { return ReadFileBytes(ReportLogPath()); }
};

TEST_F(ProgramDesktopTest, SigtermDuringApplyFinishesTheDownloadThenEndsAsExitDriverDoes) {
  StartProgram();
  const std::string window = WaitForMainWindow();
  ASSERT_FALSE(window.empty()) << program_->readAll().toStdString();
  const Geometry apply = MainElement(kMainApply);
  ASSERT_FALSE(HasFailure());

  // Apply from its button (again if the busy machine lost the click); the signal comes once
  // the first blocks are in.
  bool downloading = false;
  for (int attempt = 0; attempt < 3 && !downloading; ++attempt) {
    ClickElement(window, apply);
    downloading = QTest::qWaitFor([&] { return Log().find(kBlockCommitLine) != std::string::npos; },
                                  kDesktopWaitMs);
  }
  ASSERT_TRUE(downloading) << "Apply did not start";
  ASSERT_EQ(::kill(static_cast<pid_t>(program_->processId()), SIGTERM), 0);
  const std::string atSignal = Log();

  ASSERT_TRUE(program_->waitForFinished(kEndMs));
  ASSERT_EQ(atSignal.find(kFinalCommitLine), std::string::npos)
      << "the signal came after the download; the test proves nothing";
  ExpectEndedWith(*program_, kExitNormal);
  ExpectFinishedDownloadThenOneLeavingNotice(Log());
  EXPECT_EQ(DumpSize(MemoryDumpPath()), kVirtualMouseMemorySize);
}

TEST_F(ProgramDesktopTest, WithoutAMouseTheMessageAlsoGoesToStandardErrorAndTheStatusIs1) {
  programEnvironment_.insert(QString::fromLatin1(kDeviceChoiceVariable), QStringLiteral("real"));
  StartProgram();
  // The message box is the program's one window; the user reads it and presses Enter.
  const std::string box = WaitForOtherWindow({}, kProgramStartMs);
  ASSERT_FALSE(box.empty()) << program_->readAll().toStdString();
  ASSERT_FALSE(program_->waitForFinished(200)) << "it waits for the user";
  for (int attempt = 0; attempt < 3 && program_->state() != QProcess::NotRunning; ++attempt) {
    Xdotool({"windowactivate", "--sync", box, "key", "Return"});
    program_->waitForFinished(kDesktopWaitMs);
  }
  ASSERT_EQ(program_->state(), QProcess::NotRunning);
  ExpectEndedWith(*program_, kExitStartFailed);
  // The copied data is in English.
  EXPECT_TRUE(program_->readAll().contains("Please plug-in【GMouse G9】USB KeyBoard\n"));
}

}  // namespace
}  // namespace gm::test
