#pragma once

#include "document/node.h"

class GraphicsRectItem;

// A "g": an invisible rectangle item that encloses its children. It is not
// picked itself; the first one created on the canvas becomes the view's
// current layer.
class GElement : public Node
{
public:
    GElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsRectItem *rectItem() const { return mRectItem; }

private:
    GraphicsRectItem *mRectItem = nullptr;
};

// An "a": a container like "g", but movable and selectable as a whole.
class AElement : public Node
{
public:
    AElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsRectItem *rectItem() const { return mRectItem; }

private:
    GraphicsRectItem *mRectItem = nullptr;
};
