#pragma once

#include "document/attributerecord.h"
#include "document/node.h"
#include "document/textlayout.h"

#include <optional>

class GraphicsTextItem;

// "text" and "tspan": a text item showing the element's first child text
// laid out glyph by glyph.
class TextElement : public Node
{
public:
    TextElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsTextItem *textItem() const { return mTextItem; }
    QPointF position() const { return {mLayout.x, mLayout.y}; }
    void setPosition(const QPointF &position);
    const TextLayoutAttributes &layoutAttributes() const { return mLayout; }
    // The value of the element's first child node.
    QString text() const;

    void refreshPaint() override;
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

private:
    QFont resolvedFont();
    void setText(const QString &text);

    TextLayoutAttributes mLayout;
    GraphicsTextItem *mTextItem = nullptr;
};
