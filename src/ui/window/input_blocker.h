#pragma once
// Keeps the user's clicks and keys away from a window and everything in it (its lists, edits
// and pop-ups) while an operation that reads the window's state runs on another thread. Mouse
// moves still come through, so hovering keeps working.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace gm {

class InputBlocker : public QObject {
  Q_OBJECT

 public:
  explicit InputBlocker(QWidget& window, QObject* parent = nullptr);
  ~InputBlocker() override;

  // Installs the filter on the application; harmless when already blocking.
  void Block();
  void Unblock();
  bool Blocking() const { return blocking_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  bool blocking_ = false;
};

}  // namespace gm
