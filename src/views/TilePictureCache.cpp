#include "views/TilePictureCache.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "views/AppIconCache.h"
#include "views/Painting.h"

namespace vantor {
namespace {

// The smallest rectangle holding every pixel of the image that is not fully
// transparent; empty for an image with none.
QRect visibleBounds(const QImage& image) {
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                top = std::min(top, y);
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString pictureKey(const VantorItem& item, const GridMetrics& metrics, double ratio, bool selected,
                   bool markedNew) {
    QString key = QString::fromStdString(item.id().canonical()) + QStringLiteral("|%1|%2|%3|%4|%5")
                                                                      .arg(metrics.iconSize)
                                                                      .arg(metrics.textWidth)
                                                                      .arg(metrics.cellWidth)
                                                                      .arg(metrics.cellHeight)
                                                                      .arg(ratio);
    // The picture shows the title and the icons as they are now: a renamed
    // application or a replaced icon makes a new one.
    key += QLatin1Char('|') + QString::fromStdString(item.title());
    if (selected) {
        key += QStringLiteral("|selected");
    }
    if (markedNew) {
        key += QStringLiteral("|new");
    }
    if (item.isApplication()) {
        key += QLatin1Char('#') + QString::number(AppIconCache::revision(item.asApplication()));
    } else {
        // A folder's picture also depends on what it holds.
        for (const auto& application : item.asFolder().applications) {
            key += QLatin1Char('|') + QString::fromStdString(application.id.raw()) +
                   QLatin1Char('#') + QString::number(AppIconCache::revision(application));
        }
    }
    return key;
}

}  // namespace

QCache<QString, TilePictureCache::Picture>& TilePictureCache::shared() {
    static QCache<QString, Picture> pictures(16 * 1024 * 1024);
    return pictures;
}

const TilePictureCache::Picture* TilePictureCache::picture(const VantorItem& item,
                                                           const QRectF& cell,
                                                           const GridMetrics& metrics, double ratio,
                                                           bool selected, bool markedNew,
                                                           std::int64_t pageSize) {
    QString key = pictureKey(item, metrics, ratio, selected, markedNew);
    if (const Picture* kept = shared().object(key)) {
        return kept;
    }
    if (!tileIconsLoaded(item, metrics, ratio)) {
        return nullptr;
    }
    TileLook look;
    look.selected = selected ? 1 : 0;
    look.markedNew = markedNew;
    QImage whole = renderTile(item, cell, metrics, ratio, look);
    // Most of the content rectangle is empty around the icon and a short
    // name: kept out of the picture, it costs nothing to draw each frame.
    QRect visible = visibleBounds(whole);
    auto* picture = new Picture;
    if (!visible.isEmpty()) {  // a null rectangle would copy the whole image
        picture->pixmap = QPixmap::fromImage(whole.copy(visible));
        picture->offset = QPointF(visible.topLeft()) / ratio;
    }
    picture->pixmap.setDevicePixelRatio(ratio);
    ++made_;
    // Priced as the whole rectangle, so the cache holds the same pages whatever was cut.
    qsizetype cost = static_cast<qsizetype>(whole.width()) * whole.height() * 4;
    // Room for the shown page and the two a turn goes to, at this size, with
    // a selected tile each: less would evict the very pictures a page needs
    // while drawing it, more only holds pages nobody is looking at.
    qsizetype pages = cost * (std::max<qsizetype>(1, pageSize) + 1) * 3;
    if (shared().maxCost() != pages) {
        shared().setMaxCost(pages);
    }
    if (!shared().insert(key, picture, cost)) {
        return nullptr;
    }
    return shared().object(key);
}

void TilePictureCache::paintTile(QPainter& painter, const VantorItem& item, const TileLook& look,
                                 const QRectF& cell, const GridMetrics& metrics, double ratio,
                                 std::int64_t pageSize) {
    bool still = look.hovered == 0 && look.folderTarget == 0 && look.dragging == 0 &&
                 (look.selected == 0 || look.selected == 1);
    const Picture* kept =
        still ? picture(item, cell, metrics, ratio, look.selected == 1, look.markedNew, pageSize)
              : nullptr;
    if (kept == nullptr) {
        vantor::paintTile(painter, item, cell, metrics, look);  // also while icons still load
        return;
    }
    if (!kept->pixmap.isNull()) {
        painter.drawPixmap(tileContentRect(cell, metrics, ratio).topLeft() + kept->offset,
                           kept->pixmap);
    }
}

bool TilePictureCache::prepareNeighbourPages(const LauncherViewModel& viewModel, const QRectF& area,
                                             double ratio) {
    auto& model = viewModel.model();
    auto metrics = viewModel.gridMetrics({area.width(), area.height()});
    std::int64_t columns = viewModel.pageLayout().columns;
    const auto& items = model.filteredItems();
    std::int64_t pageSize = model.pageSize();
    std::int64_t start = viewModel.pageStartIndex();
    int rendered = 0;
    // The pages a turn would show next: after this one, then before it; then
    // only the icons of the page after those, so they have loaded by the time
    // a second turn makes it a neighbour.
    for (std::int64_t pageStart : {start + pageSize, start - pageSize, start + 2 * pageSize}) {
        bool iconsOnly = pageStart == start + 2 * pageSize;
        for (std::int64_t offset = 0; offset < pageSize; ++offset) {
            std::int64_t index = pageStart + offset;
            if (index < 0 || index >= static_cast<std::int64_t>(items.size())) {
                continue;
            }
            const VantorItem& item = items[static_cast<size_t>(index)];
            if (iconsOnly) {
                tileIconsLoaded(item, metrics, ratio);  // asks for those not loaded
                continue;
            }
            std::uint64_t before = made_;
            picture(item, gridCellRect(metrics, columns, offset, area), metrics, ratio, false,
                    model.isNewItem(item), pageSize);
            // A few at a time, so keys and the pointer are never kept waiting.
            if (made_ != before && ++rendered == 3) {
                return true;
            }
        }
    }
    return false;
}

void TilePictureCache::prepareSoon(QObject* context, std::function<bool()> step) {
    if (scheduled_) {
        return;
    }
    scheduled_ = true;
    QTimer::singleShot(0, context, [this, context, step] {
        scheduled_ = false;
        if (step()) {
            prepareSoon(context, step);
        }
    });
}

}  // namespace vantor
