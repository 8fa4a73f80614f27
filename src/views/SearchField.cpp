#include "views/SearchField.h"

#include <QInputMethodEvent>

namespace vantor {

SearchField::SearchField(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void SearchField::inputMethodEvent(QInputMethodEvent* event) {
    // An event with an empty pre-edit ends the composition (committed or cancelled).
    composing_ = !event->preeditString().isEmpty();
    QLineEdit::inputMethodEvent(event);
}

void SearchField::clearAll() {
    if (composing_) {
        // An empty pre-edit drops the composed text the field still shows.
        QInputMethodEvent end;
        QLineEdit::inputMethodEvent(&end);
        composing_ = false;
    }
    clear();
}

void SearchField::focusOutEvent(QFocusEvent* event) {
    // Leaving the field ends any composition: the input method resets it.
    composing_ = false;
    QLineEdit::focusOutEvent(event);
}

}  // namespace vantor
