#include "document/gelement.h"

#include "canvas/graphicsrectitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"

#include <QDebug>

namespace {

void makeTransparent(GraphicsRectItem *item)
{
    item->setBrush(Qt::transparent);
    item->setPen(QPen(Qt::transparent, 0));
}

} // namespace

GElement::GElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::G)
{
    mRectItem = new GraphicsRectItem(view);
    mRectItem->setRect(-1, -1, -1, -1);
    mRectItem->setPassThrough(true);
    makeTransparent(mRectItem);
    attachItem(mRectItem);
    mRectItem->setFlag(QGraphicsItem::ItemIsMovable, false);
    mRectItem->setFlag(QGraphicsItem::ItemIsSelectable, false);
    registerItem(mRectItem);
    view->scene()->connectItem(mRectItem);
    // A g under defs or another non-drawing element never reaches the
    // scene; new elements put there would be neither shown nor engraved.
    if (!view->currentLayer() && mRectItem->scene()) {
        view->setCurrentLayer(this);
        qDebug() << "add g item";
    }
}

AElement::AElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::A)
{
    mRectItem = new GraphicsRectItem(view);
    mRectItem->setRect(0, 0, 0, 0);
    makeTransparent(mRectItem);
    attachItem(mRectItem);
    registerItem(mRectItem);
    view->scene()->connectItem(mRectItem);
}
