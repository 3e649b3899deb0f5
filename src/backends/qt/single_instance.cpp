#include "backends/qt/single_instance.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace gm {
namespace {

// Generous bounds for steps that take microseconds on a local socket; a copy that holds the
// lock longer than kLockWaitMs is treated as a running copy that is still starting.
constexpr int kLockWaitMs = 5000;
constexpr int kConnectWaitMs = 1000;
constexpr int kWriteWaitMs = 1000;
// A client that sends a longer line than this is not one of our copies: it is dropped.
constexpr qint64 kMaxRequestLine = 64;

QString RuntimeFolder() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent)
    : SingleInstance(QString::fromLatin1(kInstanceName), RuntimeFolder(), parent) {}

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      serverPath_(QDir(folder).filePath(name)),
      lockPath_(QDir(folder).filePath(name + QStringLiteral(".lock"))),
      server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Listening() const { return server_->isListening(); }

InstanceRole SingleInstance::Claim() {
  if (server_->isListening()) return InstanceRole::kFirstCopy;
  QDir().mkpath(QFileInfo(lockPath_).absolutePath());

  QLockFile lock(lockPath_);
  if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError) {
    // Another live copy holds the lock and has not finished starting: it is the first copy.
    // It may not listen yet, so the request may find nobody.
    AskRunningCopyToRestore();
    return InstanceRole::kAnotherCopyRuns;
  }
  // Here the lock is held, or the lock file cannot be made at all and the check runs
  // unguarded.
  if (AskRunningCopyToRestore()) return InstanceRole::kAnotherCopyRuns;
  // Nobody answers: whatever is at the path is left over from a copy that ended.
  QLocalServer::removeServer(serverPath_);
  if (!server_->listen(serverPath_) && AskRunningCopyToRestore()) {
    // Only possible without the lock: a copy started at the same moment won the path.
    return InstanceRole::kAnotherCopyRuns;
  }
  return InstanceRole::kFirstCopy;
}

bool SingleInstance::AskRunningCopyToRestore() const {
  QLocalSocket socket;
  socket.connectToServer(serverPath_);
  if (!socket.waitForConnected(kConnectWaitMs)) return false;
  socket.write(QByteArray(kRestoreRequest) + '\n');
  socket.waitForBytesWritten(kWriteWaitMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteWaitMs);
  return true;
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* client = server_->nextPendingConnection()) {
    connect(client, &QLocalSocket::readyRead, this, [this, client] { ReadRequests(client); });
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    // Lines that arrived before the connections above were made.
    ReadRequests(client);
  }
}

void SingleInstance::ReadRequests(QLocalSocket* client) {
  while (client->canReadLine()) {
    const QByteArray line = client->readLine(kMaxRequestLine + 1);
    if (!line.endsWith('\n')) {
      client->abort();
      return;
    }
    if (line.trimmed() == kRestoreRequest) emit restoreRequested();
  }
  if (client->bytesAvailable() > kMaxRequestLine) client->abort();
}

}  // namespace gm
