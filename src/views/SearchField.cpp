#include "views/SearchField.h"

#include <QImage>
#include <QInputMethodEvent>

#include "views/Painting.h"
#include "views/SearchFieldEffect.h"

namespace vantor {

namespace {

const QString fieldStyle = QStringLiteral("background: transparent; border: none;");
const QString placeholder = QStringLiteral("搜索应用");

}  // namespace

SearchField::SearchField(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setObjectName(QStringLiteral("VantorSearchField"));
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);  // read out even once text hides the placeholder
    setFrame(false);
    setFont(interfaceFont(18, QFont::Normal));
    setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::PlaceholderText, white(0.55));
    colours.setColor(QPalette::Highlight, white(0.3));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(colours);
    setStyleSheet(fieldStyle);
    effect_ = new SearchFieldEffect(this);
    setGraphicsEffect(effect_);
}

void SearchField::warmUp() {
    QLineEdit field;
    field.setStyleSheet(fieldStyle);
    field.setPlaceholderText(placeholder);
    field.resize(200, 32);
    QImage fieldPicture(field.size(), QImage::Format_ARGB32_Premultiplied);
    field.render(&fieldPicture);
}

void SearchField::place(const QRectF& capsule) {
    double left = capsule.left() + 18 + 18 + 10;
    setGeometry(QRectF(left, capsule.center().y() - 16, capsule.right() - 18 - left, 32).toRect());
}

void SearchField::setLook(double visible, double dim) {
    // Scaled about the parent's middle, as the content is.
    QPointF center = QPointF(parentWidget()->rect().center()) - QPointF(pos());
    effect_->setLook(visible, 0.985 + 0.015 * visible, center, dim);
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
