#pragma once

#include <QPixmap>
#include <QRectF>
#include <vector>

#include "launcher/GridMetrics.h"
#include "model/VantorItem.h"

class QPainter;

namespace vantor {

// How far each look of a tile is turned on, from 0 to 1; the view animates
// these so a tile eases between looks.
struct TileLook {
    double hovered = 0;
    double selected = 0;
    double folderTarget = 0;
    double dragging = 0;
    // A small dot before the title: a new application, or a folder holding one.
    bool markedNew = false;
};

// One cell of the launcher grid: the icon (or folder thumbnail) above the name,
// with the hover, selection, folder-target and drag looks. `cell` is the grid
// cell; the tile is centred in it.
void paintTile(QPainter& painter, const VantorItem& item, const QRectF& cell,
               const GridMetrics& metrics, const TileLook& look);

// A folder's thumbnail: a frosted plate with its first four icons, two by two.
void paintFolderIcon(QPainter& painter, const std::vector<ApplicationItem>& applications,
                     const QRectF& square);

// One application in the opened folder's panel, 122 × 140 points, with its
// hover and selection looks. `markedNew`: with the new application's dot
// before its name.
void paintFolderApplicationTile(QPainter& painter, const ApplicationItem& application,
                                const QRectF& cell, double hovered, double selected = 0,
                                bool markedNew = false);

// The rectangle a tile takes in its cell, the part that reacts to the pointer.
QRectF tileRect(const QRectF& cell, const GridMetrics& metrics);

// The part of the tile that is drawn (the padded icon and label), on whole
// device pixels so a kept picture of it lands exactly where it was drawn.
QRectF tileContentRect(const QRectF& cell, const GridMetrics& metrics, double devicePixelRatio);

// Whether every icon the tile shows has loaded, so a picture of it can be kept.
bool tileIconsLoaded(const VantorItem& item, const GridMetrics& metrics, double devicePixelRatio);

// The tile in a steady look as a picture of its content rectangle, for
// drawing again and again.
QImage renderTile(const VantorItem& item, const QRectF& cell, const GridMetrics& metrics,
                  double devicePixelRatio, const TileLook& look);

}  // namespace vantor
