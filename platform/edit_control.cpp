#include "platform/edit_control.h"

#include <QKeyEvent>

EditControl::EditControl(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange) OnChange();
    });
}

void EditControl::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyDown || !OnKeyDown(event->key())) QLineEdit::keyPressEvent(event);
}

void EditControl::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (OnExit) OnExit();
}
