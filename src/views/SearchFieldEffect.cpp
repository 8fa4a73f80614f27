#include "views/SearchFieldEffect.h"

#include <QPainter>

#include "views/Painting.h"

namespace vantor {

void SearchFieldEffect::setLook(double opacity, double scale, QPointF scaleCenter, double dim) {
    opacity = std::clamp(opacity, 0.0, 1.0);
    dim = std::clamp(dim, 0.0, 1.0);
    if (opacity == opacity_ && scale == scale_ && scaleCenter == scaleCenter_ && dim == dim_) {
        return;
    }
    opacity_ = opacity;
    scale_ = scale;
    scaleCenter_ = scaleCenter;
    dim_ = dim;
    // At rest the field draws itself directly, with no picture in between.
    setEnabled(opacity_ < 1 || scale_ != 1 || dim_ > 0);
    update();
}

void SearchFieldEffect::draw(QPainter* painter) {
    QPoint offset;
    QPixmap picture = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (dim_ > 0) {
        // Darkens what the field draws and leaves its transparent parts alone,
        // as the backdrop darkens the capsule underneath.
        QPainter dimming(&picture);
        dimming.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        dimming.fillRect(QRectF(QPointF(0, 0), picture.deviceIndependentSize()), black(dim_));
    }
    painter->save();
    painter->setOpacity(painter->opacity() * opacity_);
    painter->translate(scaleCenter_);
    painter->scale(scale_, scale_);
    painter->translate(-scaleCenter_);
    painter->drawPixmap(offset, picture);
    painter->restore();
}

}  // namespace vantor
