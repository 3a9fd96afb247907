#include "document/rectelement.h"

#include "document/svggrammar.h"
#include "document/viewportgeometry.h"

RectElement::RectElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Rect)
{
    const QHash<QString, double> lengths = readViewportLengths();
    mX = safeLength(lengthOf(lengths, QStringLiteral("x")));
    mY = safeLength(lengthOf(lengths, QStringLiteral("y")));
    mWidth = safeLength(lengthOf(lengths, QStringLiteral("width")));
    mHeight = safeLength(lengthOf(lengths, QStringLiteral("height")));
    prepareDrawable();
}

void RectElement::setPosition(const QPointF &position)
{
    mX = position.x();
    mY = position.y();
}

std::optional<AttributeRecord> RectElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList accepted{"x", "y", "rx", "ry", "width", "height", "fill", "stroke",
                                      "transform"};
    // An empty value is an undo back to a missing attribute: it removes it.
    if (!accepted.contains(name))
        return std::nullopt;
    if (name == QLatin1String("fill") || name == QLatin1String("stroke"))
        return applyPaintDeclaration(name, value);
    AttributeRecord record{this, {name}, {mElement.attribute(name)}, {value}};
    setAttribute(name, value);
    const double number = safeLength(ViewportGeometry::geometryLength(mElement, name, value));
    if (name == QLatin1String("x"))
        mX = number;
    else if (name == QLatin1String("y"))
        mY = number;
    else if (name == QLatin1String("rx"))
        mCornerRadiusX = qMax(0.0, number);
    else if (name == QLatin1String("ry"))
        mCornerRadiusY = qMax(0.0, number);
    else if (name == QLatin1String("width"))
        mWidth = number;
    else if (name == QLatin1String("height"))
        mHeight = number;
    notifyChanged(name == QLatin1String("transform") ? NodeObserver::Transform
                                                      : NodeObserver::Geometry);
    return record;
}
