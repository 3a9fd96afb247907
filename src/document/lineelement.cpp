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

std::optional<AttributeRecord> LineElement::applyAttribute(const QString &name, const QString &value)
{
    if (name != QLatin1String("transform"))
        return std::nullopt;
    AttributeRecord record{this, {name}, {mElement.attribute(name)}, {value}};
    setAttribute(name, value);
    notifyChanged(NodeObserver::Transform);
    return record;
}
