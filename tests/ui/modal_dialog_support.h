#pragma once
// Drives a modal dialog from inside its own run: the test's steps run once the dialog is the
// active modal window, and whatever they leave open is closed afterwards, so a failing test
// never hangs in the dialog's event loop.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

namespace gm::test {

// Runs steps on the modal dialog of type D as soon as one is active (polling the event loop).
// steps may end the dialog; a dialog still open after them is rejected.
template <typename D>
void WhenModal(std::function<void(D&)> steps, int attemptsLeft = 500) {
  QTimer::singleShot(5, [steps = std::move(steps), attemptsLeft] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (attemptsLeft > 0) WhenModal<D>(steps, attemptsLeft - 1);
      return;
    }
    steps(*dialog);
    if (auto* still = qobject_cast<D*>(QApplication::activeModalWidget())) still->reject();
  });
}

template <typename D>
void ClickElement(D& dialog, const QPoint& at) {
  QTest::mouseMove(&dialog, at);
  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace gm::test
