#pragma once
// A private X server for the tests that need real X11 behaviour (keyboard grabs, pointer
// settings, a window manager). Xvfb picks a free display itself (-displayfd), so parallel test
// programs never collide. Qt only: the caller owns the QApplication.

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <memory>
#include <string>

namespace gm::test {

class XvfbServer {
 public:
  static constexpr int kStartMs = 10000;

  // Starts the server; Display() stays empty when Xvfb is not installed or did not start.
  void Start() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) return;
    process_ = std::make_unique<QProcess>();
    // -noreset: the server would otherwise reset whenever its last client leaves (between two
    // tests) and refuse the next test's first connection while it does.
    process_->start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                           QStringLiteral("-noreset")});
    if (!process_->waitForStarted(kStartMs)) return;
    while (!process_->canReadLine() && process_->waitForReadyRead(kStartMs)) {
    }
    const QByteArray number = process_->readLine().trimmed();
    if (!number.isEmpty()) display_ = ":" + number.toStdString();
  }

  void Stop() {
    if (process_) {
      process_->terminate();
      process_->waitForFinished(kStartMs);
      process_.reset();
    }
    display_.clear();
  }

  ~XvfbServer() { Stop(); }

  // ":N", or empty without a server.
  const std::string& Display() const { return display_; }

 private:
  std::unique_ptr<QProcess> process_;
  std::string display_;
};

}  // namespace gm::test
