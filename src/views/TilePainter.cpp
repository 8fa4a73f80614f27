#include "views/TilePainter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "launcher/FolderThumbnail.h"
#include "views/AppIconCache.h"
#include "views/Painting.h"

namespace vantor {
namespace {

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

void drawIcon(QPainter& painter, const ApplicationItem& application, const QRectF& frame,
              const Shadow& shadow) {
    double ratio = devicePixelRatioOf(painter);
    QPixmap icon = AppIconCache::icon(application, frame.width(), ratio);
    if (icon.isNull()) {
        // Still loading: a quiet plate where the icon will be.
        painter.fillPath(
            continuousRoundedRect(frame.adjusted(frame.width() * 0.06, frame.height() * 0.06,
                                                 -frame.width() * 0.06, -frame.height() * 0.06),
                                  frame.width() * 0.22),
            white(0.1));
        return;
    }
    drawPixmapShadow(painter, frame, icon, AppIconCache::key(application, frame.width(), ratio),
                     shadow);
    painter.drawPixmap(frame, icon, QRectF(QPointF(0, 0), QSizeF(icon.size())));
}

constexpr double newDotDiameter = 7;

// In the colour of the current page's dot, with its faint shadow.
void drawNewDot(QPainter& painter, const QPointF& center) {
    QPainterPath disc;
    disc.addEllipse(center, newDotDiameter / 2, newDotDiameter / 2);
    drawShapeShadow(painter, disc, {black(0.3), 4, {0, 0}});
    painter.fillPath(disc, white(0.86));
}

// Before the first line of a centred title, kept inside the tile (its left
// edge at `left`) for a line as wide as the label.
QPointF newDotCenter(double left, double middle, double firstLine, double top, const QFont& font) {
    double x = std::max(left + newDotDiameter, middle - firstLine / 2 - 5 - newDotDiameter / 2);
    return QPointF(x, top + QFontMetricsF(font).height() / 2);
}

}  // namespace

QRectF tileRect(const QRectF& cell, const GridMetrics& metrics) {
    double height = std::max(metrics.cellHeight, GridMetrics::tileMinimumHeight);
    return QRectF(cell.left(), cell.center().y() - height / 2, cell.width(), height);
}

QRectF tileContentRect(const QRectF& cell, const GridMetrics& metrics, double devicePixelRatio) {
    // The icon stack (s + 20 by s + 18), 11 apart from a 38-high label,
    // padded 10 and 8, centred in the tile.
    const double s = metrics.iconSize;
    const QRectF tile = tileRect(cell, metrics);
    const double width = std::max(s + 20, metrics.textWidth) + 20;
    const double height = (s + 18) + 11 + 38 + 16;
    auto snap = [devicePixelRatio](double v) {
        return std::round(v * devicePixelRatio) / devicePixelRatio;
    };
    double left = snap(tile.center().x() - width / 2);
    double top = snap(tile.center().y() - height / 2);
    return QRectF(left, top, snap(left + width) - left, snap(top + height) - top);
}

bool tileIconsLoaded(const VantorItem& item, const GridMetrics& metrics, double devicePixelRatio) {
    if (item.isApplication()) {
        return !AppIconCache::icon(item.asApplication(), metrics.iconSize, devicePixelRatio)
                    .isNull();
    }
    auto thumbnail = FolderThumbnail::make(item.asFolder().applications,
                                           {0, 0, metrics.iconSize, metrics.iconSize});
    for (const auto& cell : thumbnail.cells) {
        if (cell.application &&
            AppIconCache::icon(*cell.application, cell.frame.width, devicePixelRatio).isNull()) {
            return false;
        }
    }
    return true;
}

QImage renderTile(const VantorItem& item, const QRectF& cell, const GridMetrics& metrics,
                  double devicePixelRatio, const TileLook& look) {
    QRectF content = tileContentRect(cell, metrics, devicePixelRatio);
    QImage picture((content.size() * devicePixelRatio).toSize(),
                   QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.translate(-content.topLeft());
    paintTile(painter, item, cell, metrics, look);
    return picture;
}

void paintTile(QPainter& painter, const VantorItem& item, const QRectF& cell,
               const GridMetrics& metrics, const TileLook& look) {
    const double s = metrics.iconSize;
    const double emphasis = std::max(look.selected, look.folderTarget);
    const QRectF tile = tileRect(cell, metrics);
    const QRectF content = tileContentRect(cell, metrics, devicePixelRatioOf(painter));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(painter.opacity() * mix(1.0, 0.42, look.dragging));
    double scale = 1 + 0.04 * std::max(look.hovered, look.folderTarget);
    painter.translate(tile.center());
    painter.scale(scale, scale);
    painter.translate(-tile.center());

    // The rounded clip trims the plate's and the icon's shadows; an idle tile
    // draws nothing beyond its content, so it needs none.
    bool idle = look.hovered == 0 && look.selected == 0 && look.folderTarget == 0;
    if (!idle) {
        painter.setClipPath(continuousRoundedRect(content, 22), Qt::IntersectClip);
    }

    // Hover plate, behind everything, only while not selected.
    double hoverPlate = look.hovered * (1 - look.selected);
    if (hoverPlate > 0) {
        painter.fillPath(continuousRoundedRect(content, 18), white(0.06 * hoverPlate));
    }

    QRectF iconStack(content.center().x() - (s + 20) / 2, content.top() + 8, s + 20, s + 18);
    if (emphasis > 0) {
        double plateScale = mix(0.94, 1.0, emphasis);
        QRectF plate(iconStack.center().x() - iconStack.width() * plateScale / 2,
                     iconStack.center().y() - iconStack.height() * plateScale / 2,
                     iconStack.width() * plateScale, iconStack.height() * plateScale);
        QPainterPath platePath = continuousRoundedRect(plate, 22);
        painter.save();
        painter.setOpacity(painter.opacity() * emphasis);
        drawShapeShadow(painter, platePath, {black(0.24), 18, {0, 10}});
        QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
        double t = look.folderTarget > 0 ? look.folderTarget / emphasis : 0;
        fill.setColorAt(0, white(mix(0.18, 0.28, t)));
        fill.setColorAt(1, white(mix(0.08, 0.12, t)));
        painter.fillPath(platePath, fill);
        painter.setPen(QPen(white(0.24), 0.8));
        painter.drawPath(platePath);
        painter.restore();
    }

    QRectF iconFrame(iconStack.center().x() - s / 2, iconStack.center().y() - s / 2 - 2 * emphasis,
                     s, s);
    Shadow iconShadow{black(mix(0.32, 0.42, emphasis)), mix(13, 16, emphasis), {0, 8}};
    if (item.isApplication()) {
        drawIcon(painter, item.asApplication(), iconFrame, iconShadow);
    } else {
        paintFolderIcon(painter, item.asFolder().applications, iconFrame);
    }

    QFont font = interfaceFont(13.5, emphasis > 0.5 ? QFont::DemiBold : QFont::Medium);
    Shadow labelShadow{black(mix(0.18, 0.36, emphasis)), 3, {0, 1}};
    QRectF label(content.center().x() - metrics.textWidth / 2, iconStack.bottom() + 11,
                 metrics.textWidth, 38);
    double firstLine = 0;
    drawWrappedText(painter, QString::fromStdString(item.title()), font, label.topLeft(),
                    label.width(), 2, white(mix(0.92, 1.0, emphasis)), &labelShadow, &firstLine);
    if (look.markedNew) {
        drawNewDot(painter,
                   newDotCenter(content.left(), label.center().x(), firstLine, label.top(), font));
    }
    painter.restore();
}

void paintFolderIcon(QPainter& painter, const std::vector<ApplicationItem>& applications,
                     const QRectF& square) {
    const double s = square.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawFrostedPlate(painter, continuousRoundedRect(square, 0.245 * s), square,
                     {{black(0.22), 14, {0, 8}}, 0.10, 0.28, 0.13, 0.26, 0.8});

    auto thumbnail = FolderThumbnail::make(
        applications, {square.x(), square.y(), square.width(), square.height()});
    for (const auto& cell : thumbnail.cells) {
        QRectF frame(cell.frame.x, cell.frame.y, cell.frame.width, cell.frame.height);
        if (cell.application) {
            drawIcon(painter, *cell.application, frame, {black(0.2), 3, {0, 1}});
        } else {
            painter.fillPath(continuousRoundedRect(frame, thumbnail.placeholderRadius), white(0.1));
        }
    }
    painter.restore();
}

void paintFolderApplicationTile(QPainter& painter, const ApplicationItem& application,
                                const QRectF& cell, double hovered, double selected,
                                bool markedNew) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    double scale = 1 + 0.045 * hovered;
    painter.translate(cell.center());
    painter.scale(scale, scale);
    painter.translate(-cell.center());
    if (hovered > 0 || selected > 0) {
        // The keyboard's selection: a brighter plate with a clear rim.
        QPainterPath plate = continuousRoundedRect(cell, 19);
        painter.fillPath(plate, white(std::max(0.08 * hovered, 0.14 * selected)));
        painter.setPen(QPen(white(std::max(0.12 * hovered, 0.55 * selected)), 0.8 + selected));
        painter.drawPath(plate);
    }
    // 78-point icon, 10 apart from a 36-high label, the pair centred in 122 × 140.
    double top = cell.center().y() - (78 + 10 + 36) / 2.0;
    QRectF icon(cell.center().x() - 39, top, 78, 78);
    drawIcon(painter, application, icon, {black(0.3), 12, {0, 7}});
    Shadow labelShadow{black(0.22), 3, {0, 1}};
    QFont font = interfaceFont(13, hovered > 0.5 ? QFont::DemiBold : QFont::Medium);
    double firstLine = 0;
    drawWrappedText(painter, QString::fromStdString(application.name), font,
                    QPointF(cell.center().x() - 55, icon.bottom() + 10), 110, 2, white(0.96),
                    &labelShadow, &firstLine);
    if (markedNew) {
        drawNewDot(painter, newDotCenter(cell.left(), cell.center().x(), firstLine,
                                         icon.bottom() + 10, font));
    }
    painter.restore();
}

}  // namespace vantor
