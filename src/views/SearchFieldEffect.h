#pragma once

#include <QGraphicsEffect>
#include <QPointF>

namespace vantor {

// Draws the search field the way the launcher draws the content around it.
// The field is a child widget, painted after (over) everything its parent
// paints, so the entrance's fade and scale and an open folder's dimming
// backdrop would otherwise pass it by.
class SearchFieldEffect : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

    // `opacity` and `scale` (about `scaleCenter`, in the field's coordinates)
    // as the content has them; `dim`: the opacity of the black laid over it.
    void setLook(double opacity, double scale, QPointF scaleCenter, double dim);

protected:
    void draw(QPainter* painter) override;

private:
    double opacity_ = 1;
    double scale_ = 1;
    QPointF scaleCenter_;
    double dim_ = 0;
};

}  // namespace vantor
