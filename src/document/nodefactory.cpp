#include "document/nodefactory.h"

#include "document/ellipseelement.h"
#include "document/gelement.h"
#include "document/imageelement.h"
#include "document/lineelement.h"
#include "document/pathelement.h"
#include "document/rectelement.h"
#include "document/svgelement.h"
#include "document/textelement.h"
#include "document/useelement.h"

Node *NodeFactory::create(const QDomElement &element, int row, NodeHost *host, Node *parent)
{
    const NodeType type = Node::typeForTag(element.tagName());
    switch (type) {
    case NodeType::Svg:
        return new SVGElement(element, row, host, parent);
    case NodeType::G:
        return new GElement(element, row, host, parent);
    case NodeType::A:
        return new AElement(element, row, host, parent);
    case NodeType::Rect:
        return new RectElement(element, row, host, parent);
    case NodeType::Circle:
        return new CircleElement(element, row, host, parent);
    case NodeType::Ellipse:
        return new EllipseElement(element, row, host, parent);
    case NodeType::Line:
        return new LineElement(element, row, host, parent);
    case NodeType::Polyline:
        return new PolylineElement(element, row, host, parent);
    case NodeType::Polygon:
        return new PolygonElement(element, row, host, parent);
    case NodeType::Path:
        return new PathElement(element, row, host, parent);
    case NodeType::Text:
        return new TextElement(element, row, host, parent);
    case NodeType::Image:
        return new ImageElement(element, row, host, parent);
    case NodeType::Use:
        return new UseElement(element, row, host, parent);
    default:
        return new Node(element, row, host, parent, type);
    }
}
