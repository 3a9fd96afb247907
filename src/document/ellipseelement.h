#pragma once

#include "document/attributerecord.h"
#include "document/node.h"

#include <optional>

class GraphicsEllipseItem;

// "circle" and "ellipse": an ellipse item whose box starts at the element's
// top-left, (cx - rx, cy - ry).
class EllipseElement : public Node
{
public:
    EllipseElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsEllipseItem *ellipseItem() const { return mEllipseItem; }
    QPointF center() const { return {mCx, mCy}; }
    QSizeF radii() const { return {mRx, mRy}; }

    void refreshPaint() override;
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

protected:
    EllipseElement(const QDomElement &element, int row, SVGView *view, Node *parent,
                   NodeType type);
    void build();

    double mCx = 0;
    double mCy = 0;
    double mRx = 0;
    double mRy = 0;
    GraphicsEllipseItem *mEllipseItem = nullptr;
};

// A "circle" reads "r" for both radii. It takes no attribute changes.
class CircleElement : public EllipseElement
{
public:
    CircleElement(const QDomElement &element, int row, SVGView *view, Node *parent);
};
