#include "views/Painting.h"

#include <QCache>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vantor {
namespace {

// One horizontal or vertical box pass over premultiplied ARGB.
void boxBlurPass(QImage& image, int radius, bool horizontal, BlurEdges edges) {
    const int width = image.width();
    const int height = image.height();
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<uint32_t> line(static_cast<size_t>(length));
    const int window = 2 * radius + 1;
    // Addressed from the first pixel: scanLine() checks for sharing on every call.
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int l = 0; l < lines; ++l) {
        auto pixel = [&](int i) -> QRgb& {
            int x = horizontal ? i : l;
            int y = horizontal ? l : i;
            return reinterpret_cast<QRgb*>(bits + y * stride)[x];
        };
        for (int i = 0; i < length; ++i) {
            line[static_cast<size_t>(i)] = pixel(i);
        }
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](int i, int sign) {
            if (i < 0 || i >= length) {
                return;
            }
            uint32_t p = line[static_cast<size_t>(i)];
            sum[0] += sign * int(qAlpha(p));
            sum[1] += sign * int(qRed(p));
            sum[2] += sign * int(qGreen(p));
            sum[3] += sign * int(qBlue(p));
        };
        for (int i = -radius; i <= radius; ++i) {
            add(i, 1);
        }
        for (int i = 0; i < length; ++i) {
            // Near the ends the box reaches past the image: averaging only what
            // lies inside keeps a picture as bright at its edges as elsewhere.
            int count = edges == BlurEdges::averageInside
                            ? std::min(i + radius, length - 1) - std::max(i - radius, 0) + 1
                            : window;
            pixel(i) = qRgba(sum[1] / count, sum[2] / count, sum[3] / count, sum[0] / count);
            add(i - radius, -1);
            add(i + radius + 1, 1);
        }
    }
}

// Shadows of the shapes and icons drawn lately. Bounded: idle tiles are kept as
// whole pictures, so an icon's shadow is needed again only while its tile is
// hovered, selected or being drawn afresh.
QCache<QString, QImage>& shadowCache() {
    static QCache<QString, QImage> cache(12 * 1024 * 1024);
    return cache;
}

const QImage& keepShadow(const QString& key, QImage shadow) {
    // A shadow too large to keep is still drawn once: held here for this call.
    static QImage lastUncached;
    auto& cache = shadowCache();
    qsizetype cost = shadow.sizeInBytes();
    if (cost > cache.maxCost()) {
        lastUncached = std::move(shadow);
        return lastUncached;
    }
    cache.insert(key, new QImage(std::move(shadow)), cost);
    return *cache.object(key);
}

// Box size of each of three passes that approximate a Gaussian of sigma = radius / 2.
int boxForRadius(double radius) {
    double sigma = radius / 2;
    return std::max(1,
                    static_cast<int>(std::lround(std::sqrt(12 * sigma * sigma / 3 + 1) - 1) / 2));
}

// One box pass over a plane of bytes; what lies beyond the plane counts as 0.
void boxBlurBytes(std::vector<uint8_t>& plane, int width, int height, int radius, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const size_t step = horizontal ? 1 : static_cast<size_t>(width);
    const int window = 2 * radius + 1;
    std::vector<uint8_t> padded(static_cast<size_t>(length + window), 0);
    for (int l = 0; l < lines; ++l) {
        uint8_t* first =
            plane.data() + (horizontal ? static_cast<size_t>(l) * width : static_cast<size_t>(l));
        for (int i = 0; i < length; ++i) {
            padded[static_cast<size_t>(i + radius)] = first[static_cast<size_t>(i) * step];
        }
        int sum = 0;
        for (int i = 0; i < window - 1; ++i) {
            sum += padded[static_cast<size_t>(i)];
        }
        for (int i = 0; i < length; ++i) {
            sum += padded[static_cast<size_t>(i + window - 1)];
            first[static_cast<size_t>(i) * step] = static_cast<uint8_t>(sum / window);
            sum -= padded[static_cast<size_t>(i)];
        }
    }
}

}  // namespace

// A shadow has one colour, so only its alpha is blurred (a quarter of the work
// of blurring every channel, for the same picture) and tinted afterwards.
QImage makeShadow(const QImage& mask, double radius, const QColor& color) {
    int margin = static_cast<int>(std::ceil(radius * 1.5)) + 1;
    const int width = mask.width() + 2 * margin;
    const int height = mask.height() + 2 * margin;
    std::vector<uint8_t> alpha(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const QImage maskAlpha = mask.convertToFormat(QImage::Format_Alpha8);
    for (int y = 0; y < maskAlpha.height(); ++y) {
        const uchar* row = maskAlpha.constScanLine(y);
        std::copy(row, row + maskAlpha.width(),
                  alpha.begin() + static_cast<std::ptrdiff_t>(y + margin) * width + margin);
    }
    if (radius >= 0.5) {
        int box = boxForRadius(radius);
        for (int pass = 0; pass < 3; ++pass) {
            boxBlurBytes(alpha, width, height, box, true);
            boxBlurBytes(alpha, width, height, box, false);
        }
    }
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    const int red = color.red(), green = color.green(), blue = color.blue();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        const uint8_t* a = alpha.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            row[x] = qRgba(red * a[x] / 255, green * a[x] / 255, blue * a[x] / 255, a[x]);
        }
    }
    return canvas;
}

void blurImage(QImage& image, double radius, BlurEdges edges) {
    if (radius < 0.5 || image.isNull()) {
        return;
    }
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    int box = boxForRadius(radius);
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurPass(image, box, true, edges);
        boxBlurPass(image, box, false, edges);
    }
}

QPainterPath continuousRoundedRect(const QRectF& rect, double radius) {
    // Corners drawn with cubic curves that start a little further along the
    // sides than a circular arc would, so the curvature changes smoothly.
    double r = std::min({radius, rect.width() / 2, rect.height() / 2});
    double reach = std::min(r * 1.28, std::min(rect.width(), rect.height()) / 2);
    double handle = reach * 0.55;
    QPainterPath path;
    const double l = rect.left(), t = rect.top(), rr = rect.right(), b = rect.bottom();
    path.moveTo(l + reach, t);
    path.lineTo(rr - reach, t);
    path.cubicTo(rr - reach + handle, t, rr, t + reach - handle, rr, t + reach);
    path.lineTo(rr, b - reach);
    path.cubicTo(rr, b - reach + handle, rr - reach + handle, b, rr - reach, b);
    path.lineTo(l + reach, b);
    path.cubicTo(l + reach - handle, b, l, b - reach + handle, l, b - reach);
    path.lineTo(l, t + reach);
    path.cubicTo(l, t + reach - handle, l + reach - handle, t, l + reach, t);
    path.closeSubpath();
    return path;
}

void drawShapeShadow(QPainter& painter, const QPainterPath& shape, const Shadow& shadow) {
    if (shadow.color.alphaF() <= 0) {
        return;
    }
    QRectF bounds = shape.boundingRect();
    double ratio = devicePixelRatioOf(painter);
    QString key = QStringLiteral("shape:%1x%2:%3:%4:%5")
                      .arg(bounds.width(), 0, 'f', 1)
                      .arg(bounds.height(), 0, 'f', 1)
                      .arg(shadow.radius)
                      .arg(ratio)
                      .arg(shape.elementCount());
    const QImage* it = shadowCache().object(key);
    if (it == nullptr) {
        QImage mask(QSize(std::ceil(bounds.width() * ratio), std::ceil(bounds.height() * ratio)),
                    QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(ratio, ratio);
            p.translate(-bounds.topLeft());
            p.fillPath(shape, Qt::black);
        }
        it = &keepShadow(key, makeShadow(mask, shadow.radius * ratio, Qt::black));
    }
    double margin = (it->width() / ratio - bounds.width()) / 2;
    painter.save();
    painter.setOpacity(painter.opacity() * shadow.color.alphaF());
    painter.drawImage(QRectF(bounds.topLeft() + shadow.offset - QPointF(margin, margin),
                             QSizeF(it->width() / ratio, it->height() / ratio)),
                      *it);
    painter.restore();
}

void drawPixmapShadow(QPainter& painter, const QRectF& target, const QPixmap& pixmap,
                      const QString& cacheKey, const Shadow& shadow) {
    if (shadow.color.alphaF() <= 0 || pixmap.isNull()) {
        return;
    }
    QString key = cacheKey + QStringLiteral(":r%1").arg(shadow.radius);
    const QImage* it = shadowCache().object(key);
    double ratio = pixmap.devicePixelRatio();
    if (it == nullptr) {
        it = &keepShadow(key, makeShadow(pixmap.toImage(), shadow.radius * ratio, Qt::black));
    }
    double scale = target.width() / (pixmap.width() / ratio);
    double margin = (it->width() / ratio - pixmap.width() / ratio) / 2 * scale;
    painter.save();
    painter.setOpacity(painter.opacity() * shadow.color.alphaF());
    painter.drawImage(QRectF(target.topLeft() + shadow.offset - QPointF(margin, margin),
                             QSizeF(target.width() + 2 * margin, target.height() + 2 * margin)),
                      *it);
    painter.restore();
}

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

void paintPageDots(QPainter& painter, const Rect& column, std::int64_t count, double current,
                   const PageDotsLook& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF capsule = toQt(column);
    QPainterPath shape;
    shape.addRoundedRect(capsule, capsule.width() / 2, capsule.width() / 2);
    painter.fillPath(shape, black(0.12));
    for (std::int64_t page = 0; page < count; ++page) {
        double emphasis = std::max(0.0, 1 - std::abs(current - static_cast<double>(page)));
        double size = look.small + (look.big - look.small) * emphasis;
        QPointF center(capsule.center().x(),
                       capsule.top() + 10 + look.big / 2 +
                           static_cast<double>(page) * (look.big + look.spacing));
        if (emphasis > 0) {
            QPainterPath disc;
            disc.addEllipse(center + QPointF(0, 1), size / 2, size / 2);
            drawShapeShadow(painter, disc, {black(look.shadowOpacity * emphasis), 4, {0, 0}});
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(
            white(look.otherOpacity + (look.currentOpacity - look.otherOpacity) * emphasis));
        painter.drawEllipse(center, size / 2, size / 2);
    }
    painter.restore();
}

void drawFrostedPlate(QPainter& painter, const QPainterPath& shape, const QRectF& box,
                      const FrostedLook& look, const QImage& behind, const QRectF& behindArea) {
    drawShapeShadow(painter, shape, look.shadow);
    painter.save();
    if (!behind.isNull()) {
        painter.save();
        painter.setClipPath(shape);
        painter.drawImage(behindArea, behind);
        painter.fillRect(box, QColor::fromRgbF(0.1, 0.11, 0.13, 0.35));
        painter.restore();
    }
    painter.fillPath(shape, white(look.base));
    QLinearGradient sheen(box.topLeft(), box.bottomRight());
    sheen.setColorAt(0, white(look.sheenFrom));
    sheen.setColorAt(1, white(look.sheenTo));
    painter.fillPath(shape, sheen);
    painter.setPen(QPen(white(look.edge), look.edgeWidth));
    painter.drawPath(shape);
    painter.restore();
}

double devicePixelRatioOf(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (engine != nullptr && engine->paintDevice() != nullptr) {
        return engine->paintDevice()->devicePixelRatioF();
    }
    return painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
}

QFont interfaceFont(double points, QFont::Weight weight) {
    QFont font;
    // Sizes here are device-independent pixels; Qt's point sizes follow the
    // screen's logical DPI, so give the size in pixels.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points))));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double drawWrappedText(QPainter& painter, const QString& text, const QFont& font,
                       const QPointF& topLeft, double width, int maxLines, const QColor& color,
                       const Shadow* shadow, double* firstLineWidth) {
    QFontMetricsF metrics(font);
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<QString> lines;
    layout.beginLayout();
    double y = 0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (static_cast<int>(lines.size()) == maxLines - 1) {
            // The last allowed line takes the rest of the text, elided.
            QString rest = text.mid(line.textStart());
            lines.push_back(metrics.elidedText(rest, Qt::ElideRight, width));
            break;
        }
        lines.push_back(text.mid(line.textStart(), line.textLength()).trimmed());
        y += metrics.height();
    }
    layout.endLayout();
    if (firstLineWidth != nullptr) {
        *firstLineWidth =
            lines.empty() ? 0 : std::min(width, metrics.horizontalAdvance(lines.front()));
    }

    painter.save();
    painter.setFont(font);
    double lineY = topLeft.y();
    for (const QString& line : lines) {
        QRectF box(topLeft.x(), lineY, width, metrics.height());
        if (shadow != nullptr && shadow->color.alphaF() > 0) {
            // A light blur of text is costly; a faint offset copy reads the same at this size.
            QColor soft = shadow->color;
            painter.setPen(soft);
            painter.drawText(box.translated(shadow->offset), Qt::AlignHCenter | Qt::AlignTop, line);
        }
        painter.setPen(color);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, line);
        lineY += metrics.height();
    }
    painter.restore();
    return lineY - topLeft.y();
}

// Springs overshoot a little, so opacities computed from them are clamped here.
QColor white(double opacity) {
    return QColor::fromRgbF(1, 1, 1, std::clamp(opacity, 0.0, 1.0));
}
QColor black(double opacity) {
    return QColor::fromRgbF(0, 0, 0, std::clamp(opacity, 0.0, 1.0));
}

}  // namespace vantor
