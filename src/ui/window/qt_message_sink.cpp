#include "ui/window/qt_message_sink.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include <utility>

#include "settings/config_settings.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/dialogs/message_box_fit.h"

namespace gm {

void ShowMessageBox(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                  MessageBoxOwner());
  MakeWindowModal(box);
  FitMessageBox(box);
  box.exec();
}

QtMessageSink::QtMessageSink(MessagePresenter presenter) : presenter_(std::move(presenter)) {}

void QtMessageSink::ShowMessage(const UserMessage& message) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) {
    Present(message);
    return;
  }
  // Delivered by the application object's event loop; dropped if the program ends first.
  QMetaObject::invokeMethod(app, [this, message] { Present(message); }, Qt::QueuedConnection);
}

void QtMessageSink::Present(const UserMessage& message) const {
  const std::u16string& text = message.Text(g_isEnglish.load() != 0);
  presenter_(QString::fromStdU16String(text));
}

}  // namespace gm
