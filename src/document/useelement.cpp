#include "document/useelement.h"

#include <QStringList>

UseElement::UseElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::Use)
{
    // No engraving attributes of its own: the copy's elements carry theirs,
    // and written here they would reach every element of the copy.
    parseStyle();
    resolvePaint(&mItemBrush, &mItemPen);
}

std::optional<AttributeRecord> UseElement::applyAttribute(const QString &name, const QString &value)
{
    static const QStringList placement{"x", "y", "width", "height", "href", "xlink:href"};
    if (name == QLatin1String("fill") || name == QLatin1String("stroke"))
        return applyPaintDeclaration(name, value);
    const bool transform = name == QLatin1String("transform");
    if (!transform && !placement.contains(name))
        return std::nullopt;
    AttributeRecord record{this, {name}, {mElement.attribute(name)}, {value}};
    setAttribute(name, value);
    notifyChanged(transform ? NodeObserver::Transform : NodeObserver::Geometry);
    return record;
}
