#pragma once
// One running copy of the program per user. The first copy owns a local server named
// "CQEL_GMouseApp"; a copy started later connects to it, asks it to restore its window and
// ends. The check and the listen run under a lock file beside the server, so of two copies
// started at the same moment exactly one becomes the first.
//
// A server socket left behind by a copy that crashed is only removed when nobody answers on
// it; a lock file left behind is taken over once its process is gone.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace gm {

inline constexpr char kInstanceName[] = "CQEL_GMouseApp";
// The one request a later copy sends, as one line.
inline constexpr char kRestoreRequest[] = "restore";

enum class InstanceRole {
  kFirstCopy,        // this copy runs; later copies reach it through restoreRequested()
  kAnotherCopyRuns,  // another copy runs (it was asked to restore its window); this copy ends
};

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // In the user's runtime folder (XDG_RUNTIME_DIR).
  explicit SingleInstance(QObject* parent = nullptr);
  // The server socket is folder/name, the lock file folder/name.lock.
  SingleInstance(const QString& name, const QString& folder, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Decides this copy's role; call once. A copy that holds the lock for seconds without
  // finishing its own check counts as the running copy. When the lock or the server cannot
  // be had at all (a folder without write access, say), this copy still runs as the first
  // copy, as a program that cannot tell would; Listening() then says that later copies
  // cannot reach it.
  InstanceRole Claim();
  bool Listening() const;
  QString ServerPath() const { return serverPath_; }

 signals:
  // A later copy asked for the window: show it and take it out of the minimised state.
  void restoreRequested();

 private:
  // True when a running copy answered on the server path (and was sent the request).
  bool AskRunningCopyToRestore() const;
  void AcceptConnections();
  void ReadRequests(QLocalSocket* client);

  QString serverPath_;
  QString lockPath_;
  QLocalServer* server_;
};

}  // namespace gm
