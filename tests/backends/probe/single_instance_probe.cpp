// A copy of the program as far as the single-instance check goes, for the tests.
//
//   single_instance_probe FOLDER RESTORES
//
// Claims the instance in FOLDER. A later copy prints "second" and exits with 3. The first copy
// prints "first", waits until it got RESTORES restore requests (at most 20 s), prints
// "restores N" and exits with 0.

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "backends/qt/single_instance.h"

namespace {
constexpr int kSecondCopyExitCode = 3;
constexpr int kUsageExitCode = 64;
constexpr int kMaxWaitMs = 20000;
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) return kUsageExitCode;
  const int expectedRestores = args.at(2).toInt();

  gm::SingleInstance instance(QString::fromLatin1(gm::kInstanceName), args.at(1));
  if (instance.Claim() == gm::InstanceRole::kAnotherCopyRuns) {
    std::printf("second\n");
    return kSecondCopyExitCode;
  }
  std::printf("first\n");
  std::fflush(stdout);

  int restores = 0;
  QObject::connect(&instance, &gm::SingleInstance::restoreRequested, &app, [&] {
    if (++restores >= expectedRestores) app.quit();
  });
  QTimer::singleShot(kMaxWaitMs, &app, &QCoreApplication::quit);
  if (expectedRestores > 0) app.exec();
  std::printf("restores %d\n", restores);
  return 0;
}
