#include "document/lineelement.h"

#include "document/svggrammar.h"

LineElement::LineElement(const QDomElement &element, int row, SVGDocument *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Line)
    , mLine(safeLength(SvgGrammar::attributeLength(element, QStringLiteral("x1"))),
            safeLength(SvgGrammar::attributeLength(element, QStringLiteral("y1"))),
            safeLength(SvgGrammar::attributeLength(element, QStringLiteral("x2"))),
            safeLength(SvgGrammar::attributeLength(element, QStringLiteral("y2"))))
{
    prepareDrawable();
}
