#pragma once

#include "document/node.h"

// "circle" and "ellipse": drawn as the ellipse of the box that starts at the
// element's top-left, (cx - rx, cy - ry).
class EllipseElement : public Node
{
public:
    EllipseElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QPointF center() const { return {mCx, mCy}; }
    QSizeF radii() const { return {mRx, mRy}; }

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

protected:
    EllipseElement(const QDomElement &element, int row, NodeHost *document, Node *parent,
                   NodeType type);

    double mCx = 0;
    double mCy = 0;
    double mRx = 0;
    double mRy = 0;
};

// A "circle" reads "r" for both radii. It takes its centre, radius and
// transform, as moves and transforms write them.
class CircleElement : public EllipseElement
{
public:
    CircleElement(const QDomElement &element, int row, NodeHost *document, Node *parent);
};
