#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <cstdint>

#include "launcher/Easing.h"
#include "views/TilePainter.h"

namespace vantor {

// A value that eases towards its latest target on a timing curve.
class AnimatedValue {
public:
    explicit AnimatedValue(double value = 0) : from_(value), to_(value) {}

    // Starts easing from wherever the value is now.
    void setTarget(double target, const Easing& easing, double now);
    // Jumps without animation.
    void setNow(double value);
    // Eases to `target`, or jumps there when `instant` (the desktop asks for
    // no animations).
    void moveTo(double target, const Easing& easing, double now, bool instant);
    // Where it is going: its value once the animation ends.
    double target() const { return to_; }
    double value(double now) const;
    bool isAnimating(double now) const;

private:
    double from_;
    double to_;
    double start_ = 0;
    Easing easing_ = Easing::easeOut(0);
};

// The looks of every tile on screen, eased with the springs each look uses.
class TileAnimations {
public:
    TileAnimations() { clock_.start(); }

    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

    // Grid tiles spring a little more loosely into their hover look than the
    // cells of an open folder.
    void setHovered(const QString& id, bool on);
    void setFolderCellHovered(std::int64_t cell, bool on);
    static QString folderCellID(std::int64_t cell);
    void setSelected(const QString& id, bool on);
    void setFolderTarget(const QString& id, bool on);
    void setDragging(const QString& id, bool on);
    TileLook look(const QString& id) const;
    bool isAnimating() const;
    // Drops the looks of tiles no longer shown, so they start fresh if they return.
    void forgetAllBut(const QStringList& ids);
    // With reduced motion every look jumps to its end.
    void setInstant(bool instant) { instant_ = instant; }

private:
    struct Looks {
        AnimatedValue hovered, selected, folderTarget, dragging;
    };

    QHash<QString, Looks> looks_;
    QElapsedTimer clock_;
    bool instant_ = false;
};

}  // namespace vantor
