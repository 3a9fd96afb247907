#pragma once

#include "document/node.h"

#include <QPainterPath>
#include <optional>

// "path", "polygon" and "polyline": the shape with its fill rule, drawn at (0, 0).
class PathElement : public Node
{
public:
    PathElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QPainterPath path() const { return mPath; }
    // Keeps the shape in step with a "d" written from the canvas, where the
    // item already shows `path`.
    void setPath(const QPainterPath &path);

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

protected:
    PathElement(const QDomElement &element, int row, NodeHost *document, Node *parent, NodeType type);
    // Reads the fill rule and keeps `path` as the shape.
    void build(QPainterPath path);
    // The "points" list as a path; empty when the list is not an even,
    // non-zero number of numbers.
    QPainterPath pointsPath(bool closed) const;

    QPainterPath mPath;
};

class PolylineElement : public PathElement
{
public:
    PolylineElement(const QDomElement &element, int row, NodeHost *document, Node *parent);
};

class PolygonElement : public PathElement
{
public:
    PolygonElement(const QDomElement &element, int row, NodeHost *document, Node *parent);
};
