#pragma once

#include "canvas/shownparts.h"
#include "document/nodeobserver.h"

#include <QDomElement>
#include <QHash>
#include <QImage>
#include <QPair>
#include <QSet>
#include <QSize>
#include <QString>
#include <QVector>

#include <functional>

class QGraphicsItem;
class QGraphicsRectItem;
class CanvasContext;
class SVGView;

// The canvas side of the element tree: makes the graphics item of every
// element on the canvas when its object is made, in document order, keeps
// it in step with the element and leads from either one to the other.
class ItemFactory : public NodeObserver
{
public:
    // Items are made for `view` and placed on `scene`.
    ItemFactory(SVGView *view, CanvasContext *scene);

    // The element's own item; null for kinds without one or elements that
    // are not on the canvas.
    QGraphicsItem *item(const Node *node) const { return mItems.value(node, nullptr); }
    // The user group an element's item was put in, if any.
    QGraphicsItem *groupItem(const Node *node) const { return mGroupItems.value(node, nullptr); }
    void setGroupItem(const Node *node, QGraphicsItem *item);
    // The item as the canvas sees it: the group item when set, else the own item.
    QGraphicsItem *containerItem(const Node *node) const;
    // The page rectangle of an svg element: the work area on the scene.
    QGraphicsRectItem *pageRect(const Node *svg) const { return mPageRects.value(svg, nullptr); }

    // The element object an item stands for (item data key 0), or null.
    static Node *nodeOf(const QGraphicsItem *item);

    void nodeCreated(Node *node) override;
    void nodeChanged(Node *node, Changes changes) override;
    void nodeDestroyed(Node *node) override;
    void nodeDetached(Node *node) override;
    void nodeReattached(Node *node) override;
    void treeAboutToBeReplaced() override;

private:
    QGraphicsItem *makeItem(Node *node);
    void makePage(Node *svg);
    void placeNestedPage(const Node *svg);
    // The steps common to every item: tool tip, stacking, flags, transform,
    // parent item, the link back to the element and the press signals.
    template <typename Item>
    Item *attach(Node *node, Item *item);
    void fitContainer(const Node *node);
    void syncGeometry(const Node *node, QGraphicsItem *item);
    void syncPaint(const Node *node, QGraphicsItem *item);
    void syncText(const Node *node, QGraphicsItem *item);
    void syncBitmap(const Node *node, QGraphicsItem *item);
    // What the job makes of the element beyond its geometry and paint: its
    // clip path or mask, the dashes of its outline and its markers.
    void syncShown(const Node *node, QGraphicsItem *item);
    QPainterPath dashedOutline(const Node *node, const QPointF &itemPos) const;
    ShownParts markersOf(const Node *node);
    struct Features
    {
        bool known = false;
        bool clips = false;
        bool dashes = false;
        bool markers = false;
        void scan(const QDomElement &top);
    };
    const Features &features(const Node *node);
    using IdLookup = std::function<QDomElement(const QString &id)>;
    // A use instance's outline, redone from the design; ids are looked up
    // in the document unless `lookup` is given.
    void syncInstance(const Node *node, QGraphicsItem *item, const IdLookup &lookup = IdLookup());
    // Redraws the instances that copy `changed` or an element around it,
    // and all of them when elements came or went.
    void refreshInstancesOf(const Node *changed, Changes changes);
    void forgetOriginals(const Node *use);
    // The picture an image inside an instance shows, at its shown size.
    QImage instancePicture(const QString &href, const QSize &shown, const QString &baseFolder);

    SVGView *mView = nullptr;
    CanvasContext *mScene = nullptr;
    QHash<const Node *, QGraphicsItem *> mItems;
    QHash<const Node *, QGraphicsItem *> mGroupItems;
    QHash<const Node *, QGraphicsRectItem *> mPageRects;
    // The ids each use instance's copy was made from.
    QHash<const Node *, QSet<QString>> mInstanceOriginals;
    // The instances that copied each id.
    QHash<QString, QSet<const Node *>> mInstancesById;
    // Pictures shown inside instances, by reference (or file) and shown size;
    // emptied with the design.
    QHash<QString, QVector<QPair<QSize, QImage>>> mInstancePictures;
    Features mFeatures;
};
