#include "canvas/resizepoint.h"

#include "canvas/selectitem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QtMath>

resizePoint::resizePoint(SelectItem *frame, int kind)
    : QGraphicsPixmapItem(frame)
    , mFrame(frame)
    , mKind(kind)
{
    // The pixmap only gives the handle its size; paint draws an outline.
    QPixmap size(10, 10);
    size.fill(Qt::transparent);
    setPixmap(size);
    setShapeMode(QGraphicsPixmapItem::BoundingRectShape);
    switch (kind) {
    case TopLeft:
    case BottomRight:
    case Rotate:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case TopRight:
    case BottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case Top:
    case Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    default:
        setCursor(Qt::SizeHorCursor);
        break;
    }
    applyZoom(1.0);
}

void resizePoint::place(double x, double y)
{
    const QRectF r = boundingRect();
    mAnchorPos = QPointF(x - r.width() / 2, y - r.height() / 2);
    setPos(mAnchorPos);
}

void resizePoint::applyZoom(double inverseZoom)
{
    mInverseZoom = inverseZoom;
    const QRectF r = boundingRect();
    const QPointF c = r.center();
    QTransform t;
    // The rotate handle sits one handle width right of and above the corner.
    if (mKind == Rotate) {
        const double w = r.width() * inverseZoom;
        t.translate(w, -w);
    }
    t.translate(c.x(), c.y());
    t.scale(inverseZoom, inverseZoom);
    t.translate(-c.x(), -c.y());
    if (t != mSavedTransform) {
        mSavedTransform = t;
        setTransform(t);
    }
}

void resizePoint::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QTransform &world = painter->worldTransform();
    const double zoom = qSqrt(world.m11() * world.m11() + world.m12() * world.m12());
    // The painter already carries this handle's own scale: undo it to get the view's.
    const double viewZoom = mInverseZoom > 0 ? zoom / mInverseZoom : zoom;
    if (viewZoom > 0)
        applyZoom(1.0 / viewZoom);
    painter->setPen(QPen(mKind == Rotate ? QColor(0xd6, 0x96, 0x96) : QColor(0xa8, 0xa8, 0xa8), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(boundingRect());
}

double resizePoint::angleTo(const QPointF &pointer) const
{
    const QPointF c = mFrame->sceneBoundingRect().center();
    // The divisor is the program's own rounding of pi.
    return (std::atan2(pointer.y() - c.y(), pointer.x() - c.x())
            - std::atan2(mPressPos.y() - c.y(), mPressPos.x() - c.x()))
           / 3.14159 * 180;
}

void resizePoint::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    emit resize();
    mFrame->saveTransforms();
    if (mKind == Rotate) {
        mPressPos = event->scenePos();
        mFrame->setOpacity(0);
    }
}

void resizePoint::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->buttons() != Qt::LeftButton)
        return;
    if (mKind == Rotate) {
        mFrame->rotatePreview(angleTo(event->scenePos()));
        return;
    }
    // Scene-space movement: the handle's own scale would make the frame run
    // ahead of the pointer when zoomed.
    const QPointF d = event->scenePos() - event->lastScenePos();
    mFrame->resizeBy(mKind, d.x(), d.y());
}

void resizePoint::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    // Each commit is pushed as one command, which refits the frame and
    // shows the selection again.
    if (mKind == Rotate) {
        mFrame->commitRotation(angleTo(event->scenePos()));
        mFrame->setOpacity(1);
    } else {
        mFrame->commitScale();
    }
}
