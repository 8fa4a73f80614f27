#include "views/GridPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSet>
#include <cmath>
#include <numbers>

#include "views/BackdropCapture.h"
#include "views/Painting.h"
#include "views/TilePictureCache.h"
#include "views/ViewMotion.h"

namespace vantor {
namespace {

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

// The close button and the search capsule (its field is a child widget).
void paintTopRow(QPainter& painter, const LauncherLayout& layout) {
    // Cut and filled paths cost more than drawing their picture every frame.
    static KeptPicture closeButton, capsulePicture;
    double ratio = devicePixelRatioOf(painter);
    QRectF close = toQt(layout.closeButton);
    closeButton.draw(painter, close, ratio,
                     [close](QPainter& p) { paintCloseGlyph(p, close, white(0.75)); });

    QRectF capsule = toQt(layout.searchCapsule);
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

}  // namespace

void GridPainter::setBackdrop(QImage blurred, QImage composedBackground) {
    backdrop_ = std::move(blurred);
    // Moved in, so the pixmap takes the image's pixels rather than a copy.
    background_ = QPixmap::fromImage(std::move(composedBackground));
}

void GridPainter::paint(QPainter& painter, QSize window, const LauncherViewModel& viewModel) {
    paintBackground(painter, window);
    double visible = motion_.entrance().value(motion_.now());
    painter.save();
    painter.setOpacity(std::clamp(visible, 0.0, 1.0));
    double scale = 0.985 + 0.015 * visible;
    QPointF center = QRect(QPoint(0, 0), window).center();
    painter.translate(center);
    painter.scale(scale, scale);
    painter.translate(-center);
    auto layout = LauncherLayout::forWindow({double(window.width()), double(window.height())});
    paintTopRow(painter, layout);
    paintMainArea(painter, layout, viewModel);
    painter.restore();
}

void GridPainter::warmUp() {
    // Laying out text once loads the fonts and their caches.
    QImage scratch(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (auto [size, weight] : {std::pair{13.5, QFont::Medium}, std::pair{13.5, QFont::DemiBold},
                                std::pair{18.0, QFont::Normal}, std::pair{25.0, QFont::DemiBold},
                                std::pair{13.0, QFont::Medium}}) {
        painter.setFont(interfaceFont(size, weight));
        painter.drawText(QPointF(0, 20), QStringLiteral("搜索应用 文件夹 Aa 0"));
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        plainBackground(screen->geometry().size(), screen->devicePixelRatio());
    }
}

QPixmap GridPainter::plainBackground(QSize size, double ratio) {
    // The dark fill is the same for every showing of one size: made once.
    static QPixmap plain;
    if (plain.size() != (QSizeF(size) * ratio).toSize() || plain.devicePixelRatio() != ratio) {
        plain = QPixmap::fromImage(composeBackground({}, size, ratio));
    }
    return plain;
}

void GridPainter::paintBackground(QPainter& painter, QSize window) {
    double ratio = devicePixelRatioOf(painter);
    if (background_.size() != (QSizeF(window) * ratio).toSize() ||
        background_.devicePixelRatio() != ratio) {
        if (backdrop_.isNull()) {
            // Until the blurred backdrop arrives (or where there is none).
            background_ = plainBackground(window, ratio);
        } else {
            background_ = QPixmap::fromImage(composeBackground(backdrop_, window, ratio));
        }
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, background_);
    painter.restore();
}

void GridPainter::paintMainArea(QPainter& painter, const LauncherLayout& layout,
                                const LauncherViewModel& viewModel) {
    auto& model = viewModel.model();
    QRectF area = toQt(layout.mainArea);
    double now = motion_.now();
    if (model.isLoading() && model.applications().empty()) {
        paintSpinner(painter, area.center(), now);
        return;
    }
    painter.save();
    painter.setClipRect(area);
    painter.translate(0, motion_.pageOffset().value(now));
    painter.setOpacity(painter.opacity() * motion_.pageOpacity().value(now));
    auto metrics = viewModel.gridMetrics({area.width(), area.height()});
    std::int64_t columns = viewModel.pageLayout().columns;
    double ratio = devicePixelRatioOf(painter);
    QSet<QString> shown;
    for (const auto& slot : viewModel.pageSlots()) {
        if (!slot.item) {
            continue;
        }
        QString id = QString::fromStdString(slot.id());
        QRectF cell = gridCellRect(metrics, columns, slot.offset, area);
        shown.insert(id);
        // A tile that moved (a search, a reorder, another page size) glides to
        // its new cell; a tile new to the page fades and grows in.
        auto glide = motion_.glideGridTile(id, cell.topLeft(), now);
        painter.save();
        painter.translate(glide.shift);
        if (glide.appear < 1) {
            double scale = 0.96 + 0.04 * glide.appear;
            painter.setOpacity(painter.opacity() * std::clamp(glide.appear, 0.0, 1.0));
            painter.translate(cell.center());
            painter.scale(scale, scale);
            painter.translate(-cell.center());
        }
        TileLook look = motion_.look(id);
        look.markedNew = model.isNewItem(*slot.item);
        pictures_.paintTile(painter, *slot.item, look, cell, metrics, ratio, model.pageSize());
        painter.restore();
    }
    motion_.endGridFrame(shown);
    painter.restore();

    std::int64_t pages = viewModel.pageCount();
    if (pages > 1) {
        paintPageDots(painter, layout.pageDots(pages).bounds, pages,
                      motion_.currentDot().value(now), {8, 6, 0.86, 0.3, 9, 0.28});
    }
}

}  // namespace vantor
