#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <cstdint>

#include "base/Geometry.h"
#include "launcher/GridMetrics.h"

class QPainter;

namespace vantor {

// A soft shadow: colour with its opacity, blur radius and offset, in points.
struct Shadow {
    QColor color;
    double radius = 0;
    QPointF offset;
};

// What a blur takes to lie beyond the image's edges: nothing (a shape's
// shadow fades out there), or more of the same (a picture that fills the
// screen stays as bright at its edges as in its middle).
enum class BlurEdges { transparent, averageInside };

// Blurs an image in place (three box passes, close to a Gaussian of the radius).
void blurImage(QImage& image, double radius, BlurEdges edges = BlurEdges::transparent);

// The blurred shadow of an image's alpha in one colour, with room for the blur
// around it (the image sits `ceil(1.5 × radius) + 1` pixels in from each edge).
QImage makeShadow(const QImage& mask, double radius, const QColor& color);

// A rounded rectangle whose corners blend smoothly into the sides.
QPainterPath continuousRoundedRect(const QRectF& rect, double radius);

// Draws the shadow a shape would cast, without the shape itself. Shadows of
// the same size and look are made once and reused.
void drawShapeShadow(QPainter& painter, const QPainterPath& shape, const Shadow& shadow);
// Draws the shadow of a picture's opaque parts, then nothing else.
void drawPixmapShadow(QPainter& painter, const QRectF& target, const QPixmap& pixmap,
                      const QString& cacheKey, const Shadow& shadow);

// A filled disc with a cross cut out of it.
void paintCloseGlyph(QPainter& painter, const QRectF& box, const QColor& color);

// The sizes and opacities of a column of page dots.
struct PageDotsLook {
    double big = 0;
    double small = 0;
    double currentOpacity = 0;
    double otherOpacity = 0;
    double spacing = 0;
    double shadowOpacity = 0;
};
// The dots of `count` pages in their capsule; `current` is the current page,
// fractional while the dots spring to a new one.
void paintPageDots(QPainter& painter, const Rect& column, std::int64_t count, double current,
                   const PageDotsLook& look);

// The frosted material of a folder: its shadow, a light translucent white
// under a diagonal sheen, and a fine edge. `behind` (the blurred desktop,
// drawn over `behindArea`) shows through it, tinted, when given.
struct FrostedLook {
    Shadow shadow;
    double base = 0;
    double sheenFrom = 0;
    double sheenTo = 0;
    double edge = 0;
    double edgeWidth = 0;
};
void drawFrostedPlate(QPainter& painter, const QPainterPath& shape, const QRectF& box,
                      const FrostedLook& look, const QImage& behind = {},
                      const QRectF& behindArea = {});

// The device pixel ratio of what a painter draws on. A widget rendered into an
// image paints through its own painter, whose device() is the widget even
// though the pixels land in the image at that image's ratio.
double devicePixelRatioOf(const QPainter& painter);

// The interface font at a size in points (device-independent pixels).
QFont interfaceFont(double points, QFont::Weight weight);

// Text in `width`, at most `maxLines` lines, centred, the last line elided.
// Drawn from `topLeft` downward; returns the height used. `firstLineWidth`,
// when given, receives the width of the first line as drawn.
double drawWrappedText(QPainter& painter, const QString& text, const QFont& font,
                       const QPointF& topLeft, double width, int maxLines, const QColor& color,
                       const Shadow* shadow = nullptr, double* firstLineWidth = nullptr);

QColor white(double opacity);
QColor black(double opacity);

inline QRectF toQt(const Rect& r) {
    return {r.x, r.y, r.width, r.height};
}
inline Point toPoint(const QPointF& p) {
    return {p.x(), p.y()};
}
// The cell of slot `offset` of a grid of `columns` laid out in `area`.
inline QRectF gridCellRect(const GridMetrics& metrics, std::int64_t columns, std::int64_t offset,
                           const QRectF& area) {
    return toQt(metrics.cellRect(offset % columns, offset / columns)).translated(area.topLeft());
}

}  // namespace vantor
