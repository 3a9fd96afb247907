#pragma once

#include "document/attributerecord.h"
#include "document/node.h"

#include <QPainterPath>
#include <optional>

class GraphicsPathItem;

// "path", "polygon" and "polyline": a path item at (0, 0) holding the shape
// with its fill rule.
class PathElement : public Node
{
public:
    PathElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsPathItem *pathItem() const { return mPathItem; }
    QPainterPath path() const { return mPath; }

    void refreshPaint() override;
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

protected:
    PathElement(const QDomElement &element, int row, SVGView *view, Node *parent, NodeType type);
    // Reads the fill rule, creates the item with `path` and attaches it.
    void build(QPainterPath path);
    // The "points" list as a path; empty when the list is not an even,
    // non-zero number of numbers.
    QPainterPath pointsPath(bool closed) const;

    QPainterPath mPath;
    GraphicsPathItem *mPathItem = nullptr;
};

class PolylineElement : public PathElement
{
public:
    PolylineElement(const QDomElement &element, int row, SVGView *view, Node *parent);
};

class PolygonElement : public PathElement
{
public:
    PolygonElement(const QDomElement &element, int row, SVGView *view, Node *parent);
};
