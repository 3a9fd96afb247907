#include "document/ellipseelement.h"

#include "document/engravingattributes.h"
#include "document/svggrammar.h"
#include "document/viewportgeometry.h"

EllipseElement::EllipseElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : EllipseElement(element, row, document, parent, NodeType::Ellipse)
{
    const QHash<QString, double> lengths = readViewportLengths();
    mCx = safeLength(lengthOf(lengths, QStringLiteral("cx")));
    mCy = safeLength(lengthOf(lengths, QStringLiteral("cy")));
    mRx = safeLength(lengthOf(lengths, QStringLiteral("rx")));
    mRy = safeLength(lengthOf(lengths, QStringLiteral("ry")));
    prepareDrawable();
}

EllipseElement::EllipseElement(const QDomElement &element, int row, NodeHost *document, Node *parent,
                               NodeType type)
    : Node(element, row, document, parent, type)
{
}

CircleElement::CircleElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : EllipseElement(element, row, document, parent, NodeType::Circle)
{
    const QHash<QString, double> lengths = readViewportLengths();
    mCx = safeLength(lengthOf(lengths, QStringLiteral("cx")));
    mCy = safeLength(lengthOf(lengths, QStringLiteral("cy")));
    mRx = mRy = safeLength(lengthOf(lengths, QStringLiteral("r")));
    prepareDrawable();
}

std::optional<AttributeRecord> EllipseElement::applyAttribute(const QString &name,
                                                              const QString &value)
{
    static const QStringList accepted{"cx", "cy", "x", "y", "rx", "ry", "fill", "stroke",
                                      "transform"};
    // A circle takes what its moves and transforms write, so their undo works.
    static const QStringList circleAccepted{"cx", "cy", "r", "transform"};
    if (!(mType == NodeType::Ellipse ? accepted : circleAccepted).contains(name))
        return std::nullopt;
    if (name == QLatin1String("fill") || name == QLatin1String("stroke"))
        return applyPaintDeclaration(name, value);
    AttributeRecord record{this, {name}, {}, {value}};
    const double number = safeLength(ViewportGeometry::geometryLength(mElement, name, value));
    if (name == QLatin1String("x") || name == QLatin1String("y")) {
        // The left and top of the ellipse's box, kept as its centre.
        const bool horizontal = name == QLatin1String("x");
        record.oldValues.append(formatFixed(horizontal ? mCx - mRx : mCy - mRy));
        if (horizontal) {
            mCx = number + mRx;
            setAttribute(QStringLiteral("cx"), formatFixed(mCx));
        } else {
            mCy = number + mRy;
            setAttribute(QStringLiteral("cy"), formatFixed(mCy));
        }
    } else {
        record.oldValues.append(mElement.attribute(name));
        setAttribute(name, value);
        if (name == QLatin1String("cx"))
            mCx = number;
        else if (name == QLatin1String("cy"))
            mCy = number;
        // A negative radius draws nothing, as in the job.
        else if (name == QLatin1String("rx"))
            mRx = qMax(0.0, number);
        else if (name == QLatin1String("ry"))
            mRy = qMax(0.0, number);
        else if (name == QLatin1String("r"))
            mRx = mRy = qMax(0.0, number);
    }
    notifyChanged(name == QLatin1String("transform") ? NodeObserver::Transform
                                                      : NodeObserver::Geometry);
    return record;
}
