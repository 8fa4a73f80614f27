#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"

class QPainter;

namespace vantor {

struct PanelPicture;
class ViewMotion;

// Draws the opened folder over the grid: the dimmed backdrop, the frosted
// panel with the folder's name, close button, cells and page dots; or the
// last panel fading out after a drag took an application out of it.
class FolderPanelPainter {
public:
    static constexpr double titleFontSize = 25;

    // `backdrop`: the blurred screen behind the window, seen through the panel.
    static void paint(QPainter& painter, QSize window, const QImage& backdrop,
                      const LauncherViewModel& viewModel, ViewMotion& motion);

    // The folder's name as drawn: elided to fit beside the close button.
    static QString titleText(const QString& title, const FolderPanelLayout& layout);
    // Where a click starts editing the name: the title's text, generously.
    static QRectF titleRect(const QString& title, const FolderPanelLayout& layout);

private:
    // `live`: the open panel (hover, drag and editing looks); else a fading picture.
    static void paintPanel(QPainter& painter, QSize window, const QImage& backdrop,
                           const PanelPicture& picture, bool live,
                           const LauncherViewModel& viewModel, ViewMotion& motion);
};

}  // namespace vantor
