#include "backends/qt/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ui/qt_app_for_tests.h"
#include "support/temp_dir.h"

namespace gm::test {
namespace {

constexpr int kSignalWaitMs = 5000;
constexpr int kProcessWaitMs = 30000;
constexpr int kProbeSecondCopyExitCode = 3;

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }

  QString Folder() const { return QString::fromStdString(dir_.path().string()); }
  QString ServerPath() const { return Folder() + QStringLiteral("/") + kInstanceName; }
  std::unique_ptr<SingleInstance> Copy() const {
    return std::make_unique<SingleInstance>(QString::fromLatin1(kInstanceName), Folder());
  }

  TempDir dir_;
};

// A socket file nobody listens on, as a copy that crashed leaves it.
void LeaveOrphanSocket(const QString& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray bytes = QFile::encodeName(path);
  ASSERT_LT(static_cast<size_t>(bytes.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
  ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  close(fd);
  ASSERT_TRUE(QFileInfo::exists(path));
}

// A lock file as QLockFile writes it, held by a process that has ended.
void LeaveLockOfEndedProcess(const QString& path) {
  QProcess ended;
  ended.start(QStringLiteral("true"), {});
  ASSERT_TRUE(ended.waitForStarted());
  const qint64 pid = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  QFile lock(path);
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.write(QByteArray::number(pid) + "\ntrue\n" + QSysInfo::machineHostName().toUtf8() + "\n");
}

// ---- Copies in one process -----------------------------------------------------------------

TEST_F(SingleInstanceTest, FirstCopyOwnsAndALaterCopyRestoresIt) {
  const auto first = Copy();
  QSignalSpy restores(first.get(), &SingleInstance::restoreRequested);
  ASSERT_EQ(first->Claim(), InstanceRole::kFirstCopy);
  EXPECT_TRUE(first->Listening());
  EXPECT_EQ(first->Claim(), InstanceRole::kFirstCopy) << "a second claim changes nothing";

  const auto second = Copy();
  EXPECT_EQ(second->Claim(), InstanceRole::kAnotherCopyRuns);
  EXPECT_FALSE(second->Listening());
  ASSERT_TRUE(restores.wait(kSignalWaitMs));

  const auto third = Copy();
  EXPECT_EQ(third->Claim(), InstanceRole::kAnotherCopyRuns);
  QTRY_COMPARE_WITH_TIMEOUT(restores.count(), 2, kSignalWaitMs);
}

TEST_F(SingleInstanceTest, TheNameIsFreeAgainOnceTheFirstCopyEnded) {
  Copy()->Claim();
  EXPECT_FALSE(QFileInfo::exists(ServerPath())) << "the ended copy removes its socket";
  EXPECT_EQ(Copy()->Claim(), InstanceRole::kFirstCopy);
}

TEST_F(SingleInstanceTest, LeftoversOfACrashedCopyAreTakenOver) {
  LeaveOrphanSocket(ServerPath());
  LeaveLockOfEndedProcess(ServerPath() + QStringLiteral(".lock"));

  const auto first = Copy();
  QSignalSpy restores(first.get(), &SingleInstance::restoreRequested);
  ASSERT_EQ(first->Claim(), InstanceRole::kFirstCopy);
  EXPECT_TRUE(first->Listening());
  EXPECT_EQ(Copy()->Claim(), InstanceRole::kAnotherCopyRuns);
  EXPECT_TRUE(restores.wait(kSignalWaitMs));
}

TEST_F(SingleInstanceTest, ALiveServerIsNeverRemoved) {
  // A running copy that is busy and does not read yet still accepts the connection.
  QLocalServer running;
  ASSERT_TRUE(running.listen(ServerPath()));

  EXPECT_EQ(Copy()->Claim(), InstanceRole::kAnotherCopyRuns);
  EXPECT_TRUE(QFileInfo::exists(ServerPath()));
  ASSERT_TRUE(running.hasPendingConnections() || running.waitForNewConnection(kSignalWaitMs));
  QLocalSocket* client = running.nextPendingConnection();
  ASSERT_NE(client, nullptr);
  if (!client->canReadLine()) client->waitForReadyRead(kSignalWaitMs);
  EXPECT_EQ(client->readLine(), QByteArray("restore\n"));
}

TEST_F(SingleInstanceTest, OnlyTheRestoreLineRestores) {
  const auto first = Copy();
  QSignalSpy restores(first.get(), &SingleInstance::restoreRequested);
  ASSERT_EQ(first->Claim(), InstanceRole::kFirstCopy);

  QLocalSocket chatty;
  chatty.connectToServer(ServerPath());
  ASSERT_TRUE(chatty.waitForConnected(kSignalWaitMs));
  chatty.write("hello\nrestore please\nrestore");  // the last line is not finished
  chatty.flush();
  QTest::qWait(200);
  EXPECT_EQ(restores.count(), 0);
  chatty.write("\n");
  EXPECT_TRUE(restores.wait(kSignalWaitMs));

  // A line far longer than any request: the client is dropped unheard.
  QLocalSocket flooding;
  flooding.connectToServer(ServerPath());
  ASSERT_TRUE(flooding.waitForConnected(kSignalWaitMs));
  flooding.write(QByteArray(4096, 'r') + "\nrestore\n");
  flooding.flush();
  QTRY_COMPARE_WITH_TIMEOUT(flooding.state(), QLocalSocket::UnconnectedState, kSignalWaitMs);
  EXPECT_EQ(restores.count(), 1);
}

TEST_F(SingleInstanceTest, AFolderThatCannotHoldTheServerStillRunsTheProgram) {
  const QString blocked = Folder() + QStringLiteral("/file");
  WriteFileBytes(dir_ / "file", "not a folder");
  SingleInstance copy(QString::fromLatin1(kInstanceName), blocked + QStringLiteral("/sub"));
  EXPECT_EQ(copy.Claim(), InstanceRole::kFirstCopy);
  EXPECT_FALSE(copy.Listening());
}

// ---- Copies in separate processes ----------------------------------------------------------

struct ProbeResult {
  int exitCode = -1;
  QByteArray output;
};

class Probe {
 public:
  Probe(const QString& folder, int restoresToWaitFor) {
    process_.setProgram(QStringLiteral(SINGLE_INSTANCE_PROBE));
    process_.setArguments({folder, QString::number(restoresToWaitFor)});
  }
  void Start() { process_.start(); }
  ProbeResult Finish() {
    EXPECT_TRUE(process_.waitForFinished(kProcessWaitMs));
    return {process_.exitCode(), process_.readAllStandardOutput()};
  }

 private:
  QProcess process_;
};

TEST_F(SingleInstanceTest, ASecondProcessRestoresTheFirstAndEnds) {
  const auto first = Copy();
  QSignalSpy restores(first.get(), &SingleInstance::restoreRequested);
  ASSERT_EQ(first->Claim(), InstanceRole::kFirstCopy);

  Probe second(Folder(), 0);
  second.Start();
  const ProbeResult result = second.Finish();
  EXPECT_EQ(result.exitCode, kProbeSecondCopyExitCode);
  EXPECT_EQ(result.output, QByteArray("second\n"));
  EXPECT_TRUE(restores.count() > 0 || restores.wait(kSignalWaitMs));
}

TEST_F(SingleInstanceTest, OfCopiesStartedAtOnceExactlyOneRuns) {
  constexpr int kCopies = 4;
  std::vector<std::unique_ptr<Probe>> probes;
  for (int i = 0; i < kCopies; ++i)
    probes.push_back(std::make_unique<Probe>(Folder(), kCopies - 1));
  for (auto& probe : probes) probe->Start();

  int firsts = 0;
  int seconds = 0;
  for (auto& probe : probes) {
    const ProbeResult result = probe->Finish();
    if (result.output.startsWith("first\n")) {
      ++firsts;
      EXPECT_EQ(result.exitCode, 0);
      EXPECT_EQ(result.output,
                QByteArray("first\nrestores ") + QByteArray::number(kCopies - 1) + "\n");
    } else {
      ++seconds;
      EXPECT_EQ(result.exitCode, kProbeSecondCopyExitCode) << result.output.constData();
    }
  }
  EXPECT_EQ(firsts, 1);
  EXPECT_EQ(seconds, kCopies - 1);
}

}  // namespace
}  // namespace gm::test
