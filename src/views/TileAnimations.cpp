#include "views/TileAnimations.h"

#include <QStringList>

namespace vantor {

void AnimatedValue::setTarget(double target, const Easing& easing, double now) {
    if (target == to_) {
        return;
    }
    from_ = value(now);
    to_ = target;
    start_ = now;
    easing_ = easing;
}

void AnimatedValue::setNow(double value) {
    from_ = value;
    to_ = value;
    easing_ = Easing::easeOut(0);
}

double AnimatedValue::value(double now) const {
    double progress = easing_.progress(now - start_);
    // Exactly the target once there, so a look at rest compares equal to it.
    return progress >= 1 ? to_ : from_ + (to_ - from_) * progress;
}

bool AnimatedValue::isAnimating(double now) const {
    return from_ != to_ && now - start_ < easing_.duration();
}

void AnimatedValue::moveTo(double target, const Easing& easing, double now, bool instant) {
    if (instant) {
        setNow(target);
    } else {
        setTarget(target, easing, now);
    }
}

void TileAnimations::setHovered(const QString& id, bool on) {
    looks_[id].hovered.moveTo(on ? 1 : 0, Easing::spring(0.22, 0.78), now(), instant_);
}

void TileAnimations::setFolderCellHovered(std::int64_t cell, bool on) {
    looks_[folderCellID(cell)].hovered.moveTo(on ? 1 : 0, Easing::spring(0.22, 0.8), now(),
                                              instant_);
}

QString TileAnimations::folderCellID(std::int64_t cell) {
    return QStringLiteral("folder-cell-%1").arg(cell);
}

void TileAnimations::setSelected(const QString& id, bool on) {
    if (!on && !looks_.contains(id)) {
        return;
    }
    looks_[id].selected.moveTo(on ? 1 : 0, Easing::spring(0.2, 0.82), now(), instant_);
}

void TileAnimations::setFolderTarget(const QString& id, bool on) {
    if (!on && !looks_.contains(id)) {
        return;
    }
    looks_[id].folderTarget.moveTo(on ? 1 : 0, Easing::spring(0.2, 0.82), now(), instant_);
}

void TileAnimations::setDragging(const QString& id, bool on) {
    if (!on && !looks_.contains(id)) {
        return;
    }
    looks_[id].dragging.moveTo(on ? 1 : 0, Easing::easeOut(0.12), now(), instant_);
}

TileLook TileAnimations::look(const QString& id) const {
    auto it = looks_.constFind(id);
    if (it == looks_.constEnd()) {
        return {};
    }
    double t = now();
    return {it->hovered.value(t), it->selected.value(t), it->folderTarget.value(t),
            it->dragging.value(t)};
}

bool TileAnimations::isAnimating() const {
    double t = now();
    for (const auto& looks : looks_) {
        if (looks.hovered.isAnimating(t) || looks.selected.isAnimating(t) ||
            looks.folderTarget.isAnimating(t) || looks.dragging.isAnimating(t)) {
            return true;
        }
    }
    return false;
}

void TileAnimations::forgetAllBut(const QStringList& ids) {
    for (auto it = looks_.begin(); it != looks_.end();) {
        it = ids.contains(it.key()) ? std::next(it) : looks_.erase(it);
    }
}

}  // namespace vantor
