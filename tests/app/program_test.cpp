// The program as it is started: its choice of the mouse and its single instance. It runs from a
// copy of its folder (the executable beside a copy of the data folder) on the virtual mouse.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <filesystem>

#include "ui/qt_app_for_tests.h"
#include "support/temp_dir.h"
#include "app/device_choice.h"
#include "program_folder.h"
#include "app/gmouse_app.h"

namespace gm::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kSecondCopyMs = 20000;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    CopyProgramFolder(temp_.path());
  }

  QProcess* Start(const char* device) {
    auto* process = new QProcess();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               QString::fromStdString((temp_ / "runtime").string()));
    env.insert(QString::fromLatin1(kDeviceChoiceVariable), QString::fromLatin1(device));
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
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_FALSE(second->readAllStandardError().contains(kVirtualMouseNote))
      << "the second copy ends before it looks for a mouse";
  EXPECT_EQ(second->readAllStandardOutput(), QByteArray(kAlreadyRunningNote))
      << "it says what it did, in one line";
  EXPECT_EQ(first->state(), QProcess::Running);
}

}  // namespace
}  // namespace gm::test
