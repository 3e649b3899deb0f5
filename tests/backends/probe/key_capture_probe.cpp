// The key-capture dialog on a real X display with the X11 keyboard capture, driven from
// standard input: a test types keys with xdotool and watches what the dialog received.
//
//   key_capture_probe <program folder>
// Writes one line per event to standard output:
//   started <1|0>               the capture started (0: it did not; the dialog runs anyway)
//   key <press|release> <X key code> <virtual key> <repeat 0|1>
//   result <ok|closed> <usage>  the dialog ended; usage is the captured key
// Reads commands from standard input: "ok" clicks OK, "close" clicks close.

#include <QApplication>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <string>

#include "backends/qt/x11_keyboard_capture.h"
#include "reporting_capture.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/dialogs/dialog_get_key.h"

namespace {

using gm::probe::ReportingCapture;
using gm::probe::Say;

void ClickElement(QWidget* dialog, uint32_t element) {
  auto* keyDialog = qobject_cast<gm::CDialogGetKey*>(dialog);
  if (keyDialog == nullptr) return;
  const gm::SkinRect& r = keyDialog->Layout().rects[element];
  const QPointF at(r.x + r.width / 2, r.y + r.height / 2);
  QMouseEvent move(QEvent::MouseMove, at, dialog->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(dialog, &move);
  QMouseEvent press(QEvent::MouseButtonPress, at, dialog->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dialog, &press);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  gm::g_isEnglish = 1;
  gm::SetDataPaths(std::filesystem::path(argv[1]), true);

  gm::X11KeyboardCapture x11;
  ReportingCapture capture(x11);

  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char line[64] = {};
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
      input.setEnabled(false);
      return;
    }
    const std::string command(line);
    QWidget* dialog = QApplication::activeModalWidget();
    if (command.rfind("ok", 0) == 0) ClickElement(dialog, gm::kKeysetOk);
    if (command.rfind("close", 0) == 0) ClickElement(dialog, gm::kKeysetClose);
  });

  QTimer::singleShot(0, [&] {
    gm::g_capturedKeyCode = 0;
    const bool ok = gm::RunKeyCaptureDialog(nullptr, gm::KeyCaptureMode::kKeyAssignment,
                                            &capture, {});
    Say(std::string("result ") + (ok ? "ok " : "closed ") +
        std::to_string(gm::g_capturedKeyCode));
    QApplication::quit();
  });
  return QApplication::exec();
}
