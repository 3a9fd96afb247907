#include "document/lineelement.h"

#include "document/svggrammar.h"

LineElement::LineElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Line)
{
    const QHash<QString, double> lengths = readViewportLengths();
    mLine = QLineF(safeLength(lengthOf(lengths, QStringLiteral("x1"))),
                   safeLength(lengthOf(lengths, QStringLiteral("y1"))),
                   safeLength(lengthOf(lengths, QStringLiteral("x2"))),
                   safeLength(lengthOf(lengths, QStringLiteral("y2"))));
    prepareDrawable();
}

std::optional<AttributeRecord> LineElement::applyAttribute(const QString &name, const QString &value)
{
    return applyTransformOnly(name, value);
}
