#include "document/lineelement.h"

#include "document/svggrammar.h"

LineElement::LineElement(const QDomElement &element, int row, SVGDocument *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Line)
    , mLine(safeLength(attributeLength(element, QStringLiteral("x1"))),
            safeLength(attributeLength(element, QStringLiteral("y1"))),
            safeLength(attributeLength(element, QStringLiteral("x2"))),
            safeLength(attributeLength(element, QStringLiteral("y2"))))
{
    prepareDrawable();
}
