#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"

class QPainter;

namespace vantor {

class TilePictureCache;
class ViewMotion;

// Draws the launcher's window below an open folder, back to front: the
// blurred backdrop with its tint, then, as far as the entrance has brought
// them in, the close button and search capsule and the page area (the grid of
// tiles with its dots, or the spinner while the first scan runs).
class GridPainter {
public:
    GridPainter(ViewMotion& motion, TilePictureCache& pictures)
        : motion_(motion), pictures_(pictures) {}

    // The screen behind the window, blurred, and the backmost layers composed
    // from it at the window's size; empty images for none yet.
    void setBackdrop(QImage blurred, QImage composedBackground);
    const QImage& backdrop() const { return backdrop_; }

    void paint(QPainter& painter, QSize window, const LauncherViewModel& viewModel);

    // Loads the fonts (the CJK one is large) and makes the dark fill of the
    // primary screen, which the first frame would otherwise wait for.
    static void warmUp();
    // The backmost layers without a captured screen, at a size and ratio.
    static QPixmap plainBackground(QSize size, double ratio);

private:
    void paintBackground(QPainter& painter, QSize window);
    void paintMainArea(QPainter& painter, const LauncherLayout& layout,
                       const LauncherViewModel& viewModel);

    ViewMotion& motion_;
    TilePictureCache& pictures_;
    QImage backdrop_;
    // The blurred backdrop, its tint and the dimming, composed once per size.
    QPixmap background_;
};

}  // namespace vantor
