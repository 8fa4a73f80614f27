#pragma once

#include <QLineEdit>

namespace vantor {

// The launcher's search text field. It takes committed text from an input
// method (fcitx5, IBus) as typed text and shows the text being composed in
// place; while something is being composed, the keys that confirm, cancel or
// move within it belong to the input method, not to the launcher.
class SearchField : public QLineEdit {
    Q_OBJECT

public:
    explicit SearchField(QWidget* parent = nullptr);

    // An input method is composing text (its pre-edit shows in the field).
    bool isComposing() const { return composing_; }
    // Empty, with nothing being composed, as a new field starts.
    void clearAll();

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool composing_ = false;
};

}  // namespace vantor
