#include "views/FolderPanelPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSet>

#include "views/Painting.h"
#include "views/TilePainter.h"
#include "views/ViewMotion.h"

namespace vantor {
namespace {

// Room kept free at each end of the title for the close button.
constexpr double titleSideRoom = 34;

}  // namespace

QString FolderPanelPainter::titleText(const QString& title, const FolderPanelLayout& layout) {
    QFontMetricsF metrics(interfaceFont(titleFontSize, QFont::DemiBold));
    double room = layout.title.width - 2 * titleSideRoom;
    return metrics.elidedText(title, Qt::ElideRight, room);
}

QRectF FolderPanelPainter::titleRect(const QString& title, const FolderPanelLayout& layout) {
    QRectF box = toQt(layout.title);
    QFontMetricsF metrics(interfaceFont(titleFontSize, QFont::DemiBold));
    double textWidth = metrics.horizontalAdvance(titleText(title, layout));
    // A short name still offers a comfortable target.
    double width = std::clamp(textWidth + 24, 120.0, box.width() - 2 * titleSideRoom);
    return {box.center().x() - width / 2, box.top() - 4, width, box.height() + 8};
}

void FolderPanelPainter::paint(QPainter& painter, QSize window, const QImage& backdrop,
                               const LauncherViewModel& viewModel, ViewMotion& motion) {
    if (const OpenFolder* folder = viewModel.openFolder()) {
        paintPanel(painter, window, backdrop, PanelPicture::of(*folder), true, viewModel, motion);
        return;
    }
    double fade = motion.panelFade().value(motion.now());
    if (motion.fadingPanel() && fade > 0) {
        painter.save();
        painter.setOpacity(std::clamp(fade, 0.0, 1.0));
        paintPanel(painter, window, backdrop, *motion.fadingPanel(), false, viewModel, motion);
        painter.restore();
    }
}

void FolderPanelPainter::paintPanel(QPainter& painter, QSize window, const QImage& backdrop,
                                    const PanelPicture& picture, bool live,
                                    const LauncherViewModel& viewModel, ViewMotion& motion) {
    auto layout = FolderPanelLayout::forWindow({double(window.width()), double(window.height())});
    QRect whole(QPoint(0, 0), window);
    painter.fillRect(whole, black(0.18));

    QRectF panel = toQt(layout.panel);
    drawFrostedPlate(painter, continuousRoundedRect(panel, 32), panel,
                     {{black(0.38), 36, {0, 22}}, 0.06, 0.2, 0.07, 0.18, 1}, backdrop, whole);

    // While the name is edited, its field stands where the title is drawn.
    if (!(live && viewModel.isRenamingFolder())) {
        QRectF title = toQt(layout.title);
        QString text = titleText(picture.title, layout);
        painter.setFont(interfaceFont(titleFontSize, QFont::DemiBold));
        painter.setPen(black(0.28));
        painter.drawText(title.translated(0, 2), Qt::AlignCenter, text);
        painter.setPen(white(0.98));
        painter.drawText(title, Qt::AlignCenter, text);
    }
    paintCloseGlyph(painter, toQt(layout.closeButton), white(0.76));

    double now = motion.now();
    painter.save();
    painter.setClipRect(toQt(layout.grid));
    painter.translate(0, motion.folderPageOffset().value(now));
    painter.setOpacity(painter.opacity() * motion.folderPageOpacity().value(now));
    const auto& dragged = viewModel.draggedFolderApplicationID();
    QSet<QString> shown;
    for (size_t index = 0; index < picture.cells.size(); ++index) {
        const auto& application = picture.cells[index];
        if (!application) {
            continue;
        }
        QRectF cell = toQt(layout.cell(static_cast<std::int64_t>(index)));
        QPointF shift;
        double hovered = 0;
        double selected = 0;
        if (live) {
            // A reorder inside the panel glides the cells, as in the grid.
            QString id = QString::fromStdString(application->id.canonical());
            shown.insert(id);
            shift = motion.glideFolderTile(id, cell.topLeft(), now).shift;
            TileLook look =
                motion.look(TileAnimations::folderCellID(static_cast<std::int64_t>(index)));
            hovered = look.hovered;
            selected = look.selected;
        }
        painter.save();
        painter.translate(shift);
        if (live && dragged && *dragged == application->id) {
            painter.setOpacity(painter.opacity() * 0.42);
        }
        paintFolderApplicationTile(painter, *application, cell, hovered, selected,
                                   viewModel.model().isNewApplication(application->id));
        painter.restore();
    }
    if (live) {
        motion.endFolderFrame(shown);
    }
    painter.restore();
    if (picture.pageCount > 1) {
        // The open panel's dots spring to a new page; a fading panel's stand still.
        double current = live ? motion.folderDot().value(now) : double(picture.currentPage);
        paintPageDots(painter, layout.pageDots(picture.pageCount).bounds, picture.pageCount,
                      current, {7, 5, 0.84, 0.28, 8, 0.24});
    }
}

}  // namespace vantor
