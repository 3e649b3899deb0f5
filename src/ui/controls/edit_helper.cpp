#include "ui/controls/edit_helper.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace gm {

namespace {

// Refuses a text that a cut at the length limit left with half a surrogate pair at its end.
class WholeUnitsValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    if (!input.isEmpty() && input.back().isHighSurrogate()) return Invalid;
    return Acceptable;
  }
};

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

CEditHelper::CEditHelper(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kListEditMaxUnits);
  setValidator(new WholeUnitsValidator(this));
}

void CEditHelper::keyPressEvent(QKeyEvent* event) {
  QLineEdit::keyPressEvent(event);
  // The release ends the edit; the press must not reach the list or the window, where Enter
  // and Esc mean something else.
  if (IsEnterKey(event->key()) || event->key() == Qt::Key_Escape) event->accept();
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) {
    if (IsEnterKey(event->key())) {
      emit editEnded(true);
    } else if (event->key() == Qt::Key_Escape) {
      emit editEnded(false);
    }
  }
  QLineEdit::keyReleaseEvent(event);
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason) {
    emit editEnded(true);
  }
  QLineEdit::focusOutEvent(event);
}

}  // namespace gm
