#pragma once

#include "canvas/itemsupport.h"
#include "canvas/shownparts.h"

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

    // The area a clip path or mask lets show, in item coordinates. The item
    // is then drawn and picked only inside it; `holdsOthers` (a group)
    // clips what it holds instead of itself.
    bool hasClipRegion() const { return mHasClip; }
    const QPainterPath &clipRegion() const { return mClip; }
    void setClipRegion(const QPainterPath &region, bool holdsOthers)
    {
        this->prepareGeometryChange();
        mClip = region;
        mHasClip = true;
        this->setFlag(holdsOthers ? QGraphicsItem::ItemClipsChildrenToShape : QGraphicsItem::ItemClipsToShape);
        this->update();
    }
    void clearClipRegion()
    {
        if (!mHasClip)
            return;
        this->prepareGeometryChange();
        mClip = QPainterPath();
        mHasClip = false;
        this->setFlag(QGraphicsItem::ItemClipsChildrenToShape, false);
        this->setFlag(QGraphicsItem::ItemClipsToShape, false);
        this->update();
    }

    // The line the job cuts, where it is not the geometry itself (the
    // dashes of a dashed outline); drawn in its place, unfilled.
    bool hasCutLine() const { return mHasCutLine; }
    const QPainterPath &cutLine() const { return mCutLine; }
    void setCutLine(const QPainterPath &line)
    {
        mCutLine = line;
        mHasCutLine = true;
        this->update();
    }
    void clearCutLine()
    {
        mCutLine = QPainterPath();
        mHasCutLine = false;
        this->update();
    }
    // Markers on the vertices, in their own paint.
    const ShownParts &markers() const { return mMarkers; }
    void setMarkers(const ShownParts &markers)
    {
        this->prepareGeometryChange();
        mMarkers = markers;
        this->update();
    }

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

    QPainterPath clippedShape(const QPainterPath &shape) const
    {
        return mHasClip ? shape.intersected(mClip) : shape;
    }

    // Draws the geometry, or its fill and the cut line in place of its
    // outline, then the markers.
    void drawShape(QPainter *painter, const QPainterPath &geometry)
    {
        if (mHasCutLine) {
            if (painter->brush().style() != Qt::NoBrush) {
                const QPen pen = painter->pen();
                painter->setPen(Qt::NoPen);
                painter->drawPath(geometry);
                painter->setPen(pen);
            }
            painter->setBrush(Qt::NoBrush);
            painter->drawPath(mCutLine);
        } else {
            painter->drawPath(geometry);
        }
        mMarkers.paint(painter);
    }
    QRectF withMarkers(const QRectF &bounds) const
    {
        return mMarkers.isEmpty() ? bounds : bounds | mMarkers.bounds();
    }

private:
    SVGView *mView = nullptr;
    GraphicsGroupItem *mOwnerGroup = nullptr;
    QPainterPath mClip;
    bool mHasClip = false;
    QPainterPath mCutLine;
    bool mHasCutLine = false;
    ShownParts mMarkers;
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
        return this->clippedShape(mHollow == 1 ? ItemSupport::hollowShape(outline, mInverseZoom) : outline);
    }
    // A closed shape is picked inside too, filled or not (items are only
    // hit within their bounds, so the band outside adds nothing); one
    // without area keeps the band along its outline.
    QPainterPath closedHitShape(const QPainterPath &outline) const
    {
        const QRectF r = outline.boundingRect();
        return r.width() > 0 && r.height() > 0 ? this->clippedShape(outline) : hitShape(outline);
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
