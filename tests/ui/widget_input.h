#pragma once
// Pointer input sent straight to one widget. Moves go to the widget itself: the test
// platform's cursor would hand them to whichever window it finds on top.

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <QWidget>

namespace gm::test {

inline void MoveOver(QWidget& widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton,
                   QGuiApplication::mouseButtons(), Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

// A left click at `at`, after a move there.
inline void Press(QWidget& widget, QPoint at) {
  MoveOver(widget, at);
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace gm::test
