#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <Qt>
#include <functional>

#include "launcher/LauncherHitTest.h"
#include "launcher/ScrollEvent.h"

namespace vantor {

// The launcher's key code for a toolkit key with its modifiers (see
// launcher/KeyCodes.h); -1 for a key the launcher leaves to the focused field.
int launcherKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// A toolkit wheel event (angle and pixel deltas with the gesture's phase) as
// the paging logic sees it.
ScrollEvent launcherScrollEvent(const QPoint& angleDelta, const QPoint& pixelDelta,
                                Qt::ScrollPhase phase);

// The tool tip a pointer resting on `hit` shows; empty for none.
QString toolTipText(const LauncherHit& hit);

// Sees the application's key presses and wheel turns before any widget does,
// and hands those that reach `view`'s window to the view. Qt hands one press
// to the window and then to the focused widget; acting at the window alone
// keeps each press from being handled twice.
class WindowInputFilter : public QObject {
public:
    // Returns whether the press was taken.
    using KeyPress = std::function<bool(int qtKey, Qt::KeyboardModifiers modifiers)>;
    using Wheel = std::function<void(const QPoint& angleDelta, const QPoint& pixelDelta,
                                     Qt::ScrollPhase phase)>;

    WindowInputFilter(QWidget* view, KeyPress keyPress, Wheel wheel);
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    QPointer<QWidget> view_;
    KeyPress keyPress_;
    Wheel wheel_;
};

}  // namespace vantor
