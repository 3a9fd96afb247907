#pragma once

#include "canvas/itemsupport.h"

#include <QGraphicsItem>
#include <QGraphicsSceneContextMenuEvent>
#include <QPainterPath>

class GraphicsGroupItem;
class SVGView;

// The state and event handling every design item shares, put between the Qt
// item class Base and the item class Derived. Derived declares the three
// selection signals itself, since moc cannot read them from a template.
//
// Presses are reported to the scene and moves and releases do nothing, so
// Qt's own selection and dragging never run: the scene does both.
template <typename Derived, typename Base>
class DesignItem : public Base
{
public:
    SVGView *view() const { return mView; }
    GraphicsGroupItem *ownerGroup() const { return mOwnerGroup; }
    void setOwnerGroup(GraphicsGroupItem *group) { mOwnerGroup = group; }

protected:
    explicit DesignItem(SVGView *view, QGraphicsItem *parent)
        : Base(parent)
        , mView(view)
    {
    }

    // Every canvas item opens the design view's menu.
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override
    {
        if (ItemSupport::ContextMenuOpener open = ItemSupport::contextMenuOpener())
            open(mView, event->screenPos());
    }
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        ItemSupport::reportPress(static_cast<Derived *>(this), event);
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent *) override {}
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *) override {}

private:
    SVGView *mView = nullptr;
    GraphicsGroupItem *mOwnerGroup = nullptr;
};

// A design item drawn from one outline with the pen and brush of its Qt
// base: rectangles, ellipses and paths. An unfilled one (hollow 1) is hit
// along its outline only.
template <typename Derived, typename Base>
class HollowShapeItem : public DesignItem<Derived, Base>
{
public:
    int hollow() const { return mHollow; }
    void setHollow(int hollow) { mHollow = hollow; }
    double inverseZoom() const { return mInverseZoom; }

protected:
    using DesignItem<Derived, Base>::DesignItem;

    QPainterPath hitShape(const QPainterPath &outline) const
    {
        return mHollow == 1 ? ItemSupport::hollowShape(outline, mInverseZoom) : outline;
    }
    // A closed shape is picked inside too, filled or not (items are only
    // hit within their bounds, so the band outside adds nothing); one
    // without area keeps the band along its outline.
    QPainterPath closedHitShape(const QPainterPath &outline) const
    {
        const QRectF r = outline.boundingRect();
        return r.width() > 0 && r.height() > 0 ? outline : hitShape(outline);
    }

    // Records the zoom the hit shape needs and sets the hairline pen.
    void preparePainter(QPainter *painter)
    {
        mInverseZoom = ItemSupport::inverseZoomOf(painter);
        ItemSupport::setCosmeticPen(painter, this->pen(), this->brush());
    }

private:
    int mHollow = 0;
    double mInverseZoom = 1.0;
};
