#include "document/rectelement.h"

#include "canvas/graphicsrectitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/svggrammar.h"

RectElement::RectElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::Rect)
{
    mX = safeLength(attributeLength(element, QStringLiteral("x")));
    mY = safeLength(attributeLength(element, QStringLiteral("y")));
    mWidth = safeLength(attributeLength(element, QStringLiteral("width")));
    mHeight = safeLength(attributeLength(element, QStringLiteral("height")));
    readEngravingAttributes();
    mRectItem = new GraphicsRectItem(view);
    mRectItem->setRect(0, 0, mWidth, mHeight);
    mRectItem->setPos(mX, mY);
    attachItem(mRectItem);
    registerItem(mRectItem);
    view->scene()->connectItem(mRectItem);
    refreshPaint();
}

void RectElement::setPosition(const QPointF &position)
{
    mX = position.x();
    mY = position.y();
}

void RectElement::refreshPaint()
{
    QBrush brush;
    QPen pen;
    const bool hollow = resolvePaint(&brush, &pen);
    mRectItem->setBrush(brush);
    mRectItem->setPen(pen);
    mRectItem->setHollow(hollow ? 1 : 0);
}

std::optional<AttributeRecord> RectElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList accepted{"x", "y", "rx", "ry", "width", "height", "fill", "stroke",
                                      "transform"};
    if (!accepted.contains(name) || value.isEmpty())
        return std::nullopt;
    AttributeRecord record{this, {name}, {}, {value}};
    if (name == QLatin1String("fill") || name == QLatin1String("stroke")) {
        record.oldValues.append(setStyleDeclaration(name, value));
        refreshPaint();
        return record;
    }
    record.oldValues.append(mElement.attribute(name));
    setAttribute(name, value);
    const double number = safeLength(parseLength(value));
    if (name == QLatin1String("x") || name == QLatin1String("y")) {
        if (name == QLatin1String("x"))
            mX = number;
        else
            mY = number;
        mRectItem->setPos(mX, mY);
        refreshItemTransform();
    } else if (name == QLatin1String("rx")) {
        mRectItem->setCornerRadiusX(number);
    } else if (name == QLatin1String("ry")) {
        mRectItem->setCornerRadiusY(number);
    } else if (name == QLatin1String("width") || name == QLatin1String("height")) {
        if (name == QLatin1String("width"))
            mWidth = number;
        else
            mHeight = number;
        mRectItem->setRect(0, 0, mWidth, mHeight);
    } else {
        refreshItemTransform();
    }
    return record;
}
