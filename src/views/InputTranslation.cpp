#include "views/InputTranslation.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QWindow>

#include "launcher/KeyCodes.h"

namespace vantor {
namespace {

WheelPhase wheelPhaseFor(Qt::ScrollPhase phase) {
    switch (phase) {
        case Qt::ScrollBegin:
            return WheelPhase::began;
        case Qt::ScrollUpdate:
            return WheelPhase::changed;
        case Qt::ScrollEnd:
            return WheelPhase::ended;
        case Qt::ScrollMomentum:
            return WheelPhase::momentum;
        default:
            return WheelPhase::none;
    }
}

}  // namespace

int launcherKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    bool control = (modifiers & Qt::ControlModifier) != 0;
    // Ctrl+Shift with an arrow moves the selected item; any other modifiers
    // leave an arrow a plain arrow.
    int arrowFlag = control && (modifiers & Qt::ShiftModifier) ? key_code::withControlShift : 0;
    switch (qtKey) {
        case Qt::Key_F2:
            return key_code::f2;
        case Qt::Key_Menu:
            return key_code::contextMenu;
        case Qt::Key_F10:
            return (modifiers & Qt::ShiftModifier) ? key_code::contextMenu : -1;
        case Qt::Key_Return:
            return key_code::returnKey;
        case Qt::Key_Enter:
            return key_code::keypadEnter;
        case Qt::Key_Escape:
            return key_code::escape;
        case Qt::Key_Left:
            return key_code::leftArrow + arrowFlag;
        case Qt::Key_Right:
            return key_code::rightArrow + arrowFlag;
        case Qt::Key_Down:
            return key_code::downArrow + arrowFlag;
        case Qt::Key_Up:
            return key_code::upArrow + arrowFlag;
        case Qt::Key_PageUp:
            return key_code::pageUp;
        case Qt::Key_PageDown:
            return key_code::pageDown;
        case Qt::Key_Home:
            return key_code::home + (control ? key_code::withControl : 0);
        case Qt::Key_End:
            return key_code::end + (control ? key_code::withControl : 0);
        default:
            return -1;
    }
}

ScrollEvent launcherScrollEvent(const QPoint& angleDelta, const QPoint& pixelDelta,
                                Qt::ScrollPhase phase) {
    WheelInput input{angleDelta.x(), angleDelta.y(), double(pixelDelta.x()), double(pixelDelta.y()),
                     wheelPhaseFor(phase)};
    return scrollEventFromWheel(input);
}

QString toolTipText(const LauncherHit& hit) {
    using Kind = LauncherHit::Kind;
    if (hit.kind == Kind::closeButton || hit.kind == Kind::folderClose) {
        return QStringLiteral("关闭");
    }
    if (hit.kind == Kind::pageDot || hit.kind == Kind::folderDot) {
        return QStringLiteral("第 %1 页").arg(hit.index + 1);
    }
    return {};
}

WindowInputFilter::WindowInputFilter(QWidget* view, KeyPress keyPress, Wheel wheel)
    : view_(view), keyPress_(std::move(keyPress)), wheel_(std::move(wheel)) {
}

bool WindowInputFilter::eventFilter(QObject* receiver, QEvent* event) {
    if (!view_ || !receiver->isWindowType() ||
        static_cast<QWindow*>(receiver) != view_->window()->windowHandle()) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return keyPress_(key->key(), key->modifiers());
    }
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        wheel_(wheel->angleDelta(), wheel->pixelDelta(), wheel->phase());
    }
    return false;
}

}  // namespace vantor
