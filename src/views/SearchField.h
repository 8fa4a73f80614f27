#pragma once

#include <QLineEdit>
#include <QRectF>

namespace vantor {

class SearchFieldEffect;

// The launcher's search text field. It takes committed text from an input
// method (fcitx5, IBus) as typed text and shows the text being composed in
// place; while something is being composed, the keys that confirm, cancel or
// move within it belong to the input method, not to the launcher.
class SearchField : public QLineEdit {
    Q_OBJECT

public:
    // White text on the capsule the view draws behind it, drawn through the
    // content's look (see setLook).
    explicit SearchField(QWidget* parent = nullptr);

    // Parses the field's style sheet and makes its style, which a first use
    // would otherwise wait for.
    static void warmUp();

    // In the search capsule (the parent's coordinates), after its magnifier.
    void place(const QRectF& capsule);
    // Drawn as the parent's content: `visible` as far as its entrance has
    // come, under `dim` of black where an open folder's backdrop lies.
    void setLook(double visible, double dim);

    // An input method is composing text (its pre-edit shows in the field).
    bool isComposing() const { return composing_; }
    // Empty, with nothing being composed, as a new field starts.
    void clearAll();

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool composing_ = false;
    SearchFieldEffect* effect_ = nullptr;
};

}  // namespace vantor
