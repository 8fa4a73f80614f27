// How the launcher view draws itself, back to front.
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <cmath>
#include <numbers>

#include "views/AppIconCache.h"
#include "views/BackdropCapture.h"
#include "views/Painting.h"
#include "views/TilePainter.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

// A filled disc with a cross cut out of it.
void paintCloseGlyph(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(box);
    double arm = box.width() * 0.2;
    QPointF c = box.center();
    QPainterPathStroker stroker;
    stroker.setWidth(box.width() * 0.1);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath cross;
    cross.moveTo(c + QPointF(-arm, -arm));
    cross.lineTo(c + QPointF(arm, arm));
    cross.moveTo(c + QPointF(arm, -arm));
    cross.lineTo(c + QPointF(-arm, arm));
    painter.fillPath(disc.subtracted(stroker.createStroke(cross)), color);
    painter.restore();
}

void paintMagnifier(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, box.width() * 0.11);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    double r = box.width() * 0.3;
    QPointF c = box.topLeft() + QPointF(box.width() * 0.42, box.height() * 0.42);
    painter.drawEllipse(c, r, r);
    double d = r / std::numbers::sqrt2;
    painter.drawLine(c + QPointF(d, d),
                     box.bottomRight() - QPointF(box.width() * 0.1, box.height() * 0.1));
    painter.restore();
}

void paintSpinner(QPainter& painter, const QPointF& center, double seconds) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int spokes = 12;
    int lead = static_cast<int>(seconds * spokes) % spokes;
    for (int i = 0; i < spokes; ++i) {
        double angle = 2 * std::numbers::pi * i / spokes;
        int age = (lead - i + spokes) % spokes;
        QPen pen(white(0.85 - 0.06 * age), 3.2);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        QPointF direction(std::sin(angle), -std::cos(angle));
        painter.drawLine(center + direction * 9, center + direction * 16);
    }
    painter.restore();
}

// A picture of what never changes between frames, kept while its place and
// pixel ratio stay the same.
struct KeptPicture {
    QPixmap pixmap;
    QRectF box;

    // Draws `paint`'s drawing inside `box` (points), made again only when the
    // box or the ratio changed.
    template <typename Paint>
    void draw(QPainter& painter, QRectF area, double ratio, Paint paint) {
        // On whole device pixels, so the picture lands exactly where drawn.
        QRectF snapped(std::floor(area.left() * ratio) / ratio,
                       std::floor(area.top() * ratio) / ratio,
                       std::ceil(area.width() * ratio + 1) / ratio,
                       std::ceil(area.height() * ratio + 1) / ratio);
        if (snapped != box || pixmap.devicePixelRatio() != ratio || pixmap.isNull()) {
            box = snapped;
            QImage image((snapped.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(-snapped.topLeft());
            paint(p);
            p.end();
            pixmap = QPixmap::fromImage(std::move(image));
        }
        painter.drawPixmap(box.topLeft(), pixmap);
    }
};

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

}  // namespace

QCache<QString, VantorView::TilePicture>& VantorView::tilePictures() {
    static QCache<QString, TilePicture> pictures(16 * 1024 * 1024);
    return pictures;
}

const VantorView::TilePicture* VantorView::tilePicture(const VantorItem& item, const QRectF& cell,
                                                       const GridMetrics& metrics, double ratio,
                                                       bool selected) {
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
    if (item.isApplication()) {
        key += QLatin1Char('#') + QString::number(AppIconCache::revision(item.asApplication()));
    } else {
        // A folder's picture also depends on what it holds.
        for (const auto& application : item.asFolder().applications) {
            key += QLatin1Char('|') + QString::fromStdString(application.id.raw()) +
                   QLatin1Char('#') + QString::number(AppIconCache::revision(application));
        }
    }
    if (const TilePicture* kept = tilePictures().object(key)) {
        return kept;
    }
    if (!tileIconsLoaded(item, metrics, ratio)) {
        return nullptr;
    }
    TileLook look;
    look.selected = selected ? 1 : 0;
    QImage whole = renderTile(item, cell, metrics, ratio, look);
    // Most of the content rectangle is empty around the icon and a short
    // name: kept out of the picture, it costs nothing to draw each frame.
    QRect visible = visibleBounds(whole);
    auto* picture = new TilePicture;
    if (!visible.isEmpty()) {  // a null rectangle would copy the whole image
        picture->pixmap = QPixmap::fromImage(whole.copy(visible));
        picture->offset = QPointF(visible.topLeft()) / ratio;
    }
    picture->pixmap.setDevicePixelRatio(ratio);
    ++picturesMade_;
    // Priced as the whole rectangle, so the cache holds the same pages whatever was cut.
    qsizetype cost = static_cast<qsizetype>(whole.width()) * whole.height() * 4;
    // Room for the shown page and the two a turn goes to, at this size, with
    // a selected tile each: less would evict the very pictures a page needs
    // while drawing it, more only holds pages nobody is looking at.
    qsizetype pages = cost * (std::max<qsizetype>(1, viewModel_->model().pageSize()) + 1) * 3;
    if (tilePictures().maxCost() != pages) {
        tilePictures().setMaxCost(pages);
    }
    if (!tilePictures().insert(key, picture, cost)) {
        return nullptr;
    }
    return tilePictures().object(key);
}

void VantorView::scheduleNeighbourPages() {
    if (!neighboursScheduled_) {
        neighboursScheduled_ = true;
        QTimer::singleShot(0, this, &VantorView::prepareNeighbourPages);
    }
}

void VantorView::prepareNeighbourPages() {
    neighboursScheduled_ = false;
    auto& model = viewModel_->model();
    if (!isVisible() || (model.isLoading() && model.applications().empty())) {
        return;
    }
    QRectF area = gridArea();
    auto metrics = viewModel_->gridMetrics({area.width(), area.height()});
    double ratio = devicePixelRatioF();
    const auto& items = model.filteredItems();
    std::int64_t pageSize = model.pageSize();
    std::int64_t start = viewModel_->pageStartIndex();
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
            std::uint64_t before = picturesMade_;
            tilePicture(item, cellRect(offset), metrics, ratio, false);
            if (picturesMade_ != before && ++rendered == 3) {
                // A few at a time, so keys and the pointer are never kept waiting.
                neighboursScheduled_ = true;
                QTimer::singleShot(0, this, &VantorView::prepareNeighbourPages);
                return;
            }
        }
    }
}

void VantorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);

    double now = tiles_.now();
    double visible = entrance_.value(now);
    painter.save();
    painter.setOpacity(std::clamp(visible, 0.0, 1.0));
    double scale = 0.985 + 0.015 * visible;
    QPointF center = rect().center();
    painter.translate(center);
    painter.scale(scale, scale);
    painter.translate(-center);
    paintTopRow(painter);
    paintMainArea(painter);
    painter.restore();

    if (viewModel_->folderOverlay() != nullptr) {
        paintFolderOverlay(painter, currentPanelPicture(), true);
    } else if (fadingPanel_ && panelFade_.value(now) > 0) {
        painter.save();
        painter.setOpacity(std::clamp(panelFade_.value(now), 0.0, 1.0));
        paintFolderOverlay(painter, *fadingPanel_, false);
        painter.restore();
    }
    // Also between the frames of an animation: a few pictures at a time leave
    // each frame its time.
    scheduleNeighbourPages();
    Q_EMIT framePainted();
}

QPixmap VantorView::plainBackground(QSize size, double ratio) {
    // The dark fill is the same for every showing of one size: made once.
    static QPixmap plain;
    if (plain.size() != (QSizeF(size) * ratio).toSize() || plain.devicePixelRatio() != ratio) {
        plain = QPixmap::fromImage(composeBackground({}, size, ratio));
    }
    return plain;
}

void VantorView::paintBackground(QPainter& painter) {
    double ratio = devicePixelRatioOf(painter);
    if (background_.size() != (QSizeF(size()) * ratio).toSize() ||
        background_.devicePixelRatio() != ratio) {
        if (backdrop_.isNull()) {
            // Until the blurred backdrop arrives (or where there is none).
            background_ = plainBackground(size(), ratio);
        } else {
            background_ = QPixmap::fromImage(composeBackground(backdrop_, size(), ratio));
        }
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, background_);
    painter.restore();
}

void VantorView::paintTopRow(QPainter& painter) {
    // Cut and filled paths cost more than drawing their picture every frame.
    static KeptPicture closeButton, capsulePicture;
    auto l = layout();
    double ratio = devicePixelRatioOf(painter);
    QRectF close = toQt(l.closeButton);
    closeButton.draw(painter, close, ratio,
                     [close](QPainter& p) { paintCloseGlyph(p, close, white(0.75)); });

    QRectF capsule = toQt(l.searchCapsule);
    capsulePicture.draw(painter, capsule.adjusted(-1, -1, 1, 1), ratio, [capsule](QPainter& p) {
        QPainterPath shape;
        shape.addRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);
        p.fillPath(shape, white(0.16));
        p.setPen(QPen(white(0.2), 1));
        p.drawPath(shape);
        paintMagnifier(p, QRectF(capsule.left() + 18, capsule.center().y() - 9, 18, 18),
                       white(0.7));
    });
}

void VantorView::paintMainArea(QPainter& painter) {
    auto& model = viewModel_->model();
    QRectF area = gridArea();
    double now = tiles_.now();
    if (model.isLoading() && model.applications().empty()) {
        paintSpinner(painter, area.center(), now);
        return;
    }
    painter.save();
    painter.setClipRect(area);
    painter.translate(0, pageOffset_.value(now));
    painter.setOpacity(painter.opacity() * pageOpacity_.value(now));
    auto metrics = viewModel_->gridMetrics({area.width(), area.height()});
    double ratio = devicePixelRatioOf(painter);
    QSet<QString> shown;
    for (const auto& slot : viewModel_->pageSlots()) {
        if (!slot.item) {
            continue;
        }
        QString id = QString::fromStdString(slot.id());
        QRectF cell = cellRect(slot.offset);
        shown.insert(id);
        // A tile that moved (a search, a reorder, another page size) glides to
        // its new cell; a tile new to the page fades and grows in.
        Placement& placement = placeTile(placements_, snapPlacements_, id, cell.topLeft(), now);
        QPointF shift(placement.x.value(now) - cell.left(), placement.y.value(now) - cell.top());
        double appear = placement.appear.value(now);
        painter.save();
        painter.translate(shift);
        if (appear < 1) {
            double scale = 0.96 + 0.04 * appear;
            painter.setOpacity(painter.opacity() * std::clamp(appear, 0.0, 1.0));
            painter.translate(cell.center());
            painter.scale(scale, scale);
            painter.translate(-cell.center());
        }
        paintGridTile(painter, *slot.item, id, cell, metrics, ratio);
        painter.restore();
    }
    for (auto it = placements_.begin(); it != placements_.end();) {
        it = shown.contains(it.key()) ? std::next(it) : placements_.erase(it);
    }
    snapPlacements_ = false;
    painter.restore();

    std::int64_t pages = viewModel_->pageCount();
    if (pages > 1) {
        paintPageDots(painter, layout().pageDotColumn(pages), pages, currentDot_.value(now), 8, 6,
                      0.86, 0.3, 9, 0.28);
    }
}

VantorView::Placement& VantorView::placeTile(QHash<QString, Placement>& placements, bool snap,
                                             const QString& id, QPointF target, double now) {
    auto it = placements.find(id);
    if (it == placements.end()) {
        Placement placement;
        placement.x.setNow(target.x());
        placement.y.setNow(target.y());
        placement.appear.setNow(snap ? 1 : 0);
        if (!snap) {
            placement.appear.setTarget(1, Easing::easeOut(0.2), now);
        }
        return *placements.insert(id, placement);
    }
    if (snap) {
        it->x.setNow(target.x());
        it->y.setNow(target.y());
        it->appear.setNow(1);
    } else {
        it->x.setTarget(target.x(), Easing::easeOut(0.2), now);
        it->y.setTarget(target.y(), Easing::easeOut(0.2), now);
    }
    return *it;
}

bool VantorView::placementsAnimating(double now) const {
    for (const auto* placements : {&placements_, &folderPlacements_}) {
        for (const auto& placement : *placements) {
            if (placement.x.isAnimating(now) || placement.y.isAnimating(now) ||
                placement.appear.isAnimating(now)) {
                return true;
            }
        }
    }
    return false;
}

void VantorView::paintGridTile(QPainter& painter, const VantorItem& item, const QString& id,
                               const QRectF& cell, const GridMetrics& metrics, double ratio) {
    TileLook look = tiles_.look(id);
    // At rest, idle or selected, a tile is a kept picture; in between, and
    // under the pointer, it is drawn as it moves.
    bool still = look.hovered == 0 && look.folderTarget == 0 && look.dragging == 0 &&
                 (look.selected == 0 || look.selected == 1);
    const TilePicture* picture =
        still ? tilePicture(item, cell, metrics, ratio, look.selected == 1) : nullptr;
    if (picture == nullptr) {
        paintTile(painter, item, cell, metrics, look);  // also while icons still load
        return;
    }
    if (!picture->pixmap.isNull()) {
        painter.drawPixmap(tileContentRect(cell, metrics, ratio).topLeft() + picture->offset,
                           picture->pixmap);
    }
}

void VantorView::paintPageDots(QPainter& painter, const Rect& column, std::int64_t count,
                               double current, double big, double small, double currentOpacity,
                               double otherOpacity, double spacing, double shadowOpacity) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF capsule = toQt(column);
    QPainterPath shape;
    shape.addRoundedRect(capsule, capsule.width() / 2, capsule.width() / 2);
    painter.fillPath(shape, black(0.12));
    for (std::int64_t page = 0; page < count; ++page) {
        double emphasis = std::max(0.0, 1 - std::abs(current - static_cast<double>(page)));
        double size = small + (big - small) * emphasis;
        QPointF center(capsule.center().x(),
                       capsule.top() + 10 + big / 2 + static_cast<double>(page) * (big + spacing));
        if (emphasis > 0) {
            QPainterPath disc;
            disc.addEllipse(center + QPointF(0, 1), size / 2, size / 2);
            drawShapeShadow(painter, disc, {black(shadowOpacity * emphasis), 4, {0, 0}});
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(white(otherOpacity + (currentOpacity - otherOpacity) * emphasis));
        painter.drawEllipse(center, size / 2, size / 2);
    }
    painter.restore();
}

void VantorView::paintFolderOverlay(QPainter& painter, const PanelPicture& picture, bool live) {
    auto panelLayout = FolderPanelLayout::forWindow({double(width()), double(height())});
    painter.fillRect(rect(), black(0.18));

    QRectF panel = toQt(panelLayout.panel);
    QPainterPath shape = continuousRoundedRect(panel, 32);
    drawShapeShadow(painter, shape, {black(0.38), 36, {0, 22}});
    if (!backdrop_.isNull()) {
        // The frosted material: the blurred desktop again, lightly tinted.
        painter.save();
        painter.setClipPath(shape);
        painter.drawImage(rect(), backdrop_);
        painter.fillRect(panel, QColor::fromRgbF(0.1, 0.11, 0.13, 0.35));
        painter.restore();
    }
    painter.fillPath(shape, white(0.06));
    QLinearGradient sheen(panel.topLeft(), panel.bottomRight());
    sheen.setColorAt(0, white(0.2));
    sheen.setColorAt(1, white(0.07));
    painter.fillPath(shape, sheen);
    painter.setPen(QPen(white(0.18), 1));
    painter.drawPath(shape);

    // While the name is edited, its field stands where the title is drawn.
    if (!(live && viewModel_->isRenamingFolder())) {
        QRectF title = toQt(panelLayout.title);
        QString text = folderTitleText(picture.title);
        painter.setFont(interfaceFont(25, QFont::DemiBold));
        painter.setPen(black(0.28));
        painter.drawText(title.translated(0, 2), Qt::AlignCenter, text);
        painter.setPen(white(0.98));
        painter.drawText(title, Qt::AlignCenter, text);
    }
    paintCloseGlyph(painter, toQt(panelLayout.closeButton), white(0.76));

    double now = tiles_.now();
    painter.save();
    painter.setClipRect(toQt(panelLayout.grid));
    painter.translate(0, folderPageOffset_.value(now));
    painter.setOpacity(painter.opacity() * folderPageOpacity_.value(now));
    const auto& dragged = viewModel_->draggedFolderApplicationID();
    QSet<QString> shown;
    for (size_t index = 0; index < picture.cells.size(); ++index) {
        const auto& application = picture.cells[index];
        if (!application) {
            continue;
        }
        QRectF cell = toQt(panelLayout.cell(static_cast<std::int64_t>(index)));
        QPointF shift;
        if (live) {
            // A reorder inside the panel glides the cells, as in the grid.
            QString id = QString::fromStdString(application->id.canonical());
            shown.insert(id);
            Placement& placement =
                placeTile(folderPlacements_, snapFolderPlacements_, id, cell.topLeft(), now);
            shift = {placement.x.value(now) - cell.left(), placement.y.value(now) - cell.top()};
        }
        double hovered =
            live ? tiles_.look(TileAnimations::folderCellID(static_cast<std::int64_t>(index)))
                       .hovered
                 : 0;
        painter.save();
        painter.translate(shift);
        if (live && dragged && *dragged == application->id) {
            painter.setOpacity(painter.opacity() * 0.42);
        }
        paintFolderApplicationTile(painter, *application, cell, hovered);
        painter.restore();
    }
    if (live) {
        for (auto it = folderPlacements_.begin(); it != folderPlacements_.end();) {
            it = shown.contains(it.key()) ? std::next(it) : folderPlacements_.erase(it);
        }
        snapFolderPlacements_ = false;
    }
    painter.restore();
    if (picture.pageCount > 1) {
        // The open panel's dots spring to a new page; a fading panel's stand still.
        double current = live ? folderDot_.value(now) : static_cast<double>(picture.currentPage);
        paintPageDots(painter, panelLayout.pageDotColumn(picture.pageCount), picture.pageCount,
                      current, 7, 5, 0.84, 0.28, 8, 0.24);
    }
}

}  // namespace vantor
