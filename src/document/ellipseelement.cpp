#include "document/ellipseelement.h"

#include "canvas/graphicsellipseitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/engravingattributes.h"
#include "document/svggrammar.h"

EllipseElement::EllipseElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : EllipseElement(element, row, view, parent, NodeType::Ellipse)
{
    mRx = safeLength(attributeLength(element, QStringLiteral("rx")));
    mRy = safeLength(attributeLength(element, QStringLiteral("ry")));
    build();
}

EllipseElement::EllipseElement(const QDomElement &element, int row, SVGView *view, Node *parent,
                               NodeType type)
    : Node(element, row, view, parent, type)
{
    mCx = safeLength(attributeLength(element, QStringLiteral("cx")));
    mCy = safeLength(attributeLength(element, QStringLiteral("cy")));
}

CircleElement::CircleElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : EllipseElement(element, row, view, parent, NodeType::Circle)
{
    mRx = mRy = safeLength(attributeLength(element, QStringLiteral("r")));
    build();
}

void EllipseElement::build()
{
    readEngravingAttributes();
    mEllipseItem = new GraphicsEllipseItem(mView);
    mEllipseItem->setRect(0, 0, 2 * mRx, 2 * mRy);
    mEllipseItem->setPos(mCx - mRx, mCy - mRy);
    attachItem(mEllipseItem);
    registerItem(mEllipseItem);
    mView->scene()->connectItem(mEllipseItem);
    refreshPaint();
}

void EllipseElement::refreshPaint()
{
    QBrush brush;
    QPen pen;
    const bool hollow = resolvePaint(&brush, &pen);
    mEllipseItem->setBrush(brush);
    mEllipseItem->setPen(pen);
    mEllipseItem->setHollow(hollow ? 1 : 0);
}

std::optional<AttributeRecord> EllipseElement::applyAttribute(const QString &name,
                                                              const QString &value)
{
    static const QStringList accepted{"cx", "cy", "x", "y", "rx", "ry", "fill", "stroke",
                                      "transform"};
    if (mType != NodeType::Ellipse || !accepted.contains(name))
        return std::nullopt;
    AttributeRecord record{this, {name}, {}, {value}};
    if (name == QLatin1String("fill") || name == QLatin1String("stroke")) {
        record.oldValues.append(setStyleDeclaration(name, value));
        refreshPaint();
        return record;
    }
    const double number = safeLength(parseLength(value));
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
        else if (name == QLatin1String("rx"))
            mRx = number;
        else if (name == QLatin1String("ry"))
            mRy = number;
    }
    mEllipseItem->setRect(0, 0, 2 * mRx, 2 * mRy);
    mEllipseItem->setPos(mCx - mRx, mCy - mRy);
    refreshItemTransform();
    return record;
}
