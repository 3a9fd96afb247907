#include "document/lineelement.h"

#include "canvas/graphicslineitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/svggrammar.h"

LineElement::LineElement(const QDomElement &element, int row, SVGView *view, Node *parent)
    : Node(element, row, view, parent, NodeType::Line)
{
    const QLineF line(safeLength(attributeLength(element, QStringLiteral("x1"))),
                      safeLength(attributeLength(element, QStringLiteral("y1"))),
                      safeLength(attributeLength(element, QStringLiteral("x2"))),
                      safeLength(attributeLength(element, QStringLiteral("y2"))));
    readEngravingAttributes();
    mLineItem = new GraphicsLineItem(view);
    mLineItem->setLine(line);
    attachItem(mLineItem);
    registerItem(mLineItem);
    view->scene()->connectItem(mLineItem);
    refreshPaint();
}

void LineElement::refreshPaint()
{
    QBrush brush;
    QPen pen;
    resolvePaint(&brush, &pen);
    mLineItem->setPen(pen);
}
